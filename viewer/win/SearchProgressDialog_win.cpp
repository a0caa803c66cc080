#include "SearchProgressDialog_win.h"

#include <commctrl.h>

#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "BrisvaneRes.h"
#include "SearchRules.h"
#include "UiFont_win.h"
#include "ui/Dpi.h"
#include "ui/ResourceText.h"

namespace brisvane {

namespace {

constexpr UINT_PTR kCountTimer = 100;  // once: count the hits, first batch
constexpr UINT_PTR kBatchTimer = 101;  // the later batches
constexpr UINT_PTR kScanTimer = 102;   // full text: the pieces of the scan
constexpr UINT kScanDelay = 20;
constexpr DWORD kScanSlice = 100;      // milliseconds of scanning a tick
constexpr UINT kCountDelay = 100;
constexpr UINT kBatchDelay = 50;

// A batch repaints nothing until it is in: thousands of items, and up to a hundred steps of the
// bar, each of which the bar would otherwise paint at once (under Wine a millisecond a step).
// The screen shows the same when the batch is done.
class Quiet {
 public:
  Quiet(HWND list, HWND bar) : list(list), bar(bar) {
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    if (bar) SendMessageW(bar, WM_SETREDRAW, FALSE, 0);
  }
  ~Quiet() {
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    if (bar) {
      SendMessageW(bar, WM_SETREDRAW, TRUE, 0);
      InvalidateRect(bar, nullptr, TRUE);
    }
  }
  Quiet(const Quiet&) = delete;
  Quiet& operator=(const Quiet&) = delete;

 private:
  HWND list, bar;
};

}  // namespace

SearchProgressDialog::SearchProgressDialog(const BookApi& book, HWND list, const booktext::SearchKey& key,
                                           SearchMode mode)
    : book(book),
      list(list),
      listProc(reinterpret_cast<WNDPROC>(GetClassLongPtrW(list, GCLP_WNDPROC))),
      key(key),
      mode(mode),
      batches([this] { AddEmptyItem(); },
              [this] { SendMessageW(bar, PBM_STEPIT, 0, 0); }) {}

void SearchProgressDialog::AddEmptyItem() {
  if (listProc)
    CallWindowProcW(listProc, list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L""));
  else
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L""));
}

brisvane::SearchOutcome SearchProgressDialog::Run(HWND owner) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  INT_PTR result = RunModal(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_SEARCH), owner);
  if (result == static_cast<INT_PTR>(brisvane::SearchOutcome::kHits)) return brisvane::SearchOutcome::kHits;
  if (result == static_cast<INT_PTR>(brisvane::SearchOutcome::kReadError)) return brisvane::SearchOutcome::kReadError;
  return brisvane::SearchOutcome::kNoHit;  // also when the dialog could not be shown at all
}

