#include "HotKeyDialog_win.h"

#include <commctrl.h>

#include "AppState_win.h"
#include "BrisvaneRes.h"
#include "OutsideLookup_win.h"
#include "UiFont_win.h"

namespace brisvane {

void HotKeyDialog::Run(HWND owner) {
  AppState::ModalScope modal(app);
  RunModal(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_HOTKEY), owner);
}

INT_PTR HotKeyDialog::OnInitDialog() {
  UseJapaneseUiFont(Hwnd(), 9, &font);
  HWND control = GetDlgItem(Hwnd(), IDC_HOTKEY);
  // A key alone, or with Shift only, would take a key that the user types.
  SendMessageW(control, HKM_SETRULES, HKCOMB_NONE | HKCOMB_S, MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_ALT, 0));
  SendMessageW(control, HKM_SETHOTKEY, lookup.HotKey(), 0);
  return TRUE;
}

void HotKeyDialog::OnOk() {
  const WORD key = LOWORD(SendDlgItemMessageW(Hwnd(), IDC_HOTKEY, HKM_GETHOTKEY, 0, 0));
  if (lookup.ChangeHotKey(key)) {
    EndDialog(Hwnd(), IDOK);
    return;
  }
  app.ShowMessage(Hwnd(), OutsideLookup::TakenText(IDS_HOTKEY_TAKEN, key).c_str());
  SetFocus(GetDlgItem(Hwnd(), IDC_HOTKEY));
}

INT_PTR HotKeyDialog::OnMessage(UINT message, WPARAM wParam, LPARAM) {
  if (message != WM_COMMAND) return FALSE;
  if (LOWORD(wParam) == IDOK) {
    OnOk();
    return TRUE;
  }
  if (LOWORD(wParam) == IDCANCEL) {
    EndDialog(Hwnd(), IDCANCEL);
    return TRUE;
  }
  return FALSE;
}

}  // namespace brisvane
