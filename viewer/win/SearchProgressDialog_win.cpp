#include "SearchProgressDialog_win.h"

#include <commctrl.h>

#include <cwchar>
#include <string>

#include "BrisvaneRes.h"
#include "ResultList_win.h"
#include "UiFont_win.h"
#include "ui/Dpi.h"
#include "ui/ResourceText.h"

namespace brisvane {

namespace {

constexpr UINT_PTR kFirstTimer = 100;  // once: the first tick (a counted search's count)
constexpr UINT_PTR kNextTimer = 101;   // the ticks after it

uint32_t Clock() { return static_cast<uint32_t>(GetTickCount()); }

}  // namespace

SearchProgressDialog::SearchProgressDialog(search::SearchJob& job, ResultList& list, std::function<void()> opened,
                                           std::function<void()> finishing)
    : job(job),
      list(list),
      opened(std::move(opened)),
      finishing(std::move(finishing)),
      run(job, [this](int32_t count) { this->list.Add(count); }) {}

SearchOutcome SearchProgressDialog::Run(HWND ownerWindow) {
  owner = ownerWindow;
  if (run.Pace().quietMs > 0) {
    // The job begins before any dialog: one done by then needs none.
    if (opened) opened();
    opened = nullptr;
    bool more = false;
    {
      ResultList::Quiet quiet(list);
      more = run.Begin(Clock);
    }
    if (!more) {
      if (run.Outcome() == SearchOutcome::kHits && finishing) finishing();
      return run.Outcome();
    }
  }
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  const INT_PTR result = RunModal(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_SEARCH), owner);
  if (result == static_cast<INT_PTR>(SearchOutcome::kHits)) return SearchOutcome::kHits;
  if (result == static_cast<INT_PTR>(SearchOutcome::kReadError)) return SearchOutcome::kReadError;
  return SearchOutcome::kNoHit;
}

void SearchProgressDialog::OnOpening(HWND dialog) {
  // The wait begins as the dialog opens; making it ready for the eye belongs to the wait.
  SetTimer(dialog, kFirstTimer, run.Pace().firstDelayMs, nullptr);
}

INT_PTR SearchProgressDialog::OnInitDialog() {
  if (opened) opened();
  textFont.Attach(CreateJapaneseUiFont(9, ui::WindowDpi(Hwnd())));
  if (textFont) {
    for (int id : {IDT_SEARCH_TEXT, static_cast<int>(IDCANCEL)})
      SendDlgItemMessageW(Hwnd(), id, WM_SETFONT, reinterpret_cast<WPARAM>(textFont.Get()), FALSE);
    SendMessageW(Hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(textFont.Get()), FALSE);
  }
  bar = GetDlgItem(Hwnd(), IDC_SEARCH_PROGRESS);
  text = GetDlgItem(Hwnd(), IDT_SEARCH_TEXT);
  SendMessageW(bar, PBM_SETRANGE32, 0, run.BarRange());
  SendMessageW(bar, PBM_SETPOS, 0, 0);
  waitCursor = LoadCursorW(nullptr, IDC_WAIT);
  if (run.Pace().quietMs > 0) ShowProgress();  // how far the job got before the dialog
  ShowWindow(Hwnd(), SW_SHOW);
  return TRUE;
}

void SearchProgressDialog::Tick() {
  SetCursor(waitCursor);
  ShowCursor(TRUE);
  bool more = false;
  {
    // The list repaints nothing until the tick's items are in (thousands of them), nor the bar.
    ResultList::Quiet quiet(list);
    more = run.Tick(Clock);
  }
  ShowProgress();
  if (!more) End(run.Outcome());
}

void SearchProgressDialog::ShowProgress() {
  SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(run.BarPosition()), 0);
  // A counted search keeps the dialog's own text; the others say how far they got.
  const search::JobForm form = job.Form();
  if (form == search::JobForm::kCounted) return;
  wchar_t line[160];
  if (form == search::JobForm::kScan)
    swprintf(line, sizeof line / sizeof line[0], ui::LoadText(IDS_FULLTEXT_PROGRESS).c_str(), static_cast<int>(job.Found()));
  else
    swprintf(line, sizeof line / sizeof line[0], ui::LoadText(IDS_SHELF_PROGRESS).c_str(), static_cast<int>(job.BooksDone()),
             static_cast<int>(job.Books()), static_cast<int>(job.Found()));
  SetWindowTextW(text, line);
}

void SearchProgressDialog::End(SearchOutcome outcome) {
  KillTimer(Hwnd(), kFirstTimer);
  KillTimer(Hwnd(), kNextTimer);
  if (outcome == SearchOutcome::kHits && finishing) {
    // The frame takes the focus back before the dialog goes: closing it then hands the focus on
    // to nothing (else to the word box first, then to the list).
    EnableWindow(owner, TRUE);
    finishing();
  }
  EndDialog(Hwnd(), static_cast<INT_PTR>(outcome));
}

INT_PTR SearchProgressDialog::OnMessage(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_TIMER:
      if (wParam == kFirstTimer) {
        KillTimer(Hwnd(), kFirstTimer);
        SetTimer(Hwnd(), kNextTimer, run.Pace().nextDelayMs, nullptr);
      } else if (wParam != kNextTimer) {
        return FALSE;
      }
      Tick();
      return TRUE;
    case WM_SETCURSOR:
      SetCursor(waitCursor);
      SetWindowLongPtrW(Hwnd(), DWLP_MSGRESULT, TRUE);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) != IDCANCEL) return FALSE;
      End(run.Cancel());
      return TRUE;
    default:
      return FALSE;
  }
}

INT_PTR SearchProgressDialog::OnUnexpectedException(UINT) {
  job.Stop();
  End(SearchOutcome::kReadError);
  return TRUE;
}

}  // namespace brisvane
