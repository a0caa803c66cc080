#include "SearchProgressDialog_win.h"

#include <commctrl.h>

#include <cstring>
#include <vector>

#include "UiFont_win.h"
#include "ui/Dpi.h"

namespace brisvane {

namespace {

constexpr int kTextId = 1003;
constexpr int kProgressBarId = 1004;
constexpr UINT_PTR kCountTimer = 100;  // once: count the hits, first batch
constexpr UINT_PTR kBatchTimer = 101;  // the later batches
constexpr UINT kCountDelay = 100;
constexpr UINT kBatchDelay = 50;

// The dialog template (dialog 161 of the design), built in memory so that it travels with
// this code: caption "検索", the text "しばらくお待ちください...", a progress bar, Cancel.
class TemplateWriter {
 public:
  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words.data()); }

  void Dialog(DWORD style, short controls, short cx, short cy, const wchar_t* title) {
    DLGTEMPLATE header = {};
    header.style = style;
    header.cdit = controls;
    header.cx = cx;
    header.cy = cy;
    Append(&header, sizeof header);
    words.push_back(0);  // no menu
    words.push_back(0);  // the standard dialog class
    String(title);
    words.push_back(9);  // DS_SETFONT: point size and face
    String(L"MS Shell Dlg");
  }

  void Control(DWORD style, short x, short y, short cx, short cy, WORD id, WORD classAtom, const wchar_t* text) {
    while (words.size() % 2) words.push_back(0);  // DLGITEMTEMPLATE starts on a DWORD
    DLGITEMTEMPLATE item = {};
    item.style = style | WS_CHILD | WS_VISIBLE;
    item.x = x;
    item.y = y;
    item.cx = cx;
    item.cy = cy;
    item.id = id;
    Append(&item, sizeof item);
    if (classAtom) {
      words.push_back(0xFFFF);
      words.push_back(classAtom);
    } else {
      String(PROGRESS_CLASSW);
    }
    String(text);
    words.push_back(0);  // no creation data
  }

 private:
  void Append(const void* data, size_t size) {
    const WORD* from = static_cast<const WORD*>(data);
    words.insert(words.end(), from, from + size / sizeof(WORD));
  }
  void String(const wchar_t* text) {
    for (; *text; ++text) words.push_back(static_cast<WORD>(*text));
    words.push_back(0);
  }
  std::vector<WORD> words;
};

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

constexpr WORD kButtonAtom = 0x0080;
constexpr WORD kStaticAtom = 0x0082;

}  // namespace

SearchProgressDialog::SearchProgressDialog(const BookApi& book, HWND list, const booktext::SearchKey& key)
    : book(book),
      list(list),
      listProc(reinterpret_cast<WNDPROC>(GetClassLongPtrW(list, GCLP_WNDPROC))),
      key(key),
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
  TemplateWriter writer;
  writer.Dialog(DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, 3, 186, 66, L"検索");
  writer.Control(SS_LEFT, 10, 8, 166, 10, kTextId, kStaticAtom, L"しばらくお待ちください...");
  writer.Control(WS_BORDER, 10, 22, 166, 12, kProgressBarId, 0, L"");
  writer.Control(BS_PUSHBUTTON | WS_TABSTOP, 68, 42, 50, 16, IDCANCEL, kButtonAtom, L"キャンセル");
  HINSTANCE instance = GetModuleHandleW(nullptr);
  INT_PTR result = RunModal(instance, writer.Get(), owner);
  if (result == static_cast<INT_PTR>(brisvane::SearchOutcome::kHits)) return brisvane::SearchOutcome::kHits;
  if (result == static_cast<INT_PTR>(brisvane::SearchOutcome::kReadError)) return brisvane::SearchOutcome::kReadError;
  return brisvane::SearchOutcome::kNoHit;  // also when the dialog could not be shown at all
}

INT_PTR SearchProgressDialog::OnInitDialog() {
  textFont.Attach(CreateJapaneseUiFont(9, ui::WindowDpi(Hwnd())));
  if (textFont) {
    for (int id : {kTextId, static_cast<int>(IDCANCEL)})
      SendDlgItemMessageW(Hwnd(), id, WM_SETFONT, reinterpret_cast<WPARAM>(textFont.Get()), FALSE);
    SendMessageW(Hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(textFont.Get()), FALSE);
  }
  bar = GetDlgItem(Hwnd(), kProgressBarId);
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
  if (id == kCountTimer) {
    KillTimer(Hwnd(), kCountTimer);
    if (!book.epwGetWordProperties) {
      End(brisvane::SearchOutcome::kReadError);
      return;
    }
    // The library normalises the key in place: give it a copy.
    booktext::SearchKey working = key;
    WordProperties properties = {};
    int32_t result = book.epwGetWordProperties(working.bytes, &properties);
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

void SearchProgressDialog::End(brisvane::SearchOutcome outcome) {
  KillTimer(Hwnd(), kCountTimer);
  KillTimer(Hwnd(), kBatchTimer);
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
        End(batches.Cancel());
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
