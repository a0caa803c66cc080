// brisvane_host.exe: a stand-in for the host product on the other side of the viewer's
// exchange, for the tests only. It writes the words where the host and its plug-in write them
// (as Shift-JIS bytes through the ANSI functions), sends the viewer the quick lookup and the
// host commands, receives the viewer's state broadcasts with a top-level window of its own,
// and checks what the viewer's windows show.
//
//   brisvane_host STEP...
//
// The steps run in order; each prints "ok STEP" or "FAIL STEP: why", and the first failure
// ends the run with exit code 1 (2: "retry", the timing a step needed did not occur). At the
// end a viewer that this run started and that still runs is ended.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "Calvetta.h"
#include "HostExchange.h"
#include "HostExchange_win.h"
#include "SearchFixture.h"
#include "ViewerHarness.h"

namespace {

using viewertest::FindChild;
using viewertest::WindowText;

const wchar_t kHostClass[] = L"BrisvaneTestHost";
constexpr DWORD kSendTimeoutMs = 60000;

class Host {
 public:
  explicit Host(std::vector<std::wstring> arguments) : args(std::move(arguments)) {}

  int Run() {
    messages = exchange::ExchangeMessages::Register();
    if (!CreateListener()) {
      viewertest::PrintLine(L"FAIL no listening window");
      return 1;
    }
    int code = 0;
    while (next < args.size() && code == 0) {
      std::wstring step = args[next++];
      std::wstring detail;
      if (!Step(step, &detail)) {
        viewertest::PrintLine(L"FAIL " + step + L": " + detail);
        code = detail.rfind(L"retry", 0) == 0 ? 2 : 1;
      } else {
        viewertest::PrintLine(L"ok " + step);
      }
    }
    DestroyWindow(listener);
    return code;
  }

 private:
  static LRESULT CALLBACK ListenerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* host = reinterpret_cast<Host*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (host && message != 0 && message == host->messages.viewerState) {
      host->states.emplace_back(wParam, lParam);
      return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  // A hidden top-level window: broadcasts reach top-level windows only.
  bool CreateListener() {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = &ListenerProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kHostClass;
    RegisterClassW(&windowClass);
    listener = CreateWindowExW(0, kHostClass, L"host", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    if (listener) SetWindowLongPtrW(listener, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return listener != nullptr;
  }

  void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }

  bool Wait(const std::function<bool()>& condition, DWORD timeoutMs = 20000) {
    return viewertest::WaitUntil([&] {
      Pump();
      return condition();
    }, timeoutMs);
  }

  std::wstring Argument() { return next < args.size() ? args[next++] : std::wstring(); }
  int Number() { return _wtoi(Argument().c_str()); }

  HWND Frame() const { return viewer ? viewer->FindTopWindow(hostexchange::kViewerClass) : nullptr; }
  HWND WordBox() const {
    HWND toolbar = FindChild(Frame(), TOOLBARCLASSNAMEW);
    return toolbar ? GetDlgItem(toolbar, 101) : nullptr;
  }
  HWND Edit() const { return FindWindowExW(WordBox(), nullptr, L"Edit", nullptr); }

  bool Send(UINT message, WPARAM wParam, LRESULT* result, std::wstring* detail) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(Frame(), message, wParam, 0, SMTO_NORMAL, kSendTimeoutMs, &answer)) {
      *detail = L"no answer";
      return false;
    }
    *result = static_cast<LRESULT>(answer);
    return true;
  }

  // The viewer's dialog with window text title (visible), or null.
  HWND Dialog(const wchar_t* title, bool same) const {
    HWND box = viewer ? viewer->FindTopWindow(L"#32770") : nullptr;
    if (!box || !IsWindowVisible(box)) return nullptr;
    return (WindowText(box) == title) == same ? box : nullptr;
  }

  bool Expect(bool held, const std::wstring& what, std::wstring* detail) {
    if (!held) *detail = what;
    return held;
  }

