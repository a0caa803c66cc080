// Windows bitmap images of the book's pictures.
//
// A monochrome picture (rows top first, width / 8 bytes a row, bit 7 leftmost, a set bit ink)
// becomes a 1-bit bitmap:
//   file header, 14 bytes    "BM", file size, 0, 0, data offset 62       (files only)
//   info header, 40 bytes    40, width, height, 1 plane, 1 bit, no compression, image size,
//                            1 and 1 pixels per metre, 0 colours used, 0 important
//   colour table, 8 bytes    0: white 00 FF FF FF as B G R 0, 1: black
//   rows                     bottom row first, each width / 8 source bytes and zero bytes up to
//                            a multiple of 4 bytes ((width + 31) / 32 * 4 bytes a row)
// The clipboard's device-independent bitmap is the same without the file header.
//
// A colour picture is a whole bitmap file as the book stores it; CheckColourBmp says whether
// its headers describe bytes that are really there before anything draws, copies or saves it:
//   0  "BM"            2  file size          10  data offset (first pixel row)
//   14 info size (40)  18 width (> 0)        22  height (bottom-up > 0, top-down < 0)
//   26 planes (1)      28 bit count          30  compression (0: plain rows only)
//   46 colours used    54 colour table, 4 bytes an entry (blue, green, red, 0)
// Numbers are little-endian.
#ifndef CALVETTA_MEDIA_BMPIMAGE_H
#define CALVETTA_MEDIA_BMPIMAGE_H

#include <cstddef>
#include <cstdint>
#include <vector>

namespace media {

constexpr uint32_t kBmpHeaderSize = 62;          // file header, info header, two colours
constexpr uint32_t kBmpFileHeaderSize = 14;
constexpr uint32_t kBmpInfoHeaderSize = 40;
constexpr uint32_t kMonochromeRecordHead = 8;    // height and width before the rows
constexpr uint32_t kMaxPictureSide = 32767;      // what a window can show

// bits holds height rows of width / 8 bytes (fewer bytes count as zero bytes). Empty when the
// file would be larger than its 32-bit size field can say (4 GiB): no such file is written.
std::vector<uint8_t> MonochromeBmp(uint32_t width, uint32_t height, const std::vector<uint8_t>& bits);
// The same picture as a packed device-independent bitmap (no file header): 48 + rows bytes.
std::vector<uint8_t> MonochromeDib(uint32_t width, uint32_t height, const std::vector<uint8_t>& bits);

// A monochrome picture as the book library hands it over: height, width (32-bit each), rows.
struct MonochromePicture {
  uint32_t width = 0;
  uint32_t height = 0;
  std::vector<uint8_t> bits;  // height rows of width / 8 bytes
};
// False when record[0, size) is shorter than its head says, or the picture has no pixels or a
// side above kMaxPictureSide.
bool ReadMonochromePicture(const uint8_t* record, size_t size, MonochromePicture* picture);

// The rows with one zero byte added to each when width / 8 is odd: a device bitmap needs rows
// of an even number of bytes.
std::vector<uint8_t> EvenRows(const MonochromePicture& picture);

enum class BmpCheck {
  kOk,
  kTooShort,        // less than the two headers
  kNotBmp,          // no "BM"
  kBadFileSize,     // the file size field says more than was received, or less than the headers
  kUnsupported,     // another info header, compression or bit count than plain rows
  kBadDimensions,   // no pixels, or a side above kMaxPictureSide
  kBadPalette,      // more colours than the bit count allows, or the table runs into the rows
  kRowsOutside,     // the rows end after the file
};

struct ColourBmp {
  uint32_t fileSize = 0;      // the file size field, at most the bytes received
  int32_t width = 0;
  int32_t height = 0;         // as stored: negative for rows top first
  uint32_t rows = 0;          // |height|
  uint16_t bitCount = 0;
  uint32_t paletteEntries = 0;
  uint32_t dataOffset = 0;    // the first pixel row
  uint32_t rowBytes = 0;      // bytes a row, padded to 4
};

// The width and height of a Windows bitmap file held in file[0, length): its info header's
// fields at bytes 18-21 and 22-25. False when the bytes do not begin "BM" or are too short.
bool BmpDimensions(const std::vector<uint8_t>& file, size_t length, uint32_t* width, uint32_t* height);

BmpCheck CheckColourBmp(const uint8_t* file, size_t size, ColourBmp* bmp);

// The checked colour picture as a packed device-independent bitmap: info header, colour table
// and rows, without the file header.
std::vector<uint8_t> ColourDib(const uint8_t* file, const ColourBmp& bmp);

}  // namespace media

#endif  // CALVETTA_MEDIA_BMPIMAGE_H
