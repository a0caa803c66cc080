#include "ThemeChoice_win.h"

#include <cstdint>
#include <cwchar>

#include "Settings_win.h"

namespace brisvane {

namespace {

constexpr wchar_t kViewKey[] = L"view";
constexpr wchar_t kThemeValue[] = L"Theme";
constexpr wchar_t kPersonalize[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

bool WindowsAppsDark() {
  DWORD light = 1, size = sizeof light;
  if (RegGetValueW(HKEY_CURRENT_USER, kPersonalize, L"AppsUseLightTheme", RRF_RT_REG_DWORD, nullptr, &light, &size) !=
      ERROR_SUCCESS)
    return false;
  return light == 0;
}

}  // namespace

void ThemeChoice::Restore() {
  uint32_t stored = 0;
  if (exchange::ReadNumberSetting(kViewKey, kThemeValue, &stored) && stored <= 2)
    setting = static_cast<ThemeSetting>(stored);
}

void ThemeChoice::Choose(ThemeSetting chosen) {
  setting = chosen;
  exchange::WriteNumberSetting(kViewKey, kThemeValue, static_cast<uint32_t>(chosen));
}

bool ThemeChoice::Dark() const {
  return setting == ThemeSetting::kDark || (setting == ThemeSetting::kAsWindows && WindowsAppsDark());
}

bool ThemeChoice::ConcernsTheme(LPARAM settingName) {
  const auto* name = reinterpret_cast<const wchar_t*>(settingName);
  return name && wcscmp(name, L"ImmersiveColorSet") == 0;
}

}  // namespace brisvane
