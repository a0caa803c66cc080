#include "win/ViewMessage_win.h"

namespace calvetta {

void ViewMessages::Show(HWND owner, const std::wstring& text) {
  ++open;
  MessageBoxW(owner, text.c_str(), L"DUDAZA Zorari", MB_OK);
  --open;
}

void ViewMessages::Show(HWND owner, HINSTANCE module, UINT id) {
  const wchar_t* text = nullptr;
  int length = LoadStringW(module, id, reinterpret_cast<LPWSTR>(&text), 0);
  if (length > 0) Show(owner, std::wstring(text, static_cast<size_t>(length)));
}

}  // namespace calvetta
