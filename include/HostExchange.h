// The names by which the viewer and the programs that drive it (the host product and its
// plug-in) meet: registered window messages, the viewer's window class, the exchange file and
// the registry value. Words cross as Shift-JIS bytes (code page 932).
//
//   message "Virtual Trevik Control"         → viewer  wParam: 0 close, 2 hide, 3 show and take
//                                                       the registry word (others: nothing)
//   message "Hobbelwin"                      → viewer  quick lookup of "Word" in "Data Exchange"
//   message "Trevik Epwing Control Message"  ← viewer  posted to HWND_BROADCAST, wParam 1,
//                                                       lParam 1 brought up for a word, 0 hidden
//   file "Trevik20.ini" (no directory: the system's folder for such files), key "Word" in
//     "Data Exchange" (quick lookups) and "Data From Trevik" (the word of a start with "-p");
//     read into 50 bytes
//   registry value "data" (REG_SZ) in subkey "exchange" of the viewer's settings key; read into
//     51 bytes
#ifndef BRISVANE_INCLUDE_HOSTEXCHANGE_H
#define BRISVANE_INCLUDE_HOSTEXCHANGE_H

namespace hostexchange {

inline constexpr wchar_t kHostCommandMessage[] = L"Virtual Trevik Control";
inline constexpr wchar_t kQuickLookupMessage[] = L"Hobbelwin";
inline constexpr wchar_t kViewerStateMessage[] = L"Trevik Epwing Control Message";
inline constexpr wchar_t kViewerClass[] = L"TrevikBrisvane";

inline constexpr char kExchangeFile[] = "Trevik20.ini";
inline constexpr char kQuickLookupSection[] = "Data Exchange";
inline constexpr char kHostStartSection[] = "Data From Trevik";
inline constexpr char kWordKey[] = "Word";

inline constexpr wchar_t kExchangeSubkey[] = L"exchange";
inline constexpr wchar_t kDataValue[] = L"data";

// wParam of the host command.
enum HostCommand { kCommandClose = 0, kCommandHide = 2, kCommandShow = 3 };
// lParam of the viewer's state broadcast (wParam is always 1).
enum ViewerState { kStateHidden = 0, kStateBroughtUp = 1 };

}  // namespace hostexchange

#endif  // BRISVANE_INCLUDE_HOSTEXCHANGE_H
