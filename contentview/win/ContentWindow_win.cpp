#include "win/ContentWindow_win.h"

#include <algorithm>
#include <climits>

#include "Calvetta.h"
#include "win/CalvettaRes.h"
#include "win/ScrollButton_win.h"
#include "ui/Dpi.h"
#include "ui/ScaledPicture.h"

namespace calvetta {

namespace {

constexpr int kButtonIds[] = {IDB_VIEW_LINEUP, IDB_VIEW_LINEDOWN, IDB_VIEW_PAGEUP, IDB_VIEW_PAGEDOWN};
constexpr int kButtonIcons[] = {IDI_VIEW_LINEUP, IDI_VIEW_LINEDOWN, IDI_VIEW_PAGEUP, IDI_VIEW_PAGEDOWN};
constexpr int kButtonIconSide = 16;  // at 96 dots an inch
constexpr UINT kButtonMessageFirst = WM_USER + IDB_VIEW_LINEUP;
constexpr UINT kButtonMessageLast = WM_USER + IDB_VIEW_PAGEDOWN;
constexpr int kSmallestTextSize = 50;  // VM_VIEW_TEXTSIZE, percent of the design's size
constexpr int kLargestTextSize = 400;

// Mouse coordinates are signed: left of or above the window while the mouse is captured.
int ClientX(LPARAM lParam) { return static_cast<short>(LOWORD(lParam)); }
int ClientY(LPARAM lParam) { return static_cast<short>(HIWORD(lParam)); }

}  // namespace

ContentWindow::ContentWindow(HINSTANCE module) : module(module), painter(module) {}

HWND ContentWindow::CreateView(HWND parent, const RECT& rect) {
  if (!RegisterClassOnce(module, CALVETTA_WINDOW_CLASS, CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS,
                         LoadCursorW(nullptr, IDC_ARROW), static_cast<HBRUSH>(GetStockObject(DKGRAY_BRUSH))))
    return nullptr;
  return Create(module, CALVETTA_WINDOW_CLASS, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0,
                rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, parent, nullptr);
}

ui::Handled ContentWindow::OnCreate(const CREATESTRUCTW&) {
  dpi = ui::WindowDpi(Hwnd());
  painter.SetDpi(dpi);
  buttonColumn = ui::ScaledPixels(kButtonColumnWidth, dpi);
  layout.SetButtonColumnWidth(buttonColumn);
  CreateButtons();
  LoadPictures();
  DisableButtons();
  if (!binding.Load()) {
    // The parent may already react to the failure: the window exists from here on.
    HandleFailure();
    return ui::Done(0);
  }
  layout.Blank();
  return ui::Done(0);
}

void ContentWindow::CreateButtons() {
  for (int i = 0; i < kScrollButtonCount; ++i)
    buttons[i] = CreateScrollButton(Hwnd(), kButtonIds[i], nullptr, module);
}

void ContentWindow::LoadPictures() {
  for (int i = 0; i < kScrollButtonCount; ++i) {
    // The button lets go of its old icon before that is destroyed.
    ui::UniqueIcon icon(ui::LoadScaledIcon(module, kButtonIcons[i], kButtonIconSide, dpi));
    if (buttons[i]) SendMessageW(buttons[i], BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon.Get()));
    buttonIcons[i] = std::move(icon);
  }
  navigation.LoadCursors(dpi);
}

void ContentWindow::SetDpi(int newDpi) {
  if (newDpi == dpi || newDpi <= 0) return;
  dpi = newDpi;
  painter.SetDpi(dpi);
  buttonColumn = ui::ScaledPixels(kButtonColumnWidth, dpi);
  layout.SetButtonColumnWidth(buttonColumn);
  LoadPictures();
  EnsureMetrics();
  LayOutAgain();
}

void ContentWindow::PlaceButtons(int w, int h) {
  // A column of 16 pixels at 96 dots an inch, as wide as the screen's resolution makes it.
  const int b = buttonColumn;
  int x = w - (b - 1);
  auto place = [&](int index, int y, int height) {
    if (buttons[index]) MoveWindow(buttons[index], x, y, b, height, TRUE);
  };
  place(0, 0, b);                              // line up
  place(1, h - (b - 1), b);                    // line down
  place(2, b, (h + 1) / 2 - b);                // page up
  place(3, (h + 1) / 2, (h + 2) / 2 - b);      // page down
}

