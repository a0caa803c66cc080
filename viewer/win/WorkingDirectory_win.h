// The title and browse dialogs test and list directories by making them the process's working
// directory. ScopedWorkingDirectory puts the previous working directory back when it goes out
// of scope, on every path out of the code that moved it.
#ifndef BRISVANE_VIEWER_WIN_WORKINGDIRECTORY_WIN_H
#define BRISVANE_VIEWER_WIN_WORKINGDIRECTORY_WIN_H

#include <string>
#include <vector>

namespace brisvane {

// The process's working directory (empty when it cannot be read).
std::wstring CurrentDirectory();

class ScopedWorkingDirectory {
 public:
  ScopedWorkingDirectory() : previous(CurrentDirectory()) {}
  ~ScopedWorkingDirectory();
  ScopedWorkingDirectory(const ScopedWorkingDirectory&) = delete;
  ScopedWorkingDirectory& operator=(const ScopedWorkingDirectory&) = delete;

  // Makes path the working directory; false (nothing changed) when it cannot be entered.
  bool Enter(const std::wstring& path);

 private:
  std::wstring previous;
};

// Whether path can be made the working directory (the working directory stays as it was).
bool CanEnterDirectory(const std::wstring& path);

// The sub-directories of path (the names of entries with the directory attribute that do not
// begin with '.'), listed with path as the working directory. False when path cannot be
// entered.
bool ListSubdirectories(const std::wstring& path, std::vector<std::wstring>* names);

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_WORKINGDIRECTORY_WIN_H
