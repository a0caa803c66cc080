#include "ResultList_win.h"

#include <cstring>
#include <string_view>

#include "BrisvaneRes.h"
#include "Calvetta.h"
#include "FrameMessages.h"
#include "GaijiSizes.h"
#include "HeadwordLayout.h"
#include "ui/DarkLook.h"
#include "ui/Dpi.h"
#include "ui/JapaneseFaces.h"
#include "ui/ShiftJisText.h"

namespace brisvane {

namespace {

constexpr int kFocusBitmapId = 170;
constexpr ListColours kLight{RGB(255, 255, 255), RGB(0, 0, 0), RGB(0, 0, 128), RGB(255, 255, 255),
                             RGB(0x40, 0x60, 0x90)};
constexpr ListColours kDark{RGB(30, 30, 30), RGB(222, 222, 222), RGB(38, 79, 120), RGB(255, 255, 255),
                            RGB(140, 170, 210)};

// The size in hundredths of a point, on a monitor of dpi dots an inch.
HFONT MakeFont(const wchar_t* face, int hundredths, int dpi, bool bold = false, bool italic = false) {
  LOGFONTW font = {};
  font.lfHeight = -MulDiv(hundredths, dpi, 72 * 100);
  font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  font.lfItalic = italic ? TRUE : FALSE;
  font.lfCharSet = SHIFTJIS_CHARSET;
  font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
  lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
  return CreateFontIndirectW(&font);
}

using ui::FromShiftJis;

// A 50% dotted brush for the focus frame when the program carries no bitmap 170.
HBRUSH MakeDottedBrush() {
  static const WORD kDots[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
  HBITMAP bitmap = CreateBitmap(8, 8, 1, 1, kDots);
  if (!bitmap) return nullptr;
  HBRUSH brush = CreatePatternBrush(bitmap);
  DeleteObject(bitmap);  // the brush keeps its own copy
  return brush;
}

class SelectFont {
 public:
  SelectFont(HDC dc, HFONT font) : dc(dc), old(SelectObject(dc, font)) {}
  ~SelectFont() { SelectObject(dc, old); }
  SelectFont(const SelectFont&) = delete;
  SelectFont& operator=(const SelectFont&) = delete;

 private:
  HDC dc;
  HGDIOBJ old;
};

}  // namespace

void ResultList::MakeTextFonts() {
  const int percent = textPercent;
  if (!dpi) dpi = ui::ScreenDpi();  // sized before the list is made
  HDC screen = GetDC(nullptr);
  const wchar_t* face = ui::FirstInstalledFace(screen, ui::kMinchoFaces);
  font.Attach(MakeFont(face, 12 * percent, dpi));
  smallFont.Attach(MakeFont(face, 9 * percent, dpi));
  // Text the book marks bold or italic.
  boldFont.Attach(MakeFont(face, 12 * percent, dpi, true, false));
  italicFont.Attach(MakeFont(face, 12 * percent, dpi, false, true));
  itemHeight = 0;
  if (font) {
    SelectFont select(screen, font.Get());
    SIZE size = {};
    GetTextExtentPoint32W(screen, L"ら", 1, &size);
    itemHeight = size.cy + 6;  // the height of a kana of the list font, plus 6
  }
  ReleaseDC(nullptr, screen);
  if (itemHeight <= 6) itemHeight = ui::ScaledPixels(22 * percent / 100, dpi);
}

void ResultList::SetTextSize(int percent) {
  textPercent = percent;
  UseTextFonts();
}

void ResultList::SetDpi(int newDpi) {
  dpi = newDpi;
  UseTextFonts();
}

void ResultList::UseTextFonts() {
  MakeTextFonts();
  if (!list) return;
  SendMessageW(list, LB_SETITEMHEIGHT, 0, itemHeight);
  if (font) SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
  // The widest headword is measured again as the items are drawn.
  extent = 0;
  TellExtent();
  InvalidateRect(list, nullptr, TRUE);
}

void ResultList::MakeFonts() {
  if (font) return;
  MakeTextFonts();

  HBITMAP pattern = LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kFocusBitmapId));
  if (pattern) {
    focusBrush.Attach(CreatePatternBrush(pattern));
    DeleteObject(pattern);
  }
  if (!focusBrush) focusBrush.Attach(MakeDottedBrush());
  SetDark(false);
}

