// The main frame's title selection: the chosen book replaces the open one.
#include "AppFlags_win.h"
#include "MainFrame_win.h"
#include "TitleDialog_win.h"

namespace brisvane {

void MainFrame::SelectTitle() {
  TitleDialog dialog(book, bookPath);
  bool wasBusy = gFlags.modalBusy;
  gFlags.modalBusy = true;  // hand-overs wait while the dialogs are open
  INT_PTR result = dialog.Run(Hwnd());
  gFlags.modalBusy = wasBusy;
  if (result == 1) {
    bookPath = dialog.Path();
    bookIndex = dialog.BookIndex();
    if (bookOpen) CloseBook();
    OpenBook();
    ResetPanes();
  } else if (!bookPath.empty()) {
    book.OpenEpwing(bookPath.c_str());  // listing the discs loaded their catalogs: back to ours
  }
  SetFocus(toolbar);
}

}  // namespace brisvane
