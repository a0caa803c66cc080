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
    if (first == code::kEscape) {
      Flush();
      switch (second) {
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
    piece.left = x;
    piece.top = top + (subscript ? 8 : 3);
    piece.text = std::move(run);
    run.clear();
    x += width(piece.text, piece.small);
    layout.pieces.push_back(std::move(piece));
  }

  int x;
  int top;
  const TextWidth& width;
  bool narrow = false, subscript = false, superscript = false;
  std::string run;
  HeadwordLayout layout;
};

}  // namespace

HeadwordLayout LayOutHeadword(std::string_view headword, int itemLeft, int itemTop, const TextWidth& width) {
  Builder builder(itemLeft, itemTop, width);
  for (size_t i = 0; i + 1 < headword.size(); i += 2) {
    uint8_t first = static_cast<uint8_t>(headword[i]), second = static_cast<uint8_t>(headword[i + 1]);
    if (first == 0 || second == 0) break;
    builder.AddPair(first, second);
  }
  return builder.Finish();
}

}  // namespace brisvane
