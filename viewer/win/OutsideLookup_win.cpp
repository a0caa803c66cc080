#include "OutsideLookup_win.h"

#include <commctrl.h>

#include <cstdint>
#include <cwchar>

#include "AppState_win.h"
#include "BrisvaneRes.h"
#include "FrameMessages.h"
#include "FrameRouter.h"
#include "HostLink_win.h"
#include "LookupPopup_win.h"
#include "OutsideWords.h"
#include "SearchRules.h"
#include "SelectionCopy_win.h"
#include "Settings_win.h"
#include "ui/ResourceText.h"

namespace brisvane {

namespace {

constexpr wchar_t kLookupKey[] = L"lookup";
constexpr wchar_t kHotKeyValue[] = L"HotKey";
constexpr wchar_t kWatchValue[] = L"WatchClipboard";
constexpr DWORD kSendTimeoutMs = 5000;
// More than a word could be: a second start's data beyond this is not ours.
constexpr DWORD kMostWordBytes = 1024;

UINT ModifiersOf(WORD key) {
  const BYTE flags = HIBYTE(key);
  UINT modifiers = MOD_NOREPEAT;
  if (flags & HOTKEYF_CONTROL) modifiers |= MOD_CONTROL;
  if (flags & HOTKEYF_ALT) modifiers |= MOD_ALT;
  if (flags & HOTKEYF_SHIFT) modifiers |= MOD_SHIFT;
  return modifiers;
}

bool OwnedByThisProcess(HWND window) {
  DWORD process = 0;
  return window && GetWindowThreadProcessId(window, &process) && process == GetCurrentProcessId();
}

}  // namespace

bool OutsideLookup::Start(HWND frameWindow) {
  frame = frameWindow;
  uint32_t stored = 0;
  if (exchange::ReadNumberSetting(kLookupKey, kWatchValue, &stored) && stored != 0) {
    watching = AddClipboardFormatListener(frame) != FALSE;
  }
  if (exchange::ReadNumberSetting(kLookupKey, kHotKeyValue, &stored)) wanted = static_cast<WORD>(stored);
  return wanted == 0 || Register(wanted);
}

void OutsideLookup::Stop() {
  popup.End();
  if (!frame) return;
  if (hotKey) UnregisterHotKey(frame, kHotKeyId);
  if (watching) RemoveClipboardFormatListener(frame);
  hotKey = 0;
  watching = false;
}

void OutsideLookup::AddCommands(ui::CommandTable& commands) {
  commands.Add(IDM_CLIPBOARD_WATCH, [this](int, HWND) { ToggleClipboardWatch(); });
  popup.AddCommands(commands);
}

void OutsideLookup::UpdateMenu(HMENU menu) const {
  CheckMenuItem(menu, IDM_CLIPBOARD_WATCH, MF_BYCOMMAND | (watching ? MF_CHECKED : MF_UNCHECKED));
  popup.UpdateMenu(menu);
}

bool OutsideLookup::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  *result = 0;
  switch (message) {
    case WM_HOTKEY:
      if (wParam == kHotKeyId && !app.ModalBusy()) LookUp(TakeSelection());
      return true;
    case WM_CLIPBOARDUPDATE:
      if (!app.ModalBusy()) LookUp(TakeClipboardWord());
      return true;
    case WM_COPYDATA:
      *result = OnCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
      return true;
    case FM_OUTSIDEWORD:
      LookUp(secondStartWord);
      return true;
    default:
      return false;
  }
}

void OutsideLookup::LookUp(const std::wstring& word) {
  if (word.empty() || app.ModalBusy()) return;
  if (popup.Chosen() && popup.Open(word, GetForegroundWindow(), frame)) return;
  popup.Close(false);
  host.BringUp();
  router.LookUp(word);
}

LRESULT OutsideLookup::OnCopyData(const COPYDATASTRUCT* data) {
  std::wstring word;
  if (!data || !ReadCommandLineWord(*data, &word)) return FALSE;
  if (app.ModalBusy()) return FALSE;
  // Looked up after the sender has its answer: a search may take a while.
  secondStartWord = word;
  PostMessageW(frame, FM_OUTSIDEWORD, 0, 0);
  return TRUE;
}

bool OutsideLookup::Register(WORD key) {
  if (LOBYTE(key) == 0 || !RegisterHotKey(frame, kHotKeyId, ModifiersOf(key), LOBYTE(key))) return false;
  hotKey = key;
  return true;
}

