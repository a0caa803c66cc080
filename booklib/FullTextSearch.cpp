#include "FullTextSearch.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "ControlCodes.h"
#include "JisText.h"
#include "WordSearch.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace dunmoor {

namespace code = booktext::code;

namespace {

constexpr uint8_t kFirstGaijiByte = 0xA1;
constexpr uint8_t kEntryStartArgument = 0x01;

inline uint16_t Fold(uint16_t c) { return c >= 0x2361 && c <= 0x237A ? static_cast<uint16_t>(c - 0x20) : c; }

inline bool IsEntryStart(const uint8_t* p, size_t left) {
  return left >= 3 && p[0] == code::kEscape && p[1] == code::kBeginKeyword && p[2] == kEntryStartArgument;
}

// Whether the external character at bytes[at] is narrow: the last narrow code before it in its
// entry, looking back no further than the buffer.
bool NarrowAt(const uint8_t* bytes, size_t at) {
  for (size_t k = at; k >= 2;) {
    k -= 2;
    if (bytes[k] != code::kEscape) continue;
    uint8_t c = bytes[k + 1];
    if (c == code::kBeginNarrow) return true;
    if (c == code::kEndNarrow || c == code::kEndText || (c == code::kBeginKeyword && bytes[k + 2] == kEntryStartArgument))
      return false;
  }
  return false;
}

// The fixed length of every control code, as a table the scan reads without a call.
struct CodeLengths {
  uint8_t length[256];
  CodeLengths() {
    for (int c = 0; c < 256; ++c) length[c] = static_cast<uint8_t>(code::FixedCodeLength(static_cast<uint8_t>(c)));
  }
};
const CodeLengths kCodeLengths;

// Whether bytes[at] lies among the argument bytes of a control code that begins before it.
inline bool InsideCode(const uint8_t* bytes, size_t at) {
  constexpr size_t kLongestCode = 20;
  for (size_t k = 2; k < kLongestCode && k <= at; k += 2)
    if (bytes[at - k] == code::kEscape && kCodeLengths.length[bytes[at - k + 1]] > k) return true;
  return false;
}

#if defined(__SSE2__)
// The boundaries among 16 offsets from p: an entry's keyword code (1F 41 01) at each, or with
// endText also a text's end code (1F 03); bit k for offset k.
inline unsigned BoundaryBits(const uint8_t* p, bool endText) {
  const __m128i b0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  const __m128i b1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 1));
  const __m128i b2 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 2));
  __m128i second = _mm_and_si128(_mm_cmpeq_epi8(b1, _mm_set1_epi8(code::kBeginKeyword)),
                                 _mm_cmpeq_epi8(b2, _mm_set1_epi8(kEntryStartArgument)));
  if (endText) second = _mm_or_si128(second, _mm_cmpeq_epi8(b1, _mm_set1_epi8(code::kEndText)));
  return static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(b0, _mm_set1_epi8(code::kEscape)), second)));
}
#endif

// The offset of the next entry's keyword code at an even offset in [from, size), or size.
size_t NextEntryStart(const uint8_t* bytes, size_t from, size_t size) {
  size_t at = from + from % 2;
#if defined(__SSE2__)
  for (; at + 18 <= size; at += 16)
    if (unsigned bits = BoundaryBits(bytes + at, false) & 0x5555u) return at + static_cast<size_t>(__builtin_ctz(bits));
#endif
  for (; at < size; at += 2)
    if (IsEntryStart(bytes + at, size - at)) return at;
  return size;
}

