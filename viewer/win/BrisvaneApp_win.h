// The viewer program: the single-instance rule, the command line and the start-up order.
#ifndef BRISVANE_VIEWER_WIN_BRISVANEAPP_WIN_H
#define BRISVANE_VIEWER_WIN_BRISVANEAPP_WIN_H

#include <windows.h>

#include "StartKind_win.h"

namespace brisvane {

class BrisvaneApp {
 public:
  // Runs the program; the result is the process's exit code.
  int Run(HINSTANCE instance);

 private:
  bool InitInstance(HINSTANCE instance);
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_BRISVANEAPP_WIN_H
