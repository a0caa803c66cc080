#include "TextSizeControl_win.h"

#include <cstdint>

#include "Calvetta.h"
#include "ContentView_win.h"
#include "FramePanes_win.h"
#include "ResultList_win.h"
#include "Settings_win.h"
#include "TextSize.h"

namespace brisvane {

void TextSizeControl::Restore() {
  uint32_t stored = 0;
  if (exchange::ReadNumberSetting(L"view", L"TextSize", &stored) && StoredTextSize(stored) != kNormalTextSize)
    Set(StoredTextSize(stored), false);
}

void TextSizeControl::Larger() { Set(LargerTextSize(percent), true); }
void TextSizeControl::Smaller() { Set(SmallerTextSize(percent), true); }
void TextSizeControl::Normal() { Set(kNormalTextSize, true); }

bool TextSizeControl::OnMouseWheel(WPARAM wParam) {
  if (!(GET_KEYSTATE_WPARAM(wParam) & MK_CONTROL)) return false;
  const int delta = GET_WHEEL_DELTA_WPARAM(wParam);
  if (delta > 0) Larger();
  else if (delta < 0) Smaller();
  return true;
}

void TextSizeControl::Set(int size, bool remember) {
  percent = size;
  if (HWND view = panes.Content().ContentWindow())
    SendMessageW(view, VM_VIEW_TEXTSIZE, static_cast<WPARAM>(size), 0);
  list.SetTextSize(size);
  panes.SetTextSize(size);
  if (remember) exchange::WriteNumberSetting(L"view", L"TextSize", static_cast<uint32_t>(size));
}

}  // namespace brisvane
