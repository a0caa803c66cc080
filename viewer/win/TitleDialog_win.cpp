#include "TitleDialog_win.h"

#include <vector>

#include "BookTitle_win.h"
#include "BrowseDialog_win.h"
#include "DriveCombo_win.h"
#include "RememberedPaths.h"
#include "ui/DarkLook.h"
#include "ui/Utf8Text.h"
#include "Settings_win.h"
#include "TitleDialogRes.h"
#include "TitleLine.h"
#include "ui/ListBoxText.h"
#include "UiFont_win.h"

namespace brisvane {

namespace {

constexpr size_t kDriveRootLength = 3;

}  // namespace

TitleDialog::TitleDialog(const BookApi& book, std::wstring bookPath, int32_t openIndex, bool bookOpen)
    : book(book), path(std::move(bookPath)), openIndex(openIndex) {
  if (bookOpen) openPath = path;
}

INT_PTR TitleDialog::Run(HWND owner) {
  INT_PTR result = RunModal(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_TITLE), owner);
  return result == 1 ? 1 : 0;
}

INT_PTR TitleDialog::OnInitDialog() {
  UseJapaneseUiFont(Hwnd(), 9, &font);
  list = GetDlgItem(Hwnd(), IDL_TITLE_LIST);
  LOGFONTW face = {};
  if (font && GetObjectW(font.Get(), sizeof face, &face)) {
    face.lfWeight = FW_BOLD;
    boldFont.Attach(CreateFontIndirectW(&face));
  }
  // The lines are drawn here: as high as the font's text, with a little room.
  if (HDC dc = GetDC(list)) {
    HGDIOBJ old = SelectObject(dc, font ? font.Get() : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(list, dc);
    SendMessageW(list, LB_SETITEMHEIGHT, 0, metrics.tmHeight + 4);
  }
  Fill();
  SelectOpenBook();
  return TRUE;
}

bool TitleDialog::IsOpenBook(const std::wstring& line, int32_t index) const {
  return brisvane::SamePlace(brisvane::PathOfTitleLine(line), openPath) && (openIndex < 0 || index == openIndex);
}

void TitleDialog::SelectOpenBook() {
  const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    if (!IsOpenBook(ui::ListBoxText(list, i), static_cast<int32_t>(SendMessageW(list, LB_GETITEMDATA, i, 0))))
      continue;
    SendMessageW(list, LB_SETCURSEL, i, 0);
    EnableWindow(GetDlgItem(Hwnd(), IDOK), TRUE);
    return;  // the first usable book when the index is -1: the disc's lowest catalog index
  }
}

