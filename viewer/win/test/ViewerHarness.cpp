#include "ViewerHarness.h"

#include <algorithm>
#include <cstdlib>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <vector>
#include <iterator>

#include "TestFiles.h"

namespace viewertest {

namespace {

const wchar_t kCurpathKey[] = L"Software\\Olvenar\\Trevik DUDAZA ZORARI\\Curpath";

struct FindData {
  DWORD processId;
  const wchar_t* className;
  const wchar_t* caption;  // null: any window of the class
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
  auto* data = reinterpret_cast<FindData*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t name[64] = L"";
  GetClassNameW(window, name, 64);
  if (owner == data->processId && lstrcmpW(name, data->className) == 0 &&
      (!data->caption || (IsWindowVisible(window) && viewertest::WindowText(window) == data->caption))) {
    data->found = window;
    return FALSE;
  }
  return TRUE;
}

// The part of rect that lies on the screen (empty when none does).
RECT OnScreen(const RECT& rect) {
  RECT screen = {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN), 0, 0};
  screen.right = screen.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
  screen.bottom = screen.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
  RECT shown = {};
  IntersectRect(&shown, &rect, &screen);
  return shown;
}

}  // namespace

std::filesystem::path BinDir() {
  wchar_t path[MAX_PATH] = L"";
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return std::filesystem::path(path).parent_path();
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD pollMs) {
  DWORD start = GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (GetTickCount() - start > timeoutMs) return false;
    Sleep(pollMs);
  }
}

bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD pollMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (condition()) return true;
    if (GetTickCount() - start > timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, pollMs, QS_ALLINPUT);
  }
}

ViewerProcess::~ViewerProcess() {
  if (!info.hProcess) return;
  if (IsRunning()) {
    TerminateProcess(info.hProcess, 1);
    WaitForSingleObject(info.hProcess, 10000);
  }
  CloseHandle(info.hProcess);
  CloseHandle(info.hThread);
}

namespace {
bool keepEarlierChoices = false;
}  // namespace

void KeepEarlierChoices(bool keep) { keepEarlierChoices = keep; }

bool ViewerProcess::Start(const std::filesystem::path& exe, const std::wstring& arguments,
                          const std::filesystem::path& workDir) {
  if (!keepEarlierChoices) {
    const std::wstring settings = L"Software\\Olvenar\\Trevik DUDAZA ZORARI\\";
    // The viewer writes its settings machine-wide where it may, else per user.
    for (HKEY hive : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
      for (const wchar_t* subkey : {L"history", L"lookup", L"popup"}) RegDeleteKeyW(hive, (settings + subkey).c_str());
      for (const wchar_t* value : {L"AsYouType", L"Related", L"FoldVoicing", L"FoldLongVowel"})
        RegDeleteKeyValueW(hive, (settings + L"search").c_str(), value);
      RegDeleteKeyValueW(hive, (settings + L"view").c_str(), L"Theme");
    }
  }
  std::wstring command = L"\"" + exe.wstring() + L"\"";
  if (!arguments.empty()) command += L" " + arguments;
  std::wstring dir = (workDir.empty() ? exe.parent_path() : workDir).wstring();
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  return CreateProcessW(exe.wstring().c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(),
                        &startup, &info) != 0;
}

DWORD ViewerProcess::WaitForExit(DWORD timeoutMs) {
  if (WaitForSingleObject(info.hProcess, timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(info.hProcess, &code);
  return code;
}

bool ViewerProcess::IsRunning() const { return WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT; }

HWND ViewerProcess::FindTopWindow(const wchar_t* className, const wchar_t* caption) const {
  FindData data = {info.dwProcessId, className, caption, nullptr};
  EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&data));
  return data.found;
}

namespace {
constexpr wchar_t kShelfKey[] = L"Software\\Olvenar\\Trevik DUDAZA ZORARI\\shelf";
}  // namespace

void ForgetShelfSetting() {
  RegDeleteKeyW(HKEY_LOCAL_MACHINE, kShelfKey);
  RegDeleteKeyW(HKEY_CURRENT_USER, kShelfKey);
}

std::vector<std::wstring> ReadUserLines(const wchar_t* key, const wchar_t* value) {
  std::vector<std::wstring> lines;
  DWORD size = 0;
  if (RegGetValueW(HKEY_CURRENT_USER, key, value, RRF_RT_REG_MULTI_SZ, nullptr, nullptr, &size) != ERROR_SUCCESS)
    return lines;
  std::vector<wchar_t> text(size / sizeof(wchar_t) + 2, L'\0');
  if (RegGetValueW(HKEY_CURRENT_USER, key, value, RRF_RT_REG_MULTI_SZ, nullptr, text.data(), &size) != ERROR_SUCCESS)
    return lines;
  for (const wchar_t* at = text.data(); *at; at += wcslen(at) + 1) lines.emplace_back(at);
  return lines;
}

