#include "WordSearch.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <memory>

#include "TextFormat.h"

namespace dunmoor {

namespace {

constexpr uint8_t kLeafFlag = 0x80;
constexpr uint8_t kGroupFlag = 0x10;
constexpr uint8_t kLastPageFlag = 0x20;
constexpr size_t kPageHeaderSize = 4;
constexpr size_t kPositionPairSize = 12;  // text position and heading position, 6 bytes each

constexpr uint8_t kSingleEntry = 0x00;
constexpr uint8_t kGroupHeading = 0x80;
constexpr uint8_t kGroupMember = 0xC0;

using KeyBytes = std::vector<uint8_t>;

KeyBytes BytesOf(const JisChars& chars) {
  KeyBytes bytes;
  bytes.reserve(chars.size() * 2);
  for (uint16_t c : chars) {
    bytes.push_back(static_cast<uint8_t>(c >> 8));
    bytes.push_back(static_cast<uint8_t>(c));
  }
  return bytes;
}

int Sign(int a, int b) { return a < b ? -1 : (a > b ? 1 : 0); }

// The length of an entry key: its stored length, or up to a zero byte before it.
size_t KeyLength(const uint8_t* key, size_t stored) {
  const void* zero = std::memchr(key, 0, stored);
  return zero ? static_cast<size_t>(static_cast<const uint8_t*>(zero) - key) : stored;
}

// Node pages: the entry key against the search key over the entry key's own bytes, so that a
// shortened node key (only the first characters of its child's last key) still leads there.
int CompareNodeKey(const uint8_t* entry, size_t stored, const KeyBytes& key) {
  size_t n = KeyLength(entry, stored);
  for (size_t i = 0; i < n; ++i) {
    int b = i < key.size() ? key[i] : 0;
    if (entry[i] != b) return Sign(entry[i], b);
  }
  return 0;
}

// Leaf entries: exact mode compares both keys to their ends, the wildcard modes only as many
// bytes as the search key has (an entry key that begins with it is equal). The entry key ends
// at its stored length or at a zero byte; the search key holds no zero byte.
int CompareLeafKey(const uint8_t* entry, size_t stored, const KeyBytes& key, SearchMode mode) {
  const size_t common = std::min(stored, key.size());
  // The first differing byte decides, as unsigned bytes; a zero byte ends the entry key, and as
  // the search key holds none, it sorts first.
  // (An empty key read from a damaged page has no bytes to point at: nothing to compare.)
  if (int order = common == 0 ? 0 : std::memcmp(entry, key.data(), common)) return order < 0 ? -1 : 1;
  if (common < key.size()) return -1;  // the entry key ended first
  if (mode != SearchMode::kExact) return 0;
  return common < stored && entry[common] != 0 ? 1 : 0;  // exact: the entry key must end here too
}

bool IsAlphabetLead(uint16_t c) {
  uint8_t row = static_cast<uint8_t>(c >> 8);
  return (c >= 0x2341 && c <= 0x237A) || row == 0x26 || row == 0x27 || (c >= 0x2127 && c <= 0x212A) ||
         (c >= 0x2146 && c <= 0x2149) || (c >= 0x216C && c <= 0x216D);
}

uint8_t IndexKindFor(const JisChars& key) {
  if (!key.empty() && IsAlphabetLead(key[0])) return kAlphabetIndex;
  if (!key.empty() && key[0] >= 0x2330 && key[0] <= 0x2339) return kAsIsIndex;
  bool kanaOnly = std::none_of(key.begin(), key.end(), [](uint16_t c) { return (c >> 8) >= 0x30; });
  return kanaOnly ? kKanaIndex : kAsIsIndex;
}

bool KeptInTypedKey(uint16_t c) {
  uint8_t row = static_cast<uint8_t>(c >> 8);
  return (row >= 0x23 && row <= 0x27) || row >= 0x30 || (c >= 0x2133 && c <= 0x213C);
}

// One leaf scan: the state that lives only while a search runs.
class LeafScan {
 public:
  LeafScan(const PreparedSearch& search, BookState* book, std::vector<HitRecord>* hits)
      : search(search), book(book), hits(*hits), key(BytesOf(search.key)), typed(BytesOf(search.typed)),
        typedIsKey(typed == key) {}

