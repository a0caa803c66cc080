// The entries before and after one, over books made by the book builder: with and without the
// indent code before each headword, across an entry longer than the pieces read, past a keyword
// that is no headword, and at both ends of the text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BookBuild.h"
#include "EntrySteps.h"
#include "LibrarySource.h"
#include "TestFiles.h"

namespace calvetta {
namespace {

std::string StepBook(int indent) {
  std::string source = "book STEPS\ntitle 項目\nindex kana id=0x90\nentry-indent " + std::to_string(indent) + "\n";
  source += "entry a\n  key kana あ\n  text\n<kw>あ</kw>\nあの項目\nend\n";
  // Longer than several of the pieces read (16 KiB, then twice as much each time back).
  source += "entry b\n  key kana い\n  text\n<kw>い</kw>\n";
  for (int i = 0; i < 3000; ++i) source += "一二三四五六七八九十一二三四五六七八九十\n";
  source += "<kw arg=0x0200>い</kw>の例\nend\n";
  source += "entry c\n  key kana う\n  text\n<kw>う</kw>\nうの項目\nend\n";
  source += "entry d\n  key kana え\n  text\n<kw>え</kw>\nend\n";
  return source;
}

TEST(EntrySteps, EachEntryLeadsToTheNextAndBackInTextOrder) {
  for (int indent : {1, 0}) {
    SCOPED_TRACE("entry-indent " + std::to_string(indent));
    testfiles::TempDir dir;
    bookbuild::LayoutMap map;
    ASSERT_TRUE(bookbuild::BuildDisc(StepBook(indent), dir.Str(), &map).ok);
    dunmoor::Library library;
    ASSERT_EQ(library.OpenEpwing(dir.Str().c_str()), 1);
    ASSERT_EQ(library.SelectBook(0), 1);
    ASSERT_EQ(library.BooksOpen(), 1);
    layouttest::LibrarySource source(&library);
    std::vector<int32_t> entries;
    for (const char* id : {"a", "b", "c", "d"}) entries.push_back(static_cast<int32_t>(map.books[0].entryText.at(id)));
    for (size_t i = 0; i < entries.size(); ++i) {
      SCOPED_TRACE(i);
      const int32_t next = i + 1 < entries.size() ? entries[i + 1] : kNoNeighbour;
      const int32_t previous = i > 0 ? entries[i - 1] : kNoNeighbour;
      EXPECT_EQ(NeighbourEntry(source, entries[i], true), next);
      EXPECT_EQ(NeighbourEntry(source, entries[i], false), previous);
      // From the keyword itself, past the indent code, the same neighbours.
      EXPECT_EQ(NeighbourEntry(source, entries[i] + 4 * indent, true), next);
      EXPECT_EQ(NeighbourEntry(source, entries[i] + 4 * indent, false), previous);
    }
    EXPECT_EQ(NeighbourEntry(source, -2, true), kNoNeighbour);
  }
}

int32_t EntryOf(dunmoor::Library& library, const char* key) {
  std::string word = key;
  WordProperties properties{};
  if (library.GetWordProperties(word.data(), &properties) != 1) return -100;
  DunmoorHit hit{};
  return library.GetHit(0, &hit) == 1 ? hit.textPosition : -100;
}

TEST(EntrySteps, TheSampleBooksEntriesFollowEachOther) {
  dunmoor::Library library;
  ASSERT_EQ(library.OpenEpwing(testfiles::BuiltBook("sample").string().c_str()), 1);
  ASSERT_EQ(library.SelectBook(0), 1);
  ASSERT_EQ(library.BooksOpen(), 1);
  layouttest::LibrarySource source(&library);
  const int32_t blue = EntryOf(library, "\x24\x22\x24\x2A\x24\x24");          // あおい
  const int32_t red = EntryOf(library, "\x24\x22\x24\x2B\x24\x24");           // あかい
  const int32_t bright = EntryOf(library, "\x24\x22\x24\x2B\x24\x6B\x24\x24");  // あかるい
  EXPECT_EQ(NeighbourEntry(source, red, true), bright);
  EXPECT_EQ(NeighbourEntry(source, red, false), blue);
  EXPECT_EQ(NeighbourEntry(source, EntryOf(library, "\x24\x22\x24\x24"), false), kNoNeighbour);  // あい, the first
}

// Every read fails.
class FailingSource : public TextSource {
 public:
  int32_t GetWordCont(int32_t, char*, uint32_t, uint32_t*) override { return -1; }
  int32_t GetWordContNext(char*, uint32_t, uint32_t*) override { return -1; }
  int32_t GetWordContLast(char*, uint32_t, uint32_t*) override { return -1; }
  int32_t GetContLastNoSet(char*, uint32_t, uint32_t*) override { return 0; }
  int32_t GetLinkContent(const char*, char*, uint32_t, uint32_t*) override { return -1; }
  int32_t GetLinkContByPt(int32_t, char*, uint32_t, uint32_t*) override { return -1; }
};

TEST(EntrySteps, AFailedReadIsSaid) {
  FailingSource source;
  EXPECT_EQ(NeighbourEntry(source, 4096, true), kStepReadFailed);
  EXPECT_EQ(NeighbourEntry(source, 4096, false), kStepReadFailed);
  EXPECT_EQ(NeighbourEntry(source, 0, false), kNoNeighbour);  // nothing lies before the file's start
}

}  // namespace
}  // namespace calvetta
