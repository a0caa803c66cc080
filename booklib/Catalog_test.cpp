#include "Catalog.h"

#include <gtest/gtest.h>

#include <cstring>

#include "BookFixture.h"
#include "Library.h"
#include "platform/BookFile.h"

namespace dunmoor {
namespace {

using fixture::Entry;
using testfiles::Bytes;
using fixture::FullWidth;
using testfiles::TempDir;

std::string Sep() { return std::string(1, kPathSeparator); }

TEST(Catalog, RootWithAndWithoutSeparatorGiveTheSamePaths) {
  std::string a, b;
  ASSERT_TRUE(MakeRootPrefix("Q:", &a));
  ASSERT_TRUE(MakeRootPrefix("Q:" + Sep(), &b));
  EXPECT_EQ(a, "Q:" + Sep());
  EXPECT_EQ(a, b);
  std::string unused;
  EXPECT_FALSE(MakeRootPrefix("Q", &unused));
  EXPECT_FALSE(MakeRootPrefix("", &unused));
}

TEST(Catalog, RootsTooLongForThePathFieldsAreRefusedNotCut) {
  // The longest root whose text file path (root, an 8-character directory, data, honmon and
  // the zero byte) still fits the 260-byte field.
  std::string longest(239, 'r');
  longest.back() = kPathSeparator;
  std::string prefix;
  EXPECT_TRUE(MakeRootPrefix(longest, &prefix));
  EXPECT_FALSE(MakeRootPrefix(std::string(239, 'r'), &prefix));  // the separator makes it 240
  EXPECT_FALSE(MakeRootPrefix(std::string(5000, 'r'), &prefix));

  Entry e{0x00, FullWidth("LONG"), "LONGNAME"};
  uint8_t entry[kCatalogEntrySize];
  Bytes bytes = fixture::CatalogBytes({e});
  std::memcpy(entry, bytes.data() + kCatalogHeaderSize, sizeof entry);
  CatalogRecord record = MakeCatalogRecord(entry, longest);
  EXPECT_EQ(TextFilePath(record.bookDirectory).size(), kTextPathCapacity - 1);
  EXPECT_EQ(std::string(record.gaijiDirectory), longest + "LONGNAME" + Sep() + "gaiji");
}

TEST(Catalog, RecordFieldsComeFromTheEntry) {
  Entry e{0x20, std::string(80, '\x30'), "ABC     ", "GAI16F00"};
  Bytes bytes = fixture::CatalogBytes({e});
  CatalogRecord record = MakeCatalogRecord(bytes.data() + kCatalogHeaderSize, "Q:" + Sep());
  EXPECT_EQ(record.type, 0x20);
  EXPECT_EQ(std::string(record.title), std::string(80, '\x30'));  // all 80 bytes, zero at 80
  EXPECT_EQ(record.title[80], '\0');
  EXPECT_STREQ(record.bookDirectory, ("Q:" + Sep() + "ABC").c_str());
  EXPECT_STREQ(record.gaijiDirectory, ("Q:" + Sep() + "ABC" + Sep() + "gaiji").c_str());
  EXPECT_EQ(std::memcmp(record.fontNames, "GAI16F00", 8), 0);
  EXPECT_EQ(record.usable, 1);
}

TEST(Catalog, DirectoryNamesLoseEverySpaceAndEndAtAZeroByte) {
  Entry spaced{0x00, "", "A B C"};
  Entry zeroed{0x00, "", std::string("AB\0CD", 5)};
  Bytes bytes = fixture::CatalogBytes({spaced, zeroed});
  CatalogRecord a = MakeCatalogRecord(bytes.data() + 16, "Q:" + Sep());
  CatalogRecord b = MakeCatalogRecord(bytes.data() + 16 + 164, "Q:" + Sep());
  EXPECT_STREQ(a.bookDirectory, ("Q:" + Sep() + "ABC").c_str());
  EXPECT_STREQ(b.bookDirectory, ("Q:" + Sep() + "AB").c_str());
}

TEST(Catalog, DirectoryNamesOutsideTheDiscRootMakeTheBookUnusable) {
  std::vector<Entry> entries;
  for (const char* name : {"..", ".", "../x", "a/b", "a\\b", "C:x", "OK.DIR"})
    entries.push_back(Entry{0x00, "", name});
  Bytes bytes = fixture::CatalogBytes(entries);
  for (size_t i = 0; i < entries.size(); ++i) {
    CatalogRecord record = MakeCatalogRecord(bytes.data() + 16 + 164 * i, "Q:" + Sep());
    EXPECT_EQ(record.usable, i + 1 == entries.size() ? 1 : 0) << entries[i].directory;
  }
}

TEST(Catalog, UsableTypes) {
  for (int type = 0; type < 256; ++type) {
    bool expected = type == 0x00 || type == 0x10 || type == 0x20 || type == 0x30 || type == 0x40 ||
                    type == 0x50 || type == 0x60 || type == 0x70;
    EXPECT_EQ(IsUsableBookType(static_cast<uint8_t>(type)), expected) << type;
  }
}

TEST(Catalog, ShortCatalogStopsAtTheFirstShortRead) {
  TempDir root;
  Bytes bytes = fixture::CatalogBytes({{0x00, "", "ONE"}, {0x00, "", "TWO"}}, 3);
  bytes.resize(bytes.size() - 10);  // the second entry is cut, the third missing
  testfiles::WriteFile(root.Path() / "CATALOGS", bytes);
  BookCatalog catalog;
  ASSERT_EQ(ReadCatalog(root.Str(), &catalog), CatalogResult::kRead);
  ASSERT_EQ(catalog.size(), 1u);
  EXPECT_STREQ(catalog[0].bookDirectory, root.Str("ONE").c_str());
}

TEST(Catalog, MissingCatalogOrHeaderIsNoCatalog) {
  TempDir root;
  BookCatalog catalog;
  EXPECT_EQ(ReadCatalog(root.Str(), &catalog), CatalogResult::kNoCatalog);
  testfiles::WriteFile(root.Path() / "CATALOGS", Bytes(15, 0));
  EXPECT_EQ(ReadCatalog(root.Str(), &catalog), CatalogResult::kNoCatalog);
  EXPECT_TRUE(catalog.empty());
}

TEST(Catalog, CatalogNameMatchesWithoutRegardToCase) {
  TempDir root;
  testfiles::WriteFile(root.Path() / "Catalogs", fixture::CatalogBytes({{0x00, "", "X"}}));
  BookCatalog catalog;
  EXPECT_EQ(ReadCatalog(root.Str(), &catalog), CatalogResult::kRead);
  EXPECT_EQ(catalog.size(), 1u);
}

TEST(IsEpwBook, ReportsTheFirstUsableTitleAndTouchesNoState) {
  TempDir root;
  testfiles::WriteFile(root.Path() / "CATALOGS",
                       fixture::CatalogBytes({{0x01, FullWidth("BAD"), "ONE"}, {0x00, FullWidth("GOOD"), "TWO"}}));
  char title[81];
  std::memset(title, 'x', sizeof title);
  ASSERT_EQ(Library::IsEpwBook(root.Str().c_str(), title), kDunmoorSuccess);
  EXPECT_EQ(std::string(title), FullWidth("GOOD"));
}

TEST(IsEpwBook, RefusesRootsWithoutAUsableBook) {
  TempDir root;
  char title[81] = "unchanged";
  EXPECT_EQ(Library::IsEpwBook(root.Str().c_str(), title), kDunmoorFailed);  // no catalog
  EXPECT_EQ(Library::IsEpwBook("Q", title), kDunmoorFailed);                 // too short
  testfiles::WriteFile(root.Path() / "CATALOGS", fixture::CatalogBytes({{0x01, FullWidth("BAD"), "ONE"}}));
  EXPECT_EQ(Library::IsEpwBook(root.Str().c_str(), title), kDunmoorFailed);
  testfiles::WriteFile(root.Path() / "CATALOGS", fixture::CatalogBytes({{0x00, FullWidth("UP"), ".."}}));
  EXPECT_EQ(Library::IsEpwBook(root.Str().c_str(), title), kDunmoorFailed);
  testfiles::WriteFile(root.Path() / "CATALOGS", fixture::CatalogBytes({{0x00, FullWidth("CUT"), "ONE"}}, 1));
  Bytes cut = fixture::CatalogBytes({}, 1);  // header promises one entry, none follows
  testfiles::WriteFile(root.Path() / "CATALOGS", cut);
  EXPECT_EQ(Library::IsEpwBook(root.Str().c_str(), title), kDunmoorFailed);
  EXPECT_STREQ(title, "unchanged");
}

}  // namespace
}  // namespace dunmoor
