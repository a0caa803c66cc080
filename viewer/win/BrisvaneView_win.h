// The left pane: hosts the headword list (child id 103, made and drawn by the search panel)
// over its whole client area.
#ifndef BRISVANE_VIEWER_WIN_BRISVANEVIEW_WIN_H
#define BRISVANE_VIEWER_WIN_BRISVANEVIEW_WIN_H

#include <windows.h>

#include "ui/UniqueHandle.h"
#include "ui/Window.h"

namespace brisvane {

class AppState;
class ResultList;

class BrisvaneView : public ui::Window {
 public:
  // The pane makes list over its client area and hands it its messages; app says whether the
  // pane's activation moves the focus to the word box.
  bool Create(HWND parent, HWND frame, AppState& app, ResultList& list);

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  HWND frame = nullptr;
  AppState* app = nullptr;
  ResultList* list = nullptr;
  ui::UniqueBrush whiteBrush;
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_BRISVANEVIEW_WIN_H