std::vector<std::wstring> ReadShelfSetting() { return ReadUserLines(kShelfKey, L"Books"); }

bool WriteShelfSetting(const std::vector<std::wstring>& lines) {
  ForgetShelfSetting();  // a scope kept machine-wide would win over the user's
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kShelfKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return false;
  std::wstring joined;
  for (const std::wstring& line : lines) joined += line + L'\0';
  joined += L'\0';
  const DWORD one = 1;
  const bool written =
      RegSetValueExW(key, L"Books", 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(joined.data()),
                     static_cast<DWORD>(joined.size() * sizeof(wchar_t))) == ERROR_SUCCESS &&
      RegSetValueExW(key, L"Made", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof one) == ERROR_SUCCESS &&
      RegSetValueExW(key, L"Scope", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof one) == ERROR_SUCCESS;
  RegCloseKey(key);
  return written;
}

bool PressKeys(std::initializer_list<WORD> keys) {
  std::vector<INPUT> inputs;
  auto add = [&](WORD code, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = code;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(code, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(input);
  };
  for (WORD code : keys) add(code, false);
  for (auto code = std::rbegin(keys); code != std::rend(keys); ++code) add(*code, true);
  return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

std::wstring WindowText(HWND window) {
  wchar_t text[512] = L"";
  // WM_GETTEXT is answered for windows of other processes too (GetWindowText is not).
  SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, nullptr);
  return text;
}

std::vector<uint32_t> ScreenPixels(HWND window, int maxWidth, int maxHeight) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  int width = std::min<int>(rect.right - rect.left, maxWidth), height = std::min<int>(rect.bottom - rect.top, maxHeight);
  if (width <= 0 || height <= 0) return {};
  // Only what lies on the screen is copied: a maximised window's frame reaches past its edges,
  // and a copy from beyond them fails as a whole.
  RECT shown = OnScreen({rect.left, rect.top, rect.left + width, rect.top + height});
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  std::vector<uint32_t> pixels;
  if (bitmap) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    if (!IsRectEmpty(&shown))
      BitBlt(memory, shown.left - rect.left, shown.top - rect.top, shown.right - shown.left, shown.bottom - shown.top,
             screen, shown.left, shown.top, SRCCOPY);
    GdiFlush();
    const auto* from = static_cast<const uint32_t*>(bits);
    pixels.assign(from, from + static_cast<size_t>(width) * height);
    SelectObject(memory, old);
    DeleteObject(bitmap);
  }
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixels;
}

bool SaveWindowShot(HWND window, const std::string& name) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  std::vector<uint32_t> pixels, previous;
  bool stable = WaitUntil([&] {
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
    previous.swap(pixels);
    pixels = ScreenPixels(window);
    return !pixels.empty() && pixels == previous;
  }, 10000);
  if (!stable) return false;
  RECT rect = {};
  GetWindowRect(window, &rect);
  const int width = rect.right - rect.left;
  if (static_cast<size_t>(width) * (rect.bottom - rect.top) != pixels.size()) return false;  // resized meanwhile
  // What a user sees: a maximised window's frame beyond the screen's edges is left out.
  RECT shown = OnScreen(rect);
  if (IsRectEmpty(&shown)) return false;
  const int left = shown.left - rect.left, top = shown.top - rect.top;
  // A run under another locale names its scenes apart (DUNMOOR_SHOT_SUFFIX, e.g. "-ja_JP").
  const char* suffix = std::getenv("DUNMOOR_SHOT_SUFFIX");
  std::string file = name + (suffix ? suffix : "") + ".bmp";
  // The pixels of a top-down 32-bit DIB are 0x00RRGGBB.
  return testfiles::WriteBmp24(std::filesystem::path(BRISVANE_ARTIFACTS_DIR) / file, shown.right - shown.left,
                               shown.bottom - shown.top, [&](int x, int y) {
                                 return pixels[static_cast<size_t>(top + y) * width + left + x] & 0xFFFFFF;
                               });
}

std::string ReadCurpath() {
  char text[300] = "";
  DWORD size = sizeof text - 1;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kCurpathKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return "<no key>";
  LONG status = RegQueryValueExA(key, "Curpath", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size);
  RegCloseKey(key);
  return status == ERROR_SUCCESS ? std::string(text) : "<no value>";
}

