#include "BrisvaneApp_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cwchar>
#include <memory>
#include <string>
#include <vector>

#include "AppState_win.h"
#include "BrisvaneRes.h"
#include "FrameMessages.h"
#include "HostExchange.h"
#include "LookupPopup_win.h"
#include "MainFrame_win.h"
#include "OutsideLookup_win.h"
#include "OutsideWords.h"

namespace brisvane {


bool BrisvaneApp::InitInstance(HINSTANCE instance) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  StartKind kind = ClassifyStart(argv && argc > 1 ? argv[1] : nullptr);
  // Any other argument is a word to look up (`Brisvane.exe 単語`).
  std::wstring word;
  if (kind == StartKind::Other) word = CommandLineWord(std::vector<std::wstring>(argv + 1, argv + argc));
  if (argv) LocalFree(argv);

  // One viewer at a time: a running one is brought forward instead, and looks the word up.
  if (HWND running = FindWindowW(hostexchange::kViewerClass, nullptr)) {
    SetForegroundWindow(running);
    ShowWindow(running, IsIconic(running) ? SW_RESTORE : SW_SHOW);
    if (!word.empty()) OutsideLookup::SendCommandLineWord(running, word);
    return false;
  }
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);

  frame = std::make_unique<MainFrame>(state);
  if (!frame->Create(instance)) return false;
  HWND window = frame->Hwnd();

  state.SetExitOnClose(kind == StartKind::User);

  SetForegroundWindow(window);
  ShowWindow(window, SW_SHOWMAXIMIZED);
  SendMessageW(window, FM_OPENBOOK, 0, 0);
  if (kind == StartKind::User) {
    UpdateWindow(window);
  } else if (kind == StartKind::Host) {
    if (state.HostWordPending()) {
      SendMessageW(window, FM_HOSTWORD, 0, 0);
      UpdateWindow(window);
    }
  } else if (state.HostWordPending()) {
    UpdateWindow(window);
  }
  if (!word.empty()) OutsideLookup::SendCommandLineWord(window, word);
  return true;
}

namespace {

// A combo box, or the edit inside one.
bool InComboBox(HWND window) {
  for (HWND at = window; at; at = GetParent(at)) {
    wchar_t name[16] = L"";
    if (GetClassNameW(at, name, 16) && _wcsicmp(name, L"ComboBox") == 0) return true;
    if (at != window) break;  // the edit's parent only
  }
  return false;
}

}  // namespace

int BrisvaneApp::Run(HINSTANCE instance) {
  if (!InitInstance(instance)) return 0;
  HACCEL accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME));
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    HWND window = frame->Hwnd();
    // Esc, Enter, Backspace and Alt+Left in the look-up pop-up, wherever its focus is.
    const bool key = message.message == WM_KEYDOWN && (message.wParam == VK_ESCAPE || message.wParam == VK_RETURN ||
                                                       message.wParam == VK_BACK);
    const bool altLeft = message.message == WM_SYSKEYDOWN && message.wParam == VK_LEFT;
    if (key || altLeft) {
      HWND root = GetAncestor(message.hwnd, GA_ROOT);
      wchar_t name[32] = L"";
      // Alt+Left still goes its way: the system's keyboard menu must see that Alt was not
      // pressed alone.
      if (root && GetClassNameW(root, name, 32) && wcscmp(name, kPopupClass) == 0 &&
          SendMessageW(root, FM_POPUPKEY, message.wParam, altLeft ? 1 : 0) && !altLeft)
        continue;
    }
    // Alt+Up and Alt+Down in a combo box (the word box, the mode and scope boxes) are the box's
    // own: it opens and closes its list. Taken as the accelerators (the next and previous entry),
    // they would leave the system thinking Alt was pressed alone, and the next key would go to
    // the menu bar.
    const bool comboKey = message.message == WM_SYSKEYDOWN && (message.wParam == VK_UP || message.wParam == VK_DOWN) &&
                          InComboBox(message.hwnd);
    // Accelerators act only while no dialog or message box owns the input.
    if (!comboKey && window && accelerators && (GetAncestor(message.hwnd, GA_ROOT) == window) &&
        TranslateAcceleratorW(window, accelerators, &message))
      continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  frame.reset();
  return static_cast<int>(message.wParam);
}

}  // namespace brisvane

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  brisvane::BrisvaneApp app;
  return app.Run(instance);
}
