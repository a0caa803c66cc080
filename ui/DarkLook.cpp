#include "DarkLook.h"

#include <commctrl.h>

#include <cwchar>
#include <vector>

#include "Subclass.h"
#include "UniqueHandle.h"

namespace ui {

namespace {

constexpr LookColours kDark{RGB(43, 43, 43),   RGB(30, 30, 30),    RGB(222, 222, 222), RGB(128, 128, 128),
                            RGB(38, 79, 120),  RGB(255, 255, 255), RGB(96, 96, 96)};
constexpr DWORD kUseImmersiveDarkMode = 20;  // DWMWA_USE_IMMERSIVE_DARK_MODE
constexpr ATOM kDialogClassAtom = 32770;     // "#32770": dialogs and message boxes

thread_local bool tDark = false;
thread_local HHOOK tHook = nullptr;

bool HasClass(HWND window, const wchar_t* name) {
  wchar_t found[32] = L"";
  return GetClassNameW(window, found, 32) > 0 && _wcsicmp(found, name) == 0;
}

// One dialog drawn dark, from its creation to its end (it deletes itself then).
class DarkDialog : public Subclass {
 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnControlGone() override { delete this; }

 private:
  void Darken();
  bool OwnsButton(HWND button) const;
  void DrawButton(const DRAWITEMSTRUCT& draw) const;

  UniqueBrush ground{CreateSolidBrush(kDark.ground)};
  UniqueBrush field{CreateSolidBrush(kDark.field)};
  std::vector<HWND> buttons;  // push buttons made owner-drawn
};

void DarkDialog::Darken() {
  DarkTitleBar(Control(), true);
  for (HWND child = GetWindow(Control(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (HasClass(child, L"Button")) {
      const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
      const LONG_PTR type = style & BS_TYPEMASK;
      if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) {
        // The system paints a push button's face light whatever its parent answers.
        SetWindowLongPtrW(child, GWL_STYLE, (style & ~static_cast<LONG_PTR>(BS_TYPEMASK)) | BS_OWNERDRAW);
        buttons.push_back(child);
        InvalidateRect(child, nullptr, TRUE);
      }
    } else if (HasClass(child, WC_LISTVIEWW)) {
      DarkScrollBars(child, true);
      ListView_SetBkColor(child, kDark.field);
      ListView_SetTextBkColor(child, kDark.field);
      ListView_SetTextColor(child, kDark.ink);
    } else if (HasClass(child, WC_TREEVIEWW)) {
      DarkScrollBars(child, true);
      TreeView_SetBkColor(child, kDark.field);
      TreeView_SetTextColor(child, kDark.ink);
      TreeView_SetLineColor(child, kDark.ink);
    } else if (HasClass(child, L"ListBox") || HasClass(child, L"Edit")) {
      DarkScrollBars(child, true);
    } else if (HasClass(child, PROGRESS_CLASSW)) {
      SendMessageW(child, PBM_SETBKCOLOR, 0, static_cast<LPARAM>(kDark.field));
      SendMessageW(child, PBM_SETBARCOLOR, 0, static_cast<LPARAM>(kDark.selection));
    }
  }
}

bool DarkDialog::OwnsButton(HWND button) const {
  for (HWND each : buttons)
    if (each == button) return true;
  return false;
}

void DarkDialog::DrawButton(const DRAWITEMSTRUCT& draw) const {
  HDC dc = draw.hDC;
  RECT rect = draw.rcItem;
  const bool pressed = (draw.itemState & ODS_SELECTED) != 0;
  const bool disabled = (draw.itemState & ODS_DISABLED) != 0;
  const bool chosen = (draw.itemState & ODS_FOCUS) != 0 || draw.hwndItem == GetDlgItem(Control(), IDOK);
  UniqueBrush face(CreateSolidBrush(pressed ? kDark.selection : kDark.field));
  UniqueBrush edge(CreateSolidBrush(chosen && !disabled ? kDark.selection : kDark.edge));
  FillRect(dc, &rect, face.Get());
  FrameRect(dc, &rect, edge.Get());
  if (chosen && !disabled) {
    RECT inner = rect;
    InflateRect(&inner, -1, -1);
    FrameRect(dc, &inner, edge.Get());
  }
  wchar_t text[128] = L"";
  GetWindowTextW(draw.hwndItem, text, 128);
  HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(draw.hwndItem, WM_GETFONT, 0, 0)));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, disabled ? kDark.greyInk : kDark.ink);
  UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  if (draw.itemState & ODS_NOACCEL) format |= DT_HIDEPREFIX;
  if (pressed) OffsetRect(&rect, 1, 1);
  DrawTextW(dc, text, -1, &rect, format);
  if (oldFont) SelectObject(dc, oldFont);
  if ((draw.itemState & ODS_FOCUS) && !(draw.itemState & ODS_NOFOCUSRECT)) {
    RECT focus = draw.rcItem;
    InflateRect(&focus, -3, -3);
    SetTextColor(dc, kDark.ink);
    DrawFocusRect(dc, &focus);
  }
}

