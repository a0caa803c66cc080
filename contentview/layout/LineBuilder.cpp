#include "LineBuilder.h"

#include <algorithm>
#include <cstring>

#include "NarrowToAscii.h"
#include "ControlCodes.h"

namespace calvetta {

namespace {

namespace code = booktext::code;

constexpr int32_t kMaxIndent = 6;           // full-width characters
constexpr int32_t kSkipSearch = 128;        // bytes searched for the end of 1F 14
constexpr int32_t kKeywordLookAhead = 256;  // bytes looked at for a keyword end at the start

bool IsJisByte(uint8_t b) { return b >= 0x21 && b <= 0x7E; }

// One layout call: the layout state and the line in progress.
class Builder {
 public:
  Builder(const HeldText& text, const Metrics& metrics, int32_t usableWidth, std::vector<LineRecord>* out)
      : text(text), m(metrics), usable(usableWidth), out(out) {}

  RangeEnd Run(int32_t a, int32_t b);

 private:
  // Width a character needs: wide outside narrow text and for external characters.
  // A bold face (a keyword, or a decoration the book marks bold) is wider by this.
  int32_t BoldExtra() const { return bold || decorationBold ? m.boldExtra : 0; }
  int32_t WideAdvance() const { return m.fullWidth + 2 * BoldExtra(); }
  int32_t NarrowAdvance() const { return m.halfWidth + BoldExtra(); }
  bool LineHasContent() const {
    return pen > 0 || runOpen || !line.runs.empty() || !line.icons.empty() || !line.gaiji.empty() ||
           !line.links.empty();
  }
  bool Overflows(int32_t width) const { return usable - indent < pen + width; }

  void StartLine(int32_t start, bool continuation, EndMark mark);
  void Close();
  void EndLine(int32_t end);
  void Wrap(int32_t at);
  void PlaceText(const uint8_t* bytes, size_t count, bool narrowRun, int32_t advance, int32_t at);
  void PlaceCharacter(int32_t a, uint8_t c1, uint8_t c2);
  void PlaceGaiji(int32_t a, uint16_t codeValue);
  void BeginMedia(int32_t p, int32_t length, uint8_t endCode, size_t endArgs, LinkKind kind,
                  int32_t bitmap, uint32_t mediaColour);
  void CopyBlock(int32_t p, int32_t fixed, uint8_t endCode, size_t endArgs, LinkSlot* slot) const;
  // Handles the control code at p; returns its length, or 0 when the layout stops.
  int32_t Control(int32_t p, int32_t b, bool* stop, RangeEnd* how);

  const HeldText& text;
  const Metrics& m;
  int32_t usable;
  std::vector<LineRecord>* out;

  int32_t pen = 0;
  int32_t indent = 0;
  bool narrow = false;
  bool bold = false;  // a keyword
  Vertical vertical = Vertical::kNormal;
  bool emphasis = false;
  bool decoration1 = false;
  bool decoration2 = false;
  // What 1F E0's argument asks for: 0x0001 italic, 0x0003 bold (others: plain text).
  bool decorationItalic = false;
  bool decorationBold = false;
  uint32_t colour = kDefaultTextColour;

