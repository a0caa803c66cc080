#include "TextReaders.h"

#include <gtest/gtest.h>

#include <functional>

#include "ReaderFixture.h"

namespace dunmoor {
namespace {

using fixture::Filled;
using fixture::Head;
using fixture::ReadUntilFailure;
using testfiles::Bytes;

constexpr uint32_t kUntouched = 0xDEADu;
// A reference to block 2, offset 0, for the reference readers that share the checks below.
const char kReference[] = {0x1F, 0x42, 0x23, 0x41, 0x1F, 0x62, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00};

// 1F 02, entries A (130 bytes), B (38 bytes, with a keyword 1F 41 02 inside that opens no
// entry) and C (20 bytes), 1F 03, then 1F 02, entry D (20 bytes), 1F 03. The file is 2 blocks.
class ThreeEntries : public ::testing::Test {
 protected:
  static fixture::TextArea Layout(uint32_t* a, uint32_t* b, uint32_t* c, uint32_t* d) {
    fixture::TextArea t;
    t.Raw({0x1F, 0x02});
    *a = t.Entry('A', 60);
    *b = t.Entry('B', 10);
    t.Raw({0x1F, 0x41, 0x02, 0x00, 0x23, 0x4B, 0x1F, 0x61});
    *c = t.Entry('C', 5);
    t.Raw({0x1F, 0x03, 0x1F, 0x02});
    *d = t.Entry('D', 5);
    t.Raw({0x1F, 0x03});
    return t;
  }
  ThreeEntries() : book(Layout(&a, &b, &c, &d)) { book.SetHits({a, b, c, d}); }
  Library& Lib() { return book.Lib(); }

