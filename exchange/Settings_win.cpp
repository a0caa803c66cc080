#include "Settings_win.h"

#include <windows.h>

#include <cwchar>
#include <vector>

#include "SettingsFile_win.h"

namespace exchange {

const wchar_t kSettingsKey[] = L"Software\\Olvenar\\Trevik DUDAZA ZORARI";

namespace {

std::wstring KeyPath(const wchar_t* subkey) { return std::wstring(kSettingsKey) + L"\\" + subkey; }

// Reads a REG_SZ value with the ANSI API: book paths and words are handled as bytes of the
// local code page throughout (the book library takes char paths).
bool ReadFrom(HKEY root, const std::wstring& path, const wchar_t* value, size_t capacity, std::string* text) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  std::wstring wideValue(value);
  std::string narrowValue(wideValue.begin(), wideValue.end());  // value names are ASCII
  std::vector<char> buffer(capacity + 1, 0);
  DWORD size = static_cast<DWORD>(capacity);
  DWORD type = 0;
  LONG status = RegQueryValueExA(key, narrowValue.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                                 &size);
  RegCloseKey(key);
  if (status == ERROR_MORE_DATA) {
    // Too long for the buffer: a cut path or word would be a wrong one, so it reads as empty.
    text->clear();
    return true;
  }
  if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
  buffer[capacity > 0 ? capacity - 1 : 0] = '\0';  // a value stored without its NUL
  *text = buffer.data();
  return true;
}

bool WriteTo(HKEY root, const std::wstring& path, const wchar_t* value, const std::string& text) {
  HKEY key = nullptr;
  std::wstring className(value);
  if (RegCreateKeyExW(root, path.c_str(), 0, &className[0], 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return false;
  std::wstring wideValue(value);
  std::string narrowValue(wideValue.begin(), wideValue.end());
  LONG status = RegSetValueExA(key, narrowValue.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                               static_cast<DWORD>(text.size() + 1));  // the stored length counts the NUL
  RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

bool ReadTextFrom(HKEY root, const std::wstring& path, const wchar_t* value, size_t capacity, std::wstring* text) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  std::vector<wchar_t> buffer(capacity + 1, L'\0');
  DWORD size = static_cast<DWORD>(capacity * sizeof(wchar_t));
  DWORD type = 0;
  LONG status = RegQueryValueExW(key, value, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size);
  RegCloseKey(key);
  if (status == ERROR_MORE_DATA) {
    text->clear();  // too long: a cut path would name another place
    return true;
  }
  if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
  buffer[capacity > 0 ? capacity - 1 : 0] = L'\0';
  *text = buffer.data();
  return true;
}

bool WriteTextTo(HKEY root, const std::wstring& path, const wchar_t* value, const std::wstring& text) {
  HKEY key = nullptr;
  std::wstring className(value);
  if (RegCreateKeyExW(root, path.c_str(), 0, &className[0], 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return false;
  LONG status = RegSetValueExW(key, value, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                               static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

bool ReadNumberFrom(HKEY root, const std::wstring& path, const wchar_t* value, uint32_t* number) {
  DWORD type = 0, got = 0, size = sizeof got;
  if (RegGetValueW(root, path.c_str(), value, RRF_RT_ANY, &type, &got, &size) != ERROR_SUCCESS) return false;
  if (type != REG_DWORD || size != sizeof got) return false;
  *number = got;
  return true;
}

bool WriteNumberTo(HKEY root, const std::wstring& path, const wchar_t* value, uint32_t number) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return false;
  DWORD stored = number;
  LONG status = RegSetValueExW(key, value, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&stored), sizeof stored);
  RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

// Drops a copy under HKEY_CURRENT_USER that an earlier, unprivileged run left behind, or it
// would win on reading.
void DropUserCopy(const std::wstring& path, const wchar_t* value) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
    RegDeleteValueW(key, value);
    RegCloseKey(key);
  }
}

// A value under HKEY_CURRENT_USER exists only because the machine-wide key was not writable:
// it is the newer one.
template <typename Text, typename Read>
Text ReadPreferringUser(const wchar_t* subkey, const wchar_t* value, size_t capacity, Read read) {
  Text text;
  const std::wstring path = KeyPath(subkey);
  if (read(HKEY_CURRENT_USER, path, value, capacity, &text) || read(HKEY_LOCAL_MACHINE, path, value, capacity, &text))
    return text;
  return Text();
}

template <typename Text, typename Write>
bool WriteMachineWide(const wchar_t* subkey, const wchar_t* value, const Text& text, Write write) {
  const std::wstring path = KeyPath(subkey);
  if (write(HKEY_LOCAL_MACHINE, path, value, text)) {
    DropUserCopy(path, value);
    return true;
  }
  return write(HKEY_CURRENT_USER, path, value, text);
}

bool Portable() { return !PortableFile().empty(); }

// Text in the system's code page, as the registry's ANSI functions convert it.
std::wstring FromCodePage(const std::string& text) {
  if (text.empty()) return {};
  std::wstring wide(text.size(), L'\0');
  const int got = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0],
                                      static_cast<int>(wide.size()));
  wide.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return wide;
}

std::string ToCodePage(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string text(size > 0 ? static_cast<size_t>(size) : 0, '\0');
  if (size > 0)
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), &text[0], size, nullptr, nullptr);
  return text;
}

}  // namespace

