// Lays out one word index as 2048-byte pages: leaf pages in key order, then node levels above
// them until one page is left.
//
// Node page:  byte 0 flags (bit 7 clear; 0x20 last page of its level), byte 1 key length L,
//             bytes 2-3 entry count, from byte 4 entries of L + 4 bytes: key zero-padded,
//             child page number (32-bit). An entry's key is the greatest key of its child.
// Leaf page:  byte 0 flags (0x80 leaf, 0x10 group format, 0x20 last leaf), byte 1 key length
//             (0: each entry gives its own), bytes 2-3 entry count, entries from byte 4:
//               fixed     key(L) text(6) heading(6)
//               variable  n key(n) text(6) heading(6)
//               group     0x00 n key text heading | 0x80 n 00 00 key | 0xC0 n key text heading
//             positions numeric: block (32-bit), offset (16-bit).
// Pages of a level are contiguous; the top level comes first, the leaves last.
#ifndef DUNMOOR_TOOLS_BOOKBUILD_INDEXPAGER_H
#define DUNMOOR_TOOLS_BOOKBUILD_INDEXPAGER_H

#include <cstdint>
#include <utility>
#include <vector>

#include "BookModel.h"
#include "Bytes.h"
#include "StoredKeys.h"

namespace bookbuild {

// One `key` line: the word as JIS codes and where its entry and heading lie.
struct KeyedWord {
  JisString word;
  int line = 0;
  uint32_t textPosition = 0;
  uint32_t headingPosition = 0;
};

struct LeafRecord {
  uint8_t kind = 0x00;  // group kinds; 0x00 for the other layouts
  Bytes key;
  uint32_t textPosition = 0;
  uint32_t headingPosition = 0;
};

struct IndexPages {
  Bytes pages;                                        // whole pages, ready to write
  uint32_t startPage = 0;                             // the top page
  std::vector<std::pair<uint32_t, uint32_t>> levels;  // first and last page of each level, top first
  size_t recordCount = 0;
};

class IndexPager {
 public:
  explicit IndexPager(const IndexDef& def);

  // The leaf records in page order: keys as stored (normalised, reversed for backward
  // indexes). Throws BuildError for keys the layout cannot hold.
  std::vector<LeafRecord> MakeRecords(const std::vector<KeyedWord>& words) const;

  // Pages numbered from firstPage.
  IndexPages Build(const std::vector<KeyedWord>& words, uint32_t firstPage) const;

  bool IsBackward() const { return def_.id >= 0x70 && def_.id <= 0x72; }

 private:
  size_t RecordSize(const LeafRecord& record) const;
  void PutRecord(const LeafRecord& record, Bytes* page) const;

  const IndexDef& def_;
  KeyNormalizer normalizer_;
};

}  // namespace bookbuild

#endif  // DUNMOOR_TOOLS_BOOKBUILD_INDEXPAGER_H
