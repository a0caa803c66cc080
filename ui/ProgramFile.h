// Where the running program lies: its file and its folder, as the system names them.
#ifndef UI_PROGRAMFILE_H
#define UI_PROGRAMFILE_H

#include <windows.h>

#include <string>
#include <vector>

namespace ui {

// The full path of the running program's file; empty when the system cannot say.
inline std::wstring ProgramFile() {
  std::vector<wchar_t> path(MAX_PATH);
  for (;;) {
    DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return std::wstring();
    if (length < path.size()) return std::wstring(path.data(), length);
    if (path.size() >= 32768) return std::wstring();  // longer than any path the system has
    path.resize(path.size() * 2);
  }
}

// Its folder, with the trailing backslash; empty when the system cannot say.
inline std::wstring ProgramFolder() {
  std::wstring file = ProgramFile();
  size_t slash = file.rfind(L'\\');
  return slash == std::wstring::npos ? std::wstring() : file.substr(0, slash + 1);
}

}  // namespace ui

#endif  // UI_PROGRAMFILE_H
