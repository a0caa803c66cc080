#include "TitleDialog_win.h"

#include <vector>

#include "BookTitle_win.h"
#include "BrowseDialog_win.h"
#include "DriveCombo_win.h"
#include "RememberedPaths.h"
#include "Settings_win.h"
#include "TitleDialogRes.h"
#include "TitleLine.h"
#include "ui/ListBoxText.h"

namespace brisvane {

namespace {

constexpr size_t kDriveRootLength = 3;

}  // namespace

TitleDialog::TitleDialog(const BookApi& book, std::string bookPath) : book(book), path(std::move(bookPath)) {}

INT_PTR TitleDialog::Run(HWND owner) {
  INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_TITLE), owner, &DialogProc,
                                   reinterpret_cast<LPARAM>(this));
  return result == 1 ? 1 : 0;
}

INT_PTR CALLBACK TitleDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    auto* self = reinterpret_cast<TitleDialog*>(lParam);
    self->dialog = hwnd;
    self->list = GetDlgItem(hwnd, IDL_TITLE_LIST);
    self->Fill();
    return TRUE;
  }
  auto* self = reinterpret_cast<TitleDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  return self ? self->OnMessage(message, wParam, lParam) : FALSE;
}

void TitleDialog::Fill() {
  for (const std::wstring& root : DriveRootsAfterFirst()) AddLineIfBook(root.substr(0, kDriveRootLength));
  // Drive roots in the value were listed above already; a directory whose disc is missing is
  // simply not a book now. A value that cannot be read lists nothing.
  std::string remembered = ReadSetting(L"path", L"path", viewer::kRememberedPathsCapacity);
  for (const std::string& directory : viewer::SplitRememberedPaths(remembered)) AddLineIfBook(FromLocalPath(directory));
}

void TitleDialog::AddLineIfBook(const std::wstring& bookPath) {
  std::wstring title;
  if (!FindBookTitle(book, bookPath, &title)) return;
  SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(viewer::FormatTitleLine(bookPath, title).c_str()));
}

INT_PTR TitleDialog::OnMessage(UINT message, WPARAM wParam, LPARAM) {
  if (message != WM_COMMAND) return FALSE;
  switch (LOWORD(wParam)) {
    case IDL_TITLE_LIST:
      if (HIWORD(wParam) == LBN_SELCHANGE) EnableWindow(GetDlgItem(dialog, IDOK), TRUE);
      else if (HIWORD(wParam) == LBN_DBLCLK) Choose();
      return TRUE;
    case IDOK:
      Choose();
      return TRUE;
    case IDCANCEL:
      EndDialog(dialog, 0);
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
    EndDialog(dialog, 0);
    return;
  }
  path = ToLocalPath(viewer::PathOfTitleLine(ui::ListBoxText(list, static_cast<int>(selected))));
  EndDialog(dialog, 1);
}

void TitleDialog::Browse() {
  int lines = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  std::wstring start = lines > 0 ? ui::ListBoxText(list, 0) : FromLocalPath(path);
  start = start.substr(0, kDriveRootLength);
  BrowseDialog browse(book, start);
  if (browse.Run(dialog) != 1) return;  // the list stays as it was
  std::vector<std::string> listed;
  for (int i = 0; i < lines; ++i) listed.push_back(ToLocalPath(viewer::PathOfTitleLine(ui::ListBoxText(list, i))));
  path = ToLocalPath(browse.Path());
  WriteSetting(L"path", L"path", viewer::BuildRememberedPaths(listed, path));
  EndDialog(dialog, 1);
}

}  // namespace brisvane
