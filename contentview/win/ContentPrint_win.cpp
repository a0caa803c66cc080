#include "win/ContentPrint_win.h"

#include <algorithm>

#include "HitTest.h"
#include "Palette.h"
#include "ui/JapaneseFaces.h"
#include "ui/UniqueHandle.h"

namespace calvetta {

namespace {

constexpr int32_t kDefaultMargin = 1500;  // 15 mm, in hundredths of a millimetre

int Dots(int32_t hundredthsOfMm, int dpi) { return MulDiv(hundredthsOfMm, dpi, 2540); }

// A line's text as it reads, its external characters and icons left out.
std::wstring LineText(const LineRecord& line) {
  std::wstring text;
  for (const TextRun& run : line.runs) text += run.narrow ? NarrowRunText(run.text) : WideRunText(run.text);
  const size_t first = text.find_first_not_of(L" \u3000");
  return first == std::wstring::npos ? std::wstring() : text.substr(first, text.find_last_not_of(L" \u3000") - first + 1);
}

// The page's frame: where the header, the body and the footer lie, in device units.
struct PageFrame {
  RECT paper{};    // inside the margins
  int textHeight = 0;  // of the header's font
  int bodyTop = 0;
  int bodyBottom = 0;
};

PageFrame FramePage(HDC dc, const CalvettaPrintJob& job, int headerTextHeight) {
  const int dpiX = GetDeviceCaps(dc, LOGPIXELSX), dpiY = GetDeviceCaps(dc, LOGPIXELSY);
  const int width = GetDeviceCaps(dc, HORZRES), height = GetDeviceCaps(dc, VERTRES);
  const int offsetX = GetDeviceCaps(dc, PHYSICALOFFSETX), offsetY = GetDeviceCaps(dc, PHYSICALOFFSETY);
  const int paperWidth = std::max(GetDeviceCaps(dc, PHYSICALWIDTH), width + offsetX);
  const int paperHeight = std::max(GetDeviceCaps(dc, PHYSICALHEIGHT), height + offsetY);
  int32_t margins[4];
  for (int i = 0; i < 4; ++i) margins[i] = job.margins[i] > 0 ? job.margins[i] : kDefaultMargin;
  // The margins count from the paper's edge; what the printer cannot reach is inside them.
  PageFrame frame;
  frame.paper.left = std::max(0, Dots(margins[0], dpiX) - offsetX);
  frame.paper.top = std::max(0, Dots(margins[1], dpiY) - offsetY);
  frame.paper.right = width - std::max(0, Dots(margins[2], dpiX) - (paperWidth - offsetX - width));
  frame.paper.bottom = height - std::max(0, Dots(margins[3], dpiY) - (paperHeight - offsetY - height));
  frame.textHeight = headerTextHeight;
  frame.bodyTop = frame.paper.top + headerTextHeight * 2;
  frame.bodyBottom = frame.paper.bottom - headerTextHeight * 2;
  return frame;
}

void DrawHeaderAndFooter(HDC dc, const PageFrame& frame, const std::wstring& title, const std::wstring& heading,
                         int page, int pages) {
  const RECT& paper = frame.paper;
  const int middle = (paper.left + paper.right) / 2;
  RECT left = {paper.left, paper.top, heading.empty() ? paper.right : middle, paper.top + frame.textHeight};
  RECT right = {title.empty() ? paper.left : middle, paper.top, paper.right, paper.top + frame.textHeight};
  DrawTextW(dc, title.c_str(), static_cast<int>(title.size()), &left, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  DrawTextW(dc, heading.c_str(), static_cast<int>(heading.size()), &right,
            DT_RIGHT | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  const int ruleTop = paper.top + frame.textHeight + frame.textHeight / 3;
  RECT rule = {paper.left, ruleTop, paper.right, ruleTop + std::max(1, frame.textHeight / 12)};
  ui::UniqueBrush ink(CreateSolidBrush(RGB(0, 0, 0)));
  FillRect(dc, &rule, ink.Get());
  const std::wstring number = std::to_wstring(page) + L" / " + std::to_wstring(pages);
  RECT foot = {paper.left, paper.bottom - frame.textHeight, paper.right, paper.bottom};
  DrawTextW(dc, number.c_str(), static_cast<int>(number.size()), &foot, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace

int32_t ContentPrint::Print(const CalvettaPrintJob& job) {
  HDC dc = static_cast<HDC>(job.printer);
  if (!dc || GetDeviceCaps(dc, LOGPIXELSY) <= 0) return -1;
  // What is printed: the marked lines, else the entry, from the first line's text position.
  int32_t firstRow = 0, lastRow = 0;
  bool whole = true;
  if (!marks.PrintedRows(&firstRow, &lastRow, &whole)) return 0;
  const LineRecord* first = shown.Line(firstRow);
  const LineRecord* last = shown.Line(lastRow);
  if (!first || !last) return 0;
  const int32_t from = shown.EntryBase() + first->start;
  const int64_t to = whole ? INT64_MAX : int64_t{shown.EntryBase()} + last->end;
  int32_t headingRow = firstRow, entryEnd = 0;
  EntryLines(shown.Lines(), shown.Text(), firstRow, &headingRow, &entryEnd);
  const LineRecord* headingLine = shown.Line(headingRow);
  const std::wstring heading = LineText(headingLine ? *headingLine : *first);
  const std::wstring title = job.title ? job.title : L"";

  // The header's font, and the page's frame.
  const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ui::UniqueFont headerFont(CreateFontW(-MulDiv(9, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                                        ui::FirstInstalledFace(dc, ui::kGothicFaces)));
  if (!headerFont) return -1;
  TEXTMETRICW measure = {};
  {
    ui::ScopedSelectObject select(dc, headerFont.Get());
    GetTextMetricsW(dc, &measure);
  }
  const PageFrame frame = FramePage(dc, job, std::max<int>(1, measure.tmHeight));
  const int bodyWidth = frame.paper.right - frame.paper.left;
  const int bodyHeight = frame.bodyBottom - frame.bodyTop;

  // The text laid out for the page, in the view's fonts at the printer's resolution.
  ContentPainter painter(module);
  painter.SetDpi(dpi);
  painter.SetTextSize(screenPainter.TextSize());
  painter.SetPalette(kPrintPalette);
  Metrics metrics;
  if (bodyWidth <= 0 || bodyHeight <= 0 || !painter.EnsureMetrics(dc, &metrics)) return -1;
  ContentLayout layout(&source);
  layout.SetMetrics(metrics);
  layout.SetButtonColumnWidth(0);
  layout.SetOneEntry(true);
  layout.Resize(bodyWidth, bodyHeight);
  if (layout.ShowAt(from) != LayoutResult::kDone || layout.Resize(bodyWidth, bodyHeight) != LayoutResult::kDone ||
      layout.IsBlank())
    return -2;
  const int64_t toView = to == INT64_MAX ? INT64_MAX : to - layout.EntryBase();

  // The pages' top lines, and on the last one how many of its lines belong to what is printed.
  std::vector<int32_t> tops;
  int32_t lastRows = 0;
  for (;;) {
    tops.push_back(layout.TopLine());
    lastRows = 0;
    for (int32_t n = layout.TopLine(); n <= layout.BottomLine(); ++n) {
      const LineRecord* line = layout.Line(n);
      if (!line || line->start > toView) break;
      ++lastRows;
    }
    const LineRecord* bottom = layout.Line(layout.BottomLine());
    if (static_cast<int32_t>(tops.size()) >= kMostPrintedPages || layout.AtTextEnd() || !bottom || bottom->end >= toView)
      break;
    const int32_t before = layout.BottomLine();
    if (layout.ScrollBy(layout.Page().linesPerPage) != LayoutResult::kDone) return -2;
    if (layout.TopLine() <= before) break;
  }

  DOCINFOW document = {};
  document.cbSize = sizeof document;
  const std::wstring name = heading.empty() ? title : heading;
  document.lpszDocName = name.empty() ? L"Calvetta" : name.c_str();
  if (StartDocW(dc, &document) <= 0) return -1;
  const int pages = static_cast<int>(tops.size());
  for (int page = 0; page < pages; ++page) {
    if (layout.ScrollTo(tops[static_cast<size_t>(page)]) != LayoutResult::kDone) {
      AbortDoc(dc);
      return -2;
    }
    if (StartPage(dc) <= 0) {
      AbortDoc(dc);
      return -1;
    }
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    {
      ui::ScopedSelectObject select(dc, headerFont.Get());
      const COLORREF oldInk = SetTextColor(dc, RGB(0, 0, 0));
      DrawHeaderAndFooter(dc, frame, title, heading, page + 1, pages);
      SetTextColor(dc, oldInk);
    }
    SetBkMode(dc, oldMode);
    const int32_t rows = page + 1 == pages ? lastRows : layout.BottomLine() - layout.TopLine() + 1;
    POINT origin = {};
    SetViewportOrgEx(dc, frame.paper.left, frame.bodyTop, &origin);
    const RECT update = {0, 0, bodyWidth, kTopMargin + rows * metrics.lineHeight - 1};
    painter.Draw(dc, layout, &update, binding.Functions().epwShowExCodePixel);
    SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
    if (EndPage(dc) <= 0) {
      AbortDoc(dc);
      return -1;
    }
  }
  EndDoc(dc);
  return pages;
}

}  // namespace calvetta
