#include "ShelfDialog_win.h"

#include <commctrl.h>

#include <map>

#include "BookTitle_win.h"
#include "BrisvaneRes.h"
#include "BrowseDialog_win.h"
#include "UiFont_win.h"

namespace brisvane {

namespace {

constexpr COLORREF kGrey = RGB(0x90, 0x90, 0x90);

std::wstring PlaceText(const ShelfBook& book) {
  return book.root + (book.index > 0 ? L" (" + std::to_wstring(book.index) + L")" : L"");
}

}  // namespace

ShelfDialog::ShelfDialog(const BookApi& api, std::vector<ShelfBook> books, std::vector<bool> missing)
    : api(api), books(std::move(books)), lastMissing(std::move(missing)) {}

INT_PTR ShelfDialog::Run(HWND owner) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  return RunModal(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_SHELF), owner) == 1 ? 1 : 0;
}

INT_PTR ShelfDialog::OnInitDialog() {
  UseJapaneseUiFont(Hwnd(), 9, &font);
  list = GetDlgItem(Hwnd(), IDC_SHELF_LIST);
  ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  RECT client = {};
  GetClientRect(list, &client);
  const int width = client.right - client.left - GetSystemMetrics(SM_CXVSCROLL);
  const struct {
    const wchar_t* caption;
    int share;  // of the width, in eighths
  } columns[] = {{L"名前", 2}, {L"書名", 3}, {L"場所", 3}};
  for (int i = 0; i < 3; ++i) {
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<wchar_t*>(columns[i].caption);
    column.cx = width * columns[i].share / 8;
    ListView_InsertColumn(list, i, &column);
  }
  ReadTitles();
  Fill(books.empty() ? -1 : 0);
  return TRUE;
}

void ShelfDialog::ReadTitles() {
  // Each disc once: a disc holds several books.
  std::map<std::wstring, std::vector<DiscBook>> discs;
  lines.assign(books.size(), Line{});
  for (size_t i = 0; i < books.size(); ++i) {
    auto found = discs.find(books[i].root);
    if (found == discs.end()) found = discs.emplace(books[i].root, ListDiscBooks(api, books[i].root)).first;
    for (const DiscBook& book : found->second)
      if (book.index == books[i].index && !book.unreadable) lines[i].title = book.title;
    lines[i].missing = lines[i].title.empty() || (i < lastMissing.size() && lastMissing[i]);
  }
}

