#include "OutsideWords.h"

#include <gtest/gtest.h>

namespace brisvane {
namespace {

TEST(OutsideWords, ASelectionGivesItsFirstLineThatHoldsAWord) {
  EXPECT_EQ(SelectedWord(L""), L"");
  EXPECT_EQ(SelectedWord(L" \t\u3000\r\n \r\n"), L"");
  EXPECT_EQ(SelectedWord(L"apple"), L"apple");
  EXPECT_EQ(SelectedWord(L"\u3000辞書 "), L"辞書");
  // A passage: its first line, the blanks inside it kept.
  EXPECT_EQ(SelectedWord(L"\r\n  ice cream\r\nsecond line"), L"ice cream");
  EXPECT_EQ(SelectedWord(L"last\n"), L"last");
}

TEST(OutsideWords, TheClipboardWatchTakesOneShortLineOnly) {
  EXPECT_EQ(ClipboardWord(L"  apple\r\n"), L"apple");
  EXPECT_EQ(ClipboardWord(L"\u3000"), L"");
  EXPECT_EQ(ClipboardWord(L"two\r\nlines"), L"");
  const std::wstring fifty(50, L'あ');
  EXPECT_EQ(ClipboardWord(L" " + fifty + L"\n"), fifty);
  EXPECT_EQ(ClipboardWord(fifty + L"い"), L"") << "a passage is not looked up";
}

TEST(OutsideWords, TheCommandLinesArgumentsMakeOneWord) {
  EXPECT_EQ(CommandLineWord({}), L"");
  EXPECT_EQ(CommandLineWord({L"単語"}), L"単語");
  EXPECT_EQ(CommandLineWord({L"ice", L" ", L"cream "}), L"ice cream");
}

TEST(OutsideWords, ADoubleClickedCharacterBeginsTheWordOfItsKind) {
  // Japanese runs on through kana and kanji alike (the search finds where the word ends).
  EXPECT_EQ(EntryWord(L"食べた後で、apple"), L"食べた後で");
  EXPECT_EQ(EntryWord(L"々木【ささき】"), L"々木");
  EXPECT_EQ(EntryWord(L"コーヒー (coffee)"), L"コーヒー");
  EXPECT_EQ(EntryWord(L"ｺｰﾋｰ。"), L"ｺｰﾋｰ");
  // Latin: letters and digits, a hyphen or an apostrophe inside the word only.
  EXPECT_EQ(EntryWord(L"ice-cream's taste"), L"ice-cream's");
  EXPECT_EQ(EntryWord(L"end- of"), L"end");
  EXPECT_EQ(EntryWord(L"ＣＤ－ＲＯＭ"), L"ＣＤ");
  EXPECT_EQ(EntryWord(L"apple食べる"), L"apple");
  // Not on a word.
  EXPECT_EQ(EntryWord(L""), L"");
  EXPECT_EQ(EntryWord(L"【はし】"), L"");
  EXPECT_EQ(EntryWord(L" apple"), L"");
  EXPECT_EQ(EntryWord(L"-apple"), L"");
}

}  // namespace
}  // namespace brisvane
