#include "WordList.h"

#include <gtest/gtest.h>

namespace brisvane {
namespace {

TEST(WordList, AHeadingGivesItsReadingAndHeadwordAndTheEntryItsFirstLines) {
  const WordCard card = MakeCard("がっこう【学校】",
                                 "がっこう【学校】\r\n名 school\r\n\r\n  学校へ行く\tgo to school\r\n4th\r\nfifth\r\n",
                                 "和英サンプル辞典");
  EXPECT_EQ(card.reading, "がっこう");
  EXPECT_EQ(card.headword, "学校");
  EXPECT_EQ(card.text, "名 school / 学校へ行く go to school / 4th") << "three lines, the heading left out";
  EXPECT_EQ(card.book, "和英サンプル辞典");
  const WordCard plain = MakeCard(" coffee ", "coffee noun\nコーヒー", "");
  EXPECT_EQ(plain.headword, "coffee");
  EXPECT_EQ(plain.reading, "");
  EXPECT_EQ(plain.text, "coffee noun / コーヒー") << "a first line that is more than the heading stays";
  EXPECT_EQ(MakeCard("【】", "", "").headword, "【】") << "an empty headword in the brackets: the heading";
}

TEST(WordList, ALongEntryIsCutAtACharacter) {
  std::string text;
  for (int i = 0; i < 400; ++i) text += "あ";
  const WordCard card = MakeCard("あ", "x\n" + text, "");
  EXPECT_LE(card.text.size(), kCardTextBytes);
  EXPECT_EQ(card.text.substr(card.text.size() - 3), "あ") << "whole characters only";
  EXPECT_EQ((card.text.size() - 4) % 3, 0u);
}

TEST(WordList, CardsGoThroughTheirLinesAndTheExportNamesItsColumns) {
  const WordCard card{"学校", "がっこう", "school\tand\nmore", "和英"};
  WordCard back;
  ASSERT_TRUE(ParseCardLine(CardLine(card), &back));
  EXPECT_EQ(back.text, "school and more") << "a tab or a line break would split the line";
  EXPECT_EQ(back.headword, "学校");
  EXPECT_FALSE(ParseCardLine("only\ttwo", &back));
  EXPECT_FALSE(ParseCardLine("\ta\tb\tc", &back)) << "no headword";
  EXPECT_EQ(ExportText({card, {"coffee", "", "", ""}}),
            "Headword\tReading\tText\tBook\r\n学校\tがっこう\tschool and more\t和英\r\ncoffee\t\t\t\r\n");
}

}  // namespace
}  // namespace brisvane
