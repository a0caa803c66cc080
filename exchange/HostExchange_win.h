// Both sides of the exchange with the host product: reading and writing the handed-over word
// in the exchange file and the registry, and the three registered messages. Words are
// Shift-JIS bytes that the other program writes through the ANSI functions; they are converted
// with code page 932 explicitly, so that a Japanese word crosses intact whatever the system's
// ANSI code page.
#ifndef EXCHANGE_HOSTEXCHANGE_WIN_H
#define EXCHANGE_HOSTEXCHANGE_WIN_H

#include <windows.h>

#include <string>

namespace exchange {

// Conversions at the edge where the exchanged bytes meet the Unicode APIs. ToShiftJis fails
// (false) for characters without a Shift-JIS form.
std::wstring FromShiftJis(const std::string& bytes);
bool ToShiftJis(const std::wstring& wide, std::string* bytes);

// The registered message numbers (0 where registration failed: such a message never matches).
struct ExchangeMessages {
  UINT hostCommand = 0;
  UINT quickLookup = 0;
  UINT viewerState = 0;

  static ExchangeMessages Register();
};

// "Word" of section (kQuickLookupSection or kHostStartSection) in the exchange file, as the
// viewer takes it: at most 49 bytes, cut between characters. Missing file, section or key: "".
std::wstring ReadExchangeWord(const char* section);
// The registry value "data" of subkey "exchange": at most 50 bytes, cut between characters.
// Missing key or value, or a value of more than 1023 bytes: "".
std::wstring ReadRegistryWord();

// The same word as the Shift-JIS bytes that were written (cut as above), for a program that
// passes it on unchanged.
std::string ReadExchangeBytes(const char* section);
// Writes Shift-JIS bytes as they are (the plug-in's side, which has the word as bytes).
bool WriteExchangeBytes(const char* section, const std::string& bytes);

// The sender's side. Characters without a Shift-JIS form make the write fail (false), rather
// than hand over a word with question marks.
bool WriteExchangeWord(const char* section, const std::wstring& word);
bool WriteRegistryWord(const std::wstring& word);

// Posts the viewer's state (wParam 1, lParam state) to every top-level window.
void BroadcastViewerState(const ExchangeMessages& messages, LPARAM state);

}  // namespace exchange

#endif  // EXCHANGE_HOSTEXCHANGE_WIN_H
