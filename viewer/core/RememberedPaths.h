// The registry value "path": the book directories chosen by browsing, each preceded by one
// blank, as bytes of the local code page, the whole value (with its NUL) within 500 bytes.
// Drive roots are never kept (the title list scans every drive anyway).
#ifndef BRISVANE_VIEWER_CORE_REMEMBEREDPATHS_H
#define BRISVANE_VIEWER_CORE_REMEMBEREDPATHS_H

#include <cstddef>
#include <string>
#include <vector>

namespace brisvane {

constexpr size_t kRememberedPathsCapacity = 500;

// The pieces of a stored value worth asking about: split at blanks, drive roots (three
// characters or fewer) left out.
std::vector<std::string> SplitRememberedPaths(const std::string& value);

// The value to store after browsing to chosen: the directories of the title list (listed, in
// list order), then chosen. Drive roots and paths with a blank (which would come back split)
// are skipped; a listed directory that no longer fits ends the collection, so directories
// beyond the limit are dropped. chosen is added only when it fits and is not there yet; a
// directory counts as there when it names the same directory, ignoring ASCII case and a
// trailing backslash (D:\Dict and D:\DICT\ are one directory, D:\Dict and D:\Dict2 are two).
std::string BuildRememberedPaths(const std::vector<std::string>& listed, const std::string& chosen);

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_CORE_REMEMBEREDPATHS_H
