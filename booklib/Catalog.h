// The disc's catalog: the file "catalogs" at the disc root that lists the books on the disc.
//
// Catalog file, numbers big-endian:
//   header, 16 bytes     0-1  number of entries; 2-15 not read
//   entry, 164 bytes     0    book type (usable: 0x00 0x10 0x20 ... 0x70)
//                        2-81 title, 80 bytes of JIS X 0208, not zero-terminated
//                        82-89 directory name, space-padded
//                        94-95 index page (not used)
//                        100-163 font file names, eight 8-byte fields (external characters)
#ifndef DUNMOOR_BOOKLIB_CATALOG_H
#define DUNMOOR_BOOKLIB_CATALOG_H

#include <cstdint>
#include <string>
#include <vector>

namespace dunmoor {

constexpr size_t kCatalogHeaderSize = 16;
constexpr size_t kCatalogEntrySize = 164;
constexpr size_t kTitleBytes = 80;
constexpr size_t kFontNameBlockBytes = 64;

// Fixed widths of the path fields, zero byte included.
constexpr size_t kBookDirectoryCapacity = 258;
constexpr size_t kGaijiDirectoryCapacity = 256;
constexpr size_t kTextPathCapacity = 260;

struct CatalogRecord {
  uint8_t type = 0;
  char title[kTitleBytes + 1] = {};
  char bookDirectory[kBookDirectoryCapacity] = {};   // root + directory name, no trailing separator
  char gaijiDirectory[kGaijiDirectoryCapacity] = {};  // book directory + separator + "gaiji"
  char fontNames[kFontNameBlockBytes + 1] = {};       // entry bytes 100-163 as stored
  int32_t usable = 0;
};

using BookCatalog = std::vector<CatalogRecord>;

bool IsUsableBookType(uint8_t type);

// The root with a separator appended when it does not end in one. False when the root is
// shorter than 2 characters, or so long that a book directory (8 characters) with its text
// file path would not fit the fixed path fields: such a root is refused rather than cut
// silently into a different path.
bool MakeRootPrefix(const std::string& root, std::string* prefix);

// The path of the text file of a book directory: directory + "data" + "honmon".
std::string TextFilePath(const char* bookDirectory);
// The data directory of a book directory, which the change watch covers.
std::string DataDirectoryPath(const char* bookDirectory);

// Builds the record of one 164-byte catalog entry for a disc whose root prefix is given.
CatalogRecord MakeCatalogRecord(const uint8_t* entry, const std::string& rootPrefix);

enum class CatalogResult { kRead, kNoCatalog };

// Reads the catalog below root. The header must be readable; entries are read up to the
// header's count and the first short read ends the list. kNoCatalog leaves *catalog empty.
CatalogResult ReadCatalog(const std::string& root, BookCatalog* catalog);

// The title (80 bytes and a zero byte) of the first usable entry of the catalog below root,
// reading entries only as far as needed. False when the catalog cannot be read or lists no
// usable book.
bool FindFirstUsableTitle(const std::string& root, char title[kTitleBytes + 1]);

// Kinds of book that the library knows of but does not read (epwGetBookProblem's answers).
enum class UnreadableKind : int32_t { kNone = 0, kCompressedText = 1, kEbFamily = 2 };

// What the disc below root is when it holds no catalog of ours: an EB-family disc (a file
// CATALOG where CATALOGS would be), else kNone.
UnreadableKind DiscKind(const std::string& root);
// What the book of record is when its text cannot be read: a compressed book of the later
// EPWING versions (its data directory holds HONMON2 and neither HONMON nor HONMON.ebz), else
// kNone.
UnreadableKind BookKind(const CatalogRecord& record);

}  // namespace dunmoor

#endif  // DUNMOOR_BOOKLIB_CATALOG_H
