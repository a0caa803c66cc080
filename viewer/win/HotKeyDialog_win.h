// The options menu's dialog for the system-wide key: a hot-key control that shows the key in
// force. OK makes the key the new one; a key that another program holds is refused with a
// message, and the dialog stays open for another choice.
#ifndef BRISVANE_VIEWER_WIN_HOTKEYDIALOG_WIN_H
#define BRISVANE_VIEWER_WIN_HOTKEYDIALOG_WIN_H

#include <windows.h>

#include "ui/Dialog.h"
#include "ui/UniqueHandle.h"

namespace brisvane {

class AppState;
class OutsideLookup;

class HotKeyDialog : public ui::Dialog {
 public:
  HotKeyDialog(AppState& app, OutsideLookup& lookup) : app(app), lookup(lookup) {}
  void Run(HWND owner);

 private:
  INT_PTR OnInitDialog() override;
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnOk();

  AppState& app;
  OutsideLookup& lookup;
  ui::UniqueFont font;
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_HOTKEYDIALOG_WIN_H
