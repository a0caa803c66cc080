// The right pane: hosts the content window of Calvetta.dll, loaded by name, and relays the
// messages between it and the main frame.
#ifndef BRISVANE_VIEWER_WIN_CONTENTVIEW_WIN_H
#define BRISVANE_VIEWER_WIN_CONTENTVIEW_WIN_H

#include <windows.h>

#include "BookApi.h"
#include "Calvetta.h"
#include "SearchJob.h"
#include "ui/BoundLibrary.h"
#include "ui/Subclass.h"
#include "ui/UniqueHandle.h"
#include "ui/Window.h"

namespace brisvane {

// The five exports of Calvetta.dll. Until (or unless) they are bound, each call does nothing
// and answers 0, so the rest of the viewer need not ask whether the library was found.
struct ViewApi {
  CalvettaExports bound;

  void SetContentBlank() const {
    if (bound.viewSetContentBlank) bound.viewSetContentBlank();
  }
  bool IsMarkValid() const { return bound.viewIsMarkValid && bound.viewIsMarkValid() != 0; }
  void CopyToClipBoard() const {
    if (bound.viewCopyToClipBoard) bound.viewCopyToClipBoard();
  }
  // The marked text into buffer (zero-terminated); empty when nothing is bound.
  void GetMarkCont(char* buffer, int size) const;
};

class AppState;

// The pane's edge drawn in the selection's colour while the content window has the keyboard's
// focus: the content window's focus changes redraw it.
class FocusEdge : public ui::Subclass {
 public:
  void Watch(HWND content, HWND paneWindow) {
    pane = paneWindow;
    Attach(content);
  }
  // WM_NCPAINT of the pane, after the system drew its edge.
  static void Draw(HWND pane, HWND content);

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  HWND pane = nullptr;
};

class ContentView : public ui::Window {
 public:
  // frame receives the relayed messages; app says whether the pane's activation moves the
  // focus to the word box.
  bool Create(HWND parent, HWND frame, AppState& app);
  HWND ContentWindow() const { return contentWindow; }
  // Shows the entry of hit index of the library's own hits (VM_VIEW_SHOWPOS), or the entry at
  // the hit's text position (VM_VIEW_SHOWAT), and for a full-text hit marks its word there
  // (VM_VIEW_MARKTEXT): posted, or with now sent at once.
  void ShowHit(int index, const search::HitPlace& hit, bool now) const;
  void ShowAt(const search::HitPlace& hit, bool now) const;
  const ViewApi& Api() const { return api; }
  // The content window lent to another window (the look-up pop-up), over its rectangle in that
  // window's client area; its messages then go there. With keepPicture the pane shows what the
  // view showed until it is taken back. TakeBack puts it back into the pane.
  void Lend(HWND host, const RECT& rect, bool keepPicture = false);
  void TakeBack();
  // Where the view's top line begins (VM_VIEW_TOPAT), lent or not: a text position, -1 for a
  // blank view.
  int32_t TopAt() const;
  bool Lent() const { return lent; }
  // The entry before (after false) or after the one at the top of the view, in the book's text
  // order: false when the view shows nothing, or no entry lies that way.
  bool StepEntry(bool after) const;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void BindCalvetta();

  HWND frame = nullptr;
  AppState* app = nullptr;
  HWND contentWindow = nullptr;
  ViewApi api;
  FocusEdge focusEdge;
  bool lent = false;
  ui::UniqueBitmap picture;  // what the view showed when it was lent, while it is
  SIZE pictureSize = {};
};

// Pane activation: when app asks for it, the first activation of a pane moves the focus to the
// word box (VM_VIEW_TAB 2 posted to the frame).
void NotePaneActivated(AppState& app, HWND frame);

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_CONTENTVIEW_WIN_H
