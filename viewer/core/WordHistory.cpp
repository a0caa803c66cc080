#include "WordHistory.h"

namespace brisvane {

int WordHistory::Add(const std::wstring& word) {
  if (word.empty()) return -1;
  int removed = -1;
  for (size_t i = 0; i < entries.size(); ++i)
    if (entries[i] == word) {
      removed = static_cast<int>(i);
      entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(i));
      break;
    }
  entries.insert(entries.begin(), word);
  return removed;
}

}  // namespace brisvane
