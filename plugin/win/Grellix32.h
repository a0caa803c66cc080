// The host's exchange library, imported by ordinal (Grellix32.def). It lies outside this
// product: only the arguments below are fixed, and no result but the port's is used.
#ifndef OSTRELLE_PLUGIN_WIN_GRELLIX32_H
#define OSTRELLE_PLUGIN_WIN_GRELLIX32_H

#include <windows.h>

extern "C" {

// Ordinal 11: opens the exchange port, naming the window that hears from the viewer. The
// result is the exchange handle passed to the other three.
DWORD WINAPI GrellixOpenPort(const char* port, HWND notifyWindow);
// Ordinal 12: closes the port.
DWORD WINAPI GrellixClosePort(DWORD exchange);
// Ordinal 24: the plug-in under the model name leaves.
DWORD WINAPI GrellixReleaseModel(DWORD exchange, const char* modelName);
// Ordinal 35: hands a word (Shift-JIS bytes and their count; null and 0 for none) to the viewer.
DWORD WINAPI GrellixSendWord(DWORD exchange, const char* modelName, const char* word, int length);
}

#endif  // OSTRELLE_PLUGIN_WIN_GRELLIX32_H
