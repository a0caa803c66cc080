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

}  // namespace
}  // namespace brisvane
