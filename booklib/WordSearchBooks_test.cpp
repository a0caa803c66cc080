// Word search on whole books made by the book builder: every leaf layout, multi-level trees,
// runs of hits across many leaf pages, groups, damaged index pages.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <cstring>
#include <filesystem>
#include <thread>
#include <set>

#include "BookBuild.h"
#include "Library.h"
#include "TestFiles.h"
#include "WordSearch.h"
#include "test/JisKeys.h"

namespace dunmoor {
namespace {

using fixture::JisBytes;

std::string Utf8(const std::u32string& text) {
  std::string out;
  for (char32_t c : text) booktext::AppendUtf8(&out, c);
  return out;
}

struct Word {
  std::string id;
  std::vector<std::pair<std::string, std::u32string>> keys;  // index name, word
};

// A book SEARCH with the given index lines and one entry per word.
std::string Source(const std::string& indexes, const std::vector<Word>& words) {
  std::string s = "book SEARCH\n" + indexes + "\n";
  for (const Word& w : words) {
    s += "entry " + w.id + "\n";
    for (const auto& [index, word] : w.keys) s += "  key " + index + " " + Utf8(word) + "\n";
    s += "  text\n<kw>" + w.id + "</kw>\nend\n";
  }
  return s;
}

class SearchBook : public ::testing::Test {
 protected:
  void Open(const std::string& source) {
    bookbuild::BuildStatus status = bookbuild::BuildDisc(source, root.Str(), &map);
    ASSERT_TRUE(status.ok) << status.message;
    ASSERT_EQ(lib.OpenEpwing(root.Str().c_str()), kDunmoorSuccess);
    ASSERT_EQ(lib.BooksOpen(), kDunmoorSuccess);
  }

  // The result and the IDs of the entries hit, in hit order.
  int32_t Search(const std::u32string& word, std::vector<std::string>* ids = nullptr) {
    std::string key = JisBytes(word);
    WordProperties props{-7, 0};
    int32_t result = lib.GetWordProperties(key.data(), &props);
    if (result == kDunmoorSuccess) {
      EXPECT_EQ(props.hitCount, static_cast<int32_t>(lib.Book()->Hits().size()));
      EXPECT_EQ(props.itemSize, 500u);
    } else {
      EXPECT_EQ(props.hitCount, -7);  // not filled
    }
    if (ids) {
      ids->clear();
      for (const HitRecord& hit : lib.Book()->Hits()) ids->push_back(IdAt(hit.textPosition));
    }
    return result;
  }

  std::vector<std::string> Hits(const std::u32string& word) {
    std::vector<std::string> ids;
    Search(word, &ids);
    return ids;
  }

  std::string IdAt(uint32_t position) const {
    for (const auto& [id, pos] : map.books[0].entryText)
      if (pos == position) return id;
    return "?";
  }

