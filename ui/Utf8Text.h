// UTF-8 (what the portable code of the viewer keeps text in) and the UTF-16 of the window APIs.
#ifndef UI_UTF8TEXT_H
#define UI_UTF8TEXT_H

#include <windows.h>

#include <string>
#include <string_view>

namespace ui {

inline std::wstring FromUtf8(std::string_view bytes) {
  if (bytes.empty()) return std::wstring();
  int count = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  if (count <= 0) return std::wstring();
  std::wstring text(static_cast<size_t>(count), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), &text[0], count);
  return text;
}

inline std::string ToUtf8(std::wstring_view text) {
  if (text.empty()) return std::string();
  int count = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  if (count <= 0) return std::string();
  std::string bytes(static_cast<size_t>(count), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &bytes[0], count, nullptr, nullptr);
  return bytes;
}

}  // namespace ui

#endif  // UI_UTF8TEXT_H
