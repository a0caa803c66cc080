// The title dialog (タイトルの選択): lists the books on the drives (the first drive of the
// system left out), in the directories remembered in the registry value "path" and at the open
// book's place, one line a book: path, blank, "<<", title, ">>" (a disc with several books has a
// line for each). The lines are drawn title first, the open book's in bold and marked, and the
// open book is selected when the dialog opens. Its
// 参照 button browses for another directory, which is then remembered and chosen at once; a
// directory with several books adds their lines instead, for the user to pick one.
#ifndef BRISVANE_VIEWER_WIN_TITLEDIALOG_WIN_H
#define BRISVANE_VIEWER_WIN_TITLEDIALOG_WIN_H

#include <windows.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "BookApi.h"
#include "ui/Dialog.h"
#include "ui/UniqueHandle.h"

namespace brisvane {

// The places the dialog lists books of: every drive but the first, then the remembered
// directories.
std::vector<std::wstring> KnownBookRoots();

class TitleDialog : public ui::Dialog {
 public:
  // bookPath: the path of the current book, where browsing starts when the
  // list is empty; when bookOpen, the book of catalog index openIndex (-1: the first usable one)
  // there is open.
  TitleDialog(const BookApi& book, std::wstring bookPath, int32_t openIndex, bool bookOpen);

  // 1 when a book was chosen (Path(), BookIndex()), 0 when cancelled.
  INT_PTR Run(HWND owner);
  const std::wstring& Path() const { return path; }
  // The catalog index of the chosen book; -1: the disc's first usable book.
  int32_t BookIndex() const { return bookIndex; }

 protected:
  INT_PTR OnInitDialog() override;
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Fill();
  // Selects the open book's line.
  void SelectOpenBook();
  bool IsOpenBook(const std::wstring& line, int32_t index) const;
  void DrawLine(const DRAWITEMSTRUCT& item);
  // Adds a line for each usable book at bookPath; the number of books.
  size_t AddLinesIfBook(const std::wstring& bookPath);
  // What line's book of catalog index is when of a kind not read (DiscBook::unreadable), else 0.
  int32_t UnreadableOf(const std::wstring& line, int32_t index) const;
  void Choose();
  void Browse();

  const BookApi& book;
  ui::UniqueFont font;  // the Japanese UI font of the dialog and its controls
  ui::UniqueFont boldFont;  // the open book's title
  HWND list = nullptr;
  std::wstring path;
  int32_t bookIndex = -1;
  std::wstring openPath;   // the open book's place; empty when none is open
  int32_t openIndex = -1;
  // The lines of books of kinds not read (greyed, with why), by line and catalog index.
  std::map<std::pair<std::wstring, int32_t>, int32_t> unreadable;
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_TITLEDIALOG_WIN_H
