#include "BmpImage.h"

#include "LittleEndian.h"

namespace media {

namespace {

uint32_t Get32(const uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t{p[3]} << 24);
}

uint16_t Get16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

// The info header, colour table and rows; empty when the whole file would pass 4 GiB.
std::vector<uint8_t> MonochromeImage(uint32_t width, uint32_t height, const std::vector<uint8_t>& bits,
                                     bool withFileHeader) {
  const uint64_t sourceRow = width / 8;
  const uint64_t row = (uint64_t{width} + 31) / 32 * 4;
  const uint64_t wholeImage = row * height;
  // The file size field is 32-bit: a picture that needs more cannot be written as a BMP file.
  if (wholeImage > UINT32_MAX - kBmpHeaderSize) return {};
  const uint32_t image = static_cast<uint32_t>(wholeImage);
  std::vector<uint8_t> out;
  out.reserve(kBmpHeaderSize + image);
  if (withFileHeader) {
    out.push_back('B');
    out.push_back('M');
    Put32(&out, kBmpHeaderSize + image);
    Put32(&out, 0);  // two reserved 16-bit fields
    Put32(&out, kBmpHeaderSize);
  }
  Put32(&out, kBmpInfoHeaderSize);
  Put32(&out, width);
  Put32(&out, height);
  Put16(&out, 1);
  Put16(&out, 1);
  Put32(&out, 0);
  Put32(&out, image);
  Put32(&out, 1);
  Put32(&out, 1);
  Put32(&out, 0);
  Put32(&out, 0);
  Put32(&out, 0x00FFFFFF);  // white
  Put32(&out, 0x00000000);  // black: a set bit is ink
  // A picture without columns has no row bytes: nothing to walk, however many rows it says.
  for (uint64_t y = row == 0 ? 0 : height; y-- > 0;) {
    for (uint64_t x = 0; x < row; ++x) {
      uint64_t at = y * sourceRow + x;
      out.push_back(x < sourceRow && at < bits.size() ? bits[at] : 0);
    }
  }
  return out;
}

}  // namespace

std::vector<uint8_t> MonochromeBmp(uint32_t width, uint32_t height, const std::vector<uint8_t>& bits) {
  return MonochromeImage(width, height, bits, true);
}

std::vector<uint8_t> MonochromeDib(uint32_t width, uint32_t height, const std::vector<uint8_t>& bits) {
  return MonochromeImage(width, height, bits, false);
}

bool ReadMonochromePicture(const uint8_t* record, size_t size, MonochromePicture* picture) {
  if (!record || size < kMonochromeRecordHead) return false;
  const uint32_t height = Get32(record), width = Get32(record + 4);
  if (width < 8 || height == 0 || width > kMaxPictureSide || height > kMaxPictureSide) return false;
  const uint64_t bytes = uint64_t{width / 8} * height;
  if (bytes > size - kMonochromeRecordHead) return false;
  picture->width = width;
  picture->height = height;
  picture->bits.assign(record + kMonochromeRecordHead, record + kMonochromeRecordHead + bytes);
  return true;
}

std::vector<uint8_t> EvenRows(const MonochromePicture& picture) {
  const size_t source = picture.width / 8;
  const size_t row = (source + 1) & ~size_t{1};
  std::vector<uint8_t> out(row * picture.height, 0);
  for (size_t y = 0; y < picture.height; ++y)
    for (size_t x = 0; x < source && y * source + x < picture.bits.size(); ++x)
      out[y * row + x] = picture.bits[y * source + x];
  return out;
}

BmpCheck CheckColourBmp(const uint8_t* file, size_t size, ColourBmp* bmp) {
  constexpr uint32_t kHeaders = kBmpFileHeaderSize + kBmpInfoHeaderSize;
  if (!file || size < kHeaders) return BmpCheck::kTooShort;
  if (file[0] != 'B' || file[1] != 'M') return BmpCheck::kNotBmp;
  ColourBmp b;
  b.fileSize = Get32(file + 2);
  if (b.fileSize < kHeaders || b.fileSize > size) return BmpCheck::kBadFileSize;
  // Only the plain 40-byte info header with uncompressed rows: its colour table follows it at
  // byte 54, and every row has the same size.
  const uint16_t planes = Get16(file + 26);
  const uint32_t compression = Get32(file + 30);
  b.bitCount = Get16(file + 28);
  const bool knownBits = b.bitCount == 1 || b.bitCount == 4 || b.bitCount == 8 || b.bitCount == 16 ||
                         b.bitCount == 24 || b.bitCount == 32;
  if (Get32(file + 14) != kBmpInfoHeaderSize || planes != 1 || compression != 0 || !knownBits)
    return BmpCheck::kUnsupported;
  b.width = static_cast<int32_t>(Get32(file + 18));
  b.height = static_cast<int32_t>(Get32(file + 22));
  // |height| without negating INT32_MIN.
  const uint32_t rows = b.height < 0 ? 0u - static_cast<uint32_t>(b.height) : static_cast<uint32_t>(b.height);
  if (b.width <= 0 || rows == 0 || b.width > static_cast<int32_t>(kMaxPictureSide) || rows > kMaxPictureSide)
    return BmpCheck::kBadDimensions;
  b.rows = rows;
  // Colours used 0 means the full table of the bit count; pictures of more than 8 bits a pixel
  // need none, and a table never holds more than 256 entries.
  const uint32_t used = Get32(file + 46);
  const uint32_t full = b.bitCount <= 8 ? 1u << b.bitCount : 0u;
  const uint32_t most = b.bitCount <= 8 ? full : 256u;
  if (used > most) return BmpCheck::kBadPalette;
  b.paletteEntries = used != 0 ? used : full;
  b.dataOffset = Get32(file + 10);
  const uint64_t tableEnd = uint64_t{kHeaders} + 4ull * b.paletteEntries;
  if (b.dataOffset < tableEnd) return BmpCheck::kBadPalette;
  const uint64_t rowBytes = (uint64_t{static_cast<uint32_t>(b.width)} * b.bitCount + 31) / 32 * 4;
  if (uint64_t{b.dataOffset} + rowBytes * rows > b.fileSize) return BmpCheck::kRowsOutside;
  b.rowBytes = static_cast<uint32_t>(rowBytes);
  *bmp = b;
  return BmpCheck::kOk;
}

std::vector<uint8_t> ColourDib(const uint8_t* file, const ColourBmp& bmp) {
  // The rows follow the colour table directly in a packed bitmap, wherever the file kept them.
  const size_t tableEnd = kBmpFileHeaderSize + kBmpInfoHeaderSize + size_t{4} * bmp.paletteEntries;
  std::vector<uint8_t> out(file + kBmpFileHeaderSize, file + tableEnd);
  const uint8_t* rows = file + bmp.dataOffset;
  out.insert(out.end(), rows, rows + size_t{bmp.rowBytes} * bmp.rows);
  return out;
}

bool BmpDimensions(const std::vector<uint8_t>& file, size_t length, uint32_t* width, uint32_t* height) {
  constexpr size_t kHeightEnd = 26;
  if (length > file.size() || length < kHeightEnd || file[0] != 'B' || file[1] != 'M') return false;
  *width = Read32(&file[18]);
  *height = Read32(&file[22]);
  return true;
}

}  // namespace media