void ContentWindow::UpdateButtons() {
  ButtonStates states = layout.Buttons();
  const bool enabled[] = {states.lineUp, states.lineDown, states.pageUp, states.pageDown};
  for (int i = 0; i < kScrollButtonCount; ++i)
    if (buttons[i]) EnableWindow(buttons[i], enabled[i] ? TRUE : FALSE);
}

void ContentWindow::DisableButtons() {
  for (HWND button : buttons)
    if (button) EnableWindow(button, FALSE);
}

void ContentWindow::SetContentBlank() {
  media.ClosePicture();
  marks.Clear();
  layout.Blank();
  DisableButtons();
  if (Hwnd()) {
    RECT client;
    GetClientRect(Hwnd(), &client);
    client.right -= buttonColumn;
    InvalidateRect(Hwnd(), &client, TRUE);
  }
}

void ContentWindow::HandleFailure() {
  SendMessageW(GetParent(Hwnd()), VM_VIEW_FAILED, 0, 0);
  MessageBeep(0xFFFFFFFF);
  SetContentBlank();
}

void ContentWindow::EnsureMetrics() {
  if (painter.Measured()) return;
  ui::WindowDc dc(Hwnd());
  Metrics metrics;
  if (dc && painter.EnsureMetrics(dc.Get(), &metrics)) layout.SetMetrics(metrics);
}

void ContentWindow::RedrawPage() {
  ui::WindowDc dc(Hwnd());
  if (dc) painter.Draw(dc.Get(), layout, nullptr, binding.Functions().epwShowExCodePixel);
}

LRESULT ContentWindow::OnShow(LayoutResult result, bool noTextIsFailure, LRESULT failedResult) {
  if (result == LayoutResult::kFailed || (result == LayoutResult::kNoText && noTextIsFailure)) {
    HandleFailure();
    return failedResult;
  }
  if (result == LayoutResult::kNoText) {
    SetContentBlank();
    return 0;
  }
  UpdateButtons();
  navigation.ForgetHover();  // recomputed at the next mouse move
  marks.Clear();
  RedrawPage();
  return 1;
}

ui::Handled ContentWindow::OnSize(UINT, int width, int height) {
  PlaceButtons(width, height);
  EnsureMetrics();
  bool hadContent = layout.HasContent();
  if (layout.Resize(width, height) == LayoutResult::kFailed) {
    HandleFailure();
  } else if (hadContent) {
    marks.Clear();  // the lines were laid out anew; the resize repaints the window
    UpdateButtons();
    if (layout.IsBlank()) DisableButtons();
  }
  return ui::Done(0);
}

bool ContentWindow::SetTextSize(int percent) {
  if (percent < kSmallestTextSize || percent > kLargestTextSize) return false;
  painter.SetTextSize(percent);
  EnsureMetrics();
  LayOutAgain();
  return true;
}

bool ContentWindow::MarkText(int32_t position, int32_t length) {
  if (!layout.HasContent() || layout.IsBlank() || length <= 0) return false;
  const int32_t from = position - layout.EntryBase(), to = from + length;
  // The line that holds the text's first character, scrolled into the held lines a page at a
  // time (the text may lie far down a long entry).
  auto rowOf = [&](int32_t at) {
    for (int32_t n = layout.Lines().FirstNumber(); n <= layout.Lines().LastNumber(); ++n) {
      const LineRecord* line = layout.Line(n);
      if (line && at >= line->start && at <= line->end) return n;
    }
    return INT32_MIN;
  };
  int32_t row = rowOf(from);
  const int32_t page = std::max<int32_t>(1, layout.LinesPerPage());
  for (int steps = 0; row == INT32_MIN && steps < 1000 && layout.CanScrollBy(page); ++steps) {
    if (layout.ScrollBy(page) == LayoutResult::kFailed) {
      HandleFailure();
      return false;
    }
    row = rowOf(from);
  }
  if (row == INT32_MIN) return false;
  // Its line near the top of the window, unless it is in view already.
  if ((row < layout.TopLine() || row + 1 > layout.BottomLine()) &&
      layout.ScrollTo(std::max(layout.Lines().FirstNumber(), row - 1)) == LayoutResult::kFailed) {
    HandleFailure();
    return false;
  }
  bool marked = marks.MarkRange(from, to);
  UpdateButtons();
  InvalidateRect(Hwnd(), nullptr, TRUE);
  return marked;
}

