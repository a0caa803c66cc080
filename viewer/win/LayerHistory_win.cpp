#include "LayerHistory_win.h"

#include "BrisvaneRes.h"
#include "FrameBars_win.h"

namespace brisvane {

void LayerHistory::Push(int32_t position, const BookPlace& place) {
  layers.insert(layers.begin(), Layer{position, place});
  bars.SetButtonState(IDM_PREVIOUS_LAYER, TBSTATE_ENABLED);
}

bool LayerHistory::Pop(int32_t* position, BookPlace* place) {
  if (layers.empty()) return false;
  *position = layers.front().position;
  *place = layers.front().place;
  layers.erase(layers.begin());
  if (layers.empty()) GreyButton();
  return true;
}

void LayerHistory::Clear() {
  layers.clear();
  GreyButton();
}

void LayerHistory::GreyButton() { bars.SetButtonState(IDM_PREVIOUS_LAYER, TBSTATE_INDETERMINATE); }

}  // namespace brisvane
