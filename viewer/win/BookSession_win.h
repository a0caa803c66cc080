// The viewer's book: Dunmoor.dll bound by name, the disc and the book of its catalog that are
// open, the window title that names it, the title dialog that chooses another, and what the
// user is told when the book cannot be read. The book remembered in the settings ("Curpath")
// is opened at start and written back at the end.
#ifndef BRISVANE_VIEWER_WIN_BOOKSESSION_WIN_H
#define BRISVANE_VIEWER_WIN_BOOKSESSION_WIN_H

#include <windows.h>

#include <cstdint>
#include <string>

#include "BookApi.h"
#include "BookPlace.h"
#include "ui/BoundLibrary.h"

namespace brisvane {

class AppState;
class FrameBars;
class FrameRouter;

class BookSession {
 public:
  BookSession(AppState& app, FrameBars& bars, FrameRouter& router) : app(app), bars(bars), router(router) {}
  // The frame whose title names the book and which owns the messages.
  void SetFrame(HWND frameWindow) { frame = frameWindow; }

  // The bound functions (every one null until the library is bound); the reference stays good
  // when the library is bound again.
  const BookApi& Api() const { return dunmoor.Get(); }
  bool IsOpen() const { return open; }

  // FM_OPENBOOK: binds the library (a library without the 27 names: a message, and the
  // program ends) and opens the book.
  void BindAndOpen();
  // The book closed and opened again, the panes reset (更新).
  void Refresh();
  // The title dialog; a book chosen there replaces the open one.
  void SelectTitle();
  // A read failed: the book is closed and the user told. Nothing while no book is open.
  void ReportReadError();
  // At the end: the book closed, the library let go, the book remembered for the next start.
  void End();

  // The open book's title; empty while none is open or it cannot be read.
  std::wstring Title() const;
  // Where the open (or chosen) book is.
  BookPlace Place() const { return {path, index}; }
  // Opens the book at place unless it is the one open; the panes stay as they are and the title
  // names it. False when it does not open (the user is told, as of a read error).
  bool OpenPlace(const BookPlace& place);
  // The same for a book of the shelf, whose failure is that book's alone: when it does not open,
  // no book is open, the book open before stays the one remembered, and the panes and the user
  // are left to the caller (no message, nothing reset). A disc that is not there at all closes
  // nothing: the book open stays open.
  bool OpenShelfPlace(const BookPlace& place);
  // The catalogs of other discs were listed through the library (which loads each): its own
  // catalog is loaded again, the open book staying as it is.
  void TakeBackCatalog();

 private:
  // 1 opened; -1 failed (told); -2 no book on any drive (told).
  int Open();
  int DetectBook();
  // Opens book index of the loaded catalog (the first usable one when that is -1, no longer
  // usable, or the library cannot open a book by its index). 1 or -1.
  int OpenChosenBook();
  // The open failed: the user is told, and nothing names the book that was open before.
  void ReportOpenFailure();
  void Close();
  void ShowTitle();
  bool ReadTitle(std::wstring* title) const;

  AppState& app;
  FrameBars& bars;
  FrameRouter& router;
  HWND frame = nullptr;
  ui::BoundLibrary<DunmoorExports> dunmoor;
  bool open = false;
  std::wstring path;   // the disc root of the book chosen or open
  int32_t index = -1;  // catalog index of the book chosen or open; -1: the first usable
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_BOOKSESSION_WIN_H
