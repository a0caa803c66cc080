#include "BookData.h"

#include <utility>

namespace dunmoor {

BookData::~BookData() = default;

BookData::BookData(BookData&& other) noexcept { *this = std::move(other); }

BookData& BookData::operator=(BookData&& other) noexcept {
  if (this != &other) {
    file = std::move(other.file);
    ebzip = std::move(other.ebzip);
    storedPath = std::move(other.storedPath);
    storedSize = std::exchange(other.storedSize, 0);
    position = std::exchange(other.position, 0);
    // The reader reads through this object's file now.
    if (ebzip) ebzip->SetStoredRead(StoredReader());
  }
  return *this;
}

EbzipReader::StoredRead BookData::StoredReader() {
  return [this](uint64_t offset, void* buffer, uint32_t size, uint32_t* got) {
    return offset <= UINT32_MAX && file.Seek(static_cast<uint32_t>(offset)) && file.Read(buffer, size, got);
  };
}

bool BookData::Open(const std::string& path) {
  Close();
  std::string spelled = SpelledPath(path);
  if (file.Open(spelled)) {
    storedPath = spelled;
  } else {
    spelled = SpelledPath(path + kCompressedSuffix);
    if (!file.Open(spelled)) return false;
    storedPath = spelled;
    ebzip = std::make_unique<EbzipReader>();
  }
  if (!file.Size(&storedSize)) {
    Close();
    return false;
  }
  if (ebzip) {
    if (!ebzip->Open(StoredReader(), storedSize)) {
      Close();
      return false;
    }
  }
  return true;
}

bool BookData::Seek(uint32_t to) {
  if (!ebzip) return file.Seek(to);
  if (!file.IsOpen()) return false;
  position = to;
  return true;
}

bool BookData::Read(void* buffer, uint32_t size, uint32_t* got) {
  if (!ebzip) return file.Read(buffer, size, got);
  if (!file.IsOpen() || !ebzip->Read(position, buffer, size, got)) return false;
  position += *got;
  return true;
}

bool BookData::Size(uint64_t* size) const {
  if (!ebzip) return file.Size(size);
  if (!file.IsOpen()) return false;
  *size = ebzip->OriginalSize();
  return true;
}

bool BookData::Close() {
  ebzip.reset();
  storedPath.clear();
  storedSize = 0;
  position = 0;
  return file.Close();
}

}  // namespace dunmoor
