// The content view's window (class "Calvetta"): one per process, a child of the viewer's
// content pane. It binds Dunmoor.dll itself, lays entry text out through ContentLayout, paints
// it, and has four scroll buttons in a column at its right edge (16 pixels at 96 dots an inch).
// It routes: the marks, the pictures and sound, and the moves through the text (keys, buttons,
// pointer) are features of their own that own their state.
#ifndef CALVETTA_WIN_CONTENTWINDOW_WIN_H
#define CALVETTA_WIN_CONTENTWINDOW_WIN_H

#include <windows.h>

#include <array>

#include "ContentLayout.h"
#include "ui/UniqueHandle.h"
#include "ui/Window.h"
#include "win/ContentMarks_win.h"
#include "win/ContentMedia_win.h"
#include "win/ContentNavigation_win.h"
#include "win/ContentPainter_win.h"
#include "win/ContentPrint_win.h"
#include "win/DunmoorBinding_win.h"
#include "win/ScrollButton_win.h"
#include "win/ViewMessage_win.h"
#include "win/ViewRouter_win.h"

namespace calvetta {

class ContentWindow : public ui::Window, private ViewRouter {
 public:
  explicit ContentWindow(HINSTANCE module);

  // Registers the class and creates the window as a child of parent over rect.
  HWND CreateView(HWND parent, const RECT& rect);
  // Drops all content and shows an empty view.
  void SetContentBlank();

  // The marks (the exports read and copy them) and the pictures and sound of the text.
  ContentMarks& Marks() { return marks; }
  ContentMedia& Media() { return media; }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  ui::Handled OnCreate(const CREATESTRUCTW& create) override;
  ui::Handled OnSize(UINT kind, int width, int height) override;
  ui::Handled OnDestroy() override;

 private:
  // ViewRouter.
  void HandleFailure() override;
  void UpdateButtons() override;
  void RedrawPage() override;
  void EnsureMetrics() override;

  void CreateButtons();
  void PlaceButtons(int width, int height);
  void DisableButtons();
  LRESULT OnShow(LayoutResult result, bool noTextIsFailure, LRESULT failedResult);
  // VM_VIEW_TEXTSIZE.
  bool SetTextSize(int percent);
  // VM_VIEW_MARKTEXT: the characters of length bytes from text position marked and in view.
  bool MarkText(int32_t position, int32_t length);
  // VM_VIEW_MARKALL.
  LRESULT MarkAll(WPARAM how);
  // The view's monitor's dots an inch (at creation, and WM_DPICHANGED_AFTERPARENT when the
  // window moved to a monitor of another resolution): fonts, the button column, its icons and
  // the cursors at that resolution, and the text laid out again from the same top line.
  void SetDpi(int newDpi);
  void LoadPictures();
  void LayOutAgain();
  void Paint();
  void PrintClient(HDC dc);

  HINSTANCE module;
  DunmoorBinding binding;
  DunmoorTextSource source{binding};
  ContentLayout layout{&source};
  ContentPainter painter;
  ViewMessages messages;
  ContentMarks marks{*this, layout, binding};
  ContentMedia media{*this, module, binding, messages, *this};
  ContentNavigation navigation{*this, module, layout, marks, media, *this};
  ContentPrint printing{module, source, layout, marks, painter, binding};
  std::array<HWND, kScrollButtonCount> buttons{};
  std::array<ui::UniqueIcon, kScrollButtonCount> buttonIcons;
  int dpi = 96;
  int buttonColumn = kButtonColumnWidth;  // at dpi
};

}  // namespace calvetta

#endif  // CALVETTA_WIN_CONTENTWINDOW_WIN_H
