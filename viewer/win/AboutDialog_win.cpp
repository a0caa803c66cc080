#include "AboutDialog_win.h"

#include <string>
#include <vector>

#include "BrisvaneRes.h"
#include "UiFont_win.h"

namespace brisvane {

namespace {

// The product version of the program's own version resource ("1.0.0"); empty without one.
std::wstring ProgramVersion() {
  wchar_t program[MAX_PATH] = L"";
  DWORD length = GetModuleFileNameW(nullptr, program, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return std::wstring();
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeW(program, &ignored);
  if (size == 0) return std::wstring();
  std::vector<BYTE> data(size);
  if (!GetFileVersionInfoW(program, 0, size, data.data())) return std::wstring();
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
