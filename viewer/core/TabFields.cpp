#include "TabFields.h"

namespace brisvane {

std::string TabField(std::string_view text) {
  std::string field;
  for (char c : text) field += (c == '\t' || c == '\r' || c == '\n') ? ' ' : c;
  const size_t first = field.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return field.substr(first, field.find_last_not_of(' ') - first + 1);
}

std::vector<std::string> SplitTabs(std::string_view line) {
  std::vector<std::string> fields;
  size_t at = 0;
  for (;;) {
    const size_t tab = line.find('\t', at);
    fields.push_back(TabField(line.substr(at, tab == std::string_view::npos ? std::string_view::npos : tab - at)));
    if (tab == std::string_view::npos) return fields;
    at = tab + 1;
  }
}

std::string CutUtf8(std::string text, size_t bytes) {
  if (text.size() <= bytes) return text;
  size_t end = bytes;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  text.resize(end);
  return text;
}

std::vector<std::string_view> TextLines(std::string_view text) {
  std::vector<std::string_view> lines;
  for (size_t at = 0; at < text.size();) {
    size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!line.empty()) lines.push_back(line);
    at = end + 1;
  }
  return lines;
}

}  // namespace brisvane
