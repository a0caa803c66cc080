#include "MainFrame_win.h"

#include <commctrl.h>

#include "AppFlags_win.h"
#include "BrisvaneRes.h"
#include "FrameMessages.h"
#include "FrameSizing_win.h"
#include "Settings_win.h"
#include "TextSize.h"
#include "UiFont_win.h"
#include "ui/Dpi.h"
#include "ui/ScaledPicture.h"

namespace brisvane {

const wchar_t kFrameClassName[] = L"TrevikBrisvane";

namespace {

// In pixels of a 96-dots-an-inch screen; scaled to the screen's resolution (ui::ScaledPixels).
constexpr int kWordBoxSlotWidth = 152;
constexpr int kToolbarHeight = 30;
constexpr int kStatusCountWidth = 200;

}  // namespace

LRESULT ToolbarRelay::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == FM_WORDENTER) {
    PostMessageW(frame, FM_WORDENTER, wParam, lParam);
    return 0;
  }
  if (message == WM_SETFOCUS) {
    HWND box = GetDlgItem(Control(), IDC_WORDBOX);
    if (box) {
      SetFocus(box);
      return 0;
    }
  }
  return Default(message, wParam, lParam);
}

MainFrame::MainFrame() { AddCommands(); }

bool MainFrame::Create(HINSTANCE instance) {
  // The class carries the name by which a second start (and the host's plug-in) finds us.
  WNDCLASSEXW existing = {};
  existing.cbSize = sizeof existing;
  if (!RegisterClassOnce(instance, kFrameClassName, CS_DBLCLKS, LoadCursorW(nullptr, IDC_ARROW),
                         reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)))
    return false;
  HICON icon = LoadIconW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME));
  HMENU menu = LoadMenuW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME));
  wchar_t title[64] = L"DUDAZA Zorari";
  LoadStringW(instance, IDS_APP_TITLE, title, 64);
  if (!ui::Window::Create(instance, kFrameClassName, title, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, menu))
    return false;
  SendMessageW(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  SendMessageW(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  SetClassLongPtrW(Hwnd(), GCLP_HICON, reinterpret_cast<LONG_PTR>(icon));
  return true;
}

ui::Handled MainFrame::OnCreate(const CREATESTRUCTW&) {
  dpi = ui::WindowDpi(Hwnd());
  uiFont.Attach(CreateJapaneseUiFont(10, dpi));
  if (!CreateToolbar() || !CreateStatusBar() || !CreatePanes()) return ui::Done(-1);
  bookOpen = false;
  screenToggled = false;
  layerStack.clear();
  bookPath.clear();
  ResetPanes();
  uint32_t stored = 0;
  if (exchange::ReadNumberSetting(L"view", L"TextSize", &stored) && StoredTextSize(stored) != kNormalTextSize)
    SetTextSize(StoredTextSize(stored), false);
  exchange = exchange::ExchangeMessages::Register();
  return ui::Done(0);
}

int MainFrame::Scaled(int designPixels) const { return ui::ScaledPixels(designPixels, dpi); }

bool MainFrame::CreateToolbar() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  toolbar = CreateWindowExW(0, TOOLBARCLASSNAMEW, L"",
                            WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS | TBSTYLE_FLAT | CCS_TOP | CCS_NODIVIDER |
                                CCS_NORESIZE,
                            0, 0, 0, Scaled(kToolbarHeight), Hwnd(), reinterpret_cast<HMENU>(ID_TOOLBAR),
                            instance, nullptr);
  if (!toolbar) return false;
  SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SetToolbarPictures();
  // Button 0 is the word box's place: a separator as wide as the box.
  TBBUTTON buttons[] = {
      {Scaled(kWordBoxSlotWidth), IDM_WORDBOX_SLOT, TBSTATE_ENABLED, BTNS_SEP, {}, 0, 0},
      {0, IDM_SEARCH, TBSTATE_INDETERMINATE, BTNS_BUTTON, {}, 0, 0},
      {1, IDM_REFRESH, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
      {2, IDM_TOGGLE_LIST, TBSTATE_ENABLED, BTNS_CHECK, {}, 0, 0},
      {3, IDM_BOOK_MENU, TBSTATE_ENABLED | TBSTATE_HIDDEN, BTNS_BUTTON, {}, 0, 0},
      {4, IDM_PREVIOUS_LAYER, TBSTATE_INDETERMINATE, BTNS_BUTTON, {}, 0, 0},
      {5, IDM_APP_ABOUT, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
  };
  SendMessageW(toolbar, TB_ADDBUTTONSW, sizeof buttons / sizeof buttons[0], reinterpret_cast<LPARAM>(buttons));
  toolbarRelay.Attach(toolbar, Hwnd());
  RECT slot = {};
  SendMessageW(toolbar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&slot));
  // The word box sits over the toolbar's first button.
  if (!search.CreateWordBox(toolbar, slot.left, slot.top, Hwnd())) return false;
  wordBox = search.WordBoxWindow();
  return wordBox != nullptr;
}

void MainFrame::SetToolbarPictures() {
  static const ui::ToolbarStrip kPictures[] = {{IDBM_TOOL_SEARCH, 1}, {IDBM_TOOL_REFRESH, 1}, {IDBM_TOOL_TOGGLE, 1},
                                               {IDBM_TOOL_MENU, 1},   {IDBM_TOOL_LAYER, 1},   {IDBM_TOOL_ABOUT, 1}};
  ui::SetToolbarPictures(toolbar, GetModuleHandleW(nullptr), kPictures, sizeof kPictures / sizeof kPictures[0], dpi,
                         &toolbarPictures);
}

void MainFrame::OnDpiChanged(int newDpi, const RECT& suggested) {
  if (newDpi <= 0) return;
  dpi = newDpi;
  ui::UniqueFont font(CreateJapaneseUiFont(10, dpi));
  if (font) {
    SendMessageW(statusBar, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
    uiFont = std::move(font);
  }
  SetToolbarPictures();
  TBBUTTONINFOW slotInfo = {};
  slotInfo.cbSize = sizeof slotInfo;
  slotInfo.dwMask = TBIF_SIZE;
  slotInfo.cx = static_cast<WORD>(Scaled(kWordBoxSlotWidth));
  SendMessageW(toolbar, TB_SETBUTTONINFOW, IDM_WORDBOX_SLOT, reinterpret_cast<LPARAM>(&slotInfo));
  search.SetDpi(dpi);
  RECT slot = {};
  SendMessageW(toolbar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&slot));
  SetWindowPos(wordBox, nullptr, slot.left, slot.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  splitter.SetDpi(dpi);
  if (!screenToggled) {
    splitter.SetColumnInfo(0, Scaled(kListColumnWidth), 1);
    splitter.SetColumnInfo(1, Scaled(kContentColumnWidth), Scaled(kContentColumnMinimum));
  }
  // Where the system suggests, at the new size; the panes follow in WM_SIZE.
  SetWindowPos(Hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  RECT client = {};
  GetClientRect(Hwnd(), &client);
  OnSize(SIZE_RESTORED, client.right, client.bottom);
  splitter.RecalcLayout();
  InvalidateRect(Hwnd(), nullptr, TRUE);
}

bool MainFrame::CreateStatusBar() {
  statusBar = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, Hwnd(),
                              reinterpret_cast<HMENU>(ID_STATUSBAR), GetModuleHandleW(nullptr), nullptr);
  if (!statusBar) return false;
  SendMessageW(statusBar, WM_SETFONT, reinterpret_cast<WPARAM>(uiFont.Get()), TRUE);
  int parts[2] = {100, -1};
  SendMessageW(statusBar, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
  return true;
}

bool MainFrame::CreatePanes() {
  if (!splitter.Create(Hwnd(), ID_SPLITTER)) return false;
  RECT client;
  GetClientRect(Hwnd(), &client);
  initialWidths[0] = client.right / 3;
  initialWidths[1] = client.right - client.right / 3;
  initialHeight = client.bottom;
  if (!listView.Create(splitter.Hwnd(), Hwnd(), search, book) || !contentView.Create(splitter.Hwnd(), Hwnd()))
    return false;
  splitter.SetPanes(listView.Hwnd(), contentView.Hwnd());
  splitter.SetColumnInfo(0, Scaled(kListColumnWidth), 1);
  splitter.SetColumnInfo(1, Scaled(kContentColumnWidth), Scaled(kContentColumnMinimum));
  return true;
}

ui::Handled MainFrame::OnSize(UINT kind, int width, int height) {
  if (!toolbar || !statusBar) return ui::NotHandled();
  // The bar keeps its height of 30 pixels at 96 dots an inch (it does not size itself:
  // CCS_NORESIZE).
  MoveWindow(toolbar, 0, 0, width, Scaled(kToolbarHeight), TRUE);
  SendMessageW(statusBar, WM_SIZE, 0, 0);
  const int countWidth = Scaled(kStatusCountWidth);
  int parts[2] = {width > countWidth ? width - countWidth : 0, -1};
  SendMessageW(statusBar, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
  RECT bar, status;
  GetWindowRect(toolbar, &bar);
  GetWindowRect(statusBar, &status);
  int top = bar.bottom - bar.top;
  int bottom = height - (status.bottom - status.top);
  MoveWindow(splitter.Hwnd(), 0, top, width, bottom > top ? bottom - top : 0, TRUE);
  return ui::Done(0);
}

void MainFrame::OnClose() {
  if (gFlags.exitOnClose) {
    DestroyWindow(Hwnd());
    return;
  }
  // Started by another program: stay resident, hidden, until it asks for us again.
  HideByUser();
}

ui::Handled MainFrame::OnDestroy() {
  if (bookOpen) CloseBook();
  dunmoor.Unload();
  // The book in use is remembered for the next start. Without one (the disc was not in the
  // drive), the book remembered before stays remembered: the disc may be back next time.
  if (!bookPath.empty()) {
    exchange::WriteSetting(L"Curpath", L"Curpath", bookPath);
    exchange::WriteNumberSetting(L"Curpath", L"Curbook", static_cast<uint32_t>(bookIndex));
  }
  PostQuitMessage(0);
  return ui::Done(0);
}

void MainFrame::SetToolbarState(int command, BYTE state) {
  SendMessageW(toolbar, TB_SETSTATE, command, MAKELPARAM(state, 0));
}

void MainFrame::SetStatusText(int pane, const wchar_t* text) {
  SendMessageW(statusBar, SB_SETTEXTW, pane, reinterpret_cast<LPARAM>(text));
}

bool& MainFrame::ModalBusy() { return gFlags.modalBusy; }
bool& MainFrame::FocusWordBoxOnActivate() { return gFlags.focusWordBoxOnActivate; }

void MainFrame::ShowModalMessage(const wchar_t* text) {
  gFlags.modalBusy = true;
  MessageBoxW(Hwnd(), text, L"DUDAZA Zorari", MB_OK);
  gFlags.modalBusy = false;
}

ui::Handled MainFrame::OnCommand(int id, int code, HWND control) {
  if (control && control == wordBox) return ui::NotHandled();  // the word box's notifications
  // Like a greyed menu item, a disabled command's accelerator does nothing.
  if (!IsCommandEnabled(id)) return ui::Done(0);
  return commands.Dispatch(id, code, control) ? ui::Done(0) : ui::NotHandled();
}

ui::Handled MainFrame::OnNotify(const NMHDR& header) {
  if (header.code == TTN_GETDISPINFOW) {
    // Tooltips: the part of the command's prompt after the line break.
    auto& info = const_cast<NMTTDISPINFOW&>(reinterpret_cast<const NMTTDISPINFOW&>(header));
    static wchar_t tip[128];
    tip[0] = L'\0';
    LoadStringW(GetModuleHandleW(nullptr), static_cast<UINT>(header.idFrom), tip, 128);
    const wchar_t* nl = wcschr(tip, L'\n');
    info.lpszText = const_cast<wchar_t*>(nl ? nl + 1 : tip);
    return ui::Done(0);
  }
  if (header.code == TBN_HOTITEMCHANGE && header.hwndFrom == toolbar) {
    // Flyby: while the pointer is over a button, pane 0 shows the command's prompt.
    const auto& hot = reinterpret_cast<const NMTBHOTITEM&>(header);
    if ((hot.dwFlags & HICF_LEAVING) || hot.idNew == IDM_WORDBOX_SLOT) SetStatusText(0, L" ");
    else ShowPromptFor(hot.idNew);
    return ui::Done(0);
  }
  return ui::NotHandled();
}

LRESULT MainFrame::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (OnExchangeMessage(message, wParam)) return 0;
  switch (message) {
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_SIZING:
      KeepMinimumSize(wParam, reinterpret_cast<RECT*>(lParam), dpi);
      break;
    case WM_INITMENUPOPUP:
      UpdateMenu(reinterpret_cast<HMENU>(wParam));
      return 0;
    case WM_MENUSELECT:
      if (!(HIWORD(wParam) & MF_POPUP) && HIWORD(wParam) != 0xFFFF) ShowPromptFor(LOWORD(wParam));
      else if (HIWORD(wParam) == 0xFFFF && lParam == 0) SetStatusText(0, L" ");
      return 0;
    case WM_SETFOCUS:
      if (wordBox) SetFocus(wordBox);
      return 0;
    case WM_DPICHANGED: {
      RECT where = {};
      GetWindowRect(Hwnd(), &where);
      if (lParam) where = *reinterpret_cast<const RECT*>(lParam);  // the system's suggestion
      OnDpiChanged(LOWORD(wParam), where);
      return 0;
    }
    case WM_MOUSEWHEEL:
      // Ctrl + the wheel over the view (whose windows hand the wheel on): the text size.
      if (GET_KEYSTATE_WPARAM(wParam) & MK_CONTROL) {
        int delta = GET_WHEEL_DELTA_WPARAM(wParam);
        if (delta != 0) SetTextSize(delta > 0 ? LargerTextSize(textSize) : SmallerTextSize(textSize), true);
        return 0;
      }
      break;
    case FM_OPENBOOK:
      OnOpenBook();
      return 0;
    case FM_SHOWITEM:
      ShowItem(static_cast<int>(wParam));
      return 0;
    case VM_VIEW_TAB:
      MoveFocus(wParam);
      return 1;
    case VM_VIEW_HISTORY:
      PushLayer(static_cast<int32_t>(lParam));
      return 1;
    case VM_VIEW_FAILED:
      ReportReadError();
      return 0;
    case FM_SEARCHSTART: {
      wchar_t text[64] = L"";
      LoadStringW(GetModuleHandleW(nullptr), IDS_SEARCHING, text, 64);
      SetStatusText(0, text);
      UpdateWindow(statusBar);
      return 0;
    }
    case FM_SEARCH:
      search.RunSearch(*this);
      return 0;
    case VM_VIEW_SEARCHMARK:
      ContinuousSearch();
      return 0;
    case FM_ISBOOKOPEN:
      return bookOpen ? 1 : 0;
    case FM_WORDENTER:
      SearchCommand();
      return 0;
    case FM_HOSTWORD:
      return OnHostWord();
    default:
      break;
  }
  return ui::Window::OnMessage(message, wParam, lParam);
}

}  // namespace brisvane
