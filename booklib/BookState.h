// The open book: its text file (HONMON), the change watch on its data directory, the index
// table read from the start of the text file, and the disc check made before every read.
//
// Start of the text file, numbers big-endian:
//   header, 16 bytes         0-1  number of index descriptors
//   descriptor, 16 bytes     0    index identifier (0x01 menu; 0x90/0x91/0x92 kana, as-is,
//                                 alphabet word index; 0x70/0x71/0x72 their backward twins)
//                            2-5  start page: the index begins at (page - 1) * 2048
//                            6-9  page count (read for the text area, identifier 0x00)
//                            10   availability (1: every IndexStyle field counts as 0)
//                            11-13 IndexStyle, twelve 2-bit fields, first in the top bits
//                            15   conversion switch (3: keys are not converted)
#ifndef DUNMOOR_BOOKLIB_BOOKSTATE_H
#define DUNMOOR_BOOKLIB_BOOKSTATE_H

#include <cstdint>
#include <string>
#include <vector>

#include "BookData.h"

namespace dunmoor {

constexpr size_t kIndexHeaderSize = 16;
constexpr size_t kIndexDescriptorSize = 16;
constexpr size_t kCachedPageSize = 2048;
constexpr size_t kCachedPages = 64;  // 128 KiB
constexpr uint32_t kNearWindowSize = 8192;

struct IndexDescriptor {
  uint8_t bytes[kIndexDescriptorSize];

  uint8_t Identifier() const { return bytes[0]; }
  uint32_t StartPage() const;
  uint32_t PageCount() const;
  uint8_t Availability() const { return bytes[10]; }
  // IndexStyle field 1..12 (2 bits each).
  unsigned StyleField(int field) const;
  uint8_t ConversionSwitch() const { return bytes[15]; }
};

// One hit of a search. A full-text hit also says where the word lies in its entry: the text
// position of the word's first byte and its length in bytes (control codes inside included);
// the length is 0 for the hits of the other searches.
struct HitRecord {
  uint32_t textPosition;
  uint32_t headingPosition;
  uint32_t seen;
  uint32_t matchPosition;
  uint32_t matchLength;
};

class BookState {
 public:
  enum class OpenResult { kOpened, kFailed };

  // Opens the book in bookDirectory: starts the change watch on its data directory, opens the
  // text file and reads the index table. On kFailed nothing stays open.
  OpenResult Open(const char* bookDirectory);
  // Closes the text file; false when closing it failed (the book counts as closed anyway).
  bool Close();
  bool IsOpen() const { return openFlag == 1; }

  // The check made before every read of the text file: the file is still there with the size
  // it had at opening, and nothing under the data directory changed since the last check.
  // A change is reported by exactly one failed check; a file of another size, or none, fails
  // every check.
  bool DiscCheck();

  BookData& TextFile() { return textFile; }
  const std::vector<IndexDescriptor>& Indexes() const { return indexTable; }
  std::vector<HitRecord>& Hits() { return hitList; }
  // Working space of searches that combine several scans (kept, so that searches one after the
  // other do not allocate afresh): hits of a further scan, and the slots of position sets.
  std::vector<HitRecord>& ScratchHits() { return scratchHits; }
  std::vector<uint32_t>& ScratchSlots(size_t which) {
    if (scratchSlots.size() <= which) scratchSlots.resize(which + 1);
    return scratchSlots[which];
  }
  const std::string& TextPath() const { return textPath; }
  // The buffer into which searches read leaf pages, size bytes, kept while the book is open.
  uint8_t* LeafBuffer(size_t size);
  // A small cache of index node pages (the upper levels that every search walks): true with
  // the page copied to out when it is held. Pages are kept only while the change watch reports
  // every change; the cache is emptied by every disc check that fails and when the book closes.
  bool CachedIndexPage(uint32_t page, uint8_t* out) const;
  void KeepIndexPage(uint32_t page, const uint8_t* bytes);
  // Reads size bytes (at most kNearWindowSize - 2047) at position, as a seek and a read of the
  // text file would, leaving the file after the bytes read; made after a disc check that passed.
  // The bytes come from a window of the text file kept from an earlier call when it holds them
  // (the headings of one search lie close together), else the window is read afresh there. It
  // is kept only while the change watch reports every change, and dropped like the page cache.
  bool ReadNear(uint32_t position, void* out, uint32_t size, uint32_t* got);
  // True while the page cache and the heading window are used: the change watch vouches for
  // every change of the book's files.
  bool KeepsPages() const { return changeWatch.ReportsEveryChange(); }
  // SearchMode of the last search (0 exact, 1 prefix, 2 suffix).
  int32_t LastSearchMode() const { return searchMode; }
  void SetSearchMode(int32_t mode) { searchMode = mode; }

 private:
  void DropCaches();

  BookData textFile;
  ChangeWatch changeWatch;
  int32_t openFlag = 0;
  int32_t searchMode = 0;
  std::vector<IndexDescriptor> indexTable;
  std::vector<HitRecord> hitList;
  std::vector<HitRecord> scratchHits;
  std::vector<std::vector<uint32_t>> scratchSlots;
  std::vector<uint8_t> leafBuffer;
  struct CachedPage {
    uint32_t page = 0;  // 0: empty (pages count from 1)
    uint8_t bytes[kCachedPageSize];
  };
  std::vector<CachedPage> pageCache;  // direct-mapped by page number
  std::vector<uint8_t> nearWindow;     // bytes of the text file from nearStart (empty: none)
  uint32_t nearStart = 0;
  bool nearAtEnd = false;              // the window ends where the text file ends
  std::string textPath;    // as the library builds it from the catalog (+ ".ebz" when compressed)
  std::string lookUpPath;  // the stored file, as the file system spells it
  bool changeSeen = false;  // the watch has reported a change since the book was opened
  uint64_t storedSize = 0;  // of the stored file, as the disc check sees it
};

}  // namespace dunmoor

#endif  // DUNMOOR_BOOKLIB_BOOKSTATE_H
