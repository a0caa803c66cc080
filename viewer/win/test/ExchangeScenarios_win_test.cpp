// The viewer driven by another program, under Wine: brisvane_host.exe (ExchangeHost_win.cpp)
// plays the host product against the real Brisvane.exe, step by step.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "TestFiles.h"
#include "ViewerHarness.h"

namespace {

const wchar_t kFrameClass[] = L"TrevikBrisvane";
const wchar_t kSampleTitle[] = L"DUDAZA Zorari - 和英サンプル辞典";
const wchar_t kReadError[] = L"データが読み取れません!";

using HostRun = viewertest::ReportedRun;

HostRun RunHost(const std::wstring& steps) {
  return viewertest::RunWithReport(viewertest::BinDir() / "brisvane_host.exe", steps, viewertest::BinDir(), 240000);
}

class ExchangeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(FindWindowW(kFrameClass, nullptr), nullptr) << "a viewer is already running";
    viewertest::WriteCurpath(testfiles::BuiltBook(BookName()).make_preferred().string());
  }

  void TearDown() override {
    viewertest::EndViewerLeftBehind();
    RunHost(L"no-file");
  }

  virtual std::string BookName() const { return "sample"; }

  // Runs the host with these steps; a run that reports "retry" (a timing the step needed did
  // not occur under load) is tried again.
  void Host(const std::wstring& steps, int tries = 1) {
    HostRun run;
    for (int i = 0; i < tries; ++i) {
      run = RunHost(steps);
      if (run.exitCode != 2) break;
    }
    EXPECT_EQ(run.exitCode, 0u) << run.output;
  }

  // With DUNMOOR_EXPECT_ACP set (the runs under a given locale), the host first checks that the
  // programs run with that ANSI code page; otherwise the run would prove nothing.
  std::wstring LocaleCheck() const {
    wchar_t acp[16] = L"";
    if (!GetEnvironmentVariableW(L"DUNMOOR_EXPECT_ACP", acp, 16)) return L"";
    return L"acp " + std::wstring(acp) + L" ";
  }

  std::wstring Title() const { return std::wstring(L"\"") + kSampleTitle + L"\""; }
};

// The plug-in's start: the word waits in "Data From Trevik", the viewer is started with "-p".
TEST_F(ExchangeTest, JapaneseWordOfAHostStartIsSearched) {
  Host(LocaleCheck() + L"startword 新しい start -p state 1 1 word 新しい count 1 title " + Title() +
       L" command 0 exited");
}

TEST_F(ExchangeTest, JapaneseWordsOfQuickLookupsAndShowCommandsArriveIntact) {
  // 行く has the byte 0x8D, 橋 (registry) 0x8B; a word of 30 kana arrives as 24 (48 bytes).
  std::wstring kana30, kana24;
  for (int i = 0; i < 30; ++i) kana30 += L"あ";
  kana24 = kana30.substr(0, 24);
  Host(LocaleCheck() + L"start - exchange 行く quick state 1 1 word 行く count 1 data はし command 3 state 1 1 "
                       L"word はし count 3 exchange " + kana30 + L" quick state 1 1 word " + kana24 +
       L" message \"検索結果 : 0    項目\" command 0 exited");
}

TEST_F(ExchangeTest, AQuickLookupOfSixtyCharactersArrivesAsFortyNine) {
  std::wstring sixty;
  for (int i = 0; i < 6; ++i) sixty += L"abcdefghij";
  Host(L"start - exchange " + sixty + L" quick state 1 1 word " + sixty.substr(0, 49) +
       L" message \"検索結果 : 0    項目\" command 0 exited");
}

TEST_F(ExchangeTest, CommandOneDoesNothingAndHideThenQuickLookupBringsTheBookBack) {
  // A read error closes the book; hidden and asked again, the viewer opens it anew.
  Host(L"start - fail message " + std::wstring(kReadError) + L" title \"DUDAZA Zorari\" command 1 no-state visible 1 "
       L"command 2 no-state visible 0 exchange はし quick state 1 1 visible 1 title " + Title() +
       L" word はし count 3 command 0 exited");
}

TEST_F(ExchangeTest, ClosingAHostStartedViewerHidesItAndTellsTheOtherSide) {
  Host(L"startword \"\" start -p state 1 1 word \"\" close visible 0 state 1 0 command 0 exited");
}

TEST_F(ExchangeTest, AMissingExchangeFileEmptiesTheBoxAndSearchesNothing) {
  Host(L"no-file start /P state 1 1 word \"\" search はし count 3 quick state 1 1 word \"\" count 3 command 0 "
       L"exited");
}

class ExchangeManyHitsTest : public ExchangeTest {
 protected:
  std::string BookName() const override { return "manyhits"; }
};

TEST_F(ExchangeManyHitsTest, AQuickLookupWhileTheSearchDialogIsOpenIsDropped) {
  // The search of たくさん lists 32766 items; a quick lookup sent meanwhile changes nothing.
  Host(L"start - exchange はし search たくさん await-dialog quick-sync dialog-open count 32766 word たくさん "
       L"no-state command 0 exited",
       3);
}

}  // namespace
