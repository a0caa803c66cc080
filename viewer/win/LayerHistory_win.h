// The layers of references followed from the entry shown: the text positions they were
// followed from, most recent first. 前の階層 (the toolbar button and F3) goes back one layer and
// is greyed while there is none to go back to.
#ifndef BRISVANE_VIEWER_WIN_LAYERHISTORY_WIN_H
#define BRISVANE_VIEWER_WIN_LAYERHISTORY_WIN_H

#include <cstdint>
#include <vector>

namespace brisvane {

class FrameBars;

class LayerHistory {
 public:
  explicit LayerHistory(FrameBars& bars) : bars(bars) {}

  // A reference was followed from position.
  void Push(int32_t position);
  // Takes the most recent layer off into *position; false when there is none.
  bool Pop(int32_t* position);
  // No layers; the button greyed.
  void Clear();
  // The button greyed, the layers kept (a search has begun; its first entry clears them).
  void GreyButton();
  bool Empty() const { return positions.empty(); }

 private:
  FrameBars& bars;
  std::vector<int32_t> positions;  // most recent first
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_LAYERHISTORY_WIN_H