  testfiles::TempDir root;
  bookbuild::LayoutMap map;
  Library lib;
};

using Ids = std::vector<std::string>;

const char kAllIndexes[] =
    "index kana id=0x90 layout=group\nindex asis id=0x91\nindex alpha id=0x92\nindex rkana id=0x70 layout=group";

const std::vector<Word> kKanaWords = {
    {"gakkou", {{"kana", U"がっこう"}, {"asis", U"学校"}}},
    {"kaado", {{"kana", U"カード"}}},
    {"kakko", {{"kana", U"かっこ"}, {"asis", U"括弧"}}},
    {"kakou", {{"kana", U"かこう"}, {"asis", U"下降"}}},
    {"kakou2", {{"kana", U"かこう"}, {"asis", U"加工"}}},
    {"aru", {{"kana", U"ある"}, {"rkana", U"ある"}}},
    {"naru", {{"kana", U"なる"}, {"rkana", U"なる"}}},
    {"book", {{"alpha", U"book"}}},
    {"books", {{"alpha", U"bookshelf"}}},
    {"n100", {{"asis", U"１００円"}}},
};

class EveryLayout : public SearchBook, public ::testing::WithParamInterface<const char*> {};

TEST_P(EveryLayout, FindsWhatTheUserTypes) {
  std::string layout = GetParam();
  // Latin words come from the viewer in upper case; in a group their members would keep the
  // source's lower case, so the alphabet index keeps a plain layout there.
  std::string alpha = layout == std::string("group") ? "variable" : layout;
  Open(Source("index kana id=0x90 layout=" + layout + "\nindex asis id=0x91 layout=" + layout +
                  "\nindex alpha id=0x92 layout=" + alpha + "\nindex rkana id=0x70 layout=" + layout,
              kKanaWords));
  EXPECT_EQ(Hits(U"かこう"), (Ids{"kakou", "kakou2"}));
  EXPECT_EQ(Hits(U"学校"), (Ids{"gakkou"}));
  EXPECT_EQ(Hits(U"ＢＯＯＫ"), (Ids{"book"}));
  EXPECT_EQ(Hits(U"ＢＯＯＫ＊"), (Ids{"book", "books"}));
  EXPECT_EQ(Hits(U"１００円"), (Ids{"n100"}));
  // In the group format the members がっこう, カード are no prefix of か as typed; the hiragana
  // twin of カード (かーど, listed by the builder as real books list it) is.
  EXPECT_EQ(Hits(U"か＊").size(), layout == std::string("group") ? 4u : 5u);
  EXPECT_EQ(Hits(U"＊る"), (Ids{"aru", "naru"}));
  EXPECT_EQ(Search(U"かこ"), kDunmoorRefused);     // a prefix of keys is no exact hit
  EXPECT_EQ(Search(U"あ"), kDunmoorRefused);       // sorts before every key
  EXPECT_EQ(Search(U"んんん"), kDunmoorRefused);   // after every key
  EXPECT_EQ(Search(U"ｚｚｚ＊"), kDunmoorRefused);
  EXPECT_EQ(Search(U"＊"), kDunmoorRefused);
  EXPECT_EQ(Search(U"　　"), kDunmoorRefused);
}

TEST_P(EveryLayout, WordsInTheirWrittenFormNeedTheGroupFormat) {
  // Only the group format keeps the written form beside the normalised one: in the other
  // layouts the typed-key rule lets a word through only when typed in its normal form.
  std::string layout = GetParam();
  Open(Source("index kana id=0x90 layout=" + layout +
                  "\nindex asis id=0x91\nindex alpha id=0x92\nindex rkana id=0x70",
              kKanaWords));
  if (layout == std::string("group")) {
    EXPECT_EQ(Hits(U"がっこう"), (Ids{"gakkou"}));
    EXPECT_EQ(Hits(U"カード"), (Ids{"kaado"}));
    EXPECT_EQ(Search(U"かつこう"), kDunmoorRefused);  // the heading matches, no member is typed so
  } else {
    EXPECT_EQ(Search(U"がっこう"), kDunmoorRefused);
    EXPECT_EQ(Hits(U"かつこう"), (Ids{"gakkou"}));
  }
}

INSTANTIATE_TEST_SUITE_P(Layouts, EveryLayout, ::testing::Values("variable", "fixed:24", "group"));

TEST_F(SearchBook, HitsRunAcrossManyLeafPagesAndTheBufferBoundary) {
  // 1500 words starting with か, four to a leaf page: the run of hits crosses more than 32
  // leaf pages, so the scan refills its 64 KiB buffer.
  std::vector<Word> words;
  const std::u32string kana = U"あいうえおかきくけこさしすせそたちつてとなにぬねの";
  for (size_t i = 0; i < 1500; ++i) {
    std::u32string w = U"か";
    w += kana[i / 60 % kana.size()];
    w += kana[i / 5 % 12 + 5];
    w += kana[i % 5];
    words.push_back({"w" + std::to_string(i), {{"kana", w}}});
  }
  words.push_back({"before", {{"kana", U"あ"}}});
  words.push_back({"after", {{"kana", U"さ"}}});
  Open(Source("index kana id=0x90 layout=variable per-page=4", words));
  const bookbuild::IndexLayout* index = map.books[0].Index("kana");
  ASSERT_GE(index->NodeLevels(), 2u);
  ASSERT_GT(index->Leaves().second - index->Leaves().first, 2 * kLeafPagesPerRead);

  std::vector<std::string> ids;
  ASSERT_EQ(Search(U"か＊", &ids), kDunmoorSuccess);
  std::set<std::string> distinct(ids.begin(), ids.end());
  EXPECT_EQ(distinct.size(), 1500u);
  EXPECT_EQ(distinct.count("before") + distinct.count("after"), 0u);
  EXPECT_EQ(Hits(U"さ"), (Ids{"after"}));
  EXPECT_EQ(Hits(U"あ"), (Ids{"before"}));
  EXPECT_EQ(Hits(U"かのこお"), (Ids{"w1464"}));
}

// A node key that is the search key's beginning (か before かく) may be its child's last key
// shortened, or the whole of it: the search finds the same hits either way, also where such
// keys fill whole node pages and the entries that follow them sort below the key.
TEST_P(EveryLayout, NodeKeysThatBeginTheSearchKeyLeadToTheSameHits) {
  std::vector<Word> words;
  for (int i = 0; i < 800; ++i) words.push_back({"ka" + std::to_string(i), {{"kana", U"か"}}});
  for (int i = 0; i < 200; ++i) words.push_back({"kaa" + std::to_string(i), {{"kana", U"かあ"}}});
  words.push_back({"kaku", {{"kana", U"かく"}}});
  words.push_back({"kakugo", {{"kana", U"かくご"}}});
  words.push_back({"ki", {{"kana", U"き"}}});
  Open(Source(std::string("index kana id=0x90 per-page=4 layout=") + GetParam(), words));
  const bookbuild::IndexLayout* index = map.books[0].Index("kana");
  ASSERT_GE(index->levels.size(), 3u) << "no node page with a page of its level after it";
  ASSERT_GT(index->levels[1].second, index->levels[1].first);

  EXPECT_EQ(Hits(U"かく"), (Ids{"kaku"}));
  EXPECT_EQ(Hits(U"かく＊"), (Ids{"kaku", "kakugo"}));
  EXPECT_EQ(Hits(U"き"), (Ids{"ki"}));
  EXPECT_EQ(Hits(U"か").size(), 800u);
  EXPECT_EQ(Hits(U"か＊").size(), 1002u);
  EXPECT_EQ(Hits(U"かい"), Ids{});
}

// The headings of one search are served from a window of the text file: every heading read in
// a row, forwards and backwards, is the heading at its position in the file.
TEST_F(SearchBook, HeadingsReadInARowAreTheBookHeadings) {
  std::vector<Word> words;
  for (int i = 0; i < 600; ++i)
    words.push_back({"heading-of-entry-" + std::to_string(i * 37), {{"kana", U"か" + std::u32string(1, U'あ' + i % 80)}}});
  Open(Source("index kana id=0x90", words));
  const testfiles::Bytes file = testfiles::ReadFile(root.Path() / "SEARCH" / "DATA" / "HONMON");
  std::vector<std::string> ids;
  ASSERT_EQ(Search(U"か＊", &ids), kDunmoorSuccess);
  ASSERT_EQ(ids.size(), 600u);
  char text[kDunmoorHeadingSize];
  WordItem item{{}, text};
  auto check = [&](int32_t i) {
    ASSERT_EQ(lib.GetWordItem(i, &item), kDunmoorSuccess) << i;
    const uint32_t at = lib.Book()->Hits()[static_cast<size_t>(i)].headingPosition;
    std::string expected(file.begin() + at, file.begin() + std::min<size_t>(at + 499, file.size()));
    expected = expected.substr(0, expected.find("\x1F\x0A"));
    EXPECT_EQ(std::string(text), expected) << i;
  };
  for (int32_t i = 0; i < 600; ++i) check(i);
  for (int32_t i = 599; i >= 0; i -= 7) check(i);
}

// The node pages every search walks are kept between searches; a change of the book is seen
// by the next search (it fails once), and the one after reads the pages as they are now.
TEST_F(SearchBook, KeptIndexPagesGoWhenTheBookChanges) {
  std::vector<Word> words;
  for (char32_t c : std::u32string(U"あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめも"))
    words.push_back({"w" + std::to_string(c), {{"kana", std::u32string(2, c)}}});
  Open(Source("index kana id=0x90 layout=variable per-page=4", words));
  const bookbuild::IndexLayout* index = map.books[0].Index("kana");
  ASSERT_GE(index->NodeLevels(), 2u);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Hits(U"かか"), (Ids{"w" + std::to_string(U'か')}));

