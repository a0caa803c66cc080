// The content view's window (class "Calvetta"): one per process, a child of the viewer's
// content pane. It binds Dunmoor.dll itself, lays entry text out through ContentLayout, paints
// it, and has four scroll buttons in a column at its right edge (16 pixels at 96 dots an inch).
#ifndef CALVETTA_WIN_CONTENTWINDOW_WIN_H
#define CALVETTA_WIN_CONTENTWINDOW_WIN_H

#include <windows.h>

#include <array>
#include <memory>
#include <vector>

#include "ContentLayout.h"
#include "HitTest.h"
#include "MarkSelection.h"
#include "ui/UniqueHandle.h"
#include "ui/Window.h"
#include "win/ContentPainter_win.h"
#include "win/DunmoorBinding_win.h"
#include "win/ImagePopup_win.h"

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

  // Marks (ContentMarks_win.cpp). A drag starts where a click hits nothing, follows the pointer
  // and ends at button up; DrawMarks inverts the marks over freshly drawn text (after painting
  // and after scrolling; clip: the update rectangle or null); ClearMarks drops them without
  // drawing (new content, a followed reference, blanking, re-layout after a resize).
  void BeginMarkDrag(int x, int y);
  void ExtendMarkDrag(int x, int y);
  void EndMarkDrag();
  bool MarkDragging() const { return marks.Selecting(); }
  void DrawMarks(HDC dc, const RECT* clip);
  void ClearMarks();
  // The context menu at client point (x, y): コピー and 連続検索.
  void ShowContextMenu(int x, int y);
  // The exports: length of the marked text (0 none), copy to the clipboard, the leading text.
  int32_t MarkedTextLength();
  void CopyMarksToClipboard();
  int32_t GetMarkedText(char* buffer, int32_t size);

  // Pictures and sound from the text (ContentMedia_win.cpp), for the code block of a link slot.
  // PlaySoundBlock sets the sound playing flag; StopSound stops a sound only while it is set.
  void ShowPicture(const char* codeBlock);
  void PlaySoundBlock(const char* codeBlock);
  void StopSound();

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
  // Navigation (ContentNavigation_win.cpp): keys, the buttons' auto-repeat, hover and clicks.
  bool Showing() const;  // content shown and not blank
  void OnKeyDown(WPARAM key);
  bool ScrollStep(int32_t delta);
  int32_t ButtonStep(int index) const;
  void OnButton(int id, bool pressed);
  void RepeatButton(int index);
  bool WaitForRepeat();
  void UpdateHover();
  void SetHoverCursor();
  void ApplyHoverCursor();
  void OnMouseMove(int x, int y);
  void OnLeftButtonDown(int x, int y);
  void OnLeftButtonUp(int x, int y);
  void OnRightButtonDown(int x, int y);
  void FollowReference(const Hit& hit);

  void HandleFailure();
  void EnsureMetrics();
  void RedrawPage();
  // VM_VIEW_TEXTSIZE.
  bool SetTextSize(int percent);
  // The view's monitor's dots an inch (at creation, and WM_DPICHANGED_AFTERPARENT when the
  // window moved to a monitor of another resolution): fonts, the button column, its icons and
  // the cursors at that resolution, and the text laid out again from the same top line.
  void SetDpi(int newDpi);
  void LoadPictures();
  void LayOutAgain();
  void Paint();
  bool OnSetCursor(LPARAM lParam);
  bool ExtractMarks();
  int32_t MarkRow(int y) const;
  void InvertSegment(HDC dc, int32_t row, int32_t left, int32_t right, const RECT* clip) const;

  HINSTANCE module;
  DunmoorBinding binding;
  DunmoorTextSource source{binding};
  ContentLayout layout{&source};
  ContentPainter painter;
  std::array<HWND, kButtonCount> buttons{};
  std::array<ui::UniqueIcon, kButtonCount> buttonIcons;
  int dpi = 96;
  int buttonColumn = kButtonColumnWidth;  // at dpi
  std::array<bool, kButtonCount> released{{true, true, true, true}};
  uint8_t hoverKind = 0;  // 0 none, 1 reference, 2 graphic, 3 sound
  POINT lastMouse = {-1, -1};  // client point of the last mouse message; -1: none yet
  UINT bmpWindowDestroy = 0;
  // The book's cursors at the view's resolution (owned), or the arrow where one is missing.
  std::array<ui::UniqueIcon, 3> ownCursors;
  HCURSOR referenceCursor = nullptr;
  HCURSOR graphicCursor = nullptr;
  HCURSOR soundCursor = nullptr;
  HCURSOR arrowCursor = nullptr;
  bool waiting = false;  // cleared by the repeat timer
  MarkSelection marks;
  // The picture shown (its window and the memory read for it; both null when none) and
  // whether a sound was started from the text (ContentMedia_win.cpp).
  void ClosePicture();
  void OnPictureWindowGone();
  std::unique_ptr<ImagePopup> picture;
  std::vector<uint8_t> pictureMemory;
  bool soundPlaying = false;
};

}  // namespace calvetta

#endif  // CALVETTA_WIN_CONTENTWINDOW_WIN_H
