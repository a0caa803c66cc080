#include "BmpImage.h"

#include <gtest/gtest.h>

#include <cstring>

namespace media {
namespace {

using Bytes = std::vector<uint8_t>;

void Set32(Bytes* b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) (*b)[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// A 3 x 2 picture of 8 bits a pixel with two colours: rows of 4 bytes.
Bytes ColourFile() {
  Bytes b(54 + 8 + 8, 0);
  b[0] = 'B';
  b[1] = 'M';
  Set32(&b, 2, static_cast<uint32_t>(b.size()));
  Set32(&b, 10, 62);
  Set32(&b, 14, 40);
  Set32(&b, 18, 3);
  Set32(&b, 22, 2);
  b[26] = 1;
  b[28] = 8;
  Set32(&b, 46, 2);
  Set32(&b, 54, 0x00FFFFFF);
  Set32(&b, 58, 0x002D00BC);
  for (size_t i = 62; i < b.size(); ++i) b[i] = static_cast<uint8_t>(i);
  return b;
}

TEST(MonochromePicture, ClipboardBitmapIsTheFileWithoutItsFileHeader) {
  // Width 40: rows of 8 bytes, 5 of the picture and 3 zero bytes, bottom row first.
  Bytes bits = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  Bytes file = MonochromeBmp(40, 2, bits);
  Bytes dib = MonochromeDib(40, 2, bits);
  ASSERT_EQ(file.size(), 62u + 16);
  ASSERT_EQ(dib.size(), 48u + 16);
  EXPECT_TRUE(std::equal(dib.begin(), dib.end(), file.begin() + 14));
  EXPECT_EQ(Bytes(dib.begin() + 48, dib.end()), (Bytes{6, 7, 8, 9, 10, 0, 0, 0, 1, 2, 3, 4, 5, 0, 0, 0}));
  EXPECT_TRUE(MonochromeDib(0xFFFFFFFF, 0xFFFFFFFF, {}).empty());
}

TEST(MonochromePicture, RecordMustHoldWhatItsHeadSays) {
  Bytes record = {2, 0, 0, 0, 24, 0, 0, 0, 0xA1, 0xA2, 0xA3, 0xB1, 0xB2, 0xB3};
  MonochromePicture picture;
  ASSERT_TRUE(ReadMonochromePicture(record.data(), record.size(), &picture));
  EXPECT_EQ(picture.width, 24u);
  EXPECT_EQ(picture.height, 2u);
  // Three bytes a row are odd: the device rows get a zero byte each.
  EXPECT_EQ(EvenRows(picture), (Bytes{0xA1, 0xA2, 0xA3, 0, 0xB1, 0xB2, 0xB3, 0}));
  picture.width = 16;
  EXPECT_EQ(EvenRows(picture), (Bytes{0xA1, 0xA2, 0xA3, 0xB1}));

  EXPECT_FALSE(ReadMonochromePicture(record.data(), record.size() - 1, &picture));  // a row cut short
  EXPECT_FALSE(ReadMonochromePicture(record.data(), 7, &picture));
  record[4] = 7;  // no whole byte in a row
  EXPECT_FALSE(ReadMonochromePicture(record.data(), record.size(), &picture));
  Set32(&record, 0, 0);
  record[4] = 24;
  EXPECT_FALSE(ReadMonochromePicture(record.data(), record.size(), &picture));
  // Sides whose product wraps around 32 bits still count as too large, not as small.
  Bytes huge = {0, 0, 0, 0x80, 0, 0, 0, 0x80, 0};
  EXPECT_FALSE(ReadMonochromePicture(huge.data(), huge.size(), &picture));
}

TEST(ColourPicture, SoundFileIsAcceptedAndCopiedWithoutItsFileHeader) {
  Bytes file = ColourFile();
  ColourBmp bmp;
  ASSERT_EQ(CheckColourBmp(file.data(), file.size(), &bmp), BmpCheck::kOk);
  EXPECT_EQ(bmp.width, 3);
  EXPECT_EQ(bmp.rows, 2u);
  EXPECT_EQ(bmp.paletteEntries, 2u);
  EXPECT_EQ(bmp.rowBytes, 4u);
  EXPECT_EQ(ColourDib(file.data(), bmp), Bytes(file.begin() + 14, file.end()));
  // Rows top first, a book that pads the file, and colours used 0 with a full 1-bit table.
  Set32(&file, 22, static_cast<uint32_t>(-2));
  file.push_back(0);
  ASSERT_EQ(CheckColourBmp(file.data(), file.size(), &bmp), BmpCheck::kOk);
  EXPECT_EQ(bmp.rows, 2u);
  file = ColourFile();
  file[28] = 1;
  Set32(&file, 46, 0);
  EXPECT_EQ(CheckColourBmp(file.data(), file.size(), &bmp), BmpCheck::kOk);
}

TEST(ColourPicture, RowsStoredAfterAGapFollowTheTableInTheClipboardCopy) {
  Bytes file = ColourFile();
  file.insert(file.begin() + 62, {0xEE, 0xEE});
  Set32(&file, 2, static_cast<uint32_t>(file.size()));
  Set32(&file, 10, 64);
  ColourBmp bmp;
  ASSERT_EQ(CheckColourBmp(file.data(), file.size(), &bmp), BmpCheck::kOk);
  Bytes dib = ColourDib(file.data(), bmp);
  ASSERT_EQ(dib.size(), 48u + 8);
  EXPECT_EQ(dib[48], 62);  // the first row byte, not the gap
}

TEST(ColourPicture, LyingHeadersAreRefusedBeforeAnyRowIsRead) {
  struct Case {
    const char* name;
    size_t at;
    uint32_t value;
    BmpCheck expected;
  } cases[] = {
      {"not_bm", 0, 0x4141, BmpCheck::kNotBmp},
      {"filesize_toolong", 2, 71, BmpCheck::kBadFileSize},
      {"filesize_belowheaders", 2, 53, BmpCheck::kBadFileSize},
      {"infoheader_v4", 14, 108, BmpCheck::kUnsupported},
      {"planes_two", 26, 0x00080002, BmpCheck::kUnsupported},
      {"bitcount_seven", 28, 7, BmpCheck::kUnsupported},
      {"compressed_rle8", 30, 1, BmpCheck::kUnsupported},
      {"width_zero", 18, 0, BmpCheck::kBadDimensions},
      {"width_negative", 18, static_cast<uint32_t>(-3), BmpCheck::kBadDimensions},
      {"height_min", 22, 0x80000000u, BmpCheck::kBadDimensions},
      {"width_huge", 18, 40000, BmpCheck::kBadDimensions},
      {"colours_overflow", 46, 257, BmpCheck::kBadPalette},
      {"dataoffset_intable", 10, 60, BmpCheck::kBadPalette},
      {"dataoffset_toolong", 10, 0xFFFFFFF0u, BmpCheck::kRowsOutside},
      {"height_toolong", 22, 3, BmpCheck::kRowsOutside},
      {"width_toolong", 18, 5, BmpCheck::kRowsOutside},
  };
  for (const Case& c : cases) {
    Bytes file = ColourFile();
    if (c.at == 0) {
      file[0] = file[1] = 'A';
    } else {
      Set32(&file, c.at, c.value);
    }
    ColourBmp bmp;
    EXPECT_EQ(CheckColourBmp(file.data(), file.size(), &bmp), c.expected) << c.name;
  }
  Bytes file = ColourFile();
  ColourBmp bmp;
  EXPECT_EQ(CheckColourBmp(file.data(), 53, &bmp), BmpCheck::kTooShort);
  EXPECT_EQ(CheckColourBmp(file.data(), file.size() - 1, &bmp), BmpCheck::kBadFileSize);
  // 24 bits a pixel need no table; colours used 0 must not ask for 2^24 entries.
  file[28] = 24;
  Set32(&file, 46, 0);
  Set32(&file, 10, 54);
  Set32(&file, 22, 1);
  file.resize(54 + 12);
  Set32(&file, 2, 66);
  ASSERT_EQ(CheckColourBmp(file.data(), file.size(), &bmp), BmpCheck::kOk);
  EXPECT_EQ(bmp.paletteEntries, 0u);
  EXPECT_EQ(bmp.rowBytes, 12u);
}

}  // namespace
}  // namespace media
