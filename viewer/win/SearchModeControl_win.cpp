#include "SearchModeControl_win.h"

#include <cstdint>

#include "BrisvaneRes.h"
#include "Settings_win.h"
#include "UiFont_win.h"
#include "ui/Dpi.h"

namespace brisvane {

namespace {

constexpr const wchar_t* kLabels[] = {L"見出し", L"条件", L"全文"};
constexpr int kModeCount = 3;
constexpr int kBoxWidth = 64;       // at 96 dots an inch
constexpr int kBoxListHeight = 120;  // with its drop-down list
constexpr int kGap = 2;

}  // namespace

bool SearchModeControl::Create(HWND toolbar, const RECT& slot, int dpi) {
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(toolbar, GWLP_HINSTANCE));
  box = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST, slot.left, slot.top,
                        kBoxWidth, kBoxListHeight, toolbar, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_MODEBOX)),
                        instance, nullptr);
  if (!box) return false;
  for (const wchar_t* label : kLabels) SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(label));
  SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(mode), 0);
  SetDpi(dpi, slot);
  return true;
}

void SearchModeControl::SetDpi(int dpi, const RECT& slot) {
  if (!box) return;
  ui::UniqueFont next(CreateJapaneseUiFont(10, dpi));
  if (next) {
    SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(next.Get()), TRUE);
    font = std::move(next);
  }
  SetWindowPos(box, nullptr, slot.left + ui::ScaledPixels(kGap, dpi), slot.top, ui::ScaledPixels(kBoxWidth, dpi),
               ui::ScaledPixels(kBoxListHeight, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
}

void SearchModeControl::Restore() {
  uint32_t stored = 0;
  if (exchange::ReadNumberSetting(L"search", L"Mode", &stored) && stored < kModeCount) {
    mode = static_cast<SearchMode>(stored);
    Show();
  }
}

void SearchModeControl::Choose(SearchMode chosen) {
  mode = chosen;
  Show();
  exchange::WriteNumberSetting(L"search", L"Mode", static_cast<uint32_t>(mode));
}

void SearchModeControl::Show() {
  if (box) SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(mode), 0);
}

bool SearchModeControl::Offered(SearchMode mode, const BookApi& api, bool bookOpen) {
  switch (mode) {
    case SearchMode::kHeadword:
      return true;
    case SearchMode::kKeyword:
      if (!api.epwSearchKeywords || !api.epwGetSearchModes) return false;
      return !bookOpen || (api.epwGetSearchModes() & kDunmoorKeywordSearch) != 0;
    case SearchMode::kFullText:
      return api.epwFullTextBegin && api.epwFullTextNext;
  }
  return false;
}

}  // namespace brisvane
