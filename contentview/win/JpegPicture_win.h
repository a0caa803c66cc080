// Colour pictures stored as JPEG files: told from their first bytes and decoded by the system's
// imaging component (WIC) into a Windows bitmap file, which the picture window shows and copies
// as it does a book's own bitmaps.
#ifndef CALVETTA_WIN_JPEGPICTURE_WIN_H
#define CALVETTA_WIN_JPEGPICTURE_WIN_H

#include <cstddef>
#include <cstdint>
#include <vector>

namespace calvetta {

// The most pixels a decoded picture may have (24 bits each): larger ones are refused as damaged.
constexpr uint64_t kMostJpegPixels = 32u * 1024 * 1024;

// Whether the picture file begins as a JPEG file does (FF D8 FF).
bool IsJpeg(const uint8_t* file, size_t size);

// The JPEG file decoded into a 24-bit bottom-up bitmap file (BITMAPFILEHEADER, BITMAPINFOHEADER,
// rows). False for a damaged or unreadable file, or one of more than kMostJpegPixels pixels.
bool DecodeJpeg(const uint8_t* file, size_t size, std::vector<uint8_t>* bitmapFile);

}  // namespace calvetta

#endif  // CALVETTA_WIN_JPEGPICTURE_WIN_H
