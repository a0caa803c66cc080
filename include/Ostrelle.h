// The exports of Ostrelle.dll, the plug-in that the host product loads into its toolbar. All
// are called on the host's user-interface thread, without arguments, under these plain names.
//
//   TrevikPluginInitModel  1 ready; 0 a window class could not be registered
//   TrevikPluginFreeModel  1; the faces and windows are released
//   TrevikPluginIcon       the 16 x 16 icon of the current face (owned by the plug-in)
//   TrevikPluginBitmap     the 18 x 18 bitmap of the current face (owned by the plug-in)
//   TrevikPluginTooltip    the tooltip, Shift-JIS, at most 63 bytes; "" when not set
//   TrevikPluginClick      0; hands the selected word to the viewer
//
// The plug-in posts "Trevik Plugin Notify" (wParam 1) to the host's window of class
// "Wrenfold" when the face changed, and sends it wParam 5 to ask for the window whose
// selected text a click takes; "Trevik Search Last Active Window" asks that window to copy it.
#ifndef OSTRELLE_INCLUDE_OSTRELLE_H
#define OSTRELLE_INCLUDE_OSTRELLE_H

namespace ostrelle {

inline constexpr wchar_t kNotifyClass[] = L"TrevikEPWin";
inline constexpr wchar_t kHostToolbarClass[] = L"Wrenfold";
inline constexpr wchar_t kPluginNotifyMessage[] = L"Trevik Plugin Notify";
inline constexpr wchar_t kSearchLastActiveMessage[] = L"Trevik Search Last Active Window";
inline constexpr char kExchangePort[] = "Trevik EPWin Assissant Inport";
inline constexpr wchar_t kPluginKey[] = L"SOFTWARE\\Olvenar\\TrevikBrisvane\\Trevik-Plugin";

// wParam of "Trevik Plugin Notify".
enum PluginNotify { kNotifyFaceChanged = 1, kNotifyWhichWindow = 5 };

}  // namespace ostrelle

#endif  // OSTRELLE_INCLUDE_OSTRELLE_H
