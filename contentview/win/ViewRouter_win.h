// What a feature of the content view (marks, media, navigation) may ask of the view's window,
// which routes the request to the layout, the painter and the scroll buttons.
#ifndef CALVETTA_WIN_VIEWROUTER_WIN_H
#define CALVETTA_WIN_VIEWROUTER_WIN_H

namespace calvetta {

class ViewRouter {
 public:
  virtual ~ViewRouter() = default;
  // A read of the book failed: the parent is told (VM_VIEW_FAILED) and the view goes blank.
  virtual void HandleFailure() = 0;
  // The scroll buttons enabled as far as the text goes each way.
  virtual void UpdateButtons() = 0;
  // The page drawn again now (no marks).
  virtual void RedrawPage() = 0;
  // The layout measured with the view's fonts, if it was not yet.
  virtual void EnsureMetrics() = 0;
};

}  // namespace calvetta

#endif  // CALVETTA_WIN_VIEWROUTER_WIN_H
