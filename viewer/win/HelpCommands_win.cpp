#include "HelpCommands_win.h"

#include <shellapi.h>

#include <string>

#include "AboutDialog_win.h"
#include "AppState_win.h"
#include "BrisvaneRes.h"
#include "ui/ProgramFile.h"
#include "ui/ResourceText.h"

namespace brisvane {

void ShowAbout(HWND owner) { AboutDialog().Run(owner); }

void ShowHelp(HWND owner, AppState& app) {
  std::wstring folder = ui::ProgramFolder();
  std::wstring path = folder.empty() ? std::wstring(L"Brisvane.chm") : folder + L"Brisvane.chm";
  if (!folder.empty() && GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES &&
      reinterpret_cast<INT_PTR>(ShellExecuteW(owner, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL)) > 32)
    return;
  std::wstring text = ui::LoadText(IDS_NO_HELP) + path;
  MessageBeep(0);
  app.ShowMessage(owner, text.c_str());
}

}  // namespace brisvane
