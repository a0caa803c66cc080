// A portable viewer: with Brisvane.ini beside Brisvane.exe, the settings live in that file and the
// registry is left alone; with the file read-only, the registry takes them and the status bar
// says why.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "SearchFixture.h"
#include "ui/Utf8Text.h"

namespace {

using viewertest::WaitUntil;
using viewertest::WindowText;

constexpr wchar_t kOurKey[] = L"Software\\Olvenar";

bool KeyExists(HKEY hive, const wchar_t* path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(hive, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

class PortableTest : public ::testing::Test, protected viewertest::ViewerWindows {
 protected:
  void SetUp() override {
    folder = std::filesystem::path(viewertest::TempFileName(L"prt"));
    std::filesystem::remove(folder);
    std::filesystem::create_directories(folder);
    for (const auto& entry : std::filesystem::directory_iterator(viewertest::BinDir())) {
      const std::wstring name = entry.path().filename().wstring();
      if (name == L"Brisvane.exe" || entry.path().extension() == L".dll")
        std::filesystem::copy_file(entry.path(), folder / name);
    }
    ini = folder / L"Brisvane.ini";
    const std::wstring root = std::filesystem::path(testfiles::BuiltBook("sample")).make_preferred().wstring();
    std::wstring text = L"\uFEFF; portable settings\r\n[Curpath]\r\nCurpath=" + root + L"\r\n";
    std::ofstream(ini, std::ios::binary).write(reinterpret_cast<const char*>(text.data()),
                                                static_cast<std::streamsize>(text.size() * sizeof(wchar_t)));
    // Whatever other tests left in the registry goes: this run must add nothing there.
    RegDeleteTreeW(HKEY_CURRENT_USER, kOurKey);
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, kOurKey);
  }
  void TearDown() override {
    SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }

  // Starts the copy and waits for the sample book.
  void Start() {
    ASSERT_TRUE(viewer.Start(folder / L"Brisvane.exe"));
    ASSERT_TRUE(WaitUntil([&] {
      frame = viewer.FindTopWindow(viewertest::kFrameClass);
      return frame && IsWindowVisible(frame) && WindowText(frame) == L"DUDAZA Zorari - 和英サンプル辞典";
    })) << "the book named in Brisvane.ini did not open";
    ASSERT_TRUE(FindControls());
  }
  void Search(const std::wstring& word) {
    Type(word);
    PressEnter();
    EXPECT_TRUE(WaitUntil([&] { return Count() == 3; })) << "no hits";
  }
  void Close() {
    PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(viewer.WaitForExit(), 0u);
  }
  // The file's text (UTF-16).
  std::wstring IniText() {
    std::ifstream file(ini, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
  }

  std::filesystem::path folder, ini;
  viewertest::ViewerProcess viewer;
};

TEST_F(PortableTest, TheSettingsGoToTheFileBesideTheProgramAndTheRegistryIsLeftAlone) {
  Start();
  Search(L"はし");
  Close();
  const std::wstring kept = IniText();
  EXPECT_NE(kept.find(L"[history]"), std::wstring::npos) << ui::ToUtf8(kept);
  EXPECT_NE(kept.find(L"Words.1=はし"), std::wstring::npos) << ui::ToUtf8(kept);
  // A restart reads its history back from the file.
  ASSERT_TRUE(viewer.Start(folder / L"Brisvane.exe"));
  ASSERT_TRUE(WaitUntil([&] {
    frame = viewer.FindTopWindow(viewertest::kFrameClass);
    return frame && IsWindowVisible(frame) && FindControls();
  }));
  EXPECT_TRUE(WaitUntil([&] { return SendMessageW(wordBox, CB_GETCOUNT, 0, 0) == 1; })) << "no history";
  Close();
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kOurKey)) << "written to the user's registry";
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kOurKey)) << "written to the machine's registry";
}

TEST_F(PortableTest, AFileThatCannotBeWrittenLeavesTheSettingsToTheRegistryAndSaysSo) {
  // The book then comes from the registry, as for an installed viewer.
  viewertest::WriteCurpath(std::filesystem::path(testfiles::BuiltBook("sample")).make_preferred().wstring());
  ASSERT_TRUE(SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_READONLY));
  Start();
  EXPECT_TRUE(WaitUntil([&] {
    return viewertest::StatusText(viewer.Id(), statusBar, 0).find(L"Brisvane.ini") != std::wstring::npos;
  }, 5000)) << ui::ToUtf8(viewertest::StatusText(viewer.Id(), statusBar, 0));
  EXPECT_TRUE(viewertest::SaveWindowShot(frame, "portable_read_only"));
  Search(L"はし");
  Close();
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, L"Software\\Olvenar\\Trevik DUDAZA ZORARI\\history"))
      << "the history was not kept in the registry";
  EXPECT_EQ(IniText().find(L"[history]"), std::wstring::npos);
}

}  // namespace
