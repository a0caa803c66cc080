#include "TypeAhead_win.h"

#include <cstdint>

#include "Settings_win.h"

namespace brisvane {

namespace {

constexpr wchar_t kSearchKey[] = L"search";
constexpr wchar_t kAsYouTypeValue[] = L"AsYouType";

}  // namespace

void TypeAhead::Restore() {
  uint32_t stored = 1;
  if (exchange::ReadNumberSetting(kSearchKey, kAsYouTypeValue, &stored)) on = stored != 0;
}

void TypeAhead::Toggle(HWND frame) {
  on = !on;
  if (!on) Stop(frame);
  exchange::WriteNumberSetting(kSearchKey, kAsYouTypeValue, on ? 1 : 0);
}

void TypeAhead::Typed(HWND frame) {
  if (on) SetTimer(frame, kTimer, kPauseMs, nullptr);
}

void TypeAhead::Stop(HWND frame) { KillTimer(frame, kTimer); }

}  // namespace brisvane
