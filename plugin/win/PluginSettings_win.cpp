#include "PluginSettings_win.h"

#include <vector>

#include "HostExchange_win.h"
#include "HostWord.h"
#include "Ostrelle.h"

namespace ostrelle {

namespace {
// Longer values (a path is the longest) are refused rather than cut: a cut path would start
// something else.
constexpr DWORD kValueChars = MAX_PATH;
}  // namespace

PluginSettings::PluginSettings() {
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kPluginKey, 0, KEY_READ, &key) != ERROR_SUCCESS) key = nullptr;
}

PluginSettings::~PluginSettings() {
  if (key) RegCloseKey(key);
}

std::wstring PluginSettings::Read(const wchar_t* name) const {
  if (!key) return std::wstring();
  std::vector<wchar_t> buffer(kValueChars + 1, L'\0');
  DWORD size = kValueChars * sizeof(wchar_t);
  DWORD type = 0;
  if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) != ERROR_SUCCESS ||
      type != REG_SZ)
    return std::wstring();
  return std::wstring(buffer.data());  // the buffer's extra NUL ends a value stored without one
}

std::string PluginSettings::ReadShiftJis(const wchar_t* name) const {
  std::string bytes;
  if (!exchange::ToShiftJis(Read(name), &bytes)) return std::string();
  return exchange::CutHostWord(bytes, kSettingTextBytes);
}

}  // namespace ostrelle
