#include "WaveFile.h"

#include "LittleEndian.h"

namespace media {

namespace {

void PutTag(std::vector<uint8_t>* out, const char* tag) {
  for (int i = 0; i < 4; ++i) out->push_back(static_cast<uint8_t>(tag[i]));
}

}  // namespace

WaveFormat FormatOfCodes(const uint8_t codes[4]) {
  WaveFormat format{codes[0] == 0, 1, 8, 11025};
  if (codes[1] == 1) format.channels = 2;
  if (codes[2] == 0) format.bits = 16;
  if (codes[3] == 0) {
    format.rate = 44100;
  } else if (codes[3] == 1) {
    format.rate = 22050;
  }
  return format;
}

std::vector<uint8_t> WaveHeader(const WaveFormat& format, uint32_t n) {
  std::vector<uint8_t> out;
  PutTag(&out, "RIFF");
  if (format.ownFormatChunk) {
    Put32(&out, n + 4);
    PutTag(&out, "WAVE");
    return out;
  }
  const uint32_t block = format.channels * format.bits / 8u;
  Put32(&out, n + 36);
  PutTag(&out, "WAVE");
  PutTag(&out, "fmt ");
  Put32(&out, 16);
  Put16(&out, 1);
  Put16(&out, format.channels);
  Put32(&out, format.rate);
  Put32(&out, format.rate * block);
  Put16(&out, block);
  Put16(&out, format.bits);
  PutTag(&out, "data");
  Put32(&out, n);
  return out;
}

std::vector<uint8_t> WaveFile(const WaveFormat& format, const std::vector<uint8_t>& data) {
  std::vector<uint8_t> out = WaveHeader(format, static_cast<uint32_t>(data.size()));
  out.insert(out.end(), data.begin(), data.end());
  return out;
}

}  // namespace media
