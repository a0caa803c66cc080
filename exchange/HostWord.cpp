#include "HostWord.h"

#include "ShiftJis.h"

namespace exchange {

std::string CutHostWord(std::string_view bytes, size_t maxBytes) {
  size_t end = bytes.find('\0');
  if (end == std::string_view::npos) end = bytes.size();
  size_t kept = 0;
  while (kept < end) {
    size_t width = booktext::IsCp932LeadByte(static_cast<uint8_t>(bytes[kept])) ? 2 : 1;
    if (kept + width > end || kept + width > maxBytes) break;
    kept += width;
  }
  return std::string(bytes.substr(0, kept));
}

}  // namespace exchange
