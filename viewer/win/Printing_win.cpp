#include "Printing_win.h"

#include <commdlg.h>
#include <cderr.h>

#include <string>

#include "AppState_win.h"
#include "BookSession_win.h"
#include "BrisvaneRes.h"
#include "Calvetta.h"
#include "ContentView_win.h"
#include "FrameBars_win.h"

namespace brisvane {

PrintCommands::~PrintCommands() {
  if (devMode) GlobalFree(devMode);
  if (devNames) GlobalFree(devNames);
}

void PrintCommands::AddCommands(ui::CommandTable& commands, const ui::Window& frameWindow) {
  frame = &frameWindow;
  commands.Add(IDM_PRINT, [this](int, HWND) { Print(); });
  commands.Add(IDM_PAGE_SETUP, [this](int, HWND) { PageSetup(); });
}

void PrintCommands::ReportDialogError() {
  const DWORD error = CommDlgExtendedError();
  if (error == 0) return;  // cancelled
  bars.SetStatusText(0, error == PDERR_NODEFAULTPRN || error == PDERR_PRINTERNOTFOUND ? L"プリンターがありません"
                                                                                      : L"印刷の設定を開けません");
  MessageBeep(MB_ICONWARNING);
}

void PrintCommands::Print() {
  HWND view = content.ContentWindow();
  if (!view || SendMessageW(view, VM_VIEW_TOPAT, 0, 0) < 0) {
    bars.SetStatusText(0, L"印刷する項目がありません");
    return;
  }
  PRINTDLGW dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = frame->Hwnd();
  dialog.hDevMode = devMode;
  dialog.hDevNames = devNames;
  dialog.Flags = PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE;
  dialog.nCopies = 1;
  BOOL chosen;
  {
    AppState::ModalScope modal(app);
    chosen = PrintDlgW(&dialog);
  }
  devMode = dialog.hDevMode;
  devNames = dialog.hDevNames;
  if (!chosen) {
    ReportDialogError();
    return;
  }
  const std::wstring title = book.Title();
  CalvettaPrintJob job = {};
  job.printer = dialog.hDC;
  job.title = title.c_str();
  job.margins[0] = margins.left;
  job.margins[1] = margins.top;
  job.margins[2] = margins.right;
  job.margins[3] = margins.bottom;
  bars.SetStatusText(0, L"印刷しています...");
  const LRESULT pages = SendMessageW(view, VM_VIEW_PRINT, 0, reinterpret_cast<LPARAM>(&job));
  DeleteDC(dialog.hDC);
  if (pages > 0)
    bars.SetStatusText(0, (L"印刷しました (" + std::to_wstring(pages) + L" ページ)").c_str());
  else
    bars.SetStatusText(0, pages == 0 ? L"印刷する項目がありません"
                                     : pages == -1 ? L"印刷できません: プリンターが受け付けません"
                                                   : L"印刷できません: 本文が読み取れません");
}

void PrintCommands::PageSetup() {
  PAGESETUPDLGW dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = frame->Hwnd();
  dialog.hDevMode = devMode;
  dialog.hDevNames = devNames;
  dialog.Flags = PSD_INHUNDREDTHSOFMILLIMETERS | PSD_MARGINS;
  dialog.rtMargin = margins;
  BOOL chosen;
  {
    AppState::ModalScope modal(app);
    chosen = PageSetupDlgW(&dialog);
  }
  devMode = dialog.hDevMode;
  devNames = dialog.hDevNames;
  if (!chosen) {
    ReportDialogError();
    return;
  }
  margins = dialog.rtMargin;
}

}  // namespace brisvane
