// The picture window and the sound player of the view, driven through the view's own
// functions for the code blocks of the sample book's entries (the view objects are built into
// this test; the libraries are loaded by name as the viewer loads them). What the window shows
// is read back from its pixels, the clipboard and the saved files byte for byte.
#include <windows.h>
#include <commdlg.h>
#include <knownfolders.h>
#include <shlobj.h>
#include <mmsystem.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "BmpImage.h"
#include "LittleEndian.h"
#include "Calvetta.h"
#include "TestFiles.h"
#include "WaveFile.h"
#include "win/ContentWindow_win.h"
#include "win/test/ViewHarness.h"

namespace {

using testfiles::Bytes;
using viewtest::Capture;
using viewtest::MessageText;
using viewtest::OwnedDialog;
using viewtest::Pump;
using viewtest::TextOf;
using viewtest::WhileModal;

// Search keys (JIS X 0208) of the entries with media: いえ (a monochrome house), ひのまる (a
// colour flag), ベル (a bell: sound data), おんがく (a piece on CD track 2).
const char kHouse[] = "\x24\x24\x24\x28";
const char kFlag[] = "\x24\x52\x24\x4E\x24\x5E\x24\x6B";
const char kBell[] = "\x25\x59\x25\x6B";
const char kMusic[] = "\x24\x2A\x24\x73\x24\x2C\x24\x2F";

// Counts the notifications that reach a top-level window.
class Listener : public ui::Window {
 public:
  bool Create() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    destroyMessage = RegisterWindowMessageW(CALVETTA_BMP_WINDOW_DESTROY);
    return RegisterClassOnce(instance, L"media listener", 0, nullptr, nullptr) &&
           Window::Create(instance, L"media listener", L"", WS_POPUP, 0, 0, 0, 1, 1, nullptr, nullptr);
  }
  ~Listener() override {
    if (Hwnd()) DestroyWindow(Hwnd());
  }
  int destroyed = 0;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (destroyMessage && message == destroyMessage) ++destroyed;
    return Window::OnMessage(message, wParam, lParam);
  }

 private:
  UINT destroyMessage = 0;
};