LRESULT ContentWindow::MarkAll(WPARAM how) {
  if (!layout.HasContent() || layout.IsBlank() || layout.Lines().Empty()) return 0;
  if (how == 2) return 1;
  const bool marked = marks.MarkEntry();
  if (marked && how == 1) {
    // A copy of what is shown: the marks go again (the user marked nothing).
    marks.CopyToClipboard();
    marks.Clear();
  }
  InvalidateRect(Hwnd(), nullptr, TRUE);
  return marked ? 1 : 0;
}

void ContentWindow::LayOutAgain() {
  // From the same top line, as after a change of the window's size.
  RECT client = {};
  GetClientRect(Hwnd(), &client);
  OnSize(SIZE_RESTORED, client.right, client.bottom);
  InvalidateRect(Hwnd(), nullptr, TRUE);
}

ui::Handled ContentWindow::OnDestroy() {
  navigation.Stop();
  media.ClosePicture();
  media.StopSound();
  binding.Unload();
  return ui::Done(0);
}

void ContentWindow::Paint() {
  RECT client;
  GetClientRect(Hwnd(), &client);
  RECT update = {};
  bool partial = GetUpdateRect(Hwnd(), &update, FALSE) && !EqualRect(&update, &client);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(Hwnd(), &ps);
  if (dc) {
    Metrics metrics;
    if (!painter.Measured() && painter.EnsureMetrics(dc, &metrics)) layout.SetMetrics(metrics);
    painter.Draw(dc, layout, partial ? &update : nullptr, binding.Functions().epwShowExCodePixel);
    marks.Draw(dc, partial ? &update : nullptr);
    navigation.DrawLinkFocus(dc, painter.Colours().text);
  }
  EndPaint(Hwnd(), &ps);
}

void ContentWindow::PrintClient(HDC dc) {
  RECT client;
  GetClientRect(Hwnd(), &client);
  painter.FillBackground(dc, client);
  painter.Draw(dc, layout, nullptr, binding.Functions().epwShowExCodePixel);
  marks.Draw(dc, nullptr);
}