// The last even offset in (low, at] (low: -1 for none) that holds an entry's keyword code or a
// text's end code, or SIZE_MAX when there is none. bytes hold at least at + 2 bytes.
size_t LastBoundary(const uint8_t* bytes, size_t at, size_t size, ptrdiff_t low) {
  ptrdiff_t k = static_cast<ptrdiff_t>(at - at % 2);
  auto boundary = [&](size_t i) {
    return bytes[i] == code::kEscape &&
           (IsEntryStart(bytes + i, size - i) || (i + 1 < size && bytes[i + 1] == code::kEndText));
  };
#if defined(__SSE2__)
  // Blocks of 16 offsets ending at k, while a whole block lies above low and inside the bytes.
  for (; k - 14 > low && static_cast<size_t>(k) + 4 <= size; k -= 16) {
    const size_t from = static_cast<size_t>(k - 14);
    if (unsigned bits = BoundaryBits(bytes + from, true) & 0x5555u) return from + 31 - static_cast<size_t>(__builtin_clz(bits));
  }
#endif
  for (; k > low; k -= 2)
    if (boundary(static_cast<size_t>(k))) return static_cast<size_t>(k);
  return SIZE_MAX;
}

}  // namespace

GaijiCharacters::GaijiCharacters(const booktext::GaijiMap& map) {
  map.ForEach([&](uint16_t code, bool narrow, const std::string& utf8) {
    JisChars chars;
    size_t pos = 0;
    char32_t cp;
    while (booktext::NextUtf8(utf8, &pos, &cp)) {
      // A narrow Latin letter, digit or sign stands for its full-width form, as the text has it.
      if (cp == U' ') cp = U'\u3000';
      if (cp > 0x20 && cp < 0x7F) cp += 0xFEE0;
      uint16_t jis = booktext::UnicodeToJis(cp);
      if (jis == 0) return;  // a character JIS X 0208 cannot write: the map gives nothing to match
      chars.push_back(Fold(jis));
    }
    if (!chars.empty()) characters[(narrow ? 1u << 16 : 0u) | code] = std::move(chars);
  });
}

const JisChars* GaijiCharacters::Find(uint16_t code, bool narrow) const {
  auto found = characters.find((narrow ? 1u << 16 : 0u) | code);
  return found == characters.end() ? nullptr : &found->second;
}

JisChars FullTextWordOf(const JisChars& key) {
  JisChars word;
  for (uint16_t c : key) word.push_back(Fold(c));
  while (!word.empty() && word.back() == kFullWidthSpace) word.pop_back();
  auto first = std::find_if(word.begin(), word.end(), [](uint16_t c) { return c != kFullWidthSpace; });
  word.erase(word.begin(), first);
  if (word.size() * 2 > kMaxFullTextKeyBytes) word.clear();
  return word;
}

TextMatcher::TextMatcher(JisChars word, const GaijiCharacters* gaiji) : word(std::move(word)), gaiji(gaiji) {
  auto classOf = [](uint16_t c) {
    UnitClass k;
    k.codes[k.count++] = c;
    if (c >= 0x2341 && c <= 0x235A) k.codes[k.count++] = static_cast<uint16_t>(c + 0x20);
    return k;
  };
  if (this->word.empty()) return;
  first = classOf(this->word[0]);
  useSecond = this->word.size() >= 2;
  if (this->word.size() >= 2) second = classOf(this->word[1]);
  if (gaiji) {
    gaiji->ForEach([&](const JisChars& chars) {
      if (chars[0] == this->word[0]) {
        first.gaiji = true;
        if (chars.size() >= 2) useSecond = false;  // one character may stand for both
      }
      if (this->word.size() >= 2 && chars[0] == this->word[1]) second.gaiji = true;
    });
  }
}

bool TextMatcher::IsCandidate(const uint8_t* p, size_t left) const {
  auto matches = [](const UnitClass& k, const uint8_t* q) {
    uint16_t unit = static_cast<uint16_t>(q[0] << 8 | q[1]);
    for (int c = 0; c < k.count; ++c)
      if (unit == k.codes[c]) return true;
    return k.gaiji && q[0] >= kFirstGaijiByte;
  };
  if (left < 2 || !matches(first, p)) return false;
  if (!useSecond) return true;
  return left >= 4 && (p[2] == code::kEscape || matches(second, p + 2));
}

