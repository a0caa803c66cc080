// As-you-type: a pause in the user's typing in the word box lists the headwords that begin with
// what is typed (keyword searches as typed), without the progress dialog and without taking the
// focus from the box; the entry pane shows the first hit. Enter still runs the full search. On
// unless the user turned it off in the options menu (the settings' "search", "AsYouType").
#ifndef BRISVANE_VIEWER_WIN_TYPEAHEAD_WIN_H
#define BRISVANE_VIEWER_WIN_TYPEAHEAD_WIN_H

#include <windows.h>

namespace brisvane {

class TypeAhead {
 public:
  // The frame's timer that ends the pause.
  static constexpr UINT_PTR kTimer = 0x7A01;
  static constexpr UINT kPauseMs = 150;

  void Restore();
  bool On() const { return on; }
  // The menu's command: on or off, remembered.
  void Toggle(HWND frame);

  // The user changed the box's text: the pause begins again.
  void Typed(HWND frame);
  // The pause is over (the timer came), or the word no longer awaits a list (Enter, another
  // mode or book): nothing more is due.
  void Stop(HWND frame);

 private:
  bool on = true;
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_TYPEAHEAD_WIN_H
