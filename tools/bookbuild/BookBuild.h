// The book builder's interface for tests and the `bookbuild` program: a `.book` source in,
// a complete disc (catalog, text files, font files) and a map of where everything lies out.
#ifndef DUNMOOR_TOOLS_BOOKBUILD_BOOKBUILD_H
#define DUNMOOR_TOOLS_BOOKBUILD_BOOKBUILD_H

#include <string>
#include <string_view>

#include "BookModel.h"
#include "DiscImage.h"
#include "LayoutMap.h"

namespace bookbuild {

// A failure: the message ("line N: ..." when it comes from the source) and the line (0 if none).
struct BuildStatus {
  bool ok = true;
  int line = 0;
  std::string message;
};

BuildStatus ParseBookSource(std::string_view source, DiscDef* disc);

// Lays the disc out in memory (nothing is written).
BuildStatus MakeDisc(const DiscDef& disc, DiscImage* image, LayoutMap* map);

// Parses, lays out and writes the disc below outDir. Nothing is written when the source or its
// layout has an error.
BuildStatus BuildDisc(std::string_view source, const std::string& outDir, LayoutMap* map);

}  // namespace bookbuild

#endif  // DUNMOOR_TOOLS_BOOKBUILD_BOOKBUILD_H
