// The main frame's book: binding Dunmoor.dll, finding and opening the book, the window title,
// and what happens when the book cannot be read.
#include <cstring>
#include <vector>

#include "AppFlags_win.h"
#include "BrisvaneRes.h"
#include "MainFrame_win.h"
#include "Settings_win.h"
#include "BookTitle_win.h"
#include "ShiftJis.h"
#include "ui/ResourceText.h"
#include "ui/ShiftJisText.h"

namespace brisvane {

namespace {

constexpr size_t kPathCapacity = 256;

using ui::LoadText;

}  // namespace

void MainFrame::OnOpenBook() {
  // Each open binds the library again; the same library comes back, and the reference taken by
  // the binding before is let go, so that one stays. A library that lacks one of the 27 names
  // the viewer binds counts as missing; epwBooksOpenAt is bound when it is there.
  ui::BoundLibrary<DunmoorExports> bound;
  if (!bound.Load(L"Dunmoor.dll",
                  {"IsEpwBook", "OpenEpwing", "CloseEpwing", "epwGetBooks", "epwGetBookInfo", "epwSelectBook",
                   "epwBooksOpen", "epwBooksClose", "epwGetWordProperties", "epwGetWordItem", "epwGetWordContent",
                   "epwGetLastContentByWord", "epwGetNextContentByWord", "epwShowExCode", "epwExCode2Bmp",
                   "epwShowExCodePixel", "epwGetImageSize", "epwGetImage", "epwGetSoundProp", "epwGetPcmSize",
                   "epwGetPcmCont", "GetWordCont", "GetWordContLast", "GetWordContNext", "GetLinkContent",
                   "GetLinkContByPt", "GetMenuHead"})) {
    MessageBoxW(Hwnd(), LoadText(IDS_NO_DUNMOOR).c_str(), L"DUDAZA Zorari", MB_OK);
    ExitProcess(0);
  }
  dunmoor = std::move(bound);
  gFlags.rebindPending = false;
  OpenBook();
}

int MainFrame::OpenBook() {
  if (!bookPath.empty()) {
    if (book.OpenEpwing(bookPath.c_str()) != kDunmoorSuccess || OpenChosenBook() != 1) {
      ReportOpenFailure();
      return -1;
    }
  } else {
    int detected = DetectBook();
    if (detected == kDunmoorRefused) {
      SetToolbarState(IDM_SEARCH, TBSTATE_INDETERMINATE);
      MessageBeep(0);
      ShowModalMessage(LoadText(IDS_NO_DISC).c_str());
      if (gFlags.hostWordPending) SetFocus(statusBar);
      return -2;
    }
    if (detected != kDunmoorSuccess) {
      ReportReadError();
      return -1;
    }
    if (OpenChosenBook() != 1) {
      ReportReadError();
      SetToolbarState(IDM_SEARCH, TBSTATE_INDETERMINATE);
      return -1;
    }
  }
  bookOpen = true;
  SetToolbarState(IDM_SEARCH, TBSTATE_ENABLED);
  SetBookTitle();
  return 1;
}

int MainFrame::OpenChosenBook() {
  if (bookIndex >= 0 && book.epwBooksOpenAt) {
    int32_t opened = book.epwBooksOpenAt(bookIndex);
    if (opened == kDunmoorSuccess) return 1;
    if (opened != kDunmoorRefused) return -1;
    // -2: the disc no longer has that book, or it is not usable: the first usable one opens.
  }
  if (book.epwBooksOpen() != kDunmoorSuccess) return -1;
  bookIndex = FirstUsableBook(book);
  return 1;
}

int MainFrame::DetectBook() {
  std::string path = exchange::ReadSetting(L"Curpath", L"Curpath", kPathCapacity);
  char title[kDunmoorTitleSize] = {};
  uint32_t remembered = 0;
  bookIndex = exchange::ReadNumberSetting(L"Curpath", L"Curbook", &remembered) ? static_cast<int32_t>(remembered) : -1;
  if (book.IsEpwBook(path.c_str(), title) == kDunmoorFailed) {
    path.clear();
    bookIndex = -1;  // the book remembered was one of another disc
    std::vector<wchar_t> drives(GetLogicalDriveStringsW(0, nullptr) + 1, L'\0');
    GetLogicalDriveStringsW(static_cast<DWORD>(drives.size()), drives.data());
    // The list is "A:\", "C:\", ... each zero-terminated; the first drive is never examined.
    bool first = true;
    for (const wchar_t* root = drives.data(); *root; root += wcslen(root) + 1) {
      if (first) {
        first = false;
        continue;
      }
      char narrow[8] = {};
      WideCharToMultiByte(CP_ACP, 0, root, -1, narrow, sizeof narrow, nullptr, nullptr);
      if (book.IsEpwBook(narrow, title) != kDunmoorSuccess) continue;
      path = narrow;
      if (GetDriveTypeW(root) == DRIVE_CDROM) break;  // a CD-ROM drive wins
    }
  }
  if (path.empty()) return -2;
  bookPath = path;
  return book.OpenEpwing(bookPath.c_str());
}

void MainFrame::CloseBook() {
  book.epwBooksClose();
  book.CloseEpwing();
  SetToolbarState(IDM_SEARCH, TBSTATE_INDETERMINATE);
  bookOpen = false;
}

void MainFrame::SetTitle(const std::wstring& title) { SetWindowTextW(Hwnd(), title.c_str()); }

void MainFrame::SetBookTitle() {
  char title[kDunmoorTitleSize] = {};
  BookInfo info = {};
  info.title = title;
  if (book.epwGetBookInfo(bookIndex, &info) != kDunmoorSuccess) {
    ReportReadError();
    return;
  }
  title[kDunmoorTitleSize - 1] = '\0';
  booktext::JisToSjisInPlace(title, sizeof title);
  wchar_t wide[kDunmoorTitleSize] = {};
  MultiByteToWideChar(ui::kShiftJisCodePage, 0, title, -1, wide, kDunmoorTitleSize);
  SetTitle(LoadText(IDS_APP_TITLE) + L" - " + wide);
}

void MainFrame::ReportReadError() {
  if (!bookOpen) return;
  ReportOpenFailure();
}

void MainFrame::ReportOpenFailure() {
  CloseBook();  // also the catalog that a failed open leaves loaded
  SetToolbarState(IDM_SEARCH, TBSTATE_INDETERMINATE);
  ResetPanes();
  SetTitle(LoadText(IDS_APP_TITLE));
  ShowModalMessage(LoadText(IDS_READ_ERROR).c_str());
  MessageBeep(0);
  gFlags.focusWordBoxOnActivate = true;
  SetFocus(statusBar);
}

}  // namespace brisvane