#if defined(__SSE2__)
namespace {

// The candidate loop for words whose first two characters each have one or two codes (a Latin
// letter has two) and no external character that stands for them: sixteen offsets a step, the
// first character's mask first, the second's only where the first matched somewhere.
template <bool kTwoFirst, bool kTwoSecond, bool kSecond>
size_t ScanCandidates(const uint8_t* bytes, size_t q, size_t limit, size_t size, const uint16_t* first,
                      const uint16_t* second) {
  const __m128i hi0 = _mm_set1_epi8(static_cast<char>(first[0] >> 8));
  const __m128i lo0 = _mm_set1_epi8(static_cast<char>(first[0]));
  const __m128i hi1 = _mm_set1_epi8(static_cast<char>(first[1] >> 8));
  const __m128i lo1 = _mm_set1_epi8(static_cast<char>(first[1]));
  const __m128i hi2 = _mm_set1_epi8(static_cast<char>(second[0] >> 8));
  const __m128i lo2 = _mm_set1_epi8(static_cast<char>(second[0]));
  const __m128i hi3 = _mm_set1_epi8(static_cast<char>(second[1] >> 8));
  const __m128i lo3 = _mm_set1_epi8(static_cast<char>(second[1]));
  const __m128i escape = _mm_set1_epi8(code::kEscape);
  for (; q < limit && q + 20 <= size; q += 16) {
    const __m128i b0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + q));
    const __m128i b1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + q + 1));
    __m128i m = _mm_and_si128(_mm_cmpeq_epi8(b0, hi0), _mm_cmpeq_epi8(b1, lo0));
    if (kTwoFirst) m = _mm_or_si128(m, _mm_and_si128(_mm_cmpeq_epi8(b0, hi1), _mm_cmpeq_epi8(b1, lo1)));
    unsigned bits = static_cast<unsigned>(_mm_movemask_epi8(m)) & 0x5555u;
    if (!bits) continue;
    if (kSecond) {
      const __m128i b2 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + q + 2));
      const __m128i b3 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + q + 3));
      __m128i n = _mm_or_si128(_mm_cmpeq_epi8(b2, escape), _mm_and_si128(_mm_cmpeq_epi8(b2, hi2), _mm_cmpeq_epi8(b3, lo2)));
      if (kTwoSecond) n = _mm_or_si128(n, _mm_and_si128(_mm_cmpeq_epi8(b2, hi3), _mm_cmpeq_epi8(b3, lo3)));
      bits &= static_cast<unsigned>(_mm_movemask_epi8(n));
      if (!bits) continue;
    }
    return std::min(limit, q + static_cast<size_t>(__builtin_ctz(bits)));
  }
  return q;  // where the loop stopped: the rest is looked at one offset at a time
}

}  // namespace
#endif

size_t TextMatcher::FirstCandidate(const uint8_t* bytes, size_t from, size_t limit, size_t size) const {
  size_t q = from;
#if defined(__SSE2__)
  if (!first.gaiji && !(useSecond && second.gaiji)) {
    const uint16_t one[2] = {first.codes[0], first.codes[first.count - 1]};
    const uint16_t two[2] = {second.codes[0], second.codes[second.count > 0 ? second.count - 1 : 0]};
    const bool twoFirst = first.count > 1, twoSecond = second.count > 1;
    if (!useSecond)
      q = twoFirst ? ScanCandidates<true, false, false>(bytes, q, limit, size, one, two)
                   : ScanCandidates<false, false, false>(bytes, q, limit, size, one, two);
    else if (twoFirst)
      q = twoSecond ? ScanCandidates<true, true, true>(bytes, q, limit, size, one, two)
                    : ScanCandidates<true, false, true>(bytes, q, limit, size, one, two);
    else
      q = twoSecond ? ScanCandidates<false, true, true>(bytes, q, limit, size, one, two)
                    : ScanCandidates<false, false, true>(bytes, q, limit, size, one, two);
    if (q < limit && q + 20 <= size) return q;  // a candidate
  }
#endif
  for (; q < limit; q += 2)
    if (IsCandidate(bytes + q, size - q)) return q;
  return limit;
}

