// A static splitter of one row and two columns: the headword list on the left, the content
// pane on the right, a bar between them that the user can drag. Each column has an ideal
// and a minimum width; a column whose width would fall below its minimum is hidden.
#ifndef BRISVANE_VIEWER_WIN_SPLITTER_WIN_H
#define BRISVANE_VIEWER_WIN_SPLITTER_WIN_H

#include <windows.h>

#include <functional>

#include "ui/UniqueHandle.h"
#include "ui/Window.h"

namespace brisvane {

struct ColumnInfo {
  int ideal = 0;
  int minimum = 0;
};

// Widths of the two columns in a client of the given width (the bar takes bar pixels when both
// columns show: kSplitterBar on a 96-dots-an-inch screen). Kept apart from the window so that it
// can be tested alone.
struct ColumnLayout {
  int left = 0;
  int right = 0;
  bool barShown = false;
};
constexpr int kSplitterBar = 7;
ColumnLayout LayOutColumns(const ColumnInfo& left, const ColumnInfo& right, int width, int bar = kSplitterBar);

class Splitter : public ui::Window {
 public:
  bool Create(HWND parent, int id);
  // The panes are child windows of this splitter, created by the caller.
  void SetPanes(HWND left, HWND right);
  void SetColumnInfo(int column, int ideal, int minimum);
  // The bar's width for a monitor of dpi dots an inch.
  void SetDpi(int dpi);
  // Current widths (0 for a hidden column).
  int ColumnWidth(int column) const { return column == 0 ? layout.left : layout.right; }
  void RecalcLayout();
  // Called with the left column's width when the user has dragged the bar to a new place.
  void OnDragged(std::function<void(int leftWidth)> call) { dragged = std::move(call); }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void PaintBar(HDC dc);
  RECT BarRect() const;

  HWND panes[2] = {};
  ColumnInfo columns[2];
  ColumnLayout layout;
  int barWidth = kSplitterBar;  // grows with the screen's resolution
  ui::UniqueBrush barBrush;
  bool dragging = false;
  int dragOffset = 0;
  int dragStart = 0;
  std::function<void(int)> dragged;
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_SPLITTER_WIN_H
