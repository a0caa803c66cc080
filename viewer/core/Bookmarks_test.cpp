#include "Bookmarks.h"

#include <gtest/gtest.h>

namespace brisvane {
namespace {

Bookmark Mark(const std::string& heading, int32_t position, int32_t index = 0) {
  return {heading, std::string("\x24\x2C\x1F\x04\xA1\x21\x1F\x05", 8), "Book Title", "C:\\books\\disc", index, position};
}

// Folders A and B with a bookmark each, and two bookmarks outside them.
Bookmarks Sample() {
  Bookmarks list;
  const size_t a = list.AddFolder("A");
  const size_t b = list.AddFolder("B");
  list.Add(a, Mark("a1", 10));
  list.Add(b, Mark("b1", 20));
  list.Add(0, Mark("r1", 30));
  list.Add(0, Mark("r2", 40));
  return list;
}

TEST(Bookmarks, APlaceIsKeptOnceAndFoldersAreNamedApart) {
  Bookmarks list;
  EXPECT_TRUE(list.Add(0, Mark("x", 5)));
  EXPECT_FALSE(list.Add(0, Mark("another heading", 5))) << "the same place of the same book";
  EXPECT_TRUE(list.Add(0, Mark("x", 5, 1))) << "the same position of the disc's other book";
  EXPECT_FALSE(list.Add(7, Mark("y", 6))) << "no such folder";
  Bookmark noDisc = Mark("z", 8);
  noDisc.disc.clear();
  EXPECT_FALSE(list.Add(0, noDisc));
  EXPECT_EQ(list.Count(), 2u);

  EXPECT_EQ(list.Folders()[list.AddFolder("")].name, "新しいフォルダ");
  EXPECT_EQ(list.Folders()[list.AddFolder("")].name, "新しいフォルダ (2)");
  const size_t words = list.AddFolder(" 単語\tの本 ");
  EXPECT_EQ(list.Folders()[words].name, "単語 の本");
  EXPECT_FALSE(list.RenameFolder(words, "新しいフォルダ")) << "two folders of one name";
  EXPECT_FALSE(list.RenameFolder(words, "   "));
  EXPECT_FALSE(list.RenameFolder(0, "root")) << "the root has no name";
  EXPECT_TRUE(list.RenameFolder(words, std::string(200, 'x')));
  EXPECT_EQ(list.Folders()[words].name.size(), kFolderNameBytes);
  const size_t twin = list.AddFolder(std::string(200, 'x'));
  EXPECT_EQ(list.Folders()[twin].name, std::string(116, 'x') + " (2)") << "named apart within the size";
  std::string kana;
  for (int i = 0; i < 50; ++i) kana += "あ";
  EXPECT_TRUE(list.RenameFolder(words, kana));
  EXPECT_EQ(list.Folders()[words].name.size(), 120u) << "cut between characters";
}

TEST(Bookmarks, MovesGoAcrossFoldersInTheListsOrder) {
  Bookmarks list = Sample();
  // a1 is first of all: it cannot go up; down it goes into B, at its start.
  EXPECT_EQ(list.Move({1, 0}, -1), (MarkAt{1, 0}));
  EXPECT_EQ(list.Move({1, 0}, 1), (MarkAt{2, 0}));
  EXPECT_EQ(list.Folders()[2].marks[0].heading, "a1");
  EXPECT_EQ(list.Move({2, 0}, 1), (MarkAt{2, 1})) << "within B";
  // Past B's end: the root's bookmarks come after the folders.
  EXPECT_EQ(list.Move({2, 1}, 1), (MarkAt{0, 0}));
  EXPECT_EQ(list.Folders()[0].marks[0].heading, "a1");
  EXPECT_EQ(list.Move({0, 0}, -1), (MarkAt{2, 1})) << "back to B's end";
  EXPECT_EQ(list.Move({0, 1}, 1), (MarkAt{0, 1})) << "the last of all stays";
  // Folders move among the folders only, their bookmarks with them.
  EXPECT_EQ(list.Move({1, -1}, -1), (MarkAt{1, -1}));
  EXPECT_EQ(list.Move({1, -1}, 1), (MarkAt{2, -1}));
  EXPECT_EQ(list.Folders()[1].name, "B");
  EXPECT_EQ(list.Folders()[1].marks.size(), 2u);
  EXPECT_EQ(list.Move({0, -1}, 1), (MarkAt{0, -1}));
  // Dropped on a folder: at its end; on a bookmark: before it, also in its own folder.
  EXPECT_EQ(list.MoveTo({0, 0}, {2, -1}), (MarkAt{2, 0}));
  EXPECT_EQ(list.MoveTo({1, 0}, {1, 1}), (MarkAt{1, 0})) << "before the one after it: where it was";
  EXPECT_EQ(list.Folders()[1].marks[0].heading, "b1");
  EXPECT_EQ(list.MoveTo({1, 1}, {1, 0}), (MarkAt{1, 0}));
  EXPECT_EQ(list.Folders()[1].marks[0].heading, "a1");
  EXPECT_EQ(list.MoveTo({1, 0}, {1, -1}), (MarkAt{1, 1})) << "its own folder's end";
  EXPECT_EQ(list.MoveTo({1, 0}, {1, 5}), (MarkAt{1, 0})) << "no such bookmark";
  EXPECT_EQ(list.Count(), 4u);
  EXPECT_EQ(list.Move({9, 0}, 1), (MarkAt{9, 0})) << "nothing there";
  EXPECT_TRUE(list.Remove({1, -1}));
  EXPECT_FALSE(list.Remove({0, -1})) << "the root stays";
  EXPECT_EQ(list.Count(), 2u) << "B went with its bookmarks";
}

TEST(Bookmarks, LinesAndTheExportFileGiveTheSameListBack) {
  Bookmarks list = Sample();
  list.AddFolder("empty");
  const Bookmarks read = Bookmarks::FromLines(list.Lines());
  EXPECT_EQ(read.Folders(), list.Folders()) << "an empty folder, the heading's codes";
  EXPECT_EQ(read.Folders()[0].marks[0].codes, Mark("", 0).codes);
  Bookmarks tabbed;
  Bookmark mark = Mark("a\tb", 1);
  mark.book = "Book\tTitle\r\n";
  tabbed.Add(0, mark);
  const Bookmarks back = Bookmarks::FromLines(tabbed.Lines());
  ASSERT_EQ(back.Count(), 1u) << "a tab of a field splits no line";
  EXPECT_EQ(back.Folders()[0].marks[0].book, "Book Title");
  EXPECT_EQ(back.Folders()[0].marks[0].heading, "a b");

  const std::string text = list.ExportText();
  EXPECT_EQ(text.substr(0, text.find("\r\n")), "Folder\tHeading\tBook\tDisc\tIndex\tPosition\tCodes");
  Bookmarks imported;
  EXPECT_EQ(imported.Import(text), 4);
  EXPECT_EQ(imported.Folders(), read.Folders());
  EXPECT_EQ(imported.Import(text), 0) << "every place is kept already";
  EXPECT_EQ(imported.Folders().size(), 4u) << "no folder made twice";
  EXPECT_EQ(imported.Import("Headword\tReading\tText\tBook\r\nx\ty\tz\tw\r\n"), -1) << "a word list is no bookmark file";
  EXPECT_EQ(imported.Import(""), -1);
  // With a byte-order mark and LF, damaged lines left out.
  Bookmarks other;
  EXPECT_EQ(other.Import("\xEF\xBB\xBF" "Folder\tHeading\tBook\tDisc\tIndex\tPosition\tCodes\n"
                         "F\th\tb\tD:\\\t1\t99\t1F0\n"   // odd codes: left empty
                         "F\th\tb\tD:\\\t-1\t5\t\n"      // no index
                         "F\th\tb\tD:\\\t1\t5x\t\n"      // no position
                         "F\th\tb\t\t1\t5\t\n"          // no disc
                         "\th2\tb\tD:\\\t2\t4294967296\t\n"
                         "G\th3\tb\tD:\\\t2\t7\tzz\n"),
            2);
  ASSERT_EQ(other.Folders().size(), 3u);
  EXPECT_EQ(other.Folders()[1].marks[0].position, 99);
  EXPECT_EQ(other.Folders()[1].marks[0].codes, "");
  EXPECT_TRUE(other.Folders()[0].marks.empty()) << "a position past 32 bits";
}

TEST(Bookmarks, AHeadingWithoutCodesIsListedInJis) {
  Bookmark mark = Mark("", 0);
  EXPECT_EQ(KeptHeading(mark), mark.codes);
  mark.codes.clear();
  mark.heading = "学A \xF0\x9F\x98\x80";  // 学, A, a blank, a character JIS lacks
  EXPECT_EQ(KeptHeading(mark), std::string("\x33\x58\x23\x41\x21\x21\x22\x2E"));
}

}  // namespace
}  // namespace brisvane
