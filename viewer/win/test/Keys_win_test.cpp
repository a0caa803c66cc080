// The keyboard all the way, pressed through the system's input with the viewer in front: Tab
// through the entry's references and Enter to follow one, F3 back, Shift+Tab backward through
// the panes, Ctrl+L to the word box, Ctrl+A and Ctrl+C on the entry.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "Clipboard_win.h"
#include "SearchFixture.h"

namespace {

using viewertest::EditHolding;
using viewertest::SearchRoadTest;
using viewertest::SettledPixels;
using viewertest::WaitUntil;

class KeysTest : public SearchRoadTest {
 protected:
  void SetUp() override {
    SearchRoadTest::SetUp();
    SetForegroundWindow(frame);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == frame; })) << "the viewer is not in front";
  }
  // Keys to the viewer in front: when another window came to the front meanwhile (a test program
  // running beside this one), the viewer is brought back first, and its focus returns where it
  // was.
  bool PressKeys(std::initializer_list<WORD> keys) {
    if (GetForegroundWindow() != frame) {
      SetForegroundWindow(frame);
      WaitUntil([&] { return GetForegroundWindow() == frame; }, 5000);
    }
    return viewertest::PressKeys(keys);
  }
  // The window of the viewer that has the keyboard's focus.
  HWND Focus() {
    GUITHREADINFO info = {sizeof info};
    return GetGUIThreadInfo(GetWindowThreadProcessId(frame, nullptr), &info) ? info.hwndFocus : nullptr;
  }
  bool FocusComesTo(HWND window) { return WaitUntil([&] { return Focus() == window; }, 5000); }
  // The focus once the viewer's thread reports one: between a window losing the focus and the
  // next taking it (or while its state cannot be read) there is none to be told.
  HWND SettledFocus() {
    HWND focus = nullptr;
    WaitUntil([&] { return (focus = Focus()) != nullptr; }, 2000);
    return focus;
  }
  // Searches word and waits for its entry to be painted; what the content shows then.
  std::vector<uint32_t> Entry(const std::wstring& word, int hits) {
    std::vector<uint32_t> blank = SettledPixels(content);
    Search(word);
    EXPECT_EQ(WaitForHits(), hits);
    std::vector<uint32_t> shown;
    EXPECT_TRUE(WaitUntil([&] { return (shown = SettledPixels(content)) != blank; }));
    return shown;
  }
};

TEST_F(KeysTest, TabReachesAReferenceEnterFollowsItAndF3ComesBack) {
  const std::vector<uint32_t> house = Entry(L"いえ", 1);
  ASSERT_TRUE(FocusComesTo(list));
  ASSERT_TRUE(PressKeys({VK_TAB}));
  ASSERT_TRUE(FocusComesTo(content)) << "Tab in the list goes to the entry";
  EXPECT_EQ(SettledPixels(content), house) << "no link has the focus yet";
  // The picture of the house first, then the reference へや【部屋】.
  ASSERT_TRUE(PressKeys({VK_TAB}));
  std::vector<uint32_t> picture;
  ASSERT_TRUE(WaitUntil([&] { return (picture = SettledPixels(content)) != house; })) << "no focus drawn";
  ASSERT_TRUE(PressKeys({VK_TAB}));
  std::vector<uint32_t> focused;
  ASSERT_TRUE(WaitUntil([&] {
    focused = SettledPixels(content);
    return focused != house && focused != picture;
  })) << "the focus did not move on";
  EXPECT_TRUE(viewertest::SaveWindowShot(frame, "tab_reference_focus"));
  ASSERT_TRUE(PressKeys({VK_RETURN}));
  std::vector<uint32_t> room;
  ASSERT_TRUE(WaitUntil([&] {
    room = SettledPixels(content);
    return room != house && room != focused;
  })) << "Enter did not follow the reference";
  ASSERT_TRUE(PressKeys({VK_F3}));
  EXPECT_TRUE(WaitUntil([&] { return SettledPixels(content) == focused; }))
      << "F3 did not come back with the followed reference boxed again";
  // The focus goes on from there: Shift+Tab boxes the picture before it.
  ASSERT_TRUE(PressKeys({VK_SHIFT, VK_TAB}));
  EXPECT_TRUE(WaitUntil([&] { return SettledPixels(content) == picture; }));
}

