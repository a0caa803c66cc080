#include "LookupPopup_win.h"

#include <algorithm>

#include "AppState_win.h"
#include "BookSession_win.h"
#include "BrisvaneRes.h"
#include "Calvetta.h"
#include "ContentView_win.h"
#include "FrameMessages.h"
#include "HostLink_win.h"
#include "OutsideWords.h"
#include "PopupPlace.h"
#include "SearchRules.h"
#include "Search_win.h"
#include "Settings_win.h"
#include "UiFont_win.h"
#include "ui/Dpi.h"
#include "ui/ShiftJisText.h"

namespace brisvane {

namespace {

constexpr wchar_t kListPaneClass[] = L"BrisvanePopupList";
constexpr wchar_t kLookupKey[] = L"lookup";
constexpr wchar_t kPopupValue[] = L"Popup";
constexpr wchar_t kPopupKey[] = L"popup";
// Its size at first, and its least, in pixels of a 96-dots-an-inch screen.
constexpr int kWidth = 460, kHeight = 340, kLeastWidth = 200, kLeastHeight = 160;
constexpr int kButtonRow = 30, kButtonWidth = 120, kMargin = 4;
constexpr int kOpenButton = IDOK;

// Where the word read lies on the screen: the caret of the window read from, or else the pointer.
PlaceRect AnchorOf(HWND from) {
  GUITHREADINFO info = {sizeof info};
  if (from && GetGUIThreadInfo(GetWindowThreadProcessId(from, nullptr), &info) && info.hwndCaret) {
    POINT corners[2] = {{info.rcCaret.left, info.rcCaret.top}, {info.rcCaret.right, info.rcCaret.bottom}};
    MapWindowPoints(info.hwndCaret, nullptr, corners, 2);
    return PlaceRect{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
  }
  POINT pointer = {};
  GetCursorPos(&pointer);
  return PlaceRect{pointer.x, pointer.y, pointer.x, pointer.y + GetSystemMetrics(SM_CYCURSOR) / 2};
}

PlaceRect WorkAreaAt(const PlaceRect& anchor) {
  MONITORINFO monitor = {sizeof monitor};
  if (!GetMonitorInfoW(MonitorFromPoint(POINT{anchor.left, anchor.top}, MONITOR_DEFAULTTONEAREST), &monitor))
    return PlaceRect{};
  return PlaceRect{monitor.rcWork.left, monitor.rcWork.top, monitor.rcWork.right, monitor.rcWork.bottom};
}

int StoredSize(const wchar_t* value, int fallback, int least) {
  uint32_t stored = 0;
  if (!exchange::ReadNumberSetting(kPopupKey, value, &stored) || stored > 10000) return fallback;
  return std::max(static_cast<int>(stored), least);
}

}  // namespace

LRESULT LookupPopup::ListPane::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (list.HandlePaneMessage(Hwnd(), message, wParam, lParam, &result)) return result;
  return ui::Window::OnMessage(message, wParam, lParam);
}

LookupPopup::LookupPopup(AppState& app, BookSession& book, Search& search, ContentView& content, HostLink& host)
    : app(app),
      book(book),
      search(search),
      content(content),
      host(host),
      lookups(book),
      headings(search.Headings(), lookups),
      list(headings, book.Api()) {
  uint32_t stored = 1;
  chosen = !exchange::ReadNumberSetting(kLookupKey, kPopupValue, &stored) || stored != 0;
}

void LookupPopup::AddCommands(ui::CommandTable& commands) {
  commands.Add(IDM_LOOKUP_POPUP, [this](int, HWND) {
    chosen = !chosen;
    exchange::WriteNumberSetting(kLookupKey, kPopupValue, chosen ? 1 : 0);
  });
}

void LookupPopup::UpdateMenu(HMENU menu) const {
  CheckMenuItem(menu, IDM_LOOKUP_POPUP, MF_BYCOMMAND | (chosen ? MF_CHECKED : MF_UNCHECKED));
}

bool LookupPopup::Make(HWND frameWindow) {
  frame = frameWindow;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!RegisterClassOnce(instance, kPopupClass, 0, LoadCursorW(nullptr, IDC_ARROW),
                         reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)) ||
      !RegisterClassOnce(instance, kListPaneClass, 0, LoadCursorW(nullptr, IDC_ARROW), nullptr))
    return false;
  return Create(instance, kPopupClass, L"", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN,
                WS_EX_TOOLWINDOW | WS_EX_TOPMOST, 0, 0, kWidth, kHeight, nullptr, nullptr) != nullptr;
}

