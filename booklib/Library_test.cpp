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
  EXPECT_EQ(lib.GetBooks(), kDunmoorFailed);
  EXPECT_EQ(lib.GetBookInfo(0, &info), kDunmoorFailed);
  EXPECT_EQ(lib.SelectBook(0), kDunmoorFailed);
  EXPECT_EQ(lib.BooksOpen(), kDunmoorFailed);
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
  ASSERT_EQ(lib.OpenEpwing(root.Str().c_str()), kDunmoorSuccess);
  EXPECT_EQ(lib.GetBooks(), kDunmoorSuccess);

  char title[81];
  BookInfo info{0, title};
  EXPECT_EQ(lib.GetBookInfo(0, &info), kDunmoorFailed);  // type 0x01 is not usable
  ASSERT_EQ(lib.GetBookInfo(1, &info), kDunmoorSuccess);
  EXPECT_EQ(std::string(title), FullWidth("YES"));
  EXPECT_EQ(lib.GetBookInfo(2, &info), kDunmoorFailed);
  EXPECT_EQ(lib.GetBookInfo(-1, &info), kDunmoorFailed);

  ASSERT_EQ(lib.BooksOpen(), kDunmoorSuccess);
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
  ASSERT_EQ(lib.OpenEpwing(root.Str().c_str()), kDunmoorSuccess);
  EXPECT_EQ(lib.SelectBook(2), kDunmoorFailed);
  EXPECT_EQ(lib.SelectBook(-1), kDunmoorFailed);
  ASSERT_EQ(lib.SelectBook(0), kDunmoorSuccess);
  ASSERT_EQ(lib.BooksOpen(), kDunmoorSuccess);
  EXPECT_NE(lib.Book()->TextPath().find("FIRST"), std::string::npos);
}

TEST(Library, CatalogWithoutUsableBookLoadsButOpensNothing) {
  TempDir root;
  fixture::WriteDisc(root, {{0x01, "", "FIRST"}, {0xFF, "", "SECOND"}});
  Library lib;
  ASSERT_EQ(lib.OpenEpwing(root.Str().c_str()), kDunmoorSuccess);
  EXPECT_EQ(lib.BooksOpen(), kDunmoorFailed);
  EXPECT_EQ(lib.Book(), nullptr);
}

TEST(Library, TwoHundredUsableBooksAreTooMany) {
  TempDir root;
  std::vector<Entry> entries(199, Entry{0x00, "", "BOOK"});
  fixture::WriteDisc(root, entries);
  Library lib;
  ASSERT_EQ(lib.OpenEpwing(root.Str().c_str()), kDunmoorSuccess);
  EXPECT_EQ(lib.BooksOpen(), kDunmoorSuccess);
  lib.BooksClose();  // Windows will not replace a file that is open
  entries.push_back(Entry{0x00, "", "BOOK"});
  fixture::WriteDisc(root, entries);
  ASSERT_EQ(lib.OpenEpwing(root.Str().c_str()), kDunmoorSuccess);
  EXPECT_EQ(lib.BooksOpen(), kDunmoorFailed);
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
    ASSERT_EQ(lib.OpenEpwing(root.Str().c_str()), kDunmoorSuccess) << c.what;
    EXPECT_EQ(lib.BooksOpen(), kDunmoorFailed) << c.what;
    EXPECT_EQ(lib.Book(), nullptr) << c.what;
    EXPECT_TRUE(lib.HasCatalog()) << c.what;
  }
  TempDir empty;  // header of an empty table, and nothing after it: a book without indexes
  fixture::WriteDisc(empty, {{0x00, "", "BOOK"}}, Bytes(16, 0));
  Library lib;
  ASSERT_EQ(lib.OpenEpwing(empty.Str().c_str()), kDunmoorSuccess);
  EXPECT_EQ(lib.BooksOpen(), kDunmoorSuccess);
  EXPECT_TRUE(lib.Book()->Indexes().empty());
}

TEST(Library, MissingTextFileLeavesTheCatalogWithoutBook) {
  TempDir root;
  testfiles::WriteFile(root.Path() / "CATALOGS", fixture::CatalogBytes({{0x00, "", "BOOK"}}));
  Library lib;
  ASSERT_EQ(lib.OpenEpwing(root.Str().c_str()), kDunmoorSuccess);
  EXPECT_EQ(lib.BooksOpen(), kDunmoorFailed);
  EXPECT_EQ(lib.Book(), nullptr);
  EXPECT_EQ(lib.GetBooks(), kDunmoorSuccess);
}

TEST(Library, FailedOpenEpwingKeepsTheCatalogThatWasThere) {
  TempDir root, none;
  fixture::WriteDisc(root, {{0x00, FullWidth("A"), "BOOK"}});
  Library lib;
  ASSERT_EQ(lib.OpenEpwing(root.Str().c_str()), kDunmoorSuccess);
  EXPECT_EQ(lib.OpenEpwing(none.Str().c_str()), kDunmoorFailed);
  EXPECT_EQ(lib.GetBooks(), kDunmoorSuccess);
  EXPECT_EQ(lib.OpenEpwing(nullptr), kDunmoorFailed);
  EXPECT_EQ(lib.GetBooks(), kDunmoorSuccess);
}

TEST(Library, CloseEpwingLeavesTheBookOpen) {
  TempDir root;
  fixture::WriteDisc(root, {{0x00, "", "BOOK"}});
  Library lib;
  ASSERT_EQ(lib.OpenEpwing(root.Str().c_str()), kDunmoorSuccess);
  ASSERT_EQ(lib.BooksOpen(), kDunmoorSuccess);
  lib.CloseEpwing();
  EXPECT_FALSE(lib.HasCatalog());
  ASSERT_NE(lib.Book(), nullptr);
  EXPECT_TRUE(lib.Book()->DiscCheck());
  lib.BooksClose();
  lib.BooksClose();
}

