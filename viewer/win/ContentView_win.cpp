#include "ContentView_win.h"

#include "AppState_win.h"

namespace brisvane {

namespace {

const wchar_t kClassName[] = L"BrisvaneContentPane";

}  // namespace

void ViewApi::GetMarkCont(char* buffer, int size) const {
  if (size <= 0) return;
  buffer[0] = '\0';
  if (bound.viewGetMarkCont) bound.viewGetMarkCont(buffer, size);
  buffer[size - 1] = '\0';
}

void NotePaneActivated(AppState& app, HWND frame) {
  if (app.TakeWordBoxFocusRequest()) PostMessageW(frame, VM_VIEW_TAB, 2, 0);
}

LRESULT FocusEdge::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Default(message, wParam, lParam);
  if (message == WM_SETFOCUS || message == WM_KILLFOCUS)
    RedrawWindow(pane, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
  return result;
}

void FocusEdge::Draw(HWND pane, HWND content) {
  // Only while the content window is the pane's (not lent to the pop-up).
  if (!content || GetFocus() != content || GetParent(content) != pane) return;
  RECT rect = {};
  GetWindowRect(pane, &rect);
  OffsetRect(&rect, -rect.left, -rect.top);
  HDC dc = GetWindowDC(pane);
  if (!dc) return;
  HBRUSH brush = GetSysColorBrush(COLOR_HIGHLIGHT);
  // Over the two pixels of the client edge.
  for (int i = 0; i < 2; ++i) {
    FrameRect(dc, &rect, brush);
    InflateRect(&rect, -1, -1);
  }
  ReleaseDC(pane, dc);
}

bool ContentView::Create(HWND parent, HWND frameWindow, AppState& state) {
  frame = frameWindow;
  app = &state;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!RegisterClassOnce(instance, kClassName, 0, LoadCursorW(nullptr, IDC_ARROW),
                         reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)))
    return false;
  return ui::Window::Create(instance, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_CLIENTEDGE, 0, 0,
                            0, 0, parent, nullptr) != nullptr;
}

void ContentView::BindCalvetta() {
  // Without the library (or one of its five names) the pane stays empty and the calls through
  // api do nothing.
  ui::BoundLibrary<CalvettaExports> calvetta;
  if (!calvetta.LoadAll(L"Calvetta.dll")) return;
  calvetta.Keep();  // never freed: the content window's code lives in it
  api.bound = calvetta.Get();
  RECT client;
  GetClientRect(Hwnd(), &client);
  contentWindow = static_cast<HWND>(api.bound.viewCreateView(Hwnd(), client.left, client.top, client.right, client.bottom));
  if (contentWindow) focusEdge.Watch(contentWindow, Hwnd());
}

LRESULT ContentView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      BindCalvetta();
      return 0;
    case WM_SIZE:
      if (contentWindow && !lent) MoveWindow(contentWindow, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      return 0;
    case WM_SETFOCUS:
      NotePaneActivated(*app, frame);
      if (contentWindow) SetFocus(contentWindow);
      return 0;
    case WM_PARENTNOTIFY:
      if (LOWORD(wParam) == WM_LBUTTONDOWN || LOWORD(wParam) == WM_RBUTTONDOWN) NotePaneActivated(*app, frame);
      return 0;
    // From the content window, on to the frame.
    case VM_VIEW_TAB:
    case VM_VIEW_HISTORY:
    case VM_VIEW_FAILED:
    case VM_VIEW_SEARCHMARK:
    case VM_VIEW_SOUND:
    case VM_VIEW_LOOKUP:
    case VM_VIEW_TYPED:
      SendMessageW(frame, message, wParam, lParam);
      return 1;
    case WM_NCPAINT: {
      const LRESULT result = ui::Window::OnMessage(message, wParam, lParam);
      FocusEdge::Draw(Hwnd(), contentWindow);
      return result;
    }
    case WM_ERASEBKGND:
      if (!lent || !picture) break;
      return 1;
    case WM_PAINT: {
      if (!lent || !picture) break;
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(Hwnd(), &paint);
      ui::UniqueDc memory(CreateCompatibleDC(dc));
      if (memory) {
        HGDIOBJ old = SelectObject(memory.Get(), picture.Get());
        BitBlt(dc, 0, 0, pictureSize.cx, pictureSize.cy, memory.Get(), 0, 0, SRCCOPY);
        SelectObject(memory.Get(), old);
      }
      EndPaint(Hwnd(), &paint);
      return 0;
    }
    // From the frame, on to the content window.
    case VM_VIEW_SHOWPOS:
    case VM_VIEW_SHOWAT:
      if (contentWindow) SendMessageW(contentWindow, message, wParam, lParam);
      return 1;
    case VM_VIEW_INMSGBOX:
    case VM_VIEW_MARKTEXT:
      return contentWindow ? SendMessageW(contentWindow, message, wParam, lParam) : 0;
    default:
      break;
  }
  return ui::Window::OnMessage(message, wParam, lParam);
}

