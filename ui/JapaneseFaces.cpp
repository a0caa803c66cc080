#include "ui/JapaneseFaces.h"

namespace ui {

const wchar_t* const kMinchoFaces[] = {L"ＭＳ 明朝",         L"MS Mincho",        L"IPA明朝",
                                       L"IPAMincho",         L"IPAex明朝",        L"IPAexMincho",
                                       L"Noto Serif CJK JP", L"Noto Sans CJK JP", L"IPAゴシック",
                                       L"IPAGothic",         nullptr};
const wchar_t* const kGothicFaces[] = {L"ＭＳ ゴシック",    L"MS Gothic",     L"IPAゴシック", L"IPAGothic",
                                       L"IPAexゴシック",    L"IPAexGothic",   L"Noto Sans CJK JP",
                                       L"IPA明朝",          L"IPAMincho",     nullptr};

namespace {

int CALLBACK NoteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;  // one is enough
}

}  // namespace

bool IsFaceInstalled(HDC dc, const wchar_t* face, BYTE charset) {
  LOGFONTW query = {};
  query.lfCharSet = charset;
  lstrcpynW(query.lfFaceName, face, LF_FACESIZE);
  bool found = false;
  EnumFontFamiliesExW(dc, &query, &NoteFound, reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

const wchar_t* FirstInstalledFace(HDC dc, const wchar_t* const* faces) {
  for (const wchar_t* const* face = faces; *face; ++face)
    if (IsFaceInstalled(dc, *face, SHIFTJIS_CHARSET)) return *face;
  return faces[0];
}

}  // namespace ui
