// Reads one entry of the open book from a text position: as many bytes as it takes to find
// where the entry ends.
#ifndef DUNMOOR_TOOLS_DUNMOOR_ENTRYREADER_H
#define DUNMOOR_TOOLS_DUNMOOR_ENTRYREADER_H

#include <cstddef>
#include <cstdint>
#include <vector>

#include "Library.h"

namespace cli {

constexpr size_t kNoEntryEnd = static_cast<size_t>(-1);

// Where the entry that text begins with ends: at the end-of-text code 1F 03, or at the second
// entry start code 1F 41 01 (the first is the entry's own keyword). Walks whole codes, so
// bytes inside a code's arguments never count. kNoEntryEnd when the bytes end first.
size_t FindEntryEnd(const uint8_t* text, size_t size);

// Entries longer than this are cut here.
constexpr size_t kMaxEntryBytes = 4u << 20;

struct EntryRead {
  int32_t result;  // 1, or the library's failure result (-1, -2)
  std::vector<uint8_t> bytes;
  bool cut;  // no end found within kMaxEntryBytes
};

// The entry from position on, without its end code. Reads through GetLinkContByPt, 64 KiB and
// then twice as much each time, until the end is found or the text file ends.
EntryRead ReadEntry(dunmoor::Library* library, uint32_t position);

}  // namespace cli

#endif  // DUNMOOR_TOOLS_DUNMOOR_ENTRYREADER_H
