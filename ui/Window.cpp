#include "Window.h"

namespace ui {

bool Window::RegisterClassOnce(HINSTANCE instance, const wchar_t* className, UINT classStyle, HCURSOR cursor,
                               HBRUSH background) {
  WNDCLASSEXW existing = {};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(instance, className, &existing)) {
    if (existing.lpfnWndProc == &Window::StaticProc) return true;
    // Left behind by an earlier load of this module at another address: its procedure is gone.
    UnregisterClassW(className, instance);
  }
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.style = classStyle;
  wc.lpfnWndProc = &Window::StaticProc;
  wc.hInstance = instance;
  wc.hCursor = cursor;
  wc.hbrBackground = background;
  wc.lpszClassName = className;
  return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND Window::Create(HINSTANCE instance, const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle,
                    int x, int y, int width, int height, HWND parent, HMENU menuOrId) {
  // hwnd is set by StaticProc at WM_NCCREATE, before WM_CREATE reaches OnCreate.
  return CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent, menuOrId, instance, this);
}

LRESULT Window::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  Handled answer;
  switch (message) {
    case WM_CREATE:
      answer = OnCreate(*reinterpret_cast<const CREATESTRUCTW*>(lParam));
      break;
    case WM_COMMAND:
      answer = OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      break;
    case WM_NOTIFY:
      answer = OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
      break;
    case WM_SIZE:
      answer = OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
      break;
    case WM_DESTROY:
      answer = OnDestroy();
      break;
    default:
      break;
  }
  return answer.handled ? answer.result : Default(message, wParam, lParam);
}

LRESULT CALLBACK Window::StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    if (self) {
      self->hwnd = hwnd;
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
  } else {
    self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);

  LRESULT result = 0;
  // Exceptions must not unwind through the system's code that called us.
  try {
    result = self->OnMessage(message, wParam, lParam);
  } catch (...) {
    try {
      result = self->OnUnexpectedException(message);
    } catch (...) {
      result = 0;
    }
  }
  if (message == WM_NCDESTROY) {
    // The last message of the window: after it, the object may be gone or reused.
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd = nullptr;
  }
  return result;
}

}  // namespace ui
