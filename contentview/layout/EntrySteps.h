// The entries before and after an entry, in the book's text order: an entry starts where a
// headword keyword (1F 41 01) does, or at the indent code (1F 09 and its two bytes) right
// before it, as a followed reference finds the entry it leaves. The text is read through the
// book-access readers, from the entry's headword on or back from it, a piece at a time.
#ifndef CALVETTA_LAYOUT_ENTRYSTEPS_H
#define CALVETTA_LAYOUT_ENTRYSTEPS_H

#include <cstdint>

#include "TextSource.h"

namespace calvetta {

// How far a step reads before it gives up: an entry longer than this has no neighbour found.
constexpr uint32_t kMostStepBytes = 4u << 20;

constexpr int32_t kNoNeighbour = -1;
constexpr int32_t kStepReadFailed = -2;

// The text position of the entry after (after true) or before the one whose headword (or its
// indent code) lies at headword. kNoNeighbour when the text ends (1F 03) or begins (1F 02), or
// the file does, before another entry starts, or none starts within kMostStepBytes;
// kStepReadFailed when a read fails.
int32_t NeighbourEntry(TextSource& source, int32_t headword, bool after);

}  // namespace calvetta

#endif  // CALVETTA_LAYOUT_ENTRYSTEPS_H
