// Keyword and full-text search through the exports, on the freepwing book, the sample book and
// the third-party discs. The Windows build runs it against Dunmoor.dll loaded by name.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "DunmoorApi.h"
#include "JisText.h"
#include "TestFiles.h"

namespace {

namespace fs = std::filesystem;

// As the viewer types it: a blank is a full-width space, other ASCII its full-width form.
std::string Jis(const std::u32string& word) {
  std::string key;
  for (char32_t c : word) {
    uint16_t j = c == U' ' ? 0x2121 : booktext::UnicodeToJis(c > 0x20 && c < 0x7F ? c + 0xFEE0 : c);
    key.push_back(static_cast<char>(j >> 8));
    key.push_back(static_cast<char>(j & 0xFF));
  }
  return key;
}

// A heading as UTF-8, control codes and external characters left out.
std::string Plain(const char* text) {
  std::string out;
  const auto* p = reinterpret_cast<const uint8_t*>(text);
  for (size_t i = 0, n = std::strlen(text); i + 1 < n; i += 2) {
    if (p[i] == 0x1F) {
      if (p[i + 1] == 0x09 || p[i + 1] == 0x41 || p[i + 1] == 0xE0) i += 2;
      continue;
    }
    if (char32_t c = booktext::JisToUnicode(static_cast<uint16_t>(p[i] << 8 | p[i + 1]))) booktext::AppendUtf8(&out, c);
  }
  return out;
}

using Headings = std::vector<std::string>;

class OtherSearches : public BookApiTest {
 protected:
  Headings HeadingsOf(int32_t count) {
    Headings headings;
    for (int32_t i = 0; i < count; ++i) {
      char text[500];
      WordItem item{{}, text};
      EXPECT_EQ(api.epwGetWordItem(i, &item), 1);
      headings.push_back(Plain(text));
    }
    return headings;
  }

  Headings Keywords(const std::u32string& words, int32_t* result = nullptr) {
    std::string key = Jis(words);
    char buffer[256] = {};
    std::memcpy(buffer, key.data(), key.size());
    WordProperties props{};
    int32_t r = api.epwSearchKeywords(buffer, &props);
    if (result) *result = r;
    return r == 1 ? HeadingsOf(props.hitCount) : Headings{};
  }

  // Runs a full-text scan to its end; the headings of its hits.
  Headings Text(const std::u32string& word, int32_t* result = nullptr) {
    int32_t r = api.epwFullTextBegin(Jis(word).c_str());
    WordProperties props{};
    for (int calls = 0; r == 1 || r == 0; ++calls) {
      if (calls > 1000) ADD_FAILURE() << "the scan never ends";
      r = api.epwFullTextNext(&props);
      if (r == 1 || calls > 1000) break;
    }
    if (result) *result = r;
    return r == 1 ? HeadingsOf(props.hitCount) : Headings{};
  }

