#include "BookState.h"

#include <algorithm>
#include <cstring>

#include "Catalog.h"
#include "TextFormat.h"

namespace dunmoor {

uint32_t IndexDescriptor::StartPage() const { return text::ReadBigEndian32(bytes + 2); }
uint32_t IndexDescriptor::PageCount() const { return text::ReadBigEndian32(bytes + 6); }

unsigned IndexDescriptor::StyleField(int field) const {
  if (field < 1 || field > 12) return 0;
  int bit = (field - 1) * 2;  // from the top of byte 11
  uint8_t byte = bytes[11 + bit / 8];
  return (byte >> (6 - bit % 8)) & 0x3u;
}

BookState::OpenResult BookState::Open(const char* bookDirectory) {
  std::string path = TextFilePath(bookDirectory);
  // The watch covers the data directory as the file system spells it, whatever the catalog
  // says; the text file is HONMON or its compressed form HONMON.ebz.
  std::string dataDirectory = DataDirectoryPath(bookDirectory);
  std::string spelledDirectory = SpelledPath(dataDirectory);
  changeWatch.Start(spelledDirectory);
  if (path.size() >= kTextPathCapacity || !textFile.Open(path)) {
    Close();
    return OpenResult::kFailed;
  }
  // Names are matched once (natively without regard to case); every later disc check uses
  // the spelling found.
  textPath = textFile.IsCompressed() ? path + kCompressedSuffix : path;
  lookUpPath = textFile.StoredPath();
  storedSize = textFile.StoredSize();
  openFlag = 1;

  uint8_t header[kIndexHeaderSize];
  uint32_t got = 0;
  if (!textFile.Seek(0) || !textFile.Read(header, sizeof header, &got) || got < sizeof header) {
    Close();
    return OpenResult::kFailed;
  }
  // The descriptors follow the header directly; a table cut short by the end of the file is
  // a damaged book, not a shorter table.
  unsigned count = text::ReadBigEndian16(header);
  indexTable.resize(count);
  uint32_t want = static_cast<uint32_t>(count * kIndexDescriptorSize);
  if (count > 0 && (!textFile.Read(indexTable.data(), want, &got) || got != want)) {
    Close();
    return OpenResult::kFailed;
  }
  return OpenResult::kOpened;
}

bool BookState::Close() {
  bool closed = textFile.Close();
  openFlag = 0;
  textPath.clear();
  lookUpPath.clear();
  changeSeen = false;
  storedSize = 0;
  indexTable.clear();
  indexTable.shrink_to_fit();
  hitList.clear();
  hitList.shrink_to_fit();
  leafBuffer.clear();
  leafBuffer.shrink_to_fit();
  DropCaches();
  pageCache.shrink_to_fit();
  nearWindow.shrink_to_fit();
  changeWatch.Stop();
  return closed;
}

bool BookState::CachedIndexPage(uint32_t page, uint8_t* out) const {
  if (pageCache.empty() || page == 0) return false;
  const CachedPage& slot = pageCache[page % pageCache.size()];
  if (slot.page != page) return false;
  std::memcpy(out, slot.bytes, kCachedPageSize);
  return true;
}

void BookState::KeepIndexPage(uint32_t page, const uint8_t* bytes) {
  // Only a watch that reports every change can tell when a kept page is no longer the book's.
  if (page == 0 || !changeWatch.ReportsEveryChange()) return;
  if (pageCache.empty()) pageCache.resize(kCachedPages);
  CachedPage& slot = pageCache[page % pageCache.size()];
  slot.page = page;
  std::memcpy(slot.bytes, bytes, kCachedPageSize);
}

bool BookState::ReadNear(uint32_t position, void* out, uint32_t size, uint32_t* got) {
  if (size > kNearWindowSize - (kCachedPageSize - 1) || !changeWatch.ReportsEveryChange()) {
    return textFile.Seek(position) && textFile.Read(out, size, got);
  }
  auto held = [&] {
    if (nearWindow.empty() || position < nearStart) return false;
    uint64_t end = uint64_t{nearStart} + nearWindow.size();
    return uint64_t{position} + size <= end || (nearAtEnd && position <= end);
  };
  if (!held()) {
    nearWindow.resize(kNearWindowSize);
    uint32_t start = position - position % kCachedPageSize, read = 0;
    if (!textFile.Seek(start) || !textFile.Read(nearWindow.data(), kNearWindowSize, &read)) {
      nearWindow.clear();
      return false;
    }
    nearWindow.resize(read);
    nearStart = start;
    nearAtEnd = read < kNearWindowSize;
    if (!held()) {  // the file ends before position
      *got = 0;
      return textFile.Seek(position);
    }
  }
  uint32_t from = position - nearStart;
  *got = std::min<uint32_t>(size, static_cast<uint32_t>(nearWindow.size()) - from);
  std::memcpy(out, nearWindow.data() + from, *got);
  return textFile.Seek(position + *got);
}

void BookState::DropCaches() {
  pageCache.clear();
  nearWindow.clear();
}

uint8_t* BookState::LeafBuffer(size_t size) {
  if (leafBuffer.size() < size) leafBuffer.resize(size);
  return leafBuffer.data();
}

bool BookState::DiscCheck() {
  // A change reported by the watch fails this check once. The look-up of the file and its
  // size follows while the watch cannot vouch for the file: a watch that does not report every
  // change, or one that has reported any change since the book was opened (after which the
  // file may have another size for good).
  if (changeWatch.Check() == ChangeWatch::Poll::kChanged) {
    changeSeen = true;
    DropCaches();
    return false;
  }
  if (changeSeen || !changeWatch.ReportsEveryChange()) {
    uint64_t size = 0;
    // The spelling found at opening serves every look-up; a disc whose names now differ in
    // case is looked up afresh.
    if (!LookUpFileSize(lookUpPath, &size)) {
      if (textPath.empty() || !LookUpFileSize(textPath, &size)) {
        DropCaches();
        return false;
      }
      lookUpPath = SpelledPath(textPath);
    }
    if (size != storedSize) {
      DropCaches();
      return false;
    }
  }
  return openFlag == 1;
}
}  // namespace dunmoor
