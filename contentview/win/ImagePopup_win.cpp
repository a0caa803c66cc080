#include "win/ImagePopup_win.h"

#include <commctrl.h>
#include <commdlg.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "MediaPaths.h"
#include "win/CalvettaRes.h"
#include "win/ViewMessage_win.h"
#include "ui/Clipboard.h"
#include "ui/DarkLook.h"
#include "ui/Dpi.h"
#include "ui/ScaledPicture.h"

namespace calvetta {

namespace {

constexpr wchar_t kClassName[] = L"BMP window";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
// In pixels of a 96-dots-an-inch screen, scaled to the owner's monitor.
constexpr int kToolbarHeight = 26;
constexpr int kMinimumWidth = 90;
constexpr int kToolbarButtons = 3;  // pictures side by side in one bitmap

// The commands of the toolbar resource (version 1, image width and height, count, ids); the
// three fixed commands when the resource is missing or not of that form.
std::vector<int> ToolbarCommands(HINSTANCE module) {
  std::vector<int> commands = {IDM_PICTURE_CLOSE, IDM_PICTURE_COPY, IDM_PICTURE_SAVE};
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(IDTB_PICTURE_TOOLBAR), MAKEINTRESOURCEW(RT_TOOLBAR_DATA));
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const WORD* words = loaded ? static_cast<const WORD*>(LockResource(loaded)) : nullptr;
  DWORD size = found ? SizeofResource(module, found) : 0;
  if (!words || size < 8 || words[0] != 1 || words[3] == 0 || words[3] > kToolbarButtons ||
      size < 8u + 2u * words[3])
    return commands;
  commands.assign(words + 4, words + 4 + words[3]);
  return commands;
}

bool WriteAll(HANDLE file, const uint8_t* data, size_t size) {
  while (size > 0) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(size, 1u << 30)), written = 0;
    if (!WriteFile(file, data, chunk, &written, nullptr) || written != chunk) return false;
    data += chunk;
    size -= chunk;
  }
  return true;
}

}  // namespace

ImagePopup::~ImagePopup() { Close(); }

void ImagePopup::Close() {
  if (Hwnd()) DestroyWindow(Hwnd());
}

bool ImagePopup::ShowMonochrome(HWND ownerWindow, media::MonochromePicture picture) {
  kind = 0;
  mono = std::move(picture);
  return Open(ownerWindow, static_cast<int>(mono.width), static_cast<int>(mono.height));
}

bool ImagePopup::ShowColour(HWND ownerWindow, const uint8_t* fileImage, const media::ColourBmp& checked) {
  kind = 1;
  file = fileImage;
  bmp = checked;
  CreatePalette();
  return Open(ownerWindow, bmp.width, static_cast<int>(bmp.rows));
}

void ImagePopup::CreatePalette() {
  // One entry a colour of the table (red, green, blue from its bytes 2, 1, 0). A picture
  // without a table, or whose palette cannot be made, is drawn without one.
  if (bmp.paletteEntries == 0) return;
  const size_t bytes = sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * bmp.paletteEntries;
  std::unique_ptr<uint8_t[]> memory(new (std::nothrow) uint8_t[bytes]());
  if (!memory) return;
  LOGPALETTE* logical = reinterpret_cast<LOGPALETTE*>(memory.get());
  logical->palVersion = 0x300;
  logical->palNumEntries = static_cast<WORD>(bmp.paletteEntries);
  const uint8_t* table = file + media::kBmpFileHeaderSize + media::kBmpInfoHeaderSize;
  for (uint32_t i = 0; i < bmp.paletteEntries; ++i) {
    PALETTEENTRY& entry = logical->palPalEntry[i];
    entry.peRed = table[4 * i + 2];
    entry.peGreen = table[4 * i + 1];
    entry.peBlue = table[4 * i];
    entry.peFlags = 0;
  }
  palette.Attach(::CreatePalette(logical));
}

bool ImagePopup::Open(HWND ownerWindow, int width, int height) {
  owner = ownerWindow;
  if (!RegisterClassOnce(module, kClassName, CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_BYTEALIGNCLIENT,
                         LoadCursorW(nullptr, IDC_ARROW), static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))))
    return false;
  const int dpi = ui::WindowDpi(owner);
  toolbarHeight = ui::ScaledPixels(kToolbarHeight, dpi);
  RECT rect = {10, 20, width + 10, height + 20};
  AdjustWindowRectEx(&rect, kStyle, FALSE, 0);
  int windowWidth = std::max<int>(rect.right - rect.left, ui::ScaledPixels(kMinimumWidth, dpi));
  int windowHeight = rect.bottom - rect.top + toolbarHeight;
  int x = std::max(0, (GetSystemMetrics(SM_CXSCREEN) - windowWidth) / 2);
  int y = std::max(0, (GetSystemMetrics(SM_CYSCREEN) - windowHeight - toolbarHeight) / 2);
  if (!Create(module, kClassName, L"\u753b\u50cf", kStyle, 0, x, y, windowWidth, windowHeight, owner, nullptr))
    return false;
  if (dark) ui::DarkTitleBar(Hwnd(), true);
  HICON icon = LoadIconW(module, MAKEINTRESOURCEW(IDI_PICTURE_WINDOW));
  if (icon) SetClassLongPtrW(Hwnd(), GCLP_HICON, reinterpret_cast<LONG_PTR>(icon));
  RECT client;
  GetClientRect(Hwnd(), &client);
  CreateToolbar(client.right, dpi);
  ShowWindow(Hwnd(), SW_SHOW);
  SetForegroundWindow(Hwnd());
  SetFocus(Hwnd());
  SendMessageW(Hwnd(), WM_QUERYNEWPALETTE, 0, 0);
  return true;
}

