// The view's message boxes: OK only, caption "DUDAZA Zorari", with gInMessageBox set while one
// is open so that the viewer drops hand-overs and searches meanwhile.
#ifndef CALVETTA_WIN_VIEWMESSAGE_WIN_H
#define CALVETTA_WIN_VIEWMESSAGE_WIN_H

#include <windows.h>

#include <string>

namespace calvetta {

extern bool gInMessageBox;

void ShowViewMessage(HWND owner, const std::wstring& text);
// The library string id of module (nothing shown when it is missing).
void ShowViewMessage(HWND owner, HINSTANCE module, UINT id);

}  // namespace calvetta

#endif  // CALVETTA_WIN_VIEWMESSAGE_WIN_H
