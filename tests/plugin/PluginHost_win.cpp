// ostrelle_host.exe: a stand-in for the host product that loads Ostrelle.dll, for the tests
// only. It has the host's toolbar window (class "Wrenfold"), which names the window that was
// active before a click and counts the plug-in's face notices, and a target window with
// selected text: an edit control that copies its selection on Ctrl+Insert, and in the mode
// "copies" also when asked with "Trevik Search Last Active Window". It calls the exports as
// the host does and checks what they did.
//
//   ostrelle_host STEP...   each step prints "ok STEP" or "FAIL STEP: why"; the first failure
//                           ends the run with exit code 1
//   ostrelle_host -p        started by the plug-in in place of the viewer: appends
//                           "started WORKING-DIRECTORY" to the file OSTRELLE_RECORD names
//
// The stand-in exchange library logs to GRELLIX_LOG, which the run sets to a file of its own.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "HostExchange.h"
#include "HostExchange_win.h"
#include "Ostrelle.h"
#include "SearchFixture.h"
#include "ViewerHarness.h"

namespace {

using viewertest::WindowText;

std::vector<std::string> ReadLines(const std::wstring& path) {
  std::vector<std::string> lines;
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string Hex(const std::string& bytes) {
  std::string hex;
  for (unsigned char byte : bytes) {
    char pair[3];
    std::snprintf(pair, sizeof pair, "%02X", byte);
    hex += pair;
  }
  return hex;
}

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }  // ASCII only

// The bits of a bitmap as 32-bit pixels, to tell the two faces apart.
std::vector<DWORD> Pixels(HBITMAP bitmap) {
  BITMAP info = {};
  if (!bitmap || !GetObjectW(bitmap, sizeof info, &info)) return {};
  BITMAPINFO header = {};
  header.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  header.bmiHeader.biWidth = info.bmWidth;
  header.bmiHeader.biHeight = info.bmHeight;
  header.bmiHeader.biPlanes = 1;
  header.bmiHeader.biBitCount = 32;
  std::vector<DWORD> pixels(static_cast<size_t>(info.bmWidth) * info.bmHeight);
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, bitmap, 0, info.bmHeight, pixels.data(), &header, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  return pixels;
}

std::vector<DWORD> IconPixels(HICON icon) {
  ICONINFO info = {};
  if (!icon || !GetIconInfo(icon, &info)) return {};
  std::vector<DWORD> pixels = Pixels(info.hbmColor);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return pixels;
}

class Host {
 public:
  explicit Host(std::vector<std::wstring> arguments) : args(std::move(arguments)) {}

  int Run() {
    grellixLog = viewertest::TempFileName(L"grx");
    record = viewertest::TempFileName(L"ost");
    SetEnvironmentVariableW(L"GRELLIX_LOG", grellixLog.c_str());
    SetEnvironmentVariableW(L"OSTRELLE_RECORD", record.c_str());  // inherited by what the plug-in starts
    notifyMessage = RegisterWindowMessageW(ostrelle::kPluginNotifyMessage);
    searchMessage = RegisterWindowMessageW(ostrelle::kSearchLastActiveMessage);
    exchange = exchange::ExchangeMessages::Register();
    int code = CreateToolbar() && LoadPlugin() ? 0 : 1;
    if (code) viewertest::PrintLine(L"FAIL the host cannot start");
    while (code == 0 && next < args.size()) {
      std::wstring step = args[next++];
      std::wstring detail;
      if (Step(step, &detail)) {
        viewertest::PrintLine(L"ok " + step);
      } else {
        viewertest::PrintLine(L"FAIL " + step + L": " + detail);
        code = 1;
      }
    }
    if (viewer) CloseViewer();
    if (target) DestroyWindow(target);
    DestroyWindow(toolbar);
    if (plugin) FreeLibrary(plugin);
    DeleteFileW(grellixLog.c_str());
    DeleteFileW(record.c_str());
    return code;
  }

