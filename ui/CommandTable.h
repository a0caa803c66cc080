// WM_COMMAND routing for one window: a small table from command id to handler, instead of one
// long switch.
#ifndef UI_COMMANDTABLE_H
#define UI_COMMANDTABLE_H

#include <windows.h>

#include <functional>
#include <utility>
#include <vector>

namespace ui {

class CommandTable {
 public:
  // code is the notification code of WM_COMMAND (0 for menus, BN_CLICKED for buttons, ...).
  using Handler = std::function<void(int code, HWND control)>;

  // A later handler for the same id replaces the earlier one.
  void Add(int id, Handler handler) {
    for (Entry& entry : entries)
      if (entry.id == id) {
        entry.handler = std::move(handler);
        return;
      }
    entries.push_back(Entry{id, std::move(handler)});
  }

  // Runs the handler of id; false when the table has none.
  bool Dispatch(int id, int code, HWND control) const {
    for (const Entry& entry : entries)
      if (entry.id == id && entry.handler) {
        entry.handler(code, control);
        return true;
      }
    return false;
  }

 private:
  struct Entry {
    int id;
    Handler handler;
  };
  std::vector<Entry> entries;
};

}  // namespace ui

#endif  // UI_COMMANDTABLE_H
