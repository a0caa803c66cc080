#include "FrameBars_win.h"

#include <cwchar>
#include <string>

#include "BrisvaneRes.h"
#include "FrameMessages.h"
#include "UiFont_win.h"
#include "ui/Dpi.h"
#include "ui/ScaledPicture.h"

namespace brisvane {

namespace {

// In pixels of a 96-dots-an-inch screen; scaled to the screen's resolution (ui::ScaledPixels).
constexpr int kWordBoxSlotWidth = 152;
constexpr int kModeBoxSlotWidth = 68;
constexpr int kScopeBoxSlotWidth = 68;
constexpr int kToolbarHeight = 30;
constexpr int kStatusCountWidth = 200;

}  // namespace

LRESULT ToolbarRelay::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == FM_WORDENTER) {
    PostMessageW(frame, FM_WORDENTER, wParam, lParam);
    return 0;
  }
  // The search mode box's and the scope box's choices go to the frame as their commands.
  if (message == WM_COMMAND && (LOWORD(wParam) == IDC_MODEBOX || LOWORD(wParam) == IDC_SCOPEBOX) &&
      HIWORD(wParam) == CBN_SELCHANGE) {
    LRESULT chosen = SendMessageW(reinterpret_cast<HWND>(lParam), CB_GETCURSEL, 0, 0);
    int first = LOWORD(wParam) == IDC_MODEBOX ? IDM_MODE_HEADWORD : IDM_SCOPE_BOOK;
    if (chosen >= 0) PostMessageW(frame, WM_COMMAND, MAKEWPARAM(first + chosen, 0), 0);
    return 0;
  }
  // A word chosen in the word box's open list (by the mouse; Enter in the open list already
  // searches what the list put in the box) is searched: posted, so the box shows it first.
  if (message == WM_COMMAND && LOWORD(wParam) == IDC_WORDBOX && HIWORD(wParam) == CBN_SELENDOK &&
      SendMessageW(reinterpret_cast<HWND>(lParam), CB_GETDROPPEDSTATE, 0, 0)) {
    PostMessageW(frame, FM_WORDENTER, 0, 0);
    return Default(message, wParam, lParam);
  }
  // The user's typing (not the program's own setting of the text) starts the as-you-type pause.
  if (message == WM_COMMAND && LOWORD(wParam) == IDC_WORDBOX && HIWORD(wParam) == CBN_EDITCHANGE) {
    PostMessageW(frame, FM_WORDTYPED, 0, 0);
    return Default(message, wParam, lParam);
  }
  if (dark) {
    switch (message) {
      case WM_ERASEBKGND: {
        RECT client = {};
        GetClientRect(Control(), &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, groundBrush.Get());
        return 1;
      }
      case WM_CTLCOLOREDIT:
      case WM_CTLCOLORLISTBOX:
      case WM_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, DarkBars().ink);
        SetBkColor(dc, DarkBars().field);
        return reinterpret_cast<LRESULT>(fieldBrush.Get());
      }
      default:
        break;
    }
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

void ToolbarRelay::SetDark(bool isDark) {
  dark = isDark;
  if (dark && !groundBrush) {
    groundBrush.Attach(CreateSolidBrush(DarkBars().ground));
    fieldBrush.Attach(CreateSolidBrush(DarkBars().field));
  }
}

void StatusPainter::SetDark(bool isDark) { dark = isDark; }

void StatusPainter::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(Control(), &paint);
  if (!dc) return;
  const DarkBars colours;
  RECT client = {};
  GetClientRect(Control(), &client);
  ui::UniqueBrush ground(CreateSolidBrush(colours.ground));
  FillRect(dc, &client, ground.Get());
  HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(Control(), WM_GETFONT, 0, 0)));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colours.ink);
  const int parts = static_cast<int>(SendMessageW(Control(), SB_GETPARTS, 0, 0));
  for (int i = 0; i < parts; ++i) {
    RECT part = {};
    SendMessageW(Control(), SB_GETRECT, i, reinterpret_cast<LPARAM>(&part));
    const int length = LOWORD(SendMessageW(Control(), SB_GETTEXTLENGTHW, i, 0));
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(Control(), SB_GETTEXTW, i, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(length));
    part.left += 4;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &part,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (i + 1 < parts) {
      RECT edge = {part.right - 1, part.top + 2, part.right, part.bottom - 2};
      FillRect(dc, &edge, reinterpret_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    }
  }
  SelectObject(dc, oldFont);
  EndPaint(Control(), &paint);
}

