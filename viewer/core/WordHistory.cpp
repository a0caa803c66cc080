#include "WordHistory.h"

#include <algorithm>

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
  if (entries.size() > kMaxWords) entries.resize(kMaxWords);
  return removed;
}

void WordHistory::Load(const std::vector<std::wstring>& words) {
  entries.clear();
  for (const std::wstring& word : words) {
    if (entries.size() == kMaxWords) break;
    if (word.empty() || std::find(entries.begin(), entries.end(), word) != entries.end()) continue;
    entries.push_back(word);
  }
}

}  // namespace brisvane
