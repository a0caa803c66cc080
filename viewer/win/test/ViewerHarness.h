// What the viewer's tests need around Brisvane.exe: starting it as a user would (from its own
// folder or a copy elsewhere), waiting for its windows, reading them back, and saving what the
// main window shows.
#ifndef BRISVANE_VIEWER_WIN_TEST_VIEWERHARNESS_H
#define BRISVANE_VIEWER_WIN_TEST_VIEWERHARNESS_H

#include <windows.h>

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <climits>
#include <cstdint>
#include <string>
#include <vector>

namespace viewertest {

// The folder of this test program: Brisvane.exe and the two DLLs lie beside it.
std::filesystem::path BinDir();

// Polls condition every pollMs (0: as often as the thread gets its turn) until it holds or
// timeoutMs has passed; whether it held.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 20000, DWORD pollMs = 20);
// The same, this thread's messages dispatched meanwhile (the viewer may ask a window of the
// caller's to copy its selection); between polls it waits for a message up to pollMs.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 20000, DWORD pollMs = 20);

// One started process; ended (TerminateProcess) when still running at destruction.
class ViewerProcess {
 public:
  ViewerProcess() = default;
  ~ViewerProcess();
  ViewerProcess(const ViewerProcess&) = delete;
  ViewerProcess& operator=(const ViewerProcess&) = delete;

  // Starts exe with the given arguments, in folder workDir (exe's folder when empty). What the
  // user chose in earlier runs (the word box's history, as-you-type and related words, the
  // system-wide key, the clipboard watch and the colours) is forgotten first, unless
  // KeepEarlierChoices asked otherwise: each test begins with the viewer as it comes.
  bool Start(const std::filesystem::path& exe, const std::wstring& arguments = L"",
             const std::filesystem::path& workDir = {});
  DWORD Id() const { return info.dwProcessId; }
  // Waits for the end of the process; its exit code, or STILL_ACTIVE on a timeout.
  DWORD WaitForExit(DWORD timeoutMs = 20000);
  bool IsRunning() const;
  // The visible or hidden top-level window of class className that belongs to this process;
  // with a caption, only a visible one with that title.
  HWND FindTopWindow(const wchar_t* className, const wchar_t* caption = nullptr) const;

 private:
  PROCESS_INFORMATION info = {};
};

std::wstring WindowText(HWND window);

// Presses keys through the system's input (so that the window in front sees Ctrl, Alt and Shift
// held, as posted keys do not show them): each key down in order, then each up in reverse. Whether
// the system took them all.
bool PressKeys(std::initializer_list<WORD> keys);

// Whether the next starts of the viewer keep the choices of earlier runs (a test of their being
// kept); every test that sets it should reset it to false.
void KeepEarlierChoices(bool keep);

// The shelf as the viewer's user settings keep it ("shelf": "Books", a line a book,
// "TICK\tINDEX\tROOT\tNAME"; made; the scope 本棚) in place of a shelf of either hive; whether
// it was written. ForgetShelfSetting removes the shelf's settings from both hives.
bool WriteShelfSetting(const std::vector<std::wstring>& lines);
void ForgetShelfSetting();
// The shelf's lines as the viewer kept them (the user's key).
std::vector<std::wstring> ReadShelfSetting();
// The lines of a list value of the user's settings (REG_MULTI_SZ); empty when there is none.
std::vector<std::wstring> ReadUserLines(const wchar_t* key, const wchar_t* value);

// A new empty file in the temporary folder, named with prefix (at most 3 characters).
std::wstring TempFileName(const wchar_t* prefix);
// Prints line to standard output as UTF-8 and flushes it (the helper programs' reports).
void PrintLine(const std::wstring& line);

// Ends the process of a viewer window (class "TrevikBrisvane") that a failed test left behind:
// it would spoil every later test.
void EndViewerLeftBehind();

// A helper program run to its end: its exit code (STILL_ACTIVE when it was ended after
// timeoutMs) and what it printed.
struct ReportedRun {
  DWORD exitCode = STILL_ACTIVE;
  std::string output;
};
// Runs exe with arguments in workDir, its output going to a temporary file rather than a
// pipe: programs it starts may inherit the handle, and a pipe would stay open while they run.
ReportedRun RunWithReport(const std::filesystem::path& exe, const std::wstring& arguments,
                          const std::filesystem::path& workDir, DWORD timeoutMs);

// What the screen shows under window (at most maxWidth x maxHeight of its top left corner), 32
// bits a pixel (0x00RRGGBB), row after row; what lies off the screen is black.
std::vector<uint32_t> ScreenPixels(HWND window, int maxWidth = INT_MAX, int maxHeight = INT_MAX);

// Saves what window shows on the screen as a BMP file in the test-artifacts folder, once two
// captures in a row are the same (the window has finished painting).
bool SaveWindowShot(HWND window, const std::string& name);

// The registry value "Curpath" of the viewer (machine-wide key), and setting it. Setting it
// also removes a per-user copy, which would be read first.
std::string ReadCurpath();
// Lets the system's UI fonts (menus, dialogs) fall back to an installed Japanese face, as
// they do on a Japanese system: Wine's stand-ins for them have no Japanese glyphs.
void LinkJapaneseFallbackFont();
// book >= 0 also sets "Curbook" beside it (the catalog index of the book); otherwise that
// value is removed.
void WriteCurpath(const std::string& path, int32_t book = -1);
void WriteCurpath(const std::wstring& path, int32_t book = -1);
// The remembered path as stored (Unicode).
std::wstring ReadCurpathWide();
// "Curbook" as the viewer wrote it (-1 for 0xFFFFFFFF); -1000 when there is none.
int64_t ReadCurbook();

}  // namespace viewertest

#endif  // BRISVANE_VIEWER_WIN_TEST_VIEWERHARNESS_H
