// Full-text search: every entry whose text holds a word, found by scanning the book's text area
// (the pages of descriptor 0x00) in large pieces, with no index. A match lies within one line of
// one entry: a newline (1F 0A), the end of a text (1F 03) and the next entry's keyword code
// (1F 41 01) end it; every other control code is transparent, so a word is found through an
// emphasis, a reference or narrow text. Latin letters match whatever their case; an external
// character matches the JIS characters that the book's character map gives it, else nothing.
//
// Characters stand at even positions of the text area (every control code has an even length),
// so a piece is searched at its even offsets for the word's first character (and, for longer
// words, its second or a control code right after it); each such place is then matched in full.
// A hit is its entry: the position of the keyword code, less the indent codes just before it
// (where a word index points), and the keyword's text as its heading. One hit an entry.
#ifndef DUNMOOR_BOOKLIB_FULLTEXTSEARCH_H
#define DUNMOOR_BOOKLIB_FULLTEXTSEARCH_H

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "BookState.h"
#include "GaijiMap.h"
#include "KeyNormalizer.h"

namespace dunmoor {

constexpr size_t kMaxFullTextKeyBytes = 64;
constexpr uint32_t kFullTextPiece = 1u << 20;      // bytes read at a time
constexpr uint32_t kFullTextMaxBuffer = 16u << 20;  // an entry longer than this is cut

// The JIS characters each external character of a book stands for, from its character map.
class GaijiCharacters {
 public:
  GaijiCharacters() = default;
  explicit GaijiCharacters(const booktext::GaijiMap& map);
  // nullptr when the map gives the character nothing that JIS X 0208 can write.
  const JisChars* Find(uint16_t code, bool narrow) const;
  template <typename Visit>
  void ForEach(Visit visit) const {
    for (const auto& [key, chars] : characters) visit(chars);
  }

 private:
  std::unordered_map<uint32_t, JisChars> characters;  // (narrow << 16 | code) -> characters
};

// The word as the scan compares it: Latin letters folded to upper case, full-width spaces at
// either end taken off. Empty when nothing is left or the key is longer than
// kMaxFullTextKeyBytes.
JisChars FullTextWordOf(const JisChars& key);

// Finds the matches of a word in bytes of the text area, one at a time.
class TextMatcher {
 public:
  TextMatcher(JisChars word, const GaijiCharacters* gaiji);

  struct Found {
    size_t at;           // offset of the match
    size_t length;       // bytes it covers
  };
  // The first match at an even offset in [from, limit) of bytes[0, size) (limit <= size; a
  // match may run on past limit); false when there is none.
  bool FindNext(const uint8_t* bytes, size_t size, size_t from, size_t limit, Found* found) const;

 private:
  struct UnitClass {
    uint16_t codes[2] = {};
    int count = 0;
    bool gaiji = false;  // an external character may stand for it
  };
  bool IsCandidate(const uint8_t* p, size_t left) const;
  size_t FirstCandidate(const uint8_t* bytes, size_t from, size_t limit, size_t size) const;
  // The length of the match at bytes[at], or 0.
  size_t MatchAt(const uint8_t* bytes, size_t size, size_t at) const;

  JisChars word;
  const GaijiCharacters* gaiji;
  UnitClass first;
  UnitClass second;
  bool useSecond = false;
};

// One full-text search of an open book, run a piece at a time.
class FullTextScan {
 public:
  enum class Step { kGoesOn, kDone, kReadFailed };

  // Starts a scan of the book's text area for word (prepared by FullTextWordOf, not empty).
  void Begin(JisChars word, const GaijiCharacters* gaiji, BookState* book);
  bool Active() const { return active; }
  // The book's hits are this scan's (it began, and no other search has replaced them since).
  bool OwnsHits() const { return ownsHits; }
  // Stops reading; the hits found so far stay this scan's.
  void Stop();
  // Another search replaces the hits: stopped, and they are no longer this scan's.
  void Release() {
    Stop();
    ownsHits = false;
  }
  // Reads and searches the next piece, adding the hits to the book's hit list, each with its
  // first match. kReadFailed ends the scan (a failed disc check or read); the hits found so far
  // stay.
  Step Next(BookState* book);

 private:
  // Searches bytes [0, limit) of the buffer (the file from base), matches may run on to size.
  void SearchPiece(size_t limit, size_t size, BookState* book);
  // The keyword code of the entry that holds buffer offset at (a file position), false when
  // at lies outside every entry.
  bool EntryOf(size_t at, uint32_t* keyword);

  std::unique_ptr<TextMatcher> matcher;
  std::vector<uint8_t> buffer;
  size_t carried = 0;          // bytes at the front of the buffer kept from the last piece
  uint32_t base = 0;           // file position of buffer[0]
  uint32_t next = 0;           // file position of the next byte to read
  uint32_t areaEnd = 0;
  uint32_t skipUntil = 0;      // file position: the entry of the last hit ends here
  uint32_t lastKeyword = UINT32_MAX;  // of the last hit
  uint32_t openKeyword = UINT32_MAX;  // the keyword in force at buffer[0] (UINT32_MAX: none)
  bool active = false;
  bool ownsHits = false;
  struct {
    bool valid = false;
    size_t at = 0;  // the last offset asked about, in this buffer
    bool inEntry = false;
    uint32_t keyword = 0;
  } memo;
};

// The text area of a book: [*start, *end) of the text file. Descriptor 0x00 gives it; without
// one, it runs from page 2 to the first page of another descriptor after it (or the end).
void TextAreaOf(const std::vector<IndexDescriptor>& indexes, uint64_t fileSize, uint32_t* start, uint32_t* end);

}  // namespace dunmoor

#endif  // DUNMOOR_BOOKLIB_FULLTEXTSEARCH_H
