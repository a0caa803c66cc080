#include "WordSearch.h"

#include <gtest/gtest.h>

#include "test/JisKeys.h"

namespace dunmoor {
namespace {

using fixture::Jis;

IndexDescriptor Index(uint8_t id, uint32_t page = 2) { return fixture::Descriptor(id, "000000000000", page); }

const std::vector<IndexDescriptor> kAllIndexes = {Index(0x90), Index(0x91), Index(0x92),
                                                  Index(0x70), Index(0x71), Index(0x72)};

uint8_t ChosenId(const std::u32string& word, const std::vector<IndexDescriptor>& indexes = kAllIndexes) {
  PreparedSearch s = PrepareSearch(Jis(word), indexes);
  return s.index ? s.index->Identifier() : 0;
}

TEST(PrepareSearch, TheWildcardChoosesTheMode) {
  EXPECT_EQ(PrepareSearch(Jis(U"あい"), kAllIndexes).mode, SearchMode::kExact);
  EXPECT_EQ(PrepareSearch(Jis(U"あい＊"), kAllIndexes).mode, SearchMode::kPrefix);
  EXPECT_EQ(PrepareSearch(Jis(U"＊あい"), kAllIndexes).mode, SearchMode::kSuffix);
  // A wildcard inside the word is no wildcard; it is removed as a symbol.
  PreparedSearch inside = PrepareSearch(Jis(U"あ＊い"), kAllIndexes);
  EXPECT_EQ(inside.mode, SearchMode::kExact);
  EXPECT_EQ(inside.key, Jis(U"あい"));
  // Only the first wildcard counts for the prefix mode.
  EXPECT_EQ(PrepareSearch(Jis(U"あ＊い＊"), kAllIndexes).mode, SearchMode::kExact);
}

TEST(PrepareSearch, FullWidthSpacesGoBeforeAnythingElse) {
  PreparedSearch s = PrepareSearch(Jis(U"　＊　あ　い　"), kAllIndexes);
  EXPECT_EQ(s.mode, SearchMode::kSuffix);
  EXPECT_EQ(s.key, Jis(U"いあ"));
  EXPECT_TRUE(PrepareSearch(Jis(U"　　"), kAllIndexes).key.empty());
  EXPECT_TRUE(PrepareSearch(Jis(U"＊"), kAllIndexes).key.empty());
}

TEST(PrepareSearch, TheFirstCharacterChoosesTheIndex) {
  EXPECT_EQ(ChosenId(U"ｂｏｏｋ"), 0x92);
  EXPECT_EQ(ChosenId(U"Ωμέγα"), 0x92);  // Greek row
  EXPECT_EQ(ChosenId(U"’ｓ"), 0x92);
  EXPECT_EQ(ChosenId(U"１２３"), 0x91);
  EXPECT_EQ(ChosenId(U"あいうえお"), 0x90);
  EXPECT_EQ(ChosenId(U"カード"), 0x90);
  EXPECT_EQ(ChosenId(U"かな漢字"), 0x91);
  EXPECT_EQ(ChosenId(U"漢字"), 0x91);
  EXPECT_EQ(ChosenId(U"＊ある"), 0x70);
  EXPECT_EQ(ChosenId(U"＊ｂｏｏｋ"), 0x72);
  EXPECT_EQ(ChosenId(U"＊１"), 0x71);
}

TEST(PrepareSearch, AMissingIndexFallsBackToTheAsIsIndex) {
  const std::vector<IndexDescriptor> asIsOnly = {Index(0x01), Index(0x91), Index(0x71)};
  EXPECT_EQ(ChosenId(U"かな", asIsOnly), 0x91);
  EXPECT_EQ(ChosenId(U"ｂｏｏｋ", asIsOnly), 0x91);
  EXPECT_EQ(ChosenId(U"＊かな", asIsOnly), 0x71);
  EXPECT_EQ(ChosenId(U"かな", {Index(0x90, 0)}), 0);  // start page 0
  EXPECT_EQ(ChosenId(U"かな", {Index(0x92)}), 0);
  EXPECT_EQ(ChosenId(U"かな", {}), 0);
}

TEST(PrepareSearch, TheTypedKeyKeepsWhatTheUserTyped) {
  PreparedSearch s = PrepareSearch(Jis(U"がっこう"), kAllIndexes);
  EXPECT_EQ(s.key, Jis(U"かつこう"));
  EXPECT_EQ(s.typed, Jis(U"がっこう"));
  // Symbols are not in the typed key, except the marks 0x2133-0x213C (ー among them).
  s = PrepareSearch(Jis(U"カード！"), kAllIndexes);
  EXPECT_EQ(s.typed, Jis(U"カード"));
  EXPECT_EQ(s.key, Jis(U"かあと"));
  s = PrepareSearch(Jis(U"＊ある"), kAllIndexes);
  EXPECT_EQ(s.key, Jis(U"るあ"));
  EXPECT_EQ(s.typed, Jis(U"るあ"));
}

TEST(PrepareSearch, ALoneLongVowelMarkIsSearchedAsItIs) {
  PreparedSearch s = PrepareSearch(Jis(U"ー"), kAllIndexes);
  EXPECT_EQ(s.key, Jis(U"ー"));
  EXPECT_TRUE(PrepareSearch(Jis(U"ーー"), kAllIndexes).key.empty());
}

TEST(PrepareSearch, KeysComeBackAsBytes) {
  char key[8] = "\x24\x22\x24";  // an odd byte at the end is no character
  JisChars chars = CharactersOf(key);
  ASSERT_EQ(chars.size(), 1u);
  StoreCharacters({0x2423, 0x2424}, key);
  EXPECT_STREQ(key, "\x24\x23\x24\x24");
}

}  // namespace
}  // namespace dunmoor
