#include "MainFrame_win.h"

#include <commctrl.h>

#include <cstring>

#include "AppState_win.h"
#include "BrisvaneRes.h"
#include "FrameMessages.h"
#include "FrameSizing_win.h"
#include "HelpCommands_win.h"
#include "HostExchange.h"
#include "HotKeyDialog_win.h"
#include "SettingsFile_win.h"
#include "ui/DarkLook.h"
#include "ui/Dpi.h"
#include "ui/ResourceText.h"
#include "ui/ShiftJisText.h"

namespace brisvane {

namespace {

constexpr int kMarkCapacity = 51;

}  // namespace

MainFrame::MainFrame(AppState& app) : app(app) { AddCommands(); }

bool MainFrame::Create(HINSTANCE instance) {
  // The class carries the name by which a second start (and the host's plug-in) finds us.
  if (!RegisterClassOnce(instance, hostexchange::kViewerClass, CS_DBLCLKS, LoadCursorW(nullptr, IDC_ARROW),
                         reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)))
    return false;
  HICON icon = LoadIconW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME));
  HMENU menu = LoadMenuW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME));
  wchar_t title[64] = L"DUDAZA Zorari";
  LoadStringW(instance, IDS_APP_TITLE, title, 64);
  if (!ui::Window::Create(instance, hostexchange::kViewerClass, title, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, menu))
    return false;
  SendMessageW(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  SendMessageW(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  SetClassLongPtrW(Hwnd(), GCLP_HICON, reinterpret_cast<LONG_PTR>(icon));
  return true;
}

ui::Handled MainFrame::OnCreate(const CREATESTRUCTW&) {
  dpi = ui::WindowDpi(Hwnd());
  book.SetFrame(Hwnd());
  if (!bars.Create(Hwnd(), dpi)) return ui::Done(-1);
  if (!panes.Create(Hwnd(), app, search.List(), dpi)) return ui::Done(-1);
  if (!search.Create(Hwnd(), panes.Content(), dpi)) return ui::Done(-1);
  ResetPanes();
  textSize.Restore();
  extent.Restore();
  theme.Restore();
  ApplyTheme();
  host.Attach(Hwnd(), panes.ContentPane());
  // A portable viewer whose Brisvane.ini cannot be written keeps its settings in the registry.
  if (exchange::PortableFileRefused())
    bars.SetStatusText(0, L"Brisvane.ini に書き込めないため、設定はレジストリに保存します");
  if (!outside.Start(Hwnd()))
    bars.SetStatusText(0, OutsideLookup::TakenText(IDS_HOTKEY_TAKEN_AT_START, outside.WantedHotKey()).c_str());
  return ui::Done(0);
}

void MainFrame::AddCommands() {
  commands.Add(IDM_REFRESH, [this](int, HWND) { book.Refresh(); });
  commands.Add(IDM_TOGGLE_LIST, [this](int, HWND) { ToggleList(); });
  commands.Add(IDM_PREVIOUS_LAYER, [this](int, HWND) { PreviousLayer(); }, [this] { return !layers.Empty(); });
  // In the book's text order, a beep at either end. In the word box Alt+Down opens its history
  // and Alt+Up closes it, as in a combo box.
  for (const bool after : {false, true}) {
    commands.Add(after ? IDM_ENTRY_NEXT : IDM_ENTRY_PREVIOUS, [this, after](int, HWND) {
      if (FocusInWordBox()) {
        SendMessageW(search.WordBoxWindow(), CB_SHOWDROPDOWN, after ? TRUE : FALSE, 0);
      } else if (!ContentHasText() || !panes.Content().StepEntry(after)) {
        MessageBeep(MB_OK);
      }
    });
  }
  commands.Add(IDM_COPY, [this](int, HWND) { Copy(); }, [this] {
    DWORD start = 0, end = 0;
    if (HWND box = search.WordBoxWindow())
      SendMessageW(box, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    // With nothing marked, the entry shown is copied.
    return start != end || panes.Content().Api().IsMarkValid() || ContentHasText();
  });
  commands.Add(IDM_SELECT_ALL, [this](int, HWND) { SelectAll(); });
  wordList.AddCommands(commands, *this);
  bookmarks.AddCommands(commands, *this);
  printing.AddCommands(commands, *this);
  commands.Add(IDM_FOCUS_WORDBOX, [this](int, HWND) { MoveFocus(2); });
  commands.Add(IDM_CONTINUOUS_SEARCH, [this](int, HWND) { ContinuousSearch(); },
               [this] { return panes.Content().Api().IsMarkValid(); });
  // A book without a menu: greyed.
  commands.Add(IDM_BOOK_MENU, [this](int, HWND) { ShowBookMenu(); },
               [this] { return book.IsOpen() && book.Api().GetMenuHead() >= 0; });
  commands.Add(IDM_APP_ABOUT, [this](int, HWND) { ShowAbout(Hwnd()); });
  commands.Add(IDM_NEXT_PANE, [this](int, HWND) { MoveFocus(GetFocus() == search.ResultListWindow() ? 1 : 0); });
  commands.Add(IDM_PREVIOUS_PANE, [this](int, HWND) { MoveFocus(GetFocus() == search.ResultListWindow() ? 1 : 0); });
  // Next layer and last layer (F4) have a prompt but no action.
  commands.Add(IDM_NEXT_LAYER, [](int, HWND) {});
  commands.Add(IDM_LAST_LAYER, [](int, HWND) {});
  commands.Add(IDM_HELP, [this](int, HWND) { ShowHelp(Hwnd(), app); });
  commands.Add(IDM_TITLE_SELECT, [this](int, HWND) { book.SelectTitle(); });
  commands.Add(IDM_TEXT_LARGER, [this](int, HWND) { textSize.Larger(); });
  commands.Add(IDM_TEXT_SMALLER, [this](int, HWND) { textSize.Smaller(); });
  commands.Add(IDM_TEXT_NORMAL, [this](int, HWND) { textSize.Normal(); });
  for (ThemeSetting each : {ThemeSetting::kAsWindows, ThemeSetting::kLight, ThemeSetting::kDark}) {
    commands.Add(IDM_THEME_WINDOWS + static_cast<int>(each), [this, each](int, HWND) {
      theme.Choose(each);
      ApplyTheme();
    });
  }
  search.AddCommands(commands);
  outside.AddCommands(commands);
  extent.AddCommands(commands);
  commands.Add(IDM_HOTKEY_EDIT, [this](int, HWND) {
    HotKeyDialog dialog(app, outside);
    dialog.Run(Hwnd());
  });
}

void MainFrame::OnDpiChanged(int newDpi, const RECT* suggestion) {
  if (newDpi <= 0) return;
  RECT suggested = {};
  GetWindowRect(Hwnd(), &suggested);
  if (suggestion) suggested = *suggestion;
  dpi = newDpi;
  bars.SetDpi(dpi);
  search.SetDpi(dpi);
  panes.SetDpi(dpi);
  // Where the system suggests, at the new size; the panes follow in WM_SIZE.
  SetWindowPos(Hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  RECT client = {};
  GetClientRect(Hwnd(), &client);
  OnSize(SIZE_RESTORED, client.right, client.bottom);
  panes.RecalcLayout();
  InvalidateRect(Hwnd(), nullptr, TRUE);
}

ui::Handled MainFrame::OnSize(UINT, int width, int height) {
  if (!bars.Toolbar() || !bars.StatusBar()) return ui::NotHandled();
  int top = 0, bottom = 0;
  bars.Layout(width, height, &top, &bottom);
  panes.Place(width, top, bottom);
  return ui::Done(0);
}

void MainFrame::OnClose() {
  if (app.ExitOnClose()) {
    DestroyWindow(Hwnd());
    return;
  }
  // Started by another program: stay resident, hidden, until it asks for us again.
  host.HideByUser();
}

ui::Handled MainFrame::OnDestroy() {
  outside.Stop();
  search.End();
  book.End();
  PostQuitMessage(0);
  return ui::Done(0);
}

ui::Handled MainFrame::OnCommand(int id, int code, HWND control) {
  if (control && control == search.WordBoxWindow()) return ui::NotHandled();  // the word box's notifications
  // Like a greyed menu item, a disabled command's accelerator does nothing.
  if (!commands.IsEnabled(id)) {
    search.Refused(id);
    return ui::Done(0);
  }
  return commands.Dispatch(id, code, control) ? ui::Done(0) : ui::NotHandled();
}

ui::Handled MainFrame::OnNotify(const NMHDR& header) {
  return bars.OnNotify(header) ? ui::Done(0) : ui::NotHandled();
}

void MainFrame::UpdateMenu(HMENU menu) {
  int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    UINT id = GetMenuItemID(menu, i);
    if (id == static_cast<UINT>(-1)) continue;
    EnableMenuItem(menu, id, MF_BYCOMMAND | (commands.IsEnabled(static_cast<int>(id)) ? MF_ENABLED : MF_GRAYED));
  }
  search.UpdateMenu(menu);
  outside.UpdateMenu(menu);
  extent.UpdateMenu(menu);
  if (GetMenuState(menu, IDM_THEME_WINDOWS, MF_BYCOMMAND) != static_cast<UINT>(-1))
    CheckMenuRadioItem(menu, IDM_THEME_WINDOWS, IDM_THEME_DARK, IDM_THEME_WINDOWS + static_cast<int>(theme.Setting()),
                       MF_BYCOMMAND);
  CheckMenuItem(menu, IDM_TOGGLE_LIST, MF_BYCOMMAND | (panes.ListToggled() ? MF_CHECKED : MF_UNCHECKED));
}

void MainFrame::ResetPanes() {
  // The list, the word box (its history stays) and the last word belong to the search.
  search.Reset();
  panes.Content().Api().SetContentBlank();
  layers.Clear();
  bars.SetStatusText(1, L" ");
}

void MainFrame::LookUp(const std::wstring& word) { search.LookUp(word); }

void MainFrame::ToggleList() {
  RECT client;
  GetClientRect(Hwnd(), &client);
  bars.CheckButton(IDM_TOGGLE_LIST, panes.ToggleList(client.right));
}

void MainFrame::PreviousLayer() {
  int32_t position = 0;
  BookPlace place;
  if (!layers.Pop(&position, &place)) return;
  // A layer of another book is read from its own book.
  if (!book.OpenPlace(place)) return;
  SendMessageW(panes.ContentPane(), VM_VIEW_SHOWAT, 0, static_cast<LPARAM>(position));
}

void MainFrame::ShowBookMenu() {
  if (!book.IsOpen()) return;  // nothing to ask without a book
  int32_t head = book.Api().GetMenuHead();
  if (head == -2) return;
  ResetPanes();
  SendMessageW(panes.ContentPane(), VM_VIEW_SHOWAT, 0, static_cast<LPARAM>(head));
}

bool MainFrame::FocusInWordBox() {
  HWND wordBox = search.WordBoxWindow();
  HWND focus = GetFocus();
  return focus && (focus == wordBox || IsChild(wordBox, focus));
}

bool MainFrame::ContentHasText() {
  HWND content = panes.Content().ContentWindow();
  return content && SendMessageW(content, VM_VIEW_MARKALL, 2, 0) == 1;
}

void MainFrame::SelectAll() {
  if (FocusInWordBox()) {
    SendMessageW(search.WordBoxEdit(), EM_SETSEL, 0, -1);
    return;
  }
  if (HWND content = panes.Content().ContentWindow()) SendMessageW(content, VM_VIEW_MARKALL, 0, 0);
}

void MainFrame::Copy() {
  HWND wordBox = search.WordBoxWindow();
  if (!FocusInWordBox()) {
    if (panes.Content().Api().IsMarkValid()) {
      panes.Content().Api().CopyToClipBoard();
    } else if (HWND content = panes.Content().ContentWindow()) {
      SendMessageW(content, VM_VIEW_MARKALL, 1, 0);  // nothing marked: the entry shown
    }
    return;
  }
  // The word box copies its edit selection; with none, the request goes to the content pane,
  // which does not act on it.
  DWORD start = 0, end = 0;
  SendMessageW(wordBox, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  if (start != end) SendMessageW(search.WordBoxEdit(), WM_COPY, 0, 0);
  else PostMessageW(panes.ContentPane(), WB_COPY, 0, 0);
}

void MainFrame::ContinuousSearch() {
  char mark[kMarkCapacity] = {};
  panes.Content().Api().GetMarkCont(mark, kMarkCapacity);
  if (mark[0] == '\0') return;
  if (char* cr = std::strchr(mark, '\r')) *cr = '\0';
  // The mark is Shift-JIS text, as the view shows it.
  wchar_t word[kMarkCapacity] = {};
  MultiByteToWideChar(ui::kShiftJisCodePage, 0, mark, -1, word, kMarkCapacity);
  if (search.Word() == word) return;
  LookUp(word);
}

void MainFrame::ApplyTheme() {
  const bool dark = theme.Dark();
  // Everything starts light: a light start, or a choice that changes nothing, costs nothing.
  if (dark == darkApplied) return;
  darkApplied = dark;
  ui::SetDarkLook(dark);
  menuBarLook.Apply(Hwnd(), dark);
  search.SetDark(dark);
  bars.SetDark(dark);
  if (HWND content = panes.Content().ContentWindow()) SendMessageW(content, VM_VIEW_PALETTE, dark ? 1 : 0, 0);
  ui::DarkTitleBar(Hwnd(), dark);
}

void MainFrame::MoveFocus(WPARAM target) {
  HWND content = panes.Content().ContentWindow();
  if (target == 0) SetFocus(search.ResultListWindow());
  else if (target == 1) SetFocus(content ? content : panes.ContentPane());
  else SetFocus(bars.Toolbar());
}

LRESULT MainFrame::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (host.OnMessage(message, wParam)) return 0;
  LRESULT result = 0;
  if (search.OnMessage(message, wParam, lParam, &result) || outside.OnMessage(message, wParam, lParam, &result) ||
      menuBarLook.OnMessage(message, wParam, lParam, &result))
    return result;
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
      bars.OnMenuSelect(wParam, lParam);
      return 0;
    case WM_ACTIVATE:
      // Left for another program and come back to, the frame gives the focus back to the window
      // that had it (the list, the entry), as the system's dialogs do; the first time, and when
      // that window is gone or lent to the pop-up, to the word box.
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        focusBeforeLeaving = focus && IsChild(Hwnd(), focus) ? focus : nullptr;
      } else if (!HIWORD(wParam) && focusBeforeLeaving && IsWindow(focusBeforeLeaving) &&
                 IsChild(Hwnd(), focusBeforeLeaving) && IsWindowVisible(focusBeforeLeaving)) {
        SetFocus(focusBeforeLeaving);
        return 0;
      }
      break;
    case WM_SETFOCUS:
      if (HWND box = search.WordBoxWindow()) SetFocus(box);
      return 0;
    case WM_DPICHANGED:
      OnDpiChanged(LOWORD(wParam), reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_MOUSEWHEEL:
      if (textSize.OnMouseWheel(wParam)) return 0;
      break;
    case WM_SETTINGCHANGE:
      if (ThemeChoice::ConcernsTheme(lParam)) ApplyTheme();
      break;
    case FM_OPENBOOK:
      book.BindAndOpen();
      return 0;
    case FM_ISBOOKOPEN:
      return book.IsOpen() ? 1 : 0;
    case FM_HOSTWORD:
      return host.OnHostWord();
    case VM_VIEW_TAB:
      MoveFocus(wParam);
      return 1;
    case VM_VIEW_TYPED:
      // The first character typed in the list or the entry begins a new word in the box; the
      // ones after it (already on their way there) follow it.
      if (!FocusInWordBox()) {
        MoveFocus(2);
        SendMessageW(search.WordBoxEdit(), EM_SETSEL, 0, -1);
      }
      SendMessageW(search.WordBoxEdit(), WM_CHAR, wParam, 0);
      return 1;
    case VM_VIEW_HISTORY:
      layers.Push(static_cast<int32_t>(lParam), book.Place());
      return 1;
    case VM_VIEW_FAILED:
      book.ReportReadError();
      return 0;
    case VM_VIEW_SEARCHMARK:
      ContinuousSearch();
      return 0;
    case VM_VIEW_LOOKUP:
      popup.LookUpInEntry(reinterpret_cast<const char*>(lParam), Hwnd());
      return 0;
    case VM_VIEW_SOUND:
      bars.SetStatusText(0, ui::LoadText(wParam ? IDS_SOUND_PLAYING : IDS_SOUND_NO_DEVICE).c_str());
      return 0;
    default:
      break;
  }
  return ui::Window::OnMessage(message, wParam, lParam);
}

}  // namespace brisvane
