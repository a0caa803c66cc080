// The Windows build's message boxes for a block that is no reference: a helper thread finds the
// box, reads its text and presses OK while the reader waits for it.
#ifdef _WIN32
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "ReaderFixture.h"

namespace dunmoor {
namespace {

// Waits up to five seconds for a message box of this process, takes its text and closes it with
// OK. Returns the text, or "" when no box came.
std::wstring CloseMessageBox() {
  for (int i = 0; i < 100; ++i) {
    HWND box = FindWindowW(L"#32770", nullptr);
    DWORD process = 0;
    if (box) GetWindowThreadProcessId(box, &process);
    // The box exists before its text is set: it counts once it is shown with its text.
    if (box && process == GetCurrentProcessId() && IsWindowVisible(box)) {
      std::wstring text;
      for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[32] = {};
        wchar_t buffer[256] = {};
        GetClassNameW(child, className, 32);
        if (lstrcmpiW(className, L"Static") == 0 && GetWindowTextW(child, buffer, 256) > 0) text = buffer;
      }
      if (text.empty()) {
        Sleep(50);
        continue;
      }
      HWND ok = GetDlgItem(box, IDOK);
      if (ok) {
        SendMessageW(ok, BM_CLICK, 0, 0);
      } else {
        PostMessageW(box, WM_COMMAND, IDOK, 0);
      }
      return text;
    }
    Sleep(50);
  }
  return L"";
}

TEST(ReferenceMessages, ABlockThatIsNoReferenceShowsItsMessageAndReturnsAfterOk) {
  fixture::TextArea text;
  text.Entry('A', 4);
  fixture::TextBook book(text);
  ASSERT_NE(book.Lib().Book(), nullptr);
  const struct {
    testfiles::Bytes code;
    const wchar_t* message;
  } cases[] = {
      {{0x23, 0x42, 0x1F, 0x62, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00}, L"SuperLink Error1"},
      {{0x1F, 0x44, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x00, 0x00, 0x10}, L"SuperLink Error2"},
  };
  for (const auto& c : cases) {
    std::wstring shown;
    std::thread closer([&] { shown = CloseMessageBox(); });
    char buffer[16];
    uint32_t length = 0xDEAD;
    int32_t result = book.Lib().Links().GetLinkContent(reinterpret_cast<const char*>(c.code.data()), buffer, 16, &length);
    closer.join();
    EXPECT_EQ(result, kDunmoorRefused);
    EXPECT_EQ(shown, c.message);
    EXPECT_EQ(length, 0xDEADu);
  }
}

}  // namespace
}  // namespace dunmoor
#endif  // _WIN32
