#include "DunmoorApi.h"

#ifdef _WIN32

#include "ui/BoundLibrary.h"

bool BindDunmoor(DunmoorApi* api, std::string* missing) {
  static ui::BoundLibrary<DunmoorExports> library;  // loaded for the whole test run
  if (!library.IsLoaded() && !library.LoadAll(L"Dunmoor.dll")) {
    *missing = library.Missing();
    return false;
  }
  *api = library.Get();
  return true;
}

#else

bool BindDunmoor(DunmoorApi* api, std::string*) {
#define POINT_AT_EXPORT(name, result, parameters) api->name = &::name;
  DUNMOOR_EXPORTS(POINT_AT_EXPORT)
#undef POINT_AT_EXPORT
  return true;
}

#endif
