// The left pane: hosts the headword list (child id 103, made and drawn by the search panel)
// over its whole client area.
#ifndef BRISVANE_VIEWER_WIN_BRISVANEVIEW_WIN_H
#define BRISVANE_VIEWER_WIN_BRISVANEVIEW_WIN_H

#include <windows.h>

#include "SearchFlow.h"
#include "ui/UniqueHandle.h"
#include "ui/Window.h"

namespace brisvane {

class SearchPanel;

class BrisvaneView : public ui::Window {
 public:
  // panel makes the list and answers its messages; book is read whenever an item is drawn.
  bool Create(HWND parent, HWND frame, SearchPanel& panel, const BookApi& book);

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  HWND frame = nullptr;
  SearchPanel* panel = nullptr;
  ui::UniqueBrush whiteBrush;
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_BRISVANEVIEW_WIN_H
