// The content layout of the ContentWindow: holds the entry's raw text in a 256 KiB buffer,
// lays it out into display lines, keeps a cache of lines around the visible page and scrolls
// through an entry of any length by fetching more text before or after on demand.
//
// Portable: no window, no drawing. The window owns one ContentLayout, passes it the text readers
// (TextSource), the font metrics and the client size, forwards its messages to the calls below
// and paints the lines that TopLine()..BottomLine() name.
//
// Results. Every call that reads or lays out text returns a LayoutResult. kFailed means a reader
// failed or the layout could not be built: the layout has already blanked itself (IsBlank, no
// lines, buttons disabled, Failed() true) and the window does the rest of its failure handling
// (VM_VIEW_FAILED to the parent, beep, blank the window). kNoText: the book returned no text; the
// layout is blank as after kFailed (the window decides, per message, whether that is a failure),
// except after ShowLink, which then keeps what was shown.
//
// Positions are view positions (LineRecord.h): EntryBase() + view position = text position.
//
// Choices made here:
//  - A line never holds more than 32 slots of a kind: it wraps early instead (LineRecord.h).
//  - Runs are closed at 127 bytes, so the painter's 128-byte buffer always holds a run.
//  - The test for an entry that begins inside a keyword runs at view position 0 (the position
//    the entry was fetched from), whatever text was fetched before it since.
//  - A line is wrapped only when it already holds something: a window narrower than one
//    character gets one character per line, never empty lines.
//  - Text fetched before or after the buffer is read at the buffer's own edges (the readers'
//    shared cursor is positioned first), so reads by other callers in between do no harm.
//  - The buffer holds only the bytes the book delivered; positions after them are not held.
//  - Picture and sound link slots copy their code through the end code and its arguments.
#ifndef CALVETTA_LAYOUT_CONTENTLAYOUT_H
#define CALVETTA_LAYOUT_CONTENTLAYOUT_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "HeldText.h"
#include "LineList.h"
#include "LineRecord.h"
#include "TextSource.h"

namespace calvetta {

constexpr int32_t kContentBufferSize = 0x40000;  // the entry's text window
constexpr int32_t kMaxLayoutRange = 0x8000;      // most bytes one layout call covers
constexpr int32_t kEarlierFetchSize = 0x10000;   // bytes fetched before the buffer at a time
constexpr int32_t kLaterFetchSize = 0x20000;     // bytes fetched after the buffer at a time
constexpr int32_t kLookBackSize = 0x8000;        // bytes looked at before the entry
constexpr int32_t kButtonColumnWidth = 16;       // the button column right of the text area
constexpr int32_t kTopMargin = 3;                // rows start 3 pixels below the top
constexpr size_t kMinCacheLimit = 512;

// Font measures, in pixels. Until the painter has measured the font: 16/8/16/0.
struct Metrics {
  int32_t lineHeight = 16;
  int32_t halfWidth = 8;
  int32_t fullWidth = 16;
  int32_t boldExtra = 0;  // bold widening of half-width characters
};

// Page measures for the current client size and metrics.
struct PageMeasures {
  int32_t textRight = 0;     // W - 16: right edge of the text area
  int32_t usableWidth = 0;   // half-width * floor((W - 16) / half-width)
  int32_t textHeight = 0;    // line height * lines per page
  int32_t linesPerPage = 0;  // floor((H - 3) / line height)
};

enum class LayoutResult { kDone, kNoText, kFailed };

// Enabled states of the four scroll buttons.
struct ButtonStates {
  bool lineUp = false;
  bool pageUp = false;
  bool lineDown = false;
  bool pageDown = false;
};

class ContentLayout {
 public:
  // source must outlive the layout. The layout starts blank with no content.
  explicit ContentLayout(TextSource* source);

  // Inputs. Neither lays out again: Resize does (after the window has moved its buttons).
  void SetMetrics(const Metrics& metrics);
  const Metrics& GetMetrics() const { return metrics; }
  void SetClientSize(int32_t width, int32_t height);
  // The width of the button column right of the text area (kButtonColumnWidth at 96 dots an
  // inch; the window scales it to the screen).
  void SetButtonColumnWidth(int32_t width) { buttonColumnWidth = width; }
  int32_t ClientHeight() const { return clientHeight; }
  PageMeasures Page() const;

  // VM_VIEW_SHOWPOS: the entry of hit `index` (GetWordCont), laid out from its start, scrolled
  // to line 0. kNoText when the book returns no bytes.
  LayoutResult ShowHit(int32_t index);
  // VM_VIEW_SHOWAT: the text at text position `position` (GetLinkContByPt).
  LayoutResult ShowAt(int32_t position);
  // The text position of the entry after (or before) the one the top line belongs to, in the
  // book's text order: as NeighbourEntry answers (EntrySteps.h).
  int32_t NeighbourOfTop(bool after);
  // A followed reference: the text that the code block of a reference link slot names
  // (GetLinkContent). When the book returns no bytes for it, the result is kNoText and the
  // content shown before stays as it was (lines, text and position).
  LayoutResult ShowLink(const char* code);