ui::Handled LookupPopup::OnCreate(const CREATESTRUCTW&) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!listPane.Create(instance, kListPaneClass, L"", WS_CHILD | WS_VISIBLE, WS_EX_CLIENTEDGE, 0, 0, 10, 10, Hwnd(),
                       nullptr) ||
      !list.Create(listPane.Hwnd(), Hwnd()))
    return ui::Done(-1);
  button = CreateWindowExW(0, L"BUTTON", L"メイン画面で開く", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0,
                           10, 10, Hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kOpenButton)), instance, nullptr);
  return button ? ui::Done(0) : ui::Done(-1);
}

void LookupPopup::Layout(int width, int height, RECT* listRect, RECT* viewRect, RECT* buttonRect) const {
  const int row = ui::ScaledPixels(kButtonRow, dpi), margin = ui::ScaledPixels(kMargin, dpi);
  const int body = std::max(height - row, 0);
  const int listHeight = body * 3 / 10;
  *listRect = RECT{0, 0, width, listHeight};
  *viewRect = RECT{0, listHeight, width, body};
  const int buttonWidth = ui::ScaledPixels(kButtonWidth, dpi);
  *buttonRect = RECT{std::max(width - buttonWidth - margin, 0), body + margin, width - margin, height - margin};
}

ui::Handled LookupPopup::OnSize(UINT, int width, int height) {
  RECT listRect, viewRect, buttonRect;
  Layout(width, height, &listRect, &viewRect, &buttonRect);
  MoveWindow(listPane.Hwnd(), listRect.left, listRect.top, listRect.right - listRect.left,
             listRect.bottom - listRect.top, TRUE);
  MoveWindow(button, buttonRect.left, buttonRect.top, buttonRect.right - buttonRect.left,
             buttonRect.bottom - buttonRect.top, TRUE);
  if (content.Lent()) content.Lend(Hwnd(), viewRect);
  return ui::Done(0);
}

void LookupPopup::Prepare(HWND from, bool place) {
  dpi = ui::ScreenDpi();
  if (place) {
    const PlaceRect anchor = AnchorOf(from);
    const PlaceRect where =
        PopupPlace(anchor, ui::ScaledPixels(StoredSize(L"Width", kWidth, kLeastWidth), dpi),
                   ui::ScaledPixels(StoredSize(L"Height", kHeight, kLeastHeight), dpi), WorkAreaAt(anchor));
    SetWindowPos(Hwnd(), HWND_TOPMOST, where.left, where.top, where.Width(), where.Height(), SWP_NOACTIVATE);
  }
  list.SetDpi(dpi);
  list.Follow(search.List());
  buttonFont.Attach(CreateJapaneseUiFont(9, dpi));
  SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(buttonFont.Get()), TRUE);
  // The view first, so that the entry is laid out at the pop-up's width.
  RECT client = {}, listRect, viewRect, buttonRect;
  GetClientRect(Hwnd(), &client);
  Layout(client.right, client.bottom, &listRect, &viewRect, &buttonRect);
  content.Lend(Hwnd(), viewRect, overEntry);
}

bool LookupPopup::Open(const std::wstring& word, HWND from, HWND frameWindow) {
  if (app.ModalBusy() || !book.IsOpen() || word.empty()) return false;
  if (!Hwnd() && !Make(frameWindow)) return false;
  // A word copied while it is open: it stays where it is and as large, over the window read
  // from before.
  const bool again = IsOpen() && (from == Hwnd() || !from);
  if (!again) {
    // Over the main entry before: that is shown again, and this is a look-up of its own.
    if (IsOpen()) Close(false);
    readFrom = from;
  }
  lookups.Clear();
  Prepare(from, !again);
  list.Reset();
  search.LookUpAtOnce(word);
  const int listed = search.Listed();
  list.Add(listed);
  if (listed > 0) SendMessageW(list.Hwnd(), LB_SETCURSEL, 0, 0);
  SetWindowTextW(Hwnd(), (word + L"   " + ResultCountText(listed)).c_str());
  ShowWindow(Hwnd(), SW_SHOW);
  SetForegroundWindow(Hwnd());
  SetFocus(list.Hwnd());
  return true;
}

