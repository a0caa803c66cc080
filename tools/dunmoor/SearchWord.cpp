#include "SearchWord.h"

#include <cstdio>
#include <ostream>

#include "JisText.h"
#include "ShiftJis.h"

namespace cli {

bool Utf8ToSjis(std::string_view utf8, std::string* sjis, char32_t* unconvertible) {
  sjis->clear();
  size_t pos = 0;
  char32_t cp;
  while (booktext::NextUtf8(utf8, &pos, &cp)) {
    if (cp < 0x80) {
      *sjis += static_cast<char>(cp);
      continue;
    }
    if (cp >= 0xFF61 && cp <= 0xFF9F) {
      *sjis += static_cast<char>(cp - 0xFF61 + 0xA1);
      continue;
    }
    uint16_t jis = booktext::UnicodeToJis(cp);
    if (jis == 0) {
      *unconvertible = cp;
      return false;
    }
    uint16_t code = booktext::JisToSjis(jis);
    *sjis += static_cast<char>(code >> 8);
    *sjis += static_cast<char>(code & 0xFF);
  }
  return true;
}

namespace {

// True when every byte sequence of text is a well-formed UTF-8 character (a U+FFFD that the
// text spells out is one; one that stands for bytes that are no character is not).
bool IsUtf8(std::string_view text) {
  size_t pos = 0, before = 0;
  char32_t cp;
  while (booktext::NextUtf8(text, &pos, &cp)) {
    if (cp == 0xFFFD && pos - before != 3) return false;
    before = pos;
  }
  return true;
}

}  // namespace

bool KeyFromWord(const std::string& word, booktext::SearchKey* key, std::ostream& err) {
  if (!IsUtf8(word)) {
    err << "dunmoor: the word is not UTF-8 text (its bytes:";
    char hex[4];
    for (unsigned char c : word) {
      std::snprintf(hex, sizeof hex, " %02X", c);
      err << hex;
    }
    err << ")\n";
    return false;
  }
  std::string sjis;
  char32_t bad = 0;
  if (!Utf8ToSjis(word, &sjis, &bad)) {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(bad));
    err << "dunmoor: the word holds a character that Shift-JIS cannot hold (" << code << ")\n";
    return false;
  }
  *key = booktext::BuildSearchKey(sjis);
  return true;
}

}  // namespace cli
