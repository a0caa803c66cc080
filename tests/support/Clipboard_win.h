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

}  // namespace testfiles

#endif  // TESTS_SUPPORT_CLIPBOARD_WIN_H
