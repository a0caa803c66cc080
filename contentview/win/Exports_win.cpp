// The five exports of Calvetta.dll. There is one view per process: gView points at it from
// viewCreateView on, and every other export acts on it. No exception leaves an export.
#include <type_traits>

#include <windows.h>

#include <new>

#include "Calvetta.h"
#include "ExportGuard.h"
#include "win/ContentWindow_win.h"

using exportguard::Guarded;
using exportguard::GuardedVoid;

namespace {

calvetta::ContentWindow* gView = nullptr;

HINSTANCE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&ThisModule), &module);
  return module;
}

bool ViewExists() { return gView && gView->Hwnd() && IsWindow(gView->Hwnd()); }

}  // namespace

extern "C" {

void* viewCreateView(void* parent, int32_t left, int32_t top, int32_t right, int32_t bottom) {
  return Guarded<void*>(nullptr, [&]() -> void* {
    if (ViewExists()) return gView->Hwnd();
    // A view whose window is gone (its parent was destroyed) is replaced. The object is kept
    // otherwise until the process ends, so a late message never meets a freed object.
    delete gView;
    gView = new (std::nothrow) calvetta::ContentWindow(ThisModule());
    if (!gView) return nullptr;
    RECT rect = {left, top, right, bottom};
    return gView->CreateView(static_cast<HWND>(parent), rect);
  });
}

void viewSetContentBlank(void) {
  GuardedVoid([] {
    if (ViewExists()) gView->SetContentBlank();
  });
}

int32_t viewIsMarkValid(void) {
  return Guarded<int32_t>(0, [] { return ViewExists() ? gView->Marks().TextLength() : 0; });
}

void viewCopyToClipBoard(void) {
  GuardedVoid([] {
    if (ViewExists()) gView->Marks().CopyToClipboard();
  });
}

int32_t viewGetMarkCont(char* buffer, int32_t size) {
  return Guarded<int32_t>(0, [&]() -> int32_t {
    if (ViewExists()) return gView->Marks().GetText(buffer, size);
    if (buffer && size > 0) buffer[0] = '\0';
    return 0;
  });
}

}  // extern "C"

// The export list of Calvetta.h names the same types as the functions above.
#define CALVETTA_CHECK_EXPORT(name, result, parameters) \
  static_assert(std::is_same<decltype(&::name), name##Proc>::value, #name " differs from its list entry");
CALVETTA_EXPORTS(CALVETTA_CHECK_EXPORT)
#undef CALVETTA_CHECK_EXPORT
