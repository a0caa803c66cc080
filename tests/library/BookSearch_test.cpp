// Word search through the exports on books that no one here wrote: the third-party discs and
// the book made with freepwing. The Windows build runs it against Dunmoor.dll loaded by name.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "DunmoorApi.h"
#include "JisText.h"
#include "TestFiles.h"

namespace {

namespace fs = std::filesystem;

std::string Jis(const std::u32string& word) {
  std::string key;
  for (char32_t c : word) {
    uint16_t j = booktext::UnicodeToJis(c);
    key.push_back(static_cast<char>(j >> 8));
    key.push_back(static_cast<char>(j & 0xFF));
  }
  return key;
}

// A heading as UTF-8, control codes left out, external characters as {XXXX}.
std::string HeadingText(const char* heading) {
  std::string out;
  const auto* p = reinterpret_cast<const uint8_t*>(heading);
  size_t n = std::strlen(heading);
  for (size_t i = 0; i + 1 < n; i += 2) {
    if (p[i] == 0x1F) {
      if (p[i + 1] == 0x09 || p[i + 1] == 0x41 || p[i + 1] == 0xE0 || p[i + 1] == 0xE2) i += 2;
      continue;
    }
    char32_t c = booktext::JisToUnicode(static_cast<uint16_t>(p[i] << 8 | p[i + 1]));
    if (c) {
      booktext::AppendUtf8(&out, c);
    } else {
      char escape[8];
      std::snprintf(escape, sizeof escape, "{%02X%02X}", p[i], p[i + 1]);
      out += escape;
    }
  }
  return out;
}

class BookSearch : public BookApiTest {
 protected:
  // The headings of the hits, or the result when it is not 1.
  std::vector<std::string> Find(const std::u32string& word, int32_t* result = nullptr) {
    std::string key = Jis(word);
    char buffer[256] = {};
    std::memcpy(buffer, key.data(), std::min(key.size(), sizeof buffer - 1));
    WordProperties props{};
    int32_t r = api.epwGetWordProperties(buffer, &props);
    if (result) *result = r;
    std::vector<std::string> headings;
    if (r != 1) return headings;
    for (int32_t i = 0; i < props.hitCount; ++i) {
      char text[500];
      WordItem item{{}, text};
      EXPECT_EQ(api.epwGetWordItem(i, &item), 1);
      headings.push_back(HeadingText(text));
    }
    return headings;
  }

  int32_t Result(const std::u32string& word) {
    int32_t r = 0;
    Find(word, &r);
    return r;
  }

};

using Headings = std::vector<std::string>;

TEST_F(BookSearch, EveryHeadwordOfTheTwoBookDisc) {
  Open(testfiles::SharedBook("two-books"));
  EXPECT_EQ(Find(U"ＨＥＲＥ"), Headings{"Ｈｅｒｅ"});
  EXPECT_EQ(Find(U"ＴＨＡＴ"), Headings{"Ｔｈａｔ"});
  EXPECT_EQ(Find(U"ＴＨＩＳ"), Headings{"Ｔｈｉｓ"});
  EXPECT_EQ(Find(U"ＴＨ＊").size(), 2u);
  EXPECT_EQ(Result(U"ＴＯＫＹＯ"), -2);  // a word of the other book
  EXPECT_EQ(Result(U"ＨＥＲ"), -2);
  EXPECT_EQ(Result(U"ＺＥＲＯ"), -2);     // after the last node key
  EXPECT_EQ(Result(U"＊ＨＥＲＥ"), -2);   // no backward index at all
}

TEST_F(BookSearch, TheSecondBookOfTheTwoBookDisc) {
  // The library opens the first usable book: mark the first one unusable in a copy.
  testfiles::TempDir copy;
  testfiles::CopyTree(testfiles::SharedBook("two-books"), copy.Path());
  testfiles::Bytes catalog = testfiles::ReadFile(copy.Path() / "CATALOGS");
  catalog[16] = 0x01;
  testfiles::WriteFile(copy.Path() / "CATALOGS", catalog);
  Open(copy.Path());
  EXPECT_EQ(Find(U"ＳＡＩＴＡＭＡ").size(), 1u);
  EXPECT_EQ(Find(U"ＴＯＫＹＯ").size(), 1u);
  EXPECT_EQ(Find(U"ＯＭＥＧＡＴ").size(), 1u);
  EXPECT_EQ(Result(U"ＴＨＩＳ"), -2);
}

TEST_F(BookSearch, TheFreepwingBookAsAUserTypes) {
  Open(testfiles::BuiltBook("freepwing"));
  EXPECT_EQ(Find(U"あい"), Headings{"あい【愛】"});
  EXPECT_EQ(Find(U"愛"), Headings{"あい【愛】"});
  EXPECT_EQ(Find(U"ＬＯＶＥ"), Headings{"あい【愛】"});
  EXPECT_EQ(Find(U"あめ"), (Headings{"あめ【雨】", "あめ【飴】"}));
  EXPECT_EQ(Find(U"はし").size(), 3u);
  EXPECT_EQ(Find(U"がっこう"), Headings{"がっこう【学校】"});
  EXPECT_EQ(Find(U"カード"), Headings{"カード"});
  EXPECT_EQ(Find(U"かーど"), Headings{"カード"});
  EXPECT_EQ(Find(U"コーヒー"), Headings{"コーヒー"});
  EXPECT_EQ(Find(U"こーひー"), Headings{"コーヒー"});
  EXPECT_EQ(Find(U"ぎゅうにゅう"), Headings{"ぎゅうにゅう【牛乳】"});
  EXPECT_EQ(Find(U"ひ").size(), 1u);
  EXPECT_EQ(Find(U"３０"), Headings{"さんじゅう【三十】"});
  EXPECT_EQ(Find(U"１００円"), Headings{"ひゃくえん【百円】"});
  EXPECT_EQ(Find(U"ヴァイオリン"), Headings{"ヴァイオリン"});
  EXPECT_EQ(Find(U"シーディー").size(), 1u);
  EXPECT_EQ(Find(U"ＣＤ").size(), 1u);
  EXPECT_EQ(Find(U"テレビ"), Headings{"テレビ"});
  EXPECT_EQ(Find(U"てれび"), Headings{"テレビ"});
  EXPECT_EQ(Result(U"がっこ"), -2);
  EXPECT_EQ(Result(U"きつね"), -2);
}

TEST_F(BookSearch, PrefixAndSuffixInTheFreepwingBook) {
  Open(testfiles::BuiltBook("freepwing"));
  // freepwing also files every katakana word under its hiragana form.
  EXPECT_EQ(Find(U"あ＊"), (Headings{"あい【愛】", "アイスクリーム", "あめ【雨】", "あめ【飴】"}));
  EXPECT_EQ(Find(U"＊こう"), Headings{"がっこう【学校】"});
  EXPECT_EQ(Find(U"＊ーど"), Headings{"カード"});
  EXPECT_EQ(Find(U"＊ビ"), Headings{"テレビ"});
  EXPECT_EQ(Find(U"ＣＯ＊"), (Headings{"コーヒー", "シーディー【ＣＤ】"}));
  EXPECT_EQ(Find(U"＊ぬ"), Headings{"いぬ【犬】"});
  EXPECT_EQ(Result(U"＊つね"), -2);
}

}  // namespace
