#include "win/ViewFonts_win.h"

#include "ui/JapaneseFaces.h"

namespace calvetta {
namespace {

constexpr int kPointSize = 12;
constexpr int kScriptPercent = 66;  // sub- and superscripts

HFONT MakeFont(const std::wstring& face, int weight, int percent, int dpi, bool italic = false) {
  LOGFONTW font = {};
  font.lfHeight = -MulDiv(kPointSize * percent, dpi, 72 * 100);
  font.lfWeight = weight;
  font.lfItalic = italic ? TRUE : FALSE;
  font.lfCharSet = SHIFTJIS_CHARSET;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = DEFAULT_QUALITY;
  font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
  lstrcpynW(font.lfFaceName, face.c_str(), LF_FACESIZE);
  return CreateFontIndirectW(&font);
}

}  // namespace

bool ViewFonts::Create(HDC dc, int percent, int dpi) {
  viewFace = ui::FirstInstalledFace(dc, ui::kMinchoFaces);
  std::wstring gothic = ui::FirstInstalledFace(dc, ui::kGothicFaces);
  const int script = percent * kScriptPercent / 100;
  view.Attach(MakeFont(viewFace, FW_NORMAL, percent, dpi));
  boldWide.Attach(MakeFont(viewFace, FW_BOLD, percent, dpi));
  boldNarrow.Attach(MakeFont(gothic, FW_BOLD, percent, dpi));
  emphasis.Attach(MakeFont(viewFace, FW_NORMAL, percent, dpi, true));
  small.Attach(MakeFont(viewFace, FW_NORMAL, script, dpi));
  smallBold.Attach(MakeFont(viewFace, FW_BOLD, script, dpi));
  return view.IsValid();
}

}  // namespace calvetta
