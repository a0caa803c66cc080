// Printing (VM_VIEW_PRINT): what the view shows laid out anew for the printer's page. A layout of
// its own reads the text from the view's book at the printer's resolution and width (one entry
// at a time, so that the entry ends where the next begins); a painter of its own draws each page
// of it as the view draws its page, on white. Above each page the book's title and the entry's
// first line over a thin rule, below it the page's number.
#ifndef CALVETTA_WIN_CONTENTPRINT_WIN_H
#define CALVETTA_WIN_CONTENTPRINT_WIN_H

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "Calvetta.h"
#include "ContentLayout.h"
#include "TextSource.h"
#include "win/ContentMarks_win.h"
#include "win/ContentPainter_win.h"
#include "win/DunmoorBinding_win.h"

namespace calvetta {

// A print never runs past this many pages (an entry that does not end).
constexpr int32_t kMostPrintedPages = 200;

class ContentPrint {
 public:
  ContentPrint(HINSTANCE module, TextSource& source, const ContentLayout& shown, const ContentMarks& marks,
               const ContentPainter& painter, const DunmoorBinding& binding)
      : module(module), source(source), shown(shown), marks(marks), screenPainter(painter), binding(binding) {}

  // VM_VIEW_PRINT's result.
  int32_t Print(const CalvettaPrintJob& job);

 private:
  HINSTANCE module;
  TextSource& source;
  const ContentLayout& shown;
  const ContentMarks& marks;
  const ContentPainter& screenPainter;
  const DunmoorBinding& binding;
};

}  // namespace calvetta

#endif  // CALVETTA_WIN_CONTENTPRINT_WIN_H
