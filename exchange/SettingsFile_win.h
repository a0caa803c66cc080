// A portable viewer's settings: when "Brisvane.ini" stands beside the program, every setting is
// kept there instead of the registry, each subkey a section and each value a key of the same
// name (numbers as decimal text, lists as "value.1", "value.2", ... with "value.Count"). The file
// is read and written as UTF-16 (a file left empty gets the byte-order mark), so a path in any
// language stays whole. When the file is there but cannot be written (a read-only folder or
// medium), the registry is used as before and PortableFileRefused() says so.
#ifndef EXCHANGE_SETTINGSFILE_WIN_H
#define EXCHANGE_SETTINGSFILE_WIN_H

#include <cstdint>
#include <string>
#include <vector>

namespace exchange {

// The file the settings go to, or empty: the registry. Decided once, at the first call.
const std::wstring& PortableFile();
// The file stands beside the program but could not be written.
bool PortableFileRefused();

// Text values of the file: false when missing; a value of capacity characters or more reads as
// empty (as a registry value that does not fit).
bool ReadFileText(const wchar_t* section, const wchar_t* key, size_t capacity, std::wstring* text);
bool WriteFileText(const wchar_t* section, const wchar_t* key, const std::wstring& text);
bool ReadFileNumber(const wchar_t* section, const wchar_t* key, uint32_t* number);
bool WriteFileNumber(const wchar_t* section, const wchar_t* key, uint32_t number);
std::vector<std::wstring> ReadFileList(const wchar_t* section, const wchar_t* key);
bool WriteFileList(const wchar_t* section, const wchar_t* key, const std::vector<std::wstring>& items);

}  // namespace exchange

#endif  // EXCHANGE_SETTINGSFILE_WIN_H
