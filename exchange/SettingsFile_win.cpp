#include "SettingsFile_win.h"

#include <windows.h>

#include <cwchar>
#include <map>

namespace exchange {

namespace {

constexpr wchar_t kFileName[] = L"Brisvane.ini";
// Read back for a key that is missing: no setting holds this character.
constexpr wchar_t kMissing[] = L"\x01";

struct Portable {
  std::wstring file;
  bool refused = false;
};

// A file left empty gets the UTF-16 byte-order mark: the profile functions then keep its text as
// Unicode rather than in the system's code page.
bool MarkUnicode(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size = {};
  bool ok = GetFileSizeEx(file, &size) != 0;
  if (ok && size.QuadPart == 0) {
    const unsigned char bom[] = {0xFF, 0xFE};
    DWORD written = 0;
    ok = WriteFile(file, bom, sizeof bom, &written, nullptr) && written == sizeof bom;
  }
  CloseHandle(file);
  return ok;
}

Portable Decide() {
  Portable portable;
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD got = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
    if (got == 0) return portable;
    if (got < path.size()) {
      path.resize(got);
      break;
    }
    path.resize(path.size() * 2);
  }
  const size_t slash = path.find_last_of(L"\\/");
  path = (slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1)) + kFileName;
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return portable;
  // Written once now, so that a file that cannot take the settings is known at the start.
  if ((attributes & FILE_ATTRIBUTE_READONLY) || !MarkUnicode(path) ||
      !WritePrivateProfileStringW(L"Brisvane", L"Portable", L"1", path.c_str())) {
    portable.refused = true;
    return portable;
  }
  portable.file = path;
  return portable;
}

const Portable& Chosen() {
  static const Portable chosen = Decide();
  return chosen;
}

std::wstring ListKey(const wchar_t* key, const wchar_t* suffix) { return std::wstring(key) + L"." + suffix; }

}  // namespace

const std::wstring& PortableFile() { return Chosen().file; }
bool PortableFileRefused() { return Chosen().refused; }

bool ReadFileText(const wchar_t* section, const wchar_t* key, size_t capacity, std::wstring* text) {
  std::wstring buffer(capacity + 2, L'\0');
  const DWORD got = GetPrivateProfileStringW(section, key, kMissing, &buffer[0], static_cast<DWORD>(buffer.size()),
                                             PortableFile().c_str());
  buffer.resize(got);
  if (buffer == kMissing) return false;
  if (buffer.size() >= capacity) buffer.clear();  // too long: a cut path would name another place
  *text = buffer;
  return true;
}

bool WriteFileText(const wchar_t* section, const wchar_t* key, const std::wstring& text) {
  // A line of the file holds one value: a line break in one would end it there.
  if (text.find_first_of(L"\r\n") != std::wstring::npos) return false;
  return WritePrivateProfileStringW(section, key, text.c_str(), PortableFile().c_str()) != 0;
}

bool ReadFileNumber(const wchar_t* section, const wchar_t* key, uint32_t* number) {
  std::wstring text;
  if (!ReadFileText(section, key, 16, &text) || text.empty()) return false;
  wchar_t* end = nullptr;
  const unsigned long value = wcstoul(text.c_str(), &end, 10);
  if (!end || *end != L'\0' || text[0] == L'-' || value > UINT32_MAX) return false;
  *number = static_cast<uint32_t>(value);
  return true;
}

bool WriteFileNumber(const wchar_t* section, const wchar_t* key, uint32_t number) {
  return WriteFileText(section, key, std::to_wstring(number));
}

std::vector<std::wstring> ReadFileList(const wchar_t* section, const wchar_t* key) {
  // The whole section in one read ("name=value" strings, each ended by a NUL): a list of
  // thousands of items is not looked up item by item.
  std::vector<wchar_t> buffer(1 << 16);
  for (;;) {
    const DWORD got = GetPrivateProfileSectionW(section, buffer.data(), static_cast<DWORD>(buffer.size()),
                                                PortableFile().c_str());
    if (got + 2 < buffer.size() || buffer.size() >= (1u << 26)) break;
    buffer.resize(buffer.size() * 4);  // the section did not fit
  }
  std::map<uint32_t, std::wstring> numbered;
  uint32_t count = 0;
  const std::wstring prefix = std::wstring(key) + L".";
  for (const wchar_t* at = buffer.data(); *at; at += wcslen(at) + 1) {
    const std::wstring entry = at;
    const size_t equals = entry.find(L'=');
    if (equals == std::wstring::npos || entry.compare(0, prefix.size(), prefix) != 0) continue;
    const std::wstring name = entry.substr(prefix.size(), equals - prefix.size());
    const std::wstring value = entry.substr(equals + 1);
    wchar_t* end = nullptr;
    const unsigned long number = wcstoul(name.c_str(), &end, 10);
    if (name == L"Count") count = static_cast<uint32_t>(wcstoul(value.c_str(), nullptr, 10));
    else if (!name.empty() && end && *end == L'\0' && number >= 1 && number <= 100000 && !value.empty())
      numbered[static_cast<uint32_t>(number)] = value;
  }
  std::vector<std::wstring> items;
  for (const auto& [number, value] : numbered)
    if (number <= count) items.push_back(value);
  return items;
}

bool WriteFileList(const wchar_t* section, const wchar_t* key, const std::vector<std::wstring>& items) {
  uint32_t before = 0;
  ReadFileNumber(section, ListKey(key, L"Count").c_str(), &before);
  uint32_t count = 0;
  bool ok = true;
  for (const std::wstring& item : items) {
    if (item.empty() || item.find_first_of(std::wstring(L"\r\n\0", 3)) != std::wstring::npos) continue;
    ok = WriteFileText(section, ListKey(key, std::to_wstring(++count).c_str()).c_str(), item) && ok;
  }
  for (uint32_t i = count + 1; i <= before; ++i)  // the old list's tail goes
    WritePrivateProfileStringW(section, ListKey(key, std::to_wstring(i).c_str()).c_str(), nullptr,
                               PortableFile().c_str());
  return WriteFileNumber(section, ListKey(key, L"Count").c_str(), count) && ok;
}

}  // namespace exchange
