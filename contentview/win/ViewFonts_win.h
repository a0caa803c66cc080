// The fonts of the content view: the view font (a Mincho face at 12 points), its bold form for
// wide text, and a bold Gothic face for narrow (ASCII) text inside keywords.
//
// The faces the view asks for first are "ＭＳ 明朝" and "ＭＳ ゴシック". Where they are not
// installed (Wine, non-Japanese Windows) the view takes the first installed face of a list of
// Japanese faces, so that JIS X 0208 text never shows as missing-glyph boxes. A face counts as
// installed when it is enumerated for the Shift-JIS character set. "Fixedsys", which has no
// kanji, is never chosen.
#ifndef CALVETTA_WIN_VIEWFONTS_WIN_H
#define CALVETTA_WIN_VIEWFONTS_WIN_H

#include <windows.h>

#include <string>

#include "ui/UniqueHandle.h"

namespace calvetta {

class ViewFonts {
 public:
  // Creates the fonts for a monitor of dpi dots an inch, at percent of the design's size; false
  // when the view font cannot be made. dc is only asked which faces are installed.
  bool Create(HDC dc, int percent, int dpi);
  bool IsCreated() const { return view.IsValid(); }
  HFONT View() const { return view.Get(); }
  HFONT BoldWide() const { return boldWide ? boldWide.Get() : view.Get(); }
  HFONT BoldNarrow() const { return boldNarrow ? boldNarrow.Get() : BoldWide(); }
  // Emphasised text: the view face slanted.
  HFONT Emphasis() const { return emphasis ? emphasis.Get() : view.Get(); }
  // Sub- and superscripts: the view face at two thirds of its height, normal and bold.
  HFONT Small() const { return small ? small.Get() : view.Get(); }
  HFONT SmallBold() const { return smallBold ? smallBold.Get() : Small(); }

 private:
  ui::UniqueFont view;
  ui::UniqueFont boldWide;
  ui::UniqueFont boldNarrow;
  ui::UniqueFont emphasis;
  ui::UniqueFont small;
  ui::UniqueFont smallBold;
  std::wstring viewFace;
};

}  // namespace calvetta

#endif  // CALVETTA_WIN_VIEWFONTS_WIN_H
