// Word search: the typed key is prepared (spaces, wildcard, index choice, normalisation), then
// the index's B-tree of 2048-byte pages is descended to the first leaf page that can hold the
// key, and leaf pages are scanned in file order while their entries compare equal or lower.
//
// Index pages, numbers big-endian:
//   node page (bit 7 of byte 0 clear)
//     0     flags: 0x20 = last page of its level
//     1     key length L
//     2-3   entry count
//     4..   entries of L + 4 bytes: key (zero-padded), child page number (32-bit)
//   leaf page (bit 7 of byte 0 set)
//     0     flags: 0x10 = group format, 0x20 = last leaf page of the index
//     1     key length L (0: every entry gives its own length)
//     2-3   entry count
//     4..   entries:
//       L > 0                    key (L bytes), text position (6), heading position (6)
//       L = 0                    n, key (n bytes), text position, heading position
//       group, kind 0x00         0x00, n, key, text position, heading position
//       group, kind 0x80         0x80, n, 2 unused bytes, key (the group's heading; no positions)
//       group, kind 0xC0         0xC0, n, key, text position, heading position (a group member)
//   Positions in leaf entries are numeric positions (block 32-bit, offset 16-bit).
#ifndef DUNMOOR_BOOKLIB_WORDSEARCH_H
#define DUNMOOR_BOOKLIB_WORDSEARCH_H

#include <cstdint>
#include <string>

#include "BookState.h"
#include "KeyNormalizer.h"

namespace dunmoor {

constexpr uint32_t kIndexPageSize = 2048;
constexpr uint32_t kLeafPagesPerRead = 32;  // leaf pages are read 64 KiB at a time

enum class SearchMode : int32_t { kExact = 0, kPrefix = 1, kSuffix = 2 };

constexpr uint16_t kWildcard = 0x2176;     // ＊
constexpr uint16_t kFullWidthSpace = 0x2121;

// Index identifiers.
constexpr uint8_t kKanaIndex = 0x90;
constexpr uint8_t kAsIsIndex = 0x91;
constexpr uint8_t kAlphabetIndex = 0x92;
constexpr uint8_t kBackwardOffset = 0x20;  // 0x70, 0x71, 0x72: the same, keys reversed
constexpr uint8_t kKeywordIndex = 0x80;    // the keyword index (keywords of every entry)
constexpr uint8_t kTextArea = 0x00;        // not an index: the pages of the entry text

// The search as prepared from the caller's key.
struct PreparedSearch {
  SearchMode mode = SearchMode::kExact;
  const IndexDescriptor* index = nullptr;  // nullptr: no index for this key
  JisChars key;    // normalised (and in suffix mode reversed): what the pages are searched for
  JisChars typed;  // filtered copy of the key as typed (reversed in suffix mode): what a hit equals
};

// The first descriptor with this identifier, or nullptr.
const IndexDescriptor* FindIndex(const std::vector<IndexDescriptor>& indexes, uint8_t id);

// Splits a zero-terminated byte string into its characters (an odd byte at the end is no
// character and is dropped), and back.
JisChars CharactersOf(const char* key);
void StoreCharacters(const JisChars& chars, char* key);

// Steps 2-7 of a search: removes full-width spaces, takes the wildcard off, chooses the index by
// the first character and normalises. The chosen index is nullptr when the book has none for
// this key (nor an as-is index), or its start page is below 1.
PreparedSearch PrepareSearch(JisChars key, const std::vector<IndexDescriptor>& indexes);

enum class SearchResult { kFound, kNotFound, kReadFailed };

// Descends from the index's start page and collects the hits in book->Hits() (emptied first).
SearchResult RunSearch(const PreparedSearch& search, BookState* book);
// The same into hits (emptied first), leaving the book's hit list alone.
SearchResult ScanIndex(const PreparedSearch& search, BookState* book, std::vector<HitRecord>* hits);

// One key of a leaf page with the positions of its entry and heading (group headings, which
// carry none, are left out).
struct IndexKey {
  std::vector<uint8_t> key;  // as stored, without padding
  uint32_t textPosition = 0;
  uint32_t headingPosition = 0;
};

// The keys of the search's index around its key, in the index's order: up to count before the
// place and up to count + 1 from it on. The place is the first key not below the search key, or
// where the keys that begin with it (as far as they go) hold one of the entry at textPosition
// (when that is not UINT32_MAX). *place is its number in *keys (keys->size() when every key
// sorts below). Leaf pages before the first one the descent reaches are read back to the
// index's first (a page that is no leaf page, or the last leaf page of another index, ends it).
SearchResult KeysAround(const PreparedSearch& search, BookState* book, uint32_t textPosition, uint32_t count,
                        std::vector<IndexKey>* keys, size_t* place);

}  // namespace dunmoor

#endif  // DUNMOOR_BOOKLIB_WORDSEARCH_H
