// The edge between Shift-JIS bytes (code page 932: what the book-access library, the host
// product and the clipboard's CF_TEXT hold) and the UTF-16 text of the window APIs. Always code
// page 932, whatever the system's ANSI code page is.
#ifndef UI_SHIFTJISTEXT_H
#define UI_SHIFTJISTEXT_H

#include <windows.h>

#include <string>
#include <string_view>

namespace ui {

constexpr UINT kShiftJisCodePage = 932;

// The text of the bytes; invalid bytes become what the system makes of them.
inline std::wstring FromShiftJis(std::string_view bytes) {
  if (bytes.empty()) return std::wstring();
  int count = MultiByteToWideChar(kShiftJisCodePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  if (count <= 0) return std::wstring();
  std::wstring text(static_cast<size_t>(count), L'\0');
  MultiByteToWideChar(kShiftJisCodePage, 0, bytes.data(), static_cast<int>(bytes.size()), &text[0], count);
  return text;
}

// The bytes of the text; a character that Shift-JIS lacks becomes the system's default
// character, and *lost (when given) says whether that happened.
inline std::string ToShiftJis(std::wstring_view text, bool* lost = nullptr) {
  if (lost) *lost = false;
  if (text.empty()) return std::string();
  BOOL defaulted = FALSE;
  int size = WideCharToMultiByte(kShiftJisCodePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                 nullptr, lost ? &defaulted : nullptr);
  if (size <= 0) return std::string();
  std::string bytes(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(kShiftJisCodePage, 0, text.data(), static_cast<int>(text.size()), &bytes[0], size, nullptr,
                      nullptr);
  if (lost) *lost = defaulted != FALSE;
  return bytes;
}

// The bytes of the text when Shift-JIS has every one of its characters as it is (the system puts
// no look-alike, such as O for Ò, in its place); false, and nothing, otherwise.
inline bool ToShiftJisExactly(std::wstring_view text, std::string* bytes) {
  bytes->clear();
  if (text.empty()) return true;
  BOOL defaulted = FALSE;
  int size = WideCharToMultiByte(kShiftJisCodePage, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                                 nullptr, 0, nullptr, &defaulted);
  if (size <= 0 || defaulted) return false;
  bytes->resize(static_cast<size_t>(size));
  WideCharToMultiByte(kShiftJisCodePage, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()), &(*bytes)[0],
                      size, nullptr, nullptr);
  return true;
}

}  // namespace ui

#endif  // UI_SHIFTJISTEXT_H
