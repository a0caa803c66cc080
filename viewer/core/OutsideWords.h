// Words that come from other programs: the text selected where the user pressed the system-wide
// key, a text another program put on the clipboard, the words of a second start's command line.
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

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_CORE_OUTSIDEWORDS_H
