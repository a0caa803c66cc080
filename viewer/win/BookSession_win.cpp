#include "BookSession_win.h"

#include <cstring>
#include <vector>

#include "AppState_win.h"
#include "BookPaths_win.h"
#include "BookTitle_win.h"
#include "BrisvaneRes.h"
#include "FrameBars_win.h"
#include "FrameRouter.h"
#include "Settings_win.h"
#include "ShiftJis.h"
#include "TitleDialog_win.h"
#include "ui/ProgramFile.h"
#include "ui/ResourceText.h"
#include "ui/ShiftJisText.h"

namespace brisvane {

namespace {

constexpr size_t kPathCapacity = 256;

using ui::LoadText;

// The sample book installed beside the program (its folder "sample", a disc root), when it is
// there and a book; empty otherwise.
std::wstring BundledSampleBook(const BookApi& book) {
  std::wstring folder = ui::ProgramFolder();
  if (folder.empty()) return std::wstring();
  std::wstring sample = folder + L"sample";
  char title[kDunmoorTitleSize] = {};
  if (IsBookAt(book, sample, title) != kDunmoorSuccess) return std::wstring();
  return sample;
}

}  // namespace

void BookSession::BindAndOpen() {
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
    MessageBoxW(frame, LoadText(IDS_NO_DUNMOOR).c_str(), L"DUDAZA Zorari", MB_OK);
    ExitProcess(0);
  }
  dunmoor = std::move(bound);
  app.NoteLibraryBound();
  Open();
}

int BookSession::Open() {
  const BookApi& book = Api();
  if (!path.empty()) {
    if (OpenCatalogAt(book, path) != kDunmoorSuccess || OpenChosenBook() != 1) {
      ReportOpenFailure();
      return -1;
    }
  } else {
    int detected = DetectBook();
    if (detected == kDunmoorRefused) {
      bars.SetButtonState(IDM_SEARCH, TBSTATE_INDETERMINATE);
      MessageBeep(0);
      // With the sample book installed beside the program, the message offers to open it, so
      // that a new user has something to read.
      std::wstring sample = BundledSampleBook(Api());
      if (sample.empty()) {
        app.ShowMessage(frame, LoadText(IDS_NO_DISC).c_str());
      } else if (app.Ask(frame, (LoadText(IDS_NO_DISC) + L"\n\n" + LoadText(IDS_OPEN_SAMPLE)).c_str())) {
        path = sample;
        index = -1;
        return Open();
      }
      if (app.HostWordPending()) SetFocus(bars.StatusBar());
      return -2;
    }
    if (detected != kDunmoorSuccess) {
      ReportReadError();
      return -1;
    }
    if (OpenChosenBook() != 1) {
      ReportReadError();
      bars.SetButtonState(IDM_SEARCH, TBSTATE_INDETERMINATE);
      return -1;
    }
  }
  open = true;
  bars.SetButtonState(IDM_SEARCH, TBSTATE_ENABLED);
  ShowTitle();
  return 1;
}

int BookSession::OpenChosenBook() {
  const BookApi& book = Api();
  if (index >= 0 && book.epwBooksOpenAt) {
    int32_t opened = book.epwBooksOpenAt(index);
    if (opened == kDunmoorSuccess) return 1;
    if (opened != kDunmoorRefused) return -1;
    // -2: the disc no longer has that book, or it is not usable: the first usable one opens.
  }
  if (book.epwBooksOpen() != kDunmoorSuccess) return -1;
  index = FirstUsableBook(book);
  return 1;
}

int BookSession::DetectBook() {
  const BookApi& book = Api();
  std::wstring found = exchange::ReadTextSetting(L"Curpath", L"Curpath", kPathCapacity);
  char title[kDunmoorTitleSize] = {};
  uint32_t remembered = 0;
  index = exchange::ReadNumberSetting(L"Curpath", L"Curbook", &remembered) ? static_cast<int32_t>(remembered) : -1;
  if (found.empty() || IsBookAt(book, found, title) == kDunmoorFailed) {
    found.clear();
    index = -1;  // the book remembered was one of another disc
    std::vector<wchar_t> drives(GetLogicalDriveStringsW(0, nullptr) + 1, L'\0');
    GetLogicalDriveStringsW(static_cast<DWORD>(drives.size()), drives.data());
    // The list is "A:\", "C:\", ... each zero-terminated; the first drive is never examined.
    bool first = true;
    for (const wchar_t* root = drives.data(); *root; root += wcslen(root) + 1) {
      if (first) {
        first = false;
        continue;
      }
      if (IsBookAt(book, root, title) != kDunmoorSuccess) continue;
      found = root;
      if (GetDriveTypeW(root) == DRIVE_CDROM) break;  // a CD-ROM drive wins
    }
  }
  if (found.empty()) return -2;
  path = found;
  return OpenCatalogAt(book, path);
}

