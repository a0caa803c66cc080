// The main frame's bars: the toolbar (its first button is the word box's place; the search
// panel puts the box there) and the status bar (pane 0 the messages and command prompts, pane 1
// the result count), in the frame's font and pictures at the frame's resolution.
#ifndef BRISVANE_VIEWER_WIN_FRAMEBARS_WIN_H
#define BRISVANE_VIEWER_WIN_FRAMEBARS_WIN_H

#include <windows.h>
#include <commctrl.h>

#include "ui/Subclass.h"
#include "ui/UniqueHandle.h"

namespace brisvane {

// The bars' colours in the dark: a dark ground, light text (the light bars are the system's).
struct DarkBars {
  COLORREF ground = RGB(43, 43, 43);
  COLORREF ink = RGB(222, 222, 222);
  COLORREF field = RGB(30, 30, 30);  // the boxes on the toolbar
};

// The toolbar passes the word box's Enter on to the frame, and its focus to the word box; in the
// dark it paints its ground and its boxes dark.
class ToolbarRelay : public ui::Subclass {
 public:
  void Attach(HWND toolbar, HWND frameWindow) {
    frame = frameWindow;
    ui::Subclass::Attach(toolbar);
  }
  void SetDark(bool isDark);

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  HWND frame = nullptr;
  bool dark = false;
  ui::UniqueBrush groundBrush;
  ui::UniqueBrush fieldBrush;
};

// In the dark the status bar's panes are painted here, their texts as the bar keeps them.
class StatusPainter : public ui::Subclass {
 public:
  void SetDark(bool isDark);

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint();
  bool dark = false;
};

class FrameBars {
 public:
  // Both bars, children of frame, for a monitor of dpi dots an inch.
  bool Create(HWND frame, int dpi);
  // The font, the pictures and the word box's place for a monitor of another resolution.
  void SetDpi(int dpi);
  // Places the bars over a client area of width × height; *top and *bottom get the rows left
  // between them.
  void Layout(int width, int height, int* top, int* bottom);

  // The word box's place on the toolbar, in the toolbar's coordinates (the first button's).
  RECT WordBoxSlot() const;
  // The search mode box's place, right of the word box in the same button.
  RECT ModeBoxSlot() const;
  // The scope box's place, right of the mode box.
  RECT ScopeBoxSlot() const;
  void SetButtonState(int command, BYTE state);
  void CheckButton(int command, bool checked);
  void SetStatusText(int pane, const wchar_t* text);
  // Pane 0: the first line of the command's prompt (nothing when it has none).
  void ShowPromptFor(int command);
  // WM_MENUSELECT: the prompt of the menu item the user is on, a blank when the menu closes.
  void OnMenuSelect(WPARAM wParam, LPARAM lParam);
  // Tooltips (the prompt's second line) and the flyby prompt of the button under the pointer;
  // false for any other notification.
  bool OnNotify(const NMHDR& header);
  // Both bars dark, or as the system draws them.
  void SetDark(bool dark);

  HWND Toolbar() const { return toolbar; }
  HWND StatusBar() const { return statusBar; }

 private:
  bool CreateToolbar(HWND frame);
  bool CreateStatusBar(HWND frame);
  void SetPictures();
  int Scaled(int designPixels) const;

  HWND toolbar = nullptr;
  HWND statusBar = nullptr;
  ToolbarRelay relay;
  StatusPainter statusPainter;
  ui::UniqueFont font;
  ui::UniqueImageList pictures;
  bool darkPictures = false;  // the pictures in their dark form
  int dpi = 96;
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_FRAMEBARS_WIN_H
