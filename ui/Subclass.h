// A control of the system's (an edit box, a list box, a toolbar, a button) with some of its
// messages handled by an object: the object sees every message of the control first and hands
// on what it does not handle. A control can carry several such objects; the one attached last
// sees a message first. As with Window, no exception leaves the procedure, and the subclass
// removes itself when the control is destroyed.
//
// The chain is our own (the control's window procedure replaced once, the objects found in a
// table of the thread), not SetWindowSubclass: that looks a window property up on every
// message, and under Wine a property look-up is a round trip to its server, a tenth of a
// millisecond a message on this kind of machine (a second to fill a list of 10,000 hits).
#ifndef UI_SUBCLASS_H
#define UI_SUBCLASS_H

#include <windows.h>

namespace ui {

class Subclass {
 public:
  Subclass() = default;
  virtual ~Subclass() { Detach(); }
  Subclass(const Subclass&) = delete;
  Subclass& operator=(const Subclass&) = delete;

  // Starts handling the control's messages.
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
  // The handling of the message by the objects attached before this one, then the control's own.
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT Handle(Subclass* object, UINT message, WPARAM wParam, LPARAM lParam);

  HWND control = nullptr;
};

}  // namespace ui

#endif  // UI_SUBCLASS_H
