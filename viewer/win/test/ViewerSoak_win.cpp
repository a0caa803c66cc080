// brisvane_soak: the viewer kept at work as a reader keeps it all day, and watched. Not a unit
// test: it starts Brisvane.exe on a book with a shelf, drives it from outside through a fixed,
// seeded mix of what a reader does (headword, keyword and full-text searches, some stopped with
// Esc; shelf searches; entries chosen; references followed and F3 back; pictures opened and
// closed; the look-up key on a word selected in a window of ours; the text size and the theme
// changed) and samples the viewer's private bytes and its GDI and USER objects every 10 s,
// printing them once a minute.
//
//   brisvane_soak MINUTES BOOKROOT SHELFFILE [SEED]
//
// SHELFFILE holds a disc root a line (UTF-8). It prints one line a sample ("soak minute=…") and a
// verdict. It fails (exit 1) when, after the first minute, the private bytes grow by more than
// 2 MB an hour or the GDI or USER objects by more than 20 an hour (at least 4 MB and 20 objects
// however short the run: a few minutes cannot tell a slow growth from the heap's own steps), when
// the viewer does not answer a message within 5 s, or when it ends.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "BrisvaneRes.h"
#include "SearchFixture.h"
#include "ViewerHarness.h"
#include "ui/Utf8Text.h"

namespace {

using namespace viewertest;

constexpr DWORD kNotCounted = 0xFFFFFFFF;
// How often the viewer is sampled: many samples a half, so that their middle is steady.
constexpr int kSampleSeconds = 10;

// The windows of process id, top-level and child.
DWORD WindowsOf(DWORD id) {
  struct Count {
    DWORD id;
    DWORD windows;
  } count = {id, 0};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto* c = reinterpret_cast<Count*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != c->id) return TRUE;
        ++c->windows;
        EnumChildWindows(
            window, [](HWND, LPARAM inner) -> BOOL { return ++reinterpret_cast<Count*>(inner)->windows, TRUE; }, param);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&count));
  return count.windows;
}

struct Sample {
  double minute = 0;
  size_t privateBytes = 0;
  DWORD gdi = 0;
  DWORD user = 0;
  long actions = 0;
};

// Words a reader of the sample books and of a real dictionary types: found ones, kana, English,
// half-width kana, a prefix, words that find nothing.
const wchar_t* const kWords[] = {L"はし",   L"いえ",  L"みず", L"がっこう", L"coffee", L"water", L"学校", L"日本",
                                 L"ｶｷ",     L"かき",  L"test", L"cold",     L"eat",    L"へや", L"あい", L"zzzq",
                                 L"たべる", L"食べる", L"本",   L"go",       L"犬",     L"いぬ", L"dog",  L"kana"};

class Soak {
 public:
  Soak(std::wstring root, unsigned seed) : root(std::move(root)), random(seed) {}

  bool Start() {
    WriteCurpath(root);
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Olvenar\\Trevik DUDAZA ZORARI\\bookmarks");
    if (!viewer.Start(BinDir() / "Brisvane.exe")) return Fail("the viewer did not start");
    if (!WaitUntil([&] {
          windows.frame = viewer.FindTopWindow(kFrameClass);
          return windows.frame && IsWindowVisible(windows.frame) &&
                 WindowText(windows.frame).rfind(L"DUDAZA Zorari - ", 0) == 0;
        }, 60000))
      return Fail("no main window with the book open");
    if (!windows.FindControls()) return Fail("the main window's controls were not found");
    process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, viewer.Id());
    other = CreateWindowExW(0, L"EDIT", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 300, 60, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    return process != nullptr;
  }

  // Each kind of action once, the searches run to their end, before the first sample: the books'
  // pages, the fonts, the pictures and the heap's high water of a whole shelf search are in by
  // then, however few actions a slow machine makes in its first minute.
  bool WarmUp() {
    Search(IDM_MODE_HEADWORD, IDM_SCOPE_BOOK, false, L"はし");
    Search(IDM_MODE_KEYWORD, IDM_SCOPE_BOOK, false, L"water");
    Search(IDM_MODE_FULLTEXT, IDM_SCOPE_BOOK, false, L"water");
    Search(IDM_MODE_HEADWORD, IDM_SCOPE_SHELF, false, L"はし");
    Search(IDM_MODE_FULLTEXT, IDM_SCOPE_SHELF, false, L"water");
    ChooseEntries();
    FollowAndReturn();
    LookUpKey();
    Bookmark();
    for (WPARAM id : {IDM_TEXT_LARGER, IDM_TEXT_SMALLER, IDM_THEME_DARK, IDM_THEME_LIGHT}) Command(id);
    return Answers();
  }

