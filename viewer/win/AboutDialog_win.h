// The version dialog (バージョン情報, IDD_ABOUT): the program's icon, name and version, and OK.
#ifndef BRISVANE_VIEWER_WIN_ABOUTDIALOG_WIN_H
#define BRISVANE_VIEWER_WIN_ABOUTDIALOG_WIN_H

#include <windows.h>

#include "ui/Dialog.h"
#include "ui/UniqueHandle.h"

namespace brisvane {

class AboutDialog : public ui::Dialog {
 public:
  // Modal to owner until OK, Esc or the close box.
  void Run(HWND owner);

 protected:
  INT_PTR OnInitDialog() override;
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  ui::UniqueFont font;
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_ABOUTDIALOG_WIN_H
