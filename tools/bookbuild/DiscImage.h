// A whole disc in memory: the catalog and every book's files, with `patch` and `truncate`
// applied, ready to be written out.
//
// Catalog: 16-byte header (bytes 0-1 entry count, 2-3 version), then 164 bytes an entry:
// 0 book type, 2-81 title (JIS X 0208, zero-padded), 82-89 directory name (space-padded),
// 94-95 index page (1), 100-163 eight 8-byte font file names (zero-padded) in slot order.
#ifndef DUNMOOR_TOOLS_BOOKBUILD_DISCIMAGE_H
#define DUNMOOR_TOOLS_BOOKBUILD_DISCIMAGE_H

#include <string>
#include <utility>
#include <vector>

#include "BookModel.h"
#include "Bytes.h"
#include "LayoutMap.h"

namespace bookbuild {

struct DiscImage {
  std::vector<std::pair<std::string, Bytes>> files;  // path relative to the root, '/'-separated

  Bytes* Find(const std::string& path);
};

Bytes MakeCatalog(const DiscDef& disc);

// Throws BuildError.
DiscImage MakeDiscImage(const DiscDef& disc, LayoutMap* map);

// Writes every file below outDir, creating directories. Throws BuildError when a file cannot
// be written.
void WriteDiscImage(const DiscImage& image, const std::string& outDir);

}  // namespace bookbuild

#endif  // DUNMOOR_TOOLS_BOOKBUILD_DISCIMAGE_H