  // The whole entry of hit index, as the entry reader gives it.
  std::string Entry(int32_t index) {
    std::string entry;
    char buffer[1024];
    uint32_t length = 0;
    int32_t r = 0;
    for (int calls = 0; calls < 100 && (r = api.epwGetWordContent(index, buffer, sizeof buffer, &length)) >= 0; ++calls) {
      entry.append(buffer, length);
      if (r == 1) break;
    }
    return entry;
  }

};

TEST_F(OtherSearches, KeywordsOfTheFreepwingBook) {
  Open(testfiles::BuiltBook("freepwing"));
  EXPECT_EQ(api.epwGetSearchModes(), kDunmoorHeadwordSearch | kDunmoorKeywordSearch | kDunmoorFullTextSearch);
  EXPECT_EQ(Keywords(U"cat"), Headings{"ねこ【猫】"});
  EXPECT_EQ(Keywords(U"ＣＡＴ"), Headings{"ねこ【猫】"});
  // A word finds every key it begins, in the index's order (cake, candy, card, cat).
  EXPECT_EQ(Keywords(U"ca"), (Headings{"ケーキ", "あめ【飴】", "カード", "ねこ【猫】"}));
  // Every word must match one key of the entry.
  EXPECT_EQ(Keywords(U"s o"), Headings{"うみ【海】"});
  EXPECT_EQ(Keywords(U"ocean  sea"), Headings{"うみ【海】"});
  EXPECT_EQ(Keywords(U"sun moon").size(), 0u);
  int32_t r = 0;
  Keywords(U"sun moon", &r);
  EXPECT_EQ(r, -2);
  Keywords(U"a b c d e f", &r);  // six words
  EXPECT_EQ(r, -2);
  Keywords(U"", &r);
  EXPECT_EQ(r, -2);
}

TEST_F(OtherSearches, KeywordsOfTheSampleBookAndABookWithoutThem) {
  Open(testfiles::BuiltBook("sample"));
  EXPECT_EQ(Keywords(U"rain"), Headings{"あめ【雨】"});
  EXPECT_EQ(Keywords(U"persimmon"), Headings{"かき【柿】"});
  EXPECT_EQ(Keywords(U"sea ocean"), Headings{"うみ【海】"});
  api.epwBooksClose();
  api.CloseEpwing();

  Open(testfiles::SharedBook("two-books"));
  EXPECT_EQ(api.epwGetSearchModes(), kDunmoorHeadwordSearch | kDunmoorFullTextSearch);
  int32_t r = 0;
  Keywords(U"ＴＨＩＳ", &r);
  EXPECT_EQ(r, -2);
  EXPECT_EQ(Text(U"ＴＨＩＳ").size(), 1u);  // full text works on every book
}

TEST_F(OtherSearches, FullTextFindsAWordThroughCodesButNotAcrossLines) {
  Open(testfiles::BuiltBook("freepwing"));
  // Through the end of narrow text and the start of a reference ("Compare " <ref>あめ...).
  EXPECT_EQ(Text(U"Compare あめ"), (Headings{"あめ【雨】", "あめ【飴】"}));
  // Through an emphasis (teacher; <em>master</em>).
  EXPECT_EQ(Text(U"teacher；　master"), Headings{"せんせい【先生】"});
  // The keyword line ends before the body: no match across it.
  EXPECT_EQ(Text(U"あい【愛】love").size(), 0u);
  // Latin letters in either case and either width; one hit an entry, in text order.
  const Headings love = Text(U"LOVE");
  EXPECT_FALSE(love.empty());
  EXPECT_EQ(love.front(), "あい【愛】");
  EXPECT_EQ(Text(U"love"), love);
  EXPECT_EQ(Text(U"ｌｏｖｅ"), love);
  int32_t r = 0;
  Text(U"", &r);
  EXPECT_EQ(api.epwFullTextBegin(""), -2);
  EXPECT_EQ(api.epwFullTextBegin(Jis(std::u32string(33, U'あ')).c_str()), -2);  // 66 bytes
}

TEST_F(OtherSearches, FullTextHitsAreTheEntriesTheIndexesGive) {
  for (const char* book : {"freepwing", "sample"}) {
    SCOPED_TRACE(book);
    Open(testfiles::BuiltBook(book));
    // The entry itself, and the entries that refer to it, in text order.
    const Headings hits = Text(U"がっこう【学校】");
    auto own = std::find(hits.begin(), hits.end(), "がっこう【学校】");
    ASSERT_NE(own, hits.end());
    const int32_t index = static_cast<int32_t>(own - hits.begin());
    std::string fromText = Entry(index);
    uint32_t at = 0, length = 0;
    ASSERT_EQ(api.epwGetHitMatch(index, &at, &length), 1);
    EXPECT_EQ(length, 16u);  // the eight characters, nothing between them
    EXPECT_EQ(api.epwGetHitMatch(static_cast<int32_t>(hits.size()), &at, &length), -2);
    char byWord[256] = {};
    std::strcpy(byWord, Jis(U"がっこう").c_str());
    WordProperties props{};
    ASSERT_EQ(api.epwGetWordProperties(byWord, &props), 1);
    EXPECT_EQ(Entry(0), fromText);  // the same entry from the same position
    EXPECT_EQ(api.epwGetHitMatch(0, &at, &length), -2);  // a word search has no matches
    // Kana as typed: no folding of voiced marks.
    EXPECT_EQ(Text(U"かっこう").size(), 0u);
    api.epwBooksClose();
    api.CloseEpwing();
  }
  Open(testfiles::BuiltBook("sample"));
  EXPECT_EQ(Text(U"アイスクリーム").size(), 1u);
  EXPECT_EQ(Text(U"あいすくりーむ").size(), 0u);
}

TEST_F(OtherSearches, FullTextMatchesExternalCharactersByTheBookMap) {
  testfiles::TempDir copy;
  testfiles::CopyTree(testfiles::SharedBook("gaiji-book"), copy.Path());
  Open(copy.Path());
  // The map gives the narrow A121 as Ò, which JIS X 0208 cannot write: nothing matches it.
  EXPECT_EQ(Text(U"”ＷＯＲＤ").size(), 0u);
  api.epwBooksClose();
  api.CloseEpwing();

  testfiles::WriteFile(copy.Path() / "JISYO.map", testfiles::Bytes{'h', 'A', '1', '2', '1', '\t', 'u', '0', '0', '4', 'F', '\n',
                                                                   'z', 'B', '1', '2', '1', '\t', 'u', '4', 'E', '0', '0', '\n'});
  Open(copy.Path());
  EXPECT_EQ(Text(U"”ＷＯＲＤ"), Headings{"ｗｏｒｄ"});  // narrow O for the external character
  EXPECT_EQ(Text(U"一辞典"), Headings{"ｄｉｃｔｉｏｎａｒｙ"});
}

}  // namespace
