#include "Library.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <cstring>

#include "BookFixture.h"

namespace dunmoor {
namespace {

using fixture::Entry;
using fixture::FullWidth;
using testfiles::Bytes;
using testfiles::TempDir;

TEST(Library, CatalogLevelCallsNeedACatalog) {
  Library lib;
  char title[81] = "untouched";
  BookInfo info{0x77, title};
  EXPECT_EQ(lib.GetBooks(), kFailed);
  EXPECT_EQ(lib.GetBookInfo(0, &info), kFailed);
  EXPECT_EQ(lib.SelectBook(0), kFailed);
  EXPECT_EQ(lib.BooksOpen(), kFailed);
  EXPECT_EQ(info.type, 0x77);
  EXPECT_STREQ(title, "untouched");
  lib.BooksClose();  // nothing open: nothing happens
  lib.CloseEpwing();
}

TEST(Library, OpensTheFirstUsableBookAndReportsTitles) {
  TempDir root;
  fixture::WriteDisc(root, {{0x01, FullWidth("NOPE"), "FIRST"}, {0x00, FullWidth("YES"), "SECOND"}},
                     fixture::TextFileBytes({0x90, 0x01, 0x91}));
  Library lib;
  ASSERT_EQ(lib.OpenEpwing(root.Str().c_str()), kSuccess);
  EXPECT_EQ(lib.GetBooks(), kSuccess);

  char title[81];
  BookInfo info{0, title};
  EXPECT_EQ(lib.GetBookInfo(0, &info), kFailed);  // type 0x01 is not usable
  ASSERT_EQ(lib.GetBookInfo(1, &info), kSuccess);
  EXPECT_EQ(std::string(title), FullWidth("YES"));
  EXPECT_EQ(lib.GetBookInfo(2, &info), kFailed);
  EXPECT_EQ(lib.GetBookInfo(-1, &info), kFailed);

  ASSERT_EQ(lib.BooksOpen(), kSuccess);
  ASSERT_NE(lib.Book(), nullptr);
  EXPECT_EQ(lib.Book()->TextPath(), root.Str("SECOND") + kPathSeparator + "data" + kPathSeparator + "honmon");
  ASSERT_EQ(lib.Book()->Indexes().size(), 3u);
  EXPECT_EQ(lib.Book()->Indexes()[1].Identifier(), 0x01);
  EXPECT_EQ(lib.Book()->Indexes()[2].StartPage(), 4u);
  lib.BooksClose();
  EXPECT_EQ(lib.Book(), nullptr);
  EXPECT_TRUE(lib.HasCatalog());  // closing the book keeps the catalog
}

TEST(Library, SelectBookMakesAnEarlierRecordTheOneToOpen) {
  TempDir root;
  fixture::WriteDisc(root, {{0x01, FullWidth("ONE"), "FIRST"}, {0x00, FullWidth("TWO"), "SECOND"}});
  Library lib;
  ASSERT_EQ(lib.OpenEpwing(root.Str().c_str()), kSuccess);
  EXPECT_EQ(lib.SelectBook(2), kFailed);
  EXPECT_EQ(lib.SelectBook(-1), kFailed);
  ASSERT_EQ(lib.SelectBook(0), kSuccess);
  ASSERT_EQ(lib.BooksOpen(), kSuccess);
  EXPECT_NE(lib.Book()->TextPath().find("FIRST"), std::string::npos);
}

TEST(Library, CatalogWithoutUsableBookLoadsButOpensNothing) {
  TempDir root;
  fixture::WriteDisc(root, {{0x01, "", "FIRST"}, {0xFF, "", "SECOND"}});
  Library lib;
  ASSERT_EQ(lib.OpenEpwing(root.Str().c_str()), kSuccess);
  EXPECT_EQ(lib.BooksOpen(), kFailed);
  EXPECT_EQ(lib.Book(), nullptr);
}

TEST(Library, TwoHundredUsableBooksAreTooMany) {
  TempDir root;
  std::vector<Entry> entries(199, Entry{0x00, "", "BOOK"});
  fixture::WriteDisc(root, entries);
  Library lib;
  ASSERT_EQ(lib.OpenEpwing(root.Str().c_str()), kSuccess);
  EXPECT_EQ(lib.BooksOpen(), kSuccess);
  lib.BooksClose();  // Windows will not replace a file that is open
  entries.push_back(Entry{0x00, "", "BOOK"});
  fixture::WriteDisc(root, entries);
  ASSERT_EQ(lib.OpenEpwing(root.Str().c_str()), kSuccess);
  EXPECT_EQ(lib.BooksOpen(), kFailed);
}

TEST(Library, DamagedTextFilesAreNotOpened) {
  struct Case {
    const char* what;
    Bytes text;
  };
  Bytes table = fixture::TextFileBytes({0x90, 0x91, 0x92}, 1);
  const Case cases[] = {
      {"shorter than its header", Bytes(15, 0)},
      {"descriptor table cut short", Bytes(table.begin(), table.begin() + 16 + 16 * 2 + 5)},
      {"count beyond the file", Bytes{0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    TempDir root;
    fixture::WriteDisc(root, {{0x00, "", "BOOK"}}, c.text);
    Library lib;
    ASSERT_EQ(lib.OpenEpwing(root.Str().c_str()), kSuccess) << c.what;
    EXPECT_EQ(lib.BooksOpen(), kFailed) << c.what;
    EXPECT_EQ(lib.Book(), nullptr) << c.what;
    EXPECT_TRUE(lib.HasCatalog()) << c.what;
  }
  TempDir empty;  // header of an empty table, and nothing after it: a book without indexes
  fixture::WriteDisc(empty, {{0x00, "", "BOOK"}}, Bytes(16, 0));
  Library lib;
  ASSERT_EQ(lib.OpenEpwing(empty.Str().c_str()), kSuccess);
  EXPECT_EQ(lib.BooksOpen(), kSuccess);
  EXPECT_TRUE(lib.Book()->Indexes().empty());
}

TEST(Library, MissingTextFileLeavesTheCatalogWithoutBook) {
  TempDir root;
  testfiles::WriteFile(root.Path() / "CATALOGS", fixture::CatalogBytes({{0x00, "", "BOOK"}}));
  Library lib;
  ASSERT_EQ(lib.OpenEpwing(root.Str().c_str()), kSuccess);
  EXPECT_EQ(lib.BooksOpen(), kFailed);
  EXPECT_EQ(lib.Book(), nullptr);
  EXPECT_EQ(lib.GetBooks(), kSuccess);
}

TEST(Library, FailedOpenEpwingKeepsTheCatalogThatWasThere) {
  TempDir root, none;
  fixture::WriteDisc(root, {{0x00, FullWidth("A"), "BOOK"}});
  Library lib;
  ASSERT_EQ(lib.OpenEpwing(root.Str().c_str()), kSuccess);
  EXPECT_EQ(lib.OpenEpwing(none.Str().c_str()), kFailed);
  EXPECT_EQ(lib.GetBooks(), kSuccess);
  EXPECT_EQ(lib.OpenEpwing(nullptr), kFailed);
  EXPECT_EQ(lib.GetBooks(), kSuccess);
}

TEST(Library, CloseEpwingLeavesTheBookOpen) {
  TempDir root;
  fixture::WriteDisc(root, {{0x00, "", "BOOK"}});
  Library lib;
  ASSERT_EQ(lib.OpenEpwing(root.Str().c_str()), kSuccess);
  ASSERT_EQ(lib.BooksOpen(), kSuccess);
  lib.CloseEpwing();
  EXPECT_FALSE(lib.HasCatalog());
  ASSERT_NE(lib.Book(), nullptr);
  EXPECT_TRUE(lib.Book()->DiscCheck());
  lib.BooksClose();
  lib.BooksClose();
}

// Books kept open in slots beside the library's own (a search of every book of a shelf): the
// exports follow the slot in use, each slot has its own catalog and book, and the library's own
// book stays open throughout.
TEST(BookSlots, TheExportsFollowTheSlotInUseAndTheOwnBookStaysOpen) {
  TempDir own, other;
  fixture::WriteDisc(own, {{0x00, FullWidth("OWN"), "OWNBOOK"}});
  fixture::WriteDisc(other, {{0x01, FullWidth("NOPE"), "FIRST"}, {0x00, FullWidth("OTHER"), "SECOND"}});
  Library& library = TheLibrary();
  ASSERT_EQ(library.OpenEpwing(own.Str().c_str()), kSuccess);
  ASSERT_EQ(library.BooksOpen(), kSuccess);
  auto openText = [] { return TheLibrary().Book() ? TheLibrary().Book()->TextPath() : std::string(); };

  EXPECT_EQ(OpenBookSlot(other.Str().c_str(), 0), kBadArgument) << "not a usable book";
  EXPECT_EQ(OpenBookSlot(other.Str("NOWHERE").c_str(), 1), kFailed);
  EXPECT_EQ(OpenBookSlot(nullptr, 1), kFailed);
  const int32_t slot = OpenBookSlot(other.Str().c_str(), 1);
  ASSERT_GE(slot, 1);
  EXPECT_NE(openText().find("OWNBOOK"), std::string::npos) << "opening a slot uses nothing";

  ASSERT_EQ(UseBookSlot(slot), kSuccess);
  EXPECT_NE(openText().find("SECOND"), std::string::npos);
  EXPECT_EQ(UseBookSlot(slot + 1), kBadArgument);
  EXPECT_NE(openText().find("SECOND"), std::string::npos) << "a refused slot changes nothing";
  ASSERT_EQ(UseBookSlot(0), kSuccess);
  EXPECT_EQ(&TheLibrary(), &library);
  EXPECT_NE(openText().find("OWNBOOK"), std::string::npos);

  // Closing the slot in use goes back to the library's own; the number serves again.
  ASSERT_EQ(UseBookSlot(slot), kSuccess);
  EXPECT_EQ(CloseBookSlot(slot), kSuccess);
  EXPECT_EQ(&TheLibrary(), &library);
  EXPECT_EQ(CloseBookSlot(slot), kBadArgument);
  EXPECT_EQ(UseBookSlot(slot), kBadArgument);
  EXPECT_EQ(CloseBookSlot(0), kBadArgument);
  EXPECT_EQ(CloseBookSlot(-1), kBadArgument);
  EXPECT_EQ(OpenBookSlot(other.Str().c_str(), 1), slot);
  EXPECT_EQ(CloseBookSlot(slot), kSuccess);
  EXPECT_NE(openText().find("OWNBOOK"), std::string::npos);
  library.BooksClose();
  library.CloseEpwing();
}

TEST(Library, DirectoryNamesMatchWithoutRegardToCase) {
  TempDir root;
  testfiles::WriteFile(root.Path() / "catalogs", fixture::CatalogBytes({{0x00, "", "test"}}));
  testfiles::WriteFile(root.Path() / "TEST" / "Data" / "HONMON", fixture::TextFileBytes({0x91}));
  Library lib;
  ASSERT_EQ(lib.OpenEpwing(root.Str().c_str()), kSuccess);
  EXPECT_EQ(lib.BooksOpen(), kSuccess);
}

// The character map is found beside the catalog or in the book's folder, whatever the case of
// its name (the path given names that file: spelled as on disc natively, as the catalog spells
// it on Windows); the path must fit the caller's buffer.
TEST(Library, TheCharacterMapIsFoundBesideTheCatalogOrInTheBook) {
  TempDir root;
  testfiles::WriteFile(root.Path() / "catalogs", fixture::CatalogBytes({{0x00, "", "test"}}));
  testfiles::WriteFile(root.Path() / "TEST" / "DATA" / "HONMON", fixture::TextFileBytes({0x91}));
  Library lib;
  char path[kDunmoorMapPathSize];
  EXPECT_EQ(lib.GetCharacterMap(path, sizeof path), kFailed);  // no book open
  ASSERT_EQ(lib.OpenEpwing(root.Str().c_str()), kSuccess);
  ASSERT_EQ(lib.BooksOpen(), kSuccess);
  EXPECT_EQ(lib.GetCharacterMap(path, sizeof path), kBadArgument);  // none

  testfiles::WriteFile(root.Path() / "TEST" / "Test.MAP", {'h'});
  ASSERT_EQ(lib.GetCharacterMap(path, sizeof path), kSuccess);
  EXPECT_TRUE(std::filesystem::equivalent(path, root.Path() / "TEST" / "Test.MAP")) << path;
  testfiles::WriteFile(root.Path() / "test.map", {'h'});  // beside the catalog comes first
  ASSERT_EQ(lib.GetCharacterMap(path, sizeof path), kSuccess);
  EXPECT_TRUE(std::filesystem::equivalent(path, root.Path() / "test.map")) << path;
  EXPECT_EQ(lib.GetCharacterMap(path, 8), kBadArgument);
  EXPECT_STREQ(path, "");
}

}  // namespace
}  // namespace dunmoor
