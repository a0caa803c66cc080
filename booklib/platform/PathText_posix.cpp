#include "PathText.h"

#include "JisText.h"

namespace dunmoor {

// Natively the system's bytes are the library's; wide paths are UTF-32, written as UTF-8.
bool PathFromSystemBytes(const char* path, std::string* library) {
  if (!path) return false;
  *library = path;
  return true;
}

bool PathToSystemBytes(const std::string& library, std::string* path) {
  *path = library;
  return true;
}

bool PathFromWide(const wchar_t* path, std::string* library) {
  if (!path) return false;
  std::string out;
  for (const wchar_t* at = path; *at; ++at) {
    const auto c = static_cast<char32_t>(*at);
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
    booktext::AppendUtf8(&out, c);
  }
  *library = std::move(out);
  return true;
}

bool PathToWide(const std::string& library, std::wstring* path) {
  std::wstring out;
  size_t at = 0;
  for (char32_t c; booktext::NextUtf8(library, &at, &c);) {
    // Malformed bytes decode as U+FFFD, one byte at a time; the character itself takes three.
    if (c == 0xFFFD && (at < 3 || library.compare(at - 3, 3, "\xEF\xBF\xBD") != 0)) return false;
    out += static_cast<wchar_t>(c);
  }
  *path = std::move(out);
  return true;
}

}  // namespace dunmoor
