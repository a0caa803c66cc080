// Moving through the text of the view: the scroll keys, the four buttons with their auto-repeat,
// what lies under the pointer (hover kind and cursor), and clicks that follow a reference, open a
// picture or play a sound. The view keeps no history of its own: before it follows a reference it
// reports the headword position of the entry it leaves to its parent (VM_VIEW_HISTORY), which
// keeps the layers and returns to one with VM_VIEW_SHOWAT.
#include <windows.h>

#include <algorithm>
#include <array>

#include "Calvetta.h"
#include "HitTest.h"
#include "win/CalvettaRes.h"
#include "win/ContentWindow_win.h"

namespace calvetta {

namespace {

// The repeat pumps only this range, so that the buttons' release messages (WM_USER + id) and
// the mouse and timer messages that lead to them are handled while a button is held.
constexpr UINT kRepeatPumpFirst = WM_COMMAND;
constexpr UINT kRepeatPumpLast = WM_USER + IDB_VIEW_PAGEDOWN;
constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kRepeatDelayMs = 250;
// A delay timer that never fires (SetTimer can fail) must not hold the button for ever.
constexpr ULONGLONG kRepeatDelayLimitMs = 1000;

bool PumpOneRepeatMessage() {
  MSG msg;
  if (!PeekMessageW(&msg, nullptr, kRepeatPumpFirst, kRepeatPumpLast, PM_REMOVE)) return false;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
  return true;
}

}  // namespace

bool ContentWindow::Showing() const { return layout.HasContent() && !layout.IsBlank(); }

void ContentWindow::OnKeyDown(WPARAM key) {
  int32_t page = std::max(1, layout.LinesPerPage());
  int32_t delta = 0;
  switch (key) {
    case VK_PRIOR: delta = -page; break;
    case VK_NEXT: delta = page; break;
    case VK_UP: delta = -1; break;
    case VK_DOWN: delta = 1; break;
    default:
      StopSound();
      return;
  }
  if (layout.CanScrollBy(delta)) ScrollStep(delta);
}

// One step of a key or a button, then what every scroll is followed by: the hover under the
// pointer, the page drawn, the marks drawn over it, the cursor. False when the scroll failed
// (the failure has been handled: the view is blank).
bool ContentWindow::ScrollStep(int32_t delta) {
  hoverKind = kHoverNone;
  if (layout.ScrollBy(delta) == LayoutResult::kFailed) {
    HandleFailure();
    return false;
  }
  UpdateButtons();
  UpdateHover();
  SetHoverCursor();
  RedrawPage();
  {
    ui::WindowDc dc(Hwnd());
    if (dc) DrawMarks(dc.Get(), nullptr);
  }
  SetHoverCursor();
  return true;
}

int32_t ContentWindow::ButtonStep(int index) const {
  int32_t page = std::max(1, layout.LinesPerPage());
  switch (index) {
    case 0: return -1;     // line up
    case 1: return 1;      // line down
    case 2: return -page;  // page up
    default: return page;  // page down
  }
}

void ContentWindow::OnButton(int id, bool pressed) {
  int index = id - IDB_VIEW_LINEUP;
  if (index < 0 || index >= kButtonCount) return;
  if (!pressed) {
    released[index] = true;
    return;
  }
  released[index] = false;
  RepeatButton(index);
}

// A held button: one step, a pause, then steps without delay until the button is released or
// the text ends that way (the button is disabled there). Runs inside the press message and pumps
// the messages that can release the button itself.
void ContentWindow::RepeatButton(int index) {
  if (!layout.CanScrollBy(ButtonStep(index))) return;
  if (!ScrollStep(ButtonStep(index))) return;
  if (!WaitForRepeat()) return;
  while (Hwnd() && !released[index] && layout.CanScrollBy(ButtonStep(index))) {
    PumpOneRepeatMessage();
    if (!Hwnd() || released[index] || !layout.CanScrollBy(ButtonStep(index))) break;
    if (!ScrollStep(ButtonStep(index))) return;
  }
}

// The pause before the repeat: timer 1 clears `waiting` (WM_TIMER). False when the window went
// away meanwhile.
bool ContentWindow::WaitForRepeat() {
  waiting = SetTimer(Hwnd(), kRepeatTimer, kRepeatDelayMs, nullptr) != 0;
  ULONGLONG limit = GetTickCount64() + kRepeatDelayLimitMs;
  while (waiting && Hwnd() && GetTickCount64() < limit) {
    while (waiting && PumpOneRepeatMessage()) {
    }
    // Sleeps until input arrives (or 10 ms): messages outside the range stay queued and do
    // not wake it again.
    if (waiting) MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  waiting = false;
  if (!Hwnd()) return false;
  KillTimer(Hwnd(), kRepeatTimer);
  return true;
}

void ContentWindow::UpdateHover() {
  hoverKind = kHoverNone;
  if (Showing() && lastMouse.x >= 0) hoverKind = HitTest(layout, lastMouse.x, lastMouse.y).kind;
}

// The cursor of the hover kind, only while the pointer is over the view itself (a scroll by key
// or button must not change the cursor of another window).
void ContentWindow::SetHoverCursor() {
  POINT point;
  if (!GetCursorPos(&point) || WindowFromPoint(point) != Hwnd()) return;
  ApplyHoverCursor();
}

void ContentWindow::ApplyHoverCursor() {
  HCURSOR cursor = hoverKind == kHoverReference ? referenceCursor
                   : hoverKind == kHoverGraphic ? graphicCursor
                   : hoverKind == kHoverSound   ? soundCursor
                                                : arrowCursor;
  SetCursor(cursor ? cursor : LoadCursorW(nullptr, IDC_ARROW));
}

void ContentWindow::OnMouseMove(int x, int y) {
  lastMouse = {x, y};
  if (MarkDragging()) {
    ExtendMarkDrag(x, y);
    return;
  }
  uint8_t old = hoverKind;
  UpdateHover();
  if (hoverKind != old) ApplyHoverCursor();
}

void ContentWindow::OnLeftButtonDown(int x, int y) {
  lastMouse = {x, y};
  if (!Showing()) return;
  StopSound();
  Hit hit = HitTest(layout, x, y);
  if (hit.kind == kHoverNone) {
    BeginMarkDrag(x, y);
    return;
  }
  // The slot belongs to the lines, which following a reference replaces: work on a copy.
  std::array<char, kLinkBlockSize + 1> code = hit.link->code;
  switch (hit.kind) {
    case kHoverReference: FollowReference(hit); break;
    case kHoverGraphic: ShowPicture(code.data()); break;
    default: PlaySoundBlock(code.data()); break;
  }
  if (!Hwnd()) return;
  hoverKind = kHoverNone;
  SetHoverCursor();
  UpdateHover();
}

void ContentWindow::OnLeftButtonUp(int x, int y) {
  lastMouse = {x, y};
  EndMarkDrag();
  UpdateHover();
  SetHoverCursor();
}

void ContentWindow::OnRightButtonDown(int x, int y) {
  lastMouse = {x, y};
  if (Showing()) ShowContextMenu(x, y);
}

// Tells the parent where the entry being left starts, then shows the reference's target from
// its first line. A reference that names no text leaves the view as it was.
void ContentWindow::FollowReference(const Hit& hit) {
  std::array<char, kLinkBlockSize + 1> code = hit.link->code;
  int32_t headword = HeadwordPosition(layout.Text(), layout.EntryBase(), hit.line->start);
  SendMessageW(GetParent(Hwnd()), VM_VIEW_HISTORY, 0, static_cast<LPARAM>(headword));
  if (!Hwnd()) return;  // the parent closed the view meanwhile
  hoverKind = kHoverNone;
  EnsureMetrics();
  LayoutResult result = layout.ShowLink(code.data());
  if (result == LayoutResult::kFailed) {
    HandleFailure();
    return;
  }
  if (result == LayoutResult::kNoText) return;
  ClearMarks();
  UpdateButtons();
  RedrawPage();
}

}  // namespace calvetta