  uint32_t a, b, c, d;
  fixture::TextBook book;
  std::vector<char> buffer = Filled(0x1000);
  uint32_t length = kUntouched;
};

// ---- Raw readers ------------------------------------------------------------------------

TEST_F(ThreeEntries, GetWordContReadsAtTheHitAndRefusesIndexesOutsideTheHits) {
  EXPECT_EQ(Lib().Text().GetWordCont(1, buffer.data(), 16, &length), static_cast<int32_t>(b));
  EXPECT_EQ(length, 16u);
  EXPECT_EQ(Head(buffer, 16), book.At(b, 16));
  EXPECT_EQ(buffer[16], '\x5A');  // nothing past size
  EXPECT_EQ(Lib().Cursor().start, b);
  EXPECT_EQ(Lib().Cursor().next, b + 16);
  EXPECT_EQ(Lib().Cursor().total, 16u);

  for (int32_t index : {4, -1, INT32_MAX}) {
    length = kUntouched;
    EXPECT_EQ(Lib().Text().GetWordCont(index, buffer.data(), 16, &length), kDunmoorRefused) << index;
    EXPECT_EQ(length, kUntouched);
    EXPECT_EQ(Lib().Cursor().start, b);
  }
}

TEST_F(ThreeEntries, GetWordContNextGoesOnAndReadsPastTheEndWithFewerBytes) {
  ASSERT_EQ(Lib().Text().GetWordCont(0, buffer.data(), 16, &length), static_cast<int32_t>(a));
  EXPECT_EQ(Lib().Text().GetWordContNext(buffer.data(), 16, &length), static_cast<int32_t>(a + 16));
  EXPECT_EQ(Head(buffer, length), book.At(a + 16, 16));

  book.SetHits({4090});
  ASSERT_EQ(Lib().Text().GetWordCont(0, buffer.data(), 16, &length), 4090);
  EXPECT_EQ(length, 6u);
  EXPECT_EQ(Lib().Text().GetWordContNext(buffer.data(), 16, &length), 4096);
  EXPECT_EQ(length, 0u);
  EXPECT_EQ(Lib().Cursor().next, 4096u);
}

TEST_F(ThreeEntries, GetWordContLastWalksBackwardsToTheStartOfTheFile) {
  std::vector<char> big = Filled(0x10000);
  // Nothing read yet: start is 0, so there is nothing before it.
  EXPECT_EQ(Lib().Text().GetWordContLast(big.data(), 0x10000, &length), 0);
  EXPECT_EQ(length, 0u);

  book.SetHits({3000, 1000});
  ASSERT_EQ(Lib().Text().GetWordCont(0, buffer.data(), 16, &length), 3000);
  EXPECT_EQ(Lib().Text().GetWordContLast(big.data(), 2048, &length), 952);
  EXPECT_EQ(length, 2048u);
  EXPECT_EQ(Head(big, length), book.At(952, 2048));
  EXPECT_EQ(Lib().Cursor().next, 3000u);

  ASSERT_EQ(Lib().Text().GetWordCont(1, buffer.data(), 16, &length), 1000);
  big = Filled(0x10000);
  EXPECT_EQ(Lib().Text().GetWordContLast(big.data(), 0x10000, &length), 0);
  EXPECT_EQ(length, 1000u);
  EXPECT_EQ(Head(big, length), book.At(0, 1000));
  EXPECT_EQ(big[1000], '\x5A');
  EXPECT_EQ(Lib().Text().GetWordContLast(big.data(), 0x10000, &length), 0);
  EXPECT_EQ(length, 0u);
}

TEST_F(ThreeEntries, GetContLastNoSetPeeksWithoutMovingTheCursor) {
  ASSERT_EQ(Lib().Text().GetWordCont(1, buffer.data(), 100, &length), static_cast<int32_t>(b));
  std::vector<char> peek = Filled(0x8000);
  EXPECT_EQ(Lib().Text().GetContLastNoSet(peek.data(), 50, &length), 1);
  EXPECT_EQ(length, 50u);
  EXPECT_EQ(Head(peek, 50), book.At(b - 50, 50));
  EXPECT_EQ(Lib().Cursor().start, b);
  EXPECT_EQ(Lib().Cursor().next, b + 100);
  EXPECT_EQ(Lib().Cursor().total, 100u);
  // The next forward read goes on as if the peek had not happened.
  EXPECT_EQ(Lib().Text().GetWordContNext(buffer.data(), 8, &length), static_cast<int32_t>(b + 100));
}

TEST_F(ThreeEntries, ASizeOfZeroReadsNothing) {
  EXPECT_EQ(Lib().Text().GetWordCont(2, buffer.data(), 0, &length), static_cast<int32_t>(c));
  EXPECT_EQ(length, 0u);
  EXPECT_EQ(buffer[0], '\x5A');
  EXPECT_EQ(Lib().Text().GetWordContNext(buffer.data(), 0, &length), static_cast<int32_t>(c));
  EXPECT_EQ(Lib().Text().GetWordContLast(buffer.data(), 0, &length), static_cast<int32_t>(c));
  EXPECT_EQ(length, 0u);
}

// ---- Arguments and the missing book ---------------------------------------------------

using Reader = std::function<int32_t(Library&, char*, uint32_t*)>;
struct NamedReader {
  const char* name;
  Reader read;
  int32_t refused;  // result for a null pointer
};

std::vector<NamedReader> AllTextReaders() {
  return {
      {"GetWordCont", [](Library& l, char* p, uint32_t* n) { return l.Text().GetWordCont(0, p, 16, n); }, kDunmoorRefused},
      {"GetWordContNext", [](Library& l, char* p, uint32_t* n) { return l.Text().GetWordContNext(p, 16, n); }, kDunmoorRefused},
      {"GetWordContLast", [](Library& l, char* p, uint32_t* n) { return l.Text().GetWordContLast(p, 16, n); }, kDunmoorRefused},
      {"GetContLastNoSet", [](Library& l, char* p, uint32_t* n) { return l.Text().GetContLastNoSet(p, 16, n); }, 0},
      {"epwGetWordContent", [](Library& l, char* p, uint32_t* n) { return l.Text().GetWordContent(0, p, 16, n); }, kDunmoorRefused},
      {"epwGetNextContentByWord", [](Library& l, char* p, uint32_t* n) { return l.Text().GetNextContentByWord(p, 16, n); }, kDunmoorRefused},
      {"epwGetLastContentByWord", [](Library& l, char* p, uint32_t* n) { return l.Text().GetLastContentByWord(p, 16, n); }, kDunmoorRefused},
      {"GetLinkContent", [](Library& l, char* p, uint32_t* n) { return l.Links().GetLinkContent(kReference, p, 16, n); }, kDunmoorRefused},
      {"GetLinkContByPt", [](Library& l, char* p, uint32_t* n) { return l.Links().GetLinkContByPt(0, p, 16, n); }, kDunmoorRefused},
      {"epwGetLinkContent", [](Library& l, char* p, uint32_t* n) { return l.Links().GetLinkContentEntry(kReference, p, 16, n); }, kDunmoorRefused},
  };
}

TEST_F(ThreeEntries, NullBuffersAndLengthsAreRefused) {
  for (const NamedReader& r : AllTextReaders()) {
    length = kUntouched;
    EXPECT_EQ(r.read(Lib(), nullptr, &length), r.refused) << r.name;
    EXPECT_EQ(length, kUntouched) << r.name;
    EXPECT_EQ(r.read(Lib(), buffer.data(), nullptr), r.refused) << r.name;
    EXPECT_EQ(buffer[0], '\x5A') << r.name;
  }
  EXPECT_EQ(Lib().Cursor().start, 0u);
  EXPECT_EQ(Lib().Cursor().currentHit, -1);
}

TEST(TextReaders, WithoutAnOpenBookEveryReaderFailsAndTouchesNothing) {
  Library lib;
  std::vector<char> buffer = Filled(16);
  for (const NamedReader& r : AllTextReaders()) {
    uint32_t length = kUntouched;
    EXPECT_EQ(r.read(lib, buffer.data(), &length), r.refused == 0 ? 0 : kDunmoorFailed) << r.name;
    EXPECT_EQ(length, kUntouched) << r.name;
    EXPECT_EQ(buffer[0], '\x5A') << r.name;
  }
  EXPECT_EQ(lib.Links().GetMenuHead(), kDunmoorFailed);
}

// ---- epwGetWordContent (an entry ends at the next entry's keyword) ----------------------

TEST_F(ThreeEntries, AnEntryLongerThanTheBufferComesInPiecesAndAskingAgainRestarts) {
  EXPECT_EQ(Lib().Text().GetWordContent(0, buffer.data(), 100, &length), kDunmoorGoesOn);
  EXPECT_EQ(length, 100u);
  EXPECT_EQ(Head(buffer, 100), book.At(a, 100));
  EXPECT_EQ(Lib().Text().GetWordContent(0, buffer.data(), 100, &length), kDunmoorSuccess);
  EXPECT_EQ(length, 30u);
  EXPECT_EQ(Head(buffer, 30), book.At(a + 100, 30));
  EXPECT_EQ(Lib().Cursor().next, b);
  EXPECT_EQ(Lib().Cursor().complete, 1u);
  EXPECT_EQ(Lib().Cursor().currentHit, -1);
  EXPECT_EQ(Lib().Book()->Hits()[0].seen, 1u);

  EXPECT_EQ(Lib().Text().GetWordContent(0, buffer.data(), 100, &length), kDunmoorGoesOn);
  EXPECT_EQ(Head(buffer, length), book.At(a, 100));
}

TEST_F(ThreeEntries, OnlyEntryStartCodesEndAnEntryNotTheEndOfText) {
  // B holds a keyword 1F 41 02: not an entry start, B runs on to C.
  EXPECT_EQ(Lib().Text().GetWordContent(1, buffer.data(), 0x1000, &length), kDunmoorSuccess);
  EXPECT_EQ(length, c - b);
  // C is followed by 1F 03: that does not end it, D's keyword does.
  EXPECT_EQ(Lib().Text().GetWordContent(2, buffer.data(), 0x1000, &length), kDunmoorSuccess);
  EXPECT_EQ(length, d - c);
  EXPECT_EQ(Lib().Cursor().next, d);
  // Another hit clears every seen flag and starts afresh.
  EXPECT_EQ(Lib().Book()->Hits()[1].seen, 0u);
  EXPECT_EQ(Lib().Book()->Hits()[2].seen, 1u);
}

TEST_F(ThreeEntries, AnEntryThatRunsToTheEndOfTheFileEnds) {
  // D is the last entry: past its 1F 03 come the zero bytes of the last block.
  EXPECT_EQ(Lib().Text().GetWordContent(3, buffer.data(), 0x1000, &length), kDunmoorSuccess);
  EXPECT_EQ(length, 4096 - d);
  EXPECT_EQ(Lib().Text().GetWordContent(3, buffer.data(), 1000, &length), kDunmoorGoesOn);
  EXPECT_EQ(Lib().Text().GetWordContent(3, buffer.data(), 1000, &length), kDunmoorSuccess);
  EXPECT_EQ(length, 4096 - d - 1000);
}

TEST_F(ThreeEntries, AKeywordCutByTheEndOfTheBufferIsSeenInTheNextPiece) {
  // Pieces of 131 and 132 bytes end with B's 1F, or 1F 41: those bytes come again next time.
  for (uint32_t size : {131u, 132u}) {
    EXPECT_EQ(Lib().Text().GetWordContent(0, buffer.data(), size, &length), kDunmoorGoesOn) << size;
    EXPECT_EQ(length, 130u) << size;
    EXPECT_EQ(Lib().Text().GetWordContent(0, buffer.data(), size, &length), kDunmoorSuccess) << size;
    EXPECT_EQ(length, 0u) << size;
    EXPECT_EQ(Lib().Cursor().next, b) << size;
  }
}

TEST_F(ThreeEntries, HitIndexesOutsideTheHitsFailWithoutChangingAnything) {
  // -1 is also the "no current hit" value: it is not taken as a continuation.
  for (int32_t index : {-1, 4}) {
    length = kUntouched;
    EXPECT_EQ(Lib().Text().GetWordContent(index, buffer.data(), 16, &length), kDunmoorFailed) << index;
    EXPECT_EQ(length, 0u);
    EXPECT_EQ(buffer[0], '\x5A');
    EXPECT_EQ(Lib().Cursor().currentHit, -1);
    EXPECT_EQ(Lib().Cursor().start, 0u);
  }
}

// ---- epwGetNextContentByWord / epwGetLastContentByWord -----------------------------------

TEST_F(ThreeEntries, NextEntryStopsAtTheSecondKeywordOrAtEndOfText) {
  ASSERT_EQ(Lib().Text().GetWordContent(0, buffer.data(), 0x1000, &length), kDunmoorSuccess);
  EXPECT_EQ(Lib().Text().GetNextContentByWord(buffer.data(), 0x1000, &length), kDunmoorSuccess);
  EXPECT_EQ(length, c - b);
  EXPECT_EQ(Head(buffer, length), book.At(b, c - b));
  EXPECT_EQ(Lib().Text().GetNextContentByWord(buffer.data(), 0x1000, &length), kDunmoorSuccess);
  EXPECT_EQ(length, 20u);  // C up to its 1F 03
  EXPECT_EQ(Lib().Cursor().next, c + 20);
  // Standing on 1F 03: an empty entry, again and again.
  EXPECT_EQ(Lib().Text().GetNextContentByWord(buffer.data(), 0x1000, &length), kDunmoorSuccess);
  EXPECT_EQ(length, 0u);
  EXPECT_EQ(Lib().Cursor().next, c + 20);
}

TEST_F(ThreeEntries, NextEntryInPiecesEndsAtTheFirstKeywordOfAContinuation) {
  ASSERT_EQ(Lib().Text().GetWordContent(0, buffer.data(), 0x1000, &length), kDunmoorSuccess);
  EXPECT_EQ(Lib().Text().GetNextContentByWord(buffer.data(), 16, &length), kDunmoorGoesOn);
  EXPECT_EQ(length, 16u);
  EXPECT_EQ(Lib().Cursor().more, 1u);
  // The second piece ends with the 1F 41 of B's inner keyword: held back, it could open an entry.
  EXPECT_EQ(Lib().Text().GetNextContentByWord(buffer.data(), 16, &length), kDunmoorGoesOn);
  EXPECT_EQ(length, 14u);
  EXPECT_EQ(Lib().Text().GetNextContentByWord(buffer.data(), 16, &length), kDunmoorSuccess);
  EXPECT_EQ(length, 8u);
  EXPECT_EQ(Head(buffer, length), book.At(b + 30, 8));
  EXPECT_EQ(Lib().Cursor().next, c);
  EXPECT_EQ(Lib().Cursor().more, 0u);

  // A piece ending with C's 1F: the continuation begins with the whole keyword and ends there.
  ASSERT_EQ(Lib().Text().GetWordContent(0, buffer.data(), 0x1000, &length), kDunmoorSuccess);
  EXPECT_EQ(Lib().Text().GetNextContentByWord(buffer.data(), 39, &length), kDunmoorGoesOn);
  EXPECT_EQ(length, 38u);
  EXPECT_EQ(Lib().Text().GetNextContentByWord(buffer.data(), 39, &length), kDunmoorSuccess);
  EXPECT_EQ(length, 0u);
  EXPECT_EQ(Lib().Cursor().next, c);
}

TEST_F(ThreeEntries, APeekBetweenPiecesDoesNotDisturbTheEntry) {
  ASSERT_EQ(Lib().Text().GetWordContent(0, buffer.data(), 0x1000, &length), kDunmoorSuccess);
  ASSERT_EQ(Lib().Text().GetNextContentByWord(buffer.data(), 16, &length), kDunmoorGoesOn);
  std::vector<char> peek = Filled(64);
  EXPECT_EQ(Lib().Text().GetContLastNoSet(peek.data(), 8, &length), 1);
  EXPECT_EQ(Head(peek, 8), book.At(b - 8, 8));
  EXPECT_EQ(Lib().Text().GetNextContentByWord(buffer.data(), 0x1000, &length), kDunmoorSuccess);
  EXPECT_EQ(Head(buffer, length), book.At(b + 16, 22));
}

TEST_F(ThreeEntries, PreviousEntryWalksBackUntilTheFirstEntry) {
  ASSERT_EQ(Lib().Text().GetWordCont(2, buffer.data(), 4, &length), static_cast<int32_t>(c));
  EXPECT_EQ(Lib().Text().GetLastContentByWord(buffer.data(), 0x1000, &length), kDunmoorSuccess);
  EXPECT_EQ(length, c - b);
  EXPECT_EQ(Head(buffer, length), book.At(b, c - b));
  EXPECT_EQ(Lib().Cursor().start, b);
  EXPECT_EQ(Lib().Text().GetLastContentByWord(buffer.data(), 0x1000, &length), kDunmoorSuccess);
  EXPECT_EQ(length, b - a);
  EXPECT_EQ(Lib().Cursor().next, b);
  // Before A lies only the index table: nothing to find, the cursor stays.
  length = kUntouched;
  EXPECT_EQ(Lib().Text().GetLastContentByWord(buffer.data(), 0x1000, &length), kDunmoorFailed);
  EXPECT_EQ(length, 0u);
  EXPECT_EQ(Lib().Cursor().start, a);
  EXPECT_EQ(Lib().Cursor().next, b);
}

TEST_F(ThreeEntries, PreviousEntryBelowTheFirstTextBlockFails) {
  EXPECT_EQ(Lib().Text().GetLastContentByWord(buffer.data(), 0x1000, &length), kDunmoorFailed);  // start 0
  book.SetHits({2000});
  ASSERT_EQ(Lib().Text().GetWordCont(0, buffer.data(), 4, &length), 2000);
  EXPECT_EQ(Lib().Text().GetLastContentByWord(buffer.data(), 0x1000, &length), kDunmoorFailed);
  EXPECT_EQ(Lib().Cursor().start, 2000u);
}

TEST_F(ThreeEntries, TheFamiliesShareOneCursor) {
  ASSERT_EQ(Lib().Text().GetWordContent(0, buffer.data(), 0x1000, &length), kDunmoorSuccess);
  EXPECT_EQ(Lib().Text().GetWordContNext(buffer.data(), 8, &length), static_cast<int32_t>(b));
  EXPECT_EQ(Lib().Text().GetWordContLast(buffer.data(), 8, &length), static_cast<int32_t>(b - 8));
  EXPECT_EQ(Lib().Text().GetNextContentByWord(buffer.data(), 0x1000, &length), kDunmoorSuccess);
  EXPECT_EQ(Head(buffer, length), book.At(b, c - b));
  ASSERT_EQ(Lib().Text().GetWordCont(1, buffer.data(), 4, &length), static_cast<int32_t>(b));
  EXPECT_EQ(Lib().Text().GetLastContentByWord(buffer.data(), 0x1000, &length), kDunmoorSuccess);
  EXPECT_EQ(Head(buffer, length), book.At(a, b - a));
}

TEST(PreviousEntry, LooksBackOverLongEntriesAndBlockEdgesForUpToTwoHundredBlocks) {
  const struct {
    const char* what;
    std::vector<std::pair<char, int>> entries;  // letter, length; the hit is on the last entry
    int filler;                                 // letters z after the first entry
    size_t found;                               // index of the entry expected
  } cases[] = {
      {"keyword two blocks back", {{'A', 1500}, {'B', 3}}, 0, 0},
      // X's keyword 1F 41 | 01 straddles a block edge read backwards; W must not be taken instead.
      {"keyword across a block edge", {{'W', 10}, {'X', 1020}, {'Y', 3}}, 0, 1},
      // A lies 201 blocks back, one out of reach: Y itself comes again.
      {"keyword out of reach", {{'A', 5}, {'Y', 3}}, 205000, 1},
  };
  for (const auto& c : cases) {
    fixture::TextArea t;
    t.Raw({0x1F, 0x02});
    std::vector<uint32_t> at;
    for (const auto& [letter, count] : c.entries) {
      at.push_back(t.Entry(letter, count));
      if (at.size() == 1) t.Letters('z', c.filler);
    }
    t.Raw({0x1F, 0x03});
    fixture::TextBook book(t);
    book.SetHits({at.back()});
    std::vector<char> buffer = Filled(0x2000);
    uint32_t length = 0;
    ASSERT_EQ(book.Lib().Text().GetWordCont(0, buffer.data(), 4, &length), static_cast<int32_t>(at.back())) << c.what;
    EXPECT_EQ(book.Lib().Text().GetLastContentByWord(buffer.data(), 0x2000, &length), kDunmoorSuccess) << c.what;
    EXPECT_EQ(book.Lib().Cursor().start, at[c.found]) << c.what;
    uint32_t end = c.found + 1 < at.size() ? at[c.found + 1] : at.back() + 16;  // 16: Y up to its 1F 03
    EXPECT_EQ(length, end - at[c.found]) << c.what;
  }
}

// ---- The disc check -----------------------------------------------------------------------

TEST_F(ThreeEntries, AChangeUnderTheDataDirectoryFailsExactlyTheNextRead) {
  struct Case {
    const char* name;
    std::function<void()> prepare;
    std::function<int32_t()> read;
    int32_t failed;
    uint32_t lengthAfterFailure;
  };
  char* p = buffer.data();
  uint32_t* n = &length;
  Library& lib = Lib();
  auto toC = [&] { ASSERT_EQ(lib.Text().GetWordCont(2, p, 4, n), static_cast<int32_t>(c)); };
  const Case cases[] = {
      {"GetWordCont", [] {}, [&] { return lib.Text().GetWordCont(0, p, 16, n); }, kDunmoorFailed, kUntouched},
      {"GetWordContNext", [] {}, [&] { return lib.Text().GetWordContNext(p, 2, n); }, kDunmoorFailed, kUntouched},
      {"GetWordContLast", toC, [&] { return lib.Text().GetWordContLast(p, 2, n); }, kDunmoorFailed, kUntouched},
      {"GetContLastNoSet", toC, [&] { return lib.Text().GetContLastNoSet(p, 2, n); }, 0, kUntouched},
      {"epwGetWordContent", [] {}, [&] { return lib.Text().GetWordContent(0, p, 0x1000, n); }, kDunmoorFailed, 0},
      {"epwGetNextContentByWord", [] {}, [&] { return lib.Text().GetNextContentByWord(p, 0x1000, n); }, kDunmoorFailed, 0},
      {"epwGetLastContentByWord", toC, [&] { return lib.Text().GetLastContentByWord(p, 0x1000, n); }, kDunmoorFailed, 0},
      {"GetLinkContent", [] {}, [&] { return lib.Links().GetLinkContent(kReference, p, 16, n); }, kDunmoorFailed, kUntouched},
      {"GetLinkContByPt", [] {}, [&] { return lib.Links().GetLinkContByPt(2048, p, 16, n); }, kDunmoorFailed, kUntouched},
      {"epwGetLinkContent", [] {}, [&] { return lib.Links().GetLinkContentEntry(kReference, p, 0x100, n); }, kDunmoorFailed, 0},
  };
  int i = 0;
  for (const Case& k : cases) {
    k.prepare();
    testfiles::WriteFile(book.DataDir() / ("NEW" + std::to_string(i++)), Bytes(4, 1));
    length = kUntouched;
    EXPECT_EQ(ReadUntilFailure([&] {
                length = kUntouched;
                return k.read();
              }, k.failed),
              k.failed)
        << k.name;
    EXPECT_EQ(length, k.lengthAfterFailure) << k.name;
    EXPECT_NE(k.read(), k.failed) << k.name << ": only the first read after the change fails";
  }
}

// Headings come from a window of the text file that is kept while the change watch vouches for
// every change (a local drive, on Windows too). A rewrite that keeps the file's size fails the
// next read once the watch hears of it, and the read after that gives the heading as it is now.
TEST(KeptHeadings, ARewriteOfTheSameSizeFailsTheNextReadThenTheNewHeadingIsRead) {
  fixture::TextArea t;
  const uint32_t at = t.Entry('A', 4);
  t.Entry('B', 4);
  fixture::TextBook book(t);
  BookState* state = book.Lib().Book();
  ASSERT_TRUE(state->KeepsPages()) << "a book on a local drive is read through the kept window";
  state->Hits() = {{at, at, 0}};
  char heading[kDunmoorHeadingSize];
  WordItem item{{}, heading};
  ASSERT_EQ(book.Lib().GetWordItem(0, &item), kDunmoorSuccess);
  ASSERT_EQ(Bytes(heading, heading + 6), (Bytes{0x1F, 0x41, 0x01, 0x00, 0x23, 'A'}));  // as the book has it

  Bytes file = book.File();
  file[at + 5] = 'C';  // the keyword's letter: full-width A becomes full-width C
  const std::filesystem::path path = book.DataDir() / "HONMON";
  state->TextFile().Close();  // Windows will not replace a file that is open
  testfiles::WriteFile(path, file);
  ASSERT_TRUE(state->TextFile().Open(path.string()));
  EXPECT_EQ(ReadUntilFailure([&] { return book.Lib().GetWordItem(0, &item); }, kDunmoorFailed), kDunmoorFailed);
  ASSERT_EQ(book.Lib().GetWordItem(0, &item), kDunmoorSuccess);
  EXPECT_EQ(Bytes(heading, heading + 6), (Bytes{0x1F, 0x41, 0x01, 0x00, 0x23, 'C'}));
}

// ---- The sample book ------------------------------------------------------------------

class Sample : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(sample.opened) << testfiles::BuiltBook("sample") << " is made by the native build (book_sample)";
    ai = sample.entries.at("ai");
    second = sample.EntryAfter(ai);
    sample.lib.Book()->Hits() = {{ai, 0, 0}, {second, 0, 0}};
  }
  Bytes At(uint32_t from, uint32_t count) const { return sample.At(from, count); }

