// Whether a headword search also looks for the words a looked-up string may stand for (its
// dictionary form, the other kana, today's kanji, the beginning of a phrase: booktext's
// RelatedWords), on unless the user turned it off ("search", "Related"), and the two foldings
// that find too much to be on by default: voiced kana unvoiced ("search", "FoldVoicing") and ー
// as its vowel ("search", "FoldLongVowel"). Chosen in the options menu.
#ifndef BRISVANE_VIEWER_WIN_RELATEDCHOICE_WIN_H
#define BRISVANE_VIEWER_WIN_RELATEDCHOICE_WIN_H

#include <windows.h>

#include <functional>

#include "RelatedWords.h"
#include "ui/CommandTable.h"

namespace brisvane {

class RelatedChoice {
 public:
  void Restore();
  bool On() const { return on; }
  const booktext::RelatedOptions& Options() const { return options; }
  // The menu's three commands (each changes the setting and calls changed), and their checks.
  void AddCommands(ui::CommandTable& commands, std::function<void()> changed);
  void UpdateMenu(HMENU menu) const;

 private:
  bool on = true;
  booktext::RelatedOptions options;
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_RELATEDCHOICE_WIN_H
