// A data file of a book (the text file, a font file) as the readers see it: the file as
// stored, or, when only NAME.ebz is there, its EBZIP-compressed form read as the original.
// Positions and sizes are always the original file's; the stored file is what the disc check
// looks at.
#ifndef DUNMOOR_BOOKLIB_BOOKDATA_H
#define DUNMOOR_BOOKLIB_BOOKDATA_H

#include <cstdint>
#include <memory>
#include <string>

#include "Ebzip.h"
#include "platform/BookFile.h"

namespace dunmoor {

constexpr char kCompressedSuffix[] = ".ebz";

class BookData {
 public:
  BookData() = default;
  ~BookData();
  BookData(BookData&& other) noexcept;
  BookData& operator=(BookData&& other) noexcept;

  // Opens path, or path + ".ebz" when there is no such file (names matched as the file system
  // matches them). False when neither opens, or the compressed file is damaged at its start.
  bool Open(const std::string& path);
  bool IsOpen() const { return file.IsOpen(); }
  bool IsCompressed() const { return ebzip != nullptr; }

  bool Seek(uint32_t to);
  // As BookFile::Read, in the original file's bytes.
  bool Read(void* buffer, uint32_t size, uint32_t* got);
  // The original file's size.
  bool Size(uint64_t* size) const;
  bool Close();

  // The file that was opened, as the file system spells it, and its size on disc.
  const std::string& StoredPath() const { return storedPath; }
  uint64_t StoredSize() const { return storedSize; }

 private:
  EbzipReader::StoredRead StoredReader();

  BookFile file;
  std::unique_ptr<EbzipReader> ebzip;
  std::string storedPath;
  uint64_t storedSize = 0;
  uint64_t position = 0;  // in the original file, for a compressed one
};

}  // namespace dunmoor

#endif  // DUNMOOR_BOOKLIB_BOOKDATA_H
