// Stored sound data of the book as a playable WAVE file.
//
// The four format codes of a sound (properties bytes 6-9: low and high nibble of code byte 4,
// high and low nibble of code byte 5) say how the data are stored:
//   code 6 == 0   the data begin with their own format chunk ("fmt " ...): the file is the
//                 12-byte header "RIFF", n + 4, "WAVE", then the n bytes as they are
//   code 6 != 0   raw PCM samples: a 44-byte header, then the n bytes:
//                   "RIFF" n + 36 "WAVE" "fmt " 16, format 1 (PCM), channels, rate,
//                   bytes per second (rate * block), block (channels * bits / 8), bits,
//                   "data" n
//                 channels  2 when code 7 is 1, else 1
//                 bits      16 when code 8 is 0, else 8
//                 rate      code 8 != 0: 22050 when code 9 is 1, 44100 when code 9 is 0;
//                           otherwise 11025
// Numbers are little-endian.
#ifndef DUNMOOR_TOOLS_DUNMOOR_WAVEFILE_H
#define DUNMOOR_TOOLS_DUNMOOR_WAVEFILE_H

#include <cstdint>
#include <vector>

namespace cli {

struct WaveFormat {
  bool ownFormatChunk;  // the data carry their own format chunk
  uint16_t channels;
  uint16_t bits;
  uint32_t rate;
};

// The format that the four codes give.
WaveFormat FormatOfCodes(const uint8_t codes[4]);

std::vector<uint8_t> WaveFile(const WaveFormat& format, const std::vector<uint8_t>& data);

}  // namespace cli

#endif  // DUNMOOR_TOOLS_DUNMOOR_WAVEFILE_H