void ImagePopup::CreateToolbar(int clientWidth, int dpi) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  toolbar = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                            WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS | CCS_NODIVIDER | CCS_NORESIZE | CCS_NOMOVEY |
                                // In the dark, flat buttons over the window's dark ground.
                                (dark ? TBSTYLE_FLAT | TBSTYLE_TRANSPARENT : 0),
                            0, 0, clientWidth + 20, toolbarHeight, Hwnd(),
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDTB_PICTURE_TOOLBAR)), module, nullptr);
  if (!toolbar) return;
  SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  // The three pictures at the monitor's resolution.
  const ui::ToolbarStrip strip = {IDBM_PICTURE_TOOLBAR, kToolbarButtons};
  ui::SetToolbarPictures(toolbar, module, &strip, 1, dpi, &toolbarPictures, dark);
  std::vector<int> commands = ToolbarCommands(module);
  std::vector<TBBUTTON> buttons(commands.size());
  for (size_t i = 0; i < commands.size(); ++i) {
    buttons[i].iBitmap = static_cast<int>(i);
    buttons[i].idCommand = commands[i];
    buttons[i].fsState = TBSTATE_ENABLED;
    buttons[i].fsStyle = BTNS_BUTTON;
  }
  SendMessageW(toolbar, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
  SendMessageW(toolbar, TB_SETROWS, MAKEWPARAM(1, FALSE), 0);
  SendMessageW(toolbar, TB_AUTOSIZE, 0, 0);
}

void ImagePopup::Paint(HDC dc) {
  if (kind == 1) {
    HPALETTE previous = palette ? SelectPalette(dc, static_cast<HPALETTE>(palette.Get()), TRUE) : nullptr;
    if (palette) RealizePalette(dc);
    SetDIBitsToDevice(dc, 0, toolbarHeight, static_cast<DWORD>(bmp.width), bmp.rows, 0, 0, 0, bmp.rows,
                      file + bmp.dataOffset,
                      reinterpret_cast<const BITMAPINFO*>(file + media::kBmpFileHeaderSize), DIB_RGB_COLORS);
    if (previous) SelectPalette(dc, previous, TRUE);
    return;
  }
  // A device bitmap wants rows of an even number of bytes; ink (set bits) turns black through
  // the inversion.
  std::vector<uint8_t> rows = media::EvenRows(mono);
  const int width = static_cast<int>(mono.width), height = static_cast<int>(mono.height);
  ui::UniqueGdiObject bitmap(CreateBitmap(width, height, 1, 1, rows.data()));
  ui::UniqueDc memory(CreateCompatibleDC(dc));
  if (!bitmap || !memory) return;
  ui::ScopedSelectObject select(memory.Get(), bitmap.Get());
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkColor(dc, RGB(255, 255, 255));
  BitBlt(dc, 0, toolbarHeight, width, height, memory.Get(), 0, 0, NOTSRCCOPY);
}

void ImagePopup::SelectPaletteInto(HWND window) {
  if (!palette) return;
  ui::WindowDc dc(window);
  if (!dc) return;
  HPALETTE previous = SelectPalette(dc.Get(), static_cast<HPALETTE>(palette.Get()), FALSE);
  RealizePalette(dc.Get());
  if (previous) SelectPalette(dc.Get(), previous, FALSE);
  InvalidateRect(window, nullptr, TRUE);
  UpdateWindow(window);
}

std::vector<uint8_t> ImagePopup::Dib() const {
  return kind == 1 ? media::ColourDib(file, bmp) : media::MonochromeDib(mono.width, mono.height, mono.bits);
}

void ImagePopup::Copy() {
  if (!ui::OpenClipboardPatiently(Hwnd())) {
    messages.Show(Hwnd(), module, IDS_CLIPBOARD_CANNOT_OPEN);
    return;
  }
  EmptyClipboard();
  std::vector<uint8_t> dib = Dib();
  HGLOBAL memory = dib.empty() ? nullptr : GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, dib.size());
  void* locked = memory ? GlobalLock(memory) : nullptr;
  bool set = false;
  if (locked) {
    std::memcpy(locked, dib.data(), dib.size());
    GlobalUnlock(memory);
    set = SetClipboardData(CF_DIB, memory) != nullptr;
  }
  // The clipboard owns the memory only once it has taken it.
  if (!set && memory) GlobalFree(memory);
  CloseClipboard();
  if (!set) messages.Show(Hwnd(), module, IDS_CLIPBOARD_CANNOT_SET);
}

