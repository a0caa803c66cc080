#include "Dialog.h"

namespace ui {

namespace {

// Who answers the messages before WM_INITDIALOG of the dialog being made on this thread, and
// that dialog until its window has been seen.
thread_local Dialog::EarlyProc gEarly = nullptr;
thread_local Dialog* gOpening = nullptr;

}  // namespace

INT_PTR Dialog::RunModal(HINSTANCE instance, const wchar_t* resource, HWND owner, EarlyProc earlyProc) {
  EarlyProc outer = gEarly;  // a dialog may run another one
  Dialog* outerOpening = gOpening;
  gEarly = earlyProc;
  gOpening = this;
  INT_PTR result = DialogBoxParamW(instance, resource, owner, &StaticProc, reinterpret_cast<LPARAM>(this));
  gEarly = outer;
  gOpening = outerOpening;
  return result;
}

INT_PTR CALLBACK Dialog::StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (Dialog* opening = gOpening) {
    gOpening = nullptr;  // once, with the dialog's first message
    try {
      opening->OnOpening(hwnd);
    } catch (...) {
    }
  }
  Dialog* self = nullptr;
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<Dialog*>(lParam);
    self->hwnd = hwnd;
    SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
  } else {
    self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  }
  if (!self) {
    return gEarly ? gEarly(message, wParam, lParam) : FALSE;
  }

  INT_PTR result = FALSE;
  // Exceptions must not unwind through the dialog manager that called us.
  try {
    result = message == WM_INITDIALOG ? self->OnInitDialog() : self->OnMessage(message, wParam, lParam);
  } catch (...) {
    try {
      result = self->OnUnexpectedException(message);
    } catch (...) {
      result = FALSE;
    }
  }
  if (message == WM_NCDESTROY) {
    // The last message of the dialog: after it, the object may be gone or reused.
    SetWindowLongPtrW(hwnd, DWLP_USER, 0);
    self->hwnd = nullptr;
  }
  return result;
}

}  // namespace ui