  // The root page, same size: no entries left, and the last page of its level.
  std::filesystem::path text = root.Path() / "SEARCH" / "DATA" / "HONMON";
  testfiles::Bytes bytes = testfiles::ReadFile(text);
  const size_t at = (index->startPage - 1) * 2048;
  bytes[at] = 0x20;
  bytes[at + 2] = bytes[at + 3] = 0;
  testfiles::WriteFile(text, bytes);
  int32_t first = kDunmoorSuccess;
  for (int i = 0; i < 40 && first == kDunmoorSuccess; ++i) {  // the watch reports through the system
    first = Search(U"かか");
    if (first == kDunmoorSuccess) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  EXPECT_EQ(first, kDunmoorFailed);
  EXPECT_EQ(Search(U"かか"), kDunmoorRefused) << "a kept page of the book as it was";
}

// The same for the window that headings are read from: after a change of the book, a heading
// is read as it is now.
TEST_F(SearchBook, KeptHeadingsGoWhenTheBookChanges) {
  Open(Source("index asis id=0x91", {{"a", {{"asis", U"亜"}}}, {"b", {{"asis", U"井"}}}}));
  ASSERT_EQ(Search(U"亜"), kDunmoorSuccess);
  char text[kDunmoorHeadingSize];
  WordItem item{{}, text};
  ASSERT_EQ(lib.GetWordItem(0, &item), kDunmoorSuccess);
  const std::string before = text;
  ASSERT_FALSE(before.empty());

  std::filesystem::path file = root.Path() / "SEARCH" / "DATA" / "HONMON";
  testfiles::Bytes bytes = testfiles::ReadFile(file);
  const uint32_t at = lib.Book()->Hits()[0].headingPosition;
  bytes[at] ^= 0x01;  // same size, another first character
  testfiles::WriteFile(file, bytes);
  int32_t first = kDunmoorSuccess;
  for (int i = 0; i < 40 && first == kDunmoorSuccess; ++i) {  // the watch reports through the system
    first = lib.GetWordItem(0, &item);
    if (first == kDunmoorSuccess) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  EXPECT_EQ(first, kDunmoorFailed);
  ASSERT_EQ(lib.GetWordItem(0, &item), kDunmoorSuccess);
  EXPECT_EQ(static_cast<uint8_t>(text[0]), static_cast<uint8_t>(before[0] ^ 0x01));
  EXPECT_EQ(std::string(text + 1), before.substr(1));
}

TEST_F(SearchBook, ConsecutiveEntriesOfOneTextGiveOneHit) {
  Open(Source("index asis id=0x91 layout=variable keys=raw",
              {{"one", {{"asis", U"柿"}, {"asis", U"柿"}}}, {"two", {{"asis", U"柿"}}}}));
  EXPECT_EQ(Hits(U"柿"), (Ids{"one", "two"}));
}

TEST_F(SearchBook, GroupMembersAreHitsOnlyWhenTypedAsWritten) {
  Open(Source("index kana id=0x90 layout=group",
              {{"hashi1", {{"kana", U"はし"}}}, {"hashi2", {{"kana", U"ばし"}}}, {"hashi3", {{"kana", U"ぱし"}}},
               {"hashi4", {{"kana", U"はし"}}}}));
  EXPECT_EQ(Hits(U"ばし"), (Ids{"hashi2"}));
  EXPECT_EQ(Hits(U"ぱし"), (Ids{"hashi3"}));
  EXPECT_EQ(Hits(U"はし"), (Ids{"hashi1", "hashi4"}));
  // A prefix search compares members with the typed key too: は＊ does not reach ばし, ぱし.
  EXPECT_EQ(Hits(U"は＊"), (Ids{"hashi1", "hashi4"}));
}

TEST_F(SearchBook, HeadingsAreCutAtTheirNewlineCode) {
  std::string source =
      "book SEARCH\nindex asis id=0x91\n"
      "entry a\n  key asis 亜\n  heading 二十文字の見出し語ここまでここまでここま\n  text\n<kw>亜</kw>\nend\n"
      "entry b\n  key asis 井\n  heading <raw 1F 0A>\n  text\n<kw>井</kw>\nend\n";
  Open(source);
  char text[500];
  std::memset(text, 'x', sizeof text);
  WordItem item{};
  std::memset(item.user, 0x5A, sizeof item.user);
  item.text = text;
  ASSERT_EQ(Search(U"亜"), kDunmoorSuccess);
  ASSERT_EQ(lib.GetWordItem(0, &item), kDunmoorSuccess);
  EXPECT_EQ(std::strlen(text), 40u);  // 20 characters, then 1F 0A
  EXPECT_EQ(std::string(text, 4), JisBytes(U"二十"));
  EXPECT_EQ(item.user[79], 0x5A);  // the caller's own bytes
  EXPECT_EQ(lib.GetWordItem(1, &item), kDunmoorRefused);
  EXPECT_EQ(lib.GetWordItem(-1, &item), kDunmoorRefused);
  ASSERT_EQ(Search(U"井"), kDunmoorSuccess);
  ASSERT_EQ(lib.GetWordItem(0, &item), kDunmoorSuccess);
  EXPECT_STREQ(text, "");  // 1F 0A at once: an empty heading
}

TEST_F(SearchBook, TheKeyComesBackNormalised) {
  Open(Source(kAllIndexes, kKanaWords));
  for (const auto& [typed, searched] : {std::pair{U"　がっこう＊", U"かつこう"}, {U"＊ある", U"るあ"}}) {
    std::string key = JisBytes(typed);
    WordProperties props;
    ASSERT_EQ(lib.GetWordProperties(key.data(), &props), kDunmoorSuccess);
    EXPECT_STREQ(key.c_str(), JisBytes(searched).c_str());
  }
  EXPECT_EQ(lib.Book()->LastSearchMode(), 2);  // ＊ある is searched backwards
}

TEST_F(SearchBook, ANewSearchReplacesTheHits) {
  Open(Source(kAllIndexes, kKanaWords));
  EXPECT_EQ(Hits(U"かこう").size(), 2u);
  EXPECT_EQ(Search(U"さ"), kDunmoorRefused);
  EXPECT_TRUE(lib.Book()->Hits().empty());
}

TEST_F(SearchBook, ArgumentsAndState) {
  Library closed;
  char key[] = "\x24\x22";
  WordProperties props;
  EXPECT_EQ(closed.GetWordProperties(key, &props), kDunmoorFailed);
  char text[500];
  WordItem item{{}, text};
  EXPECT_EQ(closed.GetWordItem(0, &item), kDunmoorFailed);
  Open(Source(kAllIndexes, kKanaWords));
  EXPECT_EQ(lib.GetWordProperties(nullptr, &props), kDunmoorRefused);
  EXPECT_EQ(lib.GetWordProperties(key, nullptr), kDunmoorRefused);
  ASSERT_EQ(Search(U"ある"), kDunmoorSuccess);
  item.text = nullptr;
  EXPECT_EQ(lib.GetWordItem(0, &item), kDunmoorRefused);
  EXPECT_EQ(lib.GetWordItem(0, nullptr), kDunmoorRefused);
}

// Damaged index pages: every search ends, with a result, and finds what is still readable.
const std::u32string kLarge = U"あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらり";

class DamagedIndex : public SearchBook {
 protected:
  void SetUp() override {
    for (int i = 0; i < 40; ++i)
      words.push_back({"w" + std::to_string(i), {{"kana", std::u32string(1, U'か') + kLarge[i]}}});
    source = Source("index kana id=0x90 layout=variable per-page=4", words);
    Open(source);  // the undamaged book, for its layout
    const bookbuild::IndexLayout* index = map.books[0].Index("kana");
    rootAt = (index->startPage - 1) * 2048;
    firstLeafAt = (index->Leaves().first - 1) * 2048;
    testfiles::Bytes bytes = testfiles::ReadFile(root.Path() / "SEARCH" / "DATA" / "HONMON");
    rootKeyLength = bytes[rootAt + 1];
    rootCount = bytes[rootAt + 3];
  }

  // The same book with patch lines added, searched for word.
  int32_t SearchDamaged(const std::string& patches, const std::u32string& word) {
    testfiles::TempDir disc;
    bookbuild::BuildStatus status = bookbuild::BuildDisc(source + patches, disc.Str(), &map);
    EXPECT_TRUE(status.ok) << status.message;
    Library damaged;
    EXPECT_EQ(damaged.OpenEpwing(disc.Str().c_str()), kDunmoorSuccess);
    EXPECT_EQ(damaged.BooksOpen(), kDunmoorSuccess);
    std::string key = JisBytes(word);
    WordProperties props;
    return damaged.GetWordProperties(key.data(), &props);
  }

  std::string Patch(uint32_t offset, const std::string& hex) {
    return "patch SEARCH/DATA/HONMON " + std::to_string(offset) + " " + hex + "\n";
  }

  // Every child of the root page set to page.
  std::string RootChildrenTo(uint32_t page) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "%02X %02X %02X %02X", page >> 24, (page >> 16) & 0xFF, (page >> 8) & 0xFF,
                  page & 0xFF);
    std::string patches;
    for (uint32_t i = 0; i < rootCount; ++i) patches += Patch(rootAt + 4 + i * (rootKeyLength + 4) + rootKeyLength, hex);
    return patches;
  }

