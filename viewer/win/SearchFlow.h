// What the search (the word box, the search command, the progress dialog and the result list)
// works with beside itself: the frame's features it reads and changes while a search runs.
#ifndef BRISVANE_VIEWER_WIN_SEARCHFLOW_H
#define BRISVANE_VIEWER_WIN_SEARCHFLOW_H

#include <windows.h>

#include "BookApi.h"
#include "SearchModeControl_win.h"

namespace brisvane {

class AppState;
class BookSession;
class ContentView;
class FrameBars;
class LayerHistory;

struct SearchSurroundings {
  HWND frame;            // owns the progress dialog and the no-hit message
  AppState& app;         // the modal scope, the word box's focus on the next pane activation
  BookSession& book;     // searched; told of a read error
  FrameBars& bars;       // status pane 0 (messages) and 1 (the result count)
  LayerHistory& layers;  // emptied by a new search
  ContentView& content;  // blanked, then shows the first hit
  SearchMode mode;       // how the word is searched
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_SEARCHFLOW_H
