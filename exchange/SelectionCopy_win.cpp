#include "SelectionCopy_win.h"

#include <cstring>
#include <cwchar>

#include "ui/Clipboard.h"

namespace exchange {

namespace {

constexpr int kQuietAttempts = 50;   // before the keystroke: the window may copy on the nudge
constexpr int kTypedAttempts = 500;  // after it
constexpr DWORD kTypedAttemptWaitMs = 10;

HGLOBAL CopyBlock(HANDLE data) {
  SIZE_T size = GlobalSize(data);
  const void* source = size ? GlobalLock(data) : nullptr;
  if (!source) return nullptr;
  HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size);
  if (void* target = copy ? GlobalLock(copy) : nullptr) {
    std::memcpy(target, source, size);
    GlobalUnlock(copy);
  }
  GlobalUnlock(data);
  return copy;
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

Attempt TryOnce(const SelectionCopy& copy) {
  if (!PumpMessages()) return Attempt::kQuit;
  if (copy.nudge) copy.nudge();
  return copy.read() ? Attempt::kText : Attempt::kNothing;
}

bool WaitForText(const SelectionCopy& copy) {
  for (int i = 0; copy.nudge && i < kQuietAttempts; ++i) {
    Attempt result = TryOnce(copy);
    if (result != Attempt::kNothing) return result == Attempt::kText;
  }
  TypeCopyKeys();
  for (int i = 0; i < kTypedAttempts; ++i) {
    Attempt result = TryOnce(copy);
    if (result != Attempt::kNothing) return result == Attempt::kText;
    // The typed keys go through the system's input queue: give them time to arrive.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, kTypedAttemptWaitMs, QS_ALLINPUT);
  }
  return false;
}

}  // namespace

SavedClipboard::~SavedClipboard() {
  for (const Entry& entry : entries) GlobalFree(entry.copy);
}

bool SavedClipboard::IsGlobalMemoryFormat(UINT format) {
  switch (format) {
    case CF_BITMAP:
    case CF_METAFILEPICT:  // a block, but holding a metafile handle
    case CF_PALETTE:
    case CF_ENHMETAFILE:
    case CF_OWNERDISPLAY:
    case CF_DSPBITMAP:
    case CF_DSPMETAFILEPICT:
    case CF_DSPENHMETAFILE:
      return false;
    default:
      // Private formats are whatever their owner makes of them; GDI object formats are objects.
      return !(format >= CF_PRIVATEFIRST && format <= CF_PRIVATELAST) &&
             !(format >= CF_GDIOBJFIRST && format <= CF_GDIOBJLAST);
  }
}

bool SavedClipboard::Save(HWND owner) {
  if (!ui::OpenClipboardPatiently(owner)) return false;
  for (UINT format = EnumClipboardFormats(0); format; format = EnumClipboardFormats(format)) {
    if (!IsGlobalMemoryFormat(format)) continue;
    HANDLE data = GetClipboardData(format);
    if (HGLOBAL copy = data ? CopyBlock(data) : nullptr) entries.push_back({format, copy});
  }
  CloseClipboard();
  return true;
}

void SavedClipboard::Restore(HWND owner) {
  if (!ui::OpenClipboardPatiently(owner)) return;  // the copies are freed with this object
  // Emptied first: the copied selection must not stay beside the earlier formats, where a
  // program reading one format would get the old text and another the grabbed word.
  EmptyClipboard();
  for (const Entry& entry : entries)
    if (!SetClipboardData(entry.format, entry.copy)) GlobalFree(entry.copy);
  entries.clear();
  CloseClipboard();
}

bool ReadClipboardUnicode(HWND owner, std::wstring* text) {
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT) && !IsClipboardFormatAvailable(CF_TEXT)) return false;
  if (!ui::OpenClipboardPatiently(owner)) return false;
  bool found = false;
  // The system offers CF_UNICODETEXT for CF_TEXT too.
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    size_t capacity = GlobalSize(data) / sizeof(wchar_t);
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      text->assign(chars, wcsnlen(chars, capacity));
      GlobalUnlock(data);
      found = true;
    }
  }
  CloseClipboard();
  return found;
}

bool CopySelection(const SelectionCopy& copy) {
  if (!copy.target || !copy.read) return false;
  SavedClipboard saved;
  // A clipboard that cannot be read now is left alone: emptying it would lose what it holds.
  if (!saved.Save(copy.owner)) return false;
  if (!ui::OpenClipboardPatiently(copy.owner)) return false;  // the old text would pass for the selection
  EmptyClipboard();
  CloseClipboard();
  SetForegroundWindow(copy.target);
  bool found = WaitForText(copy);
  saved.Restore(copy.owner);
  return found;
}

}  // namespace exchange
