#include "HelpCommands_win.h"

#include <shellapi.h>

#include <string>

#include "AboutDialog_win.h"
#include "AppState_win.h"
#include "BrisvaneRes.h"

namespace brisvane {

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