class ContentMedia : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(book.Bind()) << "cannot bind Dunmoor.dll";
    std::string root = testfiles::BuiltBook("sample").make_preferred().string();
    ASSERT_EQ(book.OpenEpwing(root.c_str()), 1) << root;
    ASSERT_EQ(book.epwBooksOpen(), 1);
    parent = std::make_unique<viewtest::ParentWindow>();
    ASSERT_TRUE(parent->Create(400, 300));
    view = std::make_unique<calvetta::ContentWindow>(GetModuleHandleW(nullptr));
    RECT rect = {0, 0, 400, 300};
    ASSERT_NE(view->CreateView(parent->Hwnd(), rect), nullptr);
    ASSERT_TRUE(listener.Create());
    Pump();
  }
  void TearDown() override {
    if (view && view->Hwnd()) DestroyWindow(view->Hwnd());
    Pump();
    view.reset();
    parent.reset();
    if (book.epwBooksClose) book.epwBooksClose();
    if (book.CloseEpwing) book.CloseEpwing();
  }

  // The entry of key, from its first code with the bytes 1F code on.
  const char* CodeOf(const char* key, uint8_t code) {
    std::vector<char> word(key, key + std::strlen(key) + 1);
    WordProperties properties = {};
    EXPECT_EQ(book.epwGetWordProperties(word.data(), &properties), 1);
    text.assign(65536, 0);
    uint32_t length = 0;
    if (book.GetWordCont(0, text.data(), static_cast<uint32_t>(text.size()), &length) < 0) return nullptr;
    for (uint32_t i = 0; i + 1 < length; ++i)
      if (static_cast<uint8_t>(text[i]) == 0x1F && static_cast<uint8_t>(text[i + 1]) == code) return &text[i];
    return nullptr;
  }
  // The picture as the library hands it over, read independently of the view.
  Bytes Picture(const char* code, int32_t* kind) {
    char caption[kDunmoorCaptionSize];
    int32_t size = book.epwGetImageSize(code, caption);
    if (size < 0) return {};
    Bytes memory(static_cast<size_t>(size));
    if (book.epwGetImage(code, reinterpret_cast<char*>(memory.data()), kind) < 0) return {};
    return memory;
  }
  static HWND PictureWindow() { return FindWindowW(L"BMP window", nullptr); }
  Bytes ClipboardDib() {
    Bytes dib;
    if (!OpenClipboard(nullptr)) return dib;
    HGLOBAL memory = GetClipboardData(CF_DIB);
    const uint8_t* data = memory ? static_cast<const uint8_t*>(GlobalLock(memory)) : nullptr;
    if (data) dib.assign(data, data + GlobalSize(memory));
    if (data) GlobalUnlock(memory);
    CloseClipboard();
    return dib;
  }
  // Saves through the toolbar's save command, typing path into the save dialog.
  Bytes SaveAs(HWND popup, const std::filesystem::path& path) {
    bool typed = false;
    WhileModal([&] { SendMessageW(popup, WM_COMMAND, 32773, 0); },
               [&] {
                 HWND dialog = OwnedDialog(popup);
                 if (!dialog) return false;
                 std::wstring name = std::filesystem::path(path).make_preferred().wstring();
                 // The file name box: a combo box with an edit in the newer dialog, an edit in the older.
                 HWND box = GetDlgItem(dialog, 0x47C);
                 if (!box) box = GetDlgItem(dialog, 0x480);
                 if (!box) return false;
                 offeredName = viewtest::TextOf(box);
                 wchar_t folder[MAX_PATH] = L"";
                 SendMessageW(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(folder));
                 offeredFolder = folder;
                 SetWindowTextW(box, name.c_str());
                 HWND edit = FindWindowExW(box, nullptr, L"Edit", nullptr);
                 if (edit) SetWindowTextW(edit, name.c_str());
                 PostMessageW(dialog, WM_COMMAND, IDOK, 0);
                 typed = true;
                 return true;
               });
    EXPECT_TRUE(typed);
    Pump();
    return std::filesystem::exists(path) ? testfiles::ReadFile(path) : Bytes{};
  }

  // What the last save dialog offered before the test typed its path.
  std::wstring offeredName, offeredFolder;

  viewtest::BookApi book;
  std::unique_ptr<viewtest::ParentWindow> parent;
  std::unique_ptr<calvetta::ContentWindow> view;
  Listener listener;
  std::vector<char> text;
};

