#include "ShelfProgressDialog_win.h"

#include <commctrl.h>

#include <cwchar>
#include <string>

#include "BrisvaneRes.h"
#include "UiFont_win.h"
#include "ui/Dpi.h"
#include "ui/ResourceText.h"

namespace brisvane {

namespace {

constexpr UINT_PTR kTimer = 103;
constexpr UINT kFirstDelay = 20;
constexpr UINT kDelay = 10;
constexpr DWORD kSlice = 100;  // milliseconds of searching a tick

}  // namespace

ShelfProgressDialog::ShelfProgressDialog(ShelfRun& run, HWND list)
    : run(run), list(list), listProc(reinterpret_cast<WNDPROC>(GetClassLongPtrW(list, GCLP_WNDPROC))) {}

brisvane::SearchOutcome ShelfProgressDialog::Run(HWND owner) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  RunModal(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_SEARCH), owner);
  return listed > 0 ? brisvane::SearchOutcome::kHits : brisvane::SearchOutcome::kNoHit;
}

INT_PTR ShelfProgressDialog::OnInitDialog() {
  textFont.Attach(CreateJapaneseUiFont(9, ui::WindowDpi(Hwnd())));
  if (textFont) {
    for (int id : {IDT_SEARCH_TEXT, static_cast<int>(IDCANCEL)})
      SendDlgItemMessageW(Hwnd(), id, WM_SETFONT, reinterpret_cast<WPARAM>(textFont.Get()), FALSE);
  }
  bar = GetDlgItem(Hwnd(), IDC_SEARCH_PROGRESS);
  text = GetDlgItem(Hwnd(), IDT_SEARCH_TEXT);
  SendMessageW(bar, PBM_SETRANGE32, 0, run.Ticked() > 0 ? run.Ticked() : 1);
  SendMessageW(bar, PBM_SETPOS, 0, 0);
  waitCursor = LoadCursorW(nullptr, IDC_WAIT);
  ShowWindow(Hwnd(), SW_SHOW);
  SetTimer(Hwnd(), kTimer, kFirstDelay, nullptr);
  return TRUE;
}

void ShelfProgressDialog::Tick() {
  // The first tick searches one book, so that the list begins to fill at once.
  const DWORD begin = GetTickCount();
  const DWORD slice = ticks++ == 0 ? 0 : kSlice;
  bool more = true;
  do {
    more = run.Step();
  } while (more && GetTickCount() - begin < slice);
  ListFound();
  if (!more) End();
  else SetTimer(Hwnd(), kTimer, kDelay, nullptr);
}

void ShelfProgressDialog::ListFound() {
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  for (; listed < run.Hits().size(); ++listed) {
    if (listProc) CallWindowProcW(listProc, list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L""));
    else SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L""));
  }
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
  SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(run.Done()), 0);
  wchar_t line[128];
  std::wstring format = ui::LoadText(IDS_SHELF_PROGRESS);
  swprintf(line, sizeof line / sizeof line[0], format.c_str(), run.Done(), run.Ticked(), static_cast<int>(run.Total()));
  SetWindowTextW(text, line);
}

void ShelfProgressDialog::End() {
  KillTimer(Hwnd(), kTimer);
  EndDialog(Hwnd(), 0);
}

INT_PTR ShelfProgressDialog::OnMessage(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_TIMER:
      if (wParam != kTimer) return FALSE;
      KillTimer(Hwnd(), kTimer);
      SetCursor(waitCursor);
      Tick();
      return TRUE;
    case WM_SETCURSOR:
      SetCursor(waitCursor);
      SetWindowLongPtrW(Hwnd(), DWLP_MSGRESULT, TRUE);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) != IDCANCEL) return FALSE;
      End();  // what was listed stays
      return TRUE;
    default:
      return FALSE;
  }
}

INT_PTR ShelfProgressDialog::OnUnexpectedException(UINT) {
  End();
  return TRUE;
}

}  // namespace brisvane
