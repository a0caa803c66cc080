// Ostrelle.dll: the exports the host product calls, and the plug-in's two windows. The
// notify window hears the viewer's state broadcasts; the placeholder carries the viewer's
// window class while the viewer has not been started, so that a quick lookup meant for the
// viewer starts it.
#include <windows.h>

#include "ExportGuard.h"
#include "GrabWord_win.h"
#include "Grellix32.h"
#include "HostExchange.h"
#include "LaunchViewer_win.h"
#include "Ostrelle.h"
#include "OstrelleRes.h"
#include "PluginSettings_win.h"
#include "PluginState_win.h"
#include "ui/Window.h"

namespace ostrelle {

// Zero when the plug-in is first loaded into any process, then shared by all of them.
PluginState gState __attribute__((section(".shared"), shared)) = {};
ProcessFaces gFaces;

namespace {

char gTooltip[kSettingTextBytes + 1];

// No exception may leave the plug-in into the host: a failed allocation ends the call quietly.
using exportguard::Guarded;

// Hears the viewer's state broadcasts and has the host's toolbar show the matching face.
class NotifyWindow : public ui::Window {
 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message != 0 && message == gState.stateMessage && wParam == 1) {
      gState.viewerActive = lParam != 0 ? 1 : 0;
      if (HWND toolbar = FindWindowW(kHostToolbarClass, nullptr))
        PostMessageW(toolbar, RegisterWindowMessageW(kPluginNotifyMessage), kNotifyFaceChanged, 0);
    }
    return Window::OnMessage(message, wParam, lParam);
  }
};

// Carries the viewer's class until the viewer runs: a quick lookup sent to it starts the viewer.
class PlaceholderWindow : public ui::Window {
 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message != 0 && message == gState.lookupMessage) {
      LaunchViewer(WordSource::kQuickLookup);
      return 0;
    }
    return Window::OnMessage(message, wParam, lParam);
  }
};

NotifyWindow gNotifyWindow;
PlaceholderWindow gPlaceholderWindow;

bool RegisterPluginClass(const wchar_t* className) {
  return ui::Window::RegisterClassOnce(gFaces.module, className, CS_HREDRAW | CS_VREDRAW, nullptr, nullptr);
}

// Never shown; owned by the desktop, so a top-level window that broadcasts reach.
HWND CreatePluginWindow(ui::Window* window, const wchar_t* className) {
  return window->Create(gFaces.module, className, L"", 0, 0, 0, 0, 0, 0, GetDesktopWindow(), nullptr);
}

}  // namespace

}  // namespace ostrelle

using namespace ostrelle;

extern "C" {

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) gFaces.module = module;
  return TRUE;
}

int WINAPI TrevikPluginInitModel() {
  if (!RegisterPluginClass(kNotifyClass)) return 0;
  gState.stateMessage = RegisterWindowMessageW(hostexchange::kViewerStateMessage);
  gState.notifyWindow = CreatePluginWindow(&gNotifyWindow, kNotifyClass);
  gState.exchange = GrellixOpenPort(kExchangePort, gState.notifyWindow);
  if (!RegisterPluginClass(hostexchange::kViewerClass)) return 0;
  gState.lookupMessage = RegisterWindowMessageW(hostexchange::kQuickLookupMessage);
  gState.placeholderWindow = CreatePluginWindow(&gPlaceholderWindow, hostexchange::kViewerClass);
  gFaces.bitmaps[0].Attach(LoadBitmapW(gFaces.module, MAKEINTRESOURCEW(IDB_FACE_INACTIVE)));
  gFaces.bitmaps[1].Attach(LoadBitmapW(gFaces.module, MAKEINTRESOURCEW(IDB_FACE_ACTIVE)));
  gFaces.icons[0].Attach(static_cast<HICON>(
      LoadImageW(gFaces.module, MAKEINTRESOURCEW(IDI_FACE_INACTIVE), IMAGE_ICON, 16, 16, 0)));
  gFaces.icons[1].Attach(static_cast<HICON>(
      LoadImageW(gFaces.module, MAKEINTRESOURCEW(IDI_FACE_ACTIVE), IMAGE_ICON, 16, 16, 0)));
  return 1;
}

int WINAPI TrevikPluginFreeModel() {
  Guarded(0, [] {
    PluginSettings settings;
    if (settings.IsOpen()) GrellixReleaseModel(gState.exchange, settings.ReadShiftJis(L"ModelName").c_str());
    return 0;
  });
  GrellixClosePort(gState.exchange);
  DestroyWindow(gState.notifyWindow);
  if (gState.placeholderWindow && IsWindow(gState.placeholderWindow)) DestroyWindow(gState.placeholderWindow);
  // The classes go too, so that the host can set the plug-in up again in this process.
  UnregisterClassW(kNotifyClass, gFaces.module);
  UnregisterClassW(hostexchange::kViewerClass, gFaces.module);
  for (int i = 0; i < 2; ++i) {
    gFaces.bitmaps[i].Close();
    gFaces.icons[i].Close();
  }
  return 1;
}

HICON WINAPI TrevikPluginIcon() { return gFaces.icons[gState.viewerActive ? 1 : 0].Get(); }

HBITMAP WINAPI TrevikPluginBitmap() { return gFaces.bitmaps[gState.viewerActive ? 1 : 0].Get(); }

const char* WINAPI TrevikPluginTooltip() {
  gTooltip[0] = '\0';
  Guarded(0, [] {
    std::string text = PluginSettings().ReadShiftJis(L"Tooltip");
    lstrcpynA(gTooltip, text.c_str(), sizeof gTooltip);
    return 0;
  });
  return gTooltip;
}

int WINAPI TrevikPluginClick() {
  return Guarded(0, [] {
    if (!gState.viewerStarted) {
      LaunchViewer(WordSource::kSelection);
      return 0;
    }
    std::string model = PluginSettings().ReadShiftJis(L"ModelName");
    std::string word = GrabWord();
    GrellixSendWord(gState.exchange, model.c_str(), word.empty() ? nullptr : word.data(),
                    static_cast<int>(word.size()));
    return 0;
  });
}

}  // extern "C"