TEST_F(ContentMedia, MonochromePictureShowsCopiesSavesAndClosesOnce) {
  const char* code = CodeOf(kHouse, 0x44);
  ASSERT_NE(code, nullptr);
  int32_t kind = -1;
  Bytes record = Picture(code, &kind);
  media::MonochromePicture house;
  ASSERT_TRUE(media::ReadMonochromePicture(record.data(), record.size(), &house));
  ASSERT_EQ(house.width, 64u);

  view->Media().ShowPicture(code);
  Pump();
  HWND popup = PictureWindow();
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(TextOf(popup), L"\u753b\u50cf");
  EXPECT_EQ(GetWindow(popup, GW_OWNER), GetAncestor(view->Hwnd(), GA_ROOT));  // a child owns through its frame
  const LONG style = GetWindowLongW(popup, GWL_STYLE);
  EXPECT_EQ(style & (WS_POPUP | WS_CAPTION | WS_SYSMENU), WS_POPUP | WS_CAPTION | WS_SYSMENU);
  RECT frame, client;
  GetWindowRect(popup, &frame);
  GetClientRect(popup, &client);
  EXPECT_GE(frame.right - frame.left, 90);  // a 64-pixel picture still gets the minimum width
  EXPECT_EQ(client.bottom, 48 + 26);
  EXPECT_NE(FindWindowExW(popup, nullptr, L"ToolbarWindow32", nullptr), nullptr);

  // Ink black, paper white, below the 26-pixel toolbar.
  Capture shot = Capture::Of(popup);
  shot.SaveBmp("media-monochrome-popup");
  int wrong = 0;
  for (uint32_t y = 0; y < house.height; ++y)
    for (uint32_t x = 0; x < house.width; ++x) {
      bool ink = house.bits[y * 8 + x / 8] & (0x80 >> (x % 8));
      wrong += shot.At(static_cast<int>(x), static_cast<int>(y) + 26) != (ink ? RGB(0, 0, 0) : RGB(255, 255, 255));
    }
  EXPECT_EQ(wrong, 0);

  SendMessageW(popup, WM_COMMAND, 32772, 0);
  EXPECT_EQ(ClipboardDib(), media::MonochromeDib(64, 48, house.bits));

  testfiles::TempDir dir;
  EXPECT_EQ(SaveAs(popup, dir.Path() / "house.bmp"), media::MonochromeBmp(64, 48, house.bits));
  // The dialog offered the caption as the name, in the user's Pictures folder.
  EXPECT_EQ(offeredName, L"A house (drawing).bmp");
  PWSTR pictures = nullptr;
  ASSERT_TRUE(SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Pictures, 0, nullptr, &pictures)));
  EXPECT_EQ(_wcsicmp(offeredFolder.c_str(), pictures), 0) << offeredFolder;
  CoTaskMemFree(pictures);

  // Escape closes it; the owner and every top-level window hear it once.
  SendMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
  Pump();
  EXPECT_FALSE(IsWindow(popup));
  EXPECT_EQ(listener.destroyed, 1);
  view->Media().ShowPicture(CodeOf(kHouse, 0x44));
  Pump();
  EXPECT_NE(PictureWindow(), nullptr);
}

TEST_F(ContentMedia, ColourPictureIsDrawnCopiedAndSavedWhole) {
  const char* code = CodeOf(kFlag, 0x4D);
  ASSERT_NE(code, nullptr);
  int32_t kind = -1;
  Bytes file = Picture(code, &kind);
  ASSERT_EQ(kind, 1);
  ASSERT_EQ(file.size(), 1598u);

  view->Media().ShowPicture(code);
  Pump();
  HWND popup = PictureWindow();
  ASSERT_NE(popup, nullptr);
  Capture shot = Capture::Of(popup);
  shot.SaveBmp("media-colour-popup");
  EXPECT_EQ(shot.At(24, 26 + 16), RGB(0xBC, 0x00, 0x2D));  // the red disc in the middle
  EXPECT_EQ(shot.At(1, 26 + 1), RGB(255, 255, 255));

  SendMessageW(popup, WM_COMMAND, 32772, 0);
  EXPECT_EQ(ClipboardDib(), Bytes(file.begin() + 14, file.end()));

  // The whole stored file, every time: its last bytes are pixels of the top row.
  testfiles::TempDir dir;
  EXPECT_EQ(SaveAs(popup, dir.Path() / "flag1.bmp"), file);
  EXPECT_EQ(SaveAs(popup, dir.Path() / "flag2.bmp"), file);

  // A second graphic replaces the window; the late notification of the first frees nothing.
  view->Media().ShowPicture(CodeOf(kHouse, 0x44));
  Pump();
  HWND second = PictureWindow();
  EXPECT_FALSE(IsWindow(popup));
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(FindWindowExW(nullptr, second, L"BMP window", nullptr), nullptr);
  Capture again = Capture::Of(second);
  EXPECT_GT(again.Count(RGB(0, 0, 0), 0, 26, 64, 26 + 48), 0);
}