INT_PTR SearchProgressDialog::OnInitDialog() {
  textFont.Attach(CreateJapaneseUiFont(9, ui::WindowDpi(Hwnd())));
  if (textFont) {
    for (int id : {IDT_SEARCH_TEXT, static_cast<int>(IDCANCEL)})
      SendDlgItemMessageW(Hwnd(), id, WM_SETFONT, reinterpret_cast<WPARAM>(textFont.Get()), FALSE);
    SendMessageW(Hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(textFont.Get()), FALSE);
  }
  bar = GetDlgItem(Hwnd(), IDC_SEARCH_PROGRESS);
  text = GetDlgItem(Hwnd(), IDT_SEARCH_TEXT);
  SendMessageW(bar, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
  SendMessageW(bar, PBM_SETSTEP, 1, 0);
  SendMessageW(bar, PBM_SETPOS, 0, 0);
  waitCursor = LoadCursorW(nullptr, IDC_WAIT);
  ShowWindow(Hwnd(), SW_SHOW);
  SetTimer(Hwnd(), kCountTimer, kCountDelay, nullptr);
  return TRUE;
}

void SearchProgressDialog::RunBatch() {
  Quiet quiet(list, bar);
  bool complete = batches.RunBatch();
  if (complete) {
    SendMessageW(bar, PBM_SETPOS, 100, 0);
    End(brisvane::SearchOutcome::kHits);
  }
}

void SearchProgressDialog::OnTimer(UINT_PTR id) {
  SetCursor(waitCursor);
  ShowCursor(TRUE);
  if (id == kScanTimer) {
    ScanText();
    return;
  }
  if (id == kCountTimer) {
    KillTimer(Hwnd(), kCountTimer);
    if (mode == SearchMode::kFullText) {
      if (!book.epwFullTextBegin || !book.epwFullTextNext) {
        End(brisvane::SearchOutcome::kReadError);
      } else if (book.epwFullTextBegin(key.bytes) != kDunmoorSuccess) {
        End(brisvane::SearchOutcome::kNoHit);
      } else {
        SetTimer(Hwnd(), kScanTimer, kScanDelay, nullptr);
      }
      return;
    }
    const bool keywords = mode == SearchMode::kKeyword;
    if (keywords ? !book.epwSearchKeywords : !book.epwGetWordProperties) {
      End(brisvane::SearchOutcome::kReadError);
      return;
    }
    // The library normalises the key in place: give it a copy.
    booktext::SearchKey working = key;
    WordProperties properties = {};
    int32_t result = keywords ? book.epwSearchKeywords(working.bytes, &properties)
                              : book.epwGetWordProperties(working.bytes, &properties);
    brisvane::SearchOutcome outcome;
    {
      Quiet quiet(list, bar);
      outcome = batches.Start(result, properties.hitCount);
    }
    if (outcome != brisvane::SearchOutcome::kHits) {
      End(outcome);
    } else if (batches.Pending()) {
      SetTimer(Hwnd(), kBatchTimer, kBatchDelay, nullptr);
    } else {
      SendMessageW(bar, PBM_SETPOS, 100, 0);
      End(brisvane::SearchOutcome::kHits);
    }
  } else if (id == kBatchTimer) {
    RunBatch();
  }
}

void SearchProgressDialog::ScanText() {
  // Pieces of the text for a slice of time (the first tick one piece, so that the list begins
  // to fill at once), then the list and the count catch up.
  const DWORD begin = GetTickCount();
  const DWORD slice = ticks++ == 0 ? 0 : kScanSlice;
  int32_t result = kDunmoorGoesOn;
  WordProperties properties = {};
  do {
    result = book.epwFullTextNext(&properties);
    if (result == kDunmoorSuccess || result == kDunmoorGoesOn) found = properties.hitCount;
  } while (result == kDunmoorGoesOn && GetTickCount() - begin < slice);
  ListFound();
  if (result == kDunmoorGoesOn) return;
  KillTimer(Hwnd(), kScanTimer);
  if (result == kDunmoorFailed) End(brisvane::SearchOutcome::kReadError);
  else End(found > 0 ? brisvane::SearchOutcome::kHits : brisvane::SearchOutcome::kNoHit);
}

void SearchProgressDialog::ListFound() {
  {
    Quiet quiet(list, bar);
    for (; listed < found && listed < kMaxListItems; ++listed) AddEmptyItem();
    SendMessageW(bar, PBM_STEPIT, 0, 0);  // the bar goes round while the scan goes on
  }
  wchar_t line[96];
  std::wstring format = ui::LoadText(IDS_FULLTEXT_PROGRESS);
  swprintf(line, sizeof line / sizeof line[0], format.c_str(), static_cast<int>(found));
  SetWindowTextW(text, line);
}

void SearchProgressDialog::End(brisvane::SearchOutcome outcome) {
  KillTimer(Hwnd(), kCountTimer);
  KillTimer(Hwnd(), kBatchTimer);
  KillTimer(Hwnd(), kScanTimer);
  EndDialog(Hwnd(), static_cast<INT_PTR>(outcome));
}

INT_PTR SearchProgressDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      OnTimer(wParam);
      return TRUE;
    case WM_SETCURSOR:
      SetCursor(waitCursor);
      SetWindowLongPtrW(Hwnd(), DWLP_MSGRESULT, TRUE);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL) {
        // A full-text scan stops where it is: what it found is the result.
        if (mode == SearchMode::kFullText) End(found > 0 ? brisvane::SearchOutcome::kHits : brisvane::SearchOutcome::kNoHit);
        else End(batches.Cancel());
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

INT_PTR SearchProgressDialog::OnUnexpectedException(UINT) {
  End(brisvane::SearchOutcome::kReadError);
  return TRUE;
}

}  // namespace brisvane
