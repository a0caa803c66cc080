// Lays out one book's text file:
//   block 1      the index descriptor table: 16-byte header (bytes 0-1 count), then 16 bytes a
//                descriptor: 0 id, 2-5 start page, 6-9 page count, 10 availability,
//                11-13 IndexStyle, 15 conversion switch;
//   block 2 on   1F 02, every entry in source order, 1F 03;
//   then, each from a fresh block: headings (each ending in 1F 0A), the menu (ending in 1F 03),
//   the pages of each index in descriptor order, picture data, sound data.
#ifndef DUNMOOR_TOOLS_BOOKBUILD_TEXTFILEWRITER_H
#define DUNMOOR_TOOLS_BOOKBUILD_TEXTFILEWRITER_H

#include "BookModel.h"
#include "Bytes.h"
#include "LayoutMap.h"

namespace bookbuild {

// Throws BuildError. Fills the positions of `layout` (not its paths).
Bytes WriteTextFile(const BookDef& book, BookLayout* layout);

}  // namespace bookbuild

#endif  // DUNMOOR_TOOLS_BOOKBUILD_TEXTFILEWRITER_H