LRESULT DarkDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      // The controls exist; the dialog's own handling places and fills them first.
      const LRESULT result = Default(message, wParam, lParam);
      Darken();
      return result;
    }
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, IsWindowEnabled(reinterpret_cast<HWND>(lParam)) ? kDark.ink : kDark.greyInk);
      SetBkColor(dc, kDark.ground);
      return reinterpret_cast<LRESULT>(ground.Get());
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, kDark.ink);
      SetBkColor(dc, kDark.field);
      return reinterpret_cast<LRESULT>(field.Get());
    }
    case WM_DRAWITEM: {
      const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (draw && draw->CtlType == ODT_BUTTON && OwnsButton(draw->hwndItem)) {
        DrawButton(*draw);
        return TRUE;
      }
      break;
    }
    default:
      break;
  }
  return Default(message, wParam, lParam);
}

LRESULT CALLBACK WatchCreations(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && tDark) {
    const auto* create = reinterpret_cast<const CBT_CREATEWNDW*>(lParam);
    const HWND window = reinterpret_cast<HWND>(wParam);
    const bool dialog = create && create->lpcs &&
                        (create->lpcs->lpszClass == MAKEINTATOM(kDialogClassAtom) || HasClass(window, L"#32770"));
    if (dialog) {
      auto* dark = new DarkDialog;
      if (!dark->Attach(window)) delete dark;
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

const LookColours& DarkColours() { return kDark; }

LookColours LightColours() {
  return {GetSysColor(COLOR_BTNFACE),  GetSysColor(COLOR_WINDOW),        GetSysColor(COLOR_WINDOWTEXT),
          GetSysColor(COLOR_GRAYTEXT), GetSysColor(COLOR_HIGHLIGHT),     GetSysColor(COLOR_HIGHLIGHTTEXT),
          GetSysColor(COLOR_BTNSHADOW)};
}

void SetDarkLook(bool dark) {
  tDark = dark;
  if (dark && !tHook) tHook = SetWindowsHookExW(WH_CBT, &WatchCreations, nullptr, GetCurrentThreadId());
  if (!dark && tHook) {
    UnhookWindowsHookEx(tHook);
    tHook = nullptr;
  }
}

bool DarkLook() { return tDark; }

void DarkScrollBars(HWND window, bool dark) {
  using SetTheme = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
  static HMODULE uxtheme = LoadLibraryW(L"uxtheme.dll");
  auto set = uxtheme ? reinterpret_cast<SetTheme>(GetProcAddress(uxtheme, "SetWindowTheme")) : nullptr;
  if (set) set(window, dark ? L"DarkMode_Explorer" : nullptr, nullptr);
}

void DarkTitleBar(HWND window, bool dark) {
  using SetAttribute = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
  static HMODULE dwm = LoadLibraryW(L"dwmapi.dll");
  auto set = dwm ? reinterpret_cast<SetAttribute>(GetProcAddress(dwm, "DwmSetWindowAttribute")) : nullptr;
  if (!set) return;
  BOOL value = dark ? TRUE : FALSE;
  set(window, kUseImmersiveDarkMode, &value, sizeof value);
}

}  // namespace ui
