#include "Subclass.h"

namespace ui {

bool Subclass::Attach(HWND window) {
  Detach();
  if (!window) return false;
  if (!SetWindowSubclass(window, &Proc, reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this)))
    return false;
  control = window;
  return true;
}

void Subclass::Detach() {
  if (!control) return;
  RemoveWindowSubclass(control, &Proc, reinterpret_cast<UINT_PTR>(this));
  control = nullptr;
}

LRESULT CALLBACK Subclass::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<Subclass*>(data);
  LRESULT result = 0;
  // Exceptions must not unwind through the system's code that called us.
  try {
    result = self->OnMessage(message, wParam, lParam);
  } catch (...) {
    result = 0;
  }
  if (message == WM_NCDESTROY) {  // the control's last message
    self->Detach();
    self->OnControlGone();
  }
  return result;
}

}  // namespace ui
