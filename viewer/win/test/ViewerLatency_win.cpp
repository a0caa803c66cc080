// brisvane_latency: how long the real viewer makes a user wait, measured from outside as a user
// sees it. Not a test: it starts Brisvane.exe on a book, searches the planted words of a words
// file ("name word expected" lines, UTF-8) and prints, for each, the time from Enter until the
// list holds every hit, until the first entry is on the screen, and the time to page down
// through the whole list, each beside what the design's own timers take.
//
//   brisvane_latency LABEL BOOKROOT WORDSFILE [REPEAT]
//   brisvane_latency --shelf LABEL SHELFFILE WORDSFILE [REPEAT]
//
// With --shelf the viewer searches a shelf: the books of SHELFFILE (a disc root a line) are put
// in its settings with the scope 本棚, and the exact word of the words file is timed (its
// count times the books' number), the view emptied (更新) before each run.
//
// Each search is made once untimed first (it warms the caches and gives the picture of the
// entry that the timed runs wait for), then REPEAT times (default 5), the words in turn so
// that no search repeats the one before. Then the exact and the prefix words are typed, the
// last character as a key, and the list that comes after the typing pause (as-you-type) is
// timed the same way, from that key; and the look-up key on the exact word selected in a window
// of this program, to the main window and to the look-up pop-up. Output lines begin with
// "viewer ".
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "SearchFixture.h"
#include "ViewerHarness.h"

