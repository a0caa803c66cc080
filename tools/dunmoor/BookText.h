// Book text (JIS X 0208 with external characters and control codes) as UTF-8 for a terminal.
#ifndef DUNMOOR_TOOLS_DUNMOOR_BOOKTEXT_H
#define DUNMOOR_TOOLS_DUNMOOR_BOOKTEXT_H

#include <cstddef>
#include <cstdint>
#include <string>

#include "GaijiMap.h"

namespace cli {

// Titles and headings. Characters become UTF-8; a JIS code without a character and every
// external character come out as a visible escape such as {B121}. Inside narrow text
// (1F 04 .. 1F 05) full-width symbols, digits and letters come out as ASCII. Control codes
// are dropped, except the newline code (a line break) and the indent code (two spaces a level
// at the start of a line). Text ends at a zero byte where a character would begin.
// With the book's character map (map), the external characters it knows come out as their
// Unicode characters instead.
std::string BookTextToUtf8(const uint8_t* text, size_t size, const booktext::GaijiMap* map = nullptr);

// Entry text: as above, and the codes made visible:
//   keyword            **text**              emphasis       *text*
//   subscript          _{text}               superscript    ^{text}
//   reference          text[→12345]          (both kinds; the number is the target position)
//   monochrome graphic [picture 64x48 at 12345: caption]  (width x height, bitmap position)
//   colour graphic     [colour picture at 12345: caption]
//   sound in the book  [sound at 12345-23456: caption]     (start and end of the data)
//   CD audio           [CD audio track 2 0:05+0:10: caption] (start, length)
// The stretch 1F 14 .. 1F 15 and the decorations are left out. A graphic or sound whose end
// code is missing is closed where the text ends. With base (the text position of text[0]) 0 or
// more, every graphic and sound is marked with the position of its start code after its kind:
//   [picture 64x48 @7900 at 108544: caption]   [sound @48300 at 110592-115034: caption]
//   [colour picture @46200 at 108928: caption] [CD audio @14700 track 2 0:05+0:10: caption]
std::string EntryTextToUtf8(const uint8_t* text, size_t size, int64_t base = -1,
                            const booktext::GaijiMap* map = nullptr);

}  // namespace cli

#endif  // DUNMOOR_TOOLS_DUNMOOR_BOOKTEXT_H
