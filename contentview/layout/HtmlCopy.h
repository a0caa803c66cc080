// Marked text as rich text for the clipboard (its "HTML Format", CF_HTML), beside the plain text:
// each paragraph a block indented as the view indents it, keywords (the headword) bold,
// references in a link's blue, underlined, and external characters as the character the book's
// map names, else 〓 — as in the plain copy. Portable: the window puts the result on the
// clipboard.
#ifndef CALVETTA_LAYOUT_HTMLCOPY_H
#define CALVETTA_LAYOUT_HTMLCOPY_H

#include <string>
#include <string_view>
#include <vector>

#include "GaijiMap.h"
#include "MarkSelection.h"

namespace calvetta {

// The pieces (MarkSelection::JoinedPieces) as an HTML fragment, UTF-8.
std::string HtmlFragment(const std::vector<CopyPiece>& pieces, const booktext::GaijiMap& map);

// A fragment in the clipboard's HTML envelope: its header of byte offsets (StartHTML, EndHTML,
// StartFragment, EndFragment) and a document around it.
std::string ClipboardHtml(std::string_view fragment);

}  // namespace calvetta

#endif  // CALVETTA_LAYOUT_HTMLCOPY_H
