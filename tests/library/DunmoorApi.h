// The library's exports as a table of functions. In the Windows build the table is bound by
// name from "Dunmoor.dll" with LoadLibrary and GetProcAddress, as the viewer binds it; natively
// it points at the functions linked into the test.
#ifndef DUNMOOR_TESTS_LIBRARY_DUNMOORAPI_H
#define DUNMOOR_TESTS_LIBRARY_DUNMOORAPI_H

#include <string>

#include "Dunmoor.h"

using DunmoorApi = DunmoorExports;

// Binds every export; false (with the missing name in *missing) when one is not there.
bool BindDunmoor(DunmoorApi* api, std::string* missing);

#endif  // DUNMOOR_TESTS_LIBRARY_DUNMOORAPI_H
