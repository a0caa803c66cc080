#include "BrowseDialog_win.h"

#include "BookTitle_win.h"
#include "BrisvaneRes.h"
#include "TitleDialogRes.h"
#include "WorkingDirectory_win.h"
#include "ui/Dpi.h"
#include "ui/ResourceText.h"
#include "UiFont_win.h"

namespace brisvane {

namespace {

constexpr int kTypedPathCapacity = 254;

using ui::LoadText;

}  // namespace

BrowseDialog::BrowseDialog(const BookApi& book, std::wstring startPath) : book(book), path(std::move(startPath)) {
  if (path.empty()) path = CurrentDirectory();
}

INT_PTR BrowseDialog::Run(HWND owner) {
  // The owner-drawn lists are measured before WM_INITDIALOG, when the dialog has no object yet,
  // at the resolution of the owner's monitor, where the dialog opens.
  static thread_local int measureDpi = ui::kDesignDpi;
  measureDpi = ui::WindowDpi(owner);
  auto measure = [](UINT message, WPARAM, LPARAM lParam) -> INT_PTR {
    if (message != WM_MEASUREITEM) return FALSE;
    auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    item->itemHeight = static_cast<UINT>(ui::ScaledPixels(
        item->CtlID == IDC_BROWSE_DRIVES ? DriveCombo::kItemHeight : DirectoryList::kItemHeight, measureDpi));
    return TRUE;
  };
  INT_PTR result = RunModal(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_BROWSE), owner, measure);
  return result == 1 ? 1 : 0;
}

INT_PTR BrowseDialog::OnInitDialog() {
  UseJapaneseUiFont(Hwnd(), 9, &font);
  HWND edit = GetDlgItem(Hwnd(), IDE_BROWSE_PATH);
  directories.Attach(GetDlgItem(Hwnd(), IDL_BROWSE_DIRECTORIES));
  SetWindowTextW(edit, path.c_str());
  drives.Attach(GetDlgItem(Hwnd(), IDC_BROWSE_DRIVES), BM_DRIVEENTER);
  if (!CanEnterDirectory(path)) {
    ShowMessage(LoadText(IDS_BAD_DRIVE));
  } else {
    directories.Fill(path);
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
  }
  UpdateTitle();
  drives.ShowDriveOf(path);
  return FALSE;  // the focus is set
}

INT_PTR BrowseDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DRAWITEM: {
      const auto& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (draw.CtlID == IDC_BROWSE_DRIVES) drives.Draw(draw);
      else directories.Draw(draw);
      return TRUE;
    }
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
          OnEnterKey();
          return TRUE;
        case IDCANCEL:
          EndDialog(Hwnd(), 0);
          return TRUE;
        case IDL_BROWSE_DIRECTORIES:
          if (HIWORD(wParam) == LBN_DBLCLK) OnListActivated();
          return TRUE;
        case IDC_BROWSE_DRIVES:
          if (HIWORD(wParam) == CBN_CLOSEUP) OnDriveChosen(drives.Text());
          return TRUE;
      }
      return FALSE;
    case BM_DIRENTER:
      OnPathEntered();
      return TRUE;
    // The path and the drive text that these two messages carry are taken from the controls
    // themselves, so that a message from elsewhere cannot make the dialog read foreign memory.
    case BM_DIRCHANGED:
      path = directories.Path();
      SetDlgItemTextW(Hwnd(), IDE_BROWSE_PATH, path.c_str());
      UpdateTitle();
      return TRUE;
    case BM_DRIVEENTER:
      OnDriveChosen(drives.Text());
      return TRUE;
    case BM_DIRACCEPT:
      OnOk();
      return TRUE;
  }
  return FALSE;
}

void BrowseDialog::OnEnterKey() {
  // Enter reaches the dialog as its default button: it means the control that has the focus.
  HWND focus = GetFocus();
  if (focus == GetDlgItem(Hwnd(), IDE_BROWSE_PATH)) PostMessageW(Hwnd(), BM_DIRENTER, 0, 0);
  else if (focus == directories.Hwnd()) OnListActivated();
  else OnOk();
}

namespace {

// Whether the folder holds a file named as a catalog (also as a copied disc names it) that the
// library could not read: an empty or damaged one, not a missing one.
bool HasCatalogFile(std::wstring folder) {
  if (folder.empty()) return false;
  if (folder.back() != L'\\' && folder.back() != L'/') folder += L'\\';
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW((folder + L"CATALOGS*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return false;
  bool file = false;
  do {
    // Without a version (";1") and a trailing dot, as an ISO 9660 listing spells it.
    std::wstring name = found.cFileName;
    const size_t semicolon = name.rfind(L';');
    if (semicolon != std::wstring::npos && semicolon + 1 < name.size() &&
        name.find_first_not_of(L"0123456789", semicolon + 1) == std::wstring::npos)
      name.resize(semicolon);
    if (!name.empty() && name.back() == L'.') name.pop_back();
    file = !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && _wcsicmp(name.c_str(), L"CATALOGS") == 0;
  } while (!file && FindNextFileW(find, &found));
  FindClose(find);
  return file;
}

}  // namespace

void BrowseDialog::OnOk() {
  std::wstring title;
  // A folder without a catalog is no missing disc: the user chose the wrong place; a book of a
  // kind not read says so.
  const std::wstring notRead = NoReadableBookText(book, path);
  if (!notRead.empty()) ShowMessage(notRead);
  else if (FindBookTitle(book, path, &title)) EndDialog(Hwnd(), 1);
  else ShowMessage(LoadText(HasCatalogFile(path) ? IDS_CATALOG_UNREADABLE : IDS_NOT_A_BOOK));
}

void BrowseDialog::OnPathEntered() {
  wchar_t typed[kTypedPathCapacity + 1] = L"";
  GetDlgItemTextW(Hwnd(), IDE_BROWSE_PATH, typed, kTypedPathCapacity + 1);
  if (!CanEnterDirectory(typed)) {
    ShowMessage(LoadText(IDS_BAD_DRIVE));
    return;
  }
  directories.Fill(typed);
  path = directories.Path();
  drives.ShowDriveOf(path);
  UpdateTitle();
}

void BrowseDialog::OnDriveChosen(const std::wstring& drive) {
  path = drive;
  directories.Fill(path);
  SetDlgItemTextW(Hwnd(), IDE_BROWSE_PATH, path.c_str());
  UpdateTitle();
}

void BrowseDialog::OnListActivated() {
  std::wstring newPath;
  switch (directories.Activate(&newPath)) {
    case DirectoryList::Outcome::kChanged:
      SendMessageW(Hwnd(), BM_DIRCHANGED, 0, reinterpret_cast<LPARAM>(newPath.c_str()));
      break;
    case DirectoryList::Outcome::kAccepted:
      SendMessageW(Hwnd(), BM_DIRACCEPT, 0, 0);
      break;
    case DirectoryList::Outcome::kFailed:
      ShowMessage(newPath);
      break;
    case DirectoryList::Outcome::kNothing:
      break;
  }
}

void BrowseDialog::UpdateTitle() {
  std::wstring title;
  if (!FindBookTitle(book, path, &title)) title.clear();
  const std::wstring notRead = NoReadableBookText(book, path);
  if (!notRead.empty()) title = title.empty() ? notRead : title + L" (" + notRead + L")";
  SetDlgItemTextW(Hwnd(), IDT_BROWSE_TITLE, title.c_str());
}

void BrowseDialog::ShowMessage(const std::wstring& text) const {
  MessageBoxW(Hwnd(), text.c_str(), L"DUDAZA Zorari", MB_OK);
}

}  // namespace brisvane