  LineRecord line;
  TextRun run;
  bool runOpen = false;
};

void Builder::StartLine(int32_t start, bool continuation, EndMark mark) {
  line = LineRecord();
  line.start = start;
  line.indent = indent;
  line.continuation = continuation;
  line.endMark = mark;
  pen = 0;
}

void Builder::Close() {
  if (!runOpen) return;
  run.colour = colour;
  line.runs.push_back(std::move(run));
  run = TextRun();
  runOpen = false;
}

void Builder::EndLine(int32_t end) {
  Close();
  line.end = end;
  out->push_back(std::move(line));
  line = LineRecord();
}

void Builder::Wrap(int32_t at) {
  EndLine(at - 1);
  StartLine(at, true, EndMark::kNone);
}

void Builder::PlaceText(const uint8_t* bytes, size_t count, bool narrowRun, int32_t advance, int32_t at) {
  // A run holds characters that stand two bytes apart in the text: one after a skipped code
  // opens a run of its own (drawn the same), so that every character's position is known.
  const int32_t characters = static_cast<int32_t>(run.narrow ? run.text.size() : run.text.size() / 2);
  if (runOpen && (run.narrow != narrowRun || run.text.size() + count > kMaxRunBytes || at != run.start + 2 * characters))
    Close();
  if (!runOpen) {
    if (line.runs.size() >= kSlotsPerLine) Wrap(at);
    run = TextRun();
    run.x = pen;
    run.start = at;
    run.narrow = narrowRun;
    run.bold = bold || decorationBold;
    run.vertical = vertical;
    run.emphasis = emphasis || decorationItalic;
    run.decoration1 = decoration1;
    run.decoration2 = decoration2;
    runOpen = true;
  }
  run.text.append(reinterpret_cast<const char*>(bytes), count);
  pen += advance;
}

void Builder::PlaceCharacter(int32_t a, uint8_t c1, uint8_t c2) {
  // A pair holding a zero byte would cut the zero-terminated run: it stands as a blank.
  if (c1 == 0 || c2 == 0) c1 = c2 = 0x21;
  uint16_t jis = static_cast<uint16_t>((c1 << 8) | c2);
  char ascii = narrow ? booktext::NarrowToAscii(jis) : 0;
  int32_t width = narrow ? m.fullWidth + BoldExtra() : WideAdvance();
  if (LineHasContent() && Overflows(width)) Wrap(a);
  if (ascii != 0) {
    uint8_t byte = static_cast<uint8_t>(ascii);
    PlaceText(&byte, 1, true, NarrowAdvance(), a);
    return;
  }
  if (narrow) jis = SmallKana(jis);
  uint8_t pair[2] = {static_cast<uint8_t>(jis >> 8), static_cast<uint8_t>(jis & 0xFF)};
  PlaceText(pair, 2, false, WideAdvance(), a);
}

void Builder::PlaceGaiji(int32_t a, uint16_t codeValue) {
  int32_t width = narrow ? NarrowAdvance() : WideAdvance();
  if (LineHasContent() && Overflows(m.fullWidth + 2 * BoldExtra())) Wrap(a);
  Close();
  if (line.gaiji.size() >= kSlotsPerLine) Wrap(a);
  GaijiSlot slot;
  slot.code = codeValue;
  slot.x = pen;
  slot.colour = colour;
  slot.fullWidth = !narrow;
  line.gaiji.push_back(slot);
  pen += width;
}

// Copies the code block at p into the slot: through the end code and its argument bytes when
// the end code starts within the block, else the block's first bytes; never past the block or
// the held text.
void Builder::CopyBlock(int32_t p, int32_t fixed, uint8_t endCode, size_t endArgs, LinkSlot* slot) const {
  const int32_t block = static_cast<int32_t>(kLinkBlockSize);
  int32_t length = block;
  for (int32_t q = p + fixed; q - p < block; q += 2) {
    if (!text.Holds(q)) break;
    if (text.At(q) == code::kEscape && text.At(q + 1) == endCode) {
      length = std::min<int32_t>(block, q - p + 2 + static_cast<int32_t>(endArgs));
      break;
    }
  }
  size_t n = 0;
  for (int32_t q = p; q - p < length && text.Holds(q); ++q) slot->code[n++] = static_cast<char>(text.At(q));
  slot->length = n;
}

void Builder::BeginMedia(int32_t p, int32_t length, uint8_t endCode, size_t endArgs, LinkKind kind,
                         int32_t bitmap, uint32_t mediaColour) {
  Close();
  // Media wrap: the code and what it opens go to a new line (it continues the paragraph).
  bool needsIcon = bitmap != 0;
  if (LineHasContent() && (Overflows(m.fullWidth) || line.links.size() >= kSlotsPerLine ||
                           (needsIcon && line.icons.size() >= kSlotsPerLine))) {
    Wrap(p);
  }
  colour = mediaColour;
  LinkSlot slot;
  CopyBlock(p, length, endCode, endArgs, &slot);
  slot.x = pen;
  slot.kind = kind;
  if (needsIcon) {
    line.icons.push_back(IconSlot{bitmap, pen});
    slot.width = m.fullWidth + 2 * BoldExtra();
    pen += m.fullWidth + 2 * BoldExtra();
  } else {
    slot.width = m.fullWidth + BoldExtra();
  }
  line.links.push_back(slot);
}

int32_t Builder::Control(int32_t p, int32_t b, bool* stop, RangeEnd* how) {
  uint8_t c = text.At(p + 1);
  // Every length comes from the one table of codes; 1F 14 measures its own stretch below.
  const int32_t length = static_cast<int32_t>(code::FixedCodeLength(c));
  switch (c) {
    case code::kBeginText:
      Close();
      out->clear();
      StartLine(p + length, false, EndMark::kBeginsEntry);
      break;
    case code::kEndText:
      EndLine(p - 1);
      out->back().endMark = EndMark::kEndsEntry;
      *stop = true;
      *how = RangeEnd::kEndCode;
      break;
    case code::kBeginNarrow: Close(); narrow = true; break;
    case code::kEndNarrow: Close(); narrow = false; break;
    case code::kBeginSubscript: Close(); vertical = Vertical::kLowered; break;
    case code::kEndSubscript:
    case code::kEndSuperscript: Close(); vertical = Vertical::kNormal; break;
    case code::kBeginSuperscript: Close(); vertical = Vertical::kRaised; break;
    case code::kIndent:
      Close();
      indent = std::min<int32_t>(text.At(p + 3), kMaxIndent) * m.fullWidth;
      line.indent = indent;
      break;
    case code::kNewline:
      EndLine(p + 1);
      if (text.At(p + 2) == code::kEscape && text.At(p + 3) == code::kEndText) {
        out->back().end = p + 3;
        out->back().endMark = EndMark::kEndsEntry;
        *stop = true;
        *how = RangeEnd::kEndCode;
      } else if (p + 2 >= b) {
        *stop = true;
      } else {
        StartLine(p + 2, false, EndMark::kNone);
      }
      break;
    case code::kBeginEmphasis: Close(); emphasis = true; break;
    case code::kEndEmphasis: Close(); emphasis = false; break;
    case code::kBeginSkip:
      for (int32_t q = p + 2; q - p < kSkipSearch; q += 2) {
        if (text.At(q) == code::kEscape && text.At(q + 1) == code::kEndSkip) return q + 2 - p;
      }
      return kSkipSearch;
    case code::kBeginKeyword:
      Close();
      bold = true;
      break;
    case code::kEndKeyword:
      Close();
      bold = false;
      break;
    // Both kinds of reference are links the reader follows (the library reads either).
    case code::kBeginReference:
      BeginMedia(p, length, code::kEndReference, code::FixedCodeLength(code::kEndReference) - 2,
                 LinkKind::kReference, 0, kReferenceColour);
      break;
    case code::kBeginReference2:
      BeginMedia(p, length, code::kEndReference2, code::FixedCodeLength(code::kEndReference2) - 2,
                 LinkKind::kReference, 0, kReferenceColour);
      break;
    case code::kBeginMonoGraphic:
      BeginMedia(p, length, code::kEndMonoGraphic, code::FixedCodeLength(code::kEndMonoGraphic) - 2,
                 LinkKind::kGraphic, kIconGraphic, kGraphicColour);
      break;
    case code::kBeginCdAudio:
      BeginMedia(p, length, code::kEndCdAudio, 0, LinkKind::kSound, kIconSound, kSoundColour);
      break;
    case code::kBeginSound:
      BeginMedia(p, length, code::kEndSound, 0, LinkKind::kSound, kIconSound, kSoundColour);
      break;
    case code::kBeginColorGraphic:
      BeginMedia(p, length, code::kEndColorGraphic, 0, LinkKind::kGraphic, kIconColourGraphic, kGraphicColour);
      break;
    case code::kEndReference:
    case code::kEndReference2:
    case code::kEndMonoGraphic:
    case code::kEndCdAudio:
    case code::kEndSound:
    case code::kEndColorGraphic: Close(); colour = kDefaultTextColour; break;
    case code::kBeginDecoration: {
      Close();
      decoration1 = true;
      const uint16_t argument = static_cast<uint16_t>((text.At(p + 2) << 8) | text.At(p + 3));
      decorationItalic = argument == code::kDecorationItalic;
      decorationBold = argument == code::kDecorationBold;
      break;
    }
    case code::kEndDecoration:
      Close();
      decoration1 = decorationItalic = decorationBold = false;
      break;
    case code::kBeginDecoration2: Close(); decoration2 = true; break;
    case code::kEndDecoration2: Close(); decoration2 = false; break;
    default: break;
  }
  return length;
}

RangeEnd Builder::Run(int32_t a, int32_t b) {
  // Indent of the first line: the last 1F 09 before a.
  int32_t n = 1;
  for (int32_t q = a - 2; q >= text.base; q -= 2) {
    if (text.At(q) == code::kEscape && text.At(q + 1) == code::kIndent) {
      n = text.At(q + 3);
      break;
    }
  }
  indent = std::min(n, kMaxIndent) * m.fullWidth;
  StartLine(a, false, EndMark::kNone);

  // Text fetched from inside a keyword: the keyword's end comes before any keyword start.
  if (a == 0) {
    for (int32_t q = a; q < a + kKeywordLookAhead && text.Holds(q); q += 2) {
      if (text.At(q) != code::kEscape) continue;
      uint8_t c = text.At(q + 1);
      if (c == code::kBeginKeyword) break;
      if (c == code::kEndKeyword) {
        bold = true;
        break;
      }
    }
  }

  RangeEnd how = RangeEnd::kRangeDone;
  while (a < b) {
    uint8_t c1 = text.At(a), c2 = text.At(a + 1);
    if (c1 == code::kEscape) {
      bool stop = false;
      int32_t length = Control(a, b, &stop, &how);
      if (stop) return how;
      a += length;
    } else if (c1 >= 0x21 && !(IsJisByte(c1) && IsJisByte(c2))) {
      PlaceGaiji(a, static_cast<uint16_t>((c1 << 8) | c2));
      a += 2;
    } else {
      PlaceCharacter(a, c1, c2);
      a += 2;
    }
  }
  return how;
}

}  // namespace

uint16_t SmallKana(uint16_t jis) {
  uint8_t row = static_cast<uint8_t>(jis >> 8), cell = static_cast<uint8_t>(jis & 0xFF);
  if (row != 0x24 && row != 0x25) return jis;
  static constexpr uint8_t kLarge[] = {0x22, 0x24, 0x26, 0x28, 0x2A, 0x44, 0x64, 0x66, 0x68, 0x6F};
  for (uint8_t large : kLarge) {
    if (cell == large) return static_cast<uint16_t>(jis - 1);
  }
  return jis;
}

RangeEnd BuildLines(const HeldText& text, int32_t a, int32_t b, const Metrics& metrics,
                    int32_t usableWidth, std::vector<LineRecord>* out) {
  out->clear();
  if (b - a > kMaxLayoutRange) return RangeEnd::kTooLong;
  Builder builder(text, metrics, usableWidth, out);
  return builder.Run(a, b);
}

}  // namespace calvetta