TEST_F(KeysTest, ShiftTabGoesBackwardThroughThePanesAndTheEntrysLinks) {
  const std::vector<uint32_t> house = Entry(L"いえ", 1);
  ASSERT_TRUE(FocusComesTo(list));
  ASSERT_TRUE(PressKeys({VK_SHIFT, VK_TAB}));
  ASSERT_TRUE(FocusComesTo(edit)) << "Shift+Tab in the list goes back to the word box";
  ASSERT_TRUE(PressKeys({VK_SHIFT, VK_TAB}));
  ASSERT_TRUE(FocusComesTo(content)) << "Shift+Tab in the word box goes back to the entry";
  // Backward through the links of the page, the last first, then out to the list.
  int links = 0;
  // One key at a time: a key still on its way when the focus has left would take it further.
  for (; links < 40 && SettledFocus() == content; ++links) {
    const std::vector<uint32_t> before = SettledPixels(content);
    ASSERT_TRUE(PressKeys({VK_SHIFT, VK_TAB}));
    ASSERT_TRUE(WaitUntil([&] {
      const HWND focus = Focus();
      return (focus && focus != content) || SettledPixels(content) != before;
    }, 5000)) << "Shift+Tab did not move the focus on from link " << links;
  }
  EXPECT_TRUE(FocusComesTo(list));
  EXPECT_GT(links, 1) << "the entry's links were passed over";
  EXPECT_EQ(SettledPixels(content), house) << "no focus is left drawn";
}

TEST_F(KeysTest, CtrlLPutsTheFocusInTheWordBoxWithItsTextSelected) {
  Entry(L"はし", 3);
  ASSERT_TRUE(FocusComesTo(list));
  ASSERT_TRUE(PressKeys({VK_CONTROL, 'L'}));
  ASSERT_TRUE(FocusComesTo(edit));
  DWORD start = 1, end = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 2u);
}

// Typing in the list or the entry begins a new word in the word box.
TEST_F(KeysTest, ALetterTypedInTheListOrTheEntryGoesToTheWordBox) {
  Entry(L"はし", 3);
  ASSERT_TRUE(FocusComesTo(list));
  ASSERT_TRUE(PressKeys({'W'}));
  ASSERT_TRUE(PressKeys({'A'}));
  EXPECT_TRUE(FocusComesTo(edit));
  EXPECT_TRUE(WaitUntil([&] { return viewertest::WindowText(edit) == L"wa"; }, 5000)) << testing::PrintToString(viewertest::WindowText(edit));
  ASSERT_TRUE(PressKeys({VK_TAB}));
  ASSERT_TRUE(FocusComesTo(list));
  ASSERT_TRUE(PressKeys({VK_TAB}));
  ASSERT_TRUE(FocusComesTo(content));
  ASSERT_TRUE(PressKeys({'X'}));
  EXPECT_TRUE(FocusComesTo(edit));
  EXPECT_TRUE(WaitUntil([&] { return viewertest::WindowText(edit) == L"x"; }, 5000)) << testing::PrintToString(viewertest::WindowText(edit));
}

