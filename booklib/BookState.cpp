#include "BookState.h"

#include "Catalog.h"
#include "TextFormat.h"

namespace dunmoor {

uint32_t IndexDescriptor::StartPage() const { return text::ReadBigEndian32(bytes + 2); }

unsigned IndexDescriptor::StyleField(int field) const {
  if (field < 1 || field > 12) return 0;
  int bit = (field - 1) * 2;  // from the top of byte 11
  uint8_t byte = bytes[11 + bit / 8];
  return (byte >> (6 - bit % 8)) & 0x3u;
}

BookState::OpenResult BookState::Open(const char* bookDirectory) {
  changeWatch.Start(DataDirectoryPath(bookDirectory));
  std::string path = TextFilePath(bookDirectory);
  if (path.size() >= kTextPathCapacity || !textFile.Open(path)) {
    Close();
    return OpenResult::kFailed;
  }
  textPath = path;
  if (!textFile.Size(&textSize)) {
    Close();
    return OpenResult::kFailed;
  }
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
  textSize = 0;
  indexTable.clear();
  indexTable.shrink_to_fit();
  hitList.clear();
  hitList.shrink_to_fit();
  changeWatch.Stop();
  return closed;
}

bool BookState::DiscCheck() {
  uint64_t size = 0;
  if (!LookUpFileSize(textPath, &size) || size != textSize) return false;
  return changeWatch.Check() != ChangeWatch::Poll::kChanged;
}

}  // namespace dunmoor
