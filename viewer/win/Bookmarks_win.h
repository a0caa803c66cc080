// Bookmarks (しおり): 画面 → しおりを挟む (Ctrl+D, and the toolbar's ribbon) keeps the place the
// entry pane shows — its book (disc and catalog index), the text position of its top line and
// the heading — in the folder chosen last in the bookmarks' dialog; しおり (Ctrl+B) opens that
// dialog, and a bookmark chosen there lists its folder's bookmarks as hits, each shown from its
// own book. Kept per user beside the other settings ("bookmarks", "Marks", a line each as
// Bookmarks.h has it).
#ifndef BRISVANE_VIEWER_WIN_BOOKMARKS_WIN_H
#define BRISVANE_VIEWER_WIN_BOOKMARKS_WIN_H

#include <windows.h>

#include <string>

#include "Bookmarks.h"
#include "ui/CommandTable.h"
#include "ui/Window.h"

namespace brisvane {

class AppState;
class BookSession;
class ContentView;
class FrameBars;
class Search;

class BookmarkCommands {
 public:
  BookmarkCommands(AppState& app, BookSession& book, Search& search, const ContentView& content, FrameBars& bars)
      : app(app), book(book), search(search), content(content), bars(bars) {}
  // Its two commands; frame owns the dialog.
  void AddCommands(ui::CommandTable& commands, const ui::Window& frame);

 private:
  void AddShown();
  void OpenList();
  // The place shown in the entry pane as a bookmark; false when the pane shows nothing of a book.
  bool ShownMark(Bookmark* mark);
  // The folder the next bookmark goes into.
  size_t FolderForNext(const Bookmarks& list) const;

  AppState& app;
  BookSession& book;
  Search& search;
  const ContentView& content;
  FrameBars& bars;
  const ui::Window* frame = nullptr;
  std::string lastFolder;  // the folder chosen last in the dialog (empty: outside the folders)
  MarkAt lastChosen;       // where the dialog's selection was last
};

// The bookmarks as the user's settings keep them, and writing them back.
Bookmarks ReadBookmarks();
bool WriteBookmarks(const Bookmarks& list);

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_BOOKMARKS_WIN_H