  // One action of the mix; false when the viewer stopped answering or ended.
  bool Step() {
    ++actions;
    const int pick = static_cast<int>(random() % 100);
    const ULONGLONG began = GetTickCount64();
    Act(pick);
    // An action that takes long is told: the mix waits at most a minute for a search.
    if (const ULONGLONG ms = GetTickCount64() - began; ms > 10000)
      std::printf("soak slow action=%d ms=%llu status=[%ls] [%ls] dialog=[%ls]\n", pick, ms, Status(0).c_str(),
                  Status(1).c_str(), WindowText(viewer.FindTopWindow(L"#32770")).c_str());
    return Answers();
  }

  void Act(int pick) {
    if (pick < 30) Search(IDM_MODE_HEADWORD, IDM_SCOPE_BOOK, false);
    else if (pick < 38) Search(IDM_MODE_KEYWORD, IDM_SCOPE_BOOK, false);
    else if (pick < 44) Search(IDM_MODE_FULLTEXT, IDM_SCOPE_BOOK, random() % 2 == 0);
    else if (pick < 54) Search(IDM_MODE_HEADWORD, IDM_SCOPE_SHELF, false);
    else if (pick < 57) Search(IDM_MODE_FULLTEXT, IDM_SCOPE_SHELF, true);
    else if (pick < 72) ChooseEntries();
    else if (pick < 84) FollowAndReturn();
    else if (pick < 87) LookUpKey();
    else if (pick < 90) Bookmark();
    else if (pick < 95) Command(random() % 2 ? IDM_TEXT_LARGER : IDM_TEXT_SMALLER);
    else Command(random() % 2 ? IDM_THEME_DARK : IDM_THEME_LIGHT);
  }

