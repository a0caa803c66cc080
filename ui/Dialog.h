// A modal dialog over an object, by the same rules as Window: the dialog procedure binds the
// object at WM_INITDIALOG, forwards every later message to the virtual OnMessage, lets no
// exception leave it, and clears the back-pointer at WM_NCDESTROY.
#ifndef UI_DIALOG_H
#define UI_DIALOG_H

#include <windows.h>

namespace ui {

class Dialog {
 public:
  Dialog() = default;
  virtual ~Dialog() = default;
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  HWND Hwnd() const { return hwnd; }

  // Messages a dialog gets before WM_INITDIALOG (WM_MEASUREITEM of its owner-drawn controls,
  // WM_SETFONT) have no object yet: a function of this type may answer them.
  using EarlyProc = INT_PTR (*)(UINT message, WPARAM wParam, LPARAM lParam);

 protected:

  // Shows the dialog of resource `resource` until EndDialog. The value given to EndDialog, or -1
  // when the dialog could not be shown.
  INT_PTR RunModal(HINSTANCE instance, const wchar_t* resource, HWND owner, EarlyProc early = nullptr);

  // The dialog's window exists, its controls not yet: the first message it gets (WM_SETFONT of a
  // dialog with a font of its own, else WM_INITDIALOG) comes after this. Hwnd() is not set yet.
  virtual void OnOpening(HWND dialog) {}
  // WM_INITDIALOG, with Hwnd() set: TRUE lets the system set the focus.
  virtual INT_PTR OnInitDialog() = 0;
  // Every later message: TRUE when handled, FALSE for the dialog manager's default.
  virtual INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) { return FALSE; }
  // What a handler that threw is answered with (after the exception has been swallowed).
  virtual INT_PTR OnUnexpectedException(UINT message) { return FALSE; }

 private:
  static INT_PTR CALLBACK StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  HWND hwnd = nullptr;
};

}  // namespace ui

#endif  // UI_DIALOG_H
