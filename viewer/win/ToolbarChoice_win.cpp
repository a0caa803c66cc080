#include "ToolbarChoice_win.h"

#include <cstdint>

#include "Settings_win.h"
#include "UiFont_win.h"
#include "ui/Dpi.h"

namespace brisvane {

namespace {

constexpr int kBoxListHeight = 120;  // with its drop-down list, at 96 dots an inch
constexpr int kGap = 2;

}  // namespace

bool ToolbarChoice::Create(HWND toolbar, const RECT& slot, int dpi) {
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(toolbar, GWLP_HINSTANCE));
  box = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST, slot.left, slot.top,
                        width, kBoxListHeight, toolbar, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                        nullptr);
  if (!box) return false;
  for (const wchar_t* label : labels) SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(label));
  SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
  SetDpi(dpi, slot);
  return true;
}

void ToolbarChoice::SetDpi(int dpi, const RECT& slot) {
  if (!box) return;
  ui::UniqueFont next(CreateJapaneseUiFont(10, dpi));
  if (next) {
    SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(next.Get()), TRUE);
    font = std::move(next);
  }
  SetWindowPos(box, nullptr, slot.left + ui::ScaledPixels(kGap, dpi), slot.top, ui::ScaledPixels(width, dpi),
               ui::ScaledPixels(kBoxListHeight, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
}

void ToolbarChoice::Restore() {
  uint32_t stored = 0;
  if (exchange::ReadNumberSetting(key, value, &stored) && stored < labels.size()) {
    chosen = static_cast<int>(stored);
    Show();
  }
}

void ToolbarChoice::Choose(int choice) {
  if (choice < 0 || static_cast<size_t>(choice) >= labels.size()) return;
  chosen = choice;
  Show();
  exchange::WriteNumberSetting(key, value, static_cast<uint32_t>(chosen));
}

void ToolbarChoice::Show() {
  if (box) SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
}

}  // namespace brisvane
