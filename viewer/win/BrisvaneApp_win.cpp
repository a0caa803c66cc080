#include "BrisvaneApp_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include <memory>

#include "AppState_win.h"
#include "BrisvaneRes.h"
#include "FrameMessages.h"
#include "HostExchange.h"
#include "MainFrame_win.h"

namespace brisvane {


bool BrisvaneApp::InitInstance(HINSTANCE instance) {
  // One viewer at a time: a running one is brought forward instead.
  if (HWND running = FindWindowW(hostexchange::kViewerClass, nullptr)) {
    SetForegroundWindow(running);
    ShowWindow(running, IsIconic(running) ? SW_RESTORE : SW_SHOW);
    return false;
  }
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);

  frame = std::make_unique<MainFrame>(state);
  if (!frame->Create(instance)) return false;
  HWND window = frame->Hwnd();

  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  StartKind kind = ClassifyStart(argv && argc > 1 ? argv[1] : nullptr);
  if (argv) LocalFree(argv);
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
  return true;
}

int BrisvaneApp::Run(HINSTANCE instance) {
  if (!InitInstance(instance)) return 0;
  HACCEL accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME));
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    HWND window = frame->Hwnd();
    // Accelerators act only while no dialog or message box owns the input.
    if (window && accelerators && (GetAncestor(message.hwnd, GA_ROOT) == window) &&
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
