// The library's calls that take a disc root, made with the root's long Unicode path (the path
// the viewer keeps, shows and remembers): through the library's wide exports when it has them,
// else in the system code page, where a path that code page cannot spell names no disc (-1).
// No short 8.3 name is made: a volume may have none, and it would be what the user sees.
#ifndef BRISVANE_VIEWER_WIN_BOOKPATHS_WIN_H
#define BRISVANE_VIEWER_WIN_BOOKPATHS_WIN_H

#include <cstdint>
#include <string>

#include "BookApi.h"

namespace brisvane {

int32_t IsBookAt(const BookApi& book, const std::wstring& root, char* title);
int32_t OpenCatalogAt(const BookApi& book, const std::wstring& root);
int32_t OpenSlotAt(const BookApi& book, const std::wstring& root, int32_t index);
// -1 also when the library cannot tell (it lacks epwGetBookProblem).
int32_t BookProblemAt(const BookApi& book, const std::wstring& root, int32_t index, char* title);

// The path in the system code page, for a library without the wide exports; empty when a
// character of it has no form there, or when it does not fit the library's 256-byte paths.
std::string SystemCodePagePath(const std::wstring& path);

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_BOOKPATHS_WIN_H
