// Words that come from outside the word box: the text selected where the user pressed the
// system-wide key, a text another program put on the clipboard, the words of a second start's
// command line, and the text after a character double-clicked in an entry.
#ifndef BRISVANE_VIEWER_CORE_OUTSIDEWORDS_H
#define BRISVANE_VIEWER_CORE_OUTSIDEWORDS_H

#include <string>
#include <string_view>
#include <vector>

namespace brisvane {

// A clipboard text longer than this (once trimmed) is not a word to look up.
constexpr size_t kClipboardWordLimit = 50;

// The first line of the selection that holds more than blanks, without the blanks (spaces,
// tabs, ideographic spaces) at its ends; empty when there is none.
std::wstring SelectedWord(std::wstring_view selection);

// The clipboard's text without the blanks and line ends at its ends, when what is left is one
// line of at most kClipboardWordLimit characters; otherwise empty (a passage, not a word).
std::wstring ClipboardWord(std::wstring_view text);

// The arguments after the program's name, joined by single spaces (`Brisvane.exe ice cream`).
std::wstring CommandLineWord(const std::vector<std::wstring>& arguments);

// The word that begins text (what follows a character double-clicked in an entry): its
// characters as long as they are of the first one's kind, Japanese (kana, kanji, 々, ー, the
// half-width katakana) or Latin (letters and digits, ASCII or full-width, with a hyphen or an
// apostrophe between two of them). Empty when text begins with anything else (a bracket,
// punctuation, a space).
std::wstring EntryWord(std::wstring_view text);

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_CORE_OUTSIDEWORDS_H
