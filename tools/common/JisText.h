// Conversions between the book's JIS X 0208 codes, Shift-JIS (code page 932) and Unicode,
// for the tools that print book text or make books from UTF-8 sources. Portable code: the
// same table serves the native and the Windows builds.
#ifndef DUNMOOR_TOOLS_COMMON_JISTEXT_H
#define DUNMOOR_TOOLS_COMMON_JISTEXT_H

#include <cstdint>
#include <string>
#include <string_view>

namespace jistext {

// Unicode character of a JIS X 0208 code (both bytes 0x21..0x7E); 0 when it has none.
char32_t JisToUnicode(uint16_t jis);

// JIS X 0208 code of a Unicode character; 0 when it has none (also for the characters that
// only code page 932's extension rows hold). Accepts both the code page 932
// forms (FULLWIDTH TILDE, ...) and the JIS forms (WAVE DASH, MINUS SIGN, ...) of the few
// characters where the two differ.
uint16_t UnicodeToJis(char32_t cp);

// Arithmetic conversion between JIS X 0208 and Shift-JIS, two bytes packed high byte first.
// The caller keeps both bytes of the JIS code in 0x21..0x7E.
uint16_t JisToSjis(uint16_t jis);
// 0 when sjis is not a double-byte Shift-JIS code.
uint16_t SjisToJis(uint16_t sjis);

// Appends cp as UTF-8.
void AppendUtf8(std::string* out, char32_t cp);

// Decodes one UTF-8 character at text[*pos] and moves *pos past it. Malformed bytes give
// U+FFFD and move one byte on; false only at the end of the text.
bool NextUtf8(std::string_view text, size_t* pos, char32_t* cp);

}  // namespace jistext

#endif  // DUNMOOR_TOOLS_COMMON_JISTEXT_H
