// The viewer program: the single-instance rule, the command line and the start-up order. It
// owns what the windows share for the whole run (AppState) and the main frame.
#ifndef BRISVANE_VIEWER_WIN_BRISVANEAPP_WIN_H
#define BRISVANE_VIEWER_WIN_BRISVANEAPP_WIN_H

#include <windows.h>

#include <memory>

#include "AppState_win.h"
#include "StartKind_win.h"

namespace brisvane {

class MainFrame;

class BrisvaneApp {
 public:
  // Runs the program; the result is the process's exit code.
  int Run(HINSTANCE instance);

 private:
  bool InitInstance(HINSTANCE instance);

  AppState state;
  std::unique_ptr<MainFrame> frame;
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_BRISVANEAPP_WIN_H
