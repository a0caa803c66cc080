#include "CdAudio.h"

#include <gtest/gtest.h>

#include "MediaPaths.h"

namespace media {
namespace {

TEST(CdRange, EndLiesTheLengthAfterTheStartInTheSameTrack) {
  // kind, track, start minute, start second, minutes, seconds
  const uint8_t plain[6] = {0, 2, 0, 5, 0, 10};
  CdPlayRange range;
  ASSERT_TRUE(CdRange(plain, &range));
  EXPECT_EQ(range.from, 0x00050002u);
  EXPECT_EQ(range.to, 0x000F0002u);
  // Seconds that reach 60 end one minute later, at the seconds left over.
  const uint8_t carry[6] = {0, 3, 1, 50, 2, 10};
  ASSERT_TRUE(CdRange(carry, &range));
  EXPECT_EQ(range.to, Tmsf(3, 4, 0, 0));
  const uint8_t longSeconds[6] = {0, 3, 1, 59, 0, 99};  // a damaged length of 99 seconds
  ASSERT_TRUE(CdRange(longSeconds, &range));
  EXPECT_EQ(range.to, Tmsf(3, 3, 38, 0));
}

TEST(CdRange, FieldsOutsideTheFormAreRefused) {
  const uint8_t cases[][6] = {
      {0, 100, 0, 0, 0, 1}, {0, 1, 100, 0, 0, 1}, {0, 1, 0, 60, 0, 1}, {0, 1, 90, 0, 9, 60}, {0, 1, 99, 59, 0, 1}};
  CdPlayRange range;
  for (const auto& c : cases) EXPECT_FALSE(CdRange(c, &range)) << int(c[1]) << " " << int(c[2]) << " " << int(c[3]);
  const uint8_t last[6] = {0, 99, 99, 0, 0, 59};
  EXPECT_TRUE(CdRange(last, &range));
}

TEST(MediaPaths, TempWaveAndSavePaths) {
  EXPECT_EQ(TempWavePath(L"C:\\Temp\\"), L"C:\\Temp\\temp.wav");
  EXPECT_EQ(TempWavePath(L"C:\\Temp"), L"C:\\Temp\\temp.wav");
  std::wstring exact(255, L'a');
  EXPECT_EQ(CutSavePath(exact), exact);
  std::wstring cut = CutSavePath(std::wstring(300, L'a'));
  EXPECT_EQ(cut.size(), 255u);
  EXPECT_EQ(cut.substr(0, 251), std::wstring(251, L'a'));
  EXPECT_EQ(cut.substr(251), L".bmp");
}

// A picture's caption becomes the name it is offered to be saved under.
TEST(MediaPaths, SaveFileNameFromTheCaption) {
  EXPECT_EQ(SaveFileName(L"A house (drawing)"), L"A house (drawing).bmp");
  EXPECT_EQ(SaveFileName(L"富士山　"), L"富士山.bmp");
  EXPECT_EQ(SaveFileName(L"  a/b:c*d?\"e<f>g|h\\i\tj. . "), L"abcdefghij.bmp");
  EXPECT_EQ(SaveFileName(L""), L"*.bmp");
  EXPECT_EQ(SaveFileName(L" ..?  "), L"*.bmp");
  std::wstring long_(150, L'字');
  EXPECT_EQ(SaveFileName(long_), std::wstring(kMaxSaveName, L'字') + L".bmp");
  std::wstring pairs = L"x";  // the 100th unit is the first half of a pair
  for (int i = 0; i < 60; ++i) pairs += L"\xD840\xDC0B";  // 𠀋, two UTF-16 units each
  std::wstring cut = SaveFileName(pairs);
  EXPECT_EQ(cut.size(), kMaxSaveName - 1 + 4) << "the name ends on a whole character";
  EXPECT_EQ(cut.substr(kMaxSaveName - 3, 2), L"\xD840\xDC0B");
}

}  // namespace
}  // namespace media
