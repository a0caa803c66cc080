#include "MenuBarLook_win.h"

#include "ui/DarkLook.h"
#include "ui/Dpi.h"

namespace brisvane {

namespace {

constexpr int kItemPadding = 7;  // each side of an item's text, at 96 dots an inch

std::wstring Shown(const std::wstring& text) {
  std::wstring shown;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'&' && i + 1 < text.size()) ++i;
    shown += text[i];
  }
  return shown;
}

}  // namespace

void MenuBarLook::Apply(HWND frameWindow, bool isDark) {
  frame = frameWindow;
  dark = isDark;
  HMENU bar = GetMenu(frame);
  if (!bar) return;
  if (dark && !font) {
    NONCLIENTMETRICSW metrics = {sizeof metrics};
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
      font.Attach(CreateFontIndirectW(&metrics.lfMenuFont));
  }
  if (dark && !ground) ground.Attach(CreateSolidBrush(ui::DarkColours().ground));
  const int count = GetMenuItemCount(bar);
  if (dark) texts.assign(static_cast<size_t>(count > 0 ? count : 0), std::wstring());
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW item = {sizeof item};
    item.fMask = MIIM_FTYPE | MIIM_DATA;
    if (!GetMenuItemInfoW(bar, static_cast<UINT>(i), TRUE, &item)) continue;
    const bool drawn = (item.fType & MFT_OWNERDRAW) != 0;
    if (dark && !drawn) {
      wchar_t text[64] = L"";
      GetMenuStringW(bar, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
      texts[static_cast<size_t>(i)] = text;
      item.fMask = MIIM_FTYPE | MIIM_DATA;
      item.fType |= MFT_OWNERDRAW;
      item.dwItemData = static_cast<ULONG_PTR>(i) + 1;
      SetMenuItemInfoW(bar, static_cast<UINT>(i), TRUE, &item);
    } else if (!dark && drawn && static_cast<size_t>(i) < texts.size()) {
      item.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_STRING;
      item.fType &= ~static_cast<UINT>(MFT_OWNERDRAW);
      item.dwItemData = 0;
      item.dwTypeData = &texts[static_cast<size_t>(i)][0];
      SetMenuItemInfoW(bar, static_cast<UINT>(i), TRUE, &item);
    }
  }
  MENUINFO info = {sizeof info};
  info.fMask = MIM_BACKGROUND;
  info.hbrBack = dark ? ground.Get() : nullptr;
  SetMenuInfo(bar, &info);
  DrawMenuBar(frame);
}

const std::wstring* MenuBarLook::TextOf(ULONG_PTR data) const {
  return data >= 1 && data <= texts.size() ? &texts[data - 1] : nullptr;
}

void MenuBarLook::PaintRest() const {
  HMENU bar = GetMenu(frame);
  const int count = bar ? GetMenuItemCount(bar) : 0;
  MENUBARINFO info = {sizeof info};
  RECT window = {}, last = {};
  if (count <= 0 || !GetMenuBarInfo(frame, OBJID_MENU, 0, &info) || !GetWindowRect(frame, &window) ||
      !GetMenuItemRect(frame, bar, static_cast<UINT>(count - 1), &last))
    return;
  // From the last item to the bar's end, and the line under the bar, in window coordinates.
  RECT rest = {last.right, info.rcBar.top, info.rcBar.right, info.rcBar.bottom + 1};
  OffsetRect(&rest, -window.left, -window.top);
  HDC dc = GetWindowDC(frame);
  if (!dc) return;
  FillRect(dc, &rest, ground.Get());
  RECT line = {info.rcBar.left - window.left, rest.bottom - 1, rest.right, rest.bottom};
  FillRect(dc, &line, ground.Get());
  ReleaseDC(frame, dc);
}

bool MenuBarLook::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if ((message == WM_NCPAINT || message == WM_NCACTIVATE) && dark && ground && frame) {
    *result = DefWindowProcW(frame, message, wParam, lParam);
    PaintRest();
    return true;
  }
  if (message == WM_MEASUREITEM) {
    auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    const std::wstring* text = measure && measure->CtlType == ODT_MENU ? TextOf(measure->itemData) : nullptr;
    if (!text) return false;
    HDC dc = GetDC(frame);
    HGDIOBJ old = dc && font ? SelectObject(dc, font.Get()) : nullptr;
    const std::wstring shown = Shown(*text);
    SIZE size = {};
    if (dc) GetTextExtentPoint32W(dc, shown.c_str(), static_cast<int>(shown.size()), &size);
    if (old) SelectObject(dc, old);
    if (dc) ReleaseDC(frame, dc);
    measure->itemWidth = static_cast<UINT>(size.cx + 2 * ui::ScaledPixels(kItemPadding, ui::WindowDpi(frame)));
    measure->itemHeight = static_cast<UINT>(GetSystemMetrics(SM_CYMENU));
    *result = TRUE;
    return true;
  }
  if (message == WM_DRAWITEM) {
    const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    const std::wstring* text = draw && draw->CtlType == ODT_MENU ? TextOf(draw->itemData) : nullptr;
    if (!text) return false;
    const ui::LookColours& look = ui::DarkColours();
    const bool lit = (draw->itemState & (ODS_SELECTED | ODS_HOTLIGHT)) != 0;
    ui::UniqueBrush back(CreateSolidBrush(lit ? look.selection : look.ground));
    FillRect(draw->hDC, &draw->rcItem, back.Get());
    HGDIOBJ old = font ? SelectObject(draw->hDC, font.Get()) : nullptr;
    SetBkMode(draw->hDC, TRANSPARENT);
    SetTextColor(draw->hDC, (draw->itemState & (ODS_GRAYED | ODS_DISABLED)) ? look.greyInk
                            : lit                                          ? look.selectionInk
                                                                           : look.ink);
    RECT rect = draw->rcItem;
    UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    if (draw->itemState & ODS_NOACCEL) format |= DT_HIDEPREFIX;
    DrawTextW(draw->hDC, text->c_str(), static_cast<int>(text->size()), &rect, format);
    if (old) SelectObject(draw->hDC, old);
    *result = TRUE;
    return true;
  }
  return false;
}

}  // namespace brisvane
