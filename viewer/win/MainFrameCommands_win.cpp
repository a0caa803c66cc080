// The main frame's commands (menu, accelerators, toolbar), their enabling rules, and the
// layers of references followed.

#include <windows.h>

#include <shellapi.h>

#include <cstring>

#include "AppFlags_win.h"
#include "BrisvaneRes.h"
#include "FrameMessages.h"
#include "MainFrame_win.h"
#include "Settings_win.h"
#include "TextSize.h"
#include "UiFont_win.h"
#include "ui/Dialog.h"
#include "ui/Dpi.h"
#include "ui/ShiftJisText.h"

namespace brisvane {

namespace {

constexpr int kMarkCapacity = 51;

class AboutDialog : public ui::Dialog {
 public:
  void Run(HWND owner) { RunModal(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ABOUT), owner); }

 protected:
  INT_PTR OnInitDialog() override {
    UseJapaneseUiFont(Hwnd(), 9, &font);
    return TRUE;
  }
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM) override {
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
      EndDialog(Hwnd(), LOWORD(wParam));
      return TRUE;
    }
    return FALSE;
  }

 private:
  ui::UniqueFont font;
};

}  // namespace

void MainFrame::AddCommands() {
  commands.Add(IDM_REFRESH, [this](int, HWND) { Refresh(); });
  commands.Add(IDM_TOGGLE_LIST, [this](int, HWND) { ToggleListWidth(); });
  commands.Add(IDM_PREVIOUS_LAYER, [this](int, HWND) { PreviousLayer(); }, [this] { return !layerStack.empty(); });
  commands.Add(IDM_COPY, [this](int, HWND) { Copy(); }, [this] {
    DWORD start = 0, end = 0;
    if (wordBox) SendMessageW(wordBox, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return start != end || contentView.Api().IsMarkValid();
  });
  commands.Add(IDM_CONTINUOUS_SEARCH, [this](int, HWND) { ContinuousSearch(); },
               [this] { return contentView.Api().IsMarkValid(); });
  // Search stays enabled: greyed on the toolbar while no book is open; the command itself reports.
  commands.Add(IDM_SEARCH, [this](int, HWND) { SearchCommand(); });
  // A book without a menu: greyed.
  commands.Add(IDM_BOOK_MENU, [this](int, HWND) { ShowBookMenu(); },
               [this] { return bookOpen && book.GetMenuHead() >= 0; });
  commands.Add(IDM_APP_ABOUT, [this](int, HWND) { ShowAbout(); });
  commands.Add(IDM_NEXT_PANE, [this](int, HWND) { MoveFocus(GetFocus() == ResultList() ? 1 : 0); });
  commands.Add(IDM_PREVIOUS_PANE, [this](int, HWND) { MoveFocus(GetFocus() == ResultList() ? 1 : 0); });
  // Next layer and last layer (F4) have a prompt but no action.
  commands.Add(IDM_NEXT_LAYER, [](int, HWND) {});
  commands.Add(IDM_LAST_LAYER, [](int, HWND) {});
  commands.Add(IDM_HELP, [this](int, HWND) { ShowHelp(); });
  commands.Add(IDM_TITLE_SELECT, [this](int, HWND) { SelectTitle(); });
  commands.Add(IDM_TEXT_LARGER, [this](int, HWND) { SetTextSize(LargerTextSize(textSize), true); });
  commands.Add(IDM_TEXT_SMALLER, [this](int, HWND) { SetTextSize(SmallerTextSize(textSize), true); });
  commands.Add(IDM_TEXT_NORMAL, [this](int, HWND) { SetTextSize(kNormalTextSize, true); });
}

void MainFrame::SetTextSize(int percent, bool remember) {
  textSize = percent;
  if (HWND view = contentView.ContentWindow()) SendMessageW(view, VM_VIEW_TEXTSIZE, static_cast<WPARAM>(percent), 0);
  search.SetTextSize(percent);
  if (remember) exchange::WriteNumberSetting(L"view", L"TextSize", static_cast<uint32_t>(percent));
}

bool MainFrame::IsCommandEnabled(int id) const { return commands.IsEnabled(id); }

void MainFrame::UpdateMenu(HMENU menu) {
  int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    UINT id = GetMenuItemID(menu, i);
    if (id == static_cast<UINT>(-1)) continue;
    EnableMenuItem(menu, id, MF_BYCOMMAND | (IsCommandEnabled(static_cast<int>(id)) ? MF_ENABLED : MF_GRAYED));
  }
  CheckMenuItem(menu, IDM_TOGGLE_LIST, MF_BYCOMMAND | (screenToggled ? MF_CHECKED : MF_UNCHECKED));
}

void MainFrame::ShowPromptFor(int id) {
  wchar_t prompt[128] = L"";
  if (LoadStringW(GetModuleHandleW(nullptr), static_cast<UINT>(id), prompt, 128) == 0) return;
  if (wchar_t* nl = wcschr(prompt, L'\n')) *nl = L'\0';
  SetStatusText(0, prompt);
}

void MainFrame::ResetPanes() {
  // The list, the word box (its history stays) and the last word belong to the search panel.
  search.Reset();
  BlankContent();
  GreyPreviousLayer();
  SetStatusText(1, L" ");
  layerStack.clear();
}

void MainFrame::ClearLayers() {
  layerStack.clear();
  GreyPreviousLayer();
}

