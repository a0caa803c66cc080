// What the viewer's windows share for the whole run: how the program was started, whether the
// host's word is still awaited, and whether one of our modal windows is open. The application
// object owns the one instance and hands it to the frame, which hands it to the panes.
#ifndef BRISVANE_VIEWER_WIN_APPSTATE_WIN_H
#define BRISVANE_VIEWER_WIN_APPSTATE_WIN_H

#include <windows.h>

namespace brisvane {

class AppState {
 public:
  // While one lives, a dialog or message box of ours is open: the host's hand-overs are dropped
  // (their messages are dispatched inside the modal loop). Scopes nest.
  class ModalScope {
   public:
    explicit ModalScope(AppState& app) : app(app), wasBusy(app.modalBusy) { app.modalBusy = true; }
    ~ModalScope() { app.modalBusy = wasBusy; }
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

   private:
    AppState& app;
    bool wasBusy;
  };

  bool ModalBusy() const { return modalBusy; }
  // An OK message box captioned "DUDAZA Zorari", owned by owner, inside a modal scope.
  void ShowMessage(HWND owner, const wchar_t* text) {
    ModalScope modal(*this);
    MessageBoxW(owner, text, L"DUDAZA Zorari", MB_OK);
  }

  // A Yes/No question in the same kind of box; true for Yes.
  bool Ask(HWND owner, const wchar_t* text) {
    ModalScope modal(*this);
    return MessageBoxW(owner, text, L"DUDAZA Zorari", MB_YESNO | MB_ICONQUESTION) == IDYES;
  }

  // A start by the user: closing the main window ends the program. Otherwise it only hides.
  void SetExitOnClose(bool exit) { exitOnClose = exit; }
  bool ExitOnClose() const { return exitOnClose; }

  // The exchange with the host product is in effect until the host closes the viewer while
  // one of our modal windows is open.
  bool HostWordPending() const { return hostWordPending; }
  void DropHostWord() { hostWordPending = false; }

  // Until the library is first bound, a hand-over opens the book (and shows the window
  // maximised) before it looks anything up.
  bool RebindPending() const { return rebindPending; }
  void NoteLibraryBound() { rebindPending = false; }

  // Whether the next activation of a pane moves the focus to the word box; taking the request
  // clears it.
  void FocusWordBoxOnNextActivation(bool focus) { focusWordBoxOnActivate = focus; }
  bool TakeWordBoxFocusRequest() {
    bool requested = focusWordBoxOnActivate;
    focusWordBoxOnActivate = false;
    return requested;
  }

 private:
  bool exitOnClose = false;
  bool hostWordPending = true;
  bool rebindPending = true;
  bool modalBusy = false;
  bool focusWordBoxOnActivate = true;
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_APPSTATE_WIN_H