  bool Step(const std::wstring& step, std::wstring* detail) {
    if (step == L"acp") {
      UINT expected = static_cast<UINT>(Number());
      return Expect(GetACP() == expected, L"the ANSI code page is " + std::to_wstring(GetACP()), detail);
    }
    if (step == L"exchange" || step == L"startword") {
      const char* section = step == L"exchange" ? hostexchange::kQuickLookupSection : hostexchange::kHostStartSection;
      return Expect(exchange::WriteExchangeWord(section, Argument()), L"not written", detail);
    }
    if (step == L"data") return Expect(exchange::WriteRegistryWord(Argument()), L"not written", detail);
    if (step == L"no-file") {
      wchar_t folder[MAX_PATH] = L"";
      GetWindowsDirectoryW(folder, MAX_PATH);
      WritePrivateProfileStringA(nullptr, nullptr, nullptr, hostexchange::kExchangeFile);
      DeleteFileW((std::wstring(folder) + L"\\Trevik20.ini").c_str());
      return true;
    }
    if (step == L"start") {
      std::wstring argument = Argument();
      viewer = std::make_unique<viewertest::ViewerProcess>();
      if (!viewer->Start(viewertest::BinDir() / "Brisvane.exe", argument == L"-" ? L"" : argument))
        return Expect(false, L"not started", detail);
      return Expect(Wait([&] { return Frame() && IsWindowVisible(Frame()); }), L"no main window", detail);
    }
    if (step == L"quick") {  // not waited for: the search it starts may end in a message box
      return Expect(SendNotifyMessageW(Frame(), messages.quickLookup, 0, 0) != 0, L"no window", detail);
    }
    if (step == L"quick-sync" || step == L"command") {
      UINT message = step == L"quick-sync" ? messages.quickLookup : messages.hostCommand;
      WPARAM wParam = step == L"command" ? static_cast<WPARAM>(Number()) : 0;
      LRESULT result = -1;
      if (!Send(message, wParam, &result, detail)) return false;
      return Expect(result == 0, L"answered " + std::to_wstring(result), detail);
    }
    if (step == L"close") return Expect(PostMessageW(Frame(), WM_CLOSE, 0, 0) != 0, L"no window", detail);
    if (step == L"fail") return Expect(PostMessageW(Frame(), VM_VIEW_FAILED, 0, 0) != 0, L"no window", detail);
    if (step == L"state") {
      WPARAM wParam = static_cast<WPARAM>(Number());
      LPARAM lParam = Number();
      if (!Wait([&] { return !states.empty(); })) return Expect(false, L"no state broadcast", detail);
      auto got = states.front();
      states.pop_front();
      return Expect(got.first == wParam && got.second == lParam,
                    L"got " + std::to_wstring(got.first) + L", " + std::to_wstring(got.second), detail);
    }
    if (step == L"no-state") {
      Pump();  // what the viewer posted before its last answer is in our queue by now
      return Expect(states.empty(), L"a state broadcast arrived", detail);
    }
    if (step == L"visible") {
      bool visible = Number() != 0;
      return Expect(Wait([&] { return Frame() && (IsWindowVisible(Frame()) != FALSE) == visible; }),
                    visible ? L"hidden" : L"shown", detail);
    }
    if (step == L"title") {
      std::wstring title = Argument();
      bool held = Wait([&] { return WindowText(Frame()) == title; });
      return Expect(held, L"the title is " + WindowText(Frame()), detail);
    }
    if (step == L"word") {
      std::wstring word = Argument();
      bool held = Wait([&] { return WindowText(WordBox()) == word; });
      return Expect(held, L"the word box holds \"" + WindowText(WordBox()) + L"\"", detail);
    }
    if (step == L"count") return CheckCount(Number(), detail);
    if (step == L"message") {
      std::wstring text = Argument();
      HWND box = nullptr;
      Wait([&] { return (box = Dialog(L"DUDAZA Zorari", true)) && WindowText(GetDlgItem(box, 0xFFFF)) == text; });
      if (!box || WindowText(GetDlgItem(box, 0xFFFF)) != text) return Expect(false, L"no such message", detail);
      PostMessageW(box, WM_COMMAND, IDOK, 0);
      return Expect(Wait([&] { return !IsWindow(box); }), L"the message stays", detail);
    }
    if (step == L"search") {  // typed into the box, then Enter
      std::wstring word = Argument();
      SendMessageW(WordBox(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(word.c_str()));
      SendMessageTimeoutW(Edit(), WM_KEYDOWN, VK_RETURN, 0x001C0001, SMTO_ABORTIFHUNG, 5000, nullptr);
      PostMessageW(Edit(), WM_KEYUP, VK_RETURN, 0xC01C0001);
      return true;
    }
    if (step == L"await-dialog" || step == L"dialog-open") {
      // The search dialog (a dialog that is not a message box), before and after the step sent
      // to the viewer in between: its answer came while the dialog's own loop ran.
      if (step == L"await-dialog" && !Wait([&] { return (dialog = Dialog(L"DUDAZA Zorari", false)) != nullptr; }))
        return Expect(false, L"retry: no search dialog", detail);
      return Expect(IsWindow(dialog) && IsWindowVisible(dialog), L"retry: the dialog closed too soon", detail);
    }
    if (step == L"exited") {
      DWORD code = viewer ? viewer->WaitForExit() : STILL_ACTIVE;
      return Expect(code == 0, L"the viewer's exit code is " + std::to_wstring(code), detail);
    }
    *detail = L"unknown step";
    return false;
  }

  bool CheckCount(int count, std::wstring* detail) {
    HWND list = FindChild(Frame(), L"ListBox", 103);
    HWND bar = FindChild(Frame(), STATUSCLASSNAMEW);
    // "検索結果 : N    項目", or "検索結果 : N/M    項目" when the list holds fewer than the hits.
    std::wstring listed = L"検索結果 : " + std::to_wstring(count);
    bool held = Wait([&] {
      std::wstring status = viewertest::StatusText(viewer->Id(), bar, 1);
      return status.rfind(listed, 0) == 0 && status.size() > listed.size() &&
             (status[listed.size()] == L' ' || status[listed.size()] == L'/') &&
             SendMessageW(list, LB_GETCOUNT, 0, 0) == count;
    });
    return Expect(held, L"the status shows " + viewertest::StatusText(viewer->Id(), bar, 1), detail);
  }

  std::vector<std::wstring> args;
  size_t next = 0;
  exchange::ExchangeMessages messages;
  HWND listener = nullptr;
  HWND dialog = nullptr;  // the search dialog found by await-dialog
  std::deque<std::pair<WPARAM, LPARAM>> states;
  std::unique_ptr<viewertest::ViewerProcess> viewer;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::vector<std::wstring> args(argv + 1, argv + argc);
  return Host(std::move(args)).Run();
}
