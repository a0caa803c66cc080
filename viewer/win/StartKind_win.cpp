#include "StartKind_win.h"

#include <windows.h>

namespace brisvane {

StartKind ClassifyStart(const wchar_t* firstArgument) {
  if (!firstArgument) return StartKind::User;
  const wchar_t* rest = firstArgument;
  if (*rest == L'-' || *rest == L'/') ++rest;
  return lstrcmpiW(rest, L"p") == 0 ? StartKind::Host : StartKind::Other;
}

}  // namespace brisvane
