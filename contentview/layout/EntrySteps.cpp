#include "EntrySteps.h"

#include <algorithm>
#include <vector>

#include "ControlCodes.h"

namespace calvetta {

namespace code = booktext::code;

namespace {

constexpr uint32_t kFirstPiece = 16u << 10;

bool CodeAt(const std::vector<uint8_t>& bytes, size_t at, uint8_t code) {
  return at + 1 < bytes.size() && bytes[at] == code::kEscape && bytes[at + 1] == code;
}

bool HeadwordAt(const std::vector<uint8_t>& bytes, size_t at) {
  return CodeAt(bytes, at, code::kBeginKeyword) && at + 2 < bytes.size() && bytes[at + 2] == 0x01;
}

// The entry's start for a headword at offset at: its indent code when one stands right before.
size_t EntryStart(const std::vector<uint8_t>& bytes, size_t at) {
  return at >= 4 && CodeAt(bytes, at - 4, code::kIndent) ? at - 4 : at;
}

int32_t Position(int64_t base, size_t offset) {
  const int64_t position = base + static_cast<int64_t>(offset);
  return position >= 0 && position <= INT32_MAX ? static_cast<int32_t>(position) : kNoNeighbour;
}

int32_t After(TextSource& source, int32_t headword) {
  std::vector<uint8_t> bytes;
  std::vector<char> piece(kFirstPiece);
  uint32_t length = 0;
  if (source.GetLinkContByPt(headword, piece.data(), kFirstPiece, &length) < 0) return kStepReadFailed;
  // Past the entry's own headword (and its indent code).
  size_t at = length >= 2 && piece[0] == code::kEscape && piece[1] == code::kIndent ? 6 : 2;
  while (length > 0) {
    bytes.insert(bytes.end(), piece.begin(), piece.begin() + length);
    // Three bytes make a headword code: the last two of a piece wait for the next.
    for (; at + 3 <= bytes.size(); at += 2) {
      if (CodeAt(bytes, at, code::kEndText)) return kNoNeighbour;
      if (HeadwordAt(bytes, at)) return Position(headword, EntryStart(bytes, at));
    }
    if (bytes.size() >= kMostStepBytes) return kNoNeighbour;
    if (source.GetWordContNext(piece.data(), kFirstPiece, &length) < 0) return kStepReadFailed;
  }
  return kNoNeighbour;
}

int32_t Before(TextSource& source, int32_t headword) {
  if (headword <= 0) return kNoNeighbour;
  // The cursor at the headword; then back from it, each piece twice the one before.
  char first[2];
  uint32_t length = 0;
  if (source.GetLinkContByPt(headword, first, sizeof first, &length) < 0) return kStepReadFailed;
  std::vector<uint8_t> bytes;  // the text before the headword, read so far
  std::vector<char> piece;
  uint32_t size = kFirstPiece;
  size_t back = 2;  // the pair looked at: this many bytes before the headword
  for (;;) {
    piece.resize(size);
    if (source.GetWordContLast(piece.data(), size, &length) < 0) return kStepReadFailed;
    bytes.insert(bytes.begin(), piece.begin(), piece.begin() + length);
    // Nothing more to read: the file's start, or as far as a step goes.
    const bool exhausted =
        length == 0 || bytes.size() >= static_cast<size_t>(headword) || bytes.size() >= kMostStepBytes;
    bool readMore = false;
    for (; back <= bytes.size(); back += 2) {
      const size_t at = bytes.size() - back;
      if (CodeAt(bytes, at, code::kBeginText)) return kNoNeighbour;
      if (!HeadwordAt(bytes, at)) continue;
      // The indent code before it may lie in the piece still to be read.
      readMore = at < 4 && !exhausted;
      if (readMore) break;
      return Position(static_cast<int64_t>(headword) - static_cast<int64_t>(bytes.size()), EntryStart(bytes, at));
    }
    if (!readMore && exhausted) return kNoNeighbour;
    size = std::min<uint32_t>(size * 2, kMostStepBytes);
  }
}

}  // namespace

int32_t NeighbourEntry(TextSource& source, int32_t headword, bool after) {
  if (headword < 0) return kNoNeighbour;
  return after ? After(source, headword) : Before(source, headword);
}

}  // namespace calvetta
