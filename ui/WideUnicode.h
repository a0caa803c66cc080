// UTF-16 text (as the window APIs hold it) as Unicode characters, and back.
#ifndef UI_WIDEUNICODE_H
#define UI_WIDEUNICODE_H

#include <string>

namespace ui {

inline std::u32string Unicode(const std::wstring& text) {
  std::u32string out;
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    out.push_back(c);
  }
  return out;
}

inline std::wstring Wide(const std::u32string& text) {
  std::wstring out;
  for (char32_t c : text) {
    if (c >= 0x10000) {
      out.push_back(static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10)));
      out.push_back(static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    } else {
      out.push_back(static_cast<wchar_t>(c));
    }
  }
  return out;
}

}  // namespace ui

#endif  // UI_WIDEUNICODE_H
