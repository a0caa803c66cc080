#include "TextReaders.h"

#include <algorithm>

#include "Dunmoor.h"
#include "TextFormat.h"

namespace dunmoor {

namespace {

bool FitsPosition(uint64_t position, uint32_t* out) {
  return text::ToFilePosition(static_cast<int64_t>(std::min<uint64_t>(position, INT64_MAX)), out);
}

uint8_t* Bytes(char* buffer) { return reinterpret_cast<uint8_t*>(buffer); }

}  // namespace

size_t FindEntryEndOfHit(const uint8_t* bytes, size_t n, uint32_t* seen) {
  for (size_t at = 0; at < n; ++at) {
    if (!text::IsEntryStart(bytes + at, n - at)) continue;
    if (*seen) return at;
    *seen = 1;  // the hit's own keyword: its entry runs on to the next one
    at += 2;
  }
  return n;
}

size_t FindEntryEnd(const uint8_t* bytes, size_t n, bool continuing) {
  int starts = 0;
  for (size_t at = 0; at < n; ++at) {
    if (bytes[at] != text::kEscape) continue;
    if (at + 1 < n && bytes[at + 1] == text::kEndText) return at;
    if (!text::IsEntryStart(bytes + at, n - at)) continue;
    // A continuation ends at the next entry's keyword; a fresh read passes its own first.
    if (continuing || ++starts == 2) return at;
    at += 2;
  }
  return n;
}

size_t CutCodeTail(const uint8_t* bytes, size_t n) {
  size_t tail = 0;
  if (n >= 1 && bytes[n - 1] == text::kEscape) {
    tail = 1;
  } else if (n >= 2 && bytes[n - 2] == text::kEscape && bytes[n - 1] == text::kBeginKeyword) {
    tail = 2;
  }
  return tail < n ? tail : 0;
}

bool TextReaders::ReadAt(uint32_t position, void* buffer, uint32_t size, uint32_t* got) {
  if (!book->DiscCheck()) return false;
  if (!book->TextFile().Seek(position)) return false;
  return book->TextFile().Read(buffer, size, got);
}

int32_t TextReaders::ReadRaw(uint32_t position, char* buffer, uint32_t size, uint32_t* length) {
  cursor.start = position;
  uint32_t from;
  uint32_t got = 0;
  if (!FitsPosition(position, &from) || !ReadAt(from, buffer, size, &got)) return kDunmoorFailed;
  cursor.total = got;
  cursor.next = position + got;
  *length = got;
  return static_cast<int32_t>(position);
}

int32_t TextReaders::GetWordCont(int32_t index, char* buffer, uint32_t size, uint32_t* length) {
  if (!book) return kDunmoorFailed;
  if (!buffer || !length) return kDunmoorRefused;
  const std::vector<HitRecord>& hits = book->Hits();
  if (index < 0 || static_cast<size_t>(index) >= hits.size()) return kDunmoorRefused;
  return ReadRaw(hits[static_cast<size_t>(index)].textPosition, buffer, size, length);
}

int32_t TextReaders::GetWordContNext(char* buffer, uint32_t size, uint32_t* length) {
  if (!book) return kDunmoorFailed;
  if (!buffer || !length) return kDunmoorRefused;
  return ReadRaw(cursor.next, buffer, size, length);
}

int32_t TextReaders::GetWordContLast(char* buffer, uint32_t size, uint32_t* length) {
  if (!book) return kDunmoorFailed;
  if (!buffer || !length) return kDunmoorRefused;
  // The bytes read end exactly at the old start, so repeated calls walk backwards.
  uint32_t oldStart = cursor.start;
  if (oldStart < size) return ReadRaw(0, buffer, oldStart, length);
  return ReadRaw(oldStart - size, buffer, size, length);
}

int32_t TextReaders::GetContLastNoSet(char* buffer, uint32_t size, uint32_t* length) {
  if (!book || !buffer || !length) return 0;
  // A peek: the whole cursor stays, total included, so that an entry being delivered in pieces
  // goes on where it was.
  const ReadCursor kept = cursor;
  int32_t result = GetWordContLast(buffer, size, length);
  cursor.start = kept.start;
  cursor.next = kept.next;
  cursor.total = kept.total;
  return result >= 0 ? 1 : 0;
}

int32_t TextReaders::GetWordContent(int32_t index, char* buffer, uint32_t size, uint32_t* length) {
  if (!book) return kDunmoorFailed;
  if (!buffer || !length) return kDunmoorRefused;
  *length = 0;
  std::vector<HitRecord>& hits = book->Hits();
  if (index < 0 || static_cast<size_t>(index) >= hits.size()) return kDunmoorFailed;
  uint8_t* bytes = Bytes(buffer);
  uint32_t got = 0;

  if (index != cursor.currentHit || cursor.complete == 1) {
    cursor.complete = 0;
    cursor.currentHit = index;
    cursor.continuedHit = 0;
    for (HitRecord& hit : hits) hit.seen = 0;
    cursor.start = hits[static_cast<size_t>(index)].textPosition;
    uint32_t from;
    if (!FitsPosition(cursor.start, &from) || !ReadAt(from, buffer, size, &got)) {
      cursor.currentHit = -1;  // the next call starts the entry afresh
      return kDunmoorFailed;
    }
    cursor.total = 0;
  } else {
    // On from the last delivered byte, by position rather than by wherever the text file was
    // left: a peek or another read in between does not disturb the entry.
    uint32_t from;
    if (!FitsPosition(uint64_t{cursor.start} + cursor.total, &from) || !ReadAt(from, buffer, size, &got))
      return kDunmoorFailed;
  }

  uint32_t before = cursor.total;
  size_t end = FindEntryEndOfHit(bytes, got, &hits[static_cast<size_t>(index)].seen);
  if (end < got || got < size) {  // an end code, or the end of the text file
    *length = static_cast<uint32_t>(end);
    cursor.total = before + got;
    cursor.next = cursor.start + before + static_cast<uint32_t>(end);
    cursor.currentHit = -1;
    cursor.complete = 1;
    return kDunmoorSuccess;
  }
  uint32_t delivered = got - static_cast<uint32_t>(CutCodeTail(bytes, got));
  *length = delivered;
  cursor.total = before + delivered;
  cursor.continuedHit = index;
  return kDunmoorGoesOn;
}

int32_t TextReaders::ReadEntryPiece(char* buffer, uint32_t size, uint32_t* length) {
  bool continuing = cursor.more == 1;
  uint32_t before = continuing ? cursor.total : 0;
  uint32_t from;
  uint32_t got = 0;
  if (!FitsPosition(uint64_t{cursor.start} + before, &from) || !ReadAt(from, buffer, size, &got))
    return kDunmoorFailed;

  uint8_t* bytes = Bytes(buffer);
  size_t end = FindEntryEnd(bytes, got, continuing);
  if (end < got || got < size) {  // an end code, or the end of the text file
    *length = static_cast<uint32_t>(end);
    cursor.more = 0;
    cursor.total = before + got;
    cursor.next = from + static_cast<uint32_t>(end);
    return kDunmoorSuccess;
  }
  uint32_t delivered = got - static_cast<uint32_t>(CutCodeTail(bytes, got));
  *length = delivered;
  cursor.more = 1;
  cursor.total = before + delivered;
  return kDunmoorGoesOn;
}

int32_t TextReaders::GetNextContentByWord(char* buffer, uint32_t size, uint32_t* length) {
  if (!book) return kDunmoorFailed;
  if (!buffer || !length) return kDunmoorRefused;
  *length = 0;
  if (cursor.more == 0) cursor.start = cursor.next;
  return ReadEntryPiece(buffer, size, length);
}

int32_t TextReaders::GetLastContentByWord(char* buffer, uint32_t size, uint32_t* length) {
  if (!book) return kDunmoorFailed;
  if (!buffer || !length) return kDunmoorRefused;
  *length = 0;
  if (cursor.more == 0) {
    uint32_t found;
    if (!FindEntryBefore(cursor.start, &found)) return kDunmoorFailed;
    cursor.start = cursor.next = found;
  }
  return ReadEntryPiece(buffer, size, length);
}

bool TextReaders::FindEntryBefore(uint32_t s, uint32_t* found) {
  if (s < text::kBlockSize) return false;  // block 1 holds the index table, never an entry
  // Each block is read with the two bytes after it, so that a code that begins in its last two
  // bytes is seen whole.
  uint8_t block[text::kBlockSize + 2];
  uint32_t q = s - text::kBlockSize;
  for (int i = 0; i < kMaxBackwardBlocks; ++i) {
    uint32_t got = 0;
    if (!ReadAt(q, block, sizeof block, &got)) return false;
    for (size_t k = std::min<size_t>(got, text::kBlockSize); k-- > 0;) {
      if (text::IsEntryStart(block + k, got - k)) {
        *found = q + static_cast<uint32_t>(k);
        return true;
      }
    }
    if (q < text::kBlockSize) return false;
    q -= text::kBlockSize;
  }
  *found = s;  // nothing within reach: the same entry again
  return true;
}

}  // namespace dunmoor
