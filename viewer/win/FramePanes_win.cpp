#include "FramePanes_win.h"

#include "BrisvaneRes.h"
#include "ui/Dpi.h"

namespace brisvane {

int FramePanes::Scaled(int designPixels) const { return ui::ScaledPixels(designPixels, dpi); }

bool FramePanes::Create(HWND frame, AppState& app, ResultList& list, int frameDpi) {
  dpi = frameDpi;
  if (!splitter.Create(frame, ID_SPLITTER)) return false;
  if (!listView.Create(splitter.Hwnd(), frame, app, list) || !contentView.Create(splitter.Hwnd(), frame, app))
    return false;
  splitter.SetPanes(listView.Hwnd(), contentView.Hwnd());
  splitter.SetColumnInfo(0, Scaled(kListColumnWidth), 1);
  splitter.SetColumnInfo(1, Scaled(kContentColumnWidth), Scaled(kContentColumnMinimum));
  return true;
}

void FramePanes::SetDpi(int newDpi) {
  dpi = newDpi;
  splitter.SetDpi(dpi);
  if (!listToggled) {
    splitter.SetColumnInfo(0, Scaled(kListColumnWidth), 1);
    splitter.SetColumnInfo(1, Scaled(kContentColumnWidth), Scaled(kContentColumnMinimum));
  }
}

void FramePanes::Place(int width, int top, int bottom) {
  MoveWindow(splitter.Hwnd(), 0, top, width, bottom > top ? bottom - top : 0, TRUE);
}

bool FramePanes::ToggleList(int clientWidth) {
  if (listToggled) {
    splitter.SetColumnInfo(0, savedColumnWidths[0], 1);
    splitter.SetColumnInfo(1, savedColumnWidths[1], Scaled(kContentColumnMinimum));
  } else {
    savedColumnWidths[0] = splitter.ColumnWidth(0);
    savedColumnWidths[1] = splitter.ColumnWidth(1);
    splitter.SetColumnInfo(0, clientWidth - 2, clientWidth - 1);
    splitter.SetColumnInfo(1, 1, 1);
  }
  splitter.RecalcLayout();
  listToggled = !listToggled;
  return listToggled;
}

}  // namespace brisvane