bool LookupPopup::LookUpInEntry(const char* text, HWND frameWindow) {
  if (app.ModalBusy() || !book.IsOpen() || !text) return false;
  const std::wstring word = EntryWord(ui::FromShiftJis(text));
  if (word.empty() || (!Hwnd() && !Make(frameWindow))) return false;
  const bool open = IsOpen();
  // Where the reader was, to come back to: the main entry read, or the search's hit the pop-up
  // shows (what the main window shows of it), at the first look-up in an entry.
  const int32_t read = lookups.Depth() ? entryRead : content.TopAt();
  const int chosenHit = lookups.Depth() || !open ? searchChosen
                                                 : static_cast<int>(SendMessageW(list.Hwnd(), LB_GETCURSEL, 0, 0));
  if (lookups.Depth()) lookups.Choose(static_cast<int>(SendMessageW(list.Hwnd(), LB_GETCURSEL, 0, 0)));
  if (!lookups.Push(word, search.RelatedChoices())) {
    MessageBeep(MB_OK);
    return false;
  }
  entryRead = read;
  searchChosen = chosenHit;
  if (!open) {
    overEntry = true;
    readFrom = content.ContentWindow();
    Prepare(nullptr, true);
  }
  ShowLookup();
  ShowWindow(Hwnd(), SW_SHOW);
  SetForegroundWindow(Hwnd());
  SetFocus(list.Hwnd());
  return true;
}

void LookupPopup::ShowLookup() {
  list.Reset();
  if (lookups.Depth() == 0) {
    const int listed = search.Listed();
    list.Add(listed);
    if (searchChosen >= 0 && searchChosen < listed) {
      SendMessageW(list.Hwnd(), LB_SETCURSEL, static_cast<WPARAM>(searchChosen), 0);
      search.ShowItem(searchChosen, false);
    }
    SetWindowTextW(Hwnd(), (search.Word() + L"   " + ResultCountText(listed)).c_str());
    return;
  }
  list.Add(lookups.Listed());
  const int hit = lookups.Chosen();
  SendMessageW(list.Hwnd(), LB_SETCURSEL, static_cast<WPARAM>(hit), 0);
  search::HitPlace place;
  if (lookups.Place(hit, &place)) content.ShowAt(place, true);
  SetWindowTextW(Hwnd(), (lookups.Word() + L"   " + ResultCountText(lookups.Listed())).c_str());
}

void LookupPopup::Back() {
  if (lookups.Depth() == 0) return;
  if (!lookups.Pop() && overEntry) {
    Close(true);
    return;
  }
  ShowLookup();
  SetFocus(list.Hwnd());
}

void LookupPopup::Close(bool giveFocusBack) {
  if (!IsOpen() || closing) return;
  closing = true;
  RememberSize();
  ShowWindow(Hwnd(), SW_HIDE);
  content.TakeBack();
  if (overEntry) {
    // The main entry where it was read.
    if (entryRead >= 0) content.ShowAt(search::HitPlace{0, 0, entryRead, entryRead, 0, 0}, true);
  } else if (lookups.Depth() && searchChosen >= 0) {
    // The entry of the search's hit again, not that of a look-up in it.
    search.ShowItem(searchChosen, false);
  }
  lookups.Clear();
  const bool toEntry = overEntry;
  overEntry = false;
  entryRead = -1;
  if (giveFocusBack && readFrom && IsWindow(readFrom)) {
    SetForegroundWindow(GetAncestor(readFrom, GA_ROOT));
    if (toEntry) SetFocus(readFrom);
  }
  closing = false;
}

void LookupPopup::End() {
  Close(false);
  if (Hwnd()) DestroyWindow(Hwnd());
}

void LookupPopup::RememberSize() {
  RECT rect = {};
  if (!GetWindowRect(Hwnd(), &rect)) return;
  exchange::WriteNumberSetting(kPopupKey, L"Width", static_cast<uint32_t>(MulDiv(rect.right - rect.left, 96, dpi)));
  exchange::WriteNumberSetting(kPopupKey, L"Height", static_cast<uint32_t>(MulDiv(rect.bottom - rect.top, 96, dpi)));
}

