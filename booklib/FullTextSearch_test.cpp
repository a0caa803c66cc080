#include "FullTextSearch.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "BookFixture.h"
#include "Library.h"

namespace dunmoor {
namespace {

using testfiles::Bytes;

Bytes Units(std::initializer_list<uint16_t> units) {
  Bytes bytes;
  for (uint16_t u : units) {
    bytes.push_back(static_cast<uint8_t>(u >> 8));
    bytes.push_back(static_cast<uint8_t>(u));
  }
  return bytes;
}

// Where the matcher finds word in bytes, every match from the start.
std::vector<size_t> Matches(const Bytes& bytes, JisChars word) {
  TextMatcher matcher(FullTextWordOf(word), nullptr);
  std::vector<size_t> found;
  TextMatcher::Found f;
  for (size_t from = 0; matcher.FindNext(bytes.data(), bytes.size(), from, bytes.size(), &f); from = f.at + 2)
    found.push_back(f.at);
  return found;
}

TEST(TextMatcher, CharactersAtEvenOffsetsOnlyAndNeverInsideACodeOrAcrossALine) {
  const uint16_t a = 0x2422, i = 0x2424;  // あ い
  // あい, then あ 1F 12 い (through an emphasis), then あ 1F 0A い (across a line).
  EXPECT_EQ(Matches(Units({a, i, 0x1F12, a, 0x1F12, i, a, 0x1F0A, i}), {a, i}), (std::vector<size_t>{0, 6}));
  // 23 24 22 23: the bytes of あ at an odd offset are no character.
  EXPECT_EQ(Matches(Units({0x2324, 0x2223}), {a}), std::vector<size_t>{});
  // The arguments of an indent code and of a reference's end code are no characters.
  EXPECT_EQ(Matches(Units({0x1F09, a, 0x1F62, a, i, 0x2424, i}), {a}), std::vector<size_t>{});
  // Nor do matches run into the next entry or past the end of a text.
  EXPECT_EQ(Matches(Units({a, 0x1F41, 0x0100, i}), {a, i}), std::vector<size_t>{});
  EXPECT_EQ(Matches(Units({a, 0x1F03, i}), {a, i}), std::vector<size_t>{});
  // Latin letters in either case, in the text and in the word.
  EXPECT_EQ(Matches(Units({0x2361, 0x1F05, 0x2342}), {0x2341, 0x2362}), std::vector<size_t>{0});
  // The word cut by the end of the bytes is no match; long words are refused.
  EXPECT_EQ(Matches(Units({a}), {a, i}), std::vector<size_t>{});
  EXPECT_TRUE(FullTextWordOf(JisChars(33, a)).empty());
  EXPECT_EQ(FullTextWordOf({0x2121, a, 0x2121}), JisChars{a});
}

// A text area of several megabytes, so that entries straddle the pieces the scan reads, with
// one entry longer than a piece: every entry holds the word once, at a known place.
TEST(FullTextScan, EveryEntryOfAManyPieceTextIsFoundOnce) {
  const uint16_t word[] = {0x3358, 0x393B};  // 学校
  Bytes text(2048, 0);
  std::vector<uint32_t> entries, wordAt;
  for (int n = 0; n < 1500; ++n) {
    entries.push_back(static_cast<uint32_t>(text.size()));
    Bytes entry = Units({0x1F09, 0x0001, 0x1F41, 0x0100, 0x2422, 0x1F61, 0x1F0A});
    size_t filler = n == 700 ? 1300000 : 1000 + (n * 977) % 3000;  // one entry over a piece
    for (size_t k = 0; k < filler / 2; ++k) {  // lines of い
      entry.push_back(k % 40 == 39 ? 0x1F : 0x24);
      entry.push_back(k % 40 == 39 ? 0x0A : 0x24);
    }
    wordAt.push_back(static_cast<uint32_t>(text.size() + entry.size()));
    Bytes found = Units({word[0], 0x1F12, word[1], 0x1F13, 0x1F0A});
    entry.insert(entry.end(), found.begin(), found.end());
    text.insert(text.end(), entry.begin(), entry.end());
  }
  Bytes end = Units({0x1F03});
  text.insert(text.end(), end.begin(), end.end());
  const uint32_t pages = static_cast<uint32_t>((text.size() - 2048 + 2047) / 2048);
  text.resize(2048 * (pages + 1), 0);
  text[1] = 1;  // one descriptor: the text area, from page 2
  text[16 + 5] = 2;
  text[16 + 6] = static_cast<uint8_t>(pages >> 24);
  text[16 + 7] = static_cast<uint8_t>(pages >> 16);
  text[16 + 8] = static_cast<uint8_t>(pages >> 8);
  text[16 + 9] = static_cast<uint8_t>(pages);

  testfiles::TempDir root;
  fixture::WriteDisc(root, {{0x00, fixture::FullWidth("BIG"), "BIG"}}, text);
  Library lib;
  ASSERT_EQ(lib.OpenEpwing(root.Str().c_str()), kDunmoorSuccess);
  ASSERT_EQ(lib.BooksOpen(), kDunmoorSuccess);
  ASSERT_EQ(lib.BeginFullText("\x33\x58\x39\x3B"), kDunmoorSuccess);
  WordProperties properties{};
  int32_t step = kDunmoorGoesOn;
  for (int calls = 0; step == kDunmoorGoesOn && calls < 100; ++calls) step = lib.NextFullText(&properties);
  ASSERT_EQ(step, kDunmoorSuccess);
  ASSERT_EQ(properties.hitCount, 1500);
  const std::vector<HitRecord>& hits = lib.Book()->Hits();
  for (size_t n = 0; n < hits.size(); ++n) {
    SCOPED_TRACE(n);
    EXPECT_EQ(hits[n].textPosition, entries[n]);
    EXPECT_EQ(hits[n].headingPosition, entries[n] + 8);
    uint32_t at = 0, length = 0;
    ASSERT_EQ(lib.GetHitMatch(static_cast<int32_t>(n), &at, &length), kDunmoorSuccess);
    EXPECT_EQ(at, wordAt[n]);
    EXPECT_EQ(length, 6u);
  }

#ifndef _WIN32  // Windows will not replace a file that is open
  // A disc change between pieces ends the scan; the hits found so far stay.
  ASSERT_EQ(lib.BeginFullText("\x33\x58\x39\x3B"), kDunmoorSuccess);
  ASSERT_EQ(lib.NextFullText(&properties), kDunmoorGoesOn);
  const int32_t before = properties.hitCount;
  EXPECT_GT(before, 0);
  text[text.size() - 1] = 1;
  text.push_back(0);
  testfiles::WriteFile(root.Path() / "BIG" / "DATA" / "HONMON", text);
  // The watch hears of the change on a thread of its own: give it the moment it takes.
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_EQ(lib.NextFullText(&properties), kDunmoorFailed);
  EXPECT_EQ(properties.hitCount, before);
#endif
}

}  // namespace
}  // namespace dunmoor
