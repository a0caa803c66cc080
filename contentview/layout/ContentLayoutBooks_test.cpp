// The layout over books made by the book builder, read through a library instance.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "BookBuild.h"
#include "ContentLayout.h"
#include "LibrarySource.h"
#include "TestFiles.h"

namespace calvetta {
namespace {

struct OpenBook {
  explicit OpenBook(const std::string& root) {
    opened = library.OpenEpwing(root.c_str()) == 1 && library.SelectBook(0) == 1 && library.BooksOpen() == 1;
  }
  dunmoor::Library library;
  bool opened = false;
};

int NumberOf(const LineRecord* line) {
  if (!line || line->runs.empty() || !line->runs[0].narrow) return -1;
  return std::atoi(line->runs[0].text.c_str());
}

// One entry of 5400 text lines (> 300 KiB) behind a short one.
std::string LongBook() {
  std::string source = "book LONG\ntitle 長い本\nindex kana id=0x90\n";
  source += "entry first\n  key kana あ\n  text\n<kw>あ</kw>\nあ\nend\n";
  source += "entry long\n  key kana い\n  text\n<kw>い</kw>\n";
  for (int i = 1; i <= 5400; ++i) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%06d", i);
    source += std::string(digits) + std::string(24, 'x').replace(0, 24, "") + "一二三四五六七八九十一二三四五六七八九十\n";
  }
  source += "end\n";
  return source;
}

TEST(ContentLayoutBooks, ScrollsAnEntryLongerThanTheBufferToItsEndAndBack) {
  testfiles::TempDir dir;
  bookbuild::LayoutMap map;
  ASSERT_TRUE(bookbuild::BuildDisc(LongBook(), dir.Str(), &map).ok);
  OpenBook book(dir.Str());
  ASSERT_TRUE(book.opened);
  layouttest::LibrarySource source(&book.library);
  ContentLayout layout(&source);
  layout.SetClientSize(16 + 16 * 30, 3 + 16 * 25);
  uint32_t entry = map.books[0].entryText.at("long");
  ASSERT_EQ(layout.ShowAt(static_cast<int32_t>(entry)), LayoutResult::kDone);
  EXPECT_EQ(layout.EntryBase(), static_cast<int32_t>(entry));
  EXPECT_FALSE(layout.AtTextStart());  // the first entry lies before it
  ASSERT_NE(layout.Line(0), nullptr);
  EXPECT_TRUE(layout.Line(0)->runs[0].bold);

  int expected = 1, pages = 0;
  while (true) {
    for (int32_t n = layout.TopLine(); n <= layout.BottomLine(); ++n) {
      int number = NumberOf(layout.Line(n));
      if (number < 0) continue;
      ASSERT_EQ(number, expected + 0) << "line " << n;
      ++expected;
    }
    if (layout.AtTextEnd()) break;
    ASSERT_EQ(layout.ScrollTo(layout.BottomLine() + 1), LayoutResult::kDone);
    ASSERT_LT(++pages, 2000);
  }
  EXPECT_EQ(expected, 5401);
  EXPECT_GT(layout.BufferBase(), 0);
  // The last line of the book's text ends with the end code.
  EXPECT_EQ(layout.Line(layout.BottomLine())->endMark, EndMark::kEndsEntry);

  int next = NumberOf(layout.Line(layout.TopLine())) - 1;
  while (!layout.AtTextStart()) {
    ASSERT_EQ(layout.ScrollTo(layout.TopLine() - layout.LinesPerPage()), LayoutResult::kDone);
    for (int32_t n = layout.BottomLine(); n >= layout.TopLine(); --n) {
      int number = NumberOf(layout.Line(n));
      if (number < 0 || number > next) continue;
      ASSERT_EQ(number, next) << "line " << n;
      --next;
    }
    ASSERT_LT(++pages, 4000);
  }
  EXPECT_EQ(next, 0);
  // Earlier still: the first entry, then the begin code stops the scroll.
  EXPECT_LT(layout.BufferBase(), 0);
  EXPECT_EQ(layout.Line(layout.TopLine())->endMark, EndMark::kBeginsEntry);
}

TEST(ContentLayoutBooks, ShowsAHitOfTheSampleBook) {
  OpenBook book(testfiles::BuiltBook("sample").string());
  ASSERT_TRUE(book.opened);
  char key[] = "\x24\x22\x24\x24";  // あい
  WordProperties properties{};
  ASSERT_GT(book.library.GetWordProperties(key, &properties), 0);
  layouttest::LibrarySource source(&book.library);
  ContentLayout layout(&source);
  layout.SetClientSize(16 + 16 * 20, 3 + 16 * 10);
  ASSERT_EQ(layout.ShowHit(0), LayoutResult::kDone);
  const LineRecord* first = layout.Line(0);
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(first->runs[0].bold);           // the keyword
  EXPECT_TRUE(layout.AtTextStart());           // the first entry of the book
  bool reference = false;
  for (int32_t n = layout.Lines().FirstNumber(); n <= layout.Lines().LastNumber(); ++n) {
    for (const LinkSlot& link : layout.Line(n)->links) {
      if (link.kind != LinkKind::kReference) continue;
      reference = true;
      char text[256];
      uint32_t length = 0;
      EXPECT_GE(source.GetLinkContent(link.code.data(), text, sizeof text, &length), 0);
    }
  }
  EXPECT_TRUE(reference);
}

TEST(ContentLayoutBooks, FollowsAReferenceOfTheSecondKind) {
  OpenBook book(testfiles::BuiltBook("sample").string());
  ASSERT_TRUE(book.opened);
  int32_t edge = testfiles::MappedEntryPosition("sample", "hashi-edge");
  int32_t bridge = testfiles::MappedEntryPosition("sample", "hashi-bridge");
  ASSERT_GT(edge, 0);
  layouttest::LibrarySource source(&book.library);
  ContentLayout layout(&source);
  layout.SetClientSize(16 + 16 * 40, 3 + 16 * 10);
  ASSERT_EQ(layout.ShowAt(edge), LayoutResult::kDone);
  const LinkSlot* compare = nullptr;
  for (int32_t n = layout.TopLine(); n <= layout.BottomLine() && !compare; ++n) {
    for (const LinkSlot& link : layout.Line(n)->links) {
      if (static_cast<uint8_t>(link.code[1]) == 0x43) compare = &link;
    }
  }
  ASSERT_NE(compare, nullptr);
  EXPECT_EQ(compare->kind, LinkKind::kReference);
  ASSERT_EQ(layout.ShowLink(compare->code.data()), LayoutResult::kDone);
  EXPECT_EQ(layout.EntryBase(), bridge);
}

// Three entries, the middle one of 60 numbered lines.
std::string ThreeEntryBook() {
  std::string source = "book THREE\ntitle 三つの項目\nindex kana id=0x90\n";
  source += "entry first\n  key kana あ\n  text\n<kw>あ</kw>\nあいう\nend\n";
  source += "entry middle\n  key kana い\n  text\n<kw>い</kw>\n";
  for (int i = 1; i <= 60; ++i) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%03d", i);
    source += std::string(digits) + "一二三四五\n";
  }
  source += "end\nentry last\n  key kana う\n  text\n<kw>う</kw>\nえお\nend\n";
  return source;
}

