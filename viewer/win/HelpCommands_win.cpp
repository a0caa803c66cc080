#include "HelpCommands_win.h"

#include <shellapi.h>

#include <string>

#include "AppState_win.h"
#include "BrisvaneRes.h"
#include "UiFont_win.h"
#include "ui/Dialog.h"
#include "ui/UniqueHandle.h"

namespace brisvane {

namespace {

class AboutDialog : public ui::Dialog {
 public:
  void Run(HWND owner) { RunModal(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ABOUT), owner); }

 protected:
  INT_PTR OnInitDialog() override {
    UseJapaneseUiFont(Hwnd(), 9, &font);
    return TRUE;
  }
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM) override {
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
      EndDialog(Hwnd(), LOWORD(wParam));
      return TRUE;
    }
    return FALSE;
  }

 private:
  ui::UniqueFont font;
};

}  // namespace

void ShowAbout(HWND owner) { AboutDialog().Run(owner); }

void ShowHelp(HWND owner, AppState& app) {
  wchar_t path[MAX_PATH] = L"";
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  wchar_t* slash = wcsrchr(path, L'\\');
  bool named = length > 0 && length < MAX_PATH && slash && (slash - path) + 14 < MAX_PATH;
  if (named) lstrcpyW(slash + 1, L"Brisvane.chm");
  if (named && GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES &&
      reinterpret_cast<INT_PTR>(ShellExecuteW(owner, L"open", path, nullptr, nullptr, SW_SHOWNORMAL)) > 32)
    return;
  wchar_t format[128] = L"";
  LoadStringW(GetModuleHandleW(nullptr), IDS_NO_HELP, format, 128);
  std::wstring text = format;
  text += named ? path : L"Brisvane.chm";
  MessageBeep(0);
  app.ShowMessage(owner, text.c_str());
}

}  // namespace brisvane
