#include "ShelfBooks.h"

#include <gtest/gtest.h>

namespace brisvane {
namespace {

TEST(ShelfBooks, ShortNamesAreCutTitles) {
  EXPECT_EQ(ShortName(L"和英サンプル辞典"), L"和英サンプル辞典");
  EXPECT_EQ(ShortName(L"　大きな国語辞典　第三版"), L"大きな国語辞典…");
  EXPECT_EQ(ShortName(L"[和英辞典　ＥＤＩＣＴ]"), L"[和英辞典…");  // cut where the word ends
  EXPECT_EQ(ShortName(L"Chimei"), L"Chimei");
  EXPECT_EQ(ShortName(L"   "), L"?");
  EXPECT_EQ(ShortName(std::wstring(L"地\0名\t図", 5)), L"地 名 図") << "nothing that would split the kept lines";
  std::wstring pairs = L"123456\xD840\xDC0B" L"89";  // the seventh character is half of a pair
  EXPECT_EQ(ShortName(pairs), L"123456…");
  EXPECT_EQ(ShortName(ShortName(L"大きな国語辞典　第三版")), L"大きな国語辞典…") << "a stored name reads back as it was";
}

TEST(ShelfBooks, TwoBooksOfOneTitleAreNamedApartByTheirFolders) {
  std::vector<ShelfBook> books = {{L"C:\\Dict\\EDICT\\", 0, L"和英辞典", true}, {L"D:\\", 0, L"地名", true},
                                  {L"C:\\Dict\\EDICT2", 0, L"和英辞典", true}};
  NameApart(&books, 2);
  EXPECT_EQ(books[0].name, L"EDICT");
  EXPECT_EQ(books[1].name, L"地名");
  EXPECT_EQ(books[2].name, L"EDICT2");
  // Books of one folder: their catalog index tells them apart; a drive root is named by its drive.
  books = {{L"D:\\", 0, L"百科", true}, {L"d:", 1, L"百科", true}, {L"E:\\Long folder name\\", 0, L"x", true}};
  NameApart(&books, 1);
  EXPECT_EQ(books[0].name, L"D:1");
  EXPECT_EQ(books[1].name, L"d:2");
  EXPECT_EQ(FolderName(books[2].root), L"Long folder name");
  NameApart(&books, 2);
  EXPECT_EQ(books[2].name, L"x") << "a name of its own stays";
}

// What the settings give back is read as carefully as any file: nothing of a bad line is kept.
TEST(ShelfBooks, LinesRoundTripAndBadLinesAreLeftOut) {
  std::vector<ShelfBook> books = {{L"D:\\", 0, L"和英", true}, {L"C:\\BOOKS\\TWO\\", 1, L"地名\tX", false}};
  std::vector<std::wstring> lines = ShelfLines(books);
  EXPECT_EQ(lines[1], L"0\t1\tC:\\BOOKS\\TWO\\\t地名 X");
  std::vector<ShelfBook> back = ShelfBooksOf(lines);
  ASSERT_EQ(back.size(), 2u);
  EXPECT_EQ(back[0].root, L"D:\\");
  EXPECT_EQ(back[0].name, L"和英");
  EXPECT_TRUE(back[0].ticked);
  EXPECT_EQ(back[1].index, 1);
  EXPECT_FALSE(back[1].ticked);

  std::vector<ShelfBook> none = ShelfBooksOf({L"", L"2\t0\tD:\\\tx", L"1\t-1\tD:\\\tx", L"1\t99999\tD:\\\tx",
                                              L"1\t0\t\tx", L"1\t0\tD:\\", L"10\t0\tD:\\\tx", L"1\t\tD:\\\tx",
                                              std::wstring(L"1\t0\tD:\0\\\tx", 10)});
  EXPECT_TRUE(none.empty());
  // The same book twice (another spelling of its root) is kept once, as first listed.
  std::vector<ShelfBook> once = ShelfBooksOf({L"1\t0\tC:\\Books\\A\\\tone", L"0\t0\tc:\\books\\a\tsecond"});
  ASSERT_EQ(once.size(), 1u);
  EXPECT_EQ(once[0].name, L"one");
}

TEST(ShelfBooks, ABookIsAddedOnce) {
  std::vector<ShelfBook> books;
  EXPECT_TRUE(AddToShelf(&books, {L"D:\\", 0, L"a", true}));
  EXPECT_TRUE(AddToShelf(&books, {L"D:\\", 1, L"b", true}));
  EXPECT_FALSE(AddToShelf(&books, {L"d:", 1, L"c", true}));
  EXPECT_EQ(books.size(), 2u);
}

}  // namespace
}  // namespace brisvane
