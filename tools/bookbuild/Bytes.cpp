#include "Bytes.h"

namespace bookbuild {

void PutBe16(Bytes* out, uint32_t value) {
  out->push_back(static_cast<uint8_t>(value >> 8));
  out->push_back(static_cast<uint8_t>(value));
}

void PutBe32(Bytes* out, uint32_t value) {
  PutBe16(out, value >> 16);
  PutBe16(out, value & 0xFFFF);
}

void SetBe32(Bytes* out, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) (*out)[at + i] = static_cast<uint8_t>(value >> (24 - 8 * i));
}

void PutBcd(Bytes* out, uint32_t value, int width) {
  std::vector<uint8_t> digits(width, 0);
  for (int i = width - 1; i >= 0; --i) {
    uint32_t low = value % 10;
    value /= 10;
    uint32_t high = value % 10;
    value /= 10;
    digits[i] = static_cast<uint8_t>(high << 4 | low);
  }
  out->insert(out->end(), digits.begin(), digits.end());
}

void PutBcdPosition(Bytes* out, uint32_t position) {
  PutBcd(out, BlockOf(position), 4);
  PutBcd(out, OffsetOf(position), 2);
}

void PutNumericPosition(Bytes* out, uint32_t position) {
  PutBe32(out, BlockOf(position));
  PutBe16(out, OffsetOf(position));
}

void SetBcdPosition(Bytes* out, size_t at, uint32_t position) {
  Bytes field;
  PutBcdPosition(&field, position);
  for (size_t i = 0; i < field.size(); ++i) (*out)[at + i] = field[i];
}

void PadToBlock(Bytes* out) {
  size_t rest = out->size() % kBlockSize;
  if (rest != 0) out->resize(out->size() + kBlockSize - rest, 0);
}

}  // namespace bookbuild
