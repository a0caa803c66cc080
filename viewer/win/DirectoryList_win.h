// The browse dialog's directory list: an owner-drawn, sorted list box that shows the
// components of the current path and the sub-directories of the current directory (their
// texts are made by DirectoryLevels), draws them indented by level with their icons, and
// turns a double-click or Enter into a move to another directory or the acceptance of this one.
#ifndef BRISVANE_VIEWER_WIN_DIRECTORYLIST_WIN_H
#define BRISVANE_VIEWER_WIN_DIRECTORYLIST_WIN_H

#include <windows.h>

#include <string>

#include "DirectoryLevels.h"

namespace brisvane {

class DirectoryList {
 public:
  static constexpr int kItemHeight = 16;

  void Attach(HWND list) { this->list = list; }
  HWND Hwnd() const { return list; }

  // Empties the list and fills it from path. False when path cannot be entered: the list
  // then stays empty. The working directory is the same afterwards in every case.
  bool Fill(const std::wstring& path);
  // The current path, ending with a backslash; empty before a fill.
  const std::wstring& Path() const { return levels.Path(); }

  enum class Outcome { kNothing, kChanged, kAccepted, kFailed };
  // A double-click or Enter on the selected item. kChanged: the list now shows *newPath;
  // kFailed: *newPath cannot be entered (the list is empty); kAccepted: the innermost path
  // item was chosen.
  Outcome Activate(std::wstring* newPath);

  void Draw(const DRAWITEMSTRUCT& draw) const;

 private:
  HWND list = nullptr;
  brisvane::DirectoryLevels levels{L""};
  bool filled = false;
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_DIRECTORYLIST_WIN_H
