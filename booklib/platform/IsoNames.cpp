#include "IsoNames.h"

namespace dunmoor {

namespace {

char FoldAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

std::string_view IsoPlainName(std::string_view name) {
  const size_t semicolon = name.rfind(';');
  if (semicolon != std::string_view::npos && semicolon + 1 < name.size() &&
      name.find_first_not_of("0123456789", semicolon + 1) == std::string_view::npos)
    name = name.substr(0, semicolon);
  if (name.size() > 1 && name.back() == '.' && name != "..") name.remove_suffix(1);
  return name;
}

bool IsoNameMatches(std::string_view entry, std::string_view wanted) {
  entry = IsoPlainName(entry);
  wanted = IsoPlainName(wanted);
  if (entry.size() != wanted.size() || entry.empty()) return false;
  for (size_t i = 0; i < entry.size(); ++i)
    if (FoldAscii(entry[i]) != FoldAscii(wanted[i])) return false;
  return true;
}

}  // namespace dunmoor
