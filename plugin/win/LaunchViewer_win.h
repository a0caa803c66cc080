// Starting the viewer for a word: the word waits in "Word" of "Data From Trevik" of the
// exchange file, and the viewer's program (the setting "ExecFileName") is started with "-p",
// in its own folder.
#ifndef OSTRELLE_PLUGIN_WIN_LAUNCHVIEWER_WIN_H
#define OSTRELLE_PLUGIN_WIN_LAUNCHVIEWER_WIN_H

#include <string>

namespace ostrelle {

enum class WordSource {
  kSelection,   // the text selected in the host's last active window (GrabWord)
  kQuickLookup  // "Word" of "Data Exchange", passed on unchanged
};

// Removes the placeholder window first in every case (the viewer's single-instance check
// would find it), then starts the viewer; nothing is started when the setting is missing.
// Marks the viewer started (in every process) when the start succeeded.
void LaunchViewer(WordSource source);

// The folder that "ExecFileName" names: up to its last backslash; "" when no backslash
// stands after the first character.
std::wstring ViewerFolder(const std::wstring& execFileName);

}  // namespace ostrelle

#endif  // OSTRELLE_PLUGIN_WIN_LAUNCHVIEWER_WIN_H
