// The functions of Dunmoor.dll the viewer binds by name (27 of them, and epwBooksOpenAt when the
// library has it: without it only the first usable book of a disc opens).
#ifndef BRISVANE_VIEWER_WIN_BOOKAPI_H
#define BRISVANE_VIEWER_WIN_BOOKAPI_H

#include "Dunmoor.h"

namespace brisvane {

using BookApi = DunmoorExports;

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_BOOKAPI_H