namespace {

void Deliver(HWND pane, UINT message, WPARAM wParam, LPARAM lParam, bool now) {
  if (now)
    SendMessageW(pane, message, wParam, lParam);
  else
    PostMessageW(pane, message, wParam, lParam);
}

void MarkMatch(HWND pane, const search::HitPlace& hit, bool now) {
  if (hit.matchLength > 0)
    Deliver(pane, VM_VIEW_MARKTEXT, static_cast<WPARAM>(hit.matchPosition), static_cast<LPARAM>(hit.matchLength), now);
}

// What was drawn now is on the screen now: under Wine a window's drawing reaches the screen when
// its thread next looks for messages, which a wait of no time is (elsewhere it costs nothing).
void OnScreenNow(bool now) {
  if (now) MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT);
}

}  // namespace

void ContentView::ShowHit(int index, const search::HitPlace& hit, bool now) const {
  Deliver(Hwnd(), VM_VIEW_SHOWPOS, static_cast<WPARAM>(index), 0, now);
  MarkMatch(Hwnd(), hit, now);
  OnScreenNow(now);
}

void ContentView::Lend(HWND host, const RECT& rect, bool keepPicture) {
  if (!contentWindow) return;
  if (!lent && keepPicture) {
    // What the pane shows now, drawn by it while the view is away.
    RECT client = {};
    GetClientRect(contentWindow, &client);
    ui::WindowDc from(contentWindow);
    ui::UniqueDc memory(from ? CreateCompatibleDC(from.Get()) : nullptr);
    picture.Attach(memory ? CreateCompatibleBitmap(from.Get(), client.right, client.bottom) : nullptr);
    if (picture) {
      HGDIOBJ old = SelectObject(memory.Get(), picture.Get());
      BitBlt(memory.Get(), 0, 0, client.right, client.bottom, from.Get(), 0, 0, SRCCOPY);
      SelectObject(memory.Get(), old);
      pictureSize = {client.right, client.bottom};
    }
  }
  lent = true;
  SetParent(contentWindow, host);
  MoveWindow(contentWindow, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

void ContentView::TakeBack() {
  if (!contentWindow || !lent) return;
  lent = false;
  picture.Close();
  SetParent(contentWindow, Hwnd());
  RECT client = {};
  GetClientRect(Hwnd(), &client);
  MoveWindow(contentWindow, 0, 0, client.right, client.bottom, TRUE);
}

int32_t ContentView::TopAt() const {
  return contentWindow ? static_cast<int32_t>(SendMessageW(contentWindow, VM_VIEW_TOPAT, 0, 0)) : -1;
}

bool ContentView::StepEntry(bool after) const {
  return contentWindow && SendMessageW(contentWindow, VM_VIEW_STEPENTRY, after ? 1 : 0, 0) == 1;
}

void ContentView::ShowAt(const search::HitPlace& hit, bool now) const {
  Deliver(Hwnd(), VM_VIEW_SHOWAT, 0, static_cast<LPARAM>(hit.textPosition), now);
  MarkMatch(Hwnd(), hit, now);
  OnScreenNow(now);
}

}  // namespace brisvane
