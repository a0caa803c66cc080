// A text file searched with a set of keys in every search mode (each kind of index chosen by
// the first character: kana, as-is, alphabet, their backward twins; the keyword index; the
// full text), then every hit's heading and text: the B-tree descent, the leaf scan of every layout and the hit list must stay bounded
// and inside the file whatever the pages say.
#include <cstring>
#include <string>

#include "BookRun.h"
#include "FuzzTargets.h"

namespace fuzz {

namespace {

// JIS X 0208 keys as the viewer builds them; the full-width asterisk 0x2176 selects the mode.
const char* const kKeys[] = {
    "\x24\x2C\x24\x43\x24\x33\x24\x26",          // がっこう
    "\x24\x2C\x24\x43\x21\x76",                  // がっ＊
    "\x21\x76\x24\x33\x24\x26",                  // ＊こう
    "\x25\x2B\x21\x3C\x25\x49",                  // カード
    "\x23\x43\x23\x61\x23\x72\x23\x64",          // Ｃａｒｄ
    "\x21\x76\x23\x44",                          // ＊Ｄ
    "\x33\x58\x39\x3B",                          // 学校
    "\x33\x58\x21\x76",                          // 学＊
    "\x23\x31\x23\x32",                          // １２
    "\x21\x3C",                                  // ー
    "\x23\x41",                                  // Ａ
    "\x24\x22\x21\x76",                          // あ＊
    "\x21\x76\x24\x22",                          // ＊あ
};

constexpr size_t kHitsRead = 40;

}  // namespace

int FuzzSearch(const uint8_t* data, size_t size) {
  dunmoor::Library lib;
  Bytes text(data, data + size);
  if (!OpenTextBook(&lib, text)) return 0;
  for (const char* typed : kKeys) {
    char key[256] = {};
    std::strcpy(key, typed);
    WordProperties properties{-7, 0};
    int32_t found = lib.GetWordProperties(key, &properties);
    FUZZ_CHECK(found == 1 || found == -2 || found == -1);
    FUZZ_CHECK(std::strlen(key) <= std::strlen(typed));  // normalised in place, never longer
    if (found != 1) continue;
    // Every hit is a distinct entry of the file: no more hits than the leaf pages could hold.
    FUZZ_CHECK(properties.hitCount >= 1 && static_cast<uint64_t>(properties.hitCount) <= size / 4);
    FUZZ_CHECK(properties.itemSize == kDunmoorHeadingSize);
    for (int32_t i = 0; i < properties.hitCount && i < static_cast<int32_t>(kHitsRead); ++i) {
      GuardedBuffer heading(kDunmoorHeadingSize);
      WordItem item{};
      item.text = heading.Data();
      int32_t got = lib.GetWordItem(i, &item);
      heading.Check();
      FUZZ_CHECK(got == 1 || got == -1);
      if (got == 1) FUZZ_CHECK(std::memchr(heading.Data(), 0, kDunmoorHeadingSize) != nullptr);

      GuardedBuffer entry(1024);
      uint32_t length = 0;
      int32_t at = lib.Text().GetWordCont(i, entry.Data(), entry.Size(), &length);
      entry.Check();
      CheckRawResult(at, length, entry.Size(), false);
      if (at >= 0 && length > 0) FUZZ_CHECK(static_cast<uint64_t>(at) + length <= size);  // past the end: 0 bytes

      ReadWholeEntry([&](char* b, uint32_t n, uint32_t* l) { return lib.Text().GetWordContent(i, b, n, l); }, 512, size,
                     false);
    }
    FUZZ_CHECK(lib.GetWordItem(properties.hitCount, nullptr) == -2);
    uint32_t length = 0;
    char byte;
    FUZZ_CHECK(lib.Text().GetWordCont(properties.hitCount, &byte, 1, &length) == -2);
  }
  // Keyword search of the keyword index (0x80), and full-text scans of whatever the text area
  // descriptor (0x00) names: every hit within the file, every match inside it.
  for (const char* typed : {"\x23\x43\x23\x41", "\x23\x43\x21\x21\x23\x54", "\x24\x22\x21\x76"}) {
    char key[64] = {};
    std::strcpy(key, typed);
    WordProperties properties{};
    int32_t found = lib.SearchKeywords(key, &properties);
    FUZZ_CHECK(found == 1 || found == -2 || found == -1);
    if (found == 1) FUZZ_CHECK(properties.hitCount >= 1 && static_cast<uint64_t>(properties.hitCount) <= size / 4);
  }
  for (const char* typed : {"\x24\x22", "\x23\x61\x23\x62", "\x33\x58"}) {
    FUZZ_CHECK(lib.BeginFullText(typed) == 1);
    WordProperties properties{};
    int32_t step = 0;
    for (size_t calls = 0; step == 0; ++calls) {
      FUZZ_CHECK(calls <= size / dunmoor::kFullTextPiece + 2);
      step = lib.NextFullText(&properties);
    }
    FUZZ_CHECK(step == 1 || step == -1);
    const auto& hits = lib.Book()->Hits();
    FUZZ_CHECK(static_cast<size_t>(properties.hitCount) == hits.size());
    for (int32_t i = 0; i < properties.hitCount; ++i) {
      uint32_t at = 0, length = 0;
      FUZZ_CHECK(lib.GetHitMatch(i, &at, &length) == 1);
      FUZZ_CHECK(uint64_t{at} + length <= size && hits[static_cast<size_t>(i)].textPosition <= at);
    }
    for (int32_t i = 0; i < properties.hitCount && i < static_cast<int32_t>(kHitsRead); ++i) {
      GuardedBuffer heading(kDunmoorHeadingSize);
      WordItem item{};
      item.text = heading.Data();
      FUZZ_CHECK(lib.GetWordItem(i, &item) != -2);
      heading.Check();
    }
  }
  lib.BooksClose();
  return 0;
}

}  // namespace fuzz
