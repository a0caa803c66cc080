// What a feature of the main frame may ask of the frame itself: the frame routes the request
// to the features it concerns.
#ifndef BRISVANE_VIEWER_WIN_FRAMEROUTER_H
#define BRISVANE_VIEWER_WIN_FRAMEROUTER_H

#include <string>

namespace brisvane {

class FrameRouter {
 public:
  virtual ~FrameRouter() = default;
  // The list and the word box emptied (the history stays), the content blanked, no layers,
  // the count pane blank: as after a new book.
  virtual void ResetPanes() = 0;
  // The word into the word box, at the top of its history, and searched.
  virtual void LookUp(const std::wstring& word) = 0;
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_FRAMEROUTER_H
