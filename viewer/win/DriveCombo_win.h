// The browse dialog's drive box: an owner-drawn drop-down list of the drive roots, the first
// drive of the system left out, each drawn with the icon of its kind.
#ifndef BRISVANE_VIEWER_WIN_DRIVECOMBO_WIN_H
#define BRISVANE_VIEWER_WIN_DRIVECOMBO_WIN_H

#include <windows.h>

#include <string>
#include <vector>

#include "ui/Subclass.h"
#include "ui/UniqueHandle.h"

namespace brisvane {

// The drive roots the system reports ("C:\", ...) after its first one, which is never offered
// (usually the floppy drive).
std::vector<std::wstring> DriveRootsAfterFirst();

class DriveCombo : private ui::Subclass {
 public:
  static constexpr int kItemHeight = 22;

  // Takes over combo: fills it and lets Down open the closed drop-down, Enter in the open one
  // send enterMessage (lParam: the chosen drive's text) to the dialog.
  void Attach(HWND combo, UINT enterMessage);
  // The text of the drive shown, at most 8 characters.
  std::wstring Text() const;
  // Shows the drive whose text begins with the first three characters of path.
  void ShowDriveOf(const std::wstring& path);
  void Draw(const DRAWITEMSTRUCT& draw) const;

 private:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  HWND combo = nullptr;
  UINT enterMessage = 0;
  ui::UniqueBrush focusBrush;  // the focus frame's pattern
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_DRIVECOMBO_WIN_H
