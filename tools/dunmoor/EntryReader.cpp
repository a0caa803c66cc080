#include "EntryReader.h"

#include <algorithm>
#include <cstdint>

#include "TextFormat.h"

namespace cli {

namespace text = dunmoor::text;

size_t FindEntryEnd(const uint8_t* bytes, size_t size) {
  text::TextWalker walker(bytes, size);
  text::TextUnit unit;
  int entryStarts = 0;
  while (walker.Next(&unit)) {
    if (unit.kind == text::TextUnit::Kind::kTruncated) return kNoEntryEnd;
    if (unit.kind != text::TextUnit::Kind::kControl) continue;
    if (unit.code == text::kEndText) return unit.offset;
    if (text::IsEntryStart(bytes + unit.offset, unit.length) && ++entryStarts == 2) return unit.offset;
  }
  return kNoEntryEnd;
}

EntryRead ReadEntry(dunmoor::Library* library, uint32_t position) {
  EntryRead read{kDunmoorSuccess, {}, false};
  size_t chunk = 64 * 1024;
  for (;;) {
    size_t have = read.bytes.size();
    uint64_t at = uint64_t{position} + have;
    if (at > INT32_MAX) break;  // the text file ends for the library there
    size_t want = std::min(chunk, kMaxEntryBytes - have);
    read.bytes.resize(have + want);
    uint32_t length = 0;
    char* into = reinterpret_cast<char*>(read.bytes.data() + have);
    int32_t result =
        library->Links().GetLinkContByPt(static_cast<int32_t>(at), into, static_cast<uint32_t>(want), &length);
    if (result < 0) {
      read.result = result;
      read.bytes.clear();
      return read;
    }
    read.bytes.resize(have + std::min<size_t>(length, want));
    size_t end = FindEntryEnd(read.bytes.data(), read.bytes.size());
    if (end != kNoEntryEnd) {
      read.bytes.resize(end);
      return read;
    }
    if (length < want) break;  // the text file ends
    if (read.bytes.size() >= kMaxEntryBytes) {
      read.cut = true;
      break;
    }
    chunk *= 2;
  }
  return read;
}

}  // namespace cli
