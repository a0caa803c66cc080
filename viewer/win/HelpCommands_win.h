// The ヘルプ menu's commands: the about box and the help file.
#ifndef BRISVANE_VIEWER_WIN_HELPCOMMANDS_WIN_H
#define BRISVANE_VIEWER_WIN_HELPCOMMANDS_WIN_H

#include <windows.h>

namespace brisvane {

class AppState;

// The version dialog (IDD_ABOUT), modal to owner.
void ShowAbout(HWND owner);
// Brisvane.chm beside the program, opened by whatever the system opens such files with;
// without it (or without a program for it) a message says where it was looked for.
void ShowHelp(HWND owner, AppState& app);

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_HELPCOMMANDS_WIN_H
