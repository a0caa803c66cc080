#include "win/ScrollButton_win.h"

namespace calvetta {
namespace {

constexpr wchar_t kOldProcProperty[] = L"CalvettaButtonProc";
// The pressed state last reported to the parent. The button's own procedure sends itself
// messages (BM_SETSTATE inside WM_LBUTTONDOWN), so one change is seen at more than one level;
// comparing with what was reported posts each change once.
constexpr wchar_t kReportedProperty[] = L"CalvettaButtonPushed";

bool IsPushed(WNDPROC old, HWND button) {
  return (CallWindowProcW(old, button, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
}

LRESULT CALLBACK ButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC old = reinterpret_cast<WNDPROC>(GetPropW(button, kOldProcProperty));
  if (!old) return DefWindowProcW(button, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
    RemovePropW(button, kOldProcProperty);
    RemovePropW(button, kReportedProperty);
    return CallWindowProcW(old, button, message, wParam, lParam);
  }
  LRESULT result = CallWindowProcW(old, button, message, wParam, lParam);
  HWND parent = GetParent(button);
  if (message == WM_LBUTTONUP) {
    if (GetCapture() == button) ReleaseCapture();
    SetFocus(parent);
  }
  bool isPushed = IsPushed(old, button);
  bool reported = GetPropW(button, kReportedProperty) != nullptr;
  if (isPushed != reported) {
    SetPropW(button, kReportedProperty, isPushed ? reinterpret_cast<HANDLE>(1) : nullptr);
    PostMessageW(parent, WM_USER + GetDlgCtrlID(button), isPushed ? 1 : 0, 0);
  }
  return result;
}

}  // namespace

HWND CreateScrollButton(HWND parent, int id, HICON icon, HINSTANCE module) {
  HWND button = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_ICON | BS_CENTER, 0, 0, 16, 16, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), module, nullptr);
  if (!button) return nullptr;
  if (icon) SendMessageW(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
  LONG_PTR old = GetWindowLongPtrW(button, GWLP_WNDPROC);
  SetPropW(button, kOldProcProperty, reinterpret_cast<HANDLE>(old));
  SetWindowLongPtrW(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ButtonProc));
  return button;
}

}  // namespace calvetta
