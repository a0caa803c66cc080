// The word list: entries the reader keeps to learn (a flash-card program imports them). A card is
// the headword, its reading where the heading has one, the first lines of the entry as plain text
// and the book's title, all UTF-8. Kept one line a card (the fields joined by tabs) and exported
// as tab-separated UTF-8 with a header that names the columns, in this order:
//   Headword, Reading, Text, Book
#ifndef BRISVANE_VIEWER_CORE_WORDLIST_H
#define BRISVANE_VIEWER_CORE_WORDLIST_H

#include <string>
#include <string_view>
#include <vector>

namespace brisvane {

struct WordCard {
  std::string headword;
  std::string reading;
  std::string text;
  std::string book;
  bool operator==(const WordCard& other) const {
    return headword == other.headword && reading == other.reading && text == other.text && book == other.book;
  }
};

// At most this many lines of the entry, and this many bytes of them, go on a card.
constexpr size_t kCardLines = 3;
constexpr size_t kCardTextBytes = 600;

// A card from a heading as the list shows it ("がっこう【学校】": reading がっこう, headword 学校; a
// heading without 【】 is the headword alone), the entry's text (lines ending in CR LF or LF; the
// first line, when it repeats the heading, is left out) and the book's title.
WordCard MakeCard(std::string_view heading, std::string_view entryText, std::string_view book);

// The stored line of a card, and back (false for a line that is none: not four fields, or no
// headword); a field loses the blanks at its ends.
std::string CardLine(const WordCard& card);
bool ParseCardLine(std::string_view line, WordCard* card);

// The export file's text: the header and a line a card, CR LF after each.
std::string ExportText(const std::vector<WordCard>& cards);

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_CORE_WORDLIST_H
