// A text file held in memory behind the readers the layout calls, with the cursor rules of the
// book-access library (start, next), hit positions and failures on request.
#ifndef CALVETTA_LAYOUT_TEST_MEMORYSOURCE_H
#define CALVETTA_LAYOUT_TEST_MEMORYSOURCE_H

#include <cstdint>
#include <vector>

#include "TextSource.h"

namespace layouttest {

using Bytes = std::vector<uint8_t>;

// Builds text bytes: full-width letters and digits, kana, codes.
class Text {
 public:
  Text& Wide(const char* ascii);        // each ASCII letter/digit as its full-width JIS code
  Text& Jis(uint16_t code, int count = 1);
  Text& Code(std::initializer_list<uint8_t> bytes);
  Text& Newline() { return Code({0x1F, 0x0A}); }
  Text& Append(const Bytes& more);
  int32_t Size() const { return static_cast<int32_t>(bytes.size()); }
  const Bytes& Data() const { return bytes; }

 private:
  Bytes bytes;
};

class MemorySource : public calvetta::TextSource {
 public:
  explicit MemorySource(Bytes file) : file(std::move(file)) {}
  std::vector<int32_t> hits;
  int32_t failWordCont = 0;  // result to return instead, when negative
  bool failLookBack = false;
  bool failLater = false;
  int32_t linkTarget = -2;  // where GetLinkContent reads; negative: its result
  int calls = 0;

  int32_t GetWordCont(int32_t index, char* buffer, uint32_t size, uint32_t* length) override;
  int32_t GetWordContNext(char* buffer, uint32_t size, uint32_t* length) override;
  int32_t GetWordContLast(char* buffer, uint32_t size, uint32_t* length) override;
  int32_t GetContLastNoSet(char* buffer, uint32_t size, uint32_t* length) override;
  int32_t GetLinkContent(const char* code, char* buffer, uint32_t size, uint32_t* length) override;
  int32_t GetLinkContByPt(int32_t position, char* buffer, uint32_t size, uint32_t* length) override;

 private:
  int32_t Read(uint32_t at, char* buffer, uint32_t size, uint32_t* length);
  Bytes file;
  uint32_t start = 0;
  uint32_t next = 0;
};

}  // namespace layouttest

#endif  // CALVETTA_LAYOUT_TEST_MEMORYSOURCE_H
