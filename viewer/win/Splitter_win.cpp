#include "Splitter_win.h"

#include <windowsx.h>

#include <algorithm>

#include "ui/Dpi.h"

namespace brisvane {

namespace {
const wchar_t kClassName[] = L"BrisvaneSplitter";
}

ColumnLayout LayOutColumns(const ColumnInfo& left, const ColumnInfo& right, int width, int bar) {
  ColumnLayout result;
  if (width <= 0) return result;
  // The left column takes its ideal width; the right one gets what is left after the bar, and
  // is hidden (the left one taking all) when that is below its minimum. Its own minimum only
  // limits dragging: the list-width toggle asks for a left ideal one below its minimum so that
  // the list fills the window.
  int leftWidth = std::max(0, std::min(left.ideal, width));
  int rest = width - leftWidth - bar;
  if (leftWidth == 0) {
    result.right = width;
  } else if (rest < std::max(right.minimum, 1)) {
    result.left = width;  // the right column does not fit: the left one takes all
  } else {
    result.left = leftWidth;
    result.right = rest;
    result.barShown = true;
  }
  return result;
}

bool Splitter::Create(HWND parent, int id) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!RegisterClassOnce(instance, kClassName, 0, LoadCursorW(nullptr, IDC_SIZEWE), nullptr)) return false;
  barBrush.Attach(CreateSolidBrush(RGB(128, 128, 255)));
  if (!ui::Window::Create(instance, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0, 0, parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id))))
    return false;
  SetDpi(ui::WindowDpi(Hwnd()));
  return true;
}

void Splitter::SetDpi(int dpi) { barWidth = ui::ScaledPixels(kSplitterBar, dpi); }

void Splitter::SetPanes(HWND left, HWND right) {
  panes[0] = left;
  panes[1] = right;
}

void Splitter::SetColumnInfo(int column, int ideal, int minimum) {
  columns[column == 0 ? 0 : 1] = ColumnInfo{ideal, minimum};
}

RECT Splitter::BarRect() const {
  RECT client;
  GetClientRect(Hwnd(), &client);
  return RECT{layout.left, 0, layout.left + barWidth, client.bottom};
}

void Splitter::RecalcLayout() {
  RECT client;
  GetClientRect(Hwnd(), &client);
  layout = LayOutColumns(columns[0], columns[1], client.right, barWidth);
  int rightX = layout.barShown ? layout.left + barWidth : layout.left;
  if (panes[0]) {
    MoveWindow(panes[0], 0, 0, layout.left, client.bottom, TRUE);
    ShowWindow(panes[0], layout.left > 0 ? SW_SHOWNA : SW_HIDE);
  }
  if (panes[1]) {
    MoveWindow(panes[1], rightX, 0, layout.right, client.bottom, TRUE);
    ShowWindow(panes[1], layout.right > 0 ? SW_SHOWNA : SW_HIDE);
  }
  InvalidateRect(Hwnd(), nullptr, TRUE);
}

void Splitter::PaintBar(HDC dc) {
  if (!layout.barShown) return;
  RECT bar = BarRect();
  FillRect(dc, &bar, barBrush.Get());
}

LRESULT Splitter::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      RecalcLayout();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(Hwnd(), &paint);
      PaintBar(dc);
      EndPaint(Hwnd(), &paint);
      return 0;
    }
    case WM_LBUTTONDOWN:
      if (layout.barShown) {
        dragging = true;
        dragOffset = GET_X_LPARAM(lParam) - layout.left;
        dragStart = layout.left;
        SetCapture(Hwnd());
      }
      return 0;
    case WM_MOUSEMOVE:
      if (dragging) {
        RECT client;
        GetClientRect(Hwnd(), &client);
        int x = GET_X_LPARAM(lParam) - dragOffset;
        x = std::max(columns[0].minimum, std::min(x, static_cast<int>(client.right) - barWidth - columns[1].minimum));
        if (x != layout.left && x > 0) {
          columns[0].ideal = x;
          RecalcLayout();
          UpdateWindow(Hwnd());
        }
      }
      return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      if (dragging) {
        dragging = false;
        if (message == WM_LBUTTONUP) ReleaseCapture();
        if (dragged && layout.left != dragStart) dragged(layout.left);
      }
      return 0;
    default:
      return ui::Window::OnMessage(message, wParam, lParam);
  }
}

}  // namespace brisvane
