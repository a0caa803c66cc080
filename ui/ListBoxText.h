// The text of one list box item, read with the list's own length (no fixed buffer to overrun).
#ifndef UI_LISTBOXTEXT_H
#define UI_LISTBOXTEXT_H

#include <windows.h>

#include <string>

namespace ui {

// Item index of list; empty when there is no such item.
inline std::wstring ListBoxText(HWND list, int index) {
  LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == LB_ERR) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  LRESULT copied = SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
  text.resize(copied == LB_ERR ? 0 : static_cast<size_t>(copied));
  return text;
}

}  // namespace ui

#endif  // UI_LISTBOXTEXT_H