void ResultList::SetDark(bool dark) {
  if (list) ui::DarkScrollBars(list, dark);
  colours = dark ? kDark : kLight;
  paperBrush.Attach(CreateSolidBrush(colours.paper));
  selectionBrush.Attach(CreateSolidBrush(colours.selection));
  if (list) InvalidateRect(list, nullptr, TRUE);
}

void ResultList::Follow(const ResultList& other) {
  SetDark(other.colours.paper == kDark.paper);
  SetTextSize(other.textPercent);
}

bool ResultList::Create(HWND pane, HWND frameWindow) {
  if (!dpi) dpi = ui::WindowDpi(pane);
  MakeFonts();
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(pane, GWLP_HINSTANCE));
  RECT client = {};
  GetClientRect(pane, &client);
  HWND box = CreateWindowExW(0, L"LISTBOX", L"",
                             WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED |
                                 LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
                             0, 0, client.right, client.bottom, pane,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDL_RESULTLIST)), instance, nullptr);
  return box && Attach(box, frameWindow);
}

bool ResultList::Attach(HWND listBox, HWND frameWindow) {
  if (!listBox || list) return false;
  if (!dpi) dpi = ui::WindowDpi(listBox);
  MakeFonts();
  list = listBox;
  frame = frameWindow;
  listProc = reinterpret_cast<WNDPROC>(GetClassLongPtrW(list, GCLP_WNDPROC));
  SendMessageW(list, LB_SETITEMHEIGHT, 0, itemHeight);
  if (font) SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
  return ui::Subclass::Attach(list);
}

void ResultList::Add(int count) {
  if (!list || count <= 0) return;
  Quiet quiet(*this);
  SendMessageW(list, LB_INITSTORAGE, static_cast<WPARAM>(count), 0);
  for (int i = 0; i < count; ++i) {
    if (listProc)
      CallWindowProcW(listProc, list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L""));
    else
      SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L""));
  }
}

ResultList::Quiet::Quiet(ResultList& owner) : list(owner.list) {
  if (list) SendMessageW(list, WM_SETREDRAW, FALSE, 0);
}