// Books kept open in slots beside the library's own (a search of every book of a shelf): each
// slot has its own catalog and book, the slot-taking exports work on the slot they are given and
// on nothing else, and the library's own book (slot 0) stays open throughout.
TEST(BookSlots, EachSlotIsABookOfItsOwnAndTheOwnBookStaysOpen) {
  TempDir own, other;
  fixture::WriteDisc(own, {{0x00, FullWidth("OWN"), "OWNBOOK"}});
  fixture::WriteDisc(other, {{0x01, FullWidth("NOPE"), "FIRST"}, {0x00, FullWidth("OTHER"), "SECOND"}});
  Library& library = TheLibrary();
  ASSERT_EQ(library.OpenEpwing(own.Str().c_str()), kDunmoorSuccess);
  ASSERT_EQ(library.BooksOpen(), kDunmoorSuccess);
  auto textOf = [](int32_t slot) {
    Library* held = BookSlot(slot);
    return held && held->Book() ? held->Book()->TextPath() : std::string();
  };

  EXPECT_EQ(epwOpenBookSlot(other.Str().c_str(), 0), kDunmoorRefused) << "not a usable book";
  EXPECT_EQ(epwOpenBookSlot(other.Str("NOWHERE").c_str(), 1), kDunmoorFailed);
  EXPECT_EQ(epwOpenBookSlot(nullptr, 1), kDunmoorFailed);
  const int32_t slot = epwOpenBookSlot(other.Str().c_str(), 1);
  ASSERT_GE(slot, 1);
  EXPECT_NE(textOf(slot).find("SECOND"), std::string::npos);
  EXPECT_EQ(BookSlot(0), &library);
  EXPECT_NE(textOf(0).find("OWNBOOK"), std::string::npos) << "opening a slot changes nothing else";

  // The slot-taking forms reach the slot's book; a number that is no open slot has no book.
  EXPECT_GT(epwSlotGetSearchModes(slot), 0);
  EXPECT_GT(epwSlotGetSearchModes(0), 0);
  EXPECT_EQ(epwSlotGetSearchModes(slot + 1), kDunmoorFailed);
  EXPECT_EQ(epwSlotGetSearchModes(-1), kDunmoorFailed);
  DunmoorHit hit = {};
  EXPECT_EQ(epwSlotGetHit(slot, 0, &hit), kDunmoorRefused) << "no search yet, no hit";
  EXPECT_EQ(epwSlotGetHit(slot + 1, 0, &hit), kDunmoorFailed);

  // Closing a slot leaves the library's own; the number serves again.
  EXPECT_EQ(epwCloseBookSlot(slot), kDunmoorSuccess);
  EXPECT_EQ(BookSlot(slot), nullptr);
  EXPECT_EQ(epwCloseBookSlot(slot), kDunmoorRefused);
  EXPECT_EQ(epwSlotGetSearchModes(slot), kDunmoorFailed);
  EXPECT_EQ(epwCloseBookSlot(0), kDunmoorRefused);
  EXPECT_EQ(epwCloseBookSlot(-1), kDunmoorRefused);
  EXPECT_EQ(epwOpenBookSlot(other.Str().c_str(), 1), slot);
  EXPECT_EQ(epwCloseBookSlot(slot), kDunmoorSuccess);
  EXPECT_NE(textOf(0).find("OWNBOOK"), std::string::npos);
  library.BooksClose();
  library.CloseEpwing();
}

TEST(Library, DirectoryNamesMatchWithoutRegardToCase) {
  TempDir root;
  testfiles::WriteFile(root.Path() / "catalogs", fixture::CatalogBytes({{0x00, "", "test"}}));
  testfiles::WriteFile(root.Path() / "TEST" / "Data" / "HONMON", fixture::TextFileBytes({0x91}));
  Library lib;
  ASSERT_EQ(lib.OpenEpwing(root.Str().c_str()), kDunmoorSuccess);
  EXPECT_EQ(lib.BooksOpen(), kDunmoorSuccess);
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
  EXPECT_EQ(lib.GetCharacterMap(path, sizeof path), kDunmoorFailed);  // no book open
  ASSERT_EQ(lib.OpenEpwing(root.Str().c_str()), kDunmoorSuccess);
  ASSERT_EQ(lib.BooksOpen(), kDunmoorSuccess);
  EXPECT_EQ(lib.GetCharacterMap(path, sizeof path), kDunmoorRefused);  // none

  testfiles::WriteFile(root.Path() / "TEST" / "Test.MAP", {'h'});
  ASSERT_EQ(lib.GetCharacterMap(path, sizeof path), kDunmoorSuccess);
  EXPECT_TRUE(std::filesystem::equivalent(path, root.Path() / "TEST" / "Test.MAP")) << path;
  testfiles::WriteFile(root.Path() / "test.map", {'h'});  // beside the catalog comes first
  ASSERT_EQ(lib.GetCharacterMap(path, sizeof path), kDunmoorSuccess);
  EXPECT_TRUE(std::filesystem::equivalent(path, root.Path() / "test.map")) << path;
  EXPECT_EQ(lib.GetCharacterMap(path, 8), kDunmoorRefused);
  EXPECT_STREQ(path, "");
}

}  // namespace
}  // namespace dunmoor
