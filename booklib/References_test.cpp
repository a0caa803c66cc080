#include "References.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "BookFixture.h"
#include "ReaderFixture.h"

namespace dunmoor {
namespace {

using fixture::Filled;
using fixture::Head;
using testfiles::Bytes;

constexpr uint32_t kUntouched = 0xDEADu;
constexpr uint32_t kTarget = 249866;  // block 123, offset 10

// 1F 42 ＡＢ 1F 62 and the position block 123, offset 10, in BCD; kind 0x43 gives 1F 43 .. 1F 63.
Bytes ReferenceBlock(uint8_t kind = 0x42, Bytes position = {0x00, 0x00, 0x01, 0x23, 0x00, 0x10}) {
  Bytes code = {0x1F, kind, 0x23, 0x41, 0x23, 0x42, 0x1F, static_cast<uint8_t>(kind + 0x20)};
  for (uint8_t byte : position) code.push_back(byte);
  return code;
}

const char* Chars(const Bytes& bytes) { return reinterpret_cast<const char*>(bytes.data()); }

// Entry T (18 bytes) at 249866 and entry U after it, in a text file of 124 blocks.
class LinkTarget : public ::testing::Test {
 protected:
  static fixture::TextArea Layout(uint32_t* u) {
    fixture::TextArea t;
    t.Raw({0x1F, 0x02});
    t.Entry('S', 3);
    t.PadTo(kTarget);
    t.Entry('T', 4);
    *u = t.Entry('U', 2);
    t.Raw({0x1F, 0x03});
    return t;
  }
  LinkTarget() : book(Layout(&u), {0x91}, 124) {}
  Library& Lib() { return book.Lib(); }