// The photo book: one colour picture stored as a JPEG file, 48x32, yellow left, blue right.
class JpegMedia : public ContentMedia {
 protected:
  void SetUp() override {
    ContentMedia::SetUp();
    book.epwBooksClose();
    book.CloseEpwing();
    Open(testfiles::BuiltBook("photo"));
  }
  void Open(const std::filesystem::path& disc) {
    std::string root = std::filesystem::path(disc).make_preferred().string();
    ASSERT_EQ(book.OpenEpwing(root.c_str()), 1) << root;
    ASSERT_EQ(book.epwBooksOpen(), 1);
  }
  static constexpr char kPhoto[] = "\x24\x37\x24\x63\x24\x37\x24\x73";  // しゃしん
};

TEST_F(JpegMedia, AJpegPictureIsDrawnCopiedAsABitmapAndSavedAsTheJpegItIs) {
  const char* code = CodeOf(kPhoto, 0x4D);
  ASSERT_NE(code, nullptr);
  int32_t kind = -1;
  Bytes jpeg = Picture(code, &kind);
  ASSERT_EQ(kind, 1);
  ASSERT_GT(jpeg.size(), 3u);
  ASSERT_EQ(jpeg[0], 0xFF);
  ASSERT_EQ(jpeg[1], 0xD8);

  view->Media().ShowPicture(CodeOf(kPhoto, 0x4D));
  Pump();
  HWND popup = PictureWindow();
  ASSERT_NE(popup, nullptr);
  Capture shot = Capture::Of(popup);
  shot.SaveBmp("media-jpeg-popup");
  // JPEG is lossy: near the colours, well inside each half.
  auto like = [](COLORREF c, int r, int g, int b) {
    return std::abs(GetRValue(c) - r) < 24 && std::abs(GetGValue(c) - g) < 24 && std::abs(GetBValue(c) - b) < 24;
  };
  EXPECT_TRUE(like(shot.At(8, 26 + 16), 0xF0, 0xC0, 0x20)) << std::hex << shot.At(8, 26 + 16);
  EXPECT_TRUE(like(shot.At(40, 26 + 16), 0x20, 0x60, 0xC0)) << std::hex << shot.At(40, 26 + 16);

  SendMessageW(popup, WM_COMMAND, 32772, 0);
  const Bytes dib = ClipboardDib();
  ASSERT_GE(dib.size(), 40u + 48 * 3 * 32);
  EXPECT_EQ(media::Read32(&dib[4]), 48u);
  EXPECT_EQ(media::Read32(&dib[8]), 32u);

  testfiles::TempDir dir;
  EXPECT_EQ(SaveAs(popup, dir.Path() / "photo.jpg"), jpeg);
  EXPECT_EQ(offeredName, L"A photograph.jpg");
}

TEST_F(JpegMedia, TheThirdPartyToolsJpegPictureShowsAsOurs) {
  int32_t kind = -1;
  const Bytes ours = Picture(CodeOf(kPhoto, 0x4D), &kind);
  book.epwBooksClose();
  book.CloseEpwing();
  Open(testfiles::BuiltBook("freepwing"));
  const char* code = CodeOf(kPhoto, 0x4D);
  ASSERT_NE(code, nullptr);
  EXPECT_EQ(static_cast<uint8_t>(code[2]), 0x12) << "the tool marks a JPEG file";
  EXPECT_EQ(static_cast<uint8_t>(code[3]), 0x09);
  EXPECT_EQ(Picture(code, &kind), ours) << "the same JPEG file";
  view->Media().ShowPicture(CodeOf(kPhoto, 0x4D));
  Pump();
  HWND popup = PictureWindow();
  ASSERT_NE(popup, nullptr);
  Capture shot = Capture::Of(popup);
  shot.SaveBmp("media-jpeg-freepwing-popup");
  EXPECT_GT(GetRValue(shot.At(8, 26 + 16)), 0xC0);
  EXPECT_GT(GetBValue(shot.At(40, 26 + 16)), 0xA0);
}

