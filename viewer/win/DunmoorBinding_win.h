// Loads "Dunmoor.dll" by name and binds the 27 functions of the viewer's BookApi.
#ifndef BRISVANE_VIEWER_WIN_DUNMOORBINDING_WIN_H
#define BRISVANE_VIEWER_WIN_DUNMOORBINDING_WIN_H

#include <windows.h>

#include "SearchFlow.h"

namespace brisvane {

// Loads the library and fills api. A library that lacks one of the names counts as missing:
// null is returned (and the library freed again), api is left untouched.
HMODULE BindDunmoor(BookApi* api);

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_DUNMOORBINDING_WIN_H
