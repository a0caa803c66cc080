#include "BmpFile.h"

namespace cli {

namespace {

void Put16(std::vector<uint8_t>* out, uint32_t v) {
  out->push_back(static_cast<uint8_t>(v & 0xFF));
  out->push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}

void Put32(std::vector<uint8_t>* out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

}  // namespace

std::vector<uint8_t> MonochromeBmp(uint32_t width, uint32_t height, const std::vector<uint8_t>& bits) {
  const uint64_t sourceRow = width / 8;
  const uint64_t row = (uint64_t{width} + 31) / 32 * 4;
  const uint32_t image = static_cast<uint32_t>(row * height);
  std::vector<uint8_t> out;
  out.reserve(kBmpHeaderSize + image);
  out.push_back('B');
  out.push_back('M');
  Put32(&out, kBmpHeaderSize + image);
  Put32(&out, 0);  // two reserved 16-bit fields
  Put32(&out, kBmpHeaderSize);
  Put32(&out, 40);
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
  for (uint64_t y = height; y-- > 0;) {
    for (uint64_t x = 0; x < row; ++x) {
      uint64_t at = y * sourceRow + x;
      out.push_back(x < sourceRow && at < bits.size() ? bits[at] : 0);
    }
  }
  return out;
}

}  // namespace cli
