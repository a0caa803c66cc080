// A DLL loaded by name with LoadLibrary, and its exports bound by name with GetProcAddress into
// a table of function pointers (DunmoorExports, CalvettaExports: structs with a ForEach that
// visits every field with its export name). The module is owned: it is freed when the object
// goes, or kept for the life of the process with Keep().
#ifndef UI_BOUNDLIBRARY_H
#define UI_BOUNDLIBRARY_H

#include <windows.h>

#include <cstring>
#include <initializer_list>
#include <string>
#include <type_traits>
#include <utility>

#include "ui/UniqueHandle.h"

namespace ui {

template <typename Exports>
class BoundLibrary {
 public:
  // Loads file and binds every name of the table that the library has. True when every name in
  // required is there. Otherwise the library is let go again, the table stays empty, and
  // Missing() names the first name that was not found (or the file, when it did not load).
  bool Load(const wchar_t* file, std::initializer_list<const char*> required) {
    Unload();
    UniqueModule loaded(LoadLibraryW(file));
    if (!loaded) {
      missing = Narrow(file);
      return false;
    }
    Exports bound;
    bound.ForEach([&](const char* name, auto* proc) {
      using Proc = std::remove_pointer_t<decltype(proc)>;
      *proc = reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(loaded.Get(), name)));
    });
    for (const char* name : required) {
      bool found = false;
      bound.ForEach([&](const char* field, auto* proc) {
        if (std::strcmp(field, name) == 0) found = *proc != nullptr;
      });
      if (!found) {
        missing = name;
        return false;
      }
    }
    module = std::move(loaded);
    exports = bound;
    return true;
  }

  // Binds every name of the table; true when the library has them all.
  bool LoadAll(const wchar_t* file) {
    if (!Load(file, {})) return false;
    bool complete = true;
    exports.ForEach([&](const char* name, auto* proc) {
      if (complete && *proc == nullptr) {
        complete = false;
        missing = name;
      }
    });
    if (!complete) Unload();
    return complete;
  }

  void Unload() {
    exports = Exports{};
    module.Close();
  }
  // The module stays loaded for the rest of the process (code of it still runs, as a window
  // procedure does): this object lets go of it, and a copy of Get() stays good.
  void Keep() { module.Detach(); }

  bool IsLoaded() const { return module.IsValid(); }
  const Exports& Get() const { return exports; }
  const Exports* operator->() const { return &exports; }
  const std::string& Missing() const { return missing; }

 private:
  static std::string Narrow(const wchar_t* text) {
    std::string out;
    for (; *text; ++text) out += static_cast<char>(*text < 0x80 ? *text : '?');
    return out;
  }

  UniqueModule module;
  Exports exports;
  std::string missing;
};

}  // namespace ui

#endif  // UI_BOUNDLIBRARY_H
