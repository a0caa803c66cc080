#include "HostExchange_win.h"

#include <vector>

#include "HostExchange.h"
#include "HostWord.h"
#include "Settings_win.h"
#include "ui/ShiftJisText.h"

namespace exchange {

namespace {

// Read more than a word may hold, so that the cut is ours (between characters), not the API's.
constexpr DWORD kReadCapacity = 1024;

}  // namespace

std::wstring FromShiftJis(const std::string& bytes) { return ui::FromShiftJis(bytes); }

bool ToShiftJis(const std::wstring& wide, std::string* bytes) {
  bool lost = false;
  *bytes = ui::ToShiftJis(wide, &lost);
  if (!wide.empty() && (bytes->empty() || lost)) {
    bytes->clear();
    return false;
  }
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
