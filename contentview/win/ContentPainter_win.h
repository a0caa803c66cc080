// Draws the content view: the background, the visible lines (text runs, external characters,
// media icons) and measures the view font once, which fixes the metrics the layout uses.
//
// Geometry: the text area is the client area left of the 16-pixel button column. Row r (0 = the
// top line) owns the band from y = r * line height + 3 to (r + 1) * line height + 5, and its
// text is drawn with its top at r * line height + 3; each item of a line at indent + its x.
#ifndef CALVETTA_WIN_CONTENTPAINTER_WIN_H
#define CALVETTA_WIN_CONTENTPAINTER_WIN_H

#include <windows.h>

#include <string>

#include "ContentLayout.h"
#include "Palette.h"
#include "Dunmoor.h"
#include "win/ViewFonts_win.h"

namespace calvetta {

// Wide run text (JIS X 0208, two bytes a character) as UTF-16, through Shift-JIS (code page
// 932). Pairs outside JIS X 0208 are passed to the code page as they are.
std::wstring WideRunText(const std::string& jis);
// Narrow run text (ASCII) as UTF-16.
std::wstring NarrowRunText(const std::string& ascii);

class ContentPainter {
 public:
  explicit ContentPainter(HINSTANCE module) : module(module) {}

  // Creates the fonts and measures them, once: line height = text height + external leading +
  // 1, half width = average character width, full width = the extent of nine kanji / 9, bold
  // widening = bold average width - half width. False until the fonts exist.
  bool EnsureMetrics(HDC dc, Metrics* metrics);
  bool Measured() const { return measured; }
  HFONT ViewFont() const { return fonts.View(); }
  // The text size in percent of the design's, and the dots an inch of the view's monitor: the
  // fonts are made and measured anew at the next EnsureMetrics.
  void SetTextSize(int percent);
  int TextSize() const { return textSize; }
  void SetDpi(int dpi);

  // Draws the page into dc. update null: the whole page; else only the rows it touches.
  // showGaiji may be null (no library): external characters then stay blank.
  void Draw(HDC dc, const ContentLayout& layout, const RECT* update, epwShowExCodePixelProc showGaiji);
  // Fills the whole client area with the background.
  void FillBackground(HDC dc, const RECT& rect) const;
  // The colours the page is drawn in (the light palette until set).
  void SetPalette(const Palette& colours) { palette = colours; }
  const Palette& Colours() const { return palette; }

 private:
  void DrawLine(HDC dc, const LineRecord& line, int32_t top, const PageMeasures& page,
                epwShowExCodePixelProc showGaiji);
  void FillBand(HDC dc, int32_t row, const PageMeasures& page);

  HINSTANCE module;
  ViewFonts fonts;
  Metrics metrics;
  bool measured = false;
  int textSize = 100;
  int dpi = 96;
  Palette palette = kLightPalette;
};

}  // namespace calvetta

#endif  // CALVETTA_WIN_CONTENTPAINTER_WIN_H
