#include "EntryExtent_win.h"

#include <cstdint>

#include "BrisvaneRes.h"
#include "Calvetta.h"
#include "ContentView_win.h"
#include "Settings_win.h"

namespace brisvane {

namespace {
constexpr wchar_t kViewKey[] = L"view";
constexpr wchar_t kOneEntryValue[] = L"OneEntry";
}  // namespace

void EntryExtent::Restore() {
  uint32_t stored = 0;
  one = exchange::ReadNumberSetting(kViewKey, kOneEntryValue, &stored) && stored == 1;
  if (one) Tell();
}

void EntryExtent::AddCommands(ui::CommandTable& commands) {
  commands.Add(IDM_ONE_ENTRY, [this](int, HWND) {
    one = !one;
    exchange::WriteNumberSetting(kViewKey, kOneEntryValue, one ? 1 : 0);
    Tell();
  });
}

void EntryExtent::UpdateMenu(HMENU menu) const {
  CheckMenuItem(menu, IDM_ONE_ENTRY, MF_BYCOMMAND | (one ? MF_CHECKED : MF_UNCHECKED));
}

void EntryExtent::Tell() const {
  if (HWND view = content.ContentWindow()) SendMessageW(view, VM_VIEW_ONEENTRY, one ? 1 : 0, 0);
}

}  // namespace brisvane