TEST(ContentLayoutBooks, OneEntryAtATimeEndsWhereTheNextEntryBeginsAndBeginsAtItsOwn) {
  testfiles::TempDir dir;
  bookbuild::LayoutMap map;
  ASSERT_TRUE(bookbuild::BuildDisc(ThreeEntryBook(), dir.Str(), &map).ok);
  OpenBook book(dir.Str());
  ASSERT_TRUE(book.opened);
  layouttest::LibrarySource source(&book.library);
  const int32_t middle = static_cast<int32_t>(map.books[0].entryText.at("middle"));
  const int32_t last = static_cast<int32_t>(map.books[0].entryText.at("last"));
  // Down to the end of what is shown, then up to its start: the numbers seen, and whether a
  // headword of another entry came (a bold line after the first).
  int32_t thirtieth = -1;  // the text position of line 030
  auto walk = [&](bool one, int32_t at, std::vector<int>* numbers, int* headwords) {
    ContentLayout layout(&source);
    layout.SetOneEntry(one);
    layout.SetClientSize(16 + 16 * 30, 3 + 16 * 10);
    ASSERT_EQ(layout.ShowAt(at), LayoutResult::kDone);
    for (int pages = 0; !layout.AtTextEnd() && pages < 100; ++pages)
      ASSERT_EQ(layout.ScrollTo(layout.BottomLine() + 1), LayoutResult::kDone);
    for (int pages = 0; !layout.AtTextStart() && pages < 100; ++pages)
      ASSERT_EQ(layout.ScrollTo(layout.TopLine() - layout.LinesPerPage()), LayoutResult::kDone);
    for (int32_t n = layout.Lines().FirstNumber(); n <= layout.Lines().LastNumber(); ++n) {
      const LineRecord* line = layout.Line(n);
      if (NumberOf(line) > 0) numbers->push_back(NumberOf(line));
      if (NumberOf(line) == 30) thirtieth = layout.EntryBase() + line->start;
      if (line && !line->runs.empty() && line->runs[0].bold) ++*headwords;
    }
  };
  std::vector<int> numbers;
  int headwords = 0;
  walk(true, middle, &numbers, &headwords);
  ASSERT_EQ(numbers.size(), 60u);
  EXPECT_EQ(numbers.front(), 1);
  EXPECT_EQ(numbers.back(), 60);
  EXPECT_EQ(headwords, 1) << "the middle entry's headword alone";

  numbers.clear();
  headwords = 0;
  ASSERT_GT(thirtieth, middle);
  walk(true, thirtieth, &numbers, &headwords);
  EXPECT_EQ(numbers.size(), 60u) << "shown from its middle: up to its headword, down to its end";
  EXPECT_EQ(headwords, 1);

  numbers.clear();
  headwords = 0;
  walk(true, last, &numbers, &headwords);
  EXPECT_TRUE(numbers.empty()) << "going up stops at the last entry's own start";
  EXPECT_EQ(headwords, 1);

  numbers.clear();
  headwords = 0;
  walk(false, middle, &numbers, &headwords);
  EXPECT_EQ(numbers.size(), 60u);
  EXPECT_EQ(headwords, 3) << "running on through the book, up to its first entry";
}

}  // namespace
}  // namespace calvetta
