// The text size of the content view and the result list (percent of the design's; the list's
// width follows): Ctrl + plus,
// minus and 0, Ctrl + the wheel, and the size kept in the settings ("view", "TextSize") for the
// next start.
#ifndef BRISVANE_VIEWER_WIN_TEXTSIZECONTROL_WIN_H
#define BRISVANE_VIEWER_WIN_TEXTSIZECONTROL_WIN_H

#include <windows.h>

#include "TextSize.h"

namespace brisvane {

class FramePanes;
class ResultList;

class TextSizeControl {
 public:
  TextSizeControl(FramePanes& panes, ResultList& list) : panes(panes), list(list) {}

  // The size kept from the last run, when it is not the normal one.
  void Restore();
  void Larger();
  void Smaller();
  void Normal();
  // WM_MOUSEWHEEL over the view (whose windows hand the wheel on): with Ctrl, larger away from
  // the user, smaller towards (true); without, not the text size's (false).
  bool OnMouseWheel(WPARAM wParam);

 private:
  void Set(int size, bool remember);

  FramePanes& panes;
  ResultList& list;
  int percent = kNormalTextSize;
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_TEXTSIZECONTROL_WIN_H
