#include "HeadwordLayout.h"

#include "ControlCodes.h"
#include "NarrowToAscii.h"
#include "ShiftJis.h"

namespace brisvane {

namespace {

namespace code = booktext::code;

bool IsJisByte(uint8_t b) { return b >= 0x21 && b <= 0x7E; }

class Builder {
 public:
  Builder(int left, int top, const TextWidth& width) : x(left + 4), top(top), width(width) {}

  void AddPair(uint8_t first, uint8_t second) {
    if (argumentOf != 0) {  // the pair after 1F E0 or 1F E2
      if (argumentOf == code::kBeginDecoration) {
        const uint16_t argument = static_cast<uint16_t>(first << 8 | second);
        italic = argument == code::kDecorationItalic;
        bold = argument == code::kDecorationBold;
      }
      argumentOf = 0;
      return;
    }
    if (first == code::kEscape) {
      Flush();
      switch (second) {
        case code::kBeginDecoration:
        case code::kBeginDecoration2: argumentOf = second; break;
        case code::kEndDecoration: bold = italic = false; break;
        case code::kBeginNarrow: narrow = true; break;
        case code::kEndNarrow: narrow = false; break;
        case code::kBeginSubscript: subscript = true; break;
        case code::kEndSubscript: subscript = false; break;
        case code::kBeginSuperscript: superscript = true; break;
        case code::kEndSuperscript: superscript = false; break;
        default: break;  // other control codes carry nothing a headword line shows
      }
      return;
    }
    if (!IsJisByte(first) || !IsJisByte(second)) {
      Flush();
      HeadwordPiece piece;
      piece.kind = HeadwordPiece::Kind::kExternal;
      piece.code = static_cast<uint16_t>(first << 8 | second);
      piece.narrow = narrow;
      piece.left = x + 2;
      piece.top = top + 3;
      piece.right = x + (narrow ? 10 : 18);
      piece.bottom = top + 19;
      x += narrow ? 9 : 17;
      layout.pieces.push_back(std::move(piece));
      return;
    }
    booktext::BytePair sjis{};
    if (narrow) {
      if (char ascii = booktext::NarrowToAscii(static_cast<uint16_t>(first << 8 | second))) {
        run += ascii;
        return;
      }
    }
    booktext::JisToSjis(booktext::BytePair{first, second}, &sjis);
    run += static_cast<char>(sjis.first);
    run += static_cast<char>(sjis.second);
  }

  HeadwordLayout Finish() {
    Flush();
    layout.endX = x;
    return std::move(layout);
  }

 private:
  void Flush() {
    if (run.empty()) return;
    HeadwordPiece piece;
    piece.small = subscript || superscript;
    piece.bold = bold;
    piece.italic = italic;
    piece.left = x;
    piece.top = top + (subscript ? 8 : 3);
    piece.text = std::move(run);
    run.clear();
    x += width(piece.text, piece.small, piece.bold);
    layout.pieces.push_back(std::move(piece));
  }

  int x;
  int top;
  const TextWidth& width;
  bool narrow = false, subscript = false, superscript = false, bold = false, italic = false;
  uint8_t argumentOf = 0;  // the code whose argument pair comes next
  std::string run;
  HeadwordLayout layout;
};

}  // namespace

HeadwordLayout LayOutHeadword(std::string_view headword, int itemLeft, int itemTop, const TextWidth& width) {
  Builder builder(itemLeft, itemTop, width);
  const size_t length = code::HeadingLength(headword.data(), headword.size());
  for (size_t i = 0; i + 1 < length; i += 2)
    builder.AddPair(static_cast<uint8_t>(headword[i]), static_cast<uint8_t>(headword[i + 1]));
  return builder.Finish();
}

std::string HeadwordText(std::string_view headword) {
  std::string text;
  for (const HeadwordPiece& piece : LayOutHeadword(headword, 0, 0, [](std::string_view, bool, bool) { return 0; }).pieces)
    if (piece.kind == HeadwordPiece::Kind::kText) text += piece.text;
  return text;
}

}  // namespace brisvane
