#include "win/ContentMarks_win.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "Calvetta.h"
#include "GaijiMap.h"
#include "HitTest.h"
#include "HtmlCopy.h"
#include "win/CalvettaRes.h"
#include "ui/Clipboard.h"
#include "ui/ShiftJisText.h"
#include "ui/UniqueHandle.h"
#include "ui/Utf8Text.h"

namespace calvetta {
namespace {

// Global memory holding bytes, for the clipboard; null when it cannot be had.
HGLOBAL GlobalCopy(const void* data, size_t bytes) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
  if (!memory) return nullptr;
  void* target = GlobalLock(memory);
  if (!target) {
    GlobalFree(memory);
    return nullptr;
  }
  memcpy(target, data, bytes);
  GlobalUnlock(memory);
  return memory;
}

// Hands memory to the clipboard, which owns it from then on; frees it when refused.
void Put(UINT format, HGLOBAL memory) {
  if (memory && !SetClipboardData(format, memory)) GlobalFree(memory);
}

// What an external character without a mapping becomes in a copy: 〓, never nothing.
constexpr wchar_t kGetaMark[] = L"\u3013";

// The open book's character map, read afresh for each copy (a copy is rare, and the book may
// have changed since the last); empty without one.
// The path comes wide where the library can give it so (a book below a folder named in a
// language the system's code page lacks).
booktext::GaijiMap CharacterMap(const DunmoorExports& book) {
  std::FILE* file = nullptr;
  wchar_t widePath[kDunmoorMapPathSize];
  char path[kDunmoorMapPathSize];
  if (book.epwGetCharacterMapW) {
    if (book.epwGetCharacterMapW(widePath, kDunmoorMapPathSize) == kDunmoorSuccess) file = _wfopen(widePath, L"rb");
  } else if (book.epwGetCharacterMap && book.epwGetCharacterMap(path, sizeof path) == kDunmoorSuccess) {
    file = std::fopen(path, "rb");
  }
  if (!file) return {};
  std::string text;
  char buffer[4096];
  for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) text.append(buffer, got);
  std::fclose(file);
  return booktext::GaijiMap::Parse(text);
}

}  // namespace

int32_t ContentMarks::Row(int y) const {
  int32_t height = layout.GetMetrics().lineHeight;
  // Rows above the window (the mouse is captured while dragging) count upward from the top.
  int32_t row = y / height - (y % height < 0 ? 1 : 0);
  return row + layout.TopLine();
}

void ContentMarks::InvertSegment(HDC dc, int32_t row, int32_t left, int32_t right, const RECT* clip) const {
  if (left == right || row < layout.TopLine() || row > layout.BottomLine()) return;
  int32_t height = layout.GetMetrics().lineHeight;
  int32_t top = (row - layout.TopLine()) * height + kTopMargin;
  RECT rect = {left < right ? left : right, top, left < right ? right : left, top + height};
  if (clip && !IntersectRect(&rect, &rect, clip)) return;
  InvertRect(dc, &rect);
}

void ContentMarks::InvertCaret(HDC dc, const RECT* clip) const {
  if (!caretOn || !focused || layout.IsBlank()) return;
  // Two pixels wide from the edge, as wide as a line is high; inverting it again takes it off.
  const int32_t left = std::max(caret.edge, 0);
  InvertSegment(dc, caret.row, left, left + 2, clip);
}

void ContentMarks::Draw(HDC dc, const RECT* clip) {
  if (!dc || layout.IsBlank()) return;
  InvertCaret(dc, clip);
  if (!marks.Present()) return;
  for (MarkSegment& segment : marks.All()) {
    if (!segment.InUse()) break;
    InvertSegment(dc, segment.row, segment.left, segment.right, clip);
    segment.shownRow = segment.row;
    segment.shownLeft = segment.left;
    segment.shownRight = segment.right;
  }
}

void ContentMarks::EraseShown(HDC dc) {
  if (!marks.Present() || layout.IsBlank()) return;
  for (const MarkSegment& segment : marks.All()) {
    if (!segment.InUse()) break;
    InvertSegment(dc, segment.shownRow, segment.shownLeft, segment.shownRight, nullptr);
  }
}

void ContentMarks::SetFocused(bool isFocused) {
  if (isFocused == focused) return;
  ui::WindowDc dc(window.Hwnd());
  if (dc) InvertCaret(dc.Get(), nullptr);  // off (when it was on), then on
  focused = isFocused;
  if (dc) InvertCaret(dc.Get(), nullptr);
}

