#include "BookRun.h"

#include "FuzzDisc.h"

namespace fuzz {

bool OpenTextBook(dunmoor::Library* lib, const Bytes& text) {
  FuzzDisc& disc = FuzzDisc::Get();
  disc.UseStandardCatalog();
  disc.WriteText(text);
  FUZZ_CHECK(lib->OpenEpwing(disc.Root().c_str()) == 1);
  int32_t opened = lib->BooksOpen();
  FUZZ_CHECK(opened == 1 || opened == -1);
  // A text file shorter than its header or its descriptor table never opens.
  if (text.size() < 16 || text.size() < 16 + 16 * size_t{uint16_t(text[0] << 8 | text[1])})
    FUZZ_CHECK(opened == -1);
  return opened == 1;
}

void CheckRawResult(int32_t result, uint32_t length, uint32_t size, bool mayRefuse) {
  FUZZ_CHECK(result >= 0 || result == -1 || (mayRefuse && result == -2));
  if (result >= 0) FUZZ_CHECK(length <= size);
}

void ReadWholeEntry(const std::function<int32_t(char*, uint32_t, uint32_t*)>& read, uint32_t size,
                    uint64_t textSize, bool mayRefuse) {
  GuardedBuffer buffer(size);
  const uint64_t maxCalls = textSize + 4;
  for (uint64_t call = 0;; ++call) {
    FUZZ_CHECK(call < maxCalls);  // an entry reader that never ends
    uint32_t length = 0xFFFFFFFF;
    int32_t result = read(buffer.Data(), size, &length);
    buffer.Check();
    FUZZ_CHECK(result == 1 || result == 0 || result == -1 || (mayRefuse && result == -2));
    if (result != 0) {
      if (result == 1) FUZZ_CHECK(length <= size);
      return;
    }
    FUZZ_CHECK(length >= 1 && length <= size);
  }
}

}  // namespace fuzz