  SearchResult Run(uint32_t startPage);
  // Node pages down to the first leaf page that can hold the key: its number in *leaf.
  SearchResult Descend(uint32_t page, const uint8_t** leaf, uint32_t* leafNumber = nullptr);
  // Down the last children to the last leaf page (a key after every key of the index).
  SearchResult DescendLast(uint32_t page, const uint8_t** leaf, uint32_t* leafNumber);
  // Page number into the page buffer that Descend's leaf points at: node pages from the
  // book's cache, leaf pages from the file (after the disc check).
  bool ReadPage(uint32_t page);

 private:
  enum class PageEnd { kNextPage, kScanOver };

  PageEnd ScanLeafPage(const uint8_t* page);
  // Adds the entry's positions when its key equals the typed key (comparedEqual: the entry
  // was just found equal to the search key).
  [[gnu::always_inline]] void AddHit(const uint8_t* entryKey, size_t stored, const uint8_t* positions, bool comparedEqual);

  const PreparedSearch& search;
  BookState* book;
  std::vector<HitRecord>& hits;
  KeyBytes key;
  KeyBytes typed;
  bool typedIsKey;  // nothing was normalised: an entry equal to the key equals the typed key
  uint8_t pageBuffer[kIndexPageSize];
  bool groupMatch = false;
};

bool LeafScan::ReadPage(uint32_t page) {
  uint32_t position;
  uint32_t got = 0;
  if (!text::ToFilePosition(text::PositionOf(page, 0), &position)) return false;
  // Node pages come from the book's page cache when they were read before: that is no read of
  // the file. A leaf page is always read from the file, after the disc check, so that a change
  // of the book still fails the search (and empties the cache); the file then stands right
  // after that page for the pages that follow.
  if (book->CachedIndexPage(page, pageBuffer)) return true;
  if (!book->DiscCheck() || !book->TextFile().Seek(position) ||
      !book->TextFile().Read(pageBuffer, kIndexPageSize, &got) || got != kIndexPageSize)
    return false;
  if (!(pageBuffer[0] & kLeafFlag)) book->KeepIndexPage(page, pageBuffer);
  return true;
}

// Node pages down to the first leaf page that can hold the key. Every step goes to a page after
// the current one (a child that points back or sideways ends the search), so a damaged tree
// cannot keep the search going round.
SearchResult LeafScan::Descend(uint32_t page, const uint8_t** leaf, uint32_t* leafNumber) {
  for (;;) {
    if (!ReadPage(page)) return SearchResult::kReadFailed;
    const uint8_t* p = pageBuffer;
    if (p[0] & kLeafFlag) {
      *leaf = p;
      if (leafNumber) *leafNumber = page;
      return SearchResult::kFound;
    }
    size_t keyLength = p[1];
    size_t count = text::ReadBigEndian16(p + 2);
    size_t entrySize = keyLength + 4;
    uint32_t next = page + 1;  // no entry qualifies: on to the next page of this level
    bool qualified = false;
    // A node key that is the search key's beginning may be its child's last key shortened, so
    // that child may hold the key: it qualifies, unless a later entry sorts below the key
    // (then that child's last key does too, and so do those of the children before it).
    for (size_t i = 0, at = kPageHeaderSize; i < count && at + entrySize <= kIndexPageSize; ++i, at += entrySize) {
      int order = CompareNodeKey(p + at, keyLength, key);
      if (order < 0) {
        next = page + 1;
        qualified = false;
        continue;
      }
      if (!qualified) next = text::ReadBigEndian32(p + at + keyLength);
      qualified = true;
      if (order > 0 || KeyLength(p + at, keyLength) >= key.size()) break;
    }
    if (!qualified && (p[0] & kLastPageFlag)) return SearchResult::kNotFound;
    if (next <= page) return SearchResult::kNotFound;
    page = next;
  }
}

SearchResult LeafScan::DescendLast(uint32_t page, const uint8_t** leaf, uint32_t* leafNumber) {
  for (;;) {
    if (!ReadPage(page)) return SearchResult::kReadFailed;
    const uint8_t* p = pageBuffer;
    if (p[0] & kLeafFlag) {
      *leaf = p;
      *leafNumber = page;
      return SearchResult::kFound;
    }
    const size_t entrySize = p[1] + size_t{4};
    const size_t count = std::min<size_t>(text::ReadBigEndian16(p + 2), (kIndexPageSize - kPageHeaderSize) / entrySize);
    // Along the level to its last page, then down its last entry; always forward, as Descend.
    uint32_t next = page + 1;
    if ((p[0] & kLastPageFlag) && count > 0)
      next = text::ReadBigEndian32(p + kPageHeaderSize + (count - 1) * entrySize + p[1]);
    else if (p[0] & kLastPageFlag)
      return SearchResult::kNotFound;
    if (next <= page) return SearchResult::kNotFound;
    page = next;
  }
}

inline void LeafScan::AddHit(const uint8_t* entryKey, size_t stored, const uint8_t* positions, bool comparedEqual) {
  if (!(comparedEqual && typedIsKey) && CompareLeafKey(entryKey, stored, typed, search.mode) != 0) return;
  uint32_t textPosition, headingPosition;
  // A position outside the range of the text file is no hit that could be shown.
  if (!text::ToFilePosition(text::DecodeNumericPosition(positions), &textPosition) ||
      !text::ToFilePosition(text::DecodeNumericPosition(positions + 6), &headingPosition)) {
    return;
  }
  if (!hits.empty() && (textPosition == 0 || textPosition == hits.back().textPosition)) return;
  // Field by field: a record built whole and copied in made the compiler read it back as a
  // different width than it was written, a store-forwarding stall on every hit.
  HitRecord& hit = hits.emplace_back();
  hit.textPosition = textPosition;
  hit.headingPosition = headingPosition;
}

// Scans one leaf page. An entry that does not fit the page, or of an unknown group kind, ends
// the page; a key that sorts after the search key ends the whole scan.
LeafScan::PageEnd LeafScan::ScanLeafPage(const uint8_t* p) {
  const size_t fixedLength = p[1];
  const bool group = (p[0] & kGroupFlag) != 0;
  const size_t count = text::ReadBigEndian16(p + 2);
  int last = -1;  // the result of the last comparison made
  size_t at = kPageHeaderSize;
  for (size_t i = 0; i < count; ++i) {
    size_t left = kIndexPageSize - at;
    const uint8_t* e = p + at;
    if (fixedLength > 0) {
      if (left < fixedLength + kPositionPairSize) break;
      last = CompareLeafKey(e, fixedLength, key, search.mode);
      if (last > 0) return PageEnd::kScanOver;
      if (last == 0) AddHit(e, fixedLength, e + fixedLength, true);
      at += fixedLength + kPositionPairSize;
    } else if (!group) {
      if (left < 1 || left < 1 + e[0] + kPositionPairSize) break;
      size_t n = e[0];
      last = CompareLeafKey(e + 1, n, key, search.mode);
      if (last > 0) return PageEnd::kScanOver;
      if (last == 0) AddHit(e + 1, n, e + 1 + n, true);
      at += 1 + n + kPositionPairSize;
    } else {
      if (left < 2) break;
      uint8_t kind = e[0];
      size_t n = e[1];
      if (kind == kSingleEntry) {
        if (left < 2 + n + kPositionPairSize) break;
        groupMatch = false;
        last = CompareLeafKey(e + 2, n, key, search.mode);
        if (last > 0) return PageEnd::kScanOver;
        if (last == 0) AddHit(e + 2, n, e + 2 + n, true);
        at += 2 + n + kPositionPairSize;
      } else if (kind == kGroupHeading) {
        if (left < 4 + n) break;
        last = CompareLeafKey(e + 4, n, key, search.mode);
        groupMatch = last == 0;
        if (last > 0) return PageEnd::kScanOver;
        at += 4 + n;
      } else if (kind == kGroupMember) {
        if (left < 2 + n + kPositionPairSize) break;
        if (groupMatch) AddHit(e + 2, n, e + 2 + n, false);
        at += 2 + n + kPositionPairSize;
      } else {
        break;
      }
    }
  }
  return (p[0] & kLastPageFlag) ? PageEnd::kScanOver : PageEnd::kNextPage;
}

SearchResult LeafScan::Run(uint32_t startPage) {
  const uint8_t* page = nullptr;
  SearchResult descent = Descend(startPage, &page);
  if (descent != SearchResult::kFound) return descent;

  // Further leaf pages follow in the file. Most runs end on the next page: that one is read
  // alone first, and only a run that goes on past it is read 32 pages at a time into the
  // book's leaf buffer.
  uint8_t* leafBuffer = nullptr;
  uint32_t requested = 0;  // pages asked for by the last read (0: none yet)
  uint32_t cursor = 0;
  uint32_t pagesInBuffer = 0;
  while (ScanLeafPage(page) == PageEnd::kNextPage) {
    if (cursor >= requested) {
      if (!leafBuffer) leafBuffer = book->LeafBuffer(kLeafPagesPerRead * kIndexPageSize);
      requested = requested == 0 ? 1 : kLeafPagesPerRead;
      uint32_t got = 0;
      if (!book->DiscCheck() || !book->TextFile().Read(leafBuffer, requested * kIndexPageSize, &got))
        return SearchResult::kReadFailed;
      pagesInBuffer = got / kIndexPageSize;
      cursor = 0;
    }
    // The leaf run ends at the end of the file, or where a page that is no leaf page stands.
    if (cursor >= pagesInBuffer) break;
    page = leafBuffer + cursor * kIndexPageSize;
    ++cursor;
    if (!(page[0] & kLeafFlag)) break;
  }
  return hits.empty() ? SearchResult::kNotFound : SearchResult::kFound;
}

// The keys of one leaf page with their positions, in order. An entry that does not fit the page
// or of an unknown kind ends it, as in a search.
void ReadLeafKeys(const uint8_t* p, std::vector<IndexKey>* keys) {
  const size_t fixedLength = p[1];
  const bool group = (p[0] & kGroupFlag) != 0;
  const size_t count = text::ReadBigEndian16(p + 2);
  auto add = [&](const uint8_t* key, size_t stored, const uint8_t* positions) {
    uint32_t textPosition, headingPosition;
    if (!text::ToFilePosition(text::DecodeNumericPosition(positions), &textPosition) ||
        !text::ToFilePosition(text::DecodeNumericPosition(positions + 6), &headingPosition))
      return;
    keys->push_back(IndexKey{KeyBytes(key, key + KeyLength(key, stored)), textPosition, headingPosition});
  };
  size_t at = kPageHeaderSize;
  for (size_t i = 0; i < count; ++i) {
    const size_t left = kIndexPageSize - at;
    const uint8_t* e = p + at;
    if (fixedLength > 0) {
      if (left < fixedLength + kPositionPairSize) return;
      add(e, fixedLength, e + fixedLength);
      at += fixedLength + kPositionPairSize;
    } else if (!group) {
      if (left < 1 || left < 1 + e[0] + kPositionPairSize) return;
      add(e + 1, e[0], e + 1 + e[0]);
      at += 1 + e[0] + kPositionPairSize;
    } else {
      if (left < 2) return;
      const size_t n = e[1];
      if (e[0] == kGroupHeading) {
        if (left < 4 + n) return;
        at += 4 + n;
      } else if (e[0] == kSingleEntry || e[0] == kGroupMember) {
        if (left < 2 + n + kPositionPairSize) return;
        add(e + 2, n, e + 2 + n);
        at += 2 + n + kPositionPairSize;
      } else {
        return;
      }
    }
  }
}

}  // namespace

SearchResult KeysAround(const PreparedSearch& search, BookState* book, uint32_t textPosition, uint32_t count,
                        std::vector<IndexKey>* keys, size_t* place) {
  keys->clear();
  *place = 0;
  if (!search.index || search.key.empty()) return SearchResult::kNotFound;
  std::vector<HitRecord> unused;
  LeafScan scan(search, book, &unused);
  const uint8_t* leaf = nullptr;
  uint32_t first = 0;
  SearchResult descent = scan.Descend(search.index->StartPage(), &leaf, &first);
  if (descent == SearchResult::kNotFound) descent = scan.DescendLast(search.index->StartPage(), &leaf, &first);
  if (descent != SearchResult::kFound) return descent;
  const KeyBytes key = BytesOf(search.key);
  auto below = [&](const IndexKey& k) { return CompareLeafKey(k.key.data(), k.key.size(), key, SearchMode::kExact) < 0; };
  auto beginsWithKey = [&](const IndexKey& k) {
    return CompareLeafKey(k.key.data(), k.key.size(), key, SearchMode::kPrefix) == 0;
  };

  // Forward from the leaf the descent reached: the place, then count more keys after it.
  const uint8_t* page = leaf;  // the scan's page buffer, read on page by page
  const bool seeking = textPosition != UINT32_MAX;
  size_t firstNotBelow = SIZE_MAX;
  bool placed = false;
  for (uint32_t number = first;;) {
    const size_t from = keys->size();
    ReadLeafKeys(page, keys);
    for (size_t i = from; i < keys->size() && !placed; ++i) {
      const IndexKey& k = (*keys)[i];
      if (below(k)) continue;
      if (firstNotBelow == SIZE_MAX) firstNotBelow = i;
      // Seeking the entry: among the keys that begin with the word, the one of that entry; past
      // them, the first.
      placed = !seeking || k.textPosition == textPosition || !beginsWithKey(k);
      *place = !seeking || k.textPosition == textPosition ? i : firstNotBelow;
    }
    if ((placed && keys->size() - *place > count) || (page[0] & kLastPageFlag)) break;
    if (!scan.ReadPage(++number)) return SearchResult::kReadFailed;
    if (!(page[0] & kLeafFlag)) break;
  }
  if (!placed) *place = firstNotBelow == SIZE_MAX ? keys->size() : firstNotBelow;
  if (keys->size() - *place > count + 1) keys->resize(*place + count + 1);

  // Back from that leaf, while fewer than count keys stand before the place.
  for (uint32_t number = first; *place < count && number > 1;) {
    if (!scan.ReadPage(--number)) return SearchResult::kReadFailed;
    if (!(page[0] & kLeafFlag) || (page[0] & kLastPageFlag)) break;
    std::vector<IndexKey> earlier;
    ReadLeafKeys(page, &earlier);
    *place += earlier.size();
    keys->insert(keys->begin(), std::make_move_iterator(earlier.begin()), std::make_move_iterator(earlier.end()));
  }
  if (*place > count) {
    keys->erase(keys->begin(), keys->begin() + static_cast<std::ptrdiff_t>(*place - count));
    *place = count;
  }
  return keys->empty() ? SearchResult::kNotFound : SearchResult::kFound;
}

const IndexDescriptor* FindIndex(const std::vector<IndexDescriptor>& indexes, uint8_t id) {
  for (const IndexDescriptor& d : indexes)
    if (d.Identifier() == id) return &d;
  return nullptr;
}

JisChars CharactersOf(const char* key) {
  JisChars chars;
  size_t n = std::strlen(key);
  chars.reserve(n / 2);
  for (size_t i = 0; i + 1 < n; i += 2) {
    chars.push_back(static_cast<uint16_t>((static_cast<uint8_t>(key[i]) << 8) | static_cast<uint8_t>(key[i + 1])));
  }
  return chars;
}

void StoreCharacters(const JisChars& chars, char* key) {
  size_t at = 0;
  for (uint16_t c : chars) {
    key[at++] = static_cast<char>(c >> 8);
    key[at++] = static_cast<char>(c & 0xFF);
  }
  key[at] = '\0';
}

PreparedSearch PrepareSearch(JisChars key, const std::vector<IndexDescriptor>& indexes) {
  PreparedSearch search;
  key.erase(std::remove(key.begin(), key.end(), kFullWidthSpace), key.end());

  if (!key.empty() && key.front() == kWildcard) {
    search.mode = SearchMode::kSuffix;
    key.erase(key.begin());
  } else {
    auto wildcard = std::find(key.begin(), key.end(), kWildcard);
    if (wildcard != key.end() && wildcard + 1 == key.end()) {
      search.mode = SearchMode::kPrefix;
      key.pop_back();
    }
  }

  const uint8_t backward = search.mode == SearchMode::kSuffix ? kBackwardOffset : 0;
  const IndexDescriptor* index = FindIndex(indexes, static_cast<uint8_t>(IndexKindFor(key) - backward));
  if (!index) index = FindIndex(indexes, static_cast<uint8_t>(kAsIsIndex - backward));
  if (index && index->StartPage() >= 1) search.index = index;

  for (uint16_t c : key)
    if (KeptInTypedKey(c)) search.typed.push_back(c);
  if (search.mode == SearchMode::kSuffix) std::reverse(search.typed.begin(), search.typed.end());

  if (search.index && !(key.size() == 1 && key[0] == kLongVowelMark)) NormalizeKey(*search.index, &key);
  if (search.mode == SearchMode::kSuffix) std::reverse(key.begin(), key.end());
  search.key = std::move(key);
  return search;
}

SearchResult RunSearch(const PreparedSearch& search, BookState* book) {
  return ScanIndex(search, book, &book->Hits());
}

SearchResult ScanIndex(const PreparedSearch& search, BookState* book, std::vector<HitRecord>* hits) {
  hits->clear();
  if (!search.index || search.key.empty()) return SearchResult::kNotFound;
  return LeafScan(search, book, hits).Run(search.index->StartPage());
}

}  // namespace dunmoor