  Sample Measure(double minute) const {
    Sample sample;
    sample.minute = minute;
    sample.actions = actions;
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof memory;
    // Wine leaves PrivateUsage 0 and gives the same commit as PagefileUsage.
    if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory))
      sample.privateBytes = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
    sample.gdi = GetGuiResources(process, GR_GDIOBJECTS);
    sample.user = GetGuiResources(process, GR_USEROBJECTS);
    if (sample.gdi == 0 && sample.user == 0) {
      // Wine does not count them (a stub answers 0): the viewer's windows are counted instead of
      // its USER objects, and its GDI objects, which Wine keeps in the process's own memory,
      // show in the private bytes.
      sample.gdi = kNotCounted;
      sample.user = WindowsOf(viewer.Id());
    }
    return sample;
  }

  void Finish() {
    Command(IDM_THEME_LIGHT);
    Command(IDM_TEXT_NORMAL);
    Command(IDM_SCOPE_BOOK);
    if (windows.frame) PostMessageW(windows.frame, WM_CLOSE, 0, 0);
    viewer.WaitForExit(20000);
    if (process) CloseHandle(process);
    if (other) DestroyWindow(other);
  }

  const std::string& Failure() const { return failure; }
  void PrintMix() const {
    std::printf("soak mix: %ld actions, %ld searches, %ld pictures opened, %ld look-up pop-ups, %ld bookmark dialogs\n",
                actions, searches, pictures, popups, bookmarks);
  }

 private:
  bool Fail(const std::string& why) {
    if (failure.empty()) failure = why;
    return false;
  }

  // The viewer answers a message within 5 s and still runs.
  bool Answers() {
    if (!viewer.IsRunning()) return Fail("the viewer ended");
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutW(windows.frame, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored))
      return Fail("the viewer did not answer within 5 s");
    return true;
  }

  void Command(WPARAM id) {
    PostMessageW(windows.frame, WM_COMMAND, id, 0);
    windows.DrainQueue();
  }

  // A message box of the viewer's (no hit, a word too long) is answered.
  void AnswerMessage() {
    HWND box = viewer.FindTopWindow(L"#32770");
    if (box && IsWindowVisible(box) && WindowText(box) == L"DUDAZA Zorari") {
      PostMessageW(box, WM_COMMAND, IDOK, 0);
      WaitUntil([&] { return !IsWindow(box); }, 5000);
    }
  }

  HWND Progress() const {
    HWND dialog = viewer.FindTopWindow(L"#32770");
    return dialog && WindowText(dialog) == L"検索" ? dialog : nullptr;
  }

  std::wstring Status(int pane) const { return StatusText(viewer.Id(), windows.statusBar, pane); }

  void Search(WPARAM mode, WPARAM scope, bool stop, const wchar_t* word = nullptr) {
    Command(mode);
    Command(scope);
    windows.Type(word ? word : kWords[random() % (sizeof kWords / sizeof kWords[0])]);
    windows.PressEnter();
    if (stop) {
      Sleep(static_cast<DWORD>(50 + random() % 200));
      if (HWND dialog = Progress()) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    }
    WaitForSearch();
  }

  // The end of a search: its count in the status bar, or its message answered.
  void WaitForSearch() {
    ++searches;
    WaitUntil([&] {
      AnswerMessage();
      const std::wstring state = Status(0);
      return !Progress() && (state == L" " || state.rfind(L"本棚の", 0) == 0) && Status(1).rfind(L"検索結果", 0) == 0;
    }, 60000, 50);
    AnswerMessage();
  }

  void ChooseEntries() {
    const int steps = 1 + static_cast<int>(random() % 5);
    for (int i = 0; i < steps; ++i) PostMessageW(windows.list, WM_KEYDOWN, VK_DOWN, 0);
    windows.DrainQueue();
  }

  // Tab to a link of the entry and Enter: a reference is followed (then F3), a picture opens
  // (then it is closed), a sound plays.
  void FollowAndReturn() {
    // Now and then from いえ of the sample books on the shelf, whose entry begins with a picture.
    if (random() % 4 == 0) {
      Command(IDM_MODE_HEADWORD);
      Command(IDM_SCOPE_SHELF);
      windows.Type(L"いえ");
      windows.PressEnter();
      WaitForSearch();
    }
    const int tabs = 1 + static_cast<int>(random() % 3);
    for (int i = 0; i < tabs; ++i) PostMessageW(windows.content, WM_KEYDOWN, VK_TAB, 0);
    PostMessageW(windows.content, WM_KEYDOWN, VK_RETURN, 0);
    windows.DrainQueue();
    HWND picture = nullptr;
    if (WaitUntil([&] { return (picture = viewer.FindTopWindow(L"BMP window")) != nullptr; }, 300)) {
      ++pictures;
      PostMessageW(picture, WM_CLOSE, 0, 0);
      WaitUntil([&] { return !IsWindow(picture); }, 5000);
    }
    AnswerMessage();
    PostMessageW(windows.frame, WM_COMMAND, IDM_PREVIOUS_LAYER, 0);
    windows.DrainQueue();
  }

  // The place shown kept as a bookmark, and the bookmarks' dialog: closed, or its bookmark shown.
  void Bookmark() {
    Command(IDM_BOOKMARK_ADD);
    PostMessageW(windows.frame, WM_COMMAND, IDM_BOOKMARKS, 0);
    HWND dialog = nullptr;
    if (!WaitUntil([&] { return (dialog = viewer.FindTopWindow(L"#32770", L"しおり")) != nullptr; }, 5000)) return;
    ++bookmarks;
    PostMessageW(dialog, WM_COMMAND, random() % 2 ? IDOK : IDCANCEL, 0);
    // Nothing to show (no bookmark yet): the dialog stays, and is closed.
    if (!WaitUntil([&] { return !IsWindow(dialog); }, 2000)) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    WaitUntil([&] { return !IsWindow(dialog); }, 5000);
    windows.DrainQueue();
  }

  // The system-wide key on a word selected in our window: the pop-up (or the main window) shows
  // it; Esc closes the pop-up.
  void LookUpKey() {
    if (!other) return;
    SetWindowTextW(other, kWords[random() % 8]);
    SetForegroundWindow(other);
    SetFocus(other);
    SendMessageW(other, EM_SETSEL, 0, -1);
    PumpUntil([&] { return GetForegroundWindow() == other; }, 2000, 5);
    PressKeys({VK_CONTROL, VK_MENU, 'L'});
    HWND popup = nullptr;
    PumpUntil([&] {
      popup = viewer.FindTopWindow(L"BrisvanePopup");
      return (popup && IsWindowVisible(popup)) || GetForegroundWindow() == windows.frame;
    }, 3000, 10);  // a word the book lacks shows nothing
    if (popup && IsWindowVisible(popup)) {
      ++popups;
      PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
      PumpUntil([&] { return !IsWindowVisible(popup); }, 5000, 10);
    }
    AnswerMessage();
  }

  std::wstring root;
  std::mt19937 random;
  ViewerProcess viewer;
  ViewerWindows windows;
  HANDLE process = nullptr;
  HWND other = nullptr;
  long actions = 0;
  long searches = 0;
  long pictures = 0;
  long popups = 0;
  long bookmarks = 0;
  std::string failure;
};

bool WriteShelf(const std::wstring& shelfFile) {
  std::ifstream file{std::filesystem::path(shelfFile)};
  std::vector<std::wstring> lines;
  for (std::string root; std::getline(file, root);) {
    if (!root.empty() && root.back() == '\r') root.pop_back();
    if (root.empty()) continue;
    lines.push_back(L"1\t0\t" + ui::FromUtf8(root) + L"\tS" + std::to_wstring(lines.size() + 1));
  }
  return !lines.empty() && WriteShelfSetting(lines);
}