size_t TextMatcher::MatchAt(const uint8_t* bytes, size_t size, size_t at) const {
  if (InsideCode(bytes, at)) return 0;
  size_t i = at, j = 0;
  while (j < word.size()) {
    if (i + 1 >= size) return 0;
    const uint8_t b = bytes[i];
    if (b == code::kEscape) {
      const uint8_t c = bytes[i + 1];
      if (c == code::kNewline || c == code::kEndText || IsEntryStart(bytes + i, size - i)) return 0;
      bool complete = false;
      size_t length = code::ControlLength(bytes + i, size - i, &complete);
      if (!complete) return 0;
      i += length;
      continue;
    }
    const uint16_t unit = static_cast<uint16_t>(b << 8 | bytes[i + 1]);
    i += 2;
    if (b >= kFirstGaijiByte) {
      const JisChars* chars = gaiji ? gaiji->Find(unit, NarrowAt(bytes, i - 2)) : nullptr;
      if (!chars) return 0;
      for (size_t k = 0; k < chars->size() && j < word.size(); ++k, ++j)
        if ((*chars)[k] != word[j]) return 0;
      continue;
    }
    if (Fold(unit) != word[j]) return 0;
    ++j;
  }
  return i - at;
}

bool TextMatcher::FindNext(const uint8_t* bytes, size_t size, size_t from, size_t limit, Found* found) const {
  if (word.empty()) return false;
  from += from % 2;
  while (from < limit) {
    size_t at = FirstCandidate(bytes, from, limit, size);
    if (at >= limit) return false;
    if (size_t length = MatchAt(bytes, size, at)) {
      *found = {at, length};
      return true;
    }
    from = at + 2;
  }
  return false;
}

void TextAreaOf(const std::vector<IndexDescriptor>& indexes, uint64_t fileSize, uint32_t* start, uint32_t* end) {
  const uint64_t size = std::min<uint64_t>(fileSize, UINT32_MAX);
  auto clamp = [&](uint64_t position) { return static_cast<uint32_t>(std::min(position, size)); };
  const IndexDescriptor* text = FindIndex(indexes, kTextArea);
  if (text && text->StartPage() >= 1 && text->PageCount() >= 1) {
    const uint64_t from = (uint64_t{text->StartPage()} - 1) * kIndexPageSize;
    *start = clamp(from);
    *end = clamp(from + uint64_t{text->PageCount()} * kIndexPageSize);
    return;
  }
  uint64_t until = size;
  for (const IndexDescriptor& d : indexes)
    if (d.StartPage() > 2) until = std::min(until, (uint64_t{d.StartPage()} - 1) * kIndexPageSize);
  *start = clamp(kIndexPageSize);
  *end = std::max(*start, clamp(until));
}

void FullTextScan::Begin(JisChars word, const GaijiCharacters* gaiji, BookState* book) {
  Stop();
  matcher = std::make_unique<TextMatcher>(std::move(word), gaiji);
  uint64_t fileSize = 0;
  if (!book->TextFile().Size(&fileSize)) fileSize = 0;
  uint32_t start = 0;
  TextAreaOf(book->Indexes(), fileSize, &start, &areaEnd);
  base = next = start;
  carried = 0;
  skipUntil = 0;
  lastKeyword = openKeyword = UINT32_MAX;
  active = true;
  ownsHits = true;
}

void FullTextScan::Stop() {
  active = false;
  buffer.clear();
  buffer.shrink_to_fit();
  carried = 0;
}

bool FullTextScan::EntryOf(size_t at, uint32_t* keyword) {
  // Back from at to the entry's keyword code; a text's end code on the way means that at lies
  // outside every entry. A later question stops where the last one was asked and takes over its
  // answer from there, so that no byte is looked at twice.
  const bool reuse = memo.valid && memo.at <= at;
  const size_t k = LastBoundary(buffer.data(), at, buffer.size(), reuse ? static_cast<ptrdiff_t>(memo.at) : -1);
  if (k != SIZE_MAX) {
    const bool entry = buffer[k + 1] == code::kBeginKeyword;
    memo = {true, at, entry, entry ? base + static_cast<uint32_t>(k) : 0};
  } else if (!reuse) {
    memo = {true, at, openKeyword != UINT32_MAX, openKeyword};
  }
  memo.at = at;
  *keyword = memo.keyword;
  return memo.inEntry;
}

