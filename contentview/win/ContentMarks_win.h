// Marks of the content view on screen: dragging with the mouse captured, inverting what changed,
// the clipboard copy, the context menu and the text the exports hand out. What is marked and its
// text come from MarkSelection (portable).
//
// Marks are drawn by inverting the text under them (InvertRect): inverting twice restores the
// text, so a mark is taken off the screen by inverting its shown extent again and never needs a
// repaint. Each segment remembers the extent shown (shownRow/Left/Right); the marks keep that
// equal to what the screen holds.
#ifndef CALVETTA_WIN_CONTENTMARKS_WIN_H
#define CALVETTA_WIN_CONTENTMARKS_WIN_H

#include <windows.h>

#include <cstdint>

#include "CaretMove.h"
#include "ContentLayout.h"
#include "MarkSelection.h"
#include "ui/Window.h"
#include "win/DunmoorBinding_win.h"

namespace calvetta {

class ContentMarks {
 public:
  // The marks lie over layout's lines in window (the view); binding gives the book's character
  // map for a copy.
  ContentMarks(const ui::Window& window, const ContentLayout& layout, const DunmoorBinding& binding)
      : window(window), layout(layout), binding(binding) {}

  // A drag starts where a click hits nothing, follows the pointer and ends at button up.
  void BeginDrag(int x, int y);
  void ExtendDrag(int x, int y);
  void EndDrag();
  bool Dragging() const { return marks.Selecting(); }
  // Inverts the marks over freshly drawn text (after painting and after scrolling; clip: the
  // update rectangle or null).
  void Draw(HDC dc, const RECT* clip);
  // Drops the marks and the caret without drawing (new content, a followed reference, blanking,
  // re-layout).
  void Clear() {
    marks.Clear();
    caretOn = false;
    keyAnchored = false;
  }
  // Marks the characters from view position from up to to (exclusive) on the held lines; the
  // caller repaints. False when the lines do not hold them.
  bool MarkRange(int32_t from, int32_t to) { return marks.MarkRange(layout.Lines(), layout.GetMetrics(), from, to); }
  // Marks the entry at the top of the page, as far as it is held and a drag reaches; the caller
  // repaints. False when nothing was marked.
  bool MarkEntry();
  // The lines a print takes: from the first to the last marked line (*whole false), else the
  // entry that holds the caret, else the one at the top, from its first line (*whole true: to its
  // end, wherever that lies). False for a blank view.
  bool PrintedRows(int32_t* first, int32_t* last, bool* whole) const;
  // The keyboard's caret: shown (inverted, as the marks are) while the view has the focus, from
  // its first move on until new content. SetFocused follows the view's focus.
  void SetFocused(bool focused);
  bool CaretOn() const { return caretOn; }
  const CaretPlace& Caret() const { return caret; }
  // Where the keyboard's marking began, while its marks stand; null otherwise.
  const CaretPlace* KeyAnchor() const { return keyAnchored ? &keyAnchor : nullptr; }
  // The caret to place; with extend the marks run from where the keyboard's marking began (the
  // caret's place before its first extending move) to there, else the marks go. Drawn at once.
  void PutCaret(const CaretPlace& place, bool extend);
  // VM_VIEW_ENTRYTEXT: the entry's text as MarkEntry would mark it, the marks left as they are.
  int32_t EntryText(char* buffer, int32_t size);
  // The context menu at client point (x, y): コピー and 連続検索.
  void ShowContextMenu(int x, int y);

  // The exports: length of the marked text (0 none), copy to the clipboard, the leading text.
  int32_t TextLength();
  void CopyToClipboard();
  int32_t GetText(char* buffer, int32_t size);

 private:
  int32_t Row(int y) const;
  void InvertSegment(HDC dc, int32_t row, int32_t left, int32_t right, const RECT* clip) const;
  // The caret's bar inverted, when it is to be seen.
  void InvertCaret(HDC dc, const RECT* clip) const;
  // Takes the shown marks off the screen.
  void EraseShown(HDC dc);
  bool Extract();

  const ui::Window& window;
  const ContentLayout& layout;
  const DunmoorBinding& binding;
  MarkSelection marks;
  CaretPlace caret;
  bool caretOn = false;
  bool focused = false;
  bool keyAnchored = false;  // the marks run from keyAnchor, set by the keyboard
  CaretPlace keyAnchor;
};

}  // namespace calvetta

#endif  // CALVETTA_WIN_CONTENTMARKS_WIN_H