void Print(const Sample& s) {
  const std::string gdi = s.gdi == kNotCounted ? "n/a" : std::to_string(s.gdi);
  std::printf("soak minute=%.0f private_kb=%zu gdi=%s %s=%lu actions=%ld\n", s.minute, s.privateBytes / 1024,
              gdi.c_str(), s.gdi == kNotCounted ? "windows" : "user", s.user, s.actions);
  std::fflush(stdout);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: brisvane_soak MINUTES BOOKROOT SHELFFILE [SEED]\n");
    return 2;
  }
  const double minutes = _wtof(argv[1]);
  const unsigned seed = argc > 4 ? static_cast<unsigned>(_wtoi(argv[4])) : 20261209u;
  if (minutes <= 0 || !WriteShelf(argv[3])) {
    std::fprintf(stderr, "brisvane_soak: no minutes, or no book in the shelf file\n");
    return 2;
  }
  Soak soak(argv[2], seed);
  std::vector<Sample> samples;  // one every kSampleSeconds; the whole minutes are printed
  ULONGLONG start = GetTickCount64();
  auto elapsed = [&] { return static_cast<double>(GetTickCount64() - start) / 60000.0; };
  bool running = soak.Start() && soak.WarmUp();
  if (running) {
    std::printf("soak warm-up: %.0f s\n", elapsed() * 60);
    start = GetTickCount64();
    samples.push_back(soak.Measure(0));
    Print(samples.back());
    while (running && elapsed() < minutes) {
      running = soak.Step();
      if (elapsed() * 60 >= samples.size() * kSampleSeconds) {
        samples.push_back(soak.Measure(static_cast<double>(samples.size()) * kSampleSeconds / 60));
        if ((samples.size() - 1) % (60 / kSampleSeconds) == 0) Print(samples.back());
      }
    }
  }
  if (running && (samples.empty() || samples.back().minute < minutes)) {
    samples.push_back(soak.Measure(elapsed()));
    Print(samples.back());
  }
  const std::string stopped = soak.Failure();
  soak.PrintMix();
  soak.Finish();
  if (!stopped.empty()) {
    std::printf("soak FAILED: %s after %.1f minutes\n", stopped.c_str(), elapsed());
    return 1;
  }
  // Growth after the first minute (the warm-up and the first minute have filled the caches).
  if (samples.empty() || samples.back().minute < 2) {
    std::printf("soak passed (too short to judge growth: %zu samples)\n", samples.size());
    return 0;
  }
  // The middle sample of each half after minute 1: the commit of the heap goes up and down by
  // tens of megabytes with what a search holds, and the heap gives pages back now and then and
  // takes them again; a leak moves the middle of the samples, a dip or a peak does not.
  const double span = samples.back().minute - 1;
  auto median = [&](double from, double to, auto value) {
    std::vector<double> values;
    for (const Sample& s : samples)
      if (s.minute >= from && s.minute <= to) values.push_back(value(s));
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2), values.end());
    return values[values.size() / 2];
  };
  const double firstTo = 1 + span / 2, lastFrom = samples.back().minute - span / 2, lastTo = samples.back().minute;
  auto grewBy = [&](auto value) { return median(lastFrom, lastTo, value) - median(1, firstTo, value); };
  const double grew = grewBy([](const Sample& s) { return static_cast<double>(s.privateBytes); });
  const double gdiGrew = samples.back().gdi == kNotCounted ? 0 : grewBy([](const Sample& s) { return double(s.gdi); });
  const double userGrew = grewBy([](const Sample& s) { return static_cast<double>(s.user); });
  const double hours = std::max(0.0, span / 60.0);
  const double bytesAllowed = std::max(4.0 * 1024 * 1024, 2.0 * 1024 * 1024 * hours);
  const double objectsAllowed = std::max(20.0, 20.0 * hours);
  std::printf("soak growth after minute 1 (the middle of each half's %d-second samples): private %+.0f KB "
              "(allowed %.0f), gdi %+.0f, user %+.0f (allowed %.0f)\n",
              kSampleSeconds, grew / 1024, bytesAllowed / 1024, gdiGrew, userGrew, objectsAllowed);
  if (grew > bytesAllowed || gdiGrew > objectsAllowed || userGrew > objectsAllowed) {
    std::printf("soak FAILED: the viewer grows\n");
    return 1;
  }
  std::printf("soak passed: %ld actions in %.1f minutes\n", samples.back().actions, samples.back().minute);
  return 0;
}
