// Taking the text selected in the window the user worked in before clicking the host's button:
// the host's toolbar names that window, the window is asked to copy its selection (a message,
// then Ctrl+Insert typed into the system), and the text is read back from the clipboard, whose
// earlier contents are put back afterwards.
#ifndef OSTRELLE_PLUGIN_WIN_GRABWORD_WIN_H
#define OSTRELLE_PLUGIN_WIN_GRABWORD_WIN_H

#include <string>

namespace ostrelle {

// The selected text as Shift-JIS bytes (code page 932, whatever the system's ANSI code page),
// or "" when there is no target window, no text arrived within the attempts, the text has
// characters without a Shift-JIS form, or a WM_QUIT arrived meanwhile (it is posted again).
// The calling thread's messages keep flowing while it waits.
std::string GrabWord();

}  // namespace ostrelle

#endif  // OSTRELLE_PLUGIN_WIN_GRABWORD_WIN_H