ResultList::Quiet::~Quiet() {
  if (!list) return;
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

void ResultList::Reset() {
  if (!list) return;
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  extent = 0;
  TellExtent();
}

void ResultList::Widen(int x) {
  if (x <= extent) return;
  extent = x;
  TellExtent();
}

void ResultList::TellExtent() {
  if (!list) return;
  RECT client = {};
  GetClientRect(list, &client);
  // Whatever the list box holds at or below its width shows no scroll bar.
  const int told = extent > client.right ? extent : 0;
  if (told == extentTold) return;
  extentTold = told;
  SendMessageW(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(told), 0);
}

void ResultList::FitToPane(HWND pane) {
  RECT client = {};
  GetClientRect(pane, &client);
  MoveWindow(list, 0, 0, client.right, client.bottom, TRUE);
}

bool ResultList::HandlePaneMessage(HWND pane, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (!list) return false;
  switch (message) {
    case WM_DRAWITEM: {
      auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (wParam != IDL_RESULTLIST || !item) return false;
      Draw(*item);
      *result = TRUE;
      return true;
    }
    case WM_MEASUREITEM: {
      auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (wParam != IDL_RESULTLIST || !item) return false;
      Measure(*item);
      *result = TRUE;
      return true;
    }
    case WM_CTLCOLORLISTBOX:
      if (reinterpret_cast<HWND>(lParam) != list) return false;
      *result = reinterpret_cast<LRESULT>(paperBrush.Get());
      return true;
    case WM_ERASEBKGND: {
      RECT client = {};
      GetClientRect(pane, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, paperBrush.Get());
      *result = 1;
      return true;
    }
    case WM_SETFOCUS:
      SetFocus(list);
      *result = 0;
      return true;
    case WM_SIZE:
      FitToPane(pane);
      return false;  // the pane may want to see its size too
    case WM_COMMAND:
      if (LOWORD(wParam) != IDL_RESULTLIST || reinterpret_cast<HWND>(lParam) != list) return false;
      if (HIWORD(wParam) == LBN_SELCHANGE) {
        LRESULT selection = SendMessageW(list, LB_GETCURSEL, 0, 0);
        if (selection >= 0) PostMessageW(frame, FM_SHOWITEM, static_cast<WPARAM>(selection), 0);
      }
      *result = 0;
      return true;
    default:
      return false;
  }
}

void ResultList::Draw(const DRAWITEMSTRUCT& item) {
  if (item.itemID == static_cast<UINT>(-1)) return;  // an empty list has nothing to show
  HDC dc = item.hDC;
  const RECT& rect = item.rcItem;
  bool whole = item.itemAction & ODA_DRAWENTIRE;
  bool selectionChanged = item.itemAction & ODA_SELECT;
  bool focusChanged = item.itemAction & ODA_FOCUS;
  bool selected = item.itemState & ODS_SELECTED;
  bool focused = item.itemState & ODS_FOCUS;
  bool empty = SendMessageW(list, LB_GETCOUNT, 0, 0) <= 0;

  SetBkMode(dc, TRANSPARENT);
  if (selected && (whole || selectionChanged)) {
    FillRect(dc, &rect, selectionBrush.Get());
    DrawHeadword(dc, static_cast<int>(item.itemID), rect, colours.selectedInk);
  } else if (whole || selectionChanged) {
    // Paper first, also for a whole item, so that text is never drawn over old text.
    FillRect(dc, &rect, paperBrush.Get());
    DrawHeadword(dc, static_cast<int>(item.itemID), rect, colours.ink);
  }
  if (empty) return;
  if (focused && (whole || focusChanged))
    DrawFocusFrame(dc, rect, focusBrush.Get());
  else if (focusChanged && !focused)
    DrawFocusFrame(dc, rect, selectionBrush.Get());
}

void ResultList::DrawFocusFrame(HDC dc, const RECT& rect, HBRUSH brush) {
  if (!brush) return;
  // The right edge lies at the screen width, so that the frame has no visible right side
  // however far the list is scrolled.
  int left = rect.left, top = rect.top, right = GetSystemMetrics(SM_CXSCREEN), bottom = rect.bottom;
  COLORREF oldText = SetTextColor(dc, colours.ink);
  COLORREF oldBack = SetBkColor(dc, colours.paper);
  HGDIOBJ old = SelectObject(dc, brush);
  PatBlt(dc, left, top, right - left, 2, PATCOPY);
  PatBlt(dc, left, bottom - 2, right - left, 2, PATCOPY);
  PatBlt(dc, left, top, 2, bottom - top, PATCOPY);
  PatBlt(dc, right - 2, top, 2, bottom - top, PATCOPY);
  SelectObject(dc, old);
  SetTextColor(dc, oldText);
  SetBkColor(dc, oldBack);
}

void ResultList::DrawHeadword(HDC dc, int index, const RECT& rect, COLORREF ink) {
  // A blank item: the library's hits without a book, or a heading that could not be read (the
  // frame then closes the book).
  if (source.LibraryHits() && !SendMessageW(frame, FM_ISBOOKOPEN, 0, 0)) return;
  ListedHeading item;
  const int32_t result = source.HeadingOf(index, &item);
  if (result == kDunmoorFailed) PostMessageW(frame, VM_VIEW_FAILED, 0, 0);
  if (result != kDunmoorSuccess) return;
  if (item.unavailable && ink != colours.selectedInk) ink = colours.label;
  // The book's short name and the note first, in the small font and a quieter colour, then the
  // heading.
  std::wstring before;
  if (!item.label.empty()) before += L"[" + item.label + L"] ";
  if (!item.note.empty()) before += item.note + L" ";
  int left = rect.left;
  if (!before.empty()) {
    SelectFont select(dc, smallFont.Get());
    SIZE size = {};
    GetTextExtentPoint32W(dc, before.c_str(), static_cast<int>(before.size()), &size);
    SetTextColor(dc, ink == colours.selectedInk ? colours.selectedInk : colours.label);
    TextOutW(dc, rect.left, rect.top + (itemHeight - size.cy) / 2, before.c_str(), static_cast<int>(before.size()));
    left += size.cx;
  }
  DrawHeading(dc, item.heading, left, rect.top, ink, item.ownBook);
}

void ResultList::DrawHeading(HDC dc, std::string_view headword, int left, int top, COLORREF ink, bool ownBook) {
  // The font of a piece: small for sub- and superscripts, else as the book marks it.
  auto fontOf = [&](bool small, bool bold, bool italic) {
    if (small) return smallFont.Get();
    if (bold && boldFont) return boldFont.Get();
    if (italic && italicFont) return italicFont.Get();
    return font.Get();
  };
  auto width = [&](std::string_view sjis, bool small, bool bold) {
    SelectFont select(dc, fontOf(small, bold, false));
    std::wstring wide = FromShiftJis(sjis);
    SIZE size = {};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    return static_cast<int>(size.cx);
  };
  brisvane::HeadwordLayout layout = brisvane::LayOutHeadword(headword, left, top, width);

  SetTextColor(dc, ink);
  for (const brisvane::HeadwordPiece& piece : layout.pieces) {
    if (piece.kind == brisvane::HeadwordPiece::Kind::kExternal) {
      if (!ownBook) {
        // Another book's character: its fonts are not the open book's.
        SelectFont select(dc, font.Get());
        TextOutW(dc, piece.left, piece.top, L"\x3013", 1);
      } else if (book.epwShowExCodePixel) {
        booktext::DrawFromLargestFittingFont(piece.bottom - piece.top, [&](uint32_t size) {
          return book.epwShowExCodePixel(piece.code, size, piece.narrow ? 0 : 1, piece.left, piece.top, piece.right,
                                          piece.bottom, ink, dc);
        });
      }
      continue;
    }
    SelectFont select(dc, fontOf(piece.small, piece.bold, piece.italic));
    std::wstring wide = FromShiftJis(piece.text);
    TextOutW(dc, piece.left, piece.top, wide.c_str(), static_cast<int>(wide.size()));
  }
  Widen(layout.endX);
}

LRESULT ResultList::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
      if (wParam == VK_TAB) {
        // Forward to the content, backward (Shift) to the word box.
        PostMessageW(frame, VM_VIEW_TAB, GetKeyState(VK_SHIFT) < 0 ? 2 : 1, 0);
        return 0;
      }
      if (wParam == VK_ESCAPE) {
        // Back to the word box, for the next word.
        PostMessageW(frame, VM_VIEW_TAB, 2, 0);
        return 0;
      }
      break;
    case WM_CHAR:
      if (wParam == L'\t' || wParam == 0x1B) return 0;
      if (wParam >= L' ' && wParam != 0x7F) {
        // Typing is for the word box, as in the entry.
        PostMessageW(frame, VM_VIEW_TYPED, wParam, 0);
        return 0;
      }
      break;
    case WM_VSCROLL:
    case WM_MOUSEWHEEL: {
      // Scrolled to an end: a list that can read more there is told.
      const LRESULT result = Default(message, wParam, lParam);
      RECT client = {};
      GetClientRect(list, &client);
      const LRESULT top = SendMessageW(list, LB_GETTOPINDEX, 0, 0);
      const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
      if (count > 0 && top == 0) PostMessageW(frame, FM_LISTEDGE, 0, 0);
      if (count > 0 && itemHeight > 0 && top + client.bottom / itemHeight >= count) PostMessageW(frame, FM_LISTEDGE, 1, 0);
      return result;
    }
    case WM_SIZE: {
      // What was not worth telling at the old width may be at the new one.
      LRESULT result = Default(message, wParam, lParam);
      TellExtent();
      return result;
    }
    case WM_NCDESTROY:  // the subclass removes itself after this message
      list = nullptr;
      break;
    default:
      break;
  }
  return Default(message, wParam, lParam);
}

}  // namespace brisvane
