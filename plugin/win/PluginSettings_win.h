// The plug-in's settings, written by the host product's set-up under the machine-wide key
// ostrelle::kPluginKey and only read here: opened anew on every use and closed after it.
#ifndef OSTRELLE_PLUGIN_WIN_PLUGINSETTINGS_WIN_H
#define OSTRELLE_PLUGIN_WIN_PLUGINSETTINGS_WIN_H

#include <windows.h>

#include <string>

namespace ostrelle {

// "ModelName" and "Tooltip" cross as Shift-JIS texts of at most 63 bytes (64 with the NUL).
constexpr size_t kSettingTextBytes = 63;

class PluginSettings {
 public:
  PluginSettings();  // opens the key for reading
  ~PluginSettings();
  PluginSettings(const PluginSettings&) = delete;
  PluginSettings& operator=(const PluginSettings&) = delete;

  bool IsOpen() const { return key != nullptr; }
  // A REG_SZ value; "" when the key or the value is missing or not a string.
  std::wstring Read(const wchar_t* name) const;
  // The value as Shift-JIS bytes, cut between characters to kSettingTextBytes; "" also when it
  // has characters without a Shift-JIS form.
  std::string ReadShiftJis(const wchar_t* name) const;

 private:
  HKEY key = nullptr;
};

}  // namespace ostrelle

#endif  // OSTRELLE_PLUGIN_WIN_PLUGINSETTINGS_WIN_H
