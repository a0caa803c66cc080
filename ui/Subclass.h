// A control of the system's (an edit box, a list box, a toolbar, a button) with some of its
// messages handled by an object, over SetWindowSubclass: the object sees every message of the
// control first and hands on what it does not handle. As with Window, no exception leaves the
// procedure, and the subclass removes itself when the control is destroyed.
#ifndef UI_SUBCLASS_H
#define UI_SUBCLASS_H

#include <windows.h>
#include <commctrl.h>

namespace ui {

class Subclass {
 public:
  Subclass() = default;
  virtual ~Subclass() { Detach(); }
  Subclass(const Subclass&) = delete;
  Subclass& operator=(const Subclass&) = delete;

  // Starts handling the control's messages (a control can carry several such objects).
  bool Attach(HWND control);
  // Stops; the control goes on by itself. Also done when the control is destroyed.
  void Detach();
  HWND Control() const { return control; }

 protected:
  // Every message of the control. The default hands it on.
  virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) { return Default(message, wParam, lParam); }
  // After the control's last message, when the subclass has removed itself: an object that owns
  // itself (made with new for a control that lives on its own) may delete itself here.
  virtual void OnControlGone() {}
  // The control's own handling of the message.
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefSubclassProc(control, message, wParam, lParam);
  }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data);

  HWND control = nullptr;
};

}  // namespace ui

#endif  // UI_SUBCLASS_H
