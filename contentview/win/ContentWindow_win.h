// The content view's window (class "Calvetta"): one per process, a child of the viewer's
// content pane. It binds Dunmoor.dll itself, lays entry text out through ContentLayout, paints
// it, and has four scroll buttons in a 16-pixel column at its right edge.
#ifndef CALVETTA_WIN_CONTENTWINDOW_WIN_H
#define CALVETTA_WIN_CONTENTWINDOW_WIN_H

#include <windows.h>

#include <array>

#include "ContentLayout.h"
#include "ui/UniqueHandle.h"
#include "ui/Window.h"
#include "win/ContentPainter_win.h"
#include "win/DunmoorBinding_win.h"

namespace calvetta {

// Set while the library shows a message box (VM_VIEW_INMSGBOX answers it).
extern bool gInMessageBox;

class ContentWindow : public ui::Window {
 public:
  explicit ContentWindow(HINSTANCE module);

  // Registers the class and creates the window as a child of parent over rect.
  HWND CreateView(HWND parent, const RECT& rect);
  // Drops all content and shows an empty view.
  void SetContentBlank();

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  ui::Handled OnCreate(const CREATESTRUCTW& create) override;
  ui::Handled OnSize(UINT kind, int width, int height) override;
  ui::Handled OnDestroy() override;

 private:
  static constexpr int kButtonCount = 4;

  void CreateButtons();
  void PlaceButtons(int width, int height);
  void UpdateButtons();
  void DisableButtons();
  LRESULT OnShow(LayoutResult result, bool noTextIsFailure, LRESULT failedResult);
  void OnButton(int id, bool pressed);
  void HandleFailure();
  void EnsureMetrics();
  void RedrawPage();
  void Paint();
  bool OnSetCursor(LPARAM lParam);

  HINSTANCE module;
  DunmoorBinding binding;
  DunmoorTextSource source{binding};
  ContentLayout layout{&source};
  ContentPainter painter;
  std::array<HWND, kButtonCount> buttons{};
  std::array<ui::UniqueIcon, kButtonCount> buttonIcons;
  std::array<bool, kButtonCount> released{{true, true, true, true}};
  uint8_t hoverKind = 0;  // 0 none, 1 reference, 2 graphic, 3 sound
  UINT bmpWindowDestroy = 0;
  HCURSOR referenceCursor = nullptr;
  HCURSOR graphicCursor = nullptr;
  HCURSOR soundCursor = nullptr;
  HCURSOR arrowCursor = nullptr;
  bool waiting = false;  // cleared by the repeat timer
};

}  // namespace calvetta

#endif  // CALVETTA_WIN_CONTENTWINDOW_WIN_H
