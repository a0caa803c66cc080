// The word box's history: the words that found something, the most recent first, each at most
// once (exact comparison), the last kMaxWords of them. It lasts from run to run (the word box
// keeps it in the user's settings).
#ifndef BRISVANE_VIEWER_CORE_WORDHISTORY_H
#define BRISVANE_VIEWER_CORE_WORDHISTORY_H

#include <string>
#include <vector>

namespace brisvane {

class WordHistory {
 public:
  static constexpr size_t kMaxWords = 100;

  // Replaces the entries by words (the most recent first): empty and repeated words are left
  // out, and those past kMaxWords.
  void Load(const std::vector<std::wstring>& words);
  // Moves word to the top: an equal entry is removed first, and the oldest when more than
  // kMaxWords remain. Returns the index the equal entry had (so that a list control can mirror
  // the change; it then drops its items past Entries().size()), or -1. An empty word changes
  // nothing.
  int Add(const std::wstring& word);
  const std::vector<std::wstring>& Entries() const { return entries; }

 private:
  std::vector<std::wstring> entries;
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_CORE_WORDHISTORY_H