  // WM_SIZE: takes the new client size; when content has been shown, picks the LayoutChunk from
  // the width and lays the text out again from the paragraph of the top line (or goes blank
  // while the window is narrower than five full-width characters).
  LayoutResult Resize(int32_t width, int32_t height);

  // Scrolls so that line n is the top line, fetching and laying out text before or after as
  // needed. With no lines held it changes nothing and returns kDone.
  LayoutResult ScrollTo(int32_t n);
  // Keys and scroll buttons: whether a step of delta lines (negative: up) can move at all, that
  // is content is shown, not blank, and the text does not already end that way (AtTextStart
  // going up, AtTextEnd going down); and the step itself, which clears the flag of the other
  // end first.
  bool CanScrollBy(int32_t delta) const;
  LayoutResult ScrollBy(int32_t delta);

  // Drops all content: no lines, blank, no content yet, buttons disabled.
  void Blank();

  // One entry at a time: the text shown ends where the next entry begins (a line that starts
  // with its headword keyword, LineStartsEntry), going down, and begins where its own entry
  // does, going up. Off (as it starts): the text runs on through the book. Takes effect from the
  // next layout (Resize lays out again).
  void SetOneEntry(bool one) { oneEntry = one; }
  bool OneEntry() const { return oneEntry; }

  // State for the painter and the window.
  bool IsBlank() const { return blank; }
  bool HasContent() const { return hasContent; }  // false until something was shown
  bool Failed() const { return failed; }          // the last call returned kFailed
  int32_t TopLine() const { return topLine; }
  int32_t BottomLine() const { return bottomLine; }
  bool AtTextStart() const { return atTextStart; }
  bool AtTextEnd() const { return atTextEnd; }
  ButtonStates Buttons() const { return buttons; }
  int32_t LinesPerPage() const { return Page().linesPerPage; }
  // The held line with this number, or nullptr.
  const LineRecord* Line(int32_t number) const { return lines.Find(number); }
  const LineList& Lines() const { return lines; }
  size_t CacheLimit() const { return lines.Limit(); }
  int32_t LayoutChunk() const { return layoutChunk; }
  int32_t EntryBase() const { return entryBase; }
  int32_t BufferBase() const { return bufferBase; }
  // The `count` held bytes from view position `position` on, or nullptr when any is not held.
  const uint8_t* HeldBytes(int32_t position, size_t count) const;
  // All held bytes, addressed by view position.
  HeldText Text() const;

 private:
  enum class Reader { kHit, kPosition, kLink };
  LayoutResult Show(Reader reader, int32_t argument, const char* code);
  LayoutResult Fail();
  bool FetchEarlier(bool* fetched);
  bool FetchLater(bool* fetched);
  bool EnsureHeld(int32_t first, int32_t last);
  LayoutResult LayOutFrom(int32_t start, int32_t end, bool entryStart);
  bool ScrollTop(int32_t n);
  bool ScrollBottom(int32_t linesPerPage);
  void SetButtons();
  void DisableButtons();

  TextSource* source;
  // The ContentBuffer, kContentBufferSize bytes from the first show on. Only its first `held`
  // bytes are ever read, so no buffer here is cleared before the book's bytes are read into it.
  std::unique_ptr<uint8_t[]> buffer;
  // Kept between calls, so that showing and scrolling allocate nothing: the buffer that the
  // next entry is read into (the one shown before, once swapped), and the fetches' scratch
  // (kLaterFetchSize bytes, the largest fetch).
  std::unique_ptr<uint8_t[]> incoming;
  std::unique_ptr<char[]> scratch;
  char* Scratch();
  int32_t held = 0;             // bytes of the buffer that hold delivered text
  int32_t bufferBase = 0;
  int32_t entryBase = 0;
  LineList lines;
  Metrics metrics;
  int32_t clientWidth = 0;
  int32_t clientHeight = 0;
  int32_t buttonColumnWidth = kButtonColumnWidth;
  int32_t layoutChunk = 8192;
  int32_t topLine = 0;
  int32_t bottomLine = 0;
  bool blank = true;
  bool hasContent = false;
  bool failed = false;
  bool atTextStart = false;
  bool atTextEnd = false;
  ButtonStates buttons;
  bool lookBackAtStart = false;  // the look-back found the entry's start right before it
  bool oneEntry = false;
};

}  // namespace calvetta

#endif  // CALVETTA_LAYOUT_CONTENTLAYOUT_H
