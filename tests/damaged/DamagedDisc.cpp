#include "DamagedDisc.h"

#include <algorithm>
#include <cctype>
#include <set>

#include "platform/BookFile.h"

namespace damaged {

namespace fs = std::filesystem;

namespace {

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

// The entry of folder whose name equals name without regard to case; empty when none.
// A name as a disc copied with ISO 9660 names spells it ("HONMON.;1"), without its version and
// its bare dot.
std::string PlainName(std::string name) {
  if (name.size() > 2 && name.compare(name.size() - 2, 2, ";1") == 0) name.resize(name.size() - 2);
  if (name.size() > 1 && name.back() == '.') name.pop_back();
  return name;
}

fs::path FindNoCase(const fs::path& folder, const std::string& name) {
  if (!fs::is_directory(folder)) return {};
  for (const fs::directory_entry& e : fs::directory_iterator(folder))
    if (Lower(PlainName(e.path().filename().string())) == Lower(name)) return e.path();
  return {};
}

}  // namespace

std::vector<std::pair<fs::path, fs::path>> CompressedTestDiscs() {
  std::vector<std::pair<fs::path, fs::path>> pairs;
  for (const auto& [plain, compressed] :
       {std::pair{testfiles::BuiltBook("sample"), testfiles::BuiltBook("sample-ebz0")},
        std::pair{testfiles::BuiltBook("sample"), testfiles::BuiltBook("sample-ebz5")},
        std::pair{testfiles::BuiltBook("freepwing"), testfiles::BuiltBook("freepwing-ebz1")},
        std::pair{testfiles::SharedBook("two-books"), testfiles::SharedBook("two-books-ebzip")}}) {
    if (fs::is_directory(plain) && fs::is_directory(compressed)) pairs.emplace_back(plain, compressed);
  }
  return pairs;
}

std::vector<fs::path> TestDiscs() {
  std::vector<fs::path> discs;
  // The copy of the sample disc with ISO 9660 names (CATALOGS;1, HONMON.;1) as copying tools
  // leave them: every damage found through those names as through the plain ones.
  for (const fs::path& p : {testfiles::BuiltBook("sample"), testfiles::BuiltBook("freepwing"),
                            testfiles::SharedBook("two-books"), testfiles::SharedBook("gaiji-book"),
                            testfiles::BuiltBook("sample-iso-dotversion")}) {
    if (fs::is_directory(p)) discs.push_back(p);
  }
  return discs;
}

DamagedDisc::DamagedDisc(const fs::path& original) {
  testfiles::CopyTree(original, dir.Path());
  catalog = FindNoCase(dir.Path(), "catalogs");
  originalCatalog = testfiles::ReadFile(catalog);
  // The first book's directory name: entry bytes 82-89 of the first entry, spaces removed.
  std::string name;
  for (size_t i = 16 + 82; i < 16 + 90 && i < originalCatalog.size(); ++i)
    if (originalCatalog[i] != ' ' && originalCatalog[i] != 0) name += static_cast<char>(originalCatalog[i]);
  fs::path book = FindNoCase(dir.Path(), name);
  fs::path data = FindNoCase(book, "data");
  text = FindNoCase(data, "honmon");
  if (text.empty()) text = FindNoCase(data, "honmon.ebz");  // a compressed book
  originalText = testfiles::ReadFile(text);
  fs::path gaiji = FindNoCase(book, "gaiji");
  if (!gaiji.empty()) {
    for (const fs::directory_entry& e : fs::directory_iterator(gaiji)) fonts.push_back(e.path());
    std::sort(fonts.begin(), fonts.end());
  }
  for (const fs::path& file : fonts) Write(file, testfiles::ReadFile(file));
  Restore();
}

DamagedDisc::~DamagedDisc() { dunmoor::memoryfiles::Clear(); }

void DamagedDisc::Write(const fs::path& file, const Bytes& bytes) {
  current[file] = bytes;
  dunmoor::memoryfiles::Put(file.string(), bytes);
}

const Bytes& DamagedDisc::Current(const fs::path& file) {
  auto found = current.find(file);
  if (found == current.end()) found = current.emplace(file, testfiles::ReadFile(file)).first;
  return found->second;
}

void DamagedDisc::Restore() {
  Write(text, originalText);
  Write(catalog, originalCatalog);
}

void DamagedDisc::Patch(const fs::path& file, size_t offset, const Bytes& bytes) {
  Bytes content = Current(file);
  for (size_t i = 0; i < bytes.size() && offset + i < content.size(); ++i) content[offset + i] = bytes[i];
  Write(file, content);
}

void DamagedDisc::Truncate(const fs::path& file, size_t size) {
  Bytes content = Current(file);
  content.resize(std::min(size, content.size()));
  Write(file, content);
}

uint32_t BigEndian32(const Bytes& b, size_t at) {
  return uint32_t{b[at]} << 24 | uint32_t{b[at + 1]} << 16 | uint32_t{b[at + 2]} << 8 | b[at + 3];
}

void PutBigEndian32(Bytes* b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) (*b)[at + i] = static_cast<uint8_t>(v >> (24 - 8 * i));
}

std::vector<uint32_t> IndexPages(const Bytes& text, size_t limit) {
  std::vector<uint32_t> pages;
  std::set<uint32_t> seen;
  std::vector<uint32_t> todo;
  size_t count = text.size() >= 2 ? (text[0] << 8 | text[1]) : 0;
  for (size_t d = 0; d < count && 16 + d * 16 + 16 <= text.size(); ++d) {
    uint8_t id = text[16 + d * 16];
    if ((id & 0xF0) == 0x90 || (id & 0xF0) == 0x70) todo.push_back(BigEndian32(text, 16 + d * 16 + 2));
  }
  while (!todo.empty() && pages.size() < limit) {
    uint32_t page = todo.back();
    todo.pop_back();
    if (page < 1 || uint64_t{page} * 2048 > text.size() || !seen.insert(page).second) continue;
    pages.push_back(page);
    size_t at = size_t{page - 1} * 2048;
    if (text[at] & 0x80) continue;  // a leaf page
    size_t keyLength = text[at + 1], entries = text[at + 2] << 8 | text[at + 3];
    for (size_t i = 0, e = at + 4; i < entries && e + keyLength + 4 <= at + 2048; ++i, e += keyLength + 4)
      todo.push_back(BigEndian32(text, e + keyLength));
  }
  return pages;
}

}  // namespace damaged
