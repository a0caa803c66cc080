#include "BrisvaneApp_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include <memory>

#include "AppFlags_win.h"
#include "BrisvaneRes.h"
#include "FrameMessages.h"
#include "MainFrame_win.h"

namespace brisvane {

AppFlags gFlags;

namespace {
std::unique_ptr<MainFrame> gFrame;
}

bool BrisvaneApp::InitInstance(HINSTANCE instance) {
  // One viewer at a time: a running one is brought forward instead.
  if (HWND running = FindWindowW(kFrameClassName, nullptr)) {
    SetForegroundWindow(running);
    ShowWindow(running, IsIconic(running) ? SW_RESTORE : SW_SHOW);
    return false;
  }
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);

  gFrame = std::make_unique<MainFrame>();
  if (!gFrame->Create(instance)) return false;
  HWND frame = gFrame->Hwnd();

  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  StartKind kind = ClassifyStart(argv && argc > 1 ? argv[1] : nullptr);
  if (argv) LocalFree(argv);
  gFlags.exitOnClose = kind == StartKind::User;

  SetForegroundWindow(frame);
  ShowWindow(frame, SW_SHOWMAXIMIZED);
  SendMessageW(frame, FM_OPENBOOK, 0, 0);
  if (kind == StartKind::User) {
    UpdateWindow(frame);
  } else if (kind == StartKind::Host) {
    if (gFlags.hostWordPending) {
      SendMessageW(frame, FM_HOSTWORD, 0, 0);
      UpdateWindow(frame);
    }
  } else if (gFlags.hostWordPending) {
    UpdateWindow(frame);
  }
  return true;
}

int BrisvaneApp::Run(HINSTANCE instance) {
  if (!InitInstance(instance)) return 0;
  HACCEL accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME));
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    HWND frame = gFrame->Hwnd();
    // Accelerators act only while no dialog or message box owns the input.
    if (frame && accelerators && (GetAncestor(message.hwnd, GA_ROOT) == frame) &&
        TranslateAcceleratorW(frame, accelerators, &message))
      continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  gFrame.reset();
  return static_cast<int>(message.wParam);
}

}  // namespace brisvane

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  brisvane::BrisvaneApp app;
  return app.Run(instance);
}
