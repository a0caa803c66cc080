// One display line of entry text, as the layout builds it and the painter draws it.
//
// Positions in a line are view positions: 0 is the text position the entry was fetched from
// (EntryBase), earlier text has negative positions. EntryBase + a view position is a position in
// the book's text file.
//
// Slot limits. A line holds at most kSlotsPerLine slots of each kind (runs, icons, external
// characters, links). The layout never drops a slot: when the next item needs a slot of a kind
// that is already full, the line is wrapped early (the item goes on a continuation line).
//
// Run length. A run's text never exceeds kMaxRunBytes (127) bytes: the layout closes a run and
// opens the next one (same attributes, x on from the pen) before it would grow longer. The
// painter can therefore copy any run into a 128-byte buffer with its terminating zero.
#ifndef CALVETTA_LAYOUT_LINERECORD_H
#define CALVETTA_LAYOUT_LINERECORD_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace calvetta {

constexpr size_t kSlotsPerLine = 32;
constexpr size_t kMaxRunBytes = 127;
// Size of the code block a link slot holds (zero-filled, plus one terminating zero).
constexpr size_t kLinkBlockSize = 128;

// Colours in the Windows COLORREF layout (0x00BBGGRR), so that the window passes them on as is.
constexpr uint32_t Rgb(uint8_t r, uint8_t g, uint8_t b) {
  return uint32_t{r} | (uint32_t{g} << 8) | (uint32_t{b} << 16);
}
constexpr uint32_t kDefaultTextColour = Rgb(0, 0, 0);
constexpr uint32_t kBackgroundColour = Rgb(255, 255, 225);
constexpr uint32_t kReferenceColour = Rgb(0, 0, 255);
constexpr uint32_t kGraphicColour = Rgb(255, 0, 0);
constexpr uint32_t kSoundColour = Rgb(128, 64, 0);

// Bitmap resource ids of the media icons.
constexpr int32_t kIconColourGraphic = 135;
constexpr int32_t kIconSound = 138;
constexpr int32_t kIconGraphic = 140;

// Vertical mode of text: sub- and superscripts are drawn smaller, lowered or raised.
enum class Vertical : int8_t { kRaised = -1, kNormal = 0, kLowered = 1 };

// A stretch of text with one look. Wide runs hold JIS X 0208 codes, two bytes per character
// (7-bit form, as in the book); narrow runs hold ASCII, one byte per character.
struct TextRun {
  std::string text;       // at most kMaxRunBytes bytes; never empty in a stored run
  int32_t x = 0;          // pixels from the line's indent
  int32_t start = 0;      // view position of the first character; the n-th is 2n bytes on
  bool narrow = false;    // one byte per character (ASCII)
  uint32_t colour = kDefaultTextColour;
  bool bold = false;
  Vertical vertical = Vertical::kNormal;
  bool emphasis = false;                  // drawn slanted
  bool decoration1 = false;               // recorded only
  bool decoration2 = false;               // recorded only
};

// A media icon drawn full-width x full-width at x.
struct IconSlot {
  int32_t bitmapId = 0;  // kIconGraphic, kIconSound or kIconColourGraphic
  int32_t x = 0;
};

// An external character, drawn from the book's fonts.
struct GaijiSlot {
  uint16_t code = 0;
  int32_t x = 0;
  bool fullWidth = true;  // false inside narrow text
  uint32_t colour = kDefaultTextColour;
};

enum class LinkKind : int32_t { kReference = 1, kGraphic = 2, kSound = 3 };

// Where a reference, picture or sound starts on the line, with a copy of its code block for the
// book-access library: code.data() is what GetLinkContent, epwGetImageSize, epwGetSoundProp and
// their companions take. The block is zero-filled behind the copied bytes and always ends in a
// zero byte; codes of pictures and sound include their end code and its argument bytes when these
// lie within the block (the library looks for them there).
struct LinkSlot {
  std::array<char, kLinkBlockSize + 1> code{};
  size_t length = 0;  // bytes copied into code
  int32_t x = 0;
  int32_t width = 0;
  LinkKind kind = LinkKind::kReference;
};

// End mark of a line.
enum class EndMark : int8_t { kBeginsEntry = -1, kNone = 0, kEndsEntry = 1 };

struct LineRecord {
  int32_t number = 0;  // consecutive within the LineList
  int32_t start = 0;   // view position of the line's first byte
  int32_t end = 0;     // view position of the line's last byte (inclusive)
  std::vector<TextRun> runs;     // at most kSlotsPerLine, in x order
  std::vector<IconSlot> icons;   // at most kSlotsPerLine
  std::vector<GaijiSlot> gaiji;  // at most kSlotsPerLine
  std::vector<LinkSlot> links;   // at most kSlotsPerLine, in x order
  int32_t indent = 0;            // pixels; every x of the line counts from here
  bool continuation = false;     // opened by wrapping: continues the paragraph of the line before
  EndMark endMark = EndMark::kNone;
};

}  // namespace calvetta

#endif  // CALVETTA_LAYOUT_LINERECORD_H