void ShelfDialog::Fill(int select) {
  filling = true;
  ListView_DeleteAllItems(list);
  for (size_t i = 0; i < books.size(); ++i) {
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(i);
    item.pszText = const_cast<wchar_t*>(books[i].name.c_str());
    int at = ListView_InsertItem(list, &item);
    std::wstring title = lines[i].title.empty() ? L"(開けません)" : lines[i].title;
    std::wstring place = PlaceText(books[i]);
    ListView_SetItemText(list, at, 1, const_cast<wchar_t*>(title.c_str()));
    ListView_SetItemText(list, at, 2, const_cast<wchar_t*>(place.c_str()));
    ListView_SetCheckState(list, at, books[i].ticked ? TRUE : FALSE);
  }
  if (select >= 0 && select < static_cast<int>(books.size())) {
    ListView_SetItemState(list, select, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(list, select, FALSE);
  }
  filling = false;
  const bool any = !books.empty();
  EnableWindow(GetDlgItem(Hwnd(), IDB_SHELF_REMOVE), any);
  EnableWindow(GetDlgItem(Hwnd(), IDB_SHELF_UP), any);
  EnableWindow(GetDlgItem(Hwnd(), IDB_SHELF_DOWN), any);
}

void ShelfDialog::TakeTicks() {
  for (size_t i = 0; i < books.size(); ++i) books[i].ticked = ListView_GetCheckState(list, static_cast<int>(i)) != 0;
}

int ShelfDialog::Selected() const { return ListView_GetNextItem(list, -1, LVNI_SELECTED); }

void ShelfDialog::Add() {
  TakeTicks();
  int at = Selected();
  std::wstring start = at >= 0 ? books[static_cast<size_t>(at)].root.substr(0, 3) : L"";
  BrowseDialog browse(api, start);
  if (browse.Run(Hwnd()) != 1) return;
  int first = -1;
  // A book of a kind not read is not shelved; the browse dialog has said why when no other is there.
  for (const DiscBook& found : ListDiscBooks(api, browse.Path())) {
    if (found.unreadable || !AddToShelf(&books, {browse.Path(), found.index, ShortName(found.title), true})) continue;
    NameApart(&books, books.size() - 1);
    lines.push_back(Line{found.title, false});
    if (first < 0) first = static_cast<int>(books.size()) - 1;
  }
  Fill(first >= 0 ? first : at);
}

void ShelfDialog::Remove() {
  TakeTicks();
  int at = Selected();
  if (at < 0) return;
  books.erase(books.begin() + at);
  lines.erase(lines.begin() + at);
  Fill(at < static_cast<int>(books.size()) ? at : static_cast<int>(books.size()) - 1);
}

void ShelfDialog::Move(int by) {
  TakeTicks();
  int at = Selected();
  int to = at + by;
  if (at < 0 || to < 0 || to >= static_cast<int>(books.size())) return;
  std::swap(books[static_cast<size_t>(at)], books[static_cast<size_t>(to)]);
  std::swap(lines[static_cast<size_t>(at)], lines[static_cast<size_t>(to)]);
  Fill(to);
}

INT_PTR ShelfDialog::OnNotify(const NMHDR& header) {
  if (header.hwndFrom != list) return FALSE;
  switch (header.code) {
    case LVN_BEGINLABELEDITW: {
      if (HWND edit = ListView_GetEditControl(list)) SendMessageW(edit, EM_LIMITTEXT, kShortNameLength, 0);
      SetWindowLongPtrW(Hwnd(), DWLP_MSGRESULT, FALSE);  // editing allowed
      return TRUE;
    }
    case LVN_ENDLABELEDITW: {
      // The name as ShortName makes it is set here; the list is told to keep its own text.
      const auto& edited = reinterpret_cast<const NMLVDISPINFOW&>(header);
      if (edited.item.pszText && edited.item.iItem >= 0 && edited.item.iItem < static_cast<int>(books.size())) {
        ShelfBook& book = books[static_cast<size_t>(edited.item.iItem)];
        book.name = ShortName(edited.item.pszText);
        ListView_SetItemText(list, edited.item.iItem, 0, const_cast<wchar_t*>(book.name.c_str()));
      }
      SetWindowLongPtrW(Hwnd(), DWLP_MSGRESULT, FALSE);
      return TRUE;
    }
    case NM_CUSTOMDRAW: {
      auto& draw = const_cast<NMLVCUSTOMDRAW&>(reinterpret_cast<const NMLVCUSTOMDRAW&>(header));
      LRESULT result = CDRF_DODEFAULT;
      if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) {
        result = CDRF_NOTIFYITEMDRAW;
      } else if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
        size_t at = static_cast<size_t>(draw.nmcd.dwItemSpec);
        if (at < lines.size() && lines[at].missing) draw.clrText = kGrey;
      }
      SetWindowLongPtrW(Hwnd(), DWLP_MSGRESULT, result);
      return TRUE;
    }
    default:
      return FALSE;
  }
}

INT_PTR ShelfDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY) return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
  if (message != WM_COMMAND) return FALSE;
  switch (LOWORD(wParam)) {
    case IDB_SHELF_ADD:
      Add();
      return TRUE;
    case IDB_SHELF_REMOVE:
      Remove();
      return TRUE;
    case IDB_SHELF_UP:
      Move(-1);
      return TRUE;
    case IDB_SHELF_DOWN:
      Move(1);
      return TRUE;
    case IDOK:
      TakeTicks();
      EndDialog(Hwnd(), 1);
      return TRUE;
    case IDCANCEL:
      EndDialog(Hwnd(), 0);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace brisvane
