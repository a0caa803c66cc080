// How one headword of the result list is drawn: its JIS text with escape codes cut into pieces
// (runs of text in one style, external characters), each with its place. The list's painter
// measures text through the callback and draws the pieces; this part only decides.
#ifndef BRISVANE_VIEWER_CORE_HEADWORDLAYOUT_H
#define BRISVANE_VIEWER_CORE_HEADWORDLAYOUT_H

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace brisvane {

struct HeadwordPiece {
  enum class Kind { kText, kExternal };
  Kind kind = Kind::kText;
  std::string text;    // kText: Shift-JIS bytes (ASCII bytes for narrow symbols, digits, letters)
  uint16_t code = 0;   // kExternal: first byte × 256 + second byte
  bool narrow = false; // kExternal: drawn half width
  bool small = false;  // kText: sub- or superscript, drawn in the small font
  bool bold = false;   // kText: the book marks it bold (1F E0 00 03)
  bool italic = false; // kText: the book marks it italic (1F E0 00 01)
  int left = 0;        // kText: the text origin (left, top); kExternal: the glyph rectangle
  int top = 0;
  int right = 0;
  int bottom = 0;
};

struct HeadwordLayout {
  std::vector<HeadwordPiece> pieces;
  int endX = 0;  // x after the last piece (the list's horizontal extent grows to it)
};

// The width of Shift-JIS text in the normal font or the small font, bold or not.
using TextWidth = std::function<int(std::string_view sjis, bool small, bool bold)>;

// headword: the bytes delivered for one hit, up to their first zero byte. Pairs are read from
// itemLeft + 4: 1F 04/05 narrow on/off, 1F 06/07 subscript, 1F 0E/0F superscript, 1F E0 with
// its argument 0001 italic or 0003 bold (any other argument: plain) up to 1F E1, other 1F
// codes are skipped (the argument pair of 1F E0 and 1F E2 with them); a pair with a byte outside 21..7E is an external character; the rest is
// text. A trailing odd byte is ignored.
HeadwordLayout LayOutHeadword(std::string_view headword, int itemLeft, int itemTop, const TextWidth& width);

// The Shift-JIS text of headword without its codes, its external characters left out.
std::string HeadwordText(std::string_view headword);

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_CORE_HEADWORDLAYOUT_H
