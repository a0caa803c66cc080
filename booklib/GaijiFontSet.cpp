// Placeholder while the fonts are being written.
#include "GaijiFontSet.h"

namespace dunmoor {

void GaijiFontSet::Open(const char*, const char*) { opened = true; }
void GaijiFontSet::Close() { opened = false; }

}  // namespace dunmoor
