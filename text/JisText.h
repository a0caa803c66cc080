// Conversions between the book's JIS X 0208 codes and Unicode (with UTF-8), for the programs
// that print book text, copy it as Unicode or make books from UTF-8 sources. The Shift-JIS
// arithmetic is in ShiftJis.h.
#ifndef BOOKTEXT_JISTEXT_H
#define BOOKTEXT_JISTEXT_H

#include <cstdint>
#include <string>
#include <string_view>

namespace booktext {

// Unicode character of a JIS X 0208 code (both bytes 0x21..0x7E); 0 when it has none.
char32_t JisToUnicode(uint16_t jis);

// JIS X 0208 code of a Unicode character; 0 when it has none (also for the characters that
// only code page 932's extension rows hold). Accepts both the code page 932
// forms (FULLWIDTH TILDE, ...) and the JIS forms (WAVE DASH, MINUS SIGN, ...) of the few
// characters where the two differ.
uint16_t UnicodeToJis(char32_t cp);

// Appends cp as UTF-8.
void AppendUtf8(std::string* out, char32_t cp);

// Decodes one UTF-8 character at text[*pos] and moves *pos past it. Malformed bytes give
// U+FFFD and move one byte on; false only at the end of the text.
bool NextUtf8(std::string_view text, size_t* pos, char32_t* cp);

}  // namespace booktext

#endif  // BOOKTEXT_JISTEXT_H
