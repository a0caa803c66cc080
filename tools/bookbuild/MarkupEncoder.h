// Turns text markup (entry text, menu lines, headings) into the book's text bytes: JIS X 0208
// characters, external-character codes and 0x1F control codes. Positions of entries, the menu,
// pictures and sounds are not known yet while text is encoded: their fields are left zero and
// listed as fixups, which the book layout fills in.
#ifndef DUNMOOR_TOOLS_BOOKBUILD_MARKUPENCODER_H
#define DUNMOOR_TOOLS_BOOKBUILD_MARKUPENCODER_H

#include <string>
#include <vector>

#include "BookModel.h"
#include "Bytes.h"

namespace bookbuild {

struct Fixup {
  enum Kind {
    kTextPosition,  // BCD position (6 bytes) of entry `target`, or of the menu when target is "menu"
    kPictureData,   // BCD position of the data of picture `target`
    kSoundStart,    // BCD position of the first byte of sound `target`
    kSoundEnd,      // BCD position just after its last byte
  };
  Kind kind = kTextPosition;
  size_t at = 0;  // offset of the 6-byte field in the encoded bytes
  std::string target;
  int line = 0;
};

struct EncodedText {
  Bytes bytes;
  std::vector<Fixup> fixups;
  bool hasKeyword = false;
  Bytes keyword;  // what stands between the first keyword's start and end codes
  std::vector<Fixup> keywordFixups;
};

class MarkupEncoder {
 public:
  // The book is used to look up pictures (their size) and sounds (their format bytes).
  explicit MarkupEncoder(const BookDef& book) : book_(book) {}

  // Every line ends with the newline code unless it ends in '\' or lineBreaks is false.
  // Throws BuildError naming the offending line.
  EncodedText Encode(const std::vector<TextLine>& lines, bool lineBreaks = true);

 private:
  struct OpenTag {
    std::string name;
    int line;
  };
  struct State;

  void EncodeLine(const TextLine& line, bool lineBreak, State* state);
  void EncodeTag(const std::string& tag, int line, State* state);
  void CloseTag(const std::string& name, int line, State* state);
  void AddFixup(Fixup::Kind kind, const std::string& target, int line, State* state);

  const BookDef& book_;
};

// The full-width JIS X 0208 code of a printable ASCII character (0x20-0x7E).
uint16_t AsciiToJis(char c);

// A word of a `key` line as JIS X 0208 characters: ASCII becomes full-width, `{A121}` an
// external character. Throws BuildError for characters without a code.
std::vector<uint16_t> WordToJis(const std::string& word, int line);

}  // namespace bookbuild

#endif  // DUNMOOR_TOOLS_BOOKBUILD_MARKUPENCODER_H
