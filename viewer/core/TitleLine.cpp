#include "TitleLine.h"

namespace brisvane {

std::wstring FormatTitleLine(const std::wstring& path, const std::wstring& title) {
  return path + L" <<" + title + L">>";
}

std::wstring PathOfTitleLine(const std::wstring& line) { return line.substr(0, line.find(L' ')); }

std::wstring TitleOfTitleLine(const std::wstring& line) {
  const size_t blank = line.find(L' ');
  if (blank == std::wstring::npos || line.compare(blank + 1, 2, L"<<") != 0) return std::wstring();
  const size_t start = blank + 3, end = line.rfind(L">>");
  if (end == std::wstring::npos || end < start) return std::wstring();
  return line.substr(start, end - start);
}

bool SamePlace(const std::wstring& one, const std::wstring& other) {
  auto trimmed = [](const std::wstring& path) {
    std::wstring folded = path;
    while (!folded.empty() && folded.back() == L'\\') folded.pop_back();
    for (wchar_t& c : folded)
      if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    return folded;
  };
  return !one.empty() && trimmed(one) == trimmed(other);
}

}  // namespace brisvane
