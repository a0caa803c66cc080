// The program-wide flags of the viewer: one instance each, read and written by the frame, the
// panes and the search.
#ifndef BRISVANE_VIEWER_WIN_APPFLAGS_WIN_H
#define BRISVANE_VIEWER_WIN_APPFLAGS_WIN_H

#include <cstdint>

namespace brisvane {

constexpr uint8_t kShownForHost = 5;

struct AppFlags {
  bool exitOnClose = false;            // closing the main window ends the program (else hides it)
  bool hostWordPending = true;         // the exchange with the host product is in effect
  bool rebindPending = true;           // send FM_OPENBOOK before a hand-over
  bool modalBusy = false;              // a progress dialog or message box is open
  bool focusWordBoxOnActivate = true;  // the next pane activation moves the focus to the word box
  uint8_t showState = 0;               // kShownForHost once a hand-over has shown the window; 0 after a hide
};

extern AppFlags gFlags;

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_APPFLAGS_WIN_H
