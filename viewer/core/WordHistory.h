// The word box's history: the words searched (or handed over) while the program runs, the most
// recent first, each at most once (exact comparison), without a limit.
#ifndef BRISVANE_VIEWER_CORE_WORDHISTORY_H
#define BRISVANE_VIEWER_CORE_WORDHISTORY_H

#include <string>
#include <vector>

namespace brisvane {

class WordHistory {
 public:
  // Moves word to the top: an equal entry is removed first. Returns the index the equal entry
  // had (so that a list control can mirror the change), or -1. An empty word changes nothing.
  int Add(const std::wstring& word);
  const std::vector<std::wstring>& Entries() const { return entries; }

 private:
  std::vector<std::wstring> entries;
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_CORE_WORDHISTORY_H