// Shift+F10 and the menu key open the entry's menu as a right click does, and its access letter
// chooses: C copies the entry marked with Ctrl+A.
TEST_F(KeysTest, ShiftF10AndTheMenuKeyOpenTheEntrysMenu) {
  Entry(L"はし", 3);
  ASSERT_TRUE(FocusComesTo(list));
  ASSERT_TRUE(PressKeys({VK_TAB}));
  ASSERT_TRUE(FocusComesTo(content));
  ASSERT_TRUE(PressKeys({VK_CONTROL, 'A'}));
  for (std::initializer_list<WORD> keys : {std::initializer_list<WORD>{VK_SHIFT, VK_F10}, {VK_APPS}}) {
    ASSERT_TRUE(testfiles::PutClipboardUnicode(L"before"));
    ASSERT_TRUE(PressKeys(keys));
    HWND menu = nullptr;
    EXPECT_TRUE(WaitUntil([&] { return (menu = FindWindowW(L"#32768", nullptr)) && IsWindowVisible(menu); }, 5000))
        << "no menu for key " << *keys.begin();
    if (!menu) continue;
    if (keys.size() == 2) EXPECT_TRUE(viewertest::SaveWindowShot(frame, "entry_menu_by_key"));
    ASSERT_TRUE(PressKeys({'C'}));
    EXPECT_TRUE(WaitUntil([&] { return testfiles::ClipboardUnicode().rfind(L"はし", 0) == 0; }, 5000))
        << testing::PrintToString(testfiles::ClipboardUnicode());
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(menu); }, 5000));
    EXPECT_TRUE(FocusComesTo(content));
  }
}

TEST_F(KeysTest, CtrlAndADigitAndEscLeadToTheWordBox) {
  Entry(L"はし", 3);
  ASSERT_TRUE(FocusComesTo(list));
  ASSERT_TRUE(PressKeys({VK_CONTROL, '2'}));  // 条件
  EXPECT_TRUE(FocusComesTo(edit));
  ASSERT_TRUE(PressKeys({VK_TAB}));
  ASSERT_TRUE(FocusComesTo(list));
  ASSERT_TRUE(PressKeys({VK_TAB}));  // on to the entry
  ASSERT_TRUE(FocusComesTo(content));
  ASSERT_TRUE(PressKeys({VK_CONTROL, '1'}));  // 見出し again
  EXPECT_TRUE(FocusComesTo(edit));
  // Esc in the list or in the entry leads back to the word box.
  ASSERT_TRUE(PressKeys({VK_TAB}));
  ASSERT_TRUE(FocusComesTo(list));
  ASSERT_TRUE(PressKeys({VK_ESCAPE}));
  EXPECT_TRUE(FocusComesTo(edit));
  ASSERT_TRUE(PressKeys({VK_TAB}));
  ASSERT_TRUE(FocusComesTo(list));
  ASSERT_TRUE(PressKeys({VK_TAB}));
  ASSERT_TRUE(FocusComesTo(content));
  ASSERT_TRUE(PressKeys({VK_ESCAPE}));
  EXPECT_TRUE(FocusComesTo(edit));
}

