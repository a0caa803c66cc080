#include "BrisvaneView_win.h"

#include "BrisvaneRes.h"
#include "ContentView_win.h"
#include "ResultList_win.h"

namespace brisvane {

namespace {
const wchar_t kClassName[] = L"BrisvaneListPane";
}

bool BrisvaneView::Create(HWND parent, HWND frameWindow, AppState& state, ResultList& resultList) {
  frame = frameWindow;
  app = &state;
  list = &resultList;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  whiteBrush.Attach(CreateSolidBrush(RGB(255, 255, 255)));
  if (!RegisterClassOnce(instance, kClassName, 0, LoadCursorW(nullptr, IDC_ARROW), whiteBrush.Get())) return false;
  if (!ui::Window::Create(instance, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_CLIENTEDGE, 0, 0,
                          0, 0, parent, nullptr))
    return false;
  return list->Create(Hwnd(), frame);
}

LRESULT BrisvaneView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // The pane becoming active (its own focus, or the list's) may send the focus to the word box.
  if (message == WM_SETFOCUS ||
      (message == WM_COMMAND && LOWORD(wParam) == IDL_RESULTLIST && HIWORD(wParam) == LBN_SETFOCUS))
    NotePaneActivated(*app, frame);
  LRESULT result = 0;
  if (list && list->HandlePaneMessage(Hwnd(), message, wParam, lParam, &result)) return result;
  return ui::Window::OnMessage(message, wParam, lParam);
}

}  // namespace brisvane
