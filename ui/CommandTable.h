// WM_COMMAND routing for one window: a small table from command id to its handler and the rule
// that says whether the command is enabled now (menus and toolbar grey what is not), instead of
// two long switches.
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
  using Rule = std::function<bool()>;

  // A later handler for the same id replaces the earlier one. Without a rule the command is
  // always enabled.
  void Add(int id, Handler handler, Rule enabled = nullptr) {
    for (Entry& entry : entries)
      if (entry.id == id) {
        entry.handler = std::move(handler);
        entry.enabled = std::move(enabled);
        return;
      }
    entries.push_back(Entry{id, std::move(handler), std::move(enabled)});
  }

  // What the rule of id says now; true for a command without a rule or not in the table.
  bool IsEnabled(int id) const {
    for (const Entry& entry : entries)
      if (entry.id == id) return !entry.enabled || entry.enabled();
    return true;
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
    Rule enabled;
  };
  std::vector<Entry> entries;
};

}  // namespace ui

#endif  // UI_COMMANDTABLE_H