 private:
  template <typename Function>
  Function Export(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(plugin, name)));
  }

  bool LoadPlugin() {
    plugin = LoadLibraryW((viewertest::BinDir() / "Ostrelle.dll").c_str());
    return plugin != nullptr;
  }

  static LRESULT CALLBACK ToolbarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* host = reinterpret_cast<Host*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (host && message == host->notifyMessage) {
      if (wParam == ostrelle::kNotifyWhichWindow) return reinterpret_cast<LRESULT>(host->target);
      if (wParam == ostrelle::kNotifyFaceChanged) ++host->faceNotices;
      return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  static LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* host = reinterpret_cast<Host*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_KEYDOWN) ++host->keyDowns;
    if (message == host->searchMessage && host->copiesOnRequest) SendMessageW(window, WM_COPY, 0, 0);
    return CallWindowProcW(host->editProc, window, message, wParam, lParam);
  }

  bool CreateToolbar() {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = &ToolbarProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = ostrelle::kHostToolbarClass;
    RegisterClassW(&windowClass);
    toolbar = CreateWindowExW(0, ostrelle::kHostToolbarClass, nullptr, WS_OVERLAPPED, 0, 0, 200, 30, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    if (toolbar) SetWindowLongPtrW(toolbar, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return toolbar != nullptr;
  }

  bool CreateTarget(bool copies, const std::wstring& text) {
    copiesOnRequest = copies;
    target = CreateWindowExW(0, L"Edit", text.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 80, nullptr,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!target) return false;
    SetWindowLongPtrW(target, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    editProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(target, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TargetProc)));
    SendMessageW(target, EM_SETSEL, 0, -1);
    return true;
  }

  void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }

  bool Wait(const std::function<bool()>& condition, DWORD timeoutMs = 20000) {
    return viewertest::WaitUntil([&] {
      Pump();
      return condition();
    }, timeoutMs);
  }

  std::wstring Argument() { return next < args.size() ? args[next++] : std::wstring(); }

  bool Expect(bool held, const std::wstring& what, std::wstring* detail) {
    if (!held) *detail = what;
    return held;
  }

  bool SetSetting(const std::wstring& name, const std::wstring& value) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, ostrelle::kPluginKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr))
      return false;
    LONG status = RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
  }

  bool SetClipboardText(const std::wstring& text) {
    if (!OpenClipboard(toolbar)) return false;
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    if (auto* data = static_cast<wchar_t*>(block ? GlobalLock(block) : nullptr)) {
      lstrcpyW(data, text.c_str());
      GlobalUnlock(block);
      SetClipboardData(CF_UNICODETEXT, block);
    }
    CloseClipboard();
    return true;
  }

  std::wstring ClipboardText() {
    std::wstring text = L"(none)";
    if (!OpenClipboard(toolbar)) return L"(not open)";
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
      if (auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
        text.assign(chars, wcsnlen(chars, GlobalSize(data) / sizeof(wchar_t)));
        GlobalUnlock(data);
      }
    }
    CloseClipboard();
    return text;
  }

  // The next line of the exchange library's log.
  bool NextLog(const std::string& expected, std::wstring* detail) {
    std::vector<std::string> lines;
    Wait([&] { return (lines = ReadLines(grellixLog)).size() > logRead; }, 5000);
    std::string got = lines.size() > logRead ? lines[logRead++] : "(no call)";
    return Expect(got == expected, L"the exchange library got " + std::wstring(got.begin(), got.end()), detail);
  }

  bool CheckFace(int face, std::wstring* detail) {
    HBITMAP expectedBitmap = LoadBitmapW(plugin, MAKEINTRESOURCEW(face));
    HICON expectedIcon = static_cast<HICON>(LoadImageW(plugin, MAKEINTRESOURCEW(face), IMAGE_ICON, 16, 16, 0));
    auto bitmap = Export<HBITMAP(WINAPI*)()>("TrevikPluginBitmap");
    auto icon = Export<HICON(WINAPI*)()>("TrevikPluginIcon");
    std::vector<DWORD> shown = Pixels(bitmap()), wanted = Pixels(expectedBitmap);
    bool bitmapHeld = !wanted.empty() && shown == wanted;
    bool iconHeld = !IconPixels(expectedIcon).empty() && IconPixels(icon()) == IconPixels(expectedIcon);
    DeleteObject(expectedBitmap);
    DestroyIcon(expectedIcon);
    return Expect(bitmapHeld && iconHeld, bitmapHeld ? L"another icon" : L"another bitmap", detail);
  }

  // The faces as stored: bitmaps of 18 x 18 and icon groups of one 16 x 16 image, 16 colours.
  bool CheckResources(std::wstring* detail) {
    for (int face : {101, 102}) {
      HRSRC bitmap = FindResourceW(plugin, MAKEINTRESOURCEW(face), MAKEINTRESOURCEW(2));  // RT_BITMAP
      HRSRC group = FindResourceW(plugin, MAKEINTRESOURCEW(face), MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
      auto* header = bitmap ? static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(plugin, bitmap))) : nullptr;
      auto* icons = group ? static_cast<const BYTE*>(LockResource(LoadResource(plugin, group))) : nullptr;
      if (!header || header->biWidth != 18 || header->biHeight != 18 || header->biBitCount != 4)
        return Expect(false, L"bitmap " + std::to_wstring(face), detail);
      // GRPICONDIR: reserved, type, count; then per image width, height, colours, reserved,
      // planes, bits a pixel.
      if (!icons || icons[4] != 1 || icons[6] != 16 || icons[7] != 16 || icons[8] != 16 || icons[12] != 4)
        return Expect(false, L"icon " + std::to_wstring(face), detail);
    }
    return true;
  }

  HWND ViewerFrame() const {
    HWND frame = FindWindowW(hostexchange::kViewerClass, nullptr);
    DWORD owner = 0;
    GetWindowThreadProcessId(frame, &owner);
    return frame && owner != GetCurrentProcessId() ? frame : nullptr;
  }

  void CloseViewer() {
    HWND frame = ViewerFrame();
    DWORD id = 0;
    GetWindowThreadProcessId(frame, &id);
    HANDLE process = id ? OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, id) : nullptr;
    if (frame) SendMessageTimeoutW(frame, exchange.hostCommand, hostexchange::kCommandClose, 0, SMTO_NORMAL, 20000,
                                   nullptr);
    if (process) {
      if (WaitForSingleObject(process, 20000) != WAIT_OBJECT_0) TerminateProcess(process, 1);
      CloseHandle(process);
    }
    viewer = false;
  }

  bool Step(const std::wstring& step, std::wstring* detail) {
    if (step == L"acp") {  // the ANSI code page the run expects (else it would prove nothing)
      UINT expected = static_cast<UINT>(_wtoi(Argument().c_str()));
      return Expect(GetACP() == expected, L"the ANSI code page is " + std::to_wstring(GetACP()), detail);
    }
    if (step == L"setting") {
      std::wstring name = Argument();
      return Expect(SetSetting(name, Argument()), L"not written", detail);
    }
    if (step == L"no-settings") {
      LONG status = RegDeleteKeyW(HKEY_LOCAL_MACHINE, ostrelle::kPluginKey);
      return Expect(status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND, L"not removed", detail);
    }
    if (step == L"exec") {  // self (the full path of this program), name (no folder), viewer
      std::wstring which = Argument();
      std::wstring path = which == L"name" ? L"ostrelle_host.exe"
                          : which == L"viewer" ? (viewertest::BinDir() / "Brisvane.exe").wstring()
                                               : (viewertest::BinDir() / "ostrelle_host.exe").wstring();
      viewer = which == L"viewer";
      return Expect(SetSetting(L"ExecFileName", path), L"not written", detail);
    }
    if (step == L"in-temp") {  // a working directory apart from the programs
      wchar_t folder[MAX_PATH] = L"";
      GetTempPathW(MAX_PATH, folder);
      return Expect(SetCurrentDirectoryW(folder) != 0, L"cannot enter the temporary folder", detail);
    }
    if (step == L"init" || step == L"free") {
      auto call = Export<int(WINAPI*)()>(step == L"init" ? "TrevikPluginInitModel" : "TrevikPluginFreeModel");
      int result = call();
      return Expect(result == 1, L"returned " + std::to_wstring(result), detail);
    }
    if (step == L"click") {
      int result = Export<int(WINAPI*)()>("TrevikPluginClick")();
      return Expect(result == 0, L"returned " + std::to_wstring(result), detail);
    }
    if (step == L"tooltip") {
      std::string expected = Narrow(Argument());
      std::string got = Export<const char*(WINAPI*)()>("TrevikPluginTooltip")();
      return Expect(got == expected, L"the tooltip is " + std::wstring(got.begin(), got.end()), detail);
    }
    if (step == L"target") {  // copies|keys TEXT
      bool copies = Argument() == L"copies";
      return Expect(CreateTarget(copies, Argument()), L"no target window", detail);
    }
    if (step == L"keys") {
      int expected = _wtoi(Argument().c_str());
      return Expect(keyDowns == expected, L"the target saw " + std::to_wstring(keyDowns) + L" keys", detail);
    }
    if (step == L"clip") return Expect(SetClipboardText(Argument()), L"the clipboard is busy", detail);
    if (step == L"clip-bitmap" || step == L"clip-metafile") {  // formats whose data is no memory block
      if (!OpenClipboard(toolbar)) return Expect(false, L"the clipboard is busy", detail);
      EmptyClipboard();
      if (step == L"clip-bitmap") {
        HDC screen = GetDC(nullptr);
        SetClipboardData(CF_BITMAP, CreateCompatibleBitmap(screen, 8, 8));
        ReleaseDC(nullptr, screen);
      } else {
        SetClipboardData(CF_ENHMETAFILE, CloseEnhMetaFile(CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr)));
      }
      CloseClipboard();
      return true;
    }
    if (step == L"clip-bitmap-only") {
      bool held = IsClipboardFormatAvailable(CF_BITMAP) && !IsClipboardFormatAvailable(CF_UNICODETEXT);
      return Expect(held, L"no bitmap, or text beside it", detail);
    }
    if (step == L"clip-empty") {
      if (!OpenClipboard(toolbar)) return Expect(false, L"the clipboard is busy", detail);
      int formats = CountClipboardFormats();
      CloseClipboard();
      return Expect(formats == 0, std::to_wstring(formats) + L" formats on the clipboard", detail);
    }
    if (step == L"clip-is") {
      std::wstring expected = Argument();
      std::wstring got = ClipboardText();
      return Expect(got == expected, L"the clipboard holds " + got, detail);
    }
    if (step == L"face") return CheckFace(_wtoi(Argument().c_str()), detail);
    if (step == L"resources") return CheckResources(detail);
    if (step == L"beside") {  // another host process, while this one has the plug-in loaded
      viewertest::ReportedRun run = viewertest::RunWithReport(viewertest::BinDir() / "ostrelle_host.exe",
                                                              Argument(), viewertest::BinDir(), 120000);
      std::wstring output(run.output.begin(), run.output.end());  // ASCII lines but for words
      return Expect(run.exitCode == 0, L"the other host: " + output, detail);
    }
    if (step == L"state") {  // the viewer's broadcast, as the viewer posts it
      LPARAM state = _wtoi(Argument().c_str());
      int before = faceNotices;
      PostMessageW(HWND_BROADCAST, exchange.viewerState, 1, state);
      return Expect(Wait([&] { return faceNotices > before; }, 5000), L"no face notice", detail);
    }
    if (step == L"notices") {
      int expected = _wtoi(Argument().c_str());
      bool held = Wait([&] { return faceNotices >= expected; }, 20000) && faceNotices == expected;
      return Expect(held, L"face notices: " + std::to_wstring(faceNotices), detail);
    }
    if (step == L"exchange")
      return Expect(exchange::WriteExchangeWord(hostexchange::kQuickLookupSection, Argument()), L"not written", detail);
    if (step == L"startword") {
      std::wstring expected = Argument();
      std::wstring got = exchange::ReadExchangeWord(hostexchange::kHostStartSection);
      return Expect(got == expected, L"\"Data From Trevik\" holds " + got, detail);
    }
    if (step == L"quick") {
      HWND placeholder = FindWindowW(hostexchange::kViewerClass, nullptr);
      DWORD owner = 0;
      GetWindowThreadProcessId(placeholder, &owner);
      if (!placeholder || owner != GetCurrentProcessId()) return Expect(false, L"no placeholder", detail);
      return Expect(SendMessageW(placeholder, exchange.quickLookup, 0, 0) == 0, L"answered", detail);
    }
    if (step == L"no-placeholder")
      return Expect(!FindWindowW(hostexchange::kViewerClass, nullptr), L"a window of the viewer's class", detail);
    if (step == L"started") {  // bin|none: where the started program ran
      std::wstring where = Argument();
      std::string expected = where == L"none" ? "" : "started " + viewertest::BinDir().string();
      std::vector<std::string> lines;
      Wait([&] { return !(lines = ReadLines(record)).empty(); }, expected.empty() ? 3000 : 60000);
      std::string got = lines.empty() ? "" : lines.front();
      DeleteFileW(record.c_str());
      return Expect(got == expected, L"the record is \"" + std::wstring(got.begin(), got.end()) + L"\"", detail);
    }
    if (step == L"log") return NextLog(Narrow(Argument()), detail);
    if (step == L"log-word") {  // the call of ordinal 35: MODEL WORD ("-" for none)
      std::string model = Narrow(Argument());
      std::wstring word = Argument();
      std::string bytes;
      exchange::ToShiftJis(word, &bytes);
      std::string line = "35 1234 " + model + " " + std::to_string(bytes.size()) + " " +
                         (word == L"-" ? "null" : Hex(bytes));
      if (word == L"-") line = "35 1234 " + model + " 0 null";
      return NextLog(line, detail);
    }
    if (step == L"viewer-shows") {
      std::wstring word = Argument();
      return CheckViewer(word, _wtoi(Argument().c_str()), detail);
    }
    *detail = L"unknown step";
    return false;
  }

  // The viewer that the plug-in started: WORD in its word box and COUNT headwords listed.
  bool CheckViewer(const std::wstring& word, int count, std::wstring* detail) {
    if (!Wait([&] { return ViewerFrame() && IsWindowVisible(ViewerFrame()); }, 60000))
      return Expect(false, L"no viewer", detail);
    HWND box = nullptr, list = nullptr;
    auto shows = [&] {
      HWND frame = ViewerFrame();
      HWND toolbarWindow = viewertest::FindChild(frame, TOOLBARCLASSNAMEW);
      box = toolbarWindow ? GetDlgItem(toolbarWindow, 101) : nullptr;
      list = viewertest::FindChild(frame, L"ListBox", 103);
      return WindowText(box) == word && SendMessageW(list, LB_GETCOUNT, 0, 0) == count;
    };
    bool held = Wait(shows, 60000);
    return Expect(held, L"the word box holds \"" + WindowText(box) + L"\", the list " +
                            std::to_wstring(SendMessageW(list, LB_GETCOUNT, 0, 0)) + L" items", detail);
  }

  std::vector<std::wstring> args;
  size_t next = 0;
  HMODULE plugin = nullptr;
  HWND toolbar = nullptr;
  HWND target = nullptr;
  WNDPROC editProc = nullptr;
  bool copiesOnRequest = false;
  bool viewer = false;
  int keyDowns = 0;
  int faceNotices = 0;
  UINT notifyMessage = 0;
  UINT searchMessage = 0;
  exchange::ExchangeMessages exchange;
  std::wstring grellixLog;
  std::wstring record;
  size_t logRead = 0;
};

// Started by the plug-in in place of the viewer: note where.
int Record() {
  wchar_t path[MAX_PATH] = L"", folder[MAX_PATH] = L"";
  if (!GetEnvironmentVariableW(L"OSTRELLE_RECORD", path, MAX_PATH)) return 1;
  GetCurrentDirectoryW(MAX_PATH, folder);
  std::wstring line = std::wstring(L"started ") + folder;
  if (!line.empty() && line.back() == L'\\') line.pop_back();
  std::ofstream(std::filesystem::path(path), std::ios::app | std::ios::binary) << Narrow(line) << "\n";
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 2 && std::wstring(argv[1]) == L"-p") return Record();
  std::vector<std::wstring> args(argv + 1, argv + argc);
  return Host(std::move(args)).Run();
}
