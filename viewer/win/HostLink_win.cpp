#include "HostLink_win.h"

#include "AppState_win.h"
#include "BookSession_win.h"
#include "Calvetta.h"
#include "FrameMessages.h"
#include "FrameRouter.h"
#include "HostExchange.h"

namespace brisvane {

void HostLink::Attach(HWND frameWindow, HWND pane) {
  frame = frameWindow;
  contentPane = pane;
  messages = exchange::ExchangeMessages::Register();
}

bool HostLink::OnMessage(UINT message, WPARAM wParam) {
  if (message == 0) return false;  // a name that could not be registered
  if (message == messages.quickLookup) {
    OnQuickLookup();
    return true;
  }
  if (message == messages.hostCommand) {
    OnHostCommand(wParam);
    return true;
  }
  return false;
}

LRESULT HostLink::OnHostWord() {
  exchange::BroadcastViewerState(messages, hostexchange::kStateBroughtUp);
  std::wstring word = exchange::ReadExchangeWord(hostexchange::kHostStartSection);
  if (!word.empty()) router.LookUp(word);
  return 1;
}

// Messages of other programs are dispatched inside our message boxes and the search dialog
// too: there a hand-over is dropped.
bool HostLink::HandOverBlocked() const {
  return app.ModalBusy() || SendMessageW(contentPane, VM_VIEW_INMSGBOX, 0, 0) == 1;
}

void HostLink::OnQuickLookup() {
  if (HandOverBlocked()) return;
  std::wstring word = exchange::ReadExchangeWord(hostexchange::kQuickLookupSection);
  BringUp();
  exchange::BroadcastViewerState(messages, hostexchange::kStateBroughtUp);
  router.LookUp(word);  // an empty word too: the box is emptied and nothing is searched
}

void HostLink::OnHostCommand(WPARAM command) {
  switch (command) {
    case hostexchange::kCommandClose:
      CloseForHost();
      break;
    case hostexchange::kCommandHide:
      showState = 0;
      ShowWindow(frame, SW_HIDE);
      UpdateWindow(frame);
      break;
    case hostexchange::kCommandShow: {
      if (HandOverBlocked()) return;
      BringUp();
      if (!app.HostWordPending()) return;
      exchange::BroadcastViewerState(messages, hostexchange::kStateBroughtUp);
      std::wstring word = exchange::ReadRegistryWord();
      if (!word.empty()) router.LookUp(word);
      break;
    }
    default:
      break;  // 1 and anything else: nothing
  }
}

void HostLink::BringUp() {
  bool minimised = IsIconic(frame) != FALSE;
  SetForegroundWindow(frame);
  ShowWindow(frame, minimised ? SW_RESTORE : app.RebindPending() ? SW_SHOWMAXIMIZED : SW_SHOW);
  // Hidden since the last hand-over and without a book (a read error closed it): open it again.
  if (app.RebindPending() || (showState == 0 && !book.IsOpen())) SendMessageW(frame, FM_OPENBOOK, 0, 0);
  UpdateWindow(frame);
  if (showState == 0) showState = kShownForHost;
}

void HostLink::HideByUser() {
  ShowWindow(frame, SW_HIDE);
  showState = 0;
  exchange::BroadcastViewerState(messages, hostexchange::kStateHidden);
}

// Inside one of our message boxes or the search dialog the host's word is no longer awaited.
void HostLink::CloseForHost() {
  if (app.ModalBusy()) app.DropHostWord();
  DestroyWindow(frame);
}

}  // namespace brisvane
