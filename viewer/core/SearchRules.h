// What the search command decides before it asks the book anything, and the texts it shows.
#ifndef BRISVANE_VIEWER_CORE_SEARCHRULES_H
#define BRISVANE_VIEWER_CORE_SEARCHRULES_H

#include <cstdint>
#include <string>
#include <string_view>

namespace brisvane {

// The box holds up to 51 characters; a search uses only the first 49.
constexpr size_t kWordBoxLimit = 51;
constexpr size_t kSearchWordLimit = 49;

// The list holds at most this many items (0 .. 32765), however many hits there are.
constexpr int32_t kMaxListItems = 32766;

enum class SearchAction {
  kNothing,      // empty word, or the same word whose hits the list already shows
  kReportNoHit,  // the same word as last time, which found nothing: say so again, no search
  kSearch,       // clear the panes and search
};

// The word of a search: the box text cut to kSearchWordLimit characters.
std::wstring SearchWord(std::wstring_view boxText);

SearchAction DecideSearch(std::wstring_view word, std::wstring_view lastWord, bool lastSearchFound);

// The words of a keyword search: runs of characters between blanks (the space and the
// ideographic space). A keyword search takes 1 to kDunmoorMostKeywords of them.
size_t KeywordCount(std::wstring_view word);

// What a search of headwords while the user types looks for: the headwords that begin with the
// word (a ＊ after it), unless the word places a ＊ of its own (then it is searched as typed).
std::wstring TypeAheadWord(std::wstring_view word);

// Status pane 1 after a search that listed hitCount hits: "検索結果 : n    項目", or, when
// the list was capped, "検索結果 : 32766/n    項目".
std::wstring ResultCountText(int32_t hitCount);
// Status pane 1 (and the message) after a search without hits.
std::wstring NoHitText();

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_CORE_SEARCHRULES_H