  std::vector<Word> words;
  std::string source;
  uint32_t rootAt = 0, firstLeafAt = 0, rootKeyLength = 0, rootCount = 0;
};

TEST_F(DamagedIndex, EverySearchEndsWithAResult) {
  std::string noLastPageFlag;
  const bookbuild::IndexLayout* index = map.books[0].Index("kana");
  for (uint32_t page = index->Leaves().first; page <= index->Leaves().second; ++page)
    noLastPageFlag += Patch((page - 1) * 2048, "80");
  const struct {
    const char* what;
    std::string patches;
    std::u32string word;
    int32_t result;
  } cases[] = {
      {"undamaged", "", U"かあ", kDunmoorSuccess},
      {"root's children point at the root", RootChildrenTo(rootAt / 2048 + 1), U"かあ", kDunmoorRefused},
      {"root's children point at page 0", RootChildrenTo(0), U"かあ", kDunmoorRefused},
      {"root count beyond the page", Patch(rootAt + 2, "FF FF"), U"かあ", kDunmoorSuccess},
      {"leaf count beyond the page", Patch(firstLeafAt + 2, "FF FF"), U"かあ", kDunmoorSuccess},
      // The page ends at the overlong entry; the next leaf page's keys sort after the word.
      {"first leaf key of 255 bytes", Patch(firstLeafAt + 4, "FF"), U"かあ", kDunmoorRefused},
      {"entry past the page after a readable one", Patch(firstLeafAt + 2, "00 40") + Patch(firstLeafAt + 72, "F0"),
       U"かあ", kDunmoorSuccess},
      {"unknown group kind", Patch(firstLeafAt, "B0") + Patch(firstLeafAt + 4, "55"), U"かあ", kDunmoorRefused},
      {"file cut inside the index", "truncate SEARCH/DATA/HONMON " + std::to_string(firstLeafAt + 100) + "\n",
       U"かあ", kDunmoorFailed},
      {"no leaf has the last-page flag", noLastPageFlag, U"か＊", kDunmoorSuccess},
  };
  for (const auto& c : cases) EXPECT_EQ(SearchDamaged(c.patches, c.word), c.result) << c.what;
}

// The keys around a word, against the word index read page by page from the book's file as the
// builder laid it out: four keys a leaf page, so that a window crosses pages both ways.
class AroundBook : public SearchBook {
 protected:
  struct Key {
    std::string bytes;
    uint32_t textPosition;
    bool operator==(const Key& other) const { return bytes == other.bytes && textPosition == other.textPosition; }
  };

