#include "BookSession.h"

namespace cli {

bool OpenFirstBook(dunmoor::Library* library, const std::string& root, std::ostream& err) {
  if (library->OpenEpwing(root.c_str()) != dunmoor::kSuccess) {
    err << "dunmoor: no readable catalog at " << root << "\n";
    return false;
  }
  if (library->BooksOpen() != dunmoor::kSuccess) {
    err << "dunmoor: the catalog at " << root
        << " lists no usable book that opens (its text file is missing or damaged)\n";
    return false;
  }
  return true;
}

bool ParseNumber(const std::string& text, uint32_t max, uint32_t* value) {
  if (text.empty() || text.size() > 10) return false;
  uint64_t v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + static_cast<unsigned>(c - '0');
  }
  if (v > max) return false;
  *value = static_cast<uint32_t>(v);
  return true;
}

}  // namespace cli
