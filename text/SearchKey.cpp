#include "SearchKey.h"

#include "JisText.h"
#include "ShiftJis.h"

namespace booktext {

namespace {

constexpr uint8_t kFullWidthRow = 0x23;  // full-width digits and Latin letters
constexpr BytePair kIdeographicSpace = {0x21, 0x21};
constexpr BytePair kFullWidthAsterisk = {0x21, 0x76};

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