TEST_F(JpegMedia, DamagedJpegBytesGiveThePicturesMessage) {
  // The photo disc with the JPEG file's bytes after its first marker made nonsense.
  testfiles::TempDir copy;
  testfiles::CopyTree(testfiles::BuiltBook("photo"), copy.Path() / "disc");
  const std::filesystem::path text = copy.Path() / "disc" / "PHOTO" / "DATA" / "HONMON";
  Bytes bytes = testfiles::ReadFile(text);
  size_t at = 0;
  for (size_t i = 0; i + 3 < bytes.size() && !at; ++i)
    if (bytes[i] == 0xFF && bytes[i + 1] == 0xD8 && bytes[i + 2] == 0xFF) at = i;
  ASSERT_GT(at, 0u);
  for (size_t i = at + 4; i < at + 200 && i < bytes.size(); ++i) bytes[i] = 0x5A;
  testfiles::WriteFile(text, bytes);
  book.epwBooksClose();
  book.CloseEpwing();
  Open(copy.Path() / "disc");

  const char* code = CodeOf(kPhoto, 0x4D);
  ASSERT_NE(code, nullptr);
  std::wstring message;
  WhileModal([&] { view->Media().ShowPicture(code); },
             [&] {
               HWND box = OwnedDialog(view->Hwnd());
               if (!box) return false;
               message = MessageText(box);
               PostMessageW(box, WM_COMMAND, IDOK, 0);
               return true;
             });
  EXPECT_EQ(message, L"画像は表示できません!");
  EXPECT_EQ(PictureWindow(), nullptr);
}

TEST_F(ContentMedia, SoundDataAreWrittenToTheTemporaryWaveFile) {
  const char* code = CodeOf(kBell, 0x4A);
  ASSERT_NE(code, nullptr);
  int32_t size = book.epwGetPcmSize(code);
  ASSERT_GT(size, 0);
  Bytes samples(static_cast<size_t>(size));
  ASSERT_EQ(book.epwGetPcmCont(code, reinterpret_cast<char*>(samples.data())), size);
  wchar_t temp[400];
  GetTempPathW(400, temp);
  std::filesystem::path wave = std::filesystem::path(temp) / "temp.wav";
  std::filesystem::remove(wave);

  view->Media().PlaySoundBlock(CodeOf(kBell, 0x4A));  // no sound device under Wine: the file is what counts
  const uint8_t ownChunk[4] = {0, 0, 0, 0};
  EXPECT_EQ(testfiles::ReadFile(wave), media::WaveFile(media::FormatOfCodes(ownChunk), samples));
  EXPECT_EQ(parent->failedCount, 0);
  // The viewer is told whether anything can be heard.
  Pump();
  EXPECT_EQ(parent->sounds, std::vector<WPARAM>{waveOutGetNumDevs() > 0 ? 1u : 0u});
  view->Media().StopSound();
}

TEST_F(ContentMedia, CdAudioProblemsAreShownInAMessageBox) {
  const char* code = CodeOf(kMusic, 0x48);
  ASSERT_NE(code, nullptr);
  std::wstring caption, message;
  LRESULT inMessageBox = 0;
  WhileModal([&] { view->Media().PlaySoundBlock(code); },
             [&] {
               HWND box = OwnedDialog(view->Hwnd());
               if (!box) return false;
               caption = TextOf(box);
               message = MessageText(box);
               inMessageBox = SendMessageW(view->Hwnd(), VM_VIEW_INMSGBOX, 0, 0);
               PostMessageW(box, WM_COMMAND, IDOK, 0);
               return true;
             });
  // No CD drive here: the system's text for the failure, or the book's own "not found".
  EXPECT_EQ(caption, L"DUDAZA Zorari");
  EXPECT_FALSE(message.empty());
  EXPECT_EQ(inMessageBox, 1);
  EXPECT_EQ(SendMessageW(view->Hwnd(), VM_VIEW_INMSGBOX, 0, 0), 0);
}

}  // namespace
