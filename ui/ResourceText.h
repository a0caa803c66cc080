// A string of the module's string table.
#ifndef UI_RESOURCETEXT_H
#define UI_RESOURCETEXT_H

#include <windows.h>

#include <string>

namespace ui {

// String id of module (the program itself by default); empty when there is none. Strings are
// at most 255 characters.
inline std::wstring LoadText(UINT id, HINSTANCE module = GetModuleHandleW(nullptr)) {
  wchar_t text[256] = L"";
  LoadStringW(module, id, text, 256);
  return text;
}

}  // namespace ui

#endif  // UI_RESOURCETEXT_H
