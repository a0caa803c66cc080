// The fuzz targets. Each takes arbitrary bytes and returns 0; a fault aborts (a sanitizer
// report or a failed FUZZ_CHECK). FuzzMain.cpp makes one libFuzzer program of each, and
// FuzzReplay_test.cpp replays the committed inputs through all of them in the ordinary builds.
#ifndef DUNMOOR_FUZZ_FUZZTARGETS_H
#define DUNMOOR_FUZZ_FUZZTARGETS_H

#include <cstddef>
#include <cstdint>

namespace fuzz {

// Catalog bytes: IsEpwBook, OpenEpwing, epwGetBooks, epwGetBookInfo, epwSelectBook, epwBooksOpen.
int FuzzCatalog(const uint8_t* data, size_t size);
// A text file: word search with a set of keys in every mode, then each hit's heading and text.
int FuzzSearch(const uint8_t* data, size_t size);
// A script of reader calls, then a text file: every text and reference reader at any position.
int FuzzText(const uint8_t* data, size_t size);
// A font file, a code block and a text file: glyphs, pictures and sound.
int FuzzMedia(const uint8_t* data, size_t size);
// Window measures and entry text: the content view's layout and scrolling.
int FuzzLayout(const uint8_t* data, size_t size);
// Typed bytes: the viewer's search key and the Shift-JIS, JIS and Unicode conversions.
int FuzzKeys(const uint8_t* data, size_t size);
// Picture and sound data: the command-line reader's BMP and WAVE writers.
int FuzzWriters(const uint8_t* data, size_t size);
// A compressed book file (NAME.ebz): its header, slice index and slices.
int FuzzEbzip(const uint8_t* data, size_t size);
// Text kept in the settings or taken from other programs (a section of UTF-16, then bytes): the
// shelf's lines and labels, the remembered directories, outside words, the related lookup's
// candidates, wide paths.
int FuzzInputs(const uint8_t* data, size_t size);

}  // namespace fuzz

#endif  // DUNMOOR_FUZZ_FUZZTARGETS_H
