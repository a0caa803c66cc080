#include "BmpImage.h"

#include <gtest/gtest.h>

namespace media {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Slice(const Bytes& b, size_t from, size_t count) { return Bytes(b.begin() + from, b.begin() + from + count); }

TEST(MonochromeBmp, HeaderFieldsByteForByte) {
  // 40 x 2 pixels: rows of 5 source bytes become 8 bytes, bottom row first.
  Bytes bits = {0x80, 1, 2, 3, 0x01, 0xFF, 0xFE, 0xFD, 0xFC, 0xFB};
  Bytes bmp = MonochromeBmp(40, 2, bits);
  ASSERT_EQ(bmp.size(), 62u + 16u);
  EXPECT_EQ(Slice(bmp, 0, 14), (Bytes{'B', 'M', 78, 0, 0, 0, 0, 0, 0, 0, 62, 0, 0, 0}));
  EXPECT_EQ(Slice(bmp, 14, 40), (Bytes{40, 0, 0, 0, 40, 0, 0, 0, 2, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 0,
                                       16, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(Slice(bmp, 54, 8), (Bytes{0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0}));
  EXPECT_EQ(Slice(bmp, 62, 16), (Bytes{0xFF, 0xFE, 0xFD, 0xFC, 0xFB, 0, 0, 0, 0x80, 1, 2, 3, 0x01, 0, 0, 0}));
}

TEST(MonochromeBmp, RowSizesAndShortData) {
  // 64 pixels: 8 bytes a row, no padding; 8 pixels: 1 byte padded to 4.
  EXPECT_EQ(MonochromeBmp(64, 48, Bytes(384, 0xAA)).size(), 62u + 384u);
  Bytes narrow = MonochromeBmp(8, 3, {1, 2, 3});
  EXPECT_EQ(Slice(narrow, 62, 12), (Bytes{3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0}));
  // Fewer bytes than the size says count as paper; 12 pixels keep their first 8 and pad to 4.
  Bytes cut = MonochromeBmp(12, 2, {0x0F});
  EXPECT_EQ(Slice(cut, 18, 4), (Bytes{12, 0, 0, 0}));
  EXPECT_EQ(Slice(cut, 62, 8), (Bytes{0, 0, 0, 0, 0x0F, 0, 0, 0}));
}

TEST(MonochromeBmp, SizesFromADamagedBookStayBounded) {
  // No columns: the rows hold no bytes, so even 2^32 - 1 of them are written at once.
  EXPECT_EQ(MonochromeBmp(0, 0xFFFFFFFF, {}).size(), 62u);
  // A picture whose file would pass the 32-bit size field is refused, not wrapped around.
  EXPECT_TRUE(MonochromeBmp(0xFFFFFFFF, 0xFFFFFFFF, {}).empty());
}

TEST(BmpDimensions, ReadsTheInfoHeaderOfABmpFileOnly) {
  Bytes bmp = MonochromeBmp(40, 2, Bytes(10, 0));
  uint32_t width = 0, height = 0;
  ASSERT_TRUE(BmpDimensions(bmp, bmp.size(), &width, &height));
  EXPECT_EQ(width, 40u);
  EXPECT_EQ(height, 2u);
  EXPECT_FALSE(BmpDimensions(bmp, 25, &width, &height));              // cut inside the height
  EXPECT_FALSE(BmpDimensions(bmp, bmp.size() + 1, &width, &height));  // more than the bytes held
  bmp[1] = 'A';
  EXPECT_FALSE(BmpDimensions(bmp, bmp.size(), &width, &height));
}

}  // namespace
}  // namespace media
