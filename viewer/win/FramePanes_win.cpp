#include "FramePanes_win.h"

#include <algorithm>
#include <cstdint>

#include "BrisvaneRes.h"
#include "Settings_win.h"
#include "ui/Dpi.h"

namespace brisvane {

namespace {
// A stored width outside these is none the viewer kept (pixels of a 96-dots-an-inch screen).
constexpr uint32_t kNarrowestList = 40, kWidestList = 2000;
}  // namespace

int FramePanes::Scaled(int designPixels) const { return ui::ScaledPixels(designPixels, dpi); }

int FramePanes::ListWidth() const { return std::max(1, MulDiv(Scaled(listDesignWidth), textPercent, 100)); }

void FramePanes::SetColumns() {
  splitter.SetColumnInfo(0, ListWidth(), 1);
  splitter.SetColumnInfo(1, Scaled(kContentColumnWidth), Scaled(kContentColumnMinimum));
}

void FramePanes::KeepListWidth(int pixels) {
  if (listToggled || pixels <= 0) return;
  // Back to the normal text size and 96 dots an inch, so that either may change and the list
  // keeps its proportion.
  const int design = MulDiv(MulDiv(pixels, 100, textPercent), 96, dpi);
  listDesignWidth = std::clamp(design, static_cast<int>(kNarrowestList), static_cast<int>(kWidestList));
  exchange::WriteNumberSetting(L"view", L"ListWidth", static_cast<uint32_t>(listDesignWidth));
}

void FramePanes::SetTextSize(int percent) {
  textPercent = percent > 0 ? percent : 100;
  if (listToggled) return;
  SetColumns();
  splitter.RecalcLayout();
}

bool FramePanes::Create(HWND frame, AppState& app, ResultList& list, int frameDpi) {
  dpi = frameDpi;
  if (!splitter.Create(frame, ID_SPLITTER)) return false;
  if (!listView.Create(splitter.Hwnd(), frame, app, list) || !contentView.Create(splitter.Hwnd(), frame, app))
    return false;
  splitter.SetPanes(listView.Hwnd(), contentView.Hwnd());
  uint32_t stored = 0;
  if (exchange::ReadNumberSetting(L"view", L"ListWidth", &stored) && stored >= kNarrowestList && stored <= kWidestList)
    listDesignWidth = static_cast<int>(stored);
  splitter.OnDragged([this](int left) { KeepListWidth(left); });
  SetColumns();
  return true;
}

void FramePanes::SetDpi(int newDpi) {
  dpi = newDpi;
  splitter.SetDpi(dpi);
  if (!listToggled) SetColumns();
}

void FramePanes::Place(int width, int top, int bottom) {
  MoveWindow(splitter.Hwnd(), 0, top, width, bottom > top ? bottom - top : 0, TRUE);
}

bool FramePanes::ToggleList(int clientWidth) {
  if (listToggled) {
    splitter.SetColumnInfo(0, savedColumnWidths[0], 1);
    splitter.SetColumnInfo(1, savedColumnWidths[1], Scaled(kContentColumnMinimum));
  } else {
    savedColumnWidths[0] = splitter.ColumnWidth(0);
    savedColumnWidths[1] = splitter.ColumnWidth(1);
    splitter.SetColumnInfo(0, clientWidth - 2, clientWidth - 1);
    splitter.SetColumnInfo(1, 1, 1);
  }
  splitter.RecalcLayout();
  listToggled = !listToggled;
  return listToggled;
}

}  // namespace brisvane