std::string ReadSetting(const wchar_t* subkey, const wchar_t* value, size_t capacity) {
  if (Portable()) {
    std::wstring text;
    if (!ReadFileText(subkey, value, capacity, &text)) return {};
    std::string bytes = ToCodePage(text);
    return bytes.size() < capacity ? bytes : std::string();  // with its NUL, it must fit
  }
  return ReadPreferringUser<std::string>(subkey, value, capacity, ReadFrom);
}

bool WriteSetting(const wchar_t* subkey, const wchar_t* value, const std::string& text) {
  if (Portable()) return WriteFileText(subkey, value, FromCodePage(text));
  return WriteMachineWide(subkey, value, text, WriteTo);
}

std::wstring ReadTextSetting(const wchar_t* subkey, const wchar_t* value, size_t capacity) {
  if (Portable()) {
    std::wstring text;
    return ReadFileText(subkey, value, capacity, &text) ? text : std::wstring();
  }
  return ReadPreferringUser<std::wstring>(subkey, value, capacity, ReadTextFrom);
}

bool WriteTextSetting(const wchar_t* subkey, const wchar_t* value, const std::wstring& text) {
  if (Portable()) return WriteFileText(subkey, value, text);
  return WriteMachineWide(subkey, value, text, WriteTextTo);
}

bool ReadNumberSetting(const wchar_t* subkey, const wchar_t* value, uint32_t* number) {
  if (Portable()) return ReadFileNumber(subkey, value, number);
  std::wstring path = KeyPath(subkey);
  return ReadNumberFrom(HKEY_CURRENT_USER, path, value, number) ||
         ReadNumberFrom(HKEY_LOCAL_MACHINE, path, value, number);
}

bool WriteNumberSetting(const wchar_t* subkey, const wchar_t* value, uint32_t number) {
  if (Portable()) return WriteFileNumber(subkey, value, number);
  return WriteMachineWide(subkey, value, number, WriteNumberTo);
}

std::vector<std::wstring> ReadUserList(const wchar_t* subkey, const wchar_t* value) {
  if (Portable()) return ReadFileList(subkey, value);
  std::vector<std::wstring> items;
  std::wstring path = KeyPath(subkey);
  DWORD type = 0, size = 0;
  if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), value, RRF_RT_REG_MULTI_SZ, &type, nullptr, &size) !=
          ERROR_SUCCESS ||
      size == 0)
    return items;
  std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 2, L'\0');
  if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), value, RRF_RT_REG_MULTI_SZ, &type, buffer.data(), &size) !=
      ERROR_SUCCESS)
    return items;
  // Strings one after another, each ended by a NUL, the list by an empty one (the buffer ends
  // with two more NULs whatever was stored).
  for (const wchar_t* at = buffer.data(); *at; at += wcslen(at) + 1) items.emplace_back(at);
  return items;
}

bool WriteUserList(const wchar_t* subkey, const wchar_t* value, const std::vector<std::wstring>& items) {
  if (Portable()) return WriteFileList(subkey, value, items);
  std::wstring joined;
  for (const std::wstring& item : items) {
    if (item.empty() || item.find(L'\0') != std::wstring::npos) continue;  // would end the list
    joined += item;
    joined += L'\0';
  }
  joined += L'\0';
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, KeyPath(subkey).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    return false;
  LONG status = RegSetValueExW(key, value, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(joined.data()),
                               static_cast<DWORD>(joined.size() * sizeof(wchar_t)));
  RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

}  // namespace exchange
