// Light or dark: the user's choice in the view menu (the settings' "view", "Theme": 0 as Windows,
// the default, 1 light, 2 dark) and, as Windows, the user's setting for apps ("AppsUseLightTheme"
// 0 is dark), which the frame follows while it runs (WM_SETTINGCHANGE "ImmersiveColorSet").
#ifndef BRISVANE_VIEWER_WIN_THEMECHOICE_WIN_H
#define BRISVANE_VIEWER_WIN_THEMECHOICE_WIN_H

#include <windows.h>

namespace brisvane {

enum class ThemeSetting : int { kAsWindows = 0, kLight = 1, kDark = 2 };

class ThemeChoice {
 public:
  void Restore();
  ThemeSetting Setting() const { return setting; }
  // The user's choice, remembered.
  void Choose(ThemeSetting chosen);
  // Whether the viewer is dark now (as Windows: read from the user's setting each time).
  bool Dark() const;
  // Whether a WM_SETTINGCHANGE with this lParam may have changed Windows' setting.
  static bool ConcernsTheme(LPARAM settingName);

 private:
  ThemeSetting setting = ThemeSetting::kAsWindows;
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_THEMECHOICE_WIN_H
