#include "win/ViewMessage_win.h"

#include "win/ContentWindow_win.h"

namespace calvetta {

void ShowViewMessage(HWND owner, const std::wstring& text) {
  bool wasInMessageBox = gInMessageBox;
  gInMessageBox = true;
  MessageBoxW(owner, text.c_str(), L"DUDAZA Zorari", MB_OK);
  gInMessageBox = wasInMessageBox;
}

void ShowViewMessage(HWND owner, HINSTANCE module, UINT id) {
  const wchar_t* text = nullptr;
  int length = LoadStringW(module, id, reinterpret_cast<LPWSTR>(&text), 0);
  if (length > 0) ShowViewMessage(owner, std::wstring(text, static_cast<size_t>(length)));
}

}  // namespace calvetta