// A caret from the keyboard: the first arrow shows it at the page's start, Shift+arrows mark from
// there, Ctrl+C copies the mark, a plain move takes the mark off. The pane's edge shows the entry
// has the focus.
TEST_F(KeysTest, ShiftArrowsMarkFromTheCaretAndTheEntryPaneShowsItHasTheFocus) {
  const std::vector<uint32_t> shown = Entry(L"coffee", 1);
  const HWND pane = GetParent(content);
  auto edgePixel = [&] {
    Drain();
    const std::vector<uint32_t> pixels = viewertest::ScreenPixels(pane, 4, 4);
    return pixels.empty() ? 0u : pixels[0];
  };
  ASSERT_TRUE(FocusComesTo(list));
  const uint32_t unfocusedEdge = edgePixel();
  ASSERT_TRUE(PressKeys({VK_TAB}));
  ASSERT_TRUE(FocusComesTo(content));
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  const uint32_t expectedEdge = (GetRValue(highlight) << 16) | (GetGValue(highlight) << 8) | GetBValue(highlight);
  EXPECT_TRUE(WaitUntil([&] { return (edgePixel() & 0xFFFFFF) == expectedEdge; }, 5000)) << "no focus on the pane";
  EXPECT_EQ(SettledPixels(content), shown) << "no caret before the first move";

  ASSERT_TRUE(PressKeys({VK_RIGHT}));
  std::vector<uint32_t> caret;
  ASSERT_TRUE(WaitUntil([&] { return (caret = SettledPixels(content)) != shown; })) << "no caret shown";
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(PressKeys({VK_SHIFT, VK_RIGHT}));
  std::vector<uint32_t> marked;
  ASSERT_TRUE(WaitUntil([&] { return (marked = SettledPixels(content)) != caret; })) << "nothing marked";
  EXPECT_TRUE(viewertest::SaveWindowShot(frame, "entry_marked_by_keys"));
  ASSERT_TRUE(testfiles::PutClipboardUnicode(L"before"));
  ASSERT_TRUE(PressKeys({VK_CONTROL, 'C'}));
  EXPECT_TRUE(WaitUntil([&] { return testfiles::ClipboardUnicode() == L"cof"; }, 5000))
      << testing::PrintToString(testfiles::ClipboardUnicode());
  // Shift+Left gives one back; Home drops the mark and the caret stands at the start again.
  ASSERT_TRUE(PressKeys({VK_SHIFT, VK_LEFT}));
  ASSERT_TRUE(WaitUntil([&] { return SettledPixels(content) != marked; }));
  ASSERT_TRUE(PressKeys({VK_CONTROL, 'C'}));
  EXPECT_TRUE(WaitUntil([&] { return testfiles::ClipboardUnicode() == L"co"; }, 5000))
      << testing::PrintToString(testfiles::ClipboardUnicode());
  ASSERT_TRUE(PressKeys({VK_HOME}));
  EXPECT_TRUE(WaitUntil([&] { return SettledPixels(content) == caret; })) << "the mark stayed";

  // Out of the entry: neither caret nor the pane's focus is shown.
  ASSERT_TRUE(PressKeys({VK_ESCAPE}));
  ASSERT_TRUE(FocusComesTo(edit));
  EXPECT_TRUE(WaitUntil([&] { return SettledPixels(content) == shown; })) << "the caret stayed drawn";
  EXPECT_EQ(edgePixel(), unfocusedEdge);
}

// Another program in front and the viewer back: the focus is where the reader left it.
TEST_F(KeysTest, BackFromAnotherProgramTheFocusIsWhereItWas) {
  Entry(L"はし", 3);
  ASSERT_TRUE(FocusComesTo(list));
  ASSERT_TRUE(PressKeys({VK_TAB}));
  ASSERT_TRUE(FocusComesTo(content));
  HWND other = CreateWindowExW(0, L"EDIT", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 300, 60, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(other, nullptr);
  SetForegroundWindow(other);
  ASSERT_TRUE(viewertest::PumpUntil([&] { return GetForegroundWindow() == other; }, 5000));
  SetForegroundWindow(frame);
  EXPECT_TRUE(viewertest::PumpUntil([&] { return GetForegroundWindow() == frame; }, 5000));
  EXPECT_TRUE(FocusComesTo(content)) << "the focus went elsewhere";
  DestroyWindow(other);
}

TEST_F(KeysTest, CtrlCWithNothingMarkedCopiesTheEntryAndCtrlAMarksIt) {
  const std::vector<uint32_t> shown = Entry(L"coffee", 1);
  auto copy = [&] {
    EXPECT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    EXPECT_TRUE(PressKeys({VK_CONTROL, 'C'}));
    std::wstring copied;
    EXPECT_TRUE(WaitUntil([&] { return !(copied = testfiles::ClipboardUnicode()).empty(); }));
    return copied;
  };
  ASSERT_TRUE(FocusComesTo(list));
  std::wstring copied = copy();
  EXPECT_EQ(copied.rfind(L"coffee", 0), 0u) << testing::PrintToString(copied);
  EXPECT_NE(copied.find(L"コーヒー"), std::wstring::npos) << "the entry's text";
  EXPECT_EQ(copied.find(L"cold"), std::wstring::npos) << "the next entry is not copied";
  // Beside the text, the same as HTML: the headword bold, the text in UTF-8.
  const std::string html = testfiles::ClipboardData<char>(RegisterClipboardFormatW(L"HTML Format"));
  EXPECT_EQ(html.rfind("Version:0.9", 0), 0u) << html;
  EXPECT_NE(html.find("<b>coffee</b>"), std::string::npos) << html;
  EXPECT_NE(html.find("\xE3\x82\xB3\xE3\x83\xBC\xE3\x83\x92\xE3\x83\xBC"), std::string::npos) << html;  // コーヒー
  EXPECT_EQ(html.find("cold"), std::string::npos);
  Drain();
  EXPECT_EQ(SettledPixels(content), shown) << "a copy of the whole entry leaves no marks";

  // Ctrl+A in the entry marks it, and Ctrl+C copies what is marked.
  ASSERT_TRUE(PressKeys({VK_TAB}));
  ASSERT_TRUE(FocusComesTo(content));
  ASSERT_TRUE(PressKeys({VK_CONTROL, 'A'}));
  EXPECT_TRUE(WaitUntil([&] { return SettledPixels(content) != shown; })) << "nothing marked";
  EXPECT_TRUE(viewertest::SaveWindowShot(frame, "entry_marked_whole"));
  EXPECT_EQ(copy(), copied);
  // In the word box, Ctrl+A takes its own text.
  ASSERT_TRUE(PressKeys({VK_CONTROL, 'L'}));
  ASSERT_TRUE(FocusComesTo(edit));
  SendMessageW(edit, EM_SETSEL, 0, 0);
  ASSERT_TRUE(PressKeys({VK_CONTROL, 'A'}));
  EXPECT_TRUE(WaitUntil([&] {
    DWORD start = 1, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return start == 0 && end == 6;
  }));
}

}  // namespace

