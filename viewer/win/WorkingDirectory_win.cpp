#include "WorkingDirectory_win.h"

#include <windows.h>

namespace brisvane {

std::wstring CurrentDirectory() {
  DWORD size = GetCurrentDirectoryW(0, nullptr);
  if (size == 0) return {};
  std::wstring path(size, L'\0');
  DWORD length = GetCurrentDirectoryW(size, &path[0]);
  if (length == 0 || length >= size) return {};
  path.resize(length);
  return path;
}

ScopedWorkingDirectory::~ScopedWorkingDirectory() {
  if (!previous.empty()) SetCurrentDirectoryW(previous.c_str());
}

bool ScopedWorkingDirectory::Enter(const std::wstring& path) {
  return !path.empty() && SetCurrentDirectoryW(path.c_str()) != FALSE;
}

bool CanEnterDirectory(const std::wstring& path) {
  ScopedWorkingDirectory directory;
  return directory.Enter(path);
}

bool ListSubdirectories(const std::wstring& path, std::vector<std::wstring>* names) {
  ScopedWorkingDirectory directory;
  if (!directory.Enter(path)) return false;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(L"*.*", &found);
  if (search == INVALID_HANDLE_VALUE) return true;  // an empty directory (or a drive without any entry)
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && found.cFileName[0] != L'.')
      names->push_back(found.cFileName);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return true;
}

}  // namespace brisvane
