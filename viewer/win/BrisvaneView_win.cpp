#include "BrisvaneView_win.h"

#include "BrisvaneRes.h"
#include "ContentView_win.h"
#include "SearchPanel_win.h"

namespace brisvane {

namespace {
const wchar_t kClassName[] = L"BrisvaneListPane";
}

bool BrisvaneView::Create(HWND parent, HWND frameWindow, AppState& state, SearchPanel& searchPanel,
                          const BookApi& book) {
  frame = frameWindow;
  app = &state;
  panel = &searchPanel;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  whiteBrush.Attach(CreateSolidBrush(RGB(255, 255, 255)));
  if (!RegisterClassOnce(instance, kClassName, 0, LoadCursorW(nullptr, IDC_ARROW), whiteBrush.Get())) return false;
  if (!ui::Window::Create(instance, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_CLIENTEDGE, 0, 0,
                          0, 0, parent, nullptr))
    return false;
  return panel->CreateResultList(Hwnd(), frame, book);
}

LRESULT BrisvaneView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // The pane becoming active (its own focus, or the list's) may send the focus to the word box.
  if (message == WM_SETFOCUS ||
      (message == WM_COMMAND && LOWORD(wParam) == IDL_RESULTLIST && HIWORD(wParam) == LBN_SETFOCUS))
    NotePaneActivated(*app, frame);
  LRESULT result = 0;
  if (panel && panel->HandleListPaneMessage(Hwnd(), message, wParam, lParam, &result)) return result;
  return ui::Window::OnMessage(message, wParam, lParam);
}

}  // namespace brisvane
