#include "Catalog.h"

#include <cstring>

#include "TextFormat.h"
#include "platform/BookFile.h"

namespace dunmoor {

namespace {

constexpr size_t kTypeOffset = 0;
constexpr size_t kTitleOffset = 2;
constexpr size_t kDirectoryOffset = 82;
constexpr size_t kDirectoryBytes = 8;
constexpr size_t kFontNamesOffset = 100;

constexpr char kCatalogName[] = "catalogs";
constexpr char kDataName[] = "data";
constexpr char kTextName[] = "honmon";
constexpr char kGaijiName[] = "gaiji";

// The longest suffix that a root prefix carries in a record: directory name, separator,
// "data", separator, "honmon", zero byte.
constexpr size_t kLongestSuffix = kDirectoryBytes + 1 + sizeof(kDataName) - 1 + 1 + sizeof(kTextName);

void CopyBounded(char* to, size_t capacity, const std::string& from) {
  size_t n = from.size() < capacity - 1 ? from.size() : capacity - 1;
  std::memcpy(to, from.data(), n);
  to[n] = '\0';
}

bool OpenCatalog(const std::string& root, BookFile* file) {
  std::string prefix;
  return MakeRootPrefix(root, &prefix) && file->Open(prefix + kCatalogName);
}

bool ReadExactly(BookFile* file, uint8_t* buffer, uint32_t size) {
  uint32_t got = 0;
  return file->Read(buffer, size, &got) && got == size;
}

}  // namespace

bool IsUsableBookType(uint8_t type) {
  switch (type) {
    case 0x00: case 0x10: case 0x20: case 0x30: case 0x40: case 0x50: case 0x60: case 0x70:
      return true;
    default:
      return false;
  }
}

bool MakeRootPrefix(const std::string& root, std::string* prefix) {
  if (root.size() < 2) return false;
  std::string p = root;
  if (p.back() != kPathSeparator) p.push_back(kPathSeparator);
  if (p.size() + kLongestSuffix > kTextPathCapacity) return false;
  *prefix = std::move(p);
  return true;
}

std::string DataDirectoryPath(const char* bookDirectory) {
  return std::string(bookDirectory) + kPathSeparator + kDataName;
}

std::string TextFilePath(const char* bookDirectory) {
  return DataDirectoryPath(bookDirectory) + kPathSeparator + kTextName;
}

namespace {

// The directory name: 8 bytes, a zero byte ends it, every space is taken out.
std::string EntryDirectoryName(const uint8_t* entry) {
  std::string name;
  for (size_t i = 0; i < kDirectoryBytes && entry[kDirectoryOffset + i] != 0; ++i) {
    char c = static_cast<char>(entry[kDirectoryOffset + i]);
    if (c != ' ') name.push_back(c);
  }
  return name;
}

// A book lives in a directory right below the disc root: a name that climbs out of the disc
// ("..") or reaches into another directory or drive names no book of this disc.
bool NamesADirectoryBelowTheRoot(const std::string& name) {
  if (name == "." || name == "..") return false;
  return name.find_first_of("/\\:") == std::string::npos;
}

bool EntryIsUsable(const uint8_t* entry) {
  return IsUsableBookType(entry[kTypeOffset]) && NamesADirectoryBelowTheRoot(EntryDirectoryName(entry));
}

}  // namespace

CatalogRecord MakeCatalogRecord(const uint8_t* entry, const std::string& rootPrefix) {
  CatalogRecord record;
  record.type = entry[kTypeOffset];
  std::memcpy(record.title, entry + kTitleOffset, kTitleBytes);
  record.title[kTitleBytes] = '\0';

  std::string name = EntryDirectoryName(entry);
  std::string bookDirectory = rootPrefix + name;
  CopyBounded(record.bookDirectory, sizeof record.bookDirectory, bookDirectory);
  CopyBounded(record.gaijiDirectory, sizeof record.gaijiDirectory,
              bookDirectory + kPathSeparator + kGaijiName);
  std::memcpy(record.fontNames, entry + kFontNamesOffset, kFontNameBlockBytes);
  record.fontNames[kFontNameBlockBytes] = '\0';
  record.usable = EntryIsUsable(entry) ? 1 : 0;
  return record;
}

CatalogResult ReadCatalog(const std::string& root, BookCatalog* catalog) {
  catalog->clear();
  std::string prefix;
  BookFile file;
  if (!MakeRootPrefix(root, &prefix) || !file.Open(prefix + kCatalogName)) return CatalogResult::kNoCatalog;
  uint8_t header[kCatalogHeaderSize];
  if (!ReadExactly(&file, header, sizeof header)) return CatalogResult::kNoCatalog;
  unsigned count = text::ReadBigEndian16(header);
  uint8_t entry[kCatalogEntrySize];
  for (unsigned i = 0; i < count && ReadExactly(&file, entry, sizeof entry); ++i) {
    catalog->push_back(MakeCatalogRecord(entry, prefix));
  }
  return CatalogResult::kRead;
}

bool FindFirstUsableTitle(const std::string& root, char title[kTitleBytes + 1]) {
  BookFile file;
  if (!OpenCatalog(root, &file)) return false;
  uint8_t header[kCatalogHeaderSize];
  if (!ReadExactly(&file, header, sizeof header)) return false;
  unsigned count = text::ReadBigEndian16(header);
  uint8_t entry[kCatalogEntrySize];
  for (unsigned i = 0; i < count && ReadExactly(&file, entry, sizeof entry); ++i) {
    if (EntryIsUsable(entry)) {
      std::memcpy(title, entry + kTitleOffset, kTitleBytes);
      title[kTitleBytes] = '\0';
      return true;
    }
  }
  return false;
}

namespace {

constexpr char kEbCatalogName[] = "catalog";
constexpr char kCompressedTextName[] = "honmon2";

bool FileThere(const std::string& path) {
  uint64_t size = 0;
  return LookUpFileSize(path, &size);
}

}  // namespace

UnreadableKind DiscKind(const std::string& root) {
  std::string prefix;
  if (!MakeRootPrefix(root, &prefix) || FileThere(prefix + kCatalogName)) return UnreadableKind::kNone;
  return FileThere(prefix + kEbCatalogName) ? UnreadableKind::kEbFamily : UnreadableKind::kNone;
}

UnreadableKind BookKind(const CatalogRecord& record) {
  const std::string text = TextFilePath(record.bookDirectory);
  if (FileThere(text) || FileThere(text + ".ebz")) return UnreadableKind::kNone;
  return FileThere(DataDirectoryPath(record.bookDirectory) + kPathSeparator + kCompressedTextName)
             ? UnreadableKind::kCompressedText
             : UnreadableKind::kNone;
}

}  // namespace dunmoor
