#include "AboutDialog_win.h"

#include <string>
#include <vector>

#include "BrisvaneRes.h"
#include "UiFont_win.h"
#include "ui/ProgramFile.h"

namespace brisvane {

namespace {

// The product version of the program's own version resource ("1.0.0"); empty without one.
std::wstring ProgramVersion() {
  std::wstring program = ui::ProgramFile();
  DWORD ignored = 0;
  DWORD size = program.empty() ? 0 : GetFileVersionInfoSizeW(program.c_str(), &ignored);
  if (size == 0) return std::wstring();
  std::vector<BYTE> data(size);
  if (!GetFileVersionInfoW(program.c_str(), 0, size, data.data())) return std::wstring();
  wchar_t* text = nullptr;
  UINT chars = 0;
  if (!VerQueryValueW(data.data(), L"\\StringFileInfo\\041104B0\\ProductVersion", reinterpret_cast<void**>(&text),
                      &chars) ||
      !text || chars == 0)
    return std::wstring();
  return std::wstring(text, wcsnlen(text, chars));
}

}  // namespace

void AboutDialog::Run(HWND owner) { RunModal(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ABOUT), owner); }

INT_PTR AboutDialog::OnInitDialog() {
  UseJapaneseUiFont(Hwnd(), 9, &font);
  std::wstring version = ProgramVersion();
  if (!version.empty()) SetDlgItemTextW(Hwnd(), IDT_ABOUT_VERSION, (L"Version " + version).c_str());
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
