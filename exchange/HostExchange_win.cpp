#include "HostExchange_win.h"

#include <vector>

#include "HostExchange.h"
#include "HostWord.h"
#include "Settings_win.h"

namespace exchange {

namespace {

constexpr UINT kShiftJis = 932;
// Read more than a word may hold, so that the cut is ours (between characters), not the API's.
constexpr DWORD kReadCapacity = 1024;

}  // namespace

std::wstring FromShiftJis(const std::string& bytes) {
  if (bytes.empty()) return std::wstring();
  int length = MultiByteToWideChar(kShiftJis, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring wide(length > 0 ? length : 0, L'\0');
  if (length > 0) MultiByteToWideChar(kShiftJis, 0, bytes.data(), static_cast<int>(bytes.size()), &wide[0], length);
  return wide;
}

bool ToShiftJis(const std::wstring& wide, std::string* bytes) {
  bytes->clear();
  if (wide.empty()) return true;
  BOOL lost = FALSE;
  int length = WideCharToMultiByte(kShiftJis, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr,
                                   &lost);
  if (length <= 0 || lost) return false;
  bytes->resize(length);
  WideCharToMultiByte(kShiftJis, 0, wide.data(), static_cast<int>(wide.size()), &(*bytes)[0], length, nullptr,
                      nullptr);
  return true;
}

ExchangeMessages ExchangeMessages::Register() {
  ExchangeMessages messages;
  messages.hostCommand = RegisterWindowMessageW(hostexchange::kHostCommandMessage);
  messages.quickLookup = RegisterWindowMessageW(hostexchange::kQuickLookupMessage);
  messages.viewerState = RegisterWindowMessageW(hostexchange::kViewerStateMessage);
  return messages;
}

std::string ReadExchangeBytes(const char* section) {
  std::vector<char> buffer(kReadCapacity, '\0');
  DWORD length = GetPrivateProfileStringA(section, hostexchange::kWordKey, "", buffer.data(), kReadCapacity,
                                          hostexchange::kExchangeFile);
  if (length >= kReadCapacity) length = kReadCapacity - 1;
  return CutHostWord(std::string(buffer.data(), length), kExchangeWordBytes);
}

std::wstring ReadExchangeWord(const char* section) { return FromShiftJis(ReadExchangeBytes(section)); }

std::wstring ReadRegistryWord() {
  std::string bytes = ReadSetting(hostexchange::kExchangeSubkey, hostexchange::kDataValue, kReadCapacity);
  return FromShiftJis(CutHostWord(bytes, kRegistryWordBytes));
}

bool WriteExchangeWord(const char* section, const std::wstring& word) {
  std::string bytes;
  return ToShiftJis(word, &bytes) && WriteExchangeBytes(section, bytes);
}

bool WriteExchangeBytes(const char* section, const std::string& bytes) {
  if (!WritePrivateProfileStringA(section, hostexchange::kWordKey, bytes.c_str(), hostexchange::kExchangeFile))
    return false;
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, hostexchange::kExchangeFile);  // to the disk now
  return true;
}

bool WriteRegistryWord(const std::wstring& word) {
  std::string bytes;
  return ToShiftJis(word, &bytes) && WriteSetting(hostexchange::kExchangeSubkey, hostexchange::kDataValue, bytes);
}

void BroadcastViewerState(const ExchangeMessages& messages, LPARAM state) {
  if (messages.viewerState) PostMessageW(HWND_BROADCAST, messages.viewerState, 1, state);
}

}  // namespace exchange
