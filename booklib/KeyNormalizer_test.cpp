#include "KeyNormalizer.h"

#include <gtest/gtest.h>

#include "test/JisKeys.h"

namespace dunmoor {
namespace {

using fixture::Jis;

IndexDescriptor Style(const char* fields, uint8_t availability = 0, uint8_t conversion = 0) {
  return fixture::Descriptor(0, fields, 0, availability, conversion);
}

JisChars Normalized(const IndexDescriptor& d, const std::u32string& text) {
  JisChars key = Jis(text);
  NormalizeKey(d, &key);
  return key;
}

const IndexDescriptor kConvertAll = Style("000000000000");

TEST(KeyNormalizer, ConvertsEverythingWhenEveryFieldIsZero) {
  EXPECT_EQ(Normalized(kConvertAll, U"がっこう"), Jis(U"かつこう"));
  EXPECT_EQ(Normalized(kConvertAll, U"カード"), Jis(U"かあと"));
  EXPECT_EQ(Normalized(kConvertAll, U"ｂｏｏｋ"), Jis(U"ＢＯＯＫ"));
  EXPECT_EQ(Normalized(kConvertAll, U"ぱぴぷぺぽ"), Jis(U"はひふへほ"));
  EXPECT_EQ(Normalized(kConvertAll, U"ぁぃぅぇぉゎゃゅょ"), Jis(U"あいうえおわやゆよ"));
  EXPECT_EQ(Normalized(kConvertAll, U"ヴァヵヶ"), Jis(U"うあかけ"));
  EXPECT_EQ(Normalized(kConvertAll, U"ロックン・ロール"), Jis(U"ろつくんろおる"));
}

TEST(KeyNormalizer, FieldsSetToKeepLeaveTheirCharacters) {
  EXPECT_EQ(Normalized(Style("111111111000"), U"ガッコウ"), Jis(U"ガッコウ"));
  EXPECT_EQ(Normalized(Style("011111111000"), U"ガッコウ"), Jis(U"がっこう"));
  EXPECT_EQ(Normalized(Style("111111101000"), U"ガッコウ"), Jis(U"カッコウ"));
  // Availability 1: every field counts as 0 whatever the style says.
  EXPECT_EQ(Normalized(Style("111111111000", 1), U"ガッコウ"), Jis(U"かつこう"));
}

TEST(KeyNormalizer, LongVowelMarks) {
  EXPECT_EQ(Normalized(kConvertAll, U"ーかー"), Jis(U"かあ"));  // leading marks always go
  EXPECT_EQ(Normalized(Style("000200000000"), U"ーかーど"), Jis(U"かと"));
  EXPECT_EQ(Normalized(Style("000100000000"), U"ーかーど"), Jis(U"かーと"));
  EXPECT_EQ(Normalized(kConvertAll, U"すーぱー"), Jis(U"すうはあ"));
  EXPECT_EQ(Normalized(kConvertAll, U"こーひー"), Jis(U"こおひい"));
  EXPECT_EQ(Normalized(kConvertAll, U"ねーむ"), Jis(U"ねえむ"));
  EXPECT_EQ(Normalized(kConvertAll, U"ふぁー"), Jis(U"ふああ"));
}

TEST(KeyNormalizer, VowelTableCoversEveryKanaRange) {
  struct Case { char32_t before; char32_t vowel; };
  const Case cases[] = {
      {U'か', U'あ'}, {U'ぎ', U'い'}, {U'す', U'う'}, {U'ぜ', U'え'}, {U'ぢ', U'い'}, {U'っ', U'う'},
      {U'づ', U'う'}, {U'で', U'え'}, {U'ど', U'お'}, {U'に', U'い'}, {U'の', U'お'}, {U'ぱ', U'あ'},
      {U'び', U'い'}, {U'ぷ', U'う'}, {U'べ', U'え'}, {U'ぽ', U'お'}, {U'め', U'え'}, {U'ゃ', U'ぁ'},
      {U'や', U'あ'}, {U'ゅ', U'ぅ'}, {U'ゆ', U'う'}, {U'ょ', U'ぉ'}, {U'よ', U'お'}, {U'る', U'う'},
      {U'ろ', U'お'}, {U'ゎ', U'ぁ'}, {U'わ', U'あ'}, {U'ゐ', U'い'}, {U'ゑ', U'え'}, {U'を', U'お'},
      {U'ん', U'ん'}, {U'あ', U'あ'}, {U'カ', U'ア'}, {U'ヴ', U'ウ'}, {U'ヵ', U'ァ'}
  };
  for (const Case& c : cases) {
    EXPECT_EQ(VowelAfter(booktext::UnicodeToJis(c.before)), booktext::UnicodeToJis(c.vowel))
        << std::hex << static_cast<unsigned>(c.before);
  }
  EXPECT_EQ(VowelAfter(0x2576), 0x2527);  // ヶ: cell 0x76 gives ェ in its own row
}

TEST(KeyNormalizer, SymbolsAreRemovedButMarksOfTheKeyStay) {
  // Row 1 symbols go except ・ ’ − ー and the iteration marks; rows 2 and 8-15 go entirely.
  JisChars key = {0x2421, 0x2126, 0x2147, 0x215D, 0x2133, 0x213A, 0x2176, 0x2122, 0x2221, 0x2821, 0x2F7E, 0x2422};
  NormalizeKey(Style("111111111000"), &key);
  EXPECT_EQ(key, (JisChars{0x2421, 0x2126, 0x2147, 0x215D, 0x2133, 0x213A, 0x2422}));
  key = {0x2421, 0x2126, 0x2147, 0x215D, 0x2422};
  NormalizeKey(kConvertAll, &key);  // field 3 = 0 deletes the marks too
  EXPECT_EQ(key, (JisChars{0x2422, 0x2422}));
}

TEST(KeyNormalizer, ConversionSwitchThreeOnlyRemovesSymbols) {
  EXPECT_EQ(Normalized(Style("000000000000", 0, 3), U"ーガッコウ・"), Jis(U"ーガッコウ・"));
  EXPECT_EQ(Normalized(Style("000000000000", 0, 3), U"ガ！"), Jis(U"ガ"));
}

TEST(KeyNormalizer, UnknownStyleValuesLeaveTheKeyAsTyped) {
  EXPECT_EQ(Normalized(Style("300000000000"), U"ガッコウ！"), Jis(U"ガッコウ！"));
  EXPECT_EQ(Normalized(Style("000300000000"), U"カード"), Jis(U"カード"));
  EXPECT_EQ(Normalized(Style("000000000020"), U"カード"), Jis(U"カード"));
  EXPECT_EQ(Normalized(Style("000200000000"), U"カード"), Jis(U"かと"));  // 2 is valid for field 4
}

}  // namespace
}  // namespace dunmoor
