#include "WordBox_win.h"

#include <utility>
#include <vector>

#include "BrisvaneRes.h"
#include "Calvetta.h"
#include "FrameMessages.h"
#include "SearchRules.h"
#include "SelectionCopy_win.h"
#include "Settings_win.h"
#include "UiFont_win.h"
#include "ui/Dpi.h"

namespace brisvane {

bool WordBox::Create(HWND toolbar, int x, int y, HWND frameWindow) {
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(toolbar, GWLP_HINSTANCE));
  HWND box = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN |
                              CBS_AUTOHSCROLL, x, y, kWordBoxWidth, kWordBoxHeight, toolbar,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_WORDBOX)), instance, nullptr);
  if (!box || !Attach(box, frameWindow)) return false;
  SetDpi(ui::WindowDpi(toolbar));
  return true;
}

void WordBox::SetDpi(int dpi) {
  if (!combo) return;
  // The box lets go of the old font before it is deleted.
  ui::UniqueFont next(CreateJapaneseUiFont(10, dpi));
  if (next) {
    SendMessageW(combo, WM_SETFONT, reinterpret_cast<WPARAM>(next.Get()), TRUE);
    font = std::move(next);
  }
  SetWindowPos(combo, nullptr, 0, 0, ui::ScaledPixels(kWordBoxWidth, dpi), ui::ScaledPixels(kWordBoxHeight, dpi),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool WordBox::Attach(HWND comboBox, HWND frameWindow) {
  if (!comboBox || combo) return false;
  combo = comboBox;
  frame = frameWindow;
  COMBOBOXINFO info = {};
  info.cbSize = sizeof info;
  edit = GetComboBoxInfo(combo, &info) ? info.hwndItem : GetWindow(combo, GW_CHILD);
  if (!edit) return false;
  // Words of up to 51 characters can be typed; a search uses the first 49 of them.
  SendMessageW(combo, CB_LIMITTEXT, brisvane::kWordBoxLimit, 0);
  LoadHistory();
  return ui::Subclass::Attach(edit);
}

std::wstring WordBox::Text() const {
  if (!combo) return std::wstring();
  int length = GetWindowTextLengthW(combo);
  if (length <= 0) return std::wstring();
  std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
  int got = GetWindowTextW(combo, buffer.data(), length + 1);
  return std::wstring(buffer.data(), static_cast<size_t>(got > 0 ? got : 0));
}

void WordBox::SetText(const std::wstring& text) {
  if (combo) SetWindowTextW(combo, text.c_str());
}

void WordBox::AddToHistory(const std::wstring& word) {
  SetText(word);
  if (word.empty()) return;
  int removed = history.Add(word);
  if (combo) {
    if (removed >= 0) SendMessageW(combo, CB_DELETESTRING, static_cast<WPARAM>(removed), 0);
    SendMessageW(combo, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(word.c_str()));
    // The oldest word, when the history let it go.
    while (SendMessageW(combo, CB_GETCOUNT, 0, 0) > static_cast<LRESULT>(history.Entries().size()))
      SendMessageW(combo, CB_DELETESTRING, static_cast<WPARAM>(history.Entries().size()), 0);
  }
  exchange::WriteUserList(kHistoryKey, kHistoryValue, history.Entries());
  // Changing the list can change the edit text (the combo selects a matching entry).
  SetText(word);
}

void WordBox::LoadHistory() {
  history.Load(exchange::ReadUserList(kHistoryKey, kHistoryValue));
  if (!combo) return;
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  for (const std::wstring& word : history.Entries())
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(word.c_str()));
}

void WordBox::OnEnter() {
  if (SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0)) {
    // Closing the list puts its selected entry into the edit; keep what was typed.
    std::wstring text = Text();
    SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
    SetText(text);
  }
  if (Text().empty()) {
    MessageBeep(MB_ICONEXCLAMATION);
    return;
  }
  SendMessageW(edit, EM_SETSEL, 0, -1);
  // The toolbar passes it on to the frame (posted), so the search runs after this key.
  SendMessageW(GetParent(combo), FM_WORDENTER, 0, 0);
}

bool WordBox::OnKeyDown(WPARAM key) {
  switch (key) {
    case VK_RETURN:
      OnEnter();
      return true;
    case VK_ESCAPE:
      if (escTarget) SetFocus(escTarget);
      return true;
    case VK_TAB:
      // Forward to the list, backward (Shift) to the content.
      PostMessageW(frame, VM_VIEW_TAB, GetKeyState(VK_SHIFT) < 0 ? 1 : 0, 0);
      return true;
    case VK_DOWN:
      if (SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0)) return false;
      SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
      return true;
    default:
      return false;
  }
}

LRESULT WordBox::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
      if (OnKeyDown(wParam)) return 0;
      break;
    case WM_CHAR:
      // The characters of the keys taken above would only beep in a single-line edit.
      if (wParam == L'\r' || wParam == L'\t' || wParam == 0x1B) return 0;
      break;
    case WM_GETDLGCODE:
      return Default(message, wParam, lParam) | DLGC_WANTALLKEYS;
    case WM_SETFOCUS: {
      LRESULT result = Default(message, wParam, lParam);
      SendMessageW(Control(), EM_SETSEL, 0, -1);
      return result;
    }
    case WM_PASTE: {
      // A text longer than the box takes is cut by the edit without a word: the frame says so.
      std::wstring pasted;
      DWORD from = 0, to = 0;
      SendMessageW(Control(), EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
      const size_t kept = static_cast<size_t>(GetWindowTextLengthW(Control())) - (to > from ? to - from : 0);
      const bool cut = exchange::ReadClipboardUnicode(Control(), &pasted) && kept + pasted.size() > kWordBoxLimit;
      LRESULT result = Default(message, wParam, lParam);
      if (cut) PostMessageW(frame, FM_WORDCUT, kWordBoxLimit, 0);
      return result;
    }
    case WM_NCDESTROY:
      // The edit goes (with its combo); the subclass removes itself after this message.
      edit = nullptr;
      combo = nullptr;
      break;
    default:
      break;
  }
  return Default(message, wParam, lParam);
}

}  // namespace brisvane