LRESULT ContentWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case VM_VIEW_SHOWPOS:
      EnsureMetrics();
      return OnShow(layout.ShowHit(static_cast<int32_t>(wParam)), true, 0);
    case VM_VIEW_SHOWAT: {
      EnsureMetrics();
      const LRESULT shown = OnShow(layout.ShowAt(static_cast<int32_t>(lParam)), false, 1);
      navigation.ReturnedTo(static_cast<int32_t>(lParam));
      return shown;
    }
    case VM_VIEW_INMSGBOX:
      return messages.Open() ? 1 : 0;
    case VM_VIEW_TEXTSIZE:
      return SetTextSize(static_cast<int>(wParam)) ? 1 : 0;
    case VM_VIEW_MARKTEXT:
      return MarkText(static_cast<int32_t>(wParam), static_cast<int32_t>(lParam)) ? 1 : 0;
    case VM_VIEW_MARKALL:
      return MarkAll(wParam);
    case VM_VIEW_STEPENTRY:
      return navigation.StepEntry(wParam != 0) ? 1 : 0;
    case VM_VIEW_TOPAT: {
      const LineRecord* top = layout.IsBlank() ? nullptr : layout.Line(layout.TopLine());
      return top ? layout.EntryBase() + top->start : -1;
    }
    case VM_VIEW_ENTRYTEXT:
      return marks.EntryText(reinterpret_cast<char*>(lParam), static_cast<int32_t>(wParam));
    case VM_VIEW_PRINT:
      EnsureMetrics();
      return lParam ? printing.Print(*reinterpret_cast<const CalvettaPrintJob*>(lParam)) : -1;
    case VM_VIEW_ONEENTRY:
      layout.SetOneEntry(wParam != 0);
      LayOutAgain();
      return 1;
    case VM_VIEW_PALETTE:
      painter.SetPalette(wParam ? kDarkPalette : kLightPalette);
      media.SetDark(wParam != 0);
      InvalidateRect(Hwnd(), nullptr, TRUE);
      return 1;
    case WM_DPICHANGED_AFTERPARENT:
      SetDpi(ui::WindowDpi(Hwnd()));
      return 0;
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(Hwnd(), &client);
      painter.FillBackground(reinterpret_cast<HDC>(wParam), client);
      return 1;
    }
    case WM_PAINT:
      Paint();
      return 0;
    case WM_PRINTCLIENT:
      // What the view shows, drawn into another DC (PrintWindow, screenshots).
      PrintClient(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(painter.ViewFont());
    case WM_SETCURSOR:
      if (navigation.OnSetCursor(lParam)) return TRUE;
      break;
    case WM_LBUTTONDOWN:
      SetFocus(Hwnd());
      navigation.OnLeftButtonDown(ClientX(lParam), ClientY(lParam));
      return 0;
    case WM_MOUSEMOVE:
      navigation.OnMouseMove(ClientX(lParam), ClientY(lParam));
      return 0;
    case WM_LBUTTONUP:
      navigation.OnLeftButtonUp(ClientX(lParam), ClientY(lParam));
      return 0;
    case WM_LBUTTONDBLCLK:
      navigation.OnDoubleClick(ClientX(lParam), ClientY(lParam));
      return 0;
    case WM_RBUTTONDOWN:
      navigation.OnRightButtonDown(ClientX(lParam), ClientY(lParam));
      return 0;
    case WM_CONTEXTMENU:
      // From the keyboard (Shift+F10, the menu key; the point then is -1, -1): the menu opens by
      // the text's first line. From the mouse it opened on the button's press.
      if (lParam == -1) {
        const int32_t line = layout.GetMetrics().lineHeight;
        marks.ShowContextMenu(line, line);
        return 0;
      }
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      marks.SetFocused(message == WM_SETFOCUS);
      break;
    case WM_GETDLGCODE:
      return DLGC_WANTALLKEYS;
    case WM_CHAR:
      if (wParam >= L' ' && wParam != 0x7F) {
        PostMessageW(GetParent(Hwnd()), VM_VIEW_TYPED, wParam, 0);
        return 0;
      }
      break;
    case WM_KEYDOWN:
      if (wParam == VK_TAB) {
        // Through the page's links, then out: forward to the word box, backward (Shift) to the
        // list.
        const bool backward = GetKeyState(VK_SHIFT) < 0;
        if (!navigation.MoveLinkFocus(backward))
          PostMessageW(GetParent(Hwnd()), VM_VIEW_TAB, backward ? 0 : 2, 0);
        return 0;
      }
      if (wParam == VK_RETURN && navigation.ActivateLinkFocus()) return 0;
      if (wParam == VK_ESCAPE) {
        // Out of the entry to the word box, as Tab past the last link goes.
        PostMessageW(GetParent(Hwnd()), VM_VIEW_TAB, 2, 0);
        return 0;
      }
      navigation.OnKeyDown(wParam);
      return 0;
    case WM_TIMER:
      if (wParam == ContentNavigation::kRepeatTimer) {
        navigation.OnRepeatTimer();
        return 0;
      }
      break;
    default:
      if (media.PictureGoneMessage() && message == media.PictureGoneMessage()) {
        media.OnPictureWindowGone();
        return 0;
      }
      if (message >= kButtonMessageFirst && message <= kButtonMessageLast) {
        navigation.OnButton(static_cast<int>(message - WM_USER), wParam != 0);
        return 0;
      }
      break;
  }
  return Window::OnMessage(message, wParam, lParam);
}

}  // namespace calvetta
