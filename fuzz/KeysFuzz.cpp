// Typed bytes through the viewer's search key building, and every conversion between
// Shift-JIS, JIS X 0208 and Unicode that the viewer and the tools make.
#include <cstring>
#include <string>
#include <string_view>

#include "FuzzInput.h"
#include "FuzzTargets.h"
#include "HalfWidthKana.h"
#include "platform/IsoNames.h"
#include "JisText.h"
#include "NarrowToAscii.h"
#include "SearchKey.h"
#include "ShiftJis.h"

namespace fuzz {

namespace {

bool IsJis(uint8_t b) { return b >= 0x21 && b <= 0x7E; }

void SearchKeyOf(std::string_view typed) {
  booktext::SearchKey key = booktext::BuildSearchKey(typed);
  FUZZ_CHECK(key.length < booktext::kSearchKeySize && key.length % 2 == 0);
  FUZZ_CHECK(std::strlen(key.bytes) == key.length);
  for (size_t i = 0; i < key.length; i += 2)
    FUZZ_CHECK(IsJis(static_cast<uint8_t>(key.bytes[i])) && IsJis(static_cast<uint8_t>(key.bytes[i + 1])));
}

void Pairs(const Bytes& bytes) {
  for (size_t i = 0; i + 1 < bytes.size(); ++i) {
    booktext::BytePair pair{bytes[i], bytes[i + 1]}, jis{}, back{};
    if (booktext::SjisToJis(pair, &jis)) {
      FUZZ_CHECK(IsJis(jis.first) && IsJis(jis.second));
      FUZZ_CHECK(booktext::JisToSjis(jis, &back) && back.first == pair.first && back.second == pair.second);
      uint16_t packed = static_cast<uint16_t>(jis.first << 8 | jis.second);
      FUZZ_CHECK(booktext::SjisToJis(static_cast<uint16_t>(pair.first << 8 | pair.second)) == packed);
      char32_t cp = booktext::JisToUnicode(packed);
      if (cp != 0) {
        // Characters of JIS X 0208 itself come back as the same code; those of code page 932's
        // extension rows (0x2D, 0x79 and up) have no JIS X 0208 code to come back as.
        uint16_t again = booktext::UnicodeToJis(cp);
        if (jis.first != 0x2D && jis.first < 0x75) FUZZ_CHECK(again == packed);
        if (again != 0) FUZZ_CHECK(booktext::JisToUnicode(again) == cp);
      }
      booktext::NarrowToAscii(packed);
    }
  }
}

void InPlace(const Bytes& bytes) {
  // No terminator and an odd length: the conversion must stop at the capacity.
  std::vector<char> text(bytes.begin(), bytes.end());
  text.push_back('\x5A');
  booktext::JisToSjisInPlace(text.data(), bytes.size());
  FUZZ_CHECK(text.back() == '\x5A');
}

void Utf8(const Bytes& bytes) {
  std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  size_t pos = 0;
  char32_t cp = 0;
  std::string out;
  size_t count = 0;
  while (booktext::NextUtf8(text, &pos, &cp)) {
    FUZZ_CHECK(pos <= text.size() && ++count <= text.size());
    booktext::AppendUtf8(&out, cp);
    booktext::UnicodeToJis(cp);
  }
  FUZZ_CHECK(pos == text.size());
}

// The same bytes as Unicode text with its half-width katakana made full-width (never longer,
// none left), and as a file name a copied disc may give (its plain name a prefix of it).
void WidthAndNames(const Bytes& bytes) {
  std::u32string text;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) text += static_cast<char32_t>(0xFF00 | bytes[i + 1]) ^ (bytes[i] & 3);
  const std::u32string wide = booktext::WidenHalfWidthKana(text);
  FUZZ_CHECK(wide.size() <= text.size());
  for (char32_t c : wide) FUZZ_CHECK(!booktext::IsHalfWidthKana(c));
  const std::string_view name(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  const std::string_view plain = dunmoor::IsoPlainName(name);
  FUZZ_CHECK(name.substr(0, plain.size()) == plain);
}

}  // namespace

int FuzzKeys(const uint8_t* data, size_t size) {
  Bytes bytes(data, data + size);
  SearchKeyOf(std::string_view(reinterpret_cast<const char*>(data), size));
  Pairs(bytes);
  InPlace(bytes);
  Utf8(bytes);
  WidthAndNames(bytes);
  return 0;
}

}  // namespace fuzz
