// Stored sound data of the book as a playable WAVE file, its header built afresh for every
// sound from the sound's four format codes (properties bytes 6-9: low and high nibble of code
// byte 4, high and low nibble of code byte 5):
//   code 6 == 0   the data begin with their own format chunk ("fmt " ...): the file is the
//                 12-byte header "RIFF", n + 4, "WAVE", then the n bytes as they are
//   code 6 != 0   raw PCM samples: a 44-byte header, then the n bytes:
//                   "RIFF" n + 36 "WAVE" "fmt " 16, format 1 (PCM), channels, rate,
//                   bytes per second (rate * block), block (channels * bits / 8), bits,
//                   "data" n
//                 channels  2 when code 7 is 1, else 1
//                 bits      16 when code 8 is 0, else 8
//                 rate      44100 when code 9 is 0, 22050 when it is 1, else 11025
// The codes 7-9 are read the way the freepwing book maker writes them: code byte 4 is
// (stereo ? 1 : 0) * 16, code byte 5 is (16 bits ? 0 : 1) * 16 + (44100 Hz ? 0 : 22050 Hz ?
// 1 : 2). That maker stores the chunks that follow "WAVE" (code 6 = 0) and our book builder
// stores either those chunks or raw samples with the codes given in its source. With all codes
// at their neutral values (1, 0, 1, 2) the samples are 8-bit mono at 11025 Hz.
// Numbers are little-endian.
#ifndef CALVETTA_MEDIA_WAVEFILE_H
#define CALVETTA_MEDIA_WAVEFILE_H

#include <cstdint>
#include <vector>

namespace media {

struct WaveFormat {
  bool ownFormatChunk;  // the data carry their own format chunk
  uint16_t channels;
  uint16_t bits;
  uint32_t rate;
};

// The format that the four codes give.
WaveFormat FormatOfCodes(const uint8_t codes[4]);

// The header to write before n bytes of data: 12 or 44 bytes.
std::vector<uint8_t> WaveHeader(const WaveFormat& format, uint32_t n);
// The header followed by the data.
std::vector<uint8_t> WaveFile(const WaveFormat& format, const std::vector<uint8_t>& data);

}  // namespace media

#endif  // CALVETTA_MEDIA_WAVEFILE_H
