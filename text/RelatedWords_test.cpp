// Words as running text holds them and the dictionary forms a reader looks them up by, written
// from Japanese grammar: every verb class and form, い-adjectives, chains of forms, the other
// kana, old and other kanji, and the beginning of a phrase.
#include "RelatedWords.h"

#include <gtest/gtest.h>

#include "Deinflect.h"
#include "JisText.h"
#include "RelatedForms.h"

namespace booktext {
namespace {

std::string Utf8(std::u32string_view text) {
  std::string out;
  for (char32_t c : text) AppendUtf8(&out, c);
  return out;
}

TEST(Deinflect, EveryFormFindsItsDictionaryForm) {
  for (const RelatedForm& form : kRelatedForms) {
    if (form.how != Relation::kDeinflected) continue;
    std::vector<Deinflection> found = Deinflect(form.text);
    std::string all;
    bool listed = false;
    for (const Deinflection& d : found) {
      all += Utf8(d.word) + " ";
      listed = listed || d.word == form.word;
    }
    EXPECT_TRUE(listed) << Utf8(form.text) << " should give " << Utf8(form.word) << "; gives " << all;
  }
}

TEST(Deinflect, ChainsStayGrammaticalAndTheNearestComesFirst) {
  // The past of a passive of a causative, and each step on the way.
  std::vector<Deinflection> found = Deinflect(U"食べさせられた");
  ASSERT_GE(found.size(), 3u);
  EXPECT_EQ(found[0].word, U"食べさせられる");
  auto position = [&](std::u32string_view word) {
    for (size_t i = 0; i < found.size(); ++i)
      if (found[i].word == word) return static_cast<int>(i);
    return -1;
  };
  EXPECT_LT(position(U"食べさせられる"), position(U"食べさせる"));
  EXPECT_LT(position(U"食べさせる"), position(U"食べる"));
  EXPECT_EQ(found[static_cast<size_t>(position(U"食べる"))].kind, kIchidan);
  // いい conjugates as よい, and する verbs keep their する form on the way to their noun.
  auto gives = [](std::u32string_view form, std::u32string_view word) {
    for (const Deinflection& d : Deinflect(form))
      if (d.word == word) return true;
    return false;
  };
  EXPECT_TRUE(gives(U"よかった", U"いい"));
  EXPECT_TRUE(gives(U"よくない", U"いい"));
  EXPECT_TRUE(gives(U"勉強した", U"勉強する"));
  EXPECT_TRUE(gives(U"勉強させられた", U"勉強する"));
  EXPECT_TRUE(gives(U"こい", U"くる"));
  EXPECT_TRUE(gives(U"こよう", U"くる"));
  // A form is not its own dictionary form, and what no rule takes gives nothing.
  EXPECT_TRUE(Deinflect(U"学校").empty());
  for (const Deinflection& d : Deinflect(U"食べる")) EXPECT_NE(d.word, U"食べる");
  // The passive of a past is no form: 書いたれる gives no 書く.
  for (const Deinflection& d : Deinflect(U"書いたれる")) EXPECT_NE(d.word, U"書く") << Utf8(d.reason);
  // A 一段 verb needs an e- or i-row kana before its る: 書かた is no past of 書かる.
  for (const Deinflection& d : Deinflect(U"書かた")) EXPECT_NE(d.word, U"書かる");
}

TEST(RelatedWords, KanaVariantsAndTheirOrder) {
  for (const RelatedForm& form : kRelatedForms) {
    if (form.how != Relation::kKana && form.how != Relation::kVariant) continue;
    bool listed = false;
    for (const RelatedWord& r : RelatedWords(form.text))
      listed = listed || (r.word == form.word && r.how == form.how);
    EXPECT_TRUE(listed) << Utf8(form.text) << " should give " << Utf8(form.word) << " as " << RelationName(form.how);
  }
  // Kana first, then variants, then dictionary forms; never the word itself.
  std::vector<RelatedWord> related = RelatedWords(U"カイタ");
  ASSERT_GE(related.size(), 2u);
  EXPECT_EQ(related[0].word, U"かいた");
  EXPECT_EQ(related[0].how, Relation::kKana);
  bool deinflected = false;
  for (const RelatedWord& r : related) {
    EXPECT_NE(r.word, U"カイタ");
    deinflected = deinflected || (r.word == U"かく" && r.how == Relation::kDeinflected);
  }
  EXPECT_TRUE(deinflected) << "the dictionary form of the hiragana form";
  EXPECT_EQ(FoldKana(U"ヴァイオリンとケーキ", true), U"うぁいおりんとけーき");
  EXPECT_EQ(FoldKana(U"ヵ月とヶ所", true), U"か月とけ所");
  EXPECT_EQ(FoldKana(U"かき", false), U"カキ");
  // Variants link both ways, and only characters a book can hold.
  EXPECT_NE(KanjiVariants(U'学').size(), 0u);
  for (char32_t v : KanjiVariants(U'學')) EXPECT_NE(UnicodeToJis(v), 0);
}

TEST(RelatedWords, FoldingsThatFindTooMuchAreChosen) {
  auto has = [](const std::vector<RelatedWord>& related, std::u32string_view word) {
    for (const RelatedWord& r : related)
      if (r.word == word) return true;
    return false;
  };
  EXPECT_FALSE(has(RelatedWords(U"がっこう"), U"かっこう"));
  EXPECT_FALSE(has(RelatedWords(U"カード"), U"カアド"));
  RelatedOptions both;
  both.voicing = both.longVowel = true;
  EXPECT_TRUE(has(RelatedWords(U"がっこう", both), U"かっこう"));
  EXPECT_TRUE(has(RelatedWords(U"カード", both), U"カアド"));
}

TEST(LeadingParts, LongestFirstDownToTwoOrOneKanji) {
  EXPECT_EQ(LeadingParts(U"学校に行った"),
            (std::vector<std::u32string>{U"学校に行っ", U"学校に行", U"学校に", U"学校", U"学"}));
  EXPECT_EQ(LeadingParts(U"たべもの"), (std::vector<std::u32string>{U"たべも", U"たべ"}));
  EXPECT_TRUE(LeadingParts(U"か").empty());
  for (const RelatedForm& form : kRelatedForms) {
    if (form.how != Relation::kLeading) continue;
    std::vector<std::u32string> parts = LeadingParts(form.text);
    EXPECT_NE(std::find(parts.begin(), parts.end(), form.word), parts.end()) << Utf8(form.text);
  }
}

}  // namespace
}  // namespace booktext
