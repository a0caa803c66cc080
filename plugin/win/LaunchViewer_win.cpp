#include "LaunchViewer_win.h"

#include <windows.h>

#include <shellapi.h>

#include "GrabWord_win.h"
#include "HostExchange.h"
#include "HostExchange_win.h"
#include "HostWord.h"
#include "PluginSettings_win.h"
#include "PluginState_win.h"

namespace ostrelle {

std::wstring ViewerFolder(const std::wstring& execFileName) {
  size_t slash = execFileName.rfind(L'\\');
  return slash == std::wstring::npos || slash == 0 ? std::wstring() : execFileName.substr(0, slash);
}

void LaunchViewer(WordSource source) {
  if (HWND placeholder = gState.placeholderWindow) {
    gState.placeholderWindow = nullptr;
    DestroyWindow(placeholder);
  }
  PluginSettings settings;
  std::wstring program = settings.Read(L"ExecFileName");
  if (program.empty()) return;
  std::string word;
  if (source == WordSource::kSelection)
    word = exchange::CutHostWord(GrabWord(), exchange::kExchangeWordBytes);  // whole characters only
  else
    word = exchange::ReadExchangeBytes(hostexchange::kQuickLookupSection);
  exchange::WriteExchangeBytes(hostexchange::kHostStartSection, word);
  std::wstring folder = ViewerFolder(program);
  auto result = reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", program.c_str(), L"-p",
                                                        folder.empty() ? nullptr : folder.c_str(), SW_SHOW));
  if (result > 32) gState.viewerStarted = 1;
}

}  // namespace ostrelle
