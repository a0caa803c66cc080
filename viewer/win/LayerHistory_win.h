// The layers of references followed from the entry shown: the text positions they were
// followed from and the book each lies in (an entry of a shelf search is shown from its own
// book), most recent first. 前の階層 (the toolbar button and F3) goes back one layer and is
// greyed while there is none to go back to.
#ifndef BRISVANE_VIEWER_WIN_LAYERHISTORY_WIN_H
#define BRISVANE_VIEWER_WIN_LAYERHISTORY_WIN_H

#include <cstdint>
#include <vector>

#include "BookPlace.h"

namespace brisvane {

class FrameBars;

class LayerHistory {
 public:
  explicit LayerHistory(FrameBars& bars) : bars(bars) {}

  // A reference was followed from position of the book at place.
  void Push(int32_t position, const BookPlace& place);
  // Takes the most recent layer off into *position and *place; false when there is none.
  bool Pop(int32_t* position, BookPlace* place);
  // No layers; the button greyed.
  void Clear();
  // The button greyed, the layers kept (a search has begun; its first entry clears them).
  void GreyButton();
  bool Empty() const { return layers.empty(); }

 private:
  FrameBars& bars;
  struct Layer {
    int32_t position;
    BookPlace place;
  };
  std::vector<Layer> layers;  // most recent first
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_LAYERHISTORY_WIN_H