  uint32_t u;
  fixture::TextBook book;
  std::vector<char> buffer = Filled(0x1000);
  uint32_t length = kUntouched;
};

TEST_F(LinkTarget, EitherKindOfReferenceReadsFromItsTarget) {
  ASSERT_EQ(book.File().size(), 124u * 2048);
  for (uint8_t kind : {0x42, 0x43}) {
    Bytes code = ReferenceBlock(kind);  // exactly as long as the block: nothing past it is read
    EXPECT_EQ(Lib().Links().GetLinkContent(Chars(code), buffer.data(), 64, &length), static_cast<int32_t>(kTarget));
    EXPECT_EQ(length, 64u);
    EXPECT_EQ(Head(buffer, 64), book.At(kTarget, 64));
    EXPECT_EQ(buffer[64], '\x5A');
    EXPECT_EQ(Lib().Cursor().start, kTarget);
    EXPECT_EQ(Lib().Cursor().next, kTarget + 64);
  }
}

TEST_F(LinkTarget, RawReadersGoOnAroundTheTarget) {
  Bytes code = ReferenceBlock();
  ASSERT_EQ(Lib().Links().GetLinkContent(Chars(code), buffer.data(), 10, &length), static_cast<int32_t>(kTarget));
  EXPECT_EQ(Lib().Text().GetWordContLast(buffer.data(), 16, &length), static_cast<int32_t>(kTarget - 16));
  EXPECT_EQ(Head(buffer, 16), book.At(kTarget - 16, 16));
  ASSERT_EQ(Lib().Links().GetLinkContent(Chars(code), buffer.data(), 10, &length), static_cast<int32_t>(kTarget));
  EXPECT_EQ(Lib().Text().GetWordContNext(buffer.data(), 8, &length), static_cast<int32_t>(kTarget + 10));
  EXPECT_EQ(Head(buffer, 8), book.At(kTarget + 10, 8));
}

TEST_F(LinkTarget, TheFirstEndCodeOfA128ByteCopyCounts) {
  Bytes code = ReferenceBlock();
  Bytes other = ReferenceBlock(0x42, {0x00, 0x00, 0x00, 0x02, 0x00, 0x00});
  code.insert(code.end(), other.begin(), other.end());
  code.resize(128, 0x23);
  EXPECT_EQ(Lib().Links().GetLinkContent(Chars(code), buffer.data(), 4, &length), static_cast<int32_t>(kTarget));

  // The end code and its six position bytes may end exactly at byte 128.
  Bytes last = {0x1F, 0x42};
  last.resize(120, 0x23);
  Bytes tail = {0x1F, 0x62, 0x00, 0x00, 0x01, 0x23, 0x00, 0x10};
  last.insert(last.end(), tail.begin(), tail.end());
  ASSERT_EQ(last.size(), 128u);
  EXPECT_EQ(Lib().Links().GetLinkContent(Chars(last), buffer.data(), 4, &length), static_cast<int32_t>(kTarget));
}

TEST_F(LinkTarget, MalformedBlocksAreRefusedWithoutAMessage) {
  Bytes noEnd = {0x1F, 0x42};
  noEnd.resize(128, 0x23);
  Bytes cutEnd = {0x1F, 0x42};
  cutEnd.resize(121, 0x23);
  for (uint8_t byte : {0x1F, 0x62, 0x00, 0x00, 0x01, 0x23, 0x00}) cutEnd.push_back(byte);
  ASSERT_EQ(cutEnd.size(), 128u);
  const struct {
    const char* what;
    Bytes code;
  } cases[] = {
      {"no end code in 128 bytes", noEnd},
      {"end code whose position passes byte 128", cutEnd},
      {"block 0", ReferenceBlock(0x42, {0x00, 0x00, 0x00, 0x00, 0x00, 0x10})},
      {"block 0, offset past a block", ReferenceBlock(0x42, {0x00, 0x00, 0x00, 0x00, 0x21, 0x00})},
      {"block past the file positions", ReferenceBlock(0x42, {0x99, 0x99, 0x99, 0x99, 0x00, 0x00})},
      {"block field no number", ReferenceBlock(0x42, {0xA0, 0x00, 0x01, 0x23, 0x00, 0x10})},
  };
  ASSERT_EQ(Lib().Links().GetLinkContByPt(4096, buffer.data(), 4, &length), 4096);
  for (const auto& c : cases) {
    length = kUntouched;
    EXPECT_EQ(Lib().Links().GetLinkContent(Chars(c.code), buffer.data(), 16, &length), kDunmoorRefused) << c.what;
    EXPECT_EQ(Lib().Links().GetLinkContentEntry(Chars(c.code), buffer.data(), 16, &length), kDunmoorRefused) << c.what;
    EXPECT_EQ(Lib().Cursor().start, 4096u) << c.what;
    EXPECT_EQ(Lib().Cursor().next, 4100u) << c.what;
  }
  length = kUntouched;
  EXPECT_EQ(Lib().Links().GetLinkContent(nullptr, buffer.data(), 16, &length), kDunmoorRefused);
  EXPECT_EQ(Lib().Links().GetLinkContentEntry(nullptr, buffer.data(), 16, &length), kDunmoorRefused);
  EXPECT_EQ(length, kUntouched);
}

#ifndef _WIN32
// The Windows build shows "SuperLink Error1"/"SuperLink Error2" first (References_win_test.cpp);
// natively nothing is shown and the call returns at once.
TEST_F(LinkTarget, BlocksWithoutAReferenceStartCodeAreRefused) {
  Bytes graphic = {0x1F, 0x44, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10};
  Bytes noEscape = ReferenceBlock();
  noEscape[0] = 0x23;
  for (const Bytes& code : {graphic, noEscape}) {
    EXPECT_EQ(Lib().Links().GetLinkContent(Chars(code), buffer.data(), 16, &length), kDunmoorRefused);
    EXPECT_EQ(length, kUntouched);
    EXPECT_EQ(Lib().Cursor().start, 0u);
  }
}
#endif

TEST_F(LinkTarget, GetLinkContByPtReadsAtAnyPositionNotBelowZero) {
  EXPECT_EQ(Lib().Links().GetLinkContByPt(0, buffer.data(), 16, &length), 0);
  EXPECT_EQ(Head(buffer, 16), book.At(0, 16));
  EXPECT_EQ(Lib().Cursor().next, 16u);
  for (int32_t position : {-1, INT32_MIN}) {
    length = kUntouched;
    EXPECT_EQ(Lib().Links().GetLinkContByPt(position, buffer.data(), 16, &length), kDunmoorRefused);
    EXPECT_EQ(length, kUntouched);
  }
  int32_t end = 124 * 2048;
  EXPECT_EQ(Lib().Links().GetLinkContByPt(end + 100, buffer.data(), 16, &length), end + 100);
  EXPECT_EQ(length, 0u);
}

TEST_F(LinkTarget, TheEntryAtAReferenceComesInPieces) {
  Bytes code = ReferenceBlock();
  EXPECT_EQ(Lib().Links().GetLinkContentEntry(Chars(code), buffer.data(), 0x100, &length), kDunmoorSuccess);
  EXPECT_EQ(length, u - kTarget);
  EXPECT_EQ(Head(buffer, length), book.At(kTarget, u - kTarget));
  EXPECT_EQ(Lib().Cursor().next, u);

  EXPECT_EQ(Lib().Links().GetLinkContentEntry(Chars(code), buffer.data(), 12, &length), kDunmoorGoesOn);
  EXPECT_EQ(length, 12u);
  // A continuation goes on with the entry whatever block comes with it.
  Bytes second = ReferenceBlock(0x43);
  EXPECT_EQ(Lib().Links().GetLinkContentEntry(Chars(second), buffer.data(), 12, &length), kDunmoorSuccess);
  EXPECT_EQ(length, 6u);
  EXPECT_EQ(Head(buffer, 6), book.At(kTarget + 12, 6));
  EXPECT_EQ(Lib().Cursor().next, u);

  // A fresh entry read takes only the first kind, and refuses the second without a message.
  length = kUntouched;
  EXPECT_EQ(Lib().Links().GetLinkContentEntry(Chars(second), buffer.data(), 10, &length), kDunmoorRefused);
  EXPECT_EQ(length, 0u);
}

// ---- The menu -------------------------------------------------------------------------

TEST(MenuHead, TheFirstMenuDescriptorGivesThePosition) {
  const struct {
    std::vector<uint8_t> identifiers;  // start pages 2, 3, ...
    int32_t menu;
  } cases[] = {
      {{0x90, 0x91, 0x92, 0x01}, 8192},  // page 5
      {{0x01, 0x91, 0x01}, 2048},        // the first of two
      {{0x91, 0x70}, kDunmoorRefused},
      {{}, kDunmoorRefused},
  };
  for (const auto& c : cases) {
    fixture::TextBook book(fixture::TextArea(), c.identifiers);
    ASSERT_NE(book.Lib().Book(), nullptr);
    EXPECT_EQ(book.Lib().Links().GetMenuHead(), c.menu) << c.identifiers.size();
  }
}

TEST(MenuHead, APageThatNamesNoPositionIsRefused) {
  for (uint8_t top : {0x00, 0x80}) {  // page 0; page 0x80000000
    testfiles::TempDir root;
    Bytes file = fixture::TextFileBytes({0x01});
    file[18] = top;
    file[21] = 0;
    fixture::WriteDisc(root, {{0x00, "", "BOOK"}}, file);
    Library lib;
    ASSERT_EQ(lib.OpenEpwing(root.Str().c_str()), kDunmoorSuccess);
    ASSERT_EQ(lib.BooksOpen(), kDunmoorSuccess);
    EXPECT_EQ(lib.Links().GetMenuHead(), kDunmoorRefused) << int{top};
  }
}

// ---- The sample book ------------------------------------------------------------------

class SampleLinks : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(sample.opened) << testfiles::BuiltBook("sample") << " is made by the native build (book_sample)";
  }
  Bytes At(uint32_t from, uint32_t count) const { return sample.At(from, count); }

