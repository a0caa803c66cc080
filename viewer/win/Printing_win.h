// Printing: 画面 → 印刷 (Ctrl+P) prints what the entry pane shows — the marked lines, else the
// whole entry — through the system's print dialog, laid out by the view for the paper (VM_VIEW_PRINT)
// with the book's title and the entry's heading above each page and its number below;
// ページ設定 chooses the printer, the paper and the margins, kept while the viewer runs.
#ifndef BRISVANE_VIEWER_WIN_PRINTING_WIN_H
#define BRISVANE_VIEWER_WIN_PRINTING_WIN_H

#include <windows.h>

#include "ui/CommandTable.h"
#include "ui/Window.h"

namespace brisvane {

class AppState;
class BookSession;
class ContentView;
class FrameBars;

class PrintCommands {
 public:
  PrintCommands(AppState& app, BookSession& book, const ContentView& content, FrameBars& bars)
      : app(app), book(book), content(content), bars(bars) {}
  ~PrintCommands();
  PrintCommands(const PrintCommands&) = delete;
  PrintCommands& operator=(const PrintCommands&) = delete;

  // Its two commands; frame owns the dialogs.
  void AddCommands(ui::CommandTable& commands, const ui::Window& frame);

 private:
  void Print();
  void PageSetup();
  // The dialog's failure (not a cancel) told in the status bar.
  void ReportDialogError();

  AppState& app;
  BookSession& book;
  const ContentView& content;
  FrameBars& bars;
  const ui::Window* frame = nullptr;
  // The printer and paper chosen last, shared by both dialogs.
  HGLOBAL devMode = nullptr;
  HGLOBAL devNames = nullptr;
  RECT margins = {1500, 1500, 1500, 1500};  // in hundredths of a millimetre
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_PRINTING_WIN_H
