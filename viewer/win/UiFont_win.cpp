#include "UiFont_win.h"

#include "ui/Dpi.h"
#include "ui/JapaneseFaces.h"

namespace brisvane {

namespace {

// The first installed of the faces, looked for once a run: every progress dialog makes the
// font again, and each look-up enumerates the system's fonts.
const wchar_t* InstalledJapaneseFace(HDC dc) {
  static const wchar_t* const kFaces[] = {
      L"\xFF2D\xFF33 \xFF30\x30B4\x30B7\x30C3\x30AF",  // ＭＳ Ｐゴシック
      L"Meiryo UI", L"IPAPGothic", L"IPAGothic", L"IPAexGothic", L"Noto Sans CJK JP",
  };
  static const wchar_t* const chosen = [dc]() -> const wchar_t* {
    for (const wchar_t* face : kFaces)
      if (ui::IsFaceInstalled(dc, face, DEFAULT_CHARSET)) return face;
    return nullptr;
  }();
  return chosen;
}

}  // namespace

HFONT CreateJapaneseUiFont(int points, int dpi) {
  HDC dc = GetDC(nullptr);
  LOGFONTW font = {};
  font.lfHeight = -MulDiv(points, dpi, 72);
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfWeight = FW_NORMAL;
  const wchar_t* face = InstalledJapaneseFace(dc);
  if (face) {
    lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
    font.lfCharSet = SHIFTJIS_CHARSET;
  }
  ReleaseDC(nullptr, dc);
  if (!face) {
    LOGFONTW stock = {};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof stock, &stock);
    lstrcpynW(font.lfFaceName, stock.lfFaceName, LF_FACESIZE);
  }
  return CreateFontIndirectW(&font);
}

void UseJapaneseUiFont(HWND dialog, int points, ui::UniqueFont* owner) {
  owner->Attach(CreateJapaneseUiFont(points, ui::WindowDpi(dialog)));
  if (!*owner) return;
  auto font = reinterpret_cast<WPARAM>(owner->Get());
  SendMessageW(dialog, WM_SETFONT, font, FALSE);
  EnumChildWindows(
      dialog,
      [](HWND child, LPARAM value) -> BOOL {
        SendMessageW(child, WM_SETFONT, static_cast<WPARAM>(value), TRUE);
        return TRUE;
      },
      static_cast<LPARAM>(font));
}

}  // namespace brisvane