  fixture::SampleBook sample;
  std::vector<char> buffer = Filled(0x40000);
  uint32_t length = 0;
};

TEST_F(SampleLinks, TheMenuIsWhereTheBookPutIt) {
  ASSERT_NE(sample.menu, 0u);
  EXPECT_EQ(sample.lib.Links().GetMenuHead(), static_cast<int32_t>(sample.menu));
  EXPECT_EQ(sample.lib.Links().GetLinkContByPt(static_cast<int32_t>(sample.menu), buffer.data(), 0x40000, &length),
            static_cast<int32_t>(sample.menu));
  EXPECT_EQ(Head(buffer, length), At(sample.menu, static_cast<uint32_t>(sample.file.size()) - sample.menu));
}

TEST_F(SampleLinks, AReferenceOfAnEntryLeadsToItsTarget) {
  // "hot" refers first to あつい (atsui): take the reference block out of its text.
  uint32_t hot = sample.entries.at("en-hot");
  uint32_t atsui = sample.entries.at("atsui");
  Bytes text = At(hot, sample.EntryAfter(hot) - hot);
  size_t at = 0;
  while (at + 1 < text.size() && !(text[at] == 0x1F && text[at + 1] == 0x42)) ++at;
  ASSERT_LT(at + 1, text.size());
  Bytes code(text.begin() + at, text.begin() + std::min(text.size(), at + 128));

  EXPECT_EQ(sample.lib.Links().GetLinkContent(Chars(code), buffer.data(), 0x40000, &length), static_cast<int32_t>(atsui));
  EXPECT_EQ(Head(buffer, 64), At(atsui, 64));
  EXPECT_EQ(sample.lib.Links().GetLinkContentEntry(Chars(code), buffer.data(), 0x40000, &length), kDunmoorSuccess);
  // To the next entry's keyword, past the indent code with which that entry begins.
  EXPECT_EQ(Head(buffer, length), At(atsui, sample.EntryAfter(atsui) + 4 - atsui));
}

}  // namespace
}  // namespace dunmoor