namespace {

using namespace viewertest;

// The design's own waits: the progress dialog counts the hits 100 ms after it opens and adds
// them 4000 at a time, one batch then and one every 50 ms after.
constexpr double kCountDelayMs = 100;
// As-you-type's own wait: the pause after the last key before the list is made.
constexpr double kTypingPauseMs = 150;
constexpr double kBatchDelayMs = 50;
constexpr int kItemsPerBatch = 4000;

double DesignMs(int hits) {
  int batches = std::max(1, (hits + kItemsPerBatch - 1) / kItemsPerBatch);
  return kCountDelayMs + kBatchDelayMs * (batches - 1);
}

double NowMs() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The top of the content view as the screen shows it: where an entry's first lines stand.
std::vector<uint32_t> TopOfView(HWND content) { return ScreenPixels(content, 320, 48); }

struct Case {
  std::string name;
  std::wstring word;
  int expected = 0;
  std::vector<uint32_t> entryPicture;  // the top of the view once the first entry is shown
  std::vector<double> listMs, entryMs;
};

std::wstring FromUtf8(const std::string& text) {
  int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

// The viewer takes '*' as typed; the word box holds what the user would type.
std::wstring Typed(std::wstring word) {
  std::replace(word.begin(), word.end(), L'*', L'＊');
  return word;
}

double Median(std::vector<double> values) {
  if (values.empty()) return -1;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

class Viewer : public ViewerWindows {
 public:
  bool Start(const std::wstring& bookRoot) {
    EndViewerLeftBehind();
    std::string root(bookRoot.begin(), bookRoot.end());  // the paths given are ASCII
    WriteCurpath(root);
    if (!process.Start(BinDir() / "Brisvane.exe")) return false;
    if (!WaitUntil([&] {
          frame = process.FindTopWindow(kFrameClass);
          return frame && IsWindowVisible(frame) && WindowText(frame).rfind(L"DUDAZA Zorari - ", 0) == 0;
        }, 60000))
      return false;
    return FindControls();
  }

  void Close() {
    if (frame) PostMessageW(frame, WM_CLOSE, 0, 0);
    process.WaitForExit(20000);
  }

  // Types the word and presses Enter; the time Enter was pressed.
  double Search(const std::wstring& word) {
    Type(word);
    double enter = NowMs();
    PressEnter();
    return enter;
  }

  bool Finished(int expected) {
    return Count() == expected && StatusText(process.Id(), statusBar, 1) ==
                                      L"検索結果 : " + std::to_wstring(expected) + L"    項目";
  }

  // Waits until everything queued now has run, then has what it changed painted at once.
  void Settle() {
    DrainQueue(0);
    RedrawWindow(frame, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  }

  ViewerProcess process;
};

// One search: the times from Enter to the full list and to the first entry on the screen
// (-1 when it did not come within 20 s). The two are watched apart: asking the list for its
// count waits until the viewer answers, while the screen shows the entry as soon as it is drawn.
void TimeSearch(Viewer& viewer, const Case& c, double* listMs, double* entryMs) {
  *listMs = *entryMs = -1;
  // The list as the search starts it, empty, also when the search before had as many hits.
  SendMessageW(viewer.list, LB_RESETCONTENT, 0, 0);
  double enter = viewer.Search(Typed(c.word));
  std::thread count([&] {
    while (NowMs() - enter < 20000 && viewer.Count() != c.expected) Sleep(1);
    if (viewer.Count() == c.expected) *listMs = NowMs() - enter;
  });
  while (NowMs() - enter < 20000 && TopOfView(viewer.content) != c.entryPicture) Sleep(1);
  if (TopOfView(viewer.content) == c.entryPicture) *entryMs = NowMs() - enter;
  count.join();
  WaitUntil([&] { return viewer.Finished(c.expected); });
}

constexpr int kRefresh = 32771;

// 更新 empties the view and the list, so that what comes next is seen to come.
void Refresh(Viewer& viewer, const std::vector<uint32_t>& picture) {
  PostMessageW(viewer.frame, WM_COMMAND, kRefresh, 0);
  WaitUntil([&] { return TopOfView(viewer.content) != picture && viewer.Count() == 0; }, 20000);
  viewer.Settle();
}

// The word typed: all but its last character put into the box, the last one typed as a key
// (which starts as-you-type's pause); the time the key was sent.
double TypeWord(Viewer& viewer, const std::wstring& word) {
  viewer.Type(word.substr(0, word.size() - 1));
  const LPARAM end = static_cast<LPARAM>(word.size() - 1);
  SendMessageW(viewer.edit, EM_SETSEL, static_cast<WPARAM>(end), end);  // the key goes after it
  viewer.Settle();
  double typed = NowMs();
  PostMessageW(viewer.edit, WM_CHAR, word.back(), 1);
  return typed;
}

// As-you-type's list of word (its headwords that begin with it): from the last key to the list
// and to the first entry, for each run; the picture of the entry from an untimed run first.
void TimeTyping(Viewer& viewer, Case& c, int repeat) {
  std::wstring word = c.word;
  word.erase(std::remove(word.begin(), word.end(), L'*'), word.end());
  if (word.empty()) return;
  std::wstring counted;  // the status bar once the list is made
  Refresh(viewer, c.entryPicture);
  TypeWord(viewer, word);
  if (!WaitUntil([&] { return (counted = StatusText(viewer.process.Id(), viewer.statusBar, 1)).rfind(L"検索結果", 0) == 0 && viewer.Count() > 0; }, 20000))
    return;
  viewer.Settle();
  SettledPixels(viewer.content);
  c.entryPicture = TopOfView(viewer.content);
  c.expected = viewer.Count();
  for (int r = 0; r < repeat; ++r) {
    Refresh(viewer, c.entryPicture);
    double typed = TypeWord(viewer, word);
    double listMs = -1, entryMs = -1;
    std::thread count([&] {
      while (NowMs() - typed < 20000 && viewer.Count() != c.expected) Sleep(1);
      if (viewer.Count() == c.expected) listMs = NowMs() - typed;
    });
    while (NowMs() - typed < 20000 && TopOfView(viewer.content) != c.entryPicture) Sleep(1);
    if (TopOfView(viewer.content) == c.entryPicture) entryMs = NowMs() - typed;
    count.join();
    if (listMs >= 0) c.listMs.push_back(listMs);
    if (entryMs >= 0) c.entryMs.push_back(entryMs);
  }
}

constexpr int kPopupCommand = 32814;

// The look-up key on the exact word selected in a window of ours: the time from the key until
// the main window is in front showing its entry, and (the pop-up chosen) until the pop-up is in
// front with its hits listed and the entry drawn, in alternating runs.
void TimeLookupKey(Viewer& viewer, const Case& exact, int repeat, const std::string& book) {
  HWND other = CreateWindowExW(0, L"EDIT", exact.word.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 400, 80,
                               nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!other) return;
  auto popupShown = [&](std::vector<uint32_t>* picture) {
    HWND popup = viewer.process.FindTopWindow(L"BrisvanePopup");
    HWND list = popup && IsWindowVisible(popup) ? FindChild(popup, L"ListBox") : nullptr;
    if (!list || GetForegroundWindow() != popup || SendMessageW(list, LB_GETCOUNT, 0, 0) != exact.expected) return false;
    return picture->empty() || TopOfView(viewer.content) == *picture;
  };
  // One press of the key from the window of ours; the time it took for shown() to hold.
  auto press = [&](const std::function<bool()>& shown) {
    SetForegroundWindow(other);
    SetFocus(other);
    SendMessageW(other, EM_SETSEL, 0, -1);
    PumpUntil([&] {
      HWND popup = viewer.process.FindTopWindow(L"BrisvanePopup");
      return GetForegroundWindow() == other && !(popup && IsWindowVisible(popup));
    }, 5000, 1);
    Refresh(viewer, exact.entryPicture);
    const double key = NowMs();
    PressKeys({VK_CONTROL, VK_MENU, 'L'});
    return PumpUntil(shown, 20000, 1) ? NowMs() - key : -1.0;
  };
  auto mainShown = [&] {
    return GetForegroundWindow() == viewer.frame && viewer.Count() == exact.expected &&
           TopOfView(viewer.content) == exact.entryPicture;
  };
  std::vector<uint32_t> popupPicture;
  std::vector<double> mainMs, popupMs;
  // Untimed first: the pop-up's own picture of the entry. The pop-up is chosen as it starts.
  press([&] { return popupShown(&popupPicture); });
  PumpUntil([&] { return !SettledPixels(viewer.content).empty(); }, 5000, 1);
  popupPicture = TopOfView(viewer.content);
  for (int r = 0; r < repeat; ++r) {
    PostMessageW(viewer.frame, WM_COMMAND, kPopupCommand, 0);  // the main window
    if (const double ms = press(mainShown); ms >= 0) mainMs.push_back(ms);
    PostMessageW(viewer.frame, WM_COMMAND, kPopupCommand, 0);  // the pop-up again
    if (const double ms = press([&] { return popupShown(&popupPicture); }); ms >= 0) popupMs.push_back(ms);
  }
  SetForegroundWindow(other);
  DestroyWindow(other);
  std::printf("viewer book=%s case=key-main hits=%d entry_ms=%.1f runs=%zu\n", book.c_str(), exact.expected,
              Median(mainMs), mainMs.size());
  std::printf("viewer book=%s case=key-popup hits=%d entry_ms=%.1f runs=%zu\n", book.c_str(), exact.expected,
              Median(popupMs), popupMs.size());
}

// The shelf of the file's roots in the user's settings, searched with the scope 本棚; the number
// of books, 0 when the file holds none.
int WriteShelf(const std::wstring& shelfFile) {
  std::ifstream file{std::filesystem::path(shelfFile)};
  std::vector<std::wstring> lines;
  for (std::string root; std::getline(file, root);) {
    if (!root.empty() && root.back() == '\r') root.pop_back();
    if (!root.empty()) lines.push_back(L"1\t0\t" + FromUtf8(root) + L"\tB" + std::to_wstring(lines.size() + 1));
  }
  if (lines.empty() || !viewertest::WriteShelfSetting(lines)) return 0;
  return static_cast<int>(lines.size());
}

// The exact word searched on the shelf: Enter to the full merged list and to its first entry.
int RunShelf(const std::wstring& label, const std::wstring& shelfFile, const std::wstring& wordsFile, int repeat) {
  std::ifstream words{std::filesystem::path(wordsFile)};
  Case c;
  for (std::string line; std::getline(words, line);) {
    std::istringstream fields(line);
    std::string name, word;
    int expected = 0;
    if (fields >> name >> word >> expected && name == "exact") {
      c.name = "shelf-exact";
      c.word = FromUtf8(word);
      c.expected = expected;
    }
  }
  const int books = WriteShelf(shelfFile);
  if (c.word.empty() || books == 0) {
    std::fprintf(stderr, "brisvane_latency: no exact word, or no book in the shelf file\n");
    return 2;
  }
  c.expected *= books;
  // The viewer opens the first book of the shelf as its own.
  std::ifstream file{std::filesystem::path(shelfFile)};
  std::string first;
  std::getline(file, first);
  if (!first.empty() && first.back() == '\r') first.pop_back();
  Viewer viewer;
  bool ok = viewer.Start(FromUtf8(first));
  auto finish = [&](int status) {
    viewer.Close();
    viewertest::ForgetShelfSetting();
    return status;
  };
  if (!ok) {
    std::fprintf(stderr, "brisvane_latency: the viewer did not show the book\n");
    return finish(1);
  }
  viewer.Search(Typed(c.word));
  if (!WaitUntil([&] { return viewer.Finished(c.expected); }, 60000)) {
    std::fprintf(stderr, "brisvane_latency: the shelf's list did not reach %d items (it has %d)\n", c.expected,
                 viewer.Count());
    return finish(1);
  }
  viewer.Settle();
  SettledPixels(viewer.content);
  c.entryPicture = TopOfView(viewer.content);
  for (int r = 0; r < repeat; ++r) {
    Refresh(viewer, c.entryPicture);
    double listMs, entryMs;
    TimeSearch(viewer, c, &listMs, &entryMs);
    if (listMs >= 0) c.listMs.push_back(listMs);
    if (entryMs >= 0) c.entryMs.push_back(entryMs);
  }
  std::string book(label.begin(), label.end());
  std::printf("viewer book=%s case=%s hits=%d design_ms=%.0f list_ms=%.1f entry_ms=%.1f runs=%zu books=%d\n",
              book.c_str(), c.name.c_str(), c.expected, 0.0, Median(c.listMs), Median(c.entryMs), c.entryMs.size(),
              books);
  std::fflush(stdout);
  return finish(0);
}

int Run(const std::wstring& label, const std::wstring& bookRoot, const std::wstring& wordsFile, int repeat) {
  std::ifstream words{std::filesystem::path(wordsFile)};
  std::vector<Case> cases;
  std::string line;
  while (std::getline(words, line)) {
    std::istringstream fields(line);
    Case c;
    std::string word;
    // The headword searches (the words file also names keyword searches' words).
    if (fields >> c.name >> word >> c.expected && c.name.rfind("keyword", 0) != 0) {
      c.word = FromUtf8(word);
      cases.push_back(c);
    }
  }
  if (cases.empty()) {
    std::fprintf(stderr, "brisvane_latency: no words in the words file\n");
    return 2;
  }
  Viewer viewer;
  if (!viewer.Start(bookRoot)) {
    std::fprintf(stderr, "brisvane_latency: the viewer did not show the book\n");
    viewer.Close();
    return 1;
  }
  // Untimed: the picture of each first entry, once the search has settled.
  for (Case& c : cases) {
    viewer.Search(Typed(c.word));
    if (!WaitUntil([&] { return viewer.Finished(c.expected); }, 60000)) {
      std::fprintf(stderr, "brisvane_latency: %s: the list did not reach %d items (it has %d)\n", c.name.c_str(),
                   c.expected, viewer.Count());
      viewer.Close();
      return 1;
    }
    viewer.Settle();
    SettledPixels(viewer.content);
    c.entryPicture = TopOfView(viewer.content);
  }
  // A search is seen to show its entry when the view changes to it: the entries searched one
  // after the other must differ.
  for (size_t i = 0; i < cases.size(); ++i) {
    if (cases.size() < 2 || cases[i].entryPicture == cases[(i + 1) % cases.size()].entryPicture) {
      std::fprintf(stderr, "brisvane_latency: the words must show different entries one after the other\n");
      viewer.Close();
      return 1;
    }
  }
  for (int r = 0; r < repeat; ++r) {
    for (Case& c : cases) {
      double listMs, entryMs;
      TimeSearch(viewer, c, &listMs, &entryMs);
      if (listMs >= 0) c.listMs.push_back(listMs);
      if (entryMs >= 0) c.entryMs.push_back(entryMs);
    }
  }
  std::string book(label.begin(), label.end());
  for (Case& c : cases) {
    double design = DesignMs(c.expected);
    std::printf("viewer book=%s case=%s hits=%d design_ms=%.0f list_ms=%.1f entry_ms=%.1f runs=%zu\n", book.c_str(),
                c.name.c_str(), c.expected, design, Median(c.listMs), Median(c.entryMs), c.entryMs.size());
  }
  // As-you-type: the exact and the prefix words typed.
  for (const Case& c : cases) {
    if (c.name != "exact" && c.name != "prefix") continue;
    Case typed;
    typed.name = "typed-" + c.name;
    typed.word = c.word;
    TimeTyping(viewer, typed, repeat);
    std::printf("viewer book=%s case=%s hits=%d design_ms=%.0f list_ms=%.1f entry_ms=%.1f runs=%zu\n", book.c_str(),
                typed.name.c_str(), typed.expected, kTypingPauseMs, Median(typed.listMs), Median(typed.entryMs),
                typed.entryMs.size());
  }
  // Paging: from the first item to the last with Page Down, each step shown and painted.
  for (Case& c : cases) {
    double listMs, entryMs;
    TimeSearch(viewer, c, &listMs, &entryMs);
    viewer.Settle();
    int pages = 0;
    double start = NowMs();
    while (viewer.Selection() < c.expected - 1 && pages <= c.expected) {
      SendMessageTimeoutW(viewer.list, WM_KEYDOWN, VK_NEXT, 0x01490001, SMTO_ABORTIFHUNG, 5000, nullptr);
      SendMessageTimeoutW(viewer.list, WM_KEYUP, VK_NEXT, 0xC1490001, SMTO_ABORTIFHUNG, 5000, nullptr);
      viewer.Settle();
      ++pages;
    }
    double total = NowMs() - start;
    std::printf("viewer book=%s case=%s paging pages=%d total_ms=%.0f per_page_ms=%.2f reached=%d\n", book.c_str(),
                c.name.c_str(), pages, total, pages ? total / pages : 0.0,
                viewer.Selection() == c.expected - 1 ? 1 : 0);
  }
  // The look-up key from another program, to the main window and to the pop-up (last: the
  // searches above would find their word already listed).
  for (const Case& c : cases)
    if (c.name == "exact") TimeLookupKey(viewer, c, repeat, book);
  std::fflush(stdout);
  viewer.Close();
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc >= 5 && std::wstring(argv[1]) == L"--shelf" && argc <= 6) {
    int repeat = argc == 6 ? _wtoi(argv[5]) : 5;
    return RunShelf(argv[2], argv[3], argv[4], std::clamp(repeat, 1, 100));
  }
  if (argc != 4 && argc != 5) {
    std::fprintf(stderr,
                 "usage: brisvane_latency LABEL BOOKROOT WORDSFILE [REPEAT]\n"
                 "       brisvane_latency --shelf LABEL SHELFFILE WORDSFILE [REPEAT]\n");
    return 2;
  }
  int repeat = argc == 5 ? _wtoi(argv[4]) : 5;
  return Run(argv[1], argv[2], argv[3], std::clamp(repeat, 1, 100));
}
