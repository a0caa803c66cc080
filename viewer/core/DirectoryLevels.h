// The levels of the browse dialog's directory list. Each item's text is a level letter ('A'
// plus the depth), a kind character and a name: the components of the current path (kind 2,
// the drive "D:" at level A) and the sub-directories of the current directory (kind 1, one
// level below the last component). A list sorted by text thus shows the path first, outermost
// first, then the sub-directories by name.
#ifndef BRISVANE_VIEWER_CORE_DIRECTORYLEVELS_H
#define BRISVANE_VIEWER_CORE_DIRECTORYLEVELS_H

#include <string>
#include <vector>

namespace brisvane {

enum class DirectoryKind : wchar_t { kSubdirectory = 1, kPathComponent = 2 };

struct DirectoryItem {
  int depth = 0;
  DirectoryKind kind = DirectoryKind::kSubdirectory;
  std::wstring name;
};

std::wstring DirectoryItemText(const DirectoryItem& item);
// False (item untouched) for a text that is not an item: too short, an unknown kind.
bool ParseDirectoryItemText(const std::wstring& text, DirectoryItem* item);

class DirectoryLevels {
 public:
  // A backslash is appended to path when it does not end with one. For "D:\A\B\" the
  // components are "D:", "A", "B".
  explicit DirectoryLevels(std::wstring path);

  const std::wstring& Path() const { return path; }
  const std::vector<std::wstring>& Components() const { return components; }
  // The items of the path components followed by those of the given sub-directories.
  std::vector<DirectoryItem> Items(const std::vector<std::wstring>& subdirectories) const;
  // The path an item leads to (ending with a backslash): for a component, the path up to and
  // including it; for a sub-directory, the path and its name. Empty for an item that does not
  // belong to these levels (a component deeper than the path, a sub-directory at another level).
  std::wstring PathOf(const DirectoryItem& item) const;

 private:
  std::wstring path;
  std::vector<std::wstring> components;
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_CORE_DIRECTORYLEVELS_H
