// The left pane: hosts the headword list (child id 103, made and drawn by the search panel)
// over its whole client area.
#ifndef BRISVANE_VIEWER_WIN_BRISVANEVIEW_WIN_H
#define BRISVANE_VIEWER_WIN_BRISVANEVIEW_WIN_H

#include <windows.h>

#include "BookApi.h"
#include "ui/UniqueHandle.h"
#include "ui/Window.h"

namespace brisvane {

class AppState;
class SearchPanel;

class BrisvaneView : public ui::Window {
 public:
  // panel makes the list and answers its messages; book is read whenever an item is drawn; app
  // says whether the pane's activation moves the focus to the word box.
  bool Create(HWND parent, HWND frame, AppState& app, SearchPanel& panel, const BookApi& book);

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  HWND frame = nullptr;
  AppState* app = nullptr;
  SearchPanel* panel = nullptr;
  ui::UniqueBrush whiteBrush;
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_BRISVANEVIEW_WIN_H
