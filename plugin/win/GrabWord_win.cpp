#include "GrabWord_win.h"

#include <windows.h>

#include <cwchar>

#include "HostExchange_win.h"
#include "Ostrelle.h"
#include "SavedClipboard_win.h"

namespace ostrelle {

namespace {

constexpr int kQuietAttempts = 50;   // before the keystroke: the window may copy on the message
constexpr int kTypedAttempts = 500;  // after it
constexpr DWORD kTypedAttemptWaitMs = 10;
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

// Dispatches the thread's queued messages; false when WM_QUIT came (posted again for the loop
// that owns the thread).
bool PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return false;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return true;
}

// The clipboard's text as Shift-JIS bytes. The Unicode form is read first and converted with
// code page 932, so that Japanese text arrives intact under any ANSI code page; CF_TEXT alone
// is taken as it is. Reads never go past the block, whether or not it holds a NUL.
bool ReadClipboardText(HWND owner, std::string* bytes) {
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT) && !IsClipboardFormatAvailable(CF_TEXT)) return false;
  if (!OpenClipboardPatiently(owner)) return false;
  bool found = false;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    size_t capacity = GlobalSize(data) / sizeof(wchar_t);
    if (const auto* text = static_cast<const wchar_t*>(GlobalLock(data))) {
      std::wstring wide(text, wcsnlen(text, capacity));
      GlobalUnlock(data);
      found = true;
      if (!exchange::ToShiftJis(wide, bytes)) bytes->clear();
    }
  } else if (HANDLE narrow = GetClipboardData(CF_TEXT)) {
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

// Ctrl+Insert, after letting go of Shift (both) and Alt, which would make it another command.
void TypeCopyKeys() {
  keybd_event(VK_SHIFT, 0x2A, KEYEVENTF_KEYUP, 0);
  keybd_event(VK_SHIFT, 0x36, KEYEVENTF_KEYUP, 0);
  keybd_event(VK_MENU, 0x38, KEYEVENTF_KEYUP, 0);
  keybd_event(VK_CONTROL, 0x1D, 0, 0);
  keybd_event(VK_INSERT, 0x92, 0, 0);
  keybd_event(VK_INSERT, 0x92, KEYEVENTF_KEYUP, 0);
  keybd_event(VK_CONTROL, 0x1D, KEYEVENTF_KEYUP, 0);
}

enum class Attempt { kText, kNothing, kQuit };

Attempt TryOnce(HWND target, UINT searchLastActive, std::string* bytes) {
  if (!PumpMessages()) return Attempt::kQuit;
  SendMessageTimeoutW(target, searchLastActive, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, nullptr);
  return ReadClipboardText(target, bytes) ? Attempt::kText : Attempt::kNothing;
}

std::string WaitForText(HWND target) {
  UINT searchLastActive = RegisterWindowMessageW(kSearchLastActiveMessage);
  std::string bytes;
  for (int i = 0; i < kQuietAttempts; ++i) {
    Attempt result = TryOnce(target, searchLastActive, &bytes);
    if (result == Attempt::kText) return bytes;
    if (result == Attempt::kQuit) return std::string();
  }
  TypeCopyKeys();
  for (int i = 0; i < kTypedAttempts; ++i) {
    Attempt result = TryOnce(target, searchLastActive, &bytes);
    if (result == Attempt::kText) return bytes;
    if (result == Attempt::kQuit) return std::string();
    // The typed keys go through the system's input queue: give them time to arrive.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, kTypedAttemptWaitMs, QS_ALLINPUT);
  }
  return std::string();
}

}  // namespace

std::string GrabWord() {
  HWND target = TargetWindow();
  if (!target) return std::string();
  SavedClipboard saved;
  // A clipboard that cannot be read now is left alone: emptying it would lose what it holds.
  if (!saved.Save(target)) return std::string();
  if (!OpenClipboardPatiently(target)) return std::string();  // the old text would pass for the word
  EmptyClipboard();
  CloseClipboard();
  SetForegroundWindow(target);
  std::string word = WaitForText(target);
  saved.Restore(target);
  return word;
}

}  // namespace ostrelle
