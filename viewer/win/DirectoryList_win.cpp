#include "DirectoryList_win.h"

#include <algorithm>
#include <vector>

#include "TitleDialogRes.h"
#include "WorkingDirectory_win.h"
#include "ui/DarkLook.h"
#include "ui/Dpi.h"
#include "ui/ListBoxText.h"
#include "ui/UniqueHandle.h"

namespace brisvane {

namespace {

constexpr COLORREF kSelectedBack = RGB(0, 0, 128);
constexpr COLORREF kSelectedText = RGB(255, 255, 255);
constexpr COLORREF kBack = RGB(255, 255, 255);
constexpr COLORREF kText = RGB(0, 0, 0);
constexpr int kIconSize = 16;  // sizes in pixels of a 96-dots-an-inch screen
constexpr int kIndentPerLevel = 3;
constexpr int kTextLeft = 19;  // the name, after the icon

}  // namespace

bool DirectoryList::Fill(const std::wstring& path) {
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  levels = brisvane::DirectoryLevels(path);
  std::vector<std::wstring> subdirectories;
  filled = ListSubdirectories(levels.Path(), &subdirectories);
  if (!filled) return false;
  for (const brisvane::DirectoryItem& item : levels.Items(subdirectories))
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(brisvane::DirectoryItemText(item).c_str()));
  return true;
}

DirectoryList::Outcome DirectoryList::Activate(std::wstring* newPath) {
  LRESULT selected = SendMessageW(list, LB_GETCURSEL, 0, 0);
  brisvane::DirectoryItem item;
  if (!filled || selected == LB_ERR || !brisvane::ParseDirectoryItemText(ui::ListBoxText(list, static_cast<int>(selected)), &item))
    return Outcome::kNothing;
  // The path follows from the item's level and the components this list was filled from, not
  // from the items above it, so that it stays right however the list sorted its texts.
  *newPath = levels.PathOf(item);
  if (newPath->empty()) return Outcome::kNothing;
  if (lstrcmpiW(newPath->c_str(), levels.Path().c_str()) == 0)
    return Outcome::kAccepted;
  LRESULT pathItems = static_cast<LRESULT>(levels.Components().size());
  if (!Fill(*newPath)) return Outcome::kFailed;
  SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(std::min(selected, pathItems)), 0);
  return Outcome::kChanged;
}

void DirectoryList::Draw(const DRAWITEMSTRUCT& draw) const {
  if (draw.itemID == static_cast<UINT>(-1)) return;
  if (draw.itemAction == ODA_FOCUS) {
    DrawFocusRect(draw.hDC, &draw.rcItem);
    return;
  }
  bool selected = (draw.itemState & ODS_SELECTED) != 0;
  brisvane::DirectoryItem item;
  if (!brisvane::ParseDirectoryItemText(ui::ListBoxText(draw.hwndItem, static_cast<int>(draw.itemID)), &item)) return;
  const bool dark = ui::DarkLook();
  const ui::LookColours& darkLook = ui::DarkColours();
  ui::UniqueBrush back(CreateSolidBrush(selected ? kSelectedBack : dark ? darkLook.field : kBack));
  FillRect(draw.hDC, &draw.rcItem, back.Get());
  const int dpi = ui::WindowDpi(draw.hwndItem);
  int indent = std::min(item.depth, 64) * ui::ScaledPixels(kIndentPerLevel, dpi);
  int iconId = item.kind == brisvane::DirectoryKind::kPathComponent ? IDI_BROWSE_PATH_COMPONENT : IDI_BROWSE_DIRECTORY;
  const int side = ui::ScaledPixels(kIconSize, dpi), margin = ui::ScaledPixels(1, dpi);
  HICON icon = static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(iconId), IMAGE_ICON, side, side, LR_SHARED));
  if (icon) DrawIconEx(draw.hDC, draw.rcItem.left + indent + margin, draw.rcItem.top + margin, icon, side, side, 0, nullptr, DI_NORMAL);
  SetBkMode(draw.hDC, TRANSPARENT);
  SetTextColor(draw.hDC, selected ? kSelectedText : dark ? darkLook.ink : kText);
  TextOutW(draw.hDC, draw.rcItem.left + indent + ui::ScaledPixels(kTextLeft, dpi), draw.rcItem.top + margin,
           item.name.c_str(), static_cast<int>(item.name.size()));
  if (draw.itemState & ODS_FOCUS) DrawFocusRect(draw.hDC, &draw.rcItem);
}

}  // namespace brisvane
