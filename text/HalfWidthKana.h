// Half-width katakana (U+FF61..U+FF9F; single bytes 0xA1..0xDF in Shift-JIS), as text copied
// from older web pages and mail has them, made the full-width characters the books index: ｶｷ is
// カキ, a sound mark after its kana joins it (ｶﾞ is ガ, ﾊﾟ is パ, ｳﾞ is ヴ), and the half-width
// punctuation becomes 。「」、・.
#ifndef BOOKTEXT_HALFWIDTHKANA_H
#define BOOKTEXT_HALFWIDTHKANA_H

#include <string>
#include <string_view>

namespace booktext {

bool IsHalfWidthKana(char32_t c);
// word with its half-width katakana made full-width; every other character as it is.
std::u32string WidenHalfWidthKana(std::u32string_view word);

}  // namespace booktext

#endif  // BOOKTEXT_HALFWIDTHKANA_H
