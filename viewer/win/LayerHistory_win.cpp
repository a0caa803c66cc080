#include "LayerHistory_win.h"

#include "BrisvaneRes.h"
#include "FrameBars_win.h"

namespace brisvane {

void LayerHistory::Push(int32_t position) {
  positions.insert(positions.begin(), position);
  bars.SetButtonState(IDM_PREVIOUS_LAYER, TBSTATE_ENABLED);
}

bool LayerHistory::Pop(int32_t* position) {
  if (positions.empty()) return false;
  *position = positions.front();
  positions.erase(positions.begin());
  if (positions.empty()) GreyButton();
  return true;
}

void LayerHistory::Clear() {
  positions.clear();
  GreyButton();
}

void LayerHistory::GreyButton() { bars.SetButtonState(IDM_PREVIOUS_LAYER, TBSTATE_INDETERMINATE); }

}  // namespace brisvane
