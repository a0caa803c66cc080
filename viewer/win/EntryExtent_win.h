// 一項目ずつ表示 (オプション): the entry view ends where the entry it shows ends, instead of running
// on into the book's next entries, for a reader who wants one entry at a time. Off at first; kept
// in the settings ("view", "OneEntry") for the next start.
#ifndef BRISVANE_VIEWER_WIN_ENTRYEXTENT_WIN_H
#define BRISVANE_VIEWER_WIN_ENTRYEXTENT_WIN_H

#include <windows.h>

#include "ui/CommandTable.h"

namespace brisvane {

class ContentView;

class EntryExtent {
 public:
  explicit EntryExtent(ContentView& content) : content(content) {}

  // The choice of the last run, told to the view.
  void Restore();
  void AddCommands(ui::CommandTable& commands);
  void UpdateMenu(HMENU menu) const;

 private:
  void Tell() const;

  ContentView& content;
  bool one = false;
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_ENTRYEXTENT_WIN_H