  fixture::SampleBook sample;
  uint32_t ai = 0, second = 0;
  std::vector<char> buffer = Filled(0x40000);
  uint32_t length = 0;
};

TEST_F(Sample, RawReadersDeliverTheFileAsItIs) {
  Library& lib = sample.lib;
  uint32_t size = static_cast<uint32_t>(sample.file.size());
  EXPECT_EQ(lib.Text().GetWordCont(0, buffer.data(), 0x40000, &length), static_cast<int32_t>(ai));
  EXPECT_EQ(length, size - ai);
  EXPECT_EQ(Head(buffer, length), At(ai, size - ai));
  EXPECT_EQ(lib.Text().GetWordContNext(buffer.data(), 0x20000, &length), static_cast<int32_t>(size));
  EXPECT_EQ(length, 0u);
  EXPECT_EQ(lib.Text().GetContLastNoSet(buffer.data(), 0x8000, &length), 1);
  EXPECT_EQ(Head(buffer, length), At(size - 0x8000, 0x8000));
  EXPECT_EQ(lib.Text().GetWordContLast(buffer.data(), 0x10000, &length), static_cast<int32_t>(size - 0x10000));
  EXPECT_EQ(Head(buffer, length), At(size - 0x10000, 0x10000));
}

TEST_F(Sample, EntryReadersDeliverWholeEntries) {
  // Each entry of the book begins with an indent code (1F 09 00 01) before its keyword; an entry
  // read this way runs to the next keyword, so that code comes with the entry before.
  constexpr uint32_t kIndentCode = 4;
  Library& lib = sample.lib;
  EXPECT_EQ(lib.Text().GetWordContent(0, buffer.data(), 0x40000, &length), kDunmoorSuccess);
  EXPECT_EQ(Head(buffer, length), At(ai, second + kIndentCode - ai));
  EXPECT_EQ(lib.Text().GetNextContentByWord(buffer.data(), 0x40000, &length), kDunmoorSuccess);
  uint32_t third = sample.EntryAfter(second);
  EXPECT_EQ(Head(buffer, length), At(second + kIndentCode, third - second));
  // Back one entry: from its keyword on.
  EXPECT_EQ(lib.Text().GetLastContentByWord(buffer.data(), 0x40000, &length), kDunmoorSuccess);
  EXPECT_EQ(Head(buffer, length), At(ai + kIndentCode, second - ai));
}

}  // namespace
}  // namespace dunmoor
