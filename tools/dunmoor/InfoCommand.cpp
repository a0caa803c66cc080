#include "InfoCommand.h"

#include <cstdio>
#include <cstring>

#include "BookSession.h"
#include "BookText.h"
#include "Library.h"

namespace cli {

namespace {

std::string Hex(unsigned value, int digits) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "0x%0*X", digits, value);
  return buffer;
}

const char* IndexName(uint8_t id) {
  switch (id) {
    case 0x01: return "menu";
    case 0x90: return "kana word index";
    case 0x91: return "as-is word index";
    case 0x92: return "alphabet word index";
    case 0x70: return "kana word index, backward";
    case 0x71: return "as-is word index, backward";
    case 0x72: return "alphabet word index, backward";
    default: return "not used by the reader";
  }
}

std::string Title(const char* title) {
  return BookTextToUtf8(reinterpret_cast<const uint8_t*>(title), std::strlen(title));
}

}  // namespace

int RunInfo(const Disc& disc, std::ostream& out, std::ostream& err) {
  dunmoor::Library library;
  if (library.OpenEpwing(disc.root.c_str()) != kDunmoorSuccess) {
    err << NoCatalogMessage(disc.root) << "\n";
    return 1;
  }
  const dunmoor::BookCatalog& catalog = *library.Catalog();
  // The record the other commands read: the one --book names, else the first usable one.
  int32_t chosen = disc.book;
  for (size_t i = 0; chosen == Disc::kFirstUsable && i < catalog.size(); ++i)
    if (catalog[i].usable) chosen = static_cast<int32_t>(i);
  std::string prefix;
  dunmoor::MakeRootPrefix(disc.root, &prefix);
  out << "Catalog of " << disc.root << ": " << catalog.size() << (catalog.size() == 1 ? " book" : " books")
      << " (* the book read)\n";
  out << "   #  type  usable  directory  title\n";
  for (size_t i = 0; i < catalog.size(); ++i) {
    const dunmoor::CatalogRecord& record = catalog[i];
    std::string directory = record.bookDirectory;
    if (directory.compare(0, prefix.size(), prefix) == 0) directory.erase(0, prefix.size());
    char line[64];
    std::snprintf(line, sizeof line, "%c%3zu  %s  %-6s  %-9s  ", static_cast<int32_t>(i) == chosen ? '*' : ' ', i,
                  Hex(record.type, 2).c_str(), record.usable ? "yes" : "no", directory.c_str());
    out << line << Title(record.title);
    if (const char* reason = UnreadableReason(dunmoor::BookKind(record))) out << "  (" << reason << ")";
    out << "\n";
  }

  if (int status = OpenBookOfCatalog(&library, disc, err)) {
    out << "No book opened.\n";
    return status;
  }
  const auto& indexes = library.Book()->Indexes();
  out << "Opened book " << library.OpenBookIndex() << ", " << library.Book()->TextFile().StoredPath() << ": " << indexes.size()
      << " index descriptors\n";
  for (const dunmoor::IndexDescriptor& d : indexes) {
    std::string style;
    for (int field = 1; field <= 12; ++field) style += static_cast<char>('0' + d.StyleField(field));
    out << "  " << Hex(d.Identifier(), 2) << "  page " << d.StartPage() << "  style " << style
        << "  available " << int{d.Availability()} << "  switch " << int{d.ConversionSwitch()} << "  "
        << IndexName(d.Identifier()) << "\n";
  }
  return 0;
}

}  // namespace cli