void ImagePopup::Save() {
  wchar_t path[MAX_PATH * 2] = L"";
  std::wstring offered = media::SaveFileName(caption);
  if (jpeg && offered.size() >= 4) offered.replace(offered.size() - 4, 4, L".jpg");
  offered.copy(path, std::min<size_t>(offered.size(), MAX_PATH * 2 - 1));
  // The user's Pictures folder, not the program's (the dialog's own choice when it has none).
  std::wstring pictures;
  PWSTR known = nullptr;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Pictures, KF_FLAG_CREATE, nullptr, &known)) && known)
    pictures = known;
  CoTaskMemFree(known);
  OPENFILENAMEW dialog = {};
  if (!pictures.empty()) dialog.lpstrInitialDir = pictures.c_str();
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = Hwnd();
  dialog.lpstrFilter = jpeg ? L"JPEG Files(*.jpg)\0*.jpg\0All Files(*.*)\0*.*\0"
                            : L"Bitmap Files(*.bmp)\0*.bmp\0All Files(*.*)\0*.*\0";
  dialog.lpstrFile = path;
  dialog.nMaxFile = sizeof path / sizeof path[0];
  dialog.lpstrDefExt = jpeg ? L"jpg" : L"bmp";
  dialog.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
  if (!GetSaveFileNameW(&dialog)) return;
  std::wstring name = media::CutSavePath(path);
  // A colour picture is written as the book stores it: the whole file its header describes
  // (its last bytes are pixels, so nothing is cut off). A monochrome one becomes a 1-bit file.
  std::vector<uint8_t> monochromeFile;
  const uint8_t* bytes = file;
  size_t size = bmp.fileSize;
  if (kind == 0) {
    monochromeFile = media::MonochromeBmp(mono.width, mono.height, mono.bits);
    bytes = monochromeFile.data();
    size = monochromeFile.size();
  } else if (jpeg) {
    bytes = jpeg;
    size = jpegSize;
  }
  ui::UniqueFile out(CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!out) {
    messages.Show(Hwnd(), L"Could not create file " + name);
    return;
  }
  bool written = WriteAll(out.Get(), bytes, size);
  bool closed = out.Close();
  if (!written || !closed) {
    // A half-written picture is no picture: say so, and leave no such file behind.
    DeleteFileW(name.c_str());
    messages.Show(Hwnd(), L"Could not write file " + name);
  }
}

ui::Handled ImagePopup::OnCommand(int id, int, HWND) {
  switch (id) {
    case IDM_PICTURE_CLOSE: DestroyWindow(Hwnd()); return ui::Done(0);
    case IDM_PICTURE_COPY: Copy(); return ui::Done(0);
    case IDM_PICTURE_SAVE: Save(); return ui::Done(0);
    default: return ui::NotHandled();
  }
}

ui::Handled ImagePopup::OnNotify(const NMHDR& header) {
  if (header.code != TTN_GETDISPINFOW) return ui::NotHandled();
  // The tooltip of a button is the library string with the button's command number.
  NMTTDISPINFOW& info = const_cast<NMTTDISPINFOW&>(reinterpret_cast<const NMTTDISPINFOW&>(header));
  info.hinst = module;
  info.lpszText = MAKEINTRESOURCEW(header.idFrom);
  return ui::Done(0);
}

ui::Handled ImagePopup::OnDestroy() {
  palette.Close();
  toolbar = nullptr;
  if (destroyMessage) {
    PostMessageW(HWND_BROADCAST, destroyMessage, 0, 0);
    if (owner && IsWindow(owner)) PostMessageW(owner, destroyMessage, 0, 0);
  }
  return ui::Done(0);
}

LRESULT ImagePopup::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(Hwnd(), &ps);
      if (dc) Paint(dc);
      EndPaint(Hwnd(), &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      if (dark) {
        RECT client = {};
        GetClientRect(Hwnd(), &client);
        ui::UniqueBrush ground(CreateSolidBrush(ui::DarkColours().ground));
        FillRect(reinterpret_cast<HDC>(wParam), &client, ground.Get());
        return 1;
      }
      break;
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) {
        DestroyWindow(Hwnd());
        return 0;
      }
      break;
    case WM_SETCURSOR:
      SetCursor(LoadCursorW(nullptr, IDC_ARROW));
      return TRUE;
    case WM_QUERYNEWPALETTE:
      SelectPaletteInto(Hwnd());
      return TRUE;
    case WM_PALETTECHANGED:
      if (reinterpret_cast<HWND>(wParam) != Hwnd()) SelectPaletteInto(Hwnd());
      return 0;
    default:
      break;
  }
  return Window::OnMessage(message, wParam, lParam);
}

}  // namespace calvetta
