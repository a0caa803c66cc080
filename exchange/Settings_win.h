// The viewer's settings in the registry, below "Software\Olvenar\Trevik DUDAZA ZORARI": each
// value lives in a subkey of that key ("Curpath" with "Curbook" beside it, "path", "exchange"). Settings are written to
// HKEY_LOCAL_MACHINE; where that is refused (a normal user), to the same key under
// HKEY_CURRENT_USER, which reading then prefers, so that the settings are remembered. A portable
// viewer (a "Brisvane.ini" beside the program, SettingsFile_win.h) keeps them all in that file
// instead and leaves the registry alone.
#ifndef EXCHANGE_SETTINGS_WIN_H
#define EXCHANGE_SETTINGS_WIN_H

#include <cstdint>
#include <string>
#include <vector>

namespace exchange {

extern const wchar_t kSettingsKey[];

// The value `value` of subkey `subkey` as bytes of the local code page (REG_SZ), read into a
// buffer of capacity bytes; empty when the key or the value is missing, or when the value
// (with its NUL) does not fit.
std::string ReadSetting(const wchar_t* subkey, const wchar_t* value, size_t capacity);
// Writes the value; failures are ignored (false when neither hive took it).
bool WriteSetting(const wchar_t* subkey, const wchar_t* value, const std::string& text);

// The same for Unicode text (a book's path, in whatever language its folders are named);
// capacity counts characters. A value written so reads as the same bytes through ReadSetting
// where the local code page can spell it.
std::wstring ReadTextSetting(const wchar_t* subkey, const wchar_t* value, size_t capacity);
bool WriteTextSetting(const wchar_t* subkey, const wchar_t* value, const std::wstring& text);

// A REG_DWORD value, read and written by the same rules. False when it is missing or of
// another type (*number untouched).
bool ReadNumberSetting(const wchar_t* subkey, const wchar_t* value, uint32_t* number);
bool WriteNumberSetting(const wchar_t* subkey, const wchar_t* value, uint32_t number);

// A list of Unicode strings (REG_MULTI_SZ) of the user's own (HKEY_CURRENT_USER only: what one
// user searched is no other user's). Reading gives an empty list when the value is missing or
// of another type.
std::vector<std::wstring> ReadUserList(const wchar_t* subkey, const wchar_t* value);
bool WriteUserList(const wchar_t* subkey, const wchar_t* value, const std::vector<std::wstring>& items);

}  // namespace exchange

#endif  // EXCHANGE_SETTINGS_WIN_H
