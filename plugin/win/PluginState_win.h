// The plug-in's state. What the viewer's state and start concern lies in one record shared by
// every process that has the plug-in loaded (a shared data section, no lock: every access is
// a single read or write of one field). Handles that only mean something in the process that
// made them (module, bitmaps, icons) are kept per process beside it: another process's GDI
// handles would be worthless to a host that asks for the face.
#ifndef OSTRELLE_PLUGIN_WIN_PLUGINSTATE_WIN_H
#define OSTRELLE_PLUGIN_WIN_PLUGINSTATE_WIN_H

#include <windows.h>

#include "ui/UniqueHandle.h"

namespace ostrelle {

struct PluginState {
  DWORD exchange;          // from the exchange library's port, passed back to it
  UINT stateMessage;       // the viewer's state broadcast
  LONG viewerActive;       // lParam of the last state broadcast: 1 shown, 0 hidden
  HWND notifyWindow;       // "TrevikEPWin"
  LONG viewerStarted;      // 1 once any process started the viewer; never cleared
  HWND placeholderWindow;  // "TrevikBrisvane" while the viewer was not started, else null
  UINT lookupMessage;      // the quick lookup
};

struct ProcessFaces {
  HINSTANCE module = nullptr;
  ui::UniqueBitmap bitmaps[2];  // inactive, active
  ui::UniqueIcon icons[2];
};

extern PluginState gState;
extern ProcessFaces gFaces;

}  // namespace ostrelle

#endif  // OSTRELLE_PLUGIN_WIN_PLUGINSTATE_WIN_H
