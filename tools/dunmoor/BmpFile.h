// Bitmap files of the command-line reader: the monochrome writer (contentview/media/BmpImage.h,
// which describes the layout) and the dimensions of a stored colour picture.
#ifndef DUNMOOR_TOOLS_DUNMOOR_BMPFILE_H
#define DUNMOOR_TOOLS_DUNMOOR_BMPFILE_H

#include <cstddef>
#include <cstdint>
#include <vector>

#include "BmpImage.h"

namespace cli {

// The writer is shared with the content view (contentview/media/BmpImage.h).
using media::kBmpHeaderSize;
using media::MonochromeBmp;

// The width and height of a Windows bitmap file held in file[0, length): its info header's
// fields at bytes 18-21 and 22-25. False when the bytes do not begin "BM" or are too short.
bool BmpDimensions(const std::vector<uint8_t>& file, size_t length, uint32_t* width, uint32_t* height);

}  // namespace cli

#endif  // DUNMOOR_TOOLS_DUNMOOR_BMPFILE_H
