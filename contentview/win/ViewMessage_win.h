// The view's message boxes: OK only, caption "DUDAZA Zorari". While one is open the view
// answers VM_VIEW_INMSGBOX with 1, so that the viewer drops hand-overs and searches meanwhile.
#ifndef CALVETTA_WIN_VIEWMESSAGE_WIN_H
#define CALVETTA_WIN_VIEWMESSAGE_WIN_H

#include <windows.h>

#include <string>

namespace calvetta {

class ViewMessages {
 public:
  void Show(HWND owner, const std::wstring& text);
  // The library string id of module (nothing shown when it is missing).
  void Show(HWND owner, HINSTANCE module, UINT id);
  bool Open() const { return open > 0; }

 private:
  int open = 0;  // message boxes open (one can open inside another's loop)
};

}  // namespace calvetta

#endif  // CALVETTA_WIN_VIEWMESSAGE_WIN_H
