#include "AboutDialog_win.h"

#include "BrisvaneRes.h"
#include "UiFont_win.h"

namespace brisvane {

void AboutDialog::Run(HWND owner) { RunModal(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ABOUT), owner); }

INT_PTR AboutDialog::OnInitDialog() {
  UseJapaneseUiFont(Hwnd(), 9, &font);
  return TRUE;
}

INT_PTR AboutDialog::OnMessage(UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
    EndDialog(Hwnd(), LOWORD(wParam));
    return TRUE;
  }
  return FALSE;
}

}  // namespace brisvane