namespace {

// Ctrl+W keeps the entry shown in the word list, once; 単語帳を書き出す writes it for a
// flash-card program: a header naming the columns, then the headword, its reading, the entry's
// first lines and the book.
TEST_F(KeysTest, CtrlWKeepsTheEntryAndTheWordListIsWrittenOut) {
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Olvenar\\Trevik DUDAZA ZORARI\\wordlist");
  Entry(L"がっこう", 1);
  ASSERT_TRUE(FocusComesTo(list));
  ASSERT_TRUE(PressKeys({VK_CONTROL, 'W'}));
  EXPECT_TRUE(WaitUntil([&] { return Status(0) == L"単語帳に追加しました: 学校 (1 語)"; }, 5000))
      << testing::PrintToString(Status(0));
  ASSERT_TRUE(PressKeys({VK_CONTROL, 'W'}));
  EXPECT_TRUE(WaitUntil([&] { return Status(0) == L"単語帳にあります: 学校"; }, 5000));

  const std::wstring file = viewertest::TempFileName(L"wl");
  DeleteFileW(file.c_str());
  PostMessageW(frame, WM_COMMAND, 32817, 0);  // 単語帳を書き出す
  HWND dialog = nullptr, name = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    dialog = viewer.FindTopWindow(L"#32770");
    return dialog && (name = EditHolding(dialog, L"単語帳.txt")) != nullptr;
  }, 10000)) << "no save dialog";
  EXPECT_TRUE(viewertest::SaveWindowShot(dialog, "wordlist_export"));
  SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(file.c_str()));
  PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil([&] { return Status(0) == L"単語帳を書き出しました (1 語)"; }, 10000))
      << testing::PrintToString(Status(0));
  std::ifstream in{std::filesystem::path(file), std::ios::binary};
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  in.close();
  DeleteFileW(file.c_str());
  EXPECT_EQ(text.rfind("Headword\tReading\tText\tBook\r\n", 0), 0u) << text;
  // 学校 がっこう … 和英サンプル辞典
  EXPECT_NE(text.find("\r\n\xE5\xAD\xA6\xE6\xA0\xA1\t\xE3\x81\x8C\xE3\x81\xA3\xE3\x81\x93\xE3\x81\x86\t"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("\t\xE5\x92\x8C\xE8\x8B\xB1\xE3\x82\xB5\xE3\x83\xB3\xE3\x83\x97\xE3\x83\xAB\xE8\xBE\x9E\xE5\x85\xB8\r\n"),
            std::string::npos)
      << text;
}

}  // namespace
