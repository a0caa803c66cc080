// The word list (単語帳): 画面 → 単語帳に追加 (Ctrl+W) keeps the entry shown as a card — its
// headword and reading from the list's heading, its first lines from the view, the book's title
// (a shelf hit: its book's label) — and 単語帳を書き出す writes the cards as tab-separated UTF-8
// for a flash-card program (WordList.h has the columns). The cards are kept per user beside the
// other settings ("wordlist", "Cards", one card a line).
#ifndef BRISVANE_VIEWER_WIN_WORDLIST_WIN_H
#define BRISVANE_VIEWER_WIN_WORDLIST_WIN_H

#include <windows.h>

#include <vector>

#include "WordList.h"
#include "ui/CommandTable.h"
#include "ui/Window.h"

namespace brisvane {

class ContentView;
class FrameBars;
class Search;

class WordListCommands {
 public:
  WordListCommands(Search& search, const ContentView& content, FrameBars& bars)
      : search(search), content(content), bars(bars) {}
  // Its two commands; frame owns the export's dialog and names the open book in its title.
  void AddCommands(ui::CommandTable& commands, const ui::Window& frame);

 private:
  void AddShown();
  void Export();
  std::vector<WordCard> Cards() const;

  Search& search;
  const ContentView& content;
  FrameBars& bars;
  const ui::Window* frame = nullptr;
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_WORDLIST_WIN_H
