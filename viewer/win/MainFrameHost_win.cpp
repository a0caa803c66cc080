// The main frame's side of the exchange with the host product: quick lookups, the host's
// commands, the word of a start with "-p", and hiding instead of ending when another program
// started the viewer. Each hand-over shows the window and tells every top-level window so.
#include "AppFlags_win.h"
#include "Calvetta.h"
#include "FrameMessages.h"
#include "HostExchange.h"
#include "MainFrame_win.h"

namespace brisvane {

bool MainFrame::OnExchangeMessage(UINT message, WPARAM wParam) {
  if (message == 0) return false;  // a name that could not be registered
  if (message == exchange.quickLookup) {
    OnQuickLookup();
    return true;
  }
  if (message == exchange.hostCommand) {
    OnHostCommand(wParam);
    return true;
  }
  return false;
}

LRESULT MainFrame::OnHostWord() {
  exchange::BroadcastViewerState(exchange, hostexchange::kStateBroughtUp);
  std::wstring word = exchange::ReadExchangeWord(hostexchange::kHostStartSection);
  if (!word.empty()) TakeHostWord(word);
  return 1;
}

// Messages of other programs are dispatched inside our message boxes and the search dialog
// too: there a hand-over is dropped.
bool MainFrame::HandOverBlocked() {
  return gFlags.modalBusy || SendMessageW(ContentPane(), VM_VIEW_INMSGBOX, 0, 0) == 1;
}

void MainFrame::OnQuickLookup() {
  if (HandOverBlocked()) return;
  std::wstring word = exchange::ReadExchangeWord(hostexchange::kQuickLookupSection);
  BringUp();
  exchange::BroadcastViewerState(exchange, hostexchange::kStateBroughtUp);
  TakeHostWord(word);  // an empty word too: the box is emptied and nothing is searched
}

void MainFrame::OnHostCommand(WPARAM command) {
  switch (command) {
    case hostexchange::kCommandClose:
      CloseForHost();
      break;
    case hostexchange::kCommandHide:
      gFlags.showState = 0;
      ShowWindow(Hwnd(), SW_HIDE);
      UpdateWindow(Hwnd());
      break;
    case hostexchange::kCommandShow: {
      if (HandOverBlocked()) return;
      BringUp();
      if (!gFlags.hostWordPending) return;
      exchange::BroadcastViewerState(exchange, hostexchange::kStateBroughtUp);
      std::wstring word = exchange::ReadRegistryWord();
      if (!word.empty()) TakeHostWord(word);
      break;
    }
    default:
      break;  // 1 and anything else: nothing
  }
}

void MainFrame::BringUp() {
  HWND frame = Hwnd();
  bool minimised = IsIconic(frame) != FALSE;
  SetForegroundWindow(frame);
  ShowWindow(frame, minimised ? SW_RESTORE : gFlags.rebindPending ? SW_SHOWMAXIMIZED : SW_SHOW);
  // Hidden since the last hand-over and without a book (a read error closed it): open it again.
  if (gFlags.rebindPending || (gFlags.showState == 0 && !bookOpen)) SendMessageW(frame, FM_OPENBOOK, 0, 0);
  UpdateWindow(frame);
  if (gFlags.showState == 0) gFlags.showState = kShownForHost;
}

void MainFrame::HideByUser() {
  ShowWindow(Hwnd(), SW_HIDE);
  gFlags.showState = 0;
  exchange::BroadcastViewerState(exchange, hostexchange::kStateHidden);
}

// Inside one of our message boxes or the search dialog the host's word is no longer awaited.
void MainFrame::CloseForHost() {
  if (gFlags.modalBusy) gFlags.hostWordPending = false;
  DestroyWindow(Hwnd());
}

void MainFrame::TakeHostWord(const std::wstring& word) {
  search.AddToHistory(word.c_str());
  SearchCommand();
}

}  // namespace brisvane