LRESULT StatusPainter::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (dark && message == WM_PAINT) {
    Paint();
    return 0;
  }
  if (dark && message == WM_ERASEBKGND) return 1;
  LRESULT result = Default(message, wParam, lParam);
  // A new text is painted at once by the bar itself: in the dark, the whole bar again.
  if (dark && message == SB_SETTEXTW) InvalidateRect(Control(), nullptr, TRUE);
  return result;
}

void FrameBars::SetDark(bool dark) {
  relay.SetDark(dark);
  statusPainter.SetDark(dark);
  darkPictures = dark;
  SetPictures();
  InvalidateRect(toolbar, nullptr, TRUE);
  InvalidateRect(statusBar, nullptr, TRUE);
  // The boxes on the toolbar take their colours when they paint again.
  for (HWND child = GetWindow(toolbar, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    InvalidateRect(child, nullptr, TRUE);
}

bool FrameBars::Create(HWND frame, int frameDpi) {
  dpi = frameDpi;
  font.Attach(CreateJapaneseUiFont(10, dpi));
  return CreateToolbar(frame) && CreateStatusBar(frame);
}

int FrameBars::Scaled(int designPixels) const { return ui::ScaledPixels(designPixels, dpi); }

bool FrameBars::CreateToolbar(HWND frame) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  toolbar = CreateWindowExW(0, TOOLBARCLASSNAMEW, L"",
                            WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS | TBSTYLE_FLAT | CCS_TOP | CCS_NODIVIDER |
                                CCS_NORESIZE,
                            0, 0, 0, Scaled(kToolbarHeight), frame, reinterpret_cast<HMENU>(ID_TOOLBAR), instance,
                            nullptr);
  if (!toolbar) return false;
  SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SetPictures();
  // Button 0 is the place of the word box and, right of it, the search mode and scope boxes: a
  // separator as wide as the three.
  TBBUTTON buttons[] = {
      {Scaled(kWordBoxSlotWidth + kModeBoxSlotWidth + kScopeBoxSlotWidth), IDM_WORDBOX_SLOT, TBSTATE_ENABLED, BTNS_SEP, {}, 0, 0},
      {0, IDM_SEARCH, TBSTATE_INDETERMINATE, BTNS_BUTTON, {}, 0, 0},
      {1, IDM_REFRESH, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
      {2, IDM_TOGGLE_LIST, TBSTATE_ENABLED, BTNS_CHECK, {}, 0, 0},
      {3, IDM_BOOK_MENU, TBSTATE_ENABLED | TBSTATE_HIDDEN, BTNS_BUTTON, {}, 0, 0},
      {4, IDM_PREVIOUS_LAYER, TBSTATE_INDETERMINATE, BTNS_BUTTON, {}, 0, 0},
      {6, IDM_ENTRY_PREVIOUS, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
      {7, IDM_ENTRY_NEXT, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
      {8, IDM_BOOKMARK_ADD, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
      {5, IDM_APP_ABOUT, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
  };
  SendMessageW(toolbar, TB_ADDBUTTONSW, sizeof buttons / sizeof buttons[0], reinterpret_cast<LPARAM>(buttons));
  relay.Attach(toolbar, frame);
  return true;
}

bool FrameBars::CreateStatusBar(HWND frame) {
  statusBar = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, frame,
                              reinterpret_cast<HMENU>(ID_STATUSBAR), GetModuleHandleW(nullptr), nullptr);
  if (!statusBar) return false;
  SendMessageW(statusBar, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
  int parts[2] = {100, -1};
  SendMessageW(statusBar, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
  statusPainter.Attach(statusBar);
  return true;
}

void FrameBars::SetPictures() {
  static const ui::ToolbarStrip kPictures[] = {{IDBM_TOOL_SEARCH, 1}, {IDBM_TOOL_REFRESH, 1}, {IDBM_TOOL_TOGGLE, 1},
                                               {IDBM_TOOL_MENU, 1},   {IDBM_TOOL_LAYER, 1},   {IDBM_TOOL_ABOUT, 1},
                                               {IDBM_TOOL_ENTRY_PREVIOUS, 1}, {IDBM_TOOL_ENTRY_NEXT, 1},
                                               {IDBM_TOOL_BOOKMARK, 1}};
  ui::SetToolbarPictures(toolbar, GetModuleHandleW(nullptr), kPictures, sizeof kPictures / sizeof kPictures[0], dpi,
                         &pictures, darkPictures);
}

void FrameBars::SetDpi(int newDpi) {
  dpi = newDpi;
  ui::UniqueFont next(CreateJapaneseUiFont(10, dpi));
  if (next) {
    SendMessageW(statusBar, WM_SETFONT, reinterpret_cast<WPARAM>(next.Get()), TRUE);
    font = std::move(next);
  }
  SetPictures();
  TBBUTTONINFOW slotInfo = {};
  slotInfo.cbSize = sizeof slotInfo;
  slotInfo.dwMask = TBIF_SIZE;
  slotInfo.cx = static_cast<WORD>(Scaled(kWordBoxSlotWidth + kModeBoxSlotWidth + kScopeBoxSlotWidth));
  SendMessageW(toolbar, TB_SETBUTTONINFOW, IDM_WORDBOX_SLOT, reinterpret_cast<LPARAM>(&slotInfo));
}

void FrameBars::Layout(int width, int height, int* top, int* bottom) {
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
  *top = bar.bottom - bar.top;
  *bottom = height - (status.bottom - status.top);
}

RECT FrameBars::WordBoxSlot() const {
  RECT slot = {};
  SendMessageW(toolbar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&slot));
  return slot;
}

RECT FrameBars::ModeBoxSlot() const {
  RECT slot = WordBoxSlot();
  slot.left += Scaled(kWordBoxSlotWidth);
  return slot;
}

RECT FrameBars::ScopeBoxSlot() const {
  RECT slot = ModeBoxSlot();
  slot.left += Scaled(kModeBoxSlotWidth);
  return slot;
}

void FrameBars::SetButtonState(int command, BYTE state) {
  SendMessageW(toolbar, TB_SETSTATE, command, MAKELPARAM(state, 0));
}

void FrameBars::CheckButton(int command, bool checked) {
  SendMessageW(toolbar, TB_CHECKBUTTON, command, MAKELPARAM(checked ? TRUE : FALSE, 0));
}

void FrameBars::SetStatusText(int pane, const wchar_t* text) {
  // Painted with the window's next paint: the bar would paint the pane at once, under Wine a
  // millisecond a text, several times in a search.
  SendMessageW(statusBar, WM_SETREDRAW, FALSE, 0);
  SendMessageW(statusBar, SB_SETTEXTW, pane, reinterpret_cast<LPARAM>(text));
  SendMessageW(statusBar, WM_SETREDRAW, TRUE, 0);
  RECT part = {};
  if (SendMessageW(statusBar, SB_GETRECT, pane, reinterpret_cast<LPARAM>(&part))) InvalidateRect(statusBar, &part, FALSE);
}

void FrameBars::ShowPromptFor(int command) {
  wchar_t prompt[128] = L"";
  if (LoadStringW(GetModuleHandleW(nullptr), static_cast<UINT>(command), prompt, 128) == 0) return;
  if (wchar_t* nl = wcschr(prompt, L'\n')) *nl = L'\0';
  SetStatusText(0, prompt);
}

void FrameBars::OnMenuSelect(WPARAM wParam, LPARAM lParam) {
  if (!(HIWORD(wParam) & MF_POPUP) && HIWORD(wParam) != 0xFFFF) ShowPromptFor(LOWORD(wParam));
  else if (HIWORD(wParam) == 0xFFFF && lParam == 0) SetStatusText(0, L" ");
}

bool FrameBars::OnNotify(const NMHDR& header) {
  if (header.code == TTN_GETDISPINFOW) {
    // Tooltips: the part of the command's prompt after the line break.
    auto& info = const_cast<NMTTDISPINFOW&>(reinterpret_cast<const NMTTDISPINFOW&>(header));
    static wchar_t tip[128];
    tip[0] = L'\0';
    LoadStringW(GetModuleHandleW(nullptr), static_cast<UINT>(header.idFrom), tip, 128);
    const wchar_t* nl = wcschr(tip, L'\n');
    info.lpszText = const_cast<wchar_t*>(nl ? nl + 1 : tip);
    return true;
  }
  if (header.code == TBN_HOTITEMCHANGE && header.hwndFrom == toolbar) {
    // Flyby: while the pointer is over a button, pane 0 shows the command's prompt.
    const auto& hot = reinterpret_cast<const NMTBHOTITEM&>(header);
    if ((hot.dwFlags & HICF_LEAVING) || hot.idNew == IDM_WORDBOX_SLOT) SetStatusText(0, L" ");
    else ShowPromptFor(hot.idNew);
    return true;
  }
  return false;
}

}  // namespace brisvane