  void SetUp() override {
    std::vector<Word> words;
    const std::u32string kana = U"あいうえおかきくけこさしすせそたちつてと";
    for (size_t i = 0; i < kana.size(); ++i)
      for (char32_t second : {U'あ', U'か'}) words.push_back({"w" + std::to_string(words.size()), {{"kana", {kana[i], second}}}});
    words.push_back({"kaki1", {{"kana", U"かき"}}});  // namesakes
    words.push_back({"kaki2", {{"kana", U"かき"}}});
    Open(Source("index kana id=0x90 layout=variable per-page=4", words));
    index = LeafDump();
    ASSERT_EQ(index.size(), words.size());
  }

  // Every key of the leaf pages in page order (variable layout: n, key, text and heading).
  std::vector<Key> LeafDump() const {
    const bookbuild::BookLayout& book = map.books[0];
    std::ifstream file(root.Path() / book.textFile, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::vector<Key> keys;
    const auto [first, last] = book.Index("kana")->Leaves();
    for (uint32_t page = first; page <= last; ++page) {
      const auto* p = reinterpret_cast<const uint8_t*>(text.data()) + (page - 1) * 2048;
      size_t at = 4;
      for (int i = 0, count = p[2] << 8 | p[3]; i < count; ++i) {
        const size_t n = p[at];
        const uint8_t* position = p + at + 1 + n;
        const uint32_t block = position[0] << 24 | position[1] << 16 | position[2] << 8 | position[3];
        keys.push_back({std::string(reinterpret_cast<const char*>(p + at + 1), n),
                        (block - 1) * 2048 + (position[4] << 8 | position[5])});
        at += 1 + n + 12;
      }
    }
    return keys;
  }

  // Around word (the entry of id among its namesakes, when given): the result, *place and the keys.
  int32_t Around(const std::u32string& word, int32_t count, int32_t* place, std::vector<Key>* keys,
                 const std::string& id = "") {
    std::string key = JisBytes(word);
    const int32_t position = id.empty() ? -1 : static_cast<int32_t>(map.books[0].entryText.at(id));
    WordProperties props{};
    std::vector<IndexKey> found;
    const int32_t result = lib.GetWordsAround(key.data(), position, count, &props, place, &found);
    keys->clear();
    for (const IndexKey& k : found) keys->push_back({std::string(k.key.begin(), k.key.end()), k.textPosition});
    if (result == kDunmoorSuccess) {
      // The keys are the hits, read as a search's.
      EXPECT_EQ(props.hitCount, static_cast<int32_t>(found.size()));
      for (size_t i = 0; i < found.size(); ++i) EXPECT_EQ(lib.Book()->Hits()[i].textPosition, found[i].textPosition);
    }
    return result;
  }

  // The dump's keys from..to (not past its ends).
  std::vector<Key> Window(size_t from, size_t to) const {
    return std::vector<Key>(index.begin() + static_cast<std::ptrdiff_t>(from),
                            index.begin() + static_cast<std::ptrdiff_t>(std::min(to, index.size())));
  }
  size_t At(const std::u32string& word) const {
    const std::string bytes = JisBytes(word);
    for (size_t i = 0; i < index.size(); ++i)
      if (index[i].bytes == bytes) return i;
    return SIZE_MAX;
  }

  std::vector<Key> index;
};

TEST_F(AroundBook, TheKeysBeforeAndAfterAWordAreTheIndexsOwnAcrossItsPages) {
  int32_t place = -1;
  std::vector<Key> keys;
  for (const std::u32string word : {U"けか", U"すあ", U"かあ"}) {
    const size_t at = At(word);
    ASSERT_LT(at, index.size());
    ASSERT_EQ(Around(word, 5, &place, &keys), kDunmoorSuccess);
    EXPECT_EQ(place, 5);
    EXPECT_EQ(keys, Window(at - 5, at + 6));
  }
  // At the index's ends the window stops there.
  ASSERT_EQ(Around(U"あか", 5, &place, &keys), kDunmoorSuccess);
  EXPECT_EQ(place, 1);
  EXPECT_EQ(keys, Window(0, 7));
  ASSERT_EQ(Around(U"とか", 5, &place, &keys), kDunmoorSuccess);
  EXPECT_EQ(place, 5);
  EXPECT_EQ(keys, Window(index.size() - 6, index.size()));
  // A word the index lacks: its place is the first key above it; past every key, the end.
  ASSERT_EQ(Around(U"くい", 2, &place, &keys), kDunmoorSuccess);
  EXPECT_EQ(keys[static_cast<size_t>(place)], index[At(U"くか")]);
  ASSERT_EQ(Around(U"ん", 2, &place, &keys), kDunmoorSuccess);
  EXPECT_EQ(place, 2);
  EXPECT_EQ(keys, Window(index.size() - 2, index.size()));
  // Count 0: the place alone.
  ASSERT_EQ(Around(U"すあ", 0, &place, &keys), kDunmoorSuccess);
  EXPECT_EQ(keys, Window(At(U"すあ"), At(U"すあ") + 1));
}

TEST_F(AroundBook, AHitAmongNamesakesIsThePlaceAndBadRequestsAreRefused) {
  int32_t place = -1;
  std::vector<Key> keys;
  const size_t first = At(U"かき");
  ASSERT_EQ(index[first + 1].bytes, index[first].bytes);
  for (const char* id : {"kaki1", "kaki2"}) {
    ASSERT_EQ(Around(U"かき", 3, &place, &keys, id), kDunmoorSuccess);
    EXPECT_EQ(keys[static_cast<size_t>(place)].textPosition, map.books[0].entryText.at(id)) << id;
  }
  // A position no key of the word has: the first of them.
  ASSERT_EQ(Around(U"かき", 3, &place, &keys, "w0"), kDunmoorSuccess);
  EXPECT_EQ(keys[static_cast<size_t>(place)], index[first]);

  EXPECT_EQ(Around(U"か＊", 3, &place, &keys), kDunmoorRefused);
  EXPECT_EQ(Around(U"かき", -1, &place, &keys), kDunmoorRefused);
  EXPECT_EQ(Around(U"", 3, &place, &keys), kDunmoorRefused);
  Library closed;
  std::string key = JisBytes(U"かき");
  WordProperties props{};
  EXPECT_EQ(closed.GetWordsAround(key.data(), -1, 3, &props, &place), kDunmoorFailed);
}

}  // namespace
}  // namespace dunmoor
