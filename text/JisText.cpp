#include "JisText.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace booktext {
namespace {

constexpr int kCells = 94;

const uint16_t kJisToUnicode[kCells * kCells] = {
#include "JisTable.inc"
};

// Characters that Unicode writes in two ways; the table holds the code page 932 form.
constexpr std::pair<char32_t, uint16_t> kAlternateForms[] = {
    {0x301C, 0x2141},  // WAVE DASH              (932: FULLWIDTH TILDE)
    {0x2016, 0x2142},  // DOUBLE VERTICAL LINE   (932: PARALLEL TO)
    {0x2212, 0x215D},  // MINUS SIGN             (932: FULLWIDTH HYPHEN-MINUS)
    {0x00A2, 0x2171},  // CENT SIGN
    {0x00A3, 0x2172},  // POUND SIGN
    {0x00AC, 0x224C},  // NOT SIGN
    {0x203E, 0x2131},  // OVERLINE               (932: FULLWIDTH MACRON)
    {0x2014, 0x213D},  // EM DASH                (932: HORIZONTAL BAR)
};

using ReverseTable = std::vector<std::pair<char32_t, uint16_t>>;

const ReverseTable& Reverse() {
  static const ReverseTable table = [] {
    ReverseTable t;
    t.reserve(kCells * kCells + std::size(kAlternateForms));
    for (int i = 0; i < kCells * kCells; ++i) {
      // Code page 932 fills rows that JIS X 0208 leaves empty (NEC and IBM extensions);
      // text meant for books maps only to the standard's own rows.
      int row = 0x21 + i / kCells;
      if (kJisToUnicode[i] == 0 || row == 0x2D || row >= 0x75) continue;
      uint16_t jis = static_cast<uint16_t>(((0x21 + i / kCells) << 8) | (0x21 + i % kCells));
      t.emplace_back(kJisToUnicode[i], jis);
    }
    for (const auto& alt : kAlternateForms) t.push_back(alt);
    std::stable_sort(t.begin(), t.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    return t;
  }();
  return table;
}

}  // namespace

char32_t JisToUnicode(uint16_t jis) {
  int hi = jis >> 8, lo = jis & 0xFF;
  if (hi < 0x21 || hi > 0x7E || lo < 0x21 || lo > 0x7E) return 0;
  return kJisToUnicode[(hi - 0x21) * kCells + (lo - 0x21)];
}

uint16_t UnicodeToJis(char32_t cp) {
  if (cp == 0) return 0;
  const ReverseTable& t = Reverse();
  auto it = std::lower_bound(t.begin(), t.end(), cp,
                             [](const auto& entry, char32_t c) { return entry.first < c; });
  return (it != t.end() && it->first == cp) ? it->second : 0;
}

void AppendUtf8(std::string* out, char32_t cp) {
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
  if (cp < 0x80) {
    out->push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out->push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

bool NextUtf8(std::string_view text, size_t* pos, char32_t* cp) {
  if (*pos >= text.size()) return false;
  auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  unsigned char b0 = byte(*pos);
  int extra = b0 < 0x80 ? 0 : (b0 >> 5) == 0x6 ? 1 : (b0 >> 4) == 0xE ? 2 : (b0 >> 3) == 0x1E ? 3 : -1;
  if (extra == 0) {
    *cp = b0;
    *pos += 1;
    return true;
  }
  if (extra < 0 || text.size() - *pos <= static_cast<size_t>(extra)) {
    *cp = 0xFFFD;
    *pos += 1;
    return true;
  }
  static constexpr unsigned char kLeadMask[] = {0, 0x1F, 0x0F, 0x07};
  static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
  char32_t c = b0 & kLeadMask[extra];
  for (int i = 1; i <= extra; ++i) {
    unsigned char b = byte(*pos + i);
    if ((b & 0xC0) != 0x80) {
      *cp = 0xFFFD;
      *pos += 1;
      return true;
    }
    c = (c << 6) | (b & 0x3F);
  }
  if (c < kMin[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
  *cp = c;
  *pos += extra + 1;
  return true;
}

}  // namespace booktext
