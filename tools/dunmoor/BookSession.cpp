#include "BookSession.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <sstream>

#include "platform/PathText.h"

namespace cli {

const char* UnreadableReason(dunmoor::UnreadableKind kind) {
  switch (kind) {
    case dunmoor::UnreadableKind::kCompressedText:
      return "a compressed EPWING book (its text file is HONMON2), which this reader does not read";
    case dunmoor::UnreadableKind::kEbFamily:
      return "a disc of the EB family (a file CATALOG, not CATALOGS), which this reader does not read";
    default:
      return nullptr;
  }
}

namespace {

// Why the book of catalog record index does not open, when it is of a kind not read.
bool SayWhyNot(const dunmoor::Library& library, size_t index, const std::string& root, std::ostream& err) {
  if (index >= library.Catalog()->size()) return false;
  const char* reason = UnreadableReason(dunmoor::BookKind((*library.Catalog())[index]));
  if (!reason) return false;
  err << "dunmoor: book " << index << " of the catalog at " << root << " is " << reason << "\n";
  return true;
}

}  // namespace

std::string NoCatalogMessage(const std::string& root) {
  if (const char* reason = UnreadableReason(dunmoor::DiscKind(root))) return "dunmoor: " + root + " is " + reason;
  std::error_code error;
  if (!std::filesystem::is_directory(std::filesystem::u8path(root), error))
    return "dunmoor: no such directory: " + root;
  std::string prefix;
  if (!dunmoor::MakeRootPrefix(root, &prefix)) return "dunmoor: the path is too long for a disc root: " + root;
  std::string found = dunmoor::SpelledPath(prefix + "catalogs");
  if (!std::filesystem::is_regular_file(std::filesystem::u8path(found), error))
    return "dunmoor: no catalog (a file named CATALOGS) in " + root;
  return "dunmoor: the catalog " + found + " cannot be read (shorter than its 16-byte header?)";
}

int OpenBook(dunmoor::Library* library, const Disc& disc, std::ostream& err) {
  if (library->OpenEpwing(disc.root.c_str()) != kDunmoorSuccess) {
    err << NoCatalogMessage(disc.root) << "\n";
    return 1;
  }
  return OpenBookOfCatalog(library, disc, err);
}

int OpenBookOfCatalog(dunmoor::Library* library, const Disc& disc, std::ostream& err) {
  if (disc.book == Disc::kFirstUsable) {
    if (library->BooksOpen() == kDunmoorSuccess) return 0;
    const dunmoor::BookCatalog& catalog = *library->Catalog();
    for (size_t i = 0; i < catalog.size(); ++i)
      if (catalog[i].usable) {
        if (SayWhyNot(*library, i, disc.root, err)) return 1;
        break;
      }
    err << "dunmoor: the catalog at " << disc.root
        << " lists no usable book that opens (its text file is missing or damaged)\n";
    return 1;
  }
  size_t records = library->Catalog()->size();
  if (disc.book < 0 || static_cast<size_t>(disc.book) >= records) {
    err << "dunmoor: the catalog at " << disc.root << " has no book " << disc.book << " (it lists " << records
        << (records == 1 ? " book, number 0" : " books, numbers 0 to " + std::to_string(records - 1)) << ")\n";
    return 2;
  }
  switch (library->BooksOpenAt(disc.book)) {
    case kDunmoorSuccess:
      return 0;
    case kDunmoorRefused:
      err << "dunmoor: book " << disc.book << " of the catalog at " << disc.root << " is not usable\n";
      return 1;
    default:
      if (SayWhyNot(*library, static_cast<size_t>(disc.book), disc.root, err)) return 1;
      err << "dunmoor: book " << disc.book << " of the catalog at " << disc.root
          << " does not open (its text file is missing or damaged)\n";
      return 1;
  }
}

booktext::GaijiMap BookCharacterMap(const dunmoor::Library& library) {
  char path[kDunmoorMapPathSize];
  if (library.GetCharacterMap(path, sizeof path) != kDunmoorSuccess) return {};
  std::string text;
  if (!ReadPathFile(path, &text)) return {};
  return booktext::GaijiMap::Parse(text);
}

bool ReadPathFile(const std::string& path, std::string* bytes) {
  std::FILE* file = OpenPathFile(path, "rb");
  if (!file) return false;
  bytes->clear();
  char buffer[4096];
  for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) bytes->append(buffer, got);
  const bool read = !std::ferror(file);
  std::fclose(file);
  return read;
}

std::FILE* OpenPathFile(const std::string& path, const char* mode) {
#ifdef _WIN32
  std::wstring wide, wideMode;
  if (!dunmoor::PathToWide(path, &wide) || !dunmoor::PathToWide(mode, &wideMode)) return nullptr;
  return _wfopen(wide.c_str(), wideMode.c_str());
#else
  return std::fopen(path.c_str(), mode);
#endif
}

bool ParseNumber(const std::string& text, uint32_t max, uint32_t* value) {
  if (text.empty() || text.size() > 10) return false;
  uint64_t v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + static_cast<unsigned>(c - '0');
  }
  if (v > max) return false;
  *value = static_cast<uint32_t>(v);
  return true;
}

bool ReadCodeBlock(dunmoor::Library* library, uint32_t position, std::vector<char>* block, std::ostream& err) {
  block->assign(kCodeBlockSize + 2, 0);  // always ends with zero bytes
  uint32_t length = 0;
  if (library->Links().GetLinkContByPt(static_cast<int32_t>(position), block->data(), kCodeBlockSize, &length) < 0) {
    err << "dunmoor: the text at " << position << " cannot be read (or the disc changed)\n";
    return false;
  }
  return true;
}

bool WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes, std::ostream& err) {
  errno = 0;
  std::FILE* file = OpenPathFile(path, "wb");
  bool written = file && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  int reason = errno;
  if (file && std::fclose(file) != 0 && written) {
    written = false;
    reason = errno;
  }
  if (!written) {
    err << "dunmoor: cannot write " << path << ": " << (reason ? std::strerror(reason) : "write failed") << "\n";
    return false;
  }
  return true;
}

int OpenCodeBlockAt(dunmoor::Library* library, const Disc& disc, const std::string& position, uint32_t* at,
                    std::vector<char>* block, std::ostream& err) {
  if (!ParseNumber(position, INT32_MAX, at)) {
    err << "dunmoor: the position must be a decimal byte offset, 0 to 2147483647: " << position << "\n";
    return 2;
  }
  if (int status = OpenBook(library, disc, err)) return status;
  if (!ReadCodeBlock(library, *at, block, err)) return 1;
  return 0;
}

}  // namespace cli
