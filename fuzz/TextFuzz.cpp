// A script of reader calls, then a text file. Every text reader and reference reader runs at
// positions and with buffer sizes the script chooses, in any order, on the one shared cursor:
// raw reads forward and backward, whole entries forward and backward (the backward entry
// search), references taken from the text and the entry at a reference's target.
//
// Input: a count n (1 byte, at most 32), n calls of 5 bytes (call, 32-bit argument), the text file.
#include <algorithm>

#include "BookRun.h"
#include "FuzzTargets.h"
#include "TextFormat.h"

namespace fuzz {

namespace {

constexpr uint32_t kSizes[] = {1, 2, 3, 16, 255, 2048, 4096, 0x8000};
constexpr uint32_t kEntrySizes[] = {16, 64, 2048, 0x8000};
constexpr size_t kMaxCalls = 32;
constexpr size_t kCodeBlock = 128;  // a reference code block as the content view copies it

struct Call {
  uint8_t kind;
  uint32_t argument;
};

// A copy of the text at position as a caller holds a code block: 128 bytes, zero-filled after
// the end of the file.
std::vector<char> CodeBlockAt(const Bytes& text, uint64_t position) {
  std::vector<char> block(kCodeBlock, 0);
  for (size_t i = 0; i < kCodeBlock && position + i < text.size(); ++i) block[i] = static_cast<char>(text[position + i]);
  return block;
}

class TextRun {
 public:
  TextRun(dunmoor::Library* lib, const Bytes& text) : lib(*lib), text(text) {}

  void Raw(int32_t (dunmoor::TextReaders::*read)(char*, uint32_t, uint32_t*), uint32_t size) {
    GuardedBuffer buffer(size);
    uint32_t length = 0;
    dunmoor::TextReaders readers = lib.Text();
    int32_t at = (readers.*read)(buffer.Data(), size, &length);
    buffer.Check();
    CheckRawResult(at, length, size, false);
  }

  void Run(const Call& call) {
    const uint32_t size = kSizes[call.argument >> 29];
    const uint32_t entrySize = kEntrySizes[call.argument >> 30];
    const uint32_t position = call.argument % (static_cast<uint32_t>(text.size()) + 4096);
    uint32_t length = 0;
    switch (call.kind % 12) {
      case 0: {
        GuardedBuffer buffer(size);
        int32_t at = lib.Links().GetLinkContByPt(static_cast<int32_t>(call.argument), buffer.Data(), size, &length);
        buffer.Check();
        CheckRawResult(at, length, size, true);
        FUZZ_CHECK((at == -2) == (static_cast<int32_t>(call.argument) < 0));
        break;
      }
      case 1: Raw(&dunmoor::TextReaders::GetWordContNext, size); break;
      case 2: Raw(&dunmoor::TextReaders::GetWordContLast, size); break;
      case 3: {
        GuardedBuffer buffer(size);
        const dunmoor::ReadCursor before = lib.Cursor();
        int32_t result = lib.Text().GetContLastNoSet(buffer.Data(), size, &length);
        buffer.Check();
        FUZZ_CHECK(result == 1 || result == 0);
        FUZZ_CHECK(lib.Cursor().start == before.start && lib.Cursor().next == before.next);
        break;
      }
      case 4:
        ReadWholeEntry([&](char* b, uint32_t n, uint32_t* l) { return lib.Text().GetNextContentByWord(b, n, l); },
                       entrySize, text.size(), false);
        break;
      case 5:
        ReadWholeEntry([&](char* b, uint32_t n, uint32_t* l) { return lib.Text().GetLastContentByWord(b, n, l); },
                       entrySize, text.size(), false);
        break;
      case 6: {
        std::vector<char> code = CodeBlockAt(text, position);
        ReadWholeEntry([&](char* b, uint32_t n, uint32_t* l) { return lib.Links().GetLinkContentEntry(code.data(), b, n, l); },
                       entrySize, text.size(), true);
        break;
      }
      case 7: {
        std::vector<char> code = CodeBlockAt(text, position);
        GuardedBuffer buffer(size);
        int32_t at = lib.Links().GetLinkContent(code.data(), buffer.Data(), size, &length);
        buffer.Check();
        CheckRawResult(at, length, size, true);
        break;
      }
      case 8: {
        int32_t index = static_cast<int32_t>(call.argument & 0xFF) - 2;
        bool inRange = index >= 0 && static_cast<size_t>(index) < lib.Book()->Hits().size();
        ReadWholeEntry([&](char* b, uint32_t n, uint32_t* l) {
          int32_t r = lib.Text().GetWordContent(index, b, n, l);
          if (!inRange) FUZZ_CHECK(r == -1);
          return r;
        }, entrySize, text.size(), false);
        break;
      }
      case 9: {
        int32_t index = static_cast<int32_t>(call.argument & 0xFF) - 2;
        GuardedBuffer buffer(size);
        int32_t at = lib.Text().GetWordCont(index, buffer.Data(), size, &length);
        buffer.Check();
        CheckRawResult(at, length, size, true);
        break;
      }
      case 10: {
        int32_t menu = lib.Links().GetMenuHead();
        FUZZ_CHECK(menu >= 0 || menu == -2);
        break;
      }
      default:
        References();
        break;
    }
  }

  // Every reference code of the text, followed as the content view follows a click.
  void References() {
    int found = 0;
    for (size_t at = 0; at + 1 < text.size() && found < 16; ++at) {
      if (text[at] != dunmoor::text::kEscape || (text[at + 1] != 0x42 && text[at + 1] != 0x43)) continue;
      ++found;
      std::vector<char> code = CodeBlockAt(text, at);
      GuardedBuffer buffer(256);
      uint32_t length = 0;
      int32_t target = lib.Links().GetLinkContent(code.data(), buffer.Data(), buffer.Size(), &length);
      buffer.Check();
      CheckRawResult(target, length, buffer.Size(), true);
    }
  }

 private:
  dunmoor::Library& lib;
  const Bytes& text;
};

}  // namespace

int FuzzText(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  std::vector<Call> calls(std::min<size_t>(input.Byte(), kMaxCalls));
  for (Call& call : calls) {
    call.kind = input.Byte();
    call.argument = input.Long();
  }
  Bytes text = input.Rest();
  dunmoor::Library lib;
  if (!OpenTextBook(&lib, text)) return 0;
  // Hits at positions the script names, as a search would leave them.
  for (const Call& call : calls)
    lib.Book()->Hits().push_back({call.argument % (static_cast<uint32_t>(text.size()) + 4096), 0, 0});
  TextRun run(&lib, text);
  for (const Call& call : calls) run.Run(call);
  lib.BooksClose();
  return 0;
}

}  // namespace fuzz
