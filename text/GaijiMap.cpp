#include "GaijiMap.h"

#include "JisText.h"

namespace booktext {

namespace {

bool HexValue(std::string_view digits, uint32_t* value) {
  if (digits.empty() || digits.size() > 6) return false;
  uint32_t v = 0;
  for (char c : digits) {
    int d = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    if (d < 0) return false;
    v = v * 16 + static_cast<uint32_t>(d);
  }
  *value = v;
  return true;
}

// "u00E9", "u0041,u0301" or "u0041+u0301" as UTF-8; false for anything else.
bool CodePoints(std::string_view field, std::string* utf8) {
  utf8->clear();
  while (!field.empty()) {
    size_t end = field.find_first_of(",+");
    std::string_view one = field.substr(0, end);
    uint32_t cp = 0;
    if (one.size() < 5 || (one[0] != 'u' && one[0] != 'U') || !HexValue(one.substr(1), &cp) || cp == 0 ||
        cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
      return false;
    AppendUtf8(utf8, static_cast<char32_t>(cp));
    if (end == std::string_view::npos) break;
    field.remove_prefix(end + 1);
  }
  return !utf8->empty();
}

}  // namespace

GaijiMap GaijiMap::Parse(std::string_view text) {
  GaijiMap map;
  while (!text.empty()) {
    size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    // kind and code, blanks, the character, and whatever follows after another blank
    size_t gap = line.find_first_of("\t ");
    if (gap != 5 || (line[0] != 'h' && line[0] != 'z')) continue;
    uint32_t code = 0;
    if (!HexValue(line.substr(1, 4), &code)) continue;
    size_t from = line.find_first_not_of("\t ", gap);
    if (from == std::string_view::npos) continue;
    std::string_view field = line.substr(from, line.find_first_of("\t ", from) - from);
    std::string utf8;
    if (!CodePoints(field, &utf8)) continue;
    map.characters[(line[0] == 'h' ? 1u << 16 : 0u) | code] = utf8;
  }
  return map;
}

std::string GaijiMap::Lookup(uint16_t code, bool narrow) const {
  auto found = characters.find((narrow ? 1u << 16 : 0u) | code);
  return found == characters.end() ? std::string() : found->second;
}

}  // namespace booktext
