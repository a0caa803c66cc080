#include "GrabWord_win.h"

#include <windows.h>

#include <cstring>

#include "HostExchange_win.h"
#include "Ostrelle.h"
#include "SelectionCopy_win.h"
#include "ui/Clipboard.h"

namespace ostrelle {

namespace {

constexpr DWORD kSendTimeoutMs = 2000;

// Asks the host's toolbar for the window that was active before the click.
HWND TargetWindow() {
  HWND toolbar = FindWindowW(kHostToolbarClass, nullptr);
  UINT notify = RegisterWindowMessageW(kPluginNotifyMessage);
  DWORD_PTR answer = 0;
  if (!toolbar || !notify ||
      !SendMessageTimeoutW(toolbar, notify, kNotifyWhichWindow, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &answer))
    return nullptr;
  HWND target = reinterpret_cast<HWND>(answer);
  if (!target || !IsWindow(target) || IsIconic(target) || !IsWindowVisible(target)) return nullptr;
  return target;
}

// The clipboard's text as Shift-JIS bytes. The Unicode form is read first and converted with
// code page 932, so that Japanese text arrives intact under any ANSI code page; CF_TEXT alone
// is taken as it is. Reads never go past the block, whether or not it holds a NUL.
bool ReadClipboardText(HWND owner, std::string* bytes) {
  std::wstring wide;
  if (exchange::ReadClipboardUnicode(owner, &wide)) {
    if (!exchange::ToShiftJis(wide, bytes)) bytes->clear();
    return true;
  }
  // No Unicode form of it: CF_TEXT's bytes.
  if (!IsClipboardFormatAvailable(CF_TEXT) || !ui::OpenClipboardPatiently(owner)) return false;
  bool found = false;
  if (HANDLE narrow = GetClipboardData(CF_TEXT)) {
    size_t capacity = GlobalSize(narrow);
    if (const auto* text = static_cast<const char*>(GlobalLock(narrow))) {
      bytes->assign(text, strnlen(text, capacity));
      GlobalUnlock(narrow);
      found = true;
    }
  }
  CloseClipboard();
  return found;
}

}  // namespace

std::string GrabWord() {
  HWND target = TargetWindow();
  if (!target) return std::string();
  UINT searchLastActive = RegisterWindowMessageW(kSearchLastActiveMessage);
  std::string bytes;
  exchange::SelectionCopy copy;
  copy.target = target;
  copy.owner = target;
  copy.nudge = [&] { SendMessageTimeoutW(target, searchLastActive, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, nullptr); };
  copy.read = [&] { return ReadClipboardText(target, &bytes); };
  return exchange::CopySelection(copy) ? bytes : std::string();
}

}  // namespace ostrelle
