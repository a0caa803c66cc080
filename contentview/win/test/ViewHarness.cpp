#include "win/test/ViewHarness.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "TestFiles.h"
#include "ui/BoundLibrary.h"

namespace viewtest {
namespace {

// The libraries stay loaded for the whole test run, as in the viewer.
template <typename Exports>
bool BindAll(const wchar_t* file, Exports* exports) {
  static ui::BoundLibrary<Exports> library;
  if (!library.IsLoaded() && !library.LoadAll(file)) return false;
  *exports = library.Get();
  return true;
}

constexpr wchar_t kParentClass[] = L"CalvettaTestPane";

uint32_t ToColorref(uint32_t dib) { return ((dib >> 16) & 0xFF) | (dib & 0xFF00) | ((dib & 0xFF) << 16); }

}  // namespace

bool CalvettaApi::Bind() { return BindAll<CalvettaExports>(L"Calvetta.dll", this); }

bool BookApi::Bind() { return BindAll<DunmoorExports>(L"Dunmoor.dll", this); }

bool ParentWindow::Create(int width, int height) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!RegisterClassOnce(instance, kParentClass, 0, LoadCursorW(nullptr, IDC_ARROW),
                         static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))))
    return false;
  RECT frame = {0, 0, width, height};
  AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
  HWND hwnd = Window::Create(instance, kParentClass, L"content pane", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 0,
                             frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr);
  if (hwnd) {
    SetForegroundWindow(hwnd);
    Pump();
  }
  return hwnd != nullptr;
}

ParentWindow::~ParentWindow() {
  if (Hwnd()) DestroyWindow(Hwnd());
  Pump();
}

LRESULT ParentWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == VM_VIEW_FAILED) {
    ++failedCount;
    return 0;
  }
  if (message == VM_VIEW_SEARCHMARK) {
    ++searchMarkCount;
    return 0;
  }
  if (message == VM_VIEW_TAB) {
    tabs.push_back(wParam);
    return 0;
  }
  if (message == VM_VIEW_HISTORY) {
    histories.push_back(lParam);
    return 1;
  }
  if (message == VM_VIEW_SOUND) {
    sounds.push_back(wParam);
    return 0;
  }
  return Window::OnMessage(message, wParam, lParam);
}

void Pump() {
  for (int round = 0; round < 5; ++round) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(10);
  }
}

Surface::Surface(int width, int height, COLORREF fill) : width(width), height(height) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  dc = CreateCompatibleDC(nullptr);
  void* memory = nullptr;
  bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
  bits = static_cast<uint32_t*>(memory);
  old = SelectObject(dc, bitmap);
  HBRUSH brush = CreateSolidBrush(fill);
  RECT all = {0, 0, width, height};
  FillRect(dc, &all, brush);
  DeleteObject(brush);
}

Surface::~Surface() {
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

Capture Surface::Read() const {
  GdiFlush();
  Capture capture(width, height, 0);
  std::memcpy(capture.pixels.data(), bits, capture.pixels.size() * 4);
  return capture;
}

Capture::Capture(int width, int height, COLORREF fill)
    : pixels(static_cast<size_t>(width) * height, ToColorref(fill)), width(width), height(height) {}

Capture Capture::Of(HWND window, bool redraw) {
  if (redraw) RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Pump();
  RECT client;
  GetClientRect(window, &client);
  Surface surface(client.right, client.bottom, RGB(0, 0, 0));
  HDC source = GetDC(window);
  BitBlt(surface.Dc(), 0, 0, client.right, client.bottom, source, 0, 0, SRCCOPY);
  ReleaseDC(window, source);
  return surface.Read();
}

COLORREF Capture::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return CLR_INVALID;
  return ToColorref(pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF);
}

int Capture::Count(COLORREF colour, int left, int top, int right, int bottom) const {
  int n = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) n += At(x, y) == colour;
  return n;
}

int Capture::Ink(COLORREF background, int left, int top, int right, int bottom) const {
  int n = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) n += At(x, y) != background && At(x, y) != CLR_INVALID;
  return n;
}

bool Capture::SameAs(const Capture& other, int right, int bottom) const {
  for (int y = 0; y < bottom; ++y)
    for (int x = 0; x < right; ++x)
      if (At(x, y) != other.At(x, y)) return false;
  return true;
}

bool Capture::SaveBmp(const std::string& name) const {
  return testfiles::WriteBmp24(std::filesystem::path(CALVETTA_ARTIFACTS_DIR) / (name + ".bmp"), width, height,
                               [&](int x, int y) {
                                 COLORREF c = At(x, y);
                                 return uint32_t{GetRValue(c)} << 16 | uint32_t{GetGValue(c)} << 8 | GetBValue(c);
                               });
}

namespace {

std::function<bool()>* gOnTimer = nullptr;
int gTicks = 0;

void CALLBACK ModalTimer(HWND, UINT, UINT_PTR, DWORD) {
  if (gOnTimer && (*gOnTimer)()) gOnTimer = nullptr;
  if (++gTicks > 100) {
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM) -> BOOL {
          wchar_t name[16] = L"";
          GetClassNameW(w, name, 16);
          if (std::wstring(name) == L"#32770") PostMessageW(w, WM_COMMAND, IDCANCEL, 0);
          return TRUE;
        },
        0);
  }
}
}  // namespace

void WhileModal(const std::function<void()>& action, std::function<bool()> onTimer) {
  gOnTimer = &onTimer;
  gTicks = 0;
  UINT_PTR timer = SetTimer(nullptr, 0, 100, ModalTimer);
  action();
  KillTimer(nullptr, timer);
  gOnTimer = nullptr;
}

HWND OwnedDialog(HWND owner) {
  std::pair<HWND, HWND> search(owner, nullptr);
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND w, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<std::pair<HWND, HWND>*>(p);
        wchar_t name[16] = L"";
        GetClassNameW(w, name, 16);
        HWND by = GetWindow(w, GW_OWNER);
        if (std::wstring(name) == L"#32770" && IsWindowVisible(w) && by &&
            (by == s->first || by == GetAncestor(s->first, GA_ROOT))) {
          s->second = w;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.second;
}

std::wstring TextOf(HWND window) {
  wchar_t text[512] = L"";
  GetWindowTextW(window, text, 512);
  return text;
}

std::wstring MessageText(HWND box) {
  HWND text = GetDlgItem(box, 0xFFFF);
  return text ? TextOf(text) : L"";
}

}  // namespace viewtest