void FullTextScan::SearchPiece(size_t limit, size_t size, BookState* book) {
  const uint8_t* bytes = buffer.data();
  size_t from = skipUntil > base ? skipUntil - base : 0;
  TextMatcher::Found found;
  while (from < limit && matcher->FindNext(bytes, size, from, limit, &found)) {
    uint32_t keyword = 0;
    if (!EntryOf(found.at, &keyword) || keyword == lastKeyword) {
      from = found.at + 2;
      continue;
    }
    // The entry begins at the indent codes right before its keyword, where word indexes point.
    uint32_t entry = keyword;
    if (keyword >= base) {
      size_t k = keyword - base;
      while (k >= 4 && bytes[k - 4] == code::kEscape && bytes[k - 3] == code::kIndent) k -= 4;
      entry = base + static_cast<uint32_t>(k);
    }
    HitRecord& hit = book->Hits().emplace_back();
    hit.textPosition = entry;
    hit.headingPosition = keyword + 4;
    hit.seen = 0;
    hit.matchPosition = base + static_cast<uint32_t>(found.at);
    hit.matchLength = static_cast<uint32_t>(found.length);
    lastKeyword = keyword;
    from = NextEntryStart(bytes, found.at + found.length, size);
    skipUntil = base + static_cast<uint32_t>(from);
    // The next entry begins there: a match after it needs to look back no further.
    if (from + 2 < size) memo = {true, from, true, base + static_cast<uint32_t>(from)};
  }
}

FullTextScan::Step FullTextScan::Next(BookState* book) {
  if (!active) return Step::kDone;
  const uint32_t want = std::min<uint32_t>(kFullTextPiece, areaEnd - next);
  if (buffer.size() < carried + want) buffer.resize(carried + want);
  uint32_t got = 0;
  if (want > 0 && (!book->DiscCheck() || !book->TextFile().Seek(next) ||
                   !book->TextFile().Read(buffer.data() + carried, want, &got))) {
    Stop();
    return Step::kReadFailed;
  }
  next += got;
  const bool atEnd = next >= areaEnd || got < want;
  const size_t size = carried + got;
  buffer.resize(size);

  // The piece is searched up to the last entry that begins in it; that entry is carried over to
  // the next piece, unless one entry fills the whole buffer.
  size_t limit = size;
  if (!atEnd) {
    size_t last = 0;
    for (size_t k = (size - 2) & ~size_t{1}; k >= 2 && last == 0; k -= 2)
      if (IsEntryStart(buffer.data() + k, size - k)) last = k;
    // The indent codes before the keyword go with its entry.
    while (last > 4 && buffer[last - 4] == code::kEscape && buffer[last - 3] == code::kIndent) last -= 4;
    if (last > 0) {
      limit = last;
    } else if (size + kFullTextPiece <= kFullTextMaxBuffer) {
      carried = size;  // one entry so far: read on before searching it
      return Step::kGoesOn;
    }
  }
  memo.valid = false;
  SearchPiece(limit, size, book);

  if (atEnd) {
    Stop();
    return Step::kDone;
  }
  // The entry in force where the next buffer begins, when it does not begin with its own.
  uint32_t keyword = UINT32_MAX;
  openKeyword = limit == size && size >= 2 && EntryOf(size - 2, &keyword) ? keyword : UINT32_MAX;
  std::memmove(buffer.data(), buffer.data() + limit, size - limit);
  carried = size - limit;
  base += static_cast<uint32_t>(limit);
  return Step::kGoesOn;
}

}  // namespace dunmoor
