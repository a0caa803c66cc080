#include "TitleLine.h"

namespace brisvane {

std::wstring FormatTitleLine(const std::wstring& path, const std::wstring& title) {
  return path + L" <<" + title + L">>";
}

std::wstring PathOfTitleLine(const std::wstring& line) { return line.substr(0, line.find(L' ')); }

}  // namespace brisvane
