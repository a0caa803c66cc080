#include "win/ContentNavigation_win.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <string>

#include "Calvetta.h"
#include "EntrySteps.h"
#include "WordAt.h"
#include "win/CalvettaRes.h"
#include "ui/ScaledPicture.h"

namespace calvetta {

namespace {

// The repeat pumps only this range, so that the buttons' release messages (WM_USER + id) and
// the mouse and timer messages that lead to them are handled while a button is held.
constexpr UINT kRepeatPumpFirst = WM_COMMAND;
constexpr UINT kRepeatPumpLast = WM_USER + IDB_VIEW_PAGEDOWN;
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

void ContentNavigation::LoadCursors(int dpi) {
  arrowCursor = LoadCursorW(nullptr, IDC_ARROW);
  HCURSOR* const cursors[] = {&referenceCursor, &graphicCursor, &soundCursor};
  const int ids[] = {IDCU_VIEW_REFERENCE, IDCU_VIEW_GRAPHIC, IDCU_VIEW_SOUND};
  for (size_t i = 0; i < ownCursors.size(); ++i) {
    ui::UniqueIcon cursor(ui::LoadScaledCursor(module, ids[i], dpi));
    *cursors[i] = cursor ? cursor.Get() : arrowCursor;
    ownCursors[i] = std::move(cursor);
  }
}

void ContentNavigation::Stop() {
  if (window.Hwnd()) KillTimer(window.Hwnd(), kRepeatTimer);
}

bool ContentNavigation::OnSetCursor(LPARAM lParam) {
  if (LOWORD(lParam) != HTCLIENT) return false;
  ApplyHoverCursor();
  return true;
}

bool ContentNavigation::Showing() const { return layout.HasContent() && !layout.IsBlank(); }

void ContentNavigation::OnKeyDown(WPARAM key) {
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  switch (key) {
    case VK_LEFT: MoveCaret(CaretStep::kLeft, shift); return;
    case VK_RIGHT: MoveCaret(CaretStep::kRight, shift); return;
    case VK_HOME: MoveCaret(CaretStep::kLineStart, shift); return;
    case VK_END: MoveCaret(CaretStep::kLineEnd, shift); return;
    case VK_UP:
    case VK_DOWN:
      // Plain, they scroll; with Shift they extend the mark by a line.
      if (shift) {
        MoveCaret(key == VK_UP ? CaretStep::kUp : CaretStep::kDown, true);
        return;
      }
      break;
    default: break;
  }
  int32_t page = std::max(1, layout.LinesPerPage());
  int32_t delta = 0;
  switch (key) {
    case VK_PRIOR: delta = -page; break;
    case VK_NEXT: delta = page; break;
    case VK_UP: delta = -1; break;
    case VK_DOWN: delta = 1; break;
    default:
      media.StopSound();
      return;
  }
  if (layout.CanScrollBy(delta)) ScrollStep(delta);
}

void ContentNavigation::MoveCaret(CaretStep step, bool extend) {
  if (!Showing()) return;
  const Metrics& metrics = layout.GetMetrics();
  auto onPage = [&](const CaretPlace& place) {
    return place.row >= layout.TopLine() && place.row <= layout.BottomLine();
  };
  CaretPlace target = marks.Caret();
  if (!marks.CaretOn() || !onPage(target)) {
    // The first move shows the caret at the start of the page's first line (or of its last, when
    // the page was scrolled up past the caret); a plain move stops there.
    const bool below = marks.CaretOn() && target.row > layout.BottomLine();
    if (!CaretAtLineStart(layout.Lines(), metrics, below ? layout.BottomLine() : layout.TopLine(), &target)) return;
    marks.PutCaret(target, false);
    if (!extend) return;
  }
  // A step off the page scrolls it by a line first.
  CaretPlace moved = target;
  bool ok = calvetta::MoveCaret(layout.Lines(), metrics, step, &moved);
  if (!ok || !onPage(moved)) {
    const int32_t delta = StepsBack(step) ? -1 : 1;
    if (!layout.CanScrollBy(delta) || !ScrollStep(delta)) return;
    moved = target;
    ok = calvetta::MoveCaret(layout.Lines(), metrics, step, &moved) && onPage(moved);
  }
  if (!ok) return;
  // A mark reaches as far from its start as a drag does.
  if (extend && marks.KeyAnchor() && std::abs(moved.row - marks.KeyAnchor()->row) >= kMarkRowReach) return;
  marks.PutCaret(moved, extend);
}

// One step of a key or a button, then what every scroll is followed by: the hover under the
// pointer, the page drawn, the marks drawn over it, the cursor. False when the scroll failed
// (the failure has been handled: the view is blank).
bool ContentNavigation::ScrollStep(int32_t delta) {
  hoverKind = kHoverNone;
  if (layout.ScrollBy(delta) == LayoutResult::kFailed) {
    router.HandleFailure();
    return false;
  }
  router.UpdateButtons();
  UpdateHover();
  SetHoverCursor();
  router.RedrawPage();
  {
    ui::WindowDc dc(window.Hwnd());
    if (dc) marks.Draw(dc.Get(), nullptr);
  }
  SetHoverCursor();
  return true;
}

int32_t ContentNavigation::ButtonStep(int index) const {
  int32_t page = std::max(1, layout.LinesPerPage());
  switch (index) {
    case 0: return -1;     // line up
    case 1: return 1;      // line down
    case 2: return -page;  // page up
    default: return page;  // page down
  }
}

void ContentNavigation::OnButton(int id, bool pressed) {
  int index = id - IDB_VIEW_LINEUP;
  if (index < 0 || index >= kScrollButtonCount) return;
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
void ContentNavigation::RepeatButton(int index) {
  if (!layout.CanScrollBy(ButtonStep(index))) return;
  if (!ScrollStep(ButtonStep(index))) return;
  if (!WaitForRepeat()) return;
  while (window.Hwnd() && !released[index] && layout.CanScrollBy(ButtonStep(index))) {
    PumpOneRepeatMessage();
    if (!window.Hwnd() || released[index] || !layout.CanScrollBy(ButtonStep(index))) break;
    if (!ScrollStep(ButtonStep(index))) return;
  }
}

// The pause before the repeat: timer 1 clears `waiting` (WM_TIMER). False when the window went
// away meanwhile.
bool ContentNavigation::WaitForRepeat() {
  waiting = SetTimer(window.Hwnd(), kRepeatTimer, kRepeatDelayMs, nullptr) != 0;
  ULONGLONG limit = GetTickCount64() + kRepeatDelayLimitMs;
  while (waiting && window.Hwnd() && GetTickCount64() < limit) {
    while (waiting && PumpOneRepeatMessage()) {
    }
    // Sleeps until input arrives (or 10 ms): messages outside the range stay queued and do
    // not wake it again.
    if (waiting) MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  waiting = false;
  if (!window.Hwnd()) return false;
  KillTimer(window.Hwnd(), kRepeatTimer);
  return true;
}

void ContentNavigation::UpdateHover() {
  hoverKind = kHoverNone;
  if (Showing() && lastMouse.x >= 0) hoverKind = HitTest(layout, lastMouse.x, lastMouse.y).kind;
}

// The cursor of the hover kind, only while the pointer is over the view itself (a scroll by key
// or button must not change the cursor of another window).
void ContentNavigation::SetHoverCursor() {
  POINT point;
  if (!GetCursorPos(&point) || WindowFromPoint(point) != window.Hwnd()) return;
  ApplyHoverCursor();
}

void ContentNavigation::ApplyHoverCursor() {
  HCURSOR cursor = hoverKind == kHoverReference ? referenceCursor
                   : hoverKind == kHoverGraphic ? graphicCursor
                   : hoverKind == kHoverSound   ? soundCursor
                                                : arrowCursor;
  SetCursor(cursor ? cursor : LoadCursorW(nullptr, IDC_ARROW));
}

void ContentNavigation::OnMouseMove(int x, int y) {
  lastMouse = {x, y};
  if (marks.Dragging()) {
    marks.ExtendDrag(x, y);
    return;
  }
  uint8_t old = hoverKind;
  UpdateHover();
  if (hoverKind != old) ApplyHoverCursor();
}

void ContentNavigation::OnLeftButtonDown(int x, int y) {
  lastMouse = {x, y};
  clickActed = false;
  if (!Showing()) return;
  media.StopSound();
  Hit hit = HitTest(layout, x, y);
  clickActed = hit.kind != kHoverNone;
  if (!clickActed) {
    marks.BeginDrag(x, y);
    return;
  }
  Activate(hit);
  if (!window.Hwnd()) return;
  hoverKind = kHoverNone;
  SetHoverCursor();
  UpdateHover();
}

void ContentNavigation::Activate(const Hit& hit) {
  // The slot belongs to the lines, which following a reference replaces: work on a copy.
  std::array<char, kLinkBlockSize + 1> code = hit.link->code;
  switch (hit.kind) {
    case kHoverReference: FollowReference(hit); break;
    case kHoverGraphic: media.ShowPicture(code.data()); break;
    default: media.PlaySoundBlock(code.data()); break;
  }
}

const LinkSlot* ContentNavigation::FocusedLink(LinkStop* stop) const {
  if (focusLine == kNoFocus || !Showing() || focusLine < layout.TopLine() || focusLine > layout.BottomLine())
    return nullptr;
  const LineRecord* line = layout.Line(focusLine);
  if (!line || focusSlot >= line->links.size()) return nullptr;
  for (const LinkStop& each : LinkStops(layout.Lines(), focusLine, focusLine, layout.GetMetrics())) {
    if (each.slot != focusSlot) continue;
    *stop = each;
    return &line->links[focusSlot];
  }
  return nullptr;
}

bool ContentNavigation::MoveLinkFocus(bool backward) {
  if (!Showing()) return false;
  const std::vector<LinkStop> stops =
      LinkStops(layout.Lines(), layout.TopLine(), layout.BottomLine(), layout.GetMetrics());
  // Where the focus is among the page's links; none: before the first (after the last).
  LinkStop current;
  const bool focused = FocusedLink(&current) != nullptr;
  ptrdiff_t at = backward ? static_cast<ptrdiff_t>(stops.size()) : -1;
  for (size_t i = 0; focused && i < stops.size(); ++i)
    if (stops[i].line == current.line && stops[i].slot == current.slot) at = static_cast<ptrdiff_t>(i);
  const ptrdiff_t next = at + (backward ? -1 : 1);
  const bool inside = next >= 0 && next < static_cast<ptrdiff_t>(stops.size());
  focusLine = inside ? stops[static_cast<size_t>(next)].line : kNoFocus;
  focusSlot = inside ? stops[static_cast<size_t>(next)].slot : 0;
  if (focused || inside) InvalidateRect(window.Hwnd(), nullptr, FALSE);
  return inside;
}

bool ContentNavigation::ActivateLinkFocus() {
  LinkStop stop;
  const LinkSlot* link = FocusedLink(&stop);
  if (!link) return false;
  media.StopSound();
  Hit hit;
  hit.kind = static_cast<uint8_t>(link->kind);
  hit.line = layout.Line(stop.line);
  hit.link = link;
  // A followed reference shows other text: the focus starts again from its first link; coming
  // back, it is on this one again.
  if (hit.kind == kHoverReference) {
    if (followed.size() == kFollowedKept) followed.erase(followed.begin());
    followed.push_back({HeadwordPosition(layout.Text(), layout.EntryBase(), hit.line->start),
                        layout.EntryBase() + hit.line->start, stop.slot});
    focusLine = kNoFocus;
  }
  Activate(hit);
  return true;
}

void ContentNavigation::ReturnedTo(int32_t position) {
  auto it = std::find_if(followed.rbegin(), followed.rend(),
                         [&](const FollowedLink& each) { return each.headword == position; });
  if (it == followed.rend() || !Showing()) return;
  const FollowedLink link = *it;
  followed.erase(std::prev(it.base()), followed.end());  // it and the later ones are left behind
  for (int32_t row = layout.TopLine(); row <= layout.BottomLine(); ++row) {
    const LineRecord* line = layout.Line(row);
    if (!line || layout.EntryBase() + line->start != link.lineStart || link.slot >= line->links.size()) continue;
    focusLine = row;
    focusSlot = link.slot;
    InvalidateRect(window.Hwnd(), nullptr, FALSE);
    return;
  }
}

void ContentNavigation::DrawLinkFocus(HDC dc, COLORREF ink) const {
  LinkStop stop;
  if (!FocusedLink(&stop)) return;
  const int32_t height = layout.GetMetrics().lineHeight;
  const int32_t top = (stop.line - layout.TopLine()) * height;
  // A dotted frame in the text's colour, drawn over the page (not inverted: a partial repaint
  // draws it again whole).
  HPEN pen = CreatePen(PS_DOT, 1, ink);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  Rectangle(dc, stop.left - 1, top, stop.right + 1, top + height);
  SetBkMode(dc, oldMode);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(pen);
}

void ContentNavigation::OnLeftButtonUp(int x, int y) {
  lastMouse = {x, y};
  marks.EndDrag();
  UpdateHover();
  SetHoverCursor();
}

void ContentNavigation::OnDoubleClick(int x, int y) {
  lastMouse = {x, y};
  // The first click followed a reference, opened a picture or played a sound: done.
  if (clickActed || !Showing() || HitTest(layout, x, y).kind != kHoverNone) return;
  marks.EndDrag();
  // Rows as the hit test counts them.
  const int32_t height = layout.GetMetrics().lineHeight;
  const int32_t row = layout.TopLine() + (height > 0 ? y / height : 0);
  if (y < 0 || row > layout.BottomLine()) return;
  const std::string text = TextFromPoint(layout.Lines(), row, x, layout.GetMetrics());
  if (!text.empty())
    SendMessageW(GetParent(window.Hwnd()), VM_VIEW_LOOKUP, text.size(), reinterpret_cast<LPARAM>(text.c_str()));
}

void ContentNavigation::OnRightButtonDown(int x, int y) {
  lastMouse = {x, y};
  if (Showing()) marks.ShowContextMenu(x, y);
}

// Tells the parent where the entry being left starts, then shows the reference's target from
// its first line. A reference that names no text leaves the view as it was.
void ContentNavigation::FollowReference(const Hit& hit) {
  std::array<char, kLinkBlockSize + 1> code = hit.link->code;
  int32_t headword = HeadwordPosition(layout.Text(), layout.EntryBase(), hit.line->start);
  SendMessageW(GetParent(window.Hwnd()), VM_VIEW_HISTORY, 0, static_cast<LPARAM>(headword));
  if (!window.Hwnd()) return;  // the parent closed the view meanwhile
  hoverKind = kHoverNone;
  router.EnsureMetrics();
  ShowNew(layout.ShowLink(code.data()));
}

bool ContentNavigation::StepEntry(bool after) {
  if (!Showing()) return false;
  const int32_t next = layout.NeighbourOfTop(after);
  if (next == kStepReadFailed) router.HandleFailure();
  if (next < 0) return false;
  ForgetHover();
  router.EnsureMetrics();
  return ShowNew(layout.ShowAt(next));
}

bool ContentNavigation::ShowNew(LayoutResult result) {
  if (result == LayoutResult::kFailed) {
    router.HandleFailure();
    return false;
  }
  if (result == LayoutResult::kNoText) return false;
  marks.Clear();
  router.UpdateButtons();
  router.RedrawPage();
  return true;
}

}  // namespace calvetta
