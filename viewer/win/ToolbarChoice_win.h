// A drop-down list on the toolbar, right of the word box, that holds one of a few choices (the
// search mode, the scope of a search). The choice is kept in the settings for the next start;
// choosing in the box sends the frame the command of that choice (the toolbar relays it).
#ifndef BRISVANE_VIEWER_WIN_TOOLBARCHOICE_WIN_H
#define BRISVANE_VIEWER_WIN_TOOLBARCHOICE_WIN_H

#include <windows.h>

#include <vector>

#include "ui/UniqueHandle.h"

namespace brisvane {

class ToolbarChoice {
 public:
  // labels: one a choice, in the order of their numbers; the setting (subkey, value) keeps the
  // number chosen; width in pixels at 96 dots an inch.
  ToolbarChoice(int controlId, std::vector<const wchar_t*> labels, const wchar_t* settingKey,
                const wchar_t* settingValue, int width)
      : id(controlId), labels(std::move(labels)), key(settingKey), value(settingValue), width(width) {}

  // The box: child controlId of toolbar in slot.
  bool Create(HWND toolbar, const RECT& slot, int dpi);
  // Font and place for a monitor of dpi dots an inch.
  void SetDpi(int dpi, const RECT& slot);
  // The choice kept from the last run.
  void Restore();
  int Chosen() const { return chosen; }
  // Shows choice in the box and keeps it in the settings.
  void Choose(int choice);
  // The box shows the choice in force again.
  void Show();
  HWND Box() const { return box; }

 private:
  int id;
  std::vector<const wchar_t*> labels;
  const wchar_t* key;
  const wchar_t* value;
  int width;
  HWND box = nullptr;
  int chosen = 0;
  ui::UniqueFont font;
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_TOOLBARCHOICE_WIN_H
