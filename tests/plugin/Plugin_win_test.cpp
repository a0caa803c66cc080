// Ostrelle.dll in the stand-in host (PluginHost_win.cpp lists the steps), under Wine. Every
// run is a new host process, so the plug-in's shared record starts from zero each time.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "TestFiles.h"
#include "ViewerHarness.h"

namespace {

const std::wstring kOpenPort = L"log \"11 Trevik EPWin Assissant Inport TrevikEPWin\" ";

class PluginTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(FindWindowW(L"TrevikBrisvane", nullptr), nullptr) << "a viewer is already running";
    viewertest::WriteCurpath(testfiles::BuiltBook("sample").make_preferred().string());
  }
  void TearDown() override { viewertest::EndViewerLeftBehind(); }

  void Host(const std::wstring& steps) {
    viewertest::ReportedRun run =
        viewertest::RunWithReport(viewertest::BinDir() / "ostrelle_host.exe", steps, viewertest::BinDir(), 240000);
    EXPECT_EQ(run.exitCode, 0u) << run.output;
  }
};

TEST_F(PluginTest, FacesAndTooltipFollowTheViewerAndTheSettings) {
  Host(L"resources setting Tooltip Look-up init " + kOpenPort +
       L"face 101 state 1 face 102 state 0 face 101 tooltip Look-up no-settings tooltip \"\" free log \"12 1234\"");
}

TEST_F(PluginTest, AnEightyCharacterSelectionArrivesAsFortyNineInTheViewersFolder) {
  std::wstring eighty;
  for (int i = 0; i < 8; ++i) eighty += L"abcdefghij";
  Host(L"no-settings exec self in-temp target copies " + eighty + L" init click started bin startword " +
       eighty.substr(0, 49) + L" no-placeholder free");
}

TEST_F(PluginTest, JapaneseSelectionIsNeverCutInsideACharacter) {
  // 30 kana are 60 bytes: 24 whole characters (48 bytes) fit into 49.
  std::wstring kana30(30, L'あ');
  Host(L"exec self target copies " + kana30 + L" init click started bin startword " + kana30.substr(0, 24) + L" free");
}

TEST_F(PluginTest, WithoutTheSettingNothingStartsAndAFailedStartIsTriedAgain) {
  Host(L"no-settings init click started none no-placeholder setting ExecFileName Z:\\nowhere\\none.exe click "
       L"started none exec name click started bin free");
}

TEST_F(PluginTest, AQuickLookupReachingThePlaceholderStartsTheViewerWithItsWord) {
  Host(L"exec self init exchange 橋を渡る quick started bin startword 橋を渡る no-placeholder free");
}

TEST_F(PluginTest, LaterClicksHandTheWordToTheExchangeAndTheClipboardComesBack) {
  Host(L"setting ModelName Trevik-EP exec self target copies 見出し語 clip 前のテキスト init " + kOpenPort +
       L"click started bin startword 見出し語 clip-is 前のテキスト click log-word Trevik-EP 見出し語 keys 0 "
       L"clip-is 前のテキスト free log \"24 1234 Trevik-EP\" log \"12 1234\"");
}

// A metafile cannot be kept by copying bytes: the clipboard comes back empty, without the word.
// A bitmap comes back through its device-independent form, which is a memory block.
TEST_F(PluginTest, PicturesOnTheClipboardAreKeptOnlyAsMemoryBlocks) {
  Host(L"exec self target copies 語 clip-metafile init click started bin startword 語 clip-empty clip-bitmap click "
       L"clip-bitmap-only free");
}

// The record is shared: a host process started beside one whose click started the viewer
// hands its word to the exchange at once, and has faces of its own.
TEST_F(PluginTest, AnotherProcessSeesTheViewerStarted) {
  Host(L"setting ModelName M exec self init click started bin beside \"target copies ことば init face 101 click "
       L"log \\\"11 Trevik EPWin Assissant Inport TrevikEPWin\\\" log-word M ことば free\" free");
}

TEST_F(PluginTest, WithoutATargetWindowTheWordIsEmpty) {
  Host(L"setting ModelName M exec self clip kept init " + kOpenPort +
       L"click started bin startword \"\" click log-word M - clip-is kept free");
}

TEST_F(PluginTest, ATargetThatCopiesOnlyOnCtrlInsertIsTyped) {
  Host(L"exec self target keys ことば clip old init click started bin startword ことば clip-is old free");
}

// The whole road: the selection reaches the started viewer, whose state turns the face. Run
// again under a locale whose ANSI code page is not Japanese (DUNMOOR_EXPECT_ACP names it).
TEST_F(PluginTest, JapaneseSelectionStartsTheViewerWithItsHeadwords) {
  wchar_t acp[16] = L"";
  std::wstring check = GetEnvironmentVariableW(L"DUNMOOR_EXPECT_ACP", acp, 16) ? L"acp " + std::wstring(acp) + L" " : L"";
  Host(check + L"exec viewer target copies はし init click viewer-shows はし 3 notices 1 face 102 free");
}

}  // namespace
