// What the content view's tests need around the view: the two libraries bound by name as the
// viewer binds them, a parent window that records what the view sends it, and a capture of
// the parent's client area (view and buttons) as the user sees it.
#ifndef CALVETTA_WIN_TEST_VIEWHARNESS_H
#define CALVETTA_WIN_TEST_VIEWHARNESS_H

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Calvetta.h"
#include "Dunmoor.h"
#include "ui/Window.h"

namespace viewtest {

// Calvetta.dll's exports; Bind loads the library and binds all five, false when one is missing.
struct CalvettaApi : CalvettaExports {
  bool Bind();
};

// Dunmoor.dll's exports, for what the tests do themselves (opening the book, searching,
// reading, drawing an external character); Bind binds them all.
struct BookApi : DunmoorExports {
  bool Bind();
};

// The viewer's content pane, as far as the view is concerned.
class ParentWindow : public ui::Window {
 public:
  bool Create(int width, int height);
  ~ParentWindow() override;
  int failedCount = 0;
  std::vector<WPARAM> tabs;  // wParam of every VM_VIEW_TAB
  int searchMarkCount = 0;   // VM_VIEW_SEARCHMARK received
  std::vector<LPARAM> histories;  // lParam of every VM_VIEW_HISTORY (the position left)
  std::vector<WPARAM> sounds;     // wParam of every VM_VIEW_SOUND

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// Runs the message loop until it is empty (and a little longer, for the X server).
void Pump();

// A 32-bit top-down copy of pixels. Colours compare as COLORREF (red in the low byte).
class Capture {
 public:
  // The client area of window, including its children, as shown: repainted first, or (redraw
  // false) as it is now.
  static Capture Of(HWND window, bool redraw = true);
  // An empty surface of the given size filled with colour, with a DC to draw on.
  Capture(int width, int height, COLORREF fill);
  Capture() = default;
  int Width() const { return width; }
  int Height() const { return height; }
  COLORREF At(int x, int y) const;
  // Pixels of colour inside [left, right) x [top, bottom).
  int Count(COLORREF colour, int left, int top, int right, int bottom) const;
  // Pixels that are neither background nor the given colour: "ink" of any colour.
  int Ink(COLORREF background, int left, int top, int right, int bottom) const;
  // Whether the pixels equal other's in [0, right) x [0, bottom).
  bool SameAs(const Capture& other, int right, int bottom) const;
  // Writes a 24-bit BMP file (into the test-artifacts folder when path is a bare name).
  bool SaveBmp(const std::string& name) const;

  std::vector<uint32_t> pixels;  // 0x00RRGGBB, as a 32-bit DIB holds them

 private:
  int width = 0;
  int height = 0;
};

// The DIB-section surface of a Capture-sized memory DC for drawing references (templates).
class Surface {
 public:
  Surface(int width, int height, COLORREF fill);
  ~Surface();
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;
  HDC Dc() const { return dc; }
  Capture Read() const;

 private:
  int width, height;
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ old = nullptr;
  uint32_t* bits = nullptr;
};

// The text of a window, and of a message box's message (its static control).
std::wstring TextOf(HWND window);
std::wstring MessageText(HWND box);

// Runs action, which opens a modal window, while onTimer (on this thread, from the modal
// loop) looks for that window and acts on it; onTimer returns true once it is done.
// After about ten seconds every dialog of the thread is cancelled, so that a test that
// misses its window fails instead of hanging.
void WhileModal(const std::function<void()>& action, std::function<bool()> onTimer);

// The visible dialog window owned by owner (or by its top-level window), or null.
HWND OwnedDialog(HWND owner);

}  // namespace viewtest

#endif  // CALVETTA_WIN_TEST_VIEWHARNESS_H
