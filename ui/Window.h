// A thin, non-owning window wrapper. One static window procedure stores the object at
// WM_NCCREATE and forwards every message to the virtual OnMessage; the default OnMessage
// offers the typed hooks below and hands the rest to DefWindowProc. The object never destroys
// its window: whoever creates it calls DestroyWindow, and the back-pointer is cleared at
// WM_NCDESTROY so that no message reaches a dead object.
#ifndef UI_WINDOW_H
#define UI_WINDOW_H

#include <windows.h>

namespace ui {

// A typed hook's answer: whether it handled the message, and the result to return.
struct Handled {
  bool handled = false;
  LRESULT result = 0;
};
inline Handled Done(LRESULT result = 0) { return Handled{true, result}; }
inline Handled NotHandled() { return Handled{}; }

class Window {
 public:
  Window() = default;
  virtual ~Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND Hwnd() const { return hwnd; }

  // Registers a class whose procedure is Window's (once per module; a second registration of
  // the same name counts as success).
  static bool RegisterClassOnce(HINSTANCE instance, const wchar_t* className, UINT classStyle, HCURSOR cursor,
                                HBRUSH background);

  // Creates the window over this object. Returns the handle, or null.
  HWND Create(HINSTANCE instance, const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle,
              int x, int y, int width, int height, HWND parent, HMENU menuOrId);

 protected:
  // Every message of the window. The default dispatches to the typed hooks, then DefWindowProc.
  virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

  // -1 from OnCreate makes the creation fail.
  virtual Handled OnCreate(const CREATESTRUCTW& create) { return NotHandled(); }
  virtual Handled OnCommand(int id, int code, HWND control) { return NotHandled(); }
  virtual Handled OnNotify(const NMHDR& header) { return NotHandled(); }
  virtual Handled OnSize(UINT kind, int width, int height) { return NotHandled(); }
  virtual Handled OnDestroy() { return NotHandled(); }
  // What a handler that threw is answered with (after the exception has been swallowed).
  virtual LRESULT OnUnexpectedException(UINT message) { return 0; }

  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) { return DefWindowProcW(hwnd, message, wParam, lParam); }

 private:
  static LRESULT CALLBACK StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  HWND hwnd = nullptr;
};

}  // namespace ui

#endif  // UI_WINDOW_H