void BookSession::Close() {
  Api().epwBooksClose();
  Api().CloseEpwing();
  bars.SetButtonState(IDM_SEARCH, TBSTATE_INDETERMINATE);
  open = false;
}

void BookSession::Refresh() {
  if (open) Close();
  Open();
  router.ResetPanes();
  SetFocus(bars.Toolbar());
}

void BookSession::SelectTitle() {
  TitleDialog dialog(Api(), path, index, open);
  INT_PTR result = 0;
  {
    AppState::ModalScope modal(app);  // hand-overs wait while the dialogs are open
    result = dialog.Run(frame);
  }
  if (result == 1) {
    path = dialog.Path();
    index = dialog.BookIndex();
    if (open) Close();
    Open();
    router.ResetPanes();
  } else {
    TakeBackCatalog();
  }
  SetFocus(bars.Toolbar());
}

bool BookSession::OpenPlace(const BookPlace& place) {
  if (open && place == Place()) return true;
  if (open) Close();
  path = place.path;
  index = place.index;
  return Open() == 1;
}

bool BookSession::OpenShelfPlace(const BookPlace& place) {
  if (open && place == Place()) return true;
  // A disc that is not there (taken out, a folder gone) closes nothing.
  if (place.path.empty() || GetFileAttributesW(place.path.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
  const std::wstring pathBefore = path;
  const int32_t indexBefore = index;
  if (open) Close();
  path = place.path;
  index = place.index;
  if (OpenCatalogAt(Api(), path) == kDunmoorSuccess && OpenChosenBook() == 1) {
    open = true;
    bars.SetButtonState(IDM_SEARCH, TBSTATE_ENABLED);
    ShowTitle();
    return open;
  }
  Close();  // also the catalog that a failed open leaves loaded
  path = pathBefore;
  index = indexBefore;
  SetWindowTextW(frame, LoadText(IDS_APP_TITLE).c_str());
  return false;
}

void BookSession::TakeBackCatalog() {
  if (!path.empty()) OpenCatalogAt(Api(), path);
}

bool BookSession::ReadTitle(std::wstring* text) const {
  char title[kDunmoorTitleSize] = {};
  BookInfo info = {};
  info.title = title;
  if (!open || Api().epwGetBookInfo(index, &info) != kDunmoorSuccess) return false;
  title[kDunmoorTitleSize - 1] = '\0';
  booktext::JisToSjisInPlace(title, sizeof title);
  wchar_t wide[kDunmoorTitleSize] = {};
  MultiByteToWideChar(ui::kShiftJisCodePage, 0, title, -1, wide, kDunmoorTitleSize);
  *text = wide;
  return true;
}

std::wstring BookSession::Title() const {
  std::wstring title;
  return ReadTitle(&title) ? title : std::wstring();
}

void BookSession::ShowTitle() {
  std::wstring title;
  if (!ReadTitle(&title)) {
    ReportReadError();
    return;
  }
  SetWindowTextW(frame, (LoadText(IDS_APP_TITLE) + L" - " + title).c_str());
}

void BookSession::ReportReadError() {
  if (!open) return;
  ReportOpenFailure();
}

void BookSession::ReportOpenFailure() {
  Close();  // also the catalog that a failed open leaves loaded
  bars.SetButtonState(IDM_SEARCH, TBSTATE_INDETERMINATE);
  router.ResetPanes();
  SetWindowTextW(frame, LoadText(IDS_APP_TITLE).c_str());
  app.ShowMessage(frame, LoadText(IDS_READ_ERROR).c_str());
  MessageBeep(0);
  app.FocusWordBoxOnNextActivation(true);
  SetFocus(bars.StatusBar());
}

void BookSession::End() {
  if (open) Close();
  dunmoor.Unload();
  // The book in use is remembered for the next start. Without one (the disc was not in the
  // drive), the book remembered before stays remembered: the disc may be back next time.
  if (!path.empty()) {
    exchange::WriteTextSetting(L"Curpath", L"Curpath", path);
    exchange::WriteNumberSetting(L"Curpath", L"Curbook", static_cast<uint32_t>(index));
  }
}

}  // namespace brisvane
