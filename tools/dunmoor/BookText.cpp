#include "BookText.h"

#include <cstdio>

#include "JisText.h"
#include "NarrowToAscii.h"
#include "TextFormat.h"

namespace cli {

namespace {

namespace text = dunmoor::text;
using text::TextUnit;

std::string Escape(uint16_t code) {
  char escape[8];
  std::snprintf(escape, sizeof escape, "{%04X}", code);
  return escape;
}

std::string Position(int64_t position) { return position >= 0 ? std::to_string(position) : "?"; }

// One BCD byte as a number (a nibble of 10 or more ends it, as for every BCD field).
unsigned Bcd1(uint8_t b) { return text::DecodeBcd(&b, 1); }

std::string CdAudio(const uint8_t* fields, const std::string& mark) {
  // fields: track, unused, start minute, start second, 2 unused, length minute, length second
  char line[96];
  std::snprintf(line, sizeof line, "[CD audio%s track %u %u:%02u+%u:%02u", mark.c_str(), Bcd1(fields[0]), Bcd1(fields[2]),
                Bcd1(fields[3]), Bcd1(fields[6]), Bcd1(fields[7]));
  return line;
}

class Renderer {
 public:
  Renderer(bool marked, int64_t base, const booktext::GaijiMap* map) : marked(marked), base(base), map(map) {}

  std::string Render(const uint8_t* bytes, size_t size) {
    text::TextWalker walker(bytes, size);
    TextUnit unit;
    while (walker.Next(&unit)) {
      const uint8_t* at = bytes + unit.offset;
      if (at[0] == 0) break;
      switch (unit.kind) {
        case TextUnit::Kind::kControl:
          codeAt = unit.offset;
          Control(at, unit.code);
          break;
        case TextUnit::Kind::kCharacter: Character(unit.code); break;
        case TextUnit::Kind::kExternalCharacter: ExternalCharacter(unit.code); break;
        case TextUnit::Kind::kOther: Emit(Escape(unit.code)); break;
        case TextUnit::Kind::kTruncated: break;
      }
    }
    if (inMedia) CloseMedia("");
    return out;
  }

 private:
  // Text goes to the caption while a graphic or sound is open, else to the output; an
  // indent waiting at the start of a line goes first.
  // The book's character map gives the character (a narrow one inside narrow text, else a
  // wide one; the other width when the map has only that); without one, its code.
  void ExternalCharacter(uint16_t code) {
    std::string mapped = map ? map->Lookup(code, narrow) : std::string();
    if (mapped.empty() && map) mapped = map->Lookup(code, !narrow);
    Emit(mapped.empty() ? Escape(code) : mapped);
  }

  void Emit(const std::string& s) {
    std::string& target = inMedia ? caption : out;
    if (lineStart) {
      target.append(static_cast<size_t>(indent) * 2, ' ');
      lineStart = false;
    }
    target += s;
  }

  void Character(uint16_t code) {
    char ascii = narrow ? booktext::NarrowToAscii(code) : 0;
    if (ascii) {
      Emit(std::string(1, ascii));
      return;
    }
    char32_t cp = booktext::JisToUnicode(code);
    if (!cp) {
      Emit(Escape(code));
      return;
    }
    std::string utf8;
    booktext::AppendUtf8(&utf8, cp);
    Emit(utf8);
  }

  void OpenMedia(std::string head) {
    if (inMedia) CloseMedia("");
    Emit("");  // the indent of the line goes before the mark
    inMedia = true;
    mediaHead = std::move(head);
    caption.clear();
  }

  void CloseMedia(const std::string& tail) {
    inMedia = false;
    out += mediaHead + tail;
    if (!caption.empty()) out += ": " + caption;
    out += "]";
  }

  // " @POS": the text position of the code being rendered, when the base is known.
  std::string Mark() const { return base >= 0 ? " @" + std::to_string(base + static_cast<int64_t>(codeAt)) : ""; }

  void Control(const uint8_t* at, uint16_t code) {
    switch (code) {
      case text::kBeginNarrow: narrow = true; return;
      case text::kEndNarrow: narrow = false; return;
      case text::kIndent: indent = at[3]; return;
      case text::kNewline:
        (inMedia ? caption : out) += '\n';
        lineStart = true;
        return;
      default: break;
    }
    if (!marked) return;
    switch (code) {
      case text::kBeginKeyword:
      case text::kEndKeyword: Emit("**"); break;
      case text::kBeginEmphasis:
      case text::kEndEmphasis: Emit("*"); break;
      case text::kBeginSubscript:
      case text::kBeginSuperscript: Emit(code == text::kBeginSubscript ? "_{" : "^{"); break;
      case text::kEndSubscript:
      case text::kEndSuperscript: Emit("}"); break;
      case text::kEndReference:
      case text::kEndReference2: Emit("[→" + Position(text::DecodeBcdPosition(at + 2)) + "]"); break;
      case text::kBeginMonoGraphic:
        // bytes 4-7 height, 8-11 width (BCD); the bitmap position comes with the end code
        OpenMedia("[picture " + std::to_string(text::DecodeBcd(at + 8, 4)) + "x" +
                  std::to_string(text::DecodeBcd(at + 4, 4)) + Mark());
        break;
      case text::kBeginColorGraphic:
        OpenMedia("[colour picture" + Mark() + " at " +
                  Position(text::PositionOf(text::DecodeBcd(at + 14, 4), text::DecodeBcd(at + 18, 2))));
        break;
      case text::kBeginCdAudio: OpenMedia(CdAudio(at + 2, Mark())); break;
      case text::kBeginSound:
        if ((at[3] & 0x0F) == 1) {  // the sound data lies in the text file
          OpenMedia("[sound" + Mark() + " at " +
                    Position(text::PositionOf(text::DecodeBcd(at + 6, 4), text::DecodeBcd(at + 10, 2))) + "-" +
                    Position(text::PositionOf(text::DecodeBcd(at + 12, 4), text::DecodeBcd(at + 16, 2))));
        } else {
          OpenMedia(CdAudio(at + 3, Mark()));
        }
        break;
      case text::kEndMonoGraphic:
        if (inMedia) CloseMedia(" at " + Position(text::DecodeBcdPosition(at + 2)));
        break;
      case text::kEndColorGraphic:
      case text::kEndCdAudio:
      case text::kEndSound:
        if (inMedia) CloseMedia("");
        break;
      default: break;  // text begin/end, decorations, the skipped stretch, unknown codes
    }
  }

  const bool marked;
  const int64_t base;
  size_t codeAt = 0;
  std::string out;
  std::string caption;
  std::string mediaHead;
  bool inMedia = false;
  const booktext::GaijiMap* map;
  bool narrow = false;
  bool lineStart = true;
  int indent = 0;
};

}  // namespace

std::string BookTextToUtf8(const uint8_t* text, size_t size, const booktext::GaijiMap* map) {
  return Renderer(false, -1, map).Render(text, size);
}

std::string EntryTextToUtf8(const uint8_t* text, size_t size, int64_t base, const booktext::GaijiMap* map) {
  return Renderer(true, base, map).Render(text, size);
}

}  // namespace cli
