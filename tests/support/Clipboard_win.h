// What the clipboard holds, read by the Windows tests: CF_TEXT as its bytes, CF_UNICODETEXT as
// UTF-16 (empty when the format is not there).
#ifndef TESTS_SUPPORT_CLIPBOARD_WIN_H
#define TESTS_SUPPORT_CLIPBOARD_WIN_H

#include <windows.h>

#include <string>

namespace testfiles {

template <typename Char>
std::basic_string<Char> ClipboardData(UINT format) {
  std::basic_string<Char> text;
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE data = GetClipboardData(format)) {
    if (const Char* p = static_cast<const Char*>(GlobalLock(data))) text = p;
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

inline std::string ClipboardBytes() { return ClipboardData<char>(CF_TEXT); }
inline std::wstring ClipboardUnicode() { return ClipboardData<wchar_t>(CF_UNICODETEXT); }

// Puts text on the clipboard as CF_UNICODETEXT, as another program copies it (no owner window).
inline bool PutClipboardUnicode(const std::wstring& text) {
  if (!OpenClipboard(nullptr)) return false;
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  void* chars = block ? GlobalLock(block) : nullptr;
  if (chars) {
    CopyMemory(chars, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(block);
  }
  const bool put = chars && SetClipboardData(CF_UNICODETEXT, block);
  if (!put && block) GlobalFree(block);
  CloseClipboard();
  return put;
}

}  // namespace testfiles

#endif  // TESTS_SUPPORT_CLIPBOARD_WIN_H