void MainFrame::GreyPreviousLayer() { SetToolbarState(IDM_PREVIOUS_LAYER, TBSTATE_INDETERMINATE); }

void MainFrame::ShowHit(int index) { PostMessageW(ContentPane(), VM_VIEW_SHOWPOS, static_cast<WPARAM>(index), 0); }

void MainFrame::Refresh() {
  if (bookOpen) CloseBook();
  OpenBook();
  ResetPanes();
  SetFocus(toolbar);
}

void MainFrame::ToggleListWidth() {
  if (screenToggled) {
    splitter.SetColumnInfo(0, savedColumnWidths[0], 1);
    splitter.SetColumnInfo(1, savedColumnWidths[1], Scaled(kContentColumnMinimum));
  } else {
    savedColumnWidths[0] = splitter.ColumnWidth(0);
    savedColumnWidths[1] = splitter.ColumnWidth(1);
    RECT client;
    GetClientRect(Hwnd(), &client);
    splitter.SetColumnInfo(0, client.right - 2, client.right - 1);
    splitter.SetColumnInfo(1, 1, 1);
  }
  splitter.RecalcLayout();
  screenToggled = !screenToggled;
  SendMessageW(toolbar, TB_CHECKBUTTON, IDM_TOGGLE_LIST, MAKELPARAM(screenToggled ? TRUE : FALSE, 0));
}

void MainFrame::PushLayer(int32_t position) {
  layerStack.insert(layerStack.begin(), position);
  SetToolbarState(IDM_PREVIOUS_LAYER, TBSTATE_ENABLED);
}

void MainFrame::PreviousLayer() {
  if (layerStack.empty()) return;
  int32_t position = layerStack.front();
  layerStack.erase(layerStack.begin());
  if (layerStack.empty()) GreyPreviousLayer();
  SendMessageW(ContentPane(), VM_VIEW_SHOWAT, 0, static_cast<LPARAM>(position));
}

void MainFrame::ShowBookMenu() {
  if (!bookOpen) return;  // nothing to ask without a book
  int32_t head = book.GetMenuHead();
  if (head == -2) return;
  ResetPanes();
  SendMessageW(ContentPane(), VM_VIEW_SHOWAT, 0, static_cast<LPARAM>(head));
}

void MainFrame::Copy() {
  HWND focus = GetFocus();
  if (!(focus && (focus == wordBox || IsChild(wordBox, focus)))) {
    contentView.Api().CopyToClipBoard();
    return;
  }
  // The word box copies its edit selection; with none, the request goes to the content pane,
  // which does not act on it.
  DWORD start = 0, end = 0;
  SendMessageW(wordBox, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  if (start != end) SendMessageW(search.WordBoxEdit(), WM_COPY, 0, 0);
  else PostMessageW(ContentPane(), WB_COPY, 0, 0);
}

void MainFrame::ContinuousSearch() {
  char mark[kMarkCapacity] = {};
  contentView.Api().GetMarkCont(mark, kMarkCapacity);
  if (mark[0] == '\0') return;
  if (char* cr = std::strchr(mark, '\r')) *cr = '\0';
  // The mark is Shift-JIS text, as the view shows it.
  wchar_t word[kMarkCapacity] = {};
  MultiByteToWideChar(ui::kShiftJisCodePage, 0, mark, -1, word, kMarkCapacity);
  if (search.Word() == word) return;
  search.AddToHistory(word);
  SearchCommand();
}

void MainFrame::SearchCommand() {
  if (gFlags.modalBusy) return;
  if (!bookOpen) {
    ReportReadError();
    return;
  }
  SendMessageW(Hwnd(), FM_SEARCHSTART, 0, 0);
  SendMessageW(Hwnd(), FM_SEARCH, 0, 0);
}

void MainFrame::ShowItem(int index) {
  selectedItem = index;
  ClearLayers();
  ShowHit(selectedItem);
}

void MainFrame::MoveFocus(WPARAM target) {
  if (target == 0) SetFocus(ResultList());
  else if (target == 1) SetFocus(contentView.ContentWindow() ? contentView.ContentWindow() : ContentPane());
  else SetFocus(toolbar);
}

void MainFrame::ShowHelp() {
  // The help is the file Brisvane.chm beside the program, opened by whatever the system opens
  // such files with. Without it (or without a program for it) the user is told where it was
  // looked for, rather than F1 doing nothing.
  wchar_t path[MAX_PATH] = L"";
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  wchar_t* slash = wcsrchr(path, L'\\');
  bool named = length > 0 && length < MAX_PATH && slash && (slash - path) + 14 < MAX_PATH;
  if (named) lstrcpyW(slash + 1, L"Brisvane.chm");
  if (named && GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES &&
      reinterpret_cast<INT_PTR>(ShellExecuteW(Hwnd(), L"open", path, nullptr, nullptr, SW_SHOWNORMAL)) > 32)
    return;
  wchar_t format[128] = L"";
  LoadStringW(GetModuleHandleW(nullptr), IDS_NO_HELP, format, 128);
  std::wstring text = format;
  text += named ? path : L"Brisvane.chm";
  MessageBeep(0);
  ShowModalMessage(text.c_str());
}

void MainFrame::ShowAbout() {
  AboutDialog().Run(Hwnd());
}

}  // namespace brisvane
