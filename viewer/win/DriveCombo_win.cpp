#include "DriveCombo_win.h"

#include <commctrl.h>

#include "TitleDialogRes.h"
#include "ui/DarkLook.h"
#include "ui/Dpi.h"

namespace brisvane {

namespace {

constexpr size_t kDriveTextCapacity = 8;
constexpr int kIconSize = 16;  // in pixels of a 96-dots-an-inch screen, as the other sizes here
constexpr int kTextLeft = 20;

}  // namespace

std::vector<std::wstring> DriveRootsAfterFirst() {
  std::vector<std::wstring> roots;
  DWORD size = GetLogicalDriveStringsW(0, nullptr);
  if (size == 0) return roots;
  std::vector<wchar_t> drives(size + 1, L'\0');
  if (GetLogicalDriveStringsW(size, drives.data()) == 0) return roots;
  // "A:\", "C:\", ... each zero-terminated, an empty string at the end.
  bool first = true;
  for (const wchar_t* root = drives.data(); *root; root += wcslen(root) + 1) {
    if (!first) roots.emplace_back(root);
    first = false;
  }
  return roots;
}

void DriveCombo::Attach(HWND combo, UINT enterMessage) {
  this->combo = combo;
  this->enterMessage = enterMessage;
  HBITMAP pattern = LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDBM_BROWSE_FOCUS));
  if (pattern) {
    focusBrush = ui::UniqueBrush(CreatePatternBrush(pattern));
    DeleteObject(pattern);  // the brush keeps its own copy
  }
  for (const std::wstring& root : DriveRootsAfterFirst())
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(root.c_str()));
  ui::Subclass::Attach(combo);
}

std::wstring DriveCombo::Text() const {
  wchar_t text[kDriveTextCapacity + 1] = L"";
  GetWindowTextW(combo, text, kDriveTextCapacity + 1);
  return text;
}

void DriveCombo::ShowDriveOf(const std::wstring& path) {
  std::wstring root = path.substr(0, 3);
  LRESULT index = root.empty() ? CB_ERR : SendMessageW(combo, CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(root.c_str()));
  SendMessageW(combo, CB_SETCURSEL, index == CB_ERR ? static_cast<WPARAM>(-1) : static_cast<WPARAM>(index), 0);
}

LRESULT DriveCombo::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND hwnd = Control();
  if (message == WM_KEYDOWN) {
    bool open = SendMessageW(hwnd, CB_GETDROPPEDSTATE, 0, 0) != FALSE;
    if (wParam == VK_DOWN && !open) {
      SendMessageW(hwnd, CB_SHOWDROPDOWN, TRUE, 0);
      return 0;
    }
    if (wParam == VK_RETURN && open) {
      LRESULT selected = SendMessageW(hwnd, CB_GETCURSEL, 0, 0);
      wchar_t text[kDriveTextCapacity + 1] = L"";
      if (selected != CB_ERR && SendMessageW(hwnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(selected), 0) <= static_cast<LRESULT>(kDriveTextCapacity))
        SendMessageW(hwnd, CB_GETLBTEXT, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(text));
      SendMessageW(GetParent(hwnd), enterMessage, 0, reinterpret_cast<LPARAM>(text));
    }
  }
  return Default(message, wParam, lParam);
}

void DriveCombo::Draw(const DRAWITEMSTRUCT& draw) const {
  RECT rect = draw.rcItem;
  if (draw.itemAction == ODA_FOCUS) {
    FrameRect(draw.hDC, &rect, (draw.itemState & ODS_FOCUS) && focusBrush ? focusBrush.Get()
                                                                            : static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    return;
  }
  bool selected = (draw.itemState & ODS_SELECTED) != 0;
  const bool dark = ui::DarkLook();
  ui::UniqueBrush back(CreateSolidBrush(selected ? RGB(0, 0, 128) : dark ? ui::DarkColours().field : RGB(255, 255, 255)));
  FillRect(draw.hDC, &rect, back.Get());
  if (draw.itemID == static_cast<UINT>(-1)) return;
  wchar_t text[kDriveTextCapacity + 1] = L"";
  if (SendMessageW(draw.hwndItem, CB_GETLBTEXTLEN, draw.itemID, 0) > static_cast<LRESULT>(kDriveTextCapacity)) return;
  SendMessageW(draw.hwndItem, CB_GETLBTEXT, draw.itemID, reinterpret_cast<LPARAM>(text));
  int iconId = GetDriveTypeW(text) == DRIVE_REMOTE ? IDI_BROWSE_NETWORK_DRIVE : IDI_BROWSE_DRIVE;
  // The icon and the text stand in the middle of the item's height, which the selection field
  // may make smaller than the list's items.
  const int dpi = ui::WindowDpi(draw.hwndItem);
  const int side = ui::ScaledPixels(kIconSize, dpi);
  HICON icon = static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(iconId), IMAGE_ICON, side, side, LR_SHARED));
  int middle = (rect.top + rect.bottom) / 2;
  if (icon)
    DrawIconEx(draw.hDC, rect.left + ui::ScaledPixels(2, dpi), middle - side / 2, icon, side, side, 0, nullptr, DI_NORMAL);
  SetBkMode(draw.hDC, TRANSPARENT);
  SetTextColor(draw.hDC, selected || dark ? RGB(255, 255, 255) : RGB(0, 0, 0));
  RECT textRect = {rect.left + ui::ScaledPixels(kTextLeft, dpi), rect.top, rect.right, rect.bottom};
  DrawTextW(draw.hDC, text, -1, &textRect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if (draw.itemState & ODS_FOCUS && focusBrush) FrameRect(draw.hDC, &rect, focusBrush.Get());
}

}  // namespace brisvane
