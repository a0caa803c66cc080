// Asking Dunmoor whether a path holds a book, for the title and browse dialogs, with the title
// made ready for a Unicode control: the book stores it in JIS X 0208 code, which becomes
// Shift-JIS and then, explicitly through code page 932, UTF-16.
#ifndef BRISVANE_VIEWER_WIN_BOOKTITLE_WIN_H
#define BRISVANE_VIEWER_WIN_BOOKTITLE_WIN_H

#include <string>

#include "SearchFlow.h"

namespace brisvane {

// True and *title set when IsEpwBook returns 1 for path; false (title untouched) otherwise,
// also for a path that does not fit the library's 256-byte path.
bool FindBookTitle(const BookApi& book, const std::wstring& path, std::wstring* title);

// Paths travel to the library and the registry as bytes of the local code page.
std::string ToLocalPath(const std::wstring& path);
std::wstring FromLocalPath(const std::string& path);

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_BOOKTITLE_WIN_H