void ContentMarks::PutCaret(const CaretPlace& place, bool extend) {
  if (layout.IsBlank()) return;
  ui::WindowDc dc(window.Hwnd());
  if (!dc) return;
  InvertCaret(dc.Get(), nullptr);
  if (extend && !keyAnchored) {
    keyAnchor = caretOn ? caret : place;
    keyAnchored = true;
  }
  caret = place;
  caretOn = true;
  if (extend || marks.Present()) {
    EraseShown(dc.Get());
    marks.Clear();
    if (extend) {
      // Begin and Extend take client x: the first pixel right of an edge snaps back onto it.
      marks.Begin(layout.Lines(), layout.GetMetrics(), keyAnchor.row, keyAnchor.edge + 1);
      marks.Extend(layout.Lines(), layout.GetMetrics(), caret.row, caret.edge + 1);
      marks.End();
    } else {
      keyAnchored = false;
    }
  }
  Draw(dc.Get(), nullptr);
}

void ContentMarks::BeginDrag(int x, int y) {
  SetCapture(window.Hwnd());
  {
    ui::WindowDc dc(window.Hwnd());
    if (dc) EraseShown(dc.Get());
  }
  keyAnchored = false;
  marks.Begin(layout.Lines(), layout.GetMetrics(), Row(y), x);
  // The new anchor segment is empty: nothing is shown yet.
}

void ContentMarks::ExtendDrag(int x, int y) {
  if (!marks.Selecting()) return;
  if (GetCapture() != window.Hwnd()) {  // capture taken away (another window, a menu): the drag is over
    marks.End();
    return;
  }
  if (layout.IsBlank() || !marks.Extend(layout.Lines(), layout.GetMetrics(), Row(y), x)) return;
  ui::WindowDc dc(window.Hwnd());
  for (MarkSegment& segment : marks.All()) {
    if (!segment.InUse()) break;
    if (dc) {
      if (segment.shownRow == segment.row && segment.shownLeft == segment.left) {
        InvertSegment(dc.Get(), segment.row, segment.shownRight, segment.right, nullptr);
      } else if (segment.shownRow == segment.row && segment.shownRight == segment.right) {
        InvertSegment(dc.Get(), segment.row, segment.shownLeft, segment.left, nullptr);
      } else {
        InvertSegment(dc.Get(), segment.shownRow, segment.shownLeft, segment.shownRight, nullptr);
        InvertSegment(dc.Get(), segment.row, segment.left, segment.right, nullptr);
      }
    }
    segment.shownRow = segment.row;
    segment.shownLeft = segment.left;
    segment.shownRight = segment.right;
  }
}

void ContentMarks::EndDrag() {
  marks.End();
  if (GetCapture() == window.Hwnd()) ReleaseCapture();
}

bool ContentMarks::Extract() {
  if (!layout.HasContent() || layout.IsBlank()) return false;
  return marks.Extract(layout.Lines(), layout.GetMetrics()) > 0;
}

int32_t ContentMarks::TextLength() {
  if (!layout.HasContent() || layout.IsBlank()) return 0;
  return static_cast<int32_t>(marks.Extract(layout.Lines(), layout.GetMetrics()));
}

int32_t ContentMarks::GetText(char* buffer, int32_t size) {
  if (buffer && size > 0) buffer[0] = '\0';
  if (!Extract()) return 0;
  return marks.CopyLeading(buffer, size);
}

bool ContentMarks::MarkEntry() {
  const LineList& lines = layout.Lines();
  int32_t first = 0, last = 0;
  // The entry that holds the caret where it is on the page, else the one at the top.
  const bool caretShown = caretOn && caret.row >= layout.TopLine() && caret.row <= layout.BottomLine();
  if (!EntryLines(lines, layout.Text(), caretShown ? caret.row : layout.TopLine(), &first, &last)) return false;
  keyAnchored = false;
  last = std::min(last, first + kMarkRowReach - 1);
  marks.Begin(lines, layout.GetMetrics(), first, 0);
  // Right of the last line's end: up to its last character.
  const bool marked = marks.Extend(lines, layout.GetMetrics(), last, INT32_MAX / 4);
  marks.End();
  return marked && TextLength() > 0;
}

