#include "WaveFile.h"

#include <gtest/gtest.h>

namespace media {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Slice(const Bytes& b, size_t from, size_t count) { return Bytes(b.begin() + from, b.begin() + from + count); }

TEST(WaveFile, RawSamplesGetTheFull44ByteHeader) {
  const uint8_t codes[4] = {1, 0, 1, 2};  // the neutral codes: 11025 Hz, 8 bits, mono
  Bytes wave = WaveFile(FormatOfCodes(codes), {0x80, 0x81, 0x82});
  EXPECT_EQ(wave, (Bytes{'R', 'I', 'F', 'F', 39, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0,
                         1, 0, 1, 0, 0x11, 0x2B, 0, 0, 0x11, 0x2B, 0, 0, 1, 0, 8, 0,
                         'd', 'a', 't', 'a', 3, 0, 0, 0, 0x80, 0x81, 0x82}));
}

TEST(WaveFile, DataWithTheirOwnFormatChunkGetTheShortHeader) {
  const uint8_t codes[4] = {0, 1, 0, 0};  // the other codes do not matter then
  Bytes data = {'f', 'm', 't', ' ', 1, 2};
  Bytes wave = WaveFile(FormatOfCodes(codes), data);
  EXPECT_EQ(Slice(wave, 0, 12), (Bytes{'R', 'I', 'F', 'F', 10, 0, 0, 0, 'W', 'A', 'V', 'E'}));
  EXPECT_EQ(Slice(wave, 12, 6), data);
  EXPECT_EQ(WaveHeader(FormatOfCodes(codes), 1000), (Bytes{'R', 'I', 'F', 'F', 0xEC, 3, 0, 0, 'W', 'A', 'V', 'E'}));
}

TEST(WaveFile, FormatCodesSettleChannelsBitsAndRate) {
  struct Case {
    uint8_t codes[4];
    uint16_t channels, bits;
    uint32_t rate;
  } cases[] = {
      {{1, 1, 1, 2}, 2, 8, 11025},  {{1, 0, 0, 1}, 1, 16, 22050}, {{1, 0, 1, 1}, 1, 8, 22050},
      {{1, 1, 1, 0}, 2, 8, 44100},  {{1, 2, 0, 2}, 1, 16, 11025}, {{2, 1, 0, 0}, 2, 16, 44100},
  };
  for (const Case& c : cases) {
    WaveFormat f = FormatOfCodes(c.codes);
    EXPECT_FALSE(f.ownFormatChunk);
    EXPECT_EQ(f.channels, c.channels);
    EXPECT_EQ(f.bits, c.bits);
    EXPECT_EQ(f.rate, c.rate);
  }
  // Stereo 16-bit 44100 Hz: block 4, 176400 bytes a second.
  const uint8_t codes[4] = {1, 1, 0, 0};
  Bytes wave = WaveFile(FormatOfCodes(codes), {});
  EXPECT_EQ(Slice(wave, 22, 14), (Bytes{2, 0, 0x44, 0xAC, 0, 0, 0x10, 0xB1, 2, 0, 4, 0, 16, 0}));
}

}  // namespace
}  // namespace media