void LookupPopup::OpenInMain() {
  const int index = static_cast<int>(SendMessageW(list.Hwnd(), LB_GETCURSEL, 0, 0));
  search::HitPlace place;
  if (lookups.Depth() && lookups.Place(index, &place)) {
    // A look-up in an entry: its entry in the main window, the one read there before a layer
    // that F3 goes back to.
    const int32_t read = entryRead;
    const bool wasOver = overEntry;
    closing = true;  // the main window up while the pop-up still has the foreground to hand on
    if (wasOver)
      SetForegroundWindow(frame);
    else
      host.BringUp();
    closing = false;
    overEntry = false;
    lookups.Clear();
    Close(false);
    if (read >= 0) SendMessageW(frame, VM_VIEW_HISTORY, 0, read);
    content.ShowAt(place, true);
    SetFocus(content.ContentWindow());
    return;
  }
  // The main window up while the pop-up still has the foreground to hand on: hidden first, the
  // pop-up would leave it to another program, and the system may refuse the main window then.
  closing = true;  // its losing the activation now is no click elsewhere
  host.BringUp();
  closing = false;
  Close(false);
  if (index >= 0) search.ShowItem(index, true);
  SetFocus(search.List().Hwnd());
}

LRESULT LookupPopup::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case FM_POPUPKEY:
      if (wParam == VK_ESCAPE) {
        Close(true);
        return 1;
      }
      if (wParam == VK_BACK || (wParam == VK_LEFT && lParam)) {
        if (lookups.Depth() == 0) return 0;
        Back();
        return 1;
      }
      // Enter in the entry follows the link it has focused, as in the main window.
      if (wParam != VK_RETURN || GetFocus() == content.ContentWindow()) return 0;
      OpenInMain();
      return 1;
    case FM_SHOWITEM: {
      search::HitPlace place;
      if (lookups.Depth() == 0) {
        search.ShowItem(static_cast<int>(wParam), false);
      } else if (lookups.Place(static_cast<int>(wParam), &place)) {
        lookups.Choose(static_cast<int>(wParam));
        content.ShowAt(place, false);
      }
      return 0;
    }
    case VM_VIEW_LOOKUP:
      LookUpInEntry(reinterpret_cast<const char*>(lParam), frame);
      return 0;
    case FM_ISBOOKOPEN:
      return SendMessageW(frame, message, wParam, lParam);
    case VM_VIEW_TAB:
      // Between the list and the entry.
      SetFocus(GetFocus() == list.Hwnd() ? content.ContentWindow() : list.Hwnd());
      return 0;
    case VM_VIEW_SEARCHMARK:
      // A search of the marked word is the main window's, and shows its own first hit there.
      overEntry = false;
      lookups.Clear();
      Close(false);
      host.BringUp();
      return SendMessageW(frame, message, wParam, lParam);
    case VM_VIEW_HISTORY:
      // A reference followed in a look-up's entry is no layer of the main window's.
      if (lookups.Depth() || overEntry) return 1;
      return SendMessageW(frame, message, wParam, lParam);
    case VM_VIEW_FAILED:
    case VM_VIEW_SOUND:
      return SendMessageW(frame, message, wParam, lParam);
    case WM_COMMAND:
      if (LOWORD(wParam) == kOpenButton) {
        OpenInMain();
        return 0;
      }
      break;
    case WM_ACTIVATE:
      // A click in another window closes it.
      if (LOWORD(wParam) == WA_INACTIVE && !closing) Close(false);
      break;
    case WM_CLOSE:
      Close(true);
      return 0;
    case WM_ERASEBKGND: {
      // The button's row on the list's ground (dark in the dark).
      RECT client = {};
      GetClientRect(Hwnd(), &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, list.Paper());
      return 1;
    }
    case WM_GETMINMAXINFO: {
      auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
      limits->ptMinTrackSize = {ui::ScaledPixels(kLeastWidth, dpi), ui::ScaledPixels(kLeastHeight, dpi)};
      return 0;
    }
    default:
      break;
  }
  return ui::Window::OnMessage(message, wParam, lParam);
}

}  // namespace brisvane