bool ContentMarks::PrintedRows(int32_t* first, int32_t* last, bool* whole) const {
  if (!layout.HasContent() || layout.IsBlank()) return false;
  bool any = false;
  for (const MarkSegment& segment : marks.All()) {
    if (!segment.used) continue;
    *first = any ? std::min(*first, segment.row) : segment.row;
    *last = any ? std::max(*last, segment.row) : segment.row;
    any = true;
  }
  *whole = !any;
  if (any) return layout.Line(*first) && layout.Line(*last);
  const bool caretShown = caretOn && caret.row >= layout.TopLine() && caret.row <= layout.BottomLine();
  return EntryLines(layout.Lines(), layout.Text(), caretShown ? caret.row : layout.TopLine(), first, last);
}

int32_t ContentMarks::EntryText(char* buffer, int32_t size) {
  if (!buffer || size <= 0) return 0;
  buffer[0] = '\0';
  if (!layout.HasContent() || layout.IsBlank()) return 0;
  // Marked and read off a copy of the marks: what the screen shows stays as it is.
  const MarkSelection kept = marks;
  const bool anchored = keyAnchored;
  const int32_t copied = MarkEntry() ? marks.CopyLeading(buffer, size) : 0;
  marks = kept;
  keyAnchored = anchored;
  return copied;
}

void ContentMarks::CopyToClipboard() {
  if (!Extract()) return;
  std::vector<CopyPiece> pieces = marks.JoinedPieces();
  if (pieces.empty()) return;
  // CF_TEXT as Shift-JIS, and the same text as UTF-16 converted with code page 932 whatever the
  // system's code page, so that it pastes right on any locale. An external character is the
  // character the book's map names (in CF_TEXT when Shift-JIS has it), else 〓.
  booktext::GaijiMap map;
  if (std::any_of(pieces.begin(), pieces.end(), [](const CopyPiece& p) { return p.external != 0; }))
    map = CharacterMap(binding.Functions());
  // Beside them, the same as rich text (the headword's weight, references, indentation), for
  // word processors and mail.
  const std::string html = ClipboardHtml(HtmlFragment(pieces, map));
  std::string text;
  std::wstring wide;
  for (const CopyPiece& piece : pieces) {
    if (!piece.external) {
      text += piece.text;
      wide += ui::FromShiftJis(piece.text);
      continue;
    }
    std::wstring character = ui::FromUtf8(map.Lookup(piece.external, piece.narrow));
    if (character.empty()) character = kGetaMark;
    std::string bytes;
    text += ui::ToShiftJisExactly(character, &bytes) ? bytes : ui::ToShiftJis(kGetaMark);
    wide += character;
  }
  HGLOBAL ansi = GlobalCopy(text.c_str(), text.size() + 1);
  HGLOBAL unicode = GlobalCopy(wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
  HGLOBAL rich = GlobalCopy(html.c_str(), html.size() + 1);
  if (!ansi || !ui::OpenClipboardPatiently(window.Hwnd())) {  // the clipboard stays as it was
    for (HGLOBAL each : {ansi, unicode, rich})
      if (each) GlobalFree(each);
    return;
  }
  EmptyClipboard();
  Put(CF_TEXT, ansi);
  Put(CF_UNICODETEXT, unicode);
  if (const UINT format = RegisterClipboardFormatW(L"HTML Format")) Put(format, rich);
  else if (rich) GlobalFree(rich);
  CloseClipboard();
}

void ContentMarks::ShowContextMenu(int x, int y) {
  if (!layout.HasContent() || layout.IsBlank()) return;
  ui::UniqueMenu menu(CreatePopupMenu());
  if (!menu) return;
  UINT state = Extract() ? MF_ENABLED : MF_GRAYED;
  AppendMenuW(menu.Get(), MF_STRING | state, IDM_VIEW_COPY, L"\u30b3\u30d4\u30fc(&C)");                  // コピー
  AppendMenuW(menu.Get(), MF_STRING | state, IDM_VIEW_SEARCHMARK, L"\u9023\u7d9a\u691c\u7d22(&S)");  // 連続検索
  POINT point = {x, y};
  ClientToScreen(window.Hwnd(), &point);
  // The command comes back as the result rather than as WM_COMMAND: the view has no command
  // table of its own.
  int command = static_cast<int>(TrackPopupMenu(menu.Get(), TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY,
                                                point.x, point.y, 0, window.Hwnd(), nullptr));
  if (command == IDM_VIEW_COPY) {
    CopyToClipboard();
  } else if (command == IDM_VIEW_SEARCHMARK) {
    SendMessageW(GetParent(window.Hwnd()), VM_VIEW_SEARCHMARK, 0, 0);
  }
}

}  // namespace calvetta