std::wstring ReadCurpathWide() {
  wchar_t text[300] = L"";
  DWORD size = sizeof text - sizeof(wchar_t);
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kCurpathKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return L"<no key>";
  LONG status = RegQueryValueExW(key, L"Curpath", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size);
  RegCloseKey(key);
  return status == ERROR_SUCCESS ? std::wstring(text) : L"<no value>";
}

void LinkJapaneseFallbackFont() {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink", 0,
                      nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return;
  static const wchar_t kLink[] = L"ipagp.ttf,IPAPGothic\0";  // REG_MULTI_SZ: ends with two NULs
  for (const wchar_t* face : {L"Tahoma", L"MS Shell Dlg", L"MS Sans Serif", L"Microsoft Sans Serif"})
    RegSetValueExW(key, face, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(kLink), sizeof kLink);
  RegCloseKey(key);
}

void WriteCurpath(const std::string& path, int32_t book) {
  std::wstring wide(path.size() + 1, L'\0');
  wide.resize(static_cast<size_t>(
      std::max(MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), static_cast<int>(wide.size())) - 1, 0)));
  WriteCurpath(wide, book);
}

void WriteCurpath(const std::wstring& path, int32_t book) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kCurpathKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) ==
      ERROR_SUCCESS) {
    RegSetValueExW(key, L"Curpath", 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                   static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
    DWORD index = static_cast<DWORD>(book);
    if (book >= 0) RegSetValueExW(key, L"Curbook", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&index), sizeof index);
    else RegDeleteValueW(key, L"Curbook");
    RegCloseKey(key);
  }
  RegDeleteKeyW(HKEY_CURRENT_USER, kCurpathKey);
}

int64_t ReadCurbook() {
  DWORD value = 0, size = sizeof value;
  if (RegGetValueW(HKEY_LOCAL_MACHINE, kCurpathKey, L"Curbook", RRF_RT_REG_DWORD, nullptr, &value, &size) !=
      ERROR_SUCCESS)
    return -1000;
  return static_cast<int32_t>(value);
}

}  // namespace viewertest

namespace viewertest {

std::wstring TempFileName(const wchar_t* prefix) {
  wchar_t folder[MAX_PATH] = L"", name[MAX_PATH] = L"";
  GetTempPathW(MAX_PATH, folder);
  GetTempFileNameW(folder, prefix, 0, name);
  return name;
}

void PrintLine(const std::wstring& line) {
  std::string utf8(WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, nullptr, 0, nullptr, nullptr), '\0');
  WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, &utf8[0], static_cast<int>(utf8.size()), nullptr, nullptr);
  std::printf("%s\n", utf8.c_str());
  std::fflush(stdout);
}

void EndViewerLeftBehind() {
  HWND frame = FindWindowW(L"TrevikBrisvane", nullptr);
  DWORD id = 0;
  if (frame) GetWindowThreadProcessId(frame, &id);
  if (HANDLE process = id ? OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id) : nullptr) {
    TerminateProcess(process, 1);
    WaitForSingleObject(process, 10000);
    CloseHandle(process);
  }
}

ReportedRun RunWithReport(const std::filesystem::path& exe, const std::wstring& arguments,
                          const std::filesystem::path& workDir, DWORD timeoutMs) {
  ReportedRun run;
  std::wstring name = TempFileName(L"bho");
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE report = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY, nullptr);
  if (report == INVALID_HANDLE_VALUE) return run;
  std::wstring command = L"\"" + exe.wstring() + L"\" " + arguments;
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = report;
  startup.hStdError = report;
  PROCESS_INFORMATION process = {};
  if (CreateProcessW(exe.wstring().c_str(), &command[0], nullptr, nullptr, TRUE, 0, nullptr,
                     workDir.wstring().c_str(), &startup, &process)) {
    if (WaitForSingleObject(process.hProcess, timeoutMs) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 3);
    GetExitCodeProcess(process.hProcess, &run.exitCode);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
  }
  CloseHandle(report);
  HANDLE back = CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                            nullptr);
  if (back != INVALID_HANDLE_VALUE) {
    char chunk[512];
    DWORD got = 0;
    while (ReadFile(back, chunk, sizeof chunk, &got, nullptr) && got > 0) run.output.append(chunk, got);
    CloseHandle(back);
  }
  DeleteFileW(name.c_str());
  return run;
}

}  // namespace viewertest
