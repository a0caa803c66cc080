#include "MemorySource.h"

#include <algorithm>
#include <cstring>

namespace layouttest {

Text& Text::Wide(const char* ascii) {
  for (const char* c = ascii; *c; ++c) Jis(static_cast<uint16_t>(0x2300 | static_cast<uint8_t>(*c)));
  return *this;
}

Text& Text::Jis(uint16_t code, int count) {
  for (int i = 0; i < count; ++i) {
    bytes.push_back(static_cast<uint8_t>(code >> 8));
    bytes.push_back(static_cast<uint8_t>(code & 0xFF));
  }
  return *this;
}

Text& Text::Code(std::initializer_list<uint8_t> more) {
  bytes.insert(bytes.end(), more.begin(), more.end());
  return *this;
}

Text& Text::Append(const Bytes& more) {
  bytes.insert(bytes.end(), more.begin(), more.end());
  return *this;
}

int32_t MemorySource::Read(uint32_t at, char* buffer, uint32_t size, uint32_t* length) {
  ++calls;
  start = at;
  uint32_t n = at >= file.size() ? 0 : std::min<uint32_t>(size, static_cast<uint32_t>(file.size() - at));
  if (n) std::memcpy(buffer, file.data() + at, n);
  next = at + n;
  *length = n;
  return static_cast<int32_t>(at);
}

int32_t MemorySource::GetWordCont(int32_t index, char* buffer, uint32_t size, uint32_t* length) {
  if (failWordCont < 0) return failWordCont;
  if (index < 0 || static_cast<size_t>(index) >= hits.size()) return -2;
  return Read(static_cast<uint32_t>(hits[index]), buffer, size, length);
}

int32_t MemorySource::GetWordContNext(char* buffer, uint32_t size, uint32_t* length) {
  if (failLater) return -1;
  return Read(next, buffer, size, length);
}

int32_t MemorySource::GetWordContLast(char* buffer, uint32_t size, uint32_t* length) {
  uint32_t old = start;
  uint32_t from = old < size ? 0 : old - size;
  Read(from, buffer, old - from, length);
  return static_cast<int32_t>(from);
}

int32_t MemorySource::GetContLastNoSet(char* buffer, uint32_t size, uint32_t* length) {
  if (failLookBack) return 0;
  uint32_t s = start, n = next;
  GetWordContLast(buffer, size, length);
  start = s;
  next = n;
  return 1;
}

int32_t MemorySource::GetLinkContent(const char* code, char* buffer, uint32_t size, uint32_t* length) {
  if (!code || linkTarget < 0) return linkTarget < 0 ? linkTarget : -2;
  return Read(static_cast<uint32_t>(linkTarget), buffer, size, length);
}

int32_t MemorySource::GetLinkContByPt(int32_t position, char* buffer, uint32_t size, uint32_t* length) {
  if (position < 0) return -2;
  return Read(static_cast<uint32_t>(position), buffer, size, length);
}

}  // namespace layouttest
