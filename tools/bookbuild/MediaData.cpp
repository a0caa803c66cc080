#include "MediaData.h"

#include <cmath>

#include "LittleEndian.h"

namespace bookbuild {

namespace {

Bytes MakeBitmapFile(const PictureDef& picture) {
  uint32_t rowBytes = (static_cast<uint32_t>(picture.width) + 3) & ~3u;
  uint32_t colours = static_cast<uint32_t>(picture.palette.size());
  uint32_t bitsOffset = 14 + 40 + 4 * colours;
  uint32_t imageSize = rowBytes * static_cast<uint32_t>(picture.height);
  Bytes bmp;
  bmp.push_back('B');
  bmp.push_back('M');
  media::Put32(&bmp, bitsOffset + imageSize);
  media::Put32(&bmp, 0);
  media::Put32(&bmp, bitsOffset);
  media::Put32(&bmp, 40);
  media::Put32(&bmp, static_cast<uint32_t>(picture.width));
  media::Put32(&bmp, static_cast<uint32_t>(picture.height));  // positive: bottom row first
  media::Put16(&bmp, 1);
  media::Put16(&bmp, 8);
  media::Put32(&bmp, 0);  // no compression
  media::Put32(&bmp, imageSize);
  media::Put32(&bmp, 2835);
  media::Put32(&bmp, 2835);
  media::Put32(&bmp, colours);
  media::Put32(&bmp, 0);
  for (uint32_t rgb : picture.palette) {
    bmp.push_back(static_cast<uint8_t>(rgb));
    bmp.push_back(static_cast<uint8_t>(rgb >> 8));
    bmp.push_back(static_cast<uint8_t>(rgb >> 16));
    bmp.push_back(0);
  }
  for (int y = picture.height - 1; y >= 0; --y) {
    const uint8_t* row = &picture.pixels[static_cast<size_t>(y) * picture.width];
    bmp.insert(bmp.end(), row, row + picture.width);
    bmp.resize(bmp.size() + rowBytes - picture.width, 0);
  }
  return bmp;
}

}  // namespace

Bytes MakePictureData(const PictureDef& picture) {
  Bytes out;
  if (!picture.color) {
    out.assign(static_cast<size_t>(picture.width / 8) * picture.height, 0);
    for (int y = 0; y < picture.height; ++y)
      for (int x = 0; x < picture.width; ++x)
        if (picture.pixels[static_cast<size_t>(y) * picture.width + x])
          out[static_cast<size_t>(y) * (picture.width / 8) + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
    return out;
  }
  Bytes bmp = picture.jpeg.empty() ? MakeBitmapFile(picture) : Bytes(picture.jpeg.begin(), picture.jpeg.end());
  out = {'d', 'a', 't', 'a'};
  media::Put32(&out, static_cast<uint32_t>(bmp.size()));
  out.insert(out.end(), bmp.begin(), bmp.end());
  return out;
}

Bytes MakeSoundData(const SoundDef& sound) {
  uint32_t frames = static_cast<uint32_t>(static_cast<uint64_t>(sound.rate) * sound.ms / 1000);
  Bytes samples;
  const double kPi = 3.14159265358979323846;
  for (uint32_t i = 0; i < frames; ++i) {
    double v = 0.5 * std::sin(2 * kPi * sound.tone * i / sound.rate);
    for (int c = 0; c < sound.channels; ++c) {
      if (sound.bits == 8) {
        samples.push_back(static_cast<uint8_t>(128 + std::lround(v * 127)));
      } else {
        media::Put16(&samples, static_cast<uint16_t>(static_cast<int16_t>(std::lround(v * 32767))));
      }
    }
  }
  if (sound.raw) return samples;
  uint32_t blockAlign = static_cast<uint32_t>(sound.channels * sound.bits / 8);
  Bytes out = {'f', 'm', 't', ' '};
  media::Put32(&out, 16);
  media::Put16(&out, 1);  // PCM
  media::Put16(&out, static_cast<uint32_t>(sound.channels));
  media::Put32(&out, sound.rate);
  media::Put32(&out, sound.rate * blockAlign);
  media::Put16(&out, blockAlign);
  media::Put16(&out, static_cast<uint32_t>(sound.bits));
  out.insert(out.end(), {'d', 'a', 't', 'a'});
  media::Put32(&out, static_cast<uint32_t>(samples.size()));
  out.insert(out.end(), samples.begin(), samples.end());
  return out;
}

}  // namespace bookbuild
