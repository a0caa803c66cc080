#include "SearchKey.h"

#include "HalfWidthKana.h"

#include "JisText.h"
#include "ShiftJis.h"

namespace booktext {

namespace {

constexpr uint8_t kFullWidthRow = 0x23;  // full-width digits and Latin letters
constexpr BytePair kIdeographicSpace = {0x21, 0x21};
constexpr BytePair kFullWidthAsterisk = {0x21, 0x76};
constexpr char32_t kHalfWidthBase = 0xFF61;  // Shift-JIS 0xA1

bool IsAsciiLetterOrDigit(uint8_t c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

uint8_t AsciiUpper(uint8_t c) { return c >= 'a' && c <= 'z' ? static_cast<uint8_t>(c - 0x20) : c; }

class KeyWriter {
 public:
  explicit KeyWriter(SearchKey* key) : key(key) { key->length = 0; }
  void Append(BytePair c) {
    if (key->length + 2 >= kSearchKeySize) return;  // keep room for the terminator
    key->bytes[key->length++] = static_cast<char>(c.first);
    key->bytes[key->length++] = static_cast<char>(c.second);
  }
  void Finish() { key->bytes[key->length] = 0; }

 private:
  SearchKey* key;
};

}  // namespace

SearchKey BuildSearchKey(std::string_view typedSjis) {
  SearchKey key;
  KeyWriter writer(&key);
  bool leading = true;
  size_t at = 0;
  while (at < typedSjis.size()) {
    uint8_t c = static_cast<uint8_t>(typedSjis[at]);
    if (IsSjisLeadByte(c)) {
      if (at + 1 >= typedSjis.size()) break;  // a lead byte cut off by the end of the text
      BytePair jis;
      bool converted = SjisToJis({c, static_cast<uint8_t>(typedSjis[at + 1])}, &jis);
      at += 2;
      if (!converted) continue;
      if (leading && jis.first == kIdeographicSpace.first && jis.second == kIdeographicSpace.second) continue;
      if (jis.first == kFullWidthRow && jis.second >= 0x61 && jis.second <= 0x7A) jis.second -= 0x20;
      writer.Append(jis);
      leading = false;
      continue;
    }
    if (c >= 0xA6 && c <= 0xDD) {
      // Half-width katakana, with the sound mark that may follow: the full-width character.
      // (The half-width punctuation and a sound mark alone count as any other byte.)
      std::u32string pair(1, kHalfWidthBase + (c - 0xA1));
      const uint8_t mark = at + 1 < typedSjis.size() ? static_cast<uint8_t>(typedSjis[at + 1]) : 0;
      if (mark == 0xDE || mark == 0xDF) pair += kHalfWidthBase + (mark - 0xA1);
      const std::u32string wide = WidenHalfWidthKana(pair);
      at += wide.size() == 1 && pair.size() == 2 ? 2 : 1;
      const uint16_t jis = UnicodeToJis(wide[0]);
      if (jis != 0) {
        writer.Append({static_cast<uint8_t>(jis >> 8), static_cast<uint8_t>(jis & 0xFF)});
        leading = false;
      } else if (!leading) {
        writer.Append(kIdeographicSpace);
      }
      continue;
    }
    ++at;
    if (IsAsciiLetterOrDigit(c)) {
      writer.Append({kFullWidthRow, AsciiUpper(c)});
      leading = false;
    } else if (c == '*') {
      writer.Append(kFullWidthAsterisk);
      leading = false;
    } else if (!leading) {
      writer.Append(kIdeographicSpace);
    }
  }
  writer.Finish();
  return key;
}

bool ExactKey(std::u32string_view word, SearchKey* key) {
  if (word.empty() || word.size() * 2 >= kSearchKeySize) return false;
  size_t at = 0;
  for (char32_t c : word) {
    const uint16_t jis = UnicodeToJis(c);
    if (jis == 0) return false;
    key->bytes[at++] = static_cast<char>(jis >> 8);
    key->bytes[at++] = static_cast<char>(jis & 0xFF);
  }
  key->bytes[at] = '\0';
  key->length = at;
  return true;
}

}  // namespace booktext
