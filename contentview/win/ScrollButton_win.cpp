#include "win/ScrollButton_win.h"

#include "ui/Subclass.h"

namespace calvetta {
namespace {

// A scroll button reports each change of its pressed state to the parent once, and gives the
// focus back to the parent when released. It owns itself and goes with its button.
class ScrollButton : public ui::Subclass {
 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    LRESULT result = Default(message, wParam, lParam);
    if (message == WM_NCDESTROY) return result;
    HWND button = Control();
    HWND parent = GetParent(button);
    if (message == WM_LBUTTONUP) {
      if (GetCapture() == button) ReleaseCapture();
      SetFocus(parent);
    }
    // The button's own procedure sends itself messages (BM_SETSTATE inside WM_LBUTTONDOWN), so
    // one change is seen at more than one level; comparing with what was reported posts each
    // change once.
    bool isPushed = (Default(BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
    if (isPushed != reported) {
      reported = isPushed;
      PostMessageW(parent, WM_USER + GetDlgCtrlID(button), isPushed ? 1 : 0, 0);
    }
    return result;
  }
  void OnControlGone() override { delete this; }

 private:
  bool reported = false;  // the pressed state last reported to the parent
};

}  // namespace

HWND CreateScrollButton(HWND parent, int id, HICON icon, HINSTANCE module) {
  HWND button = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_ICON | BS_CENTER, 0, 0, 16, 16, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), module, nullptr);
  if (!button) return nullptr;
  if (icon) SendMessageW(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
  auto* subclass = new ScrollButton;
  if (!subclass->Attach(button)) delete subclass;
  return button;
}

}  // namespace calvetta
