// The frame's side of the exchange with the host product: quick lookups, the host's commands,
// the word of a start with "-p", and hiding instead of ending when another program started the
// viewer. Each hand-over shows the window and tells every top-level window so; inside one of
// our message boxes or dialogs (the view's too) a hand-over is dropped.
#ifndef BRISVANE_VIEWER_WIN_HOSTLINK_WIN_H
#define BRISVANE_VIEWER_WIN_HOSTLINK_WIN_H

#include <windows.h>

#include <cstdint>

#include "HostExchange_win.h"

namespace brisvane {

class AppState;
class BookSession;
class FrameRouter;

class HostLink {
 public:
  HostLink(AppState& app, const BookSession& book, FrameRouter& router) : app(app), book(book), router(router) {}
  // Registers the exchange's messages; frame is brought up and hidden, contentPane is asked
  // whether the view shows a message box.
  void Attach(HWND frameWindow, HWND contentPane);

  // The registered messages of the exchange; false for any other message.
  bool OnMessage(UINT message, WPARAM wParam);
  // FM_HOSTWORD: the word of a start by the host.
  LRESULT OnHostWord();
  // The user closed the window of a viewer that another program started: it stays resident,
  // hidden, until it is asked for again.
  void HideByUser();
  // Shows the window in front (restored, the book opened again when it was closed while hidden).
  void BringUp();

 private:
  void OnQuickLookup();
  void OnHostCommand(WPARAM command);
  bool HandOverBlocked() const;
  void CloseForHost();

  static constexpr uint8_t kShownForHost = 5;

  AppState& app;
  const BookSession& book;
  FrameRouter& router;
  HWND frame = nullptr;
  HWND contentPane = nullptr;
  exchange::ExchangeMessages messages;
  uint8_t showState = 0;  // kShownForHost once a hand-over has shown the window; 0 after a hide
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_HOSTLINK_WIN_H
