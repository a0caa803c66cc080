#include "Subclass.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

namespace ui {

namespace {

// One subclassed control: its own procedure and the objects on it, the first attached first.
struct Chain {
  WNDPROC original = nullptr;
  std::vector<Subclass*> objects;
};

// Windows belong to the thread that made them, and only that thread runs their procedures.
thread_local std::unordered_map<HWND, Chain> tChains;

Chain* ChainOf(HWND control) {
  auto found = tChains.find(control);
  return found == tChains.end() ? nullptr : &found->second;
}

}  // namespace

bool Subclass::Attach(HWND window) {
  Detach();
  if (!window || !IsWindow(window)) return false;
  Chain* chain = ChainOf(window);
  if (!chain) {
    auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
    if (!original) return false;
    chain = &tChains.emplace(window, Chain{original, {}}).first->second;
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc));
  }
  chain->objects.push_back(this);
  control = window;
  return true;
}

void Subclass::Detach() {
  if (!control) return;
  if (Chain* chain = ChainOf(control)) {
    chain->objects.erase(std::remove(chain->objects.begin(), chain->objects.end(), this), chain->objects.end());
    // The control gets its own procedure back, unless someone has put another over ours: then
    // ours stays and hands everything on.
    if (chain->objects.empty() && GetWindowLongPtrW(control, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&Proc)) {
      SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(chain->original));
      tChains.erase(control);
    }
  }
  control = nullptr;
}

LRESULT Subclass::Handle(Subclass* object, UINT message, WPARAM wParam, LPARAM lParam) {
  // Exceptions must not unwind through the system's code that called us.
  try {
    return object->OnMessage(message, wParam, lParam);
  } catch (...) {
    return 0;
  }
}

LRESULT Subclass::Default(UINT message, WPARAM wParam, LPARAM lParam) {
  Chain* chain = control ? ChainOf(control) : nullptr;
  if (!chain) return 0;  // detached while handling the message
  auto self = std::find(chain->objects.begin(), chain->objects.end(), this);
  if (self != chain->objects.end() && self != chain->objects.begin()) return Handle(*(self - 1), message, wParam, lParam);
  return CallWindowProcW(chain->original, control, message, wParam, lParam);
}

LRESULT CALLBACK Subclass::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Chain* chain = ChainOf(hwnd);
  if (!chain) return DefWindowProcW(hwnd, message, wParam, lParam);
  LRESULT result = chain->objects.empty() ? CallWindowProcW(chain->original, hwnd, message, wParam, lParam)
                                          : Handle(chain->objects.back(), message, wParam, lParam);
  if (message == WM_NCDESTROY && (chain = ChainOf(hwnd))) {  // the control's last message
    std::vector<Subclass*> objects = std::move(chain->objects);
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(chain->original));
    tChains.erase(hwnd);
    for (Subclass* object : objects) {
      object->control = nullptr;
      object->OnControlGone();
    }
  }
  return result;
}

}  // namespace ui
