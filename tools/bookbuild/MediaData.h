// The data of pictures and sounds as they are stored in the text file.
//
// Monochrome picture: height * width / 8 bytes, rows top first, bit 7 the leftmost pixel, 1 ink.
// Colour picture: an 8-byte header ("data", then the file length, 32-bit little-endian) and a
// Windows bitmap file (8 bits a pixel, the palette as colour table, rows bottom first).
// Sound: a tone; with format=wave the data begins with its "fmt " chunk and goes on with its
// "data" chunk, with format=raw it is the samples only.
#ifndef DUNMOOR_TOOLS_BOOKBUILD_MEDIADATA_H
#define DUNMOOR_TOOLS_BOOKBUILD_MEDIADATA_H

#include "BookModel.h"
#include "Bytes.h"

namespace bookbuild {

Bytes MakePictureData(const PictureDef& picture);
Bytes MakeSoundData(const SoundDef& sound);

}  // namespace bookbuild

#endif  // DUNMOOR_TOOLS_BOOKBUILD_MEDIADATA_H
