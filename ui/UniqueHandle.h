// Move-only owners of Win32 handles. One template, UniqueHandle<Traits>, where the traits name
// the handle type, its invalid value and the function that closes it; the aliases below cover
// the kinds this code base owns. Nothing here can be copied, so nothing is closed twice.
#ifndef UI_UNIQUEHANDLE_H
#define UI_UNIQUEHANDLE_H

#include <windows.h>

#include <commctrl.h>

#include <utility>

namespace ui {

template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle(handle) {}
  ~UniqueHandle() { Close(); }

  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle(other.Detach()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Attach(other.Detach());
    return *this;
  }

  Handle Get() const { return handle; }
  bool IsValid() const { return handle != Traits::Invalid(); }
  explicit operator bool() const { return IsValid(); }

  // Takes ownership of handle, closing the one held before.
  void Attach(Handle newHandle) {
    Close();
    handle = newHandle;
  }
  // Hands the handle over to the caller, who closes it from then on.
  Handle Detach() {
    Handle old = handle;
    handle = Traits::Invalid();
    return old;
  }
  // Closes the handle now; false when the close function reported a failure. The owner is
  // empty afterwards either way, so a failed close is never retried.
  bool Close() {
    if (!IsValid()) return true;
    Handle old = Detach();
    return Traits::Close(old);
  }

 private:
  Handle handle = Traits::Invalid();
};

// Kernel objects whose "no handle" is null (events, mappings, processes, threads).
struct KernelHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return nullptr; }
  static bool Close(Handle h) { return CloseHandle(h) != 0; }
};
// Files: CreateFile reports failure with INVALID_HANDLE_VALUE, not null.
struct FileHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static bool Close(Handle h) { return CloseHandle(h) != 0; }
};
// Fonts, brushes, pens, bitmaps. The object must not be selected into a DC when it closes.
struct GdiObjectTraits {
  using Handle = HGDIOBJ;
  static Handle Invalid() { return nullptr; }
  static bool Close(Handle h) { return DeleteObject(h) != 0; }
};
struct FontTraits {
  using Handle = HFONT;
  static Handle Invalid() { return nullptr; }
  static bool Close(Handle h) { return DeleteObject(h) != 0; }
};
struct BitmapTraits {
  using Handle = HBITMAP;
  static Handle Invalid() { return nullptr; }
  static bool Close(Handle h) { return DeleteObject(h) != 0; }
};
struct BrushTraits {
  using Handle = HBRUSH;
  static Handle Invalid() { return nullptr; }
  static bool Close(Handle h) { return DeleteObject(h) != 0; }
};
struct MenuTraits {
  using Handle = HMENU;
  static Handle Invalid() { return nullptr; }
  static bool Close(Handle h) { return DestroyMenu(h) != 0; }
};
// Icons and cursors made with CreateIcon/LoadImage without LR_SHARED (shared ones are not owned).
struct IconTraits {
  using Handle = HICON;
  static Handle Invalid() { return nullptr; }
  static bool Close(Handle h) { return DestroyIcon(h) != 0; }
};
// Device contexts made with CreateCompatibleDC or CreateDC. Window DCs are released against
// their window instead: see WindowDc.
struct DcTraits {
  using Handle = HDC;
  static Handle Invalid() { return nullptr; }
  static bool Close(Handle h) { return DeleteDC(h) != 0; }
};
struct ImageListTraits {
  using Handle = HIMAGELIST;
  static Handle Invalid() { return nullptr; }
  static bool Close(Handle h) { return ImageList_Destroy(h) != 0; }
};
struct ModuleTraits {
  using Handle = HMODULE;
  static Handle Invalid() { return nullptr; }
  static bool Close(Handle h) { return FreeLibrary(h) != 0; }
};

using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueFile = UniqueHandle<FileHandleTraits>;
using UniqueGdiObject = UniqueHandle<GdiObjectTraits>;
using UniqueFont = UniqueHandle<FontTraits>;
using UniqueBitmap = UniqueHandle<BitmapTraits>;
using UniqueBrush = UniqueHandle<BrushTraits>;
using UniqueMenu = UniqueHandle<MenuTraits>;
using UniqueIcon = UniqueHandle<IconTraits>;
using UniqueDc = UniqueHandle<DcTraits>;
using UniqueModule = UniqueHandle<ModuleTraits>;
using UniqueImageList = UniqueHandle<ImageListTraits>;

// A window's device context from GetDC, released against the same window.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window(window), dc(GetDC(window)) {}
  ~WindowDc() {
    if (dc) ReleaseDC(window, dc);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;

  HDC Get() const { return dc; }
  explicit operator bool() const { return dc != nullptr; }

 private:
  HWND window;
  HDC dc;
};

// Selects an object into a DC and selects the previous one back when it goes out of scope,
// so the object can be deleted afterwards.
class ScopedSelectObject {
 public:
  ScopedSelectObject(HDC dc, HGDIOBJ object) : dc(dc), previous(object ? SelectObject(dc, object) : nullptr) {}
  ~ScopedSelectObject() {
    if (previous && previous != HGDI_ERROR) SelectObject(dc, previous);
  }
  ScopedSelectObject(const ScopedSelectObject&) = delete;
  ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

 private:
  HDC dc;
  HGDIOBJ previous;
};

}  // namespace ui

#endif  // UI_UNIQUEHANDLE_H
