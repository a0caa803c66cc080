#include "win/ContentPainter_win.h"

#include "HitTest.h"

#include <algorithm>

#include "GaijiSizes.h"
#include "ShiftJis.h"
#include "ui/ScaledPicture.h"
#include "ui/ShiftJisText.h"
#include "ui/UniqueHandle.h"

namespace calvetta {
namespace {

// Nine kanji whose average extent gives the full-width character width (Shift-JIS bytes of
// 漢字辞典国語英和林).
const char kSampleKanji[] = "\x8a\xbf\x8e\x9a\x8e\xab\x93\x54\x8d\x91\x8c\xea\x89\x70\x98\x61\x97\xd1";

// The media icons in the text are drawn 16 pixels square, and again at 24 and 32.
constexpr int kMediaIconSide = 16;

using ui::FromShiftJis;

void Fill(HDC dc, int left, int top, int right, int bottom, COLORREF background) {
  if (right <= left || bottom <= top) return;
  ui::UniqueBrush brush(CreateSolidBrush(background));
  ui::ScopedSelectObject select(dc, brush.Get());
  PatBlt(dc, left, top, right - left, bottom - top, PATCOPY);
}

}  // namespace

std::wstring WideRunText(const std::string& jis) {
  // The painter's buffer holds 127 bytes and a zero, as the layout's runs never grow longer.
  std::string sjis = jis.substr(0, kMaxRunBytes);
  for (size_t i = 0; i + 1 < sjis.size(); i += 2) {
    booktext::BytePair in{static_cast<uint8_t>(sjis[i]), static_cast<uint8_t>(sjis[i + 1])}, out{};
    booktext::JisToSjis(in, &out);
    sjis[i] = static_cast<char>(out.first);
    sjis[i + 1] = static_cast<char>(out.second);
  }
  return FromShiftJis(sjis);
}

std::wstring NarrowRunText(const std::string& ascii) { return FromShiftJis(ascii.substr(0, kMaxRunBytes)); }

void ContentPainter::FillBackground(HDC dc, const RECT& rect) const {
  Fill(dc, rect.left, rect.top, rect.right, rect.bottom, palette.background);
}

void ContentPainter::SetTextSize(int percent) {
  textSize = percent;
  fonts = ViewFonts();
  measured = false;
}

void ContentPainter::SetDpi(int screenDpi) {
  dpi = screenDpi;
  fonts = ViewFonts();
  measured = false;
}

bool ContentPainter::EnsureMetrics(HDC dc, Metrics* out) {
  if (!measured) {
    if (!fonts.IsCreated() && !fonts.Create(dc, textSize, dpi)) return false;
    ui::ScopedSelectObject select(dc, fonts.View());
    TEXTMETRICW tm = {};
    GetTextMetricsW(dc, &tm);
    metrics.lineHeight = std::max<int32_t>(1, tm.tmHeight + tm.tmExternalLeading + 1);
    metrics.halfWidth = std::max<int32_t>(1, tm.tmAveCharWidth);
    std::wstring sample = FromShiftJis(kSampleKanji);
    SIZE extent = {};
    GetTextExtentPoint32W(dc, sample.c_str(), static_cast<int>(sample.size()), &extent);
    metrics.fullWidth = std::max<int32_t>(1, extent.cx / 9);
    {
      ui::ScopedSelectObject bold(dc, fonts.BoldWide());
      TEXTMETRICW boldTm = {};
      GetTextMetricsW(dc, &boldTm);
      metrics.boldExtra = std::max<int32_t>(0, boldTm.tmAveCharWidth - metrics.halfWidth);
    }
    measured = true;
  }
  *out = metrics;
  return true;
}

void ContentPainter::FillBand(HDC dc, int32_t row, const PageMeasures& page) {
  int32_t lh = metrics.lineHeight;
  Fill(dc, 0, row * lh + kTopMargin, page.textRight, (row + 1) * lh + kTopMargin + 2, palette.background);
}

void ContentPainter::Draw(HDC dc, const ContentLayout& layout, const RECT* update,
                          epwShowExCodePixelProc showGaiji) {
  Metrics unused;
  if (!EnsureMetrics(dc, &unused)) return;
  ui::ScopedSelectObject select(dc, fonts.View());
  COLORREF oldColour = SetTextColor(dc, palette.text);
  int oldMode = SetBkMode(dc, TRANSPARENT);
  PageMeasures page = layout.Page();
  int32_t lh = metrics.lineHeight;

  if (layout.IsBlank()) {
    Fill(dc, 0, 0, page.textRight, layout.ClientHeight(), palette.background);
  } else {
    int32_t first = 0, last = layout.BottomLine() - layout.TopLine();
    if (update) {
      first = update->top < 4 ? 0 : (update->top - kTopMargin) / lh;
      last = std::min<int32_t>(last, (update->bottom - kTopMargin) / lh);
    } else {
      Fill(dc, 0, 0, page.textRight, kTopMargin + 2, palette.background);
    }
    for (int32_t row = first; row <= last; ++row) {
      const LineRecord* line = layout.Line(layout.TopLine() + row);
      if (line)
        DrawLine(dc, *line, row * lh + kTopMargin, page, showGaiji);
      else
        FillBand(dc, row, page);
    }
    for (int32_t row = std::max(first, layout.BottomLine() - layout.TopLine() + 1); row < page.linesPerPage; ++row)
      FillBand(dc, row, page);
    // Where another entry begins below the top line, a thin rule in the gap above its first line
    // (the band of the line above reaches into that gap: its rule is drawn again with it).
    const HeldText text = layout.Text();
    const int32_t rule = std::max(1, lh / 16);
    for (int32_t row = std::max(first, 1); row <= last + 1; ++row) {
      const LineRecord* line = layout.Line(layout.TopLine() + row);
      if (line && row <= layout.BottomLine() - layout.TopLine() && LineStartsEntry(*line, text))
        Fill(dc, 2, row * lh + kTopMargin, page.textRight - 2, row * lh + kTopMargin + rule, palette.rule);
    }
  }
  SetBkMode(dc, oldMode);
  SetTextColor(dc, oldColour);
}

void ContentPainter::DrawLine(HDC dc, const LineRecord& line, int32_t top, const PageMeasures& page,
                              epwShowExCodePixelProc showGaiji) {
  Fill(dc, 0, top, page.textRight, top + metrics.lineHeight + 2, palette.background);
  size_t count = 0;
  for (const TextRun& run : line.runs) {
    if (++count > kSlotsPerLine || run.text.empty()) break;
    std::wstring text = run.narrow ? NarrowRunText(run.text) : WideRunText(run.text);
    if (run.colour != kDefaultTextColour) SetTextColor(dc, palette.Map(run.colour));
    HFONT font = !run.bold ? fonts.View() : run.narrow ? fonts.BoldNarrow() : fonts.BoldWide();
    if (run.emphasis && !run.bold) font = fonts.Emphasis();
    // Sub- and superscripts: smaller, their foot on the line's foot or their head on its head.
    int32_t y = top;
    if (run.vertical != Vertical::kNormal) {
      font = run.bold ? fonts.SmallBold() : fonts.Small();
      if (run.vertical == Vertical::kLowered) y = top + metrics.lineHeight / 3;
    }
    {
      ui::ScopedSelectObject select(dc, font);
      ExtTextOutW(dc, line.indent + run.x, y, 0, nullptr, text.c_str(), static_cast<UINT>(text.size()), nullptr);
    }
    SetTextColor(dc, palette.text);
  }
  count = 0;
  for (const GaijiSlot& slot : line.gaiji) {
    if (++count > kSlotsPerLine || slot.code == 0) break;
    if (!showGaiji) continue;  // no library: the cell stays blank
    int32_t left = line.indent + slot.x;
    int32_t right = left + (slot.fullWidth ? metrics.fullWidth : metrics.halfWidth);
    // A glyph the library cannot draw in any size leaves its cell blank.
    booktext::DrawFromLargestFittingFont(metrics.fullWidth, [&](uint32_t size) {
      return showGaiji(slot.code, size, slot.fullWidth ? 1 : 0, left, top, right, top + metrics.fullWidth,
                       palette.Map(slot.colour), dc);
    });
  }
  count = 0;
  ui::UniqueDc memory;
  for (const IconSlot& icon : line.icons) {
    if (++count > kSlotsPerLine || icon.bitmapId == 0) break;
    // The largest drawing of the picture that fits the square (16, 24 or 32 pixels).
    ui::UniqueBitmap bitmap(ui::LoadFittingBitmap(module, icon.bitmapId, kMediaIconSide, metrics.fullWidth));
    if (!bitmap) continue;
    if (!memory) memory.Attach(CreateCompatibleDC(dc));
    if (!memory) break;
    // The icon fills a full-width square; a square larger than the picture is not filled
    // from beyond the picture's edge.
    BITMAP shape = {};
    GetObjectW(bitmap.Get(), sizeof shape, &shape);
    int32_t width = std::min<int32_t>(metrics.fullWidth, shape.bmWidth);
    int32_t height = std::min<int32_t>(metrics.fullWidth, shape.bmHeight);
    ui::ScopedSelectObject select(memory.Get(), bitmap.Get());
    BitBlt(dc, line.indent + icon.x, top, width, height, memory.Get(), 0, 0, SRCCOPY);
  }
}

}  // namespace calvetta
