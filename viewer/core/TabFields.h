// Lines of tab-separated fields, as the word list and the bookmarks keep and export them.
#ifndef BRISVANE_VIEWER_CORE_TABFIELDS_H
#define BRISVANE_VIEWER_CORE_TABFIELDS_H

#include <string>
#include <string_view>
#include <vector>

namespace brisvane {

// Text for one field: a tab or line break (they would split the line) becomes a blank, and the
// blanks at the ends go.
std::string TabField(std::string_view text);

// The fields of line, each as TabField makes it.
std::vector<std::string> SplitTabs(std::string_view line);

// text cut to at most bytes, never inside a UTF-8 character.
std::string CutUtf8(std::string text, size_t bytes);

// The lines of text (CR LF or LF), the empty ones left out.
std::vector<std::string_view> TextLines(std::string_view text);

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_CORE_TABFIELDS_H
