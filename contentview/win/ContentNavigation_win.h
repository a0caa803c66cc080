// Moving through the text of the view: the scroll keys, the four buttons with their auto-repeat,
// what lies under the pointer (hover kind and cursor), and clicks that follow a reference, open a
// picture or play a sound. The view keeps no history of its own: before it follows a reference it
// reports the headword position of the entry it leaves to its parent (VM_VIEW_HISTORY), which
// keeps the layers and returns to one with VM_VIEW_SHOWAT.
#ifndef CALVETTA_WIN_CONTENTNAVIGATION_WIN_H
#define CALVETTA_WIN_CONTENTNAVIGATION_WIN_H

#include <windows.h>

#include <array>
#include <cstdint>
#include <vector>

#include "CaretMove.h"
#include "ContentLayout.h"
#include "HitTest.h"
#include "ui/UniqueHandle.h"
#include "ui/Window.h"
#include "win/ContentMarks_win.h"
#include "win/ContentMedia_win.h"
#include "win/ScrollButton_win.h"
#include "win/ViewRouter_win.h"

namespace calvetta {

class ContentNavigation {
 public:
  // The view's timer that ends the pause before a held button repeats (WM_TIMER).
  static constexpr UINT_PTR kRepeatTimer = 1;

  // window: the view (its handle is null once it is gone).
  ContentNavigation(const ui::Window& window, HINSTANCE module, ContentLayout& layout, ContentMarks& marks,
                    ContentMedia& media, ViewRouter& router)
      : window(window), module(module), layout(layout), marks(marks), media(media), router(router) {}
  // The book's cursors at dpi dots an inch (the arrow where one is missing).
  void LoadCursors(int dpi);

  void OnKeyDown(WPARAM key);
  // A scroll button's pressed state changed (id IDB_VIEW_...).
  void OnButton(int id, bool pressed);
  // The repeat's delay timer fired.
  void OnRepeatTimer() { waiting = false; }
  // The repeat's timer killed (the view goes).
  void Stop();
  // WM_SETCURSOR: true when the cursor was set (over the client area).
  bool OnSetCursor(LPARAM lParam);
  void OnMouseMove(int x, int y);
  void OnLeftButtonDown(int x, int y);
  void OnLeftButtonUp(int x, int y);
  void OnRightButtonDown(int x, int y);
  // A double-click on a character of the text hands the text from there to the parent
  // (VM_VIEW_LOOKUP); on a reference, picture or sound it does what its first click did.
  void OnDoubleClick(int x, int y);
  // New content: the hover is computed again at the next mouse move; no link has the keyboard.
  void ForgetHover() {
    hoverKind = kHoverNone;
    focusLine = kNoFocus;
  }

  // Tab (backward: Shift+Tab): the keyboard's focus to the next (previous) reference, picture or
  // sound of the page, from the first (last) when none has it. False when there is none that way:
  // no link keeps the focus, which leaves the view.
  bool MoveLinkFocus(bool backward);
  // Enter: the link with the focus followed, opened or played, as a click does. False without one.
  bool ActivateLinkFocus();
  // VM_VIEW_STEPENTRY: the entry after (or before) the one at the top of the view shown from its
  // start; false when there is none that way (nothing changes) or the text cannot be read.
  bool StepEntry(bool after);
  // The view shows the entry at text position again (VM_VIEW_SHOWAT, F3): a reference followed
  // from there by the keyboard gets the focus back, as it was when Enter followed it.
  void ReturnedTo(int32_t position);
  // Draws the focus around its link when the page shows it (after the text and the marks).
  void DrawLinkFocus(HDC dc, COLORREF ink) const;

 private:
  bool Showing() const;  // content shown and not blank
  bool ScrollStep(int32_t delta);
  // The arrows, Home and End: the caret moved (shown by the first), with extend the mark too.
  void MoveCaret(CaretStep step, bool extend);
  int32_t ButtonStep(int index) const;
  void RepeatButton(int index);
  bool WaitForRepeat();
  void UpdateHover();
  void SetHoverCursor();
  void ApplyHoverCursor();
  void FollowReference(const Hit& hit);
  // New content laid out (result): shown with its buttons, no marks; false when it is not.
  bool ShowNew(LayoutResult result);
  // The link with the keyboard's focus on the page, or nullptr; *stop gets its place.
  const LinkSlot* FocusedLink(LinkStop* stop) const;
  // A click's or Enter's action on the link of hit.
  void Activate(const Hit& hit);

  static constexpr int32_t kNoFocus = INT32_MIN;
  // A reference followed from the keyboard: the headword position of the entry left (as reported
  // to the parent) and the text position of the link's line with the link's slot there.
  struct FollowedLink {
    int32_t headword = 0;
    int32_t lineStart = 0;
    size_t slot = 0;
  };
  static constexpr size_t kFollowedKept = 64;

  const ui::Window& window;
  HINSTANCE module;
  ContentLayout& layout;
  ContentMarks& marks;
  ContentMedia& media;
  ViewRouter& router;
  std::array<bool, kScrollButtonCount> released{{true, true, true, true}};
  bool waiting = false;  // cleared by the repeat timer
  uint8_t hoverKind = kHoverNone;
  int32_t focusLine = kNoFocus;  // the line of the link with the keyboard's focus
  size_t focusSlot = 0;           // its slot on that line
  std::vector<FollowedLink> followed;  // the latest last, at most kFollowedKept
  bool clickActed = false;      // the last left click followed, opened or played something
  POINT lastMouse = {-1, -1};  // client point of the last mouse message; -1: none yet
  // The book's cursors at the view's resolution (owned), or the arrow where one is missing.
  std::array<ui::UniqueIcon, 3> ownCursors;
  HCURSOR referenceCursor = nullptr;
  HCURSOR graphicCursor = nullptr;
  HCURSOR soundCursor = nullptr;
  HCURSOR arrowCursor = nullptr;
};

}  // namespace calvetta

#endif  // CALVETTA_WIN_CONTENTNAVIGATION_WIN_H
