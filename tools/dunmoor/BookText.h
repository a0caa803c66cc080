// Book text (JIS X 0208 with external characters and control codes) as UTF-8 for a terminal.
#ifndef DUNMOOR_TOOLS_DUNMOOR_BOOKTEXT_H
#define DUNMOOR_TOOLS_DUNMOOR_BOOKTEXT_H

#include <cstddef>
#include <cstdint>
#include <string>

namespace cli {

// Characters become UTF-8; a JIS code without a character and every external character come
// out as a visible escape such as {B121}. Full-width ASCII forms inside narrow text (1F 04 ..
// 1F 05) come out as ASCII. Control codes are dropped, except the newline code (a line break)
// and the indent code (two spaces a level at the start of a line). Text ends at a zero byte.
std::string BookTextToUtf8(const uint8_t* text, size_t size);

}  // namespace cli

#endif  // DUNMOOR_TOOLS_DUNMOOR_BOOKTEXT_H