std::wstring OutsideLookup::HotKeyName(WORD key) {
  if (LOBYTE(key) == 0) return std::wstring();
  std::wstring name;
  if (HIBYTE(key) & HOTKEYF_CONTROL) name += L"Ctrl+";
  if (HIBYTE(key) & HOTKEYF_ALT) name += L"Alt+";
  if (HIBYTE(key) & HOTKEYF_SHIFT) name += L"Shift+";
  const UINT vk = LOBYTE(key);
  if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z')) return name + static_cast<wchar_t>(vk);
  wchar_t text[32] = L"";
  LONG scan = static_cast<LONG>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) << 16;
  if (HIBYTE(key) & HOTKEYF_EXT) scan |= 1 << 24;
  if (GetKeyNameTextW(scan, text, 32) > 0) return name + text;
  return name + L"#" + std::to_wstring(vk);
}

std::wstring OutsideLookup::TakenText(UINT textId, WORD key) {
  wchar_t text[256];
  swprintf(text, 256, ui::LoadText(textId).c_str(), HotKeyName(key).c_str());
  return text;
}

bool OutsideLookup::ChangeHotKey(WORD key) {
  if (key == hotKey) return true;
  const WORD old = hotKey;
  if (old) UnregisterHotKey(frame, kHotKeyId);
  hotKey = 0;
  if (key != 0 && !Register(key)) {
    if (old) Register(old);
    return false;
  }
  wanted = key;
  exchange::WriteNumberSetting(kLookupKey, kHotKeyValue, key);
  return true;
}

void OutsideLookup::ToggleClipboardWatch() {
  if (watching) {
    RemoveClipboardFormatListener(frame);
    watching = false;
  } else {
    // What is on the clipboard now is no new text.
    ownChanges = GetClipboardSequenceNumber();
    watching = AddClipboardFormatListener(frame) != FALSE;
  }
  exchange::WriteNumberSetting(kLookupKey, kWatchValue, watching ? 1 : 0);
}

std::wstring OutsideLookup::TakeSelection() {
  HWND target = GetForegroundWindow();
  if (!target || OwnedByThisProcess(target) || grabbing) return std::wstring();
  std::wstring text;
  exchange::SelectionCopy copy;
  copy.target = target;
  copy.owner = frame;  // the clipboard's changes on the way are then seen as ours
  copy.read = [&] { return exchange::ReadClipboardUnicode(frame, &text); };
  grabbing = true;
  const bool copied = exchange::CopySelection(copy);
  grabbing = false;
  ownChanges = GetClipboardSequenceNumber();
  return copied ? SelectedWord(text) : std::wstring();
}

std::wstring OutsideLookup::TakeClipboardWord() {
  if (!watching || grabbing) return std::wstring();
  // The changes of our own grab arrive after it: the clipboard then holds what it held before.
  const DWORD sequence = GetClipboardSequenceNumber();
  if (sequence != 0 && sequence <= ownChanges) return std::wstring();
  if (OwnedByThisProcess(GetClipboardOwner())) return std::wstring();  // the viewer's own copy
  std::wstring text;
  if (!exchange::ReadClipboardUnicode(frame, &text)) return std::wstring();
  return ClipboardWord(text);
}

bool OutsideLookup::ReadCommandLineWord(const COPYDATASTRUCT& data, std::wstring* word) {
  if (data.dwData != kCommandLineWord || data.cbData % sizeof(wchar_t) != 0 || data.cbData > kMostWordBytes ||
      (data.cbData > 0 && !data.lpData))
    return false;
  word->assign(static_cast<const wchar_t*>(data.lpData), data.cbData / sizeof(wchar_t));
  return true;
}

bool OutsideLookup::SendCommandLineWord(HWND running, const std::wstring& word) {
  // What the word box holds of it.
  std::wstring boxed = word.substr(0, kWordBoxLimit);
  COPYDATASTRUCT data = {};
  data.dwData = kCommandLineWord;
  data.cbData = static_cast<DWORD>(boxed.size() * sizeof(wchar_t));
  data.lpData = boxed.data();
  DWORD process = 0;
  // The viewer that runs brings itself forward when it takes the word.
  if (GetWindowThreadProcessId(running, &process)) AllowSetForegroundWindow(process);
  DWORD_PTR answer = 0;
  return SendMessageTimeoutW(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                             kSendTimeoutMs, &answer) &&
         answer != 0;
}

}  // namespace brisvane