void TitleDialog::DrawLine(const DRAWITEMSTRUCT& item) {
  if (item.itemID == static_cast<UINT>(-1)) return;
  const std::wstring line = ui::ListBoxText(list, static_cast<int>(item.itemID));
  const bool selected = item.itemState & ODS_SELECTED;
  const bool open = IsOpenBook(line, static_cast<int32_t>(item.itemData));
  const int32_t notRead = UnreadableOf(line, static_cast<int32_t>(item.itemData));
  HDC dc = item.hDC;
  RECT rect = item.rcItem;
  const ui::LookColours look = ui::CurrentColours();
  ui::UniqueBrush back(CreateSolidBrush(selected ? look.selection : look.field));
  FillRect(dc, &rect, back.Get());
  SetBkMode(dc, TRANSPARENT);
  // The title first (bold and marked for the open book), then the place in a quieter colour.
  std::wstring title = brisvane::TitleOfTitleLine(line);
  if (open) title += L" (開いている辞書)";
  std::wstring place = L"   " + brisvane::PathOfTitleLine(line);
  // A book of a kind not read: greyed, and why.
  if (notRead) place += L"   " + UnreadableText(notRead);
  RECT text = rect;
  text.left += 3;
  HGDIOBJ old = SelectObject(dc, open && boldFont ? boldFont.Get() : font.Get());
  SetTextColor(dc, selected ? look.selectionInk : notRead ? look.greyInk : look.ink);
  RECT measured = text;
  DrawTextW(dc, title.c_str(), static_cast<int>(title.size()), &measured, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
  DrawTextW(dc, title.c_str(), static_cast<int>(title.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  SelectObject(dc, font.Get());
  text.left = measured.right;
  SetTextColor(dc, selected ? look.selectionInk : look.greyInk);
  DrawTextW(dc, place.c_str(), static_cast<int>(place.size()), &text,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  SelectObject(dc, old);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &rect);
}

std::vector<std::wstring> KnownBookRoots() {
  std::vector<std::wstring> roots;
  for (const std::wstring& root : DriveRootsAfterFirst()) roots.push_back(root.substr(0, kDriveRootLength));
  // Drive roots in the value are listed above already; a directory whose disc is missing is
  // simply not a book now. A value that cannot be read lists nothing.
  std::wstring remembered = exchange::ReadTextSetting(L"path", L"path", brisvane::kRememberedPathsCapacity);
  for (const std::string& directory : brisvane::SplitRememberedPaths(ui::ToUtf8(remembered)))
    roots.push_back(ui::FromUtf8(directory));
  return roots;
}

void TitleDialog::Fill() {
  std::vector<std::wstring> roots = KnownBookRoots();
  // The open book's place, when no drive or remembered directory is it (its first time).
  bool known = openPath.empty();
  for (const std::wstring& root : roots) known = known || brisvane::SamePlace(root, openPath);
  if (!known) roots.push_back(openPath);
  for (const std::wstring& root : roots) AddLinesIfBook(root);
}

size_t TitleDialog::AddLinesIfBook(const std::wstring& bookPath) {
  std::vector<DiscBook> books = ListDiscBooks(book, bookPath);
  for (const DiscBook& found : books) {
    std::wstring line = brisvane::FormatTitleLine(bookPath, found.title);
    // The list is sorted: each line keeps its book's catalog index beside it.
    LRESULT at = SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(line.c_str()));
    if (at == LB_ERR || static_cast<int32_t>(SendMessageW(list, LB_GETITEMDATA, at, 0)) != found.index)
      at = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    if (at >= 0) SendMessageW(list, LB_SETITEMDATA, at, static_cast<LPARAM>(found.index));
    if (found.unreadable) unreadable[{line, found.index}] = found.unreadable;
  }
  return books.size();
}

int32_t TitleDialog::UnreadableOf(const std::wstring& line, int32_t index) const {
  auto found = unreadable.find({line, index});
  return found == unreadable.end() ? 0 : found->second;
}

INT_PTR TitleDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DRAWITEM && wParam == IDL_TITLE_LIST && lParam) {
    DrawLine(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  switch (LOWORD(wParam)) {
    case IDL_TITLE_LIST:
      if (HIWORD(wParam) == LBN_SELCHANGE) EnableWindow(GetDlgItem(Hwnd(), IDOK), TRUE);
      else if (HIWORD(wParam) == LBN_DBLCLK) Choose();
      return TRUE;
    case IDOK:
      Choose();
      return TRUE;
    case IDCANCEL:
      EndDialog(Hwnd(), 0);
      return TRUE;
    case IDB_TITLE_BROWSE:
      Browse();
      return TRUE;
  }
  return FALSE;
}

void TitleDialog::Choose() {
  LRESULT selected = SendMessageW(list, LB_GETCURSEL, 0, 0);
  if (selected == LB_ERR) {
    EndDialog(Hwnd(), 0);
    return;
  }
  const std::wstring line = ui::ListBoxText(list, static_cast<int>(selected));
  const int32_t index = static_cast<int32_t>(SendMessageW(list, LB_GETITEMDATA, selected, 0));
  if (int32_t notRead = UnreadableOf(line, index)) {
    MessageBoxW(Hwnd(), UnreadableText(notRead).c_str(), L"DUDAZA Zorari", MB_OK);
    return;
  }
  path = brisvane::PathOfTitleLine(line);
  bookIndex = index;
  EndDialog(Hwnd(), 1);
}

void TitleDialog::Browse() {
  int lines = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  std::wstring start = lines > 0 ? ui::ListBoxText(list, 0) : path;
  start = start.substr(0, kDriveRootLength);
  BrowseDialog browse(book, start);
  if (browse.Run(Hwnd()) != 1) return;  // the list stays as it was
  std::vector<std::string> listed;
  for (int i = 0; i < lines; ++i) listed.push_back(ui::ToUtf8(brisvane::PathOfTitleLine(ui::ListBoxText(list, i))));
  const std::wstring browsed = browse.Path();
  exchange::WriteTextSetting(L"path", L"path", ui::FromUtf8(brisvane::BuildRememberedPaths(listed, ui::ToUtf8(browsed))));
  // A disc of several books: its lines join the list, the first of them selected, and the
  // user picks one. A disc of one book is chosen at once.
  if (AddLinesIfBook(browse.Path()) > 1) {
    int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      if (brisvane::PathOfTitleLine(ui::ListBoxText(list, i)) != browsed) continue;
      SendMessageW(list, LB_SETCURSEL, i, 0);
      break;
    }
    EnableWindow(GetDlgItem(Hwnd(), IDOK), TRUE);
    SetFocus(list);
    return;
  }
  path = browsed;
  bookIndex = -1;
  EndDialog(Hwnd(), 1);
}

}  // namespace brisvane
