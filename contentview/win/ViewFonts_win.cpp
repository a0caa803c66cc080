#include "win/ViewFonts_win.h"

namespace calvetta {
namespace {

constexpr int kPointSize = 12;
constexpr int kScriptPercent = 66;  // sub- and superscripts

// Mincho faces for the view, Gothic faces for bold narrow text: the design's face first, then
// the same face under its English name, then faces that free systems ship.
const wchar_t* const kMinchoFaces[] = {L"ＭＳ 明朝",       L"MS Mincho",          L"IPA明朝",
                                       L"IPAMincho",       L"IPAex明朝",          L"IPAexMincho",
                                       L"Noto Serif CJK JP", L"Noto Sans CJK JP", L"IPAゴシック",
                                       L"IPAGothic",       nullptr};
const wchar_t* const kGothicFaces[] = {L"ＭＳ ゴシック",    L"MS Gothic",        L"IPAゴシック",
                                       L"IPAGothic",       L"IPAexゴシック",    L"IPAexGothic",
                                       L"Noto Sans CJK JP", L"IPA明朝",          L"IPAMincho",
                                       nullptr};

int CALLBACK NoteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;  // one is enough
}

bool IsInstalled(HDC dc, const wchar_t* face) {
  LOGFONTW query = {};
  query.lfCharSet = SHIFTJIS_CHARSET;
  lstrcpynW(query.lfFaceName, face, LF_FACESIZE);
  bool found = false;
  EnumFontFamiliesExW(dc, &query, &NoteFound, reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

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

std::wstring PickJapaneseFace(HDC dc, const wchar_t* const* candidates) {
  for (const wchar_t* const* face = candidates; *face; ++face)
    if (IsInstalled(dc, *face)) return *face;
  return candidates[0];
}

bool ViewFonts::Create(HDC dc, int percent, int dpi) {
  viewFace = PickJapaneseFace(dc, kMinchoFaces);
  std::wstring gothic = PickJapaneseFace(dc, kGothicFaces);
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
