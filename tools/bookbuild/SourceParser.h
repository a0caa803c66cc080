// Reads a `.book` source into a DiscDef. Throws BuildError naming the source line.
#ifndef DUNMOOR_TOOLS_BOOKBUILD_SOURCEPARSER_H
#define DUNMOOR_TOOLS_BOOKBUILD_SOURCEPARSER_H

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "BookModel.h"

namespace bookbuild {

class SourceParser {
 public:
  explicit SourceParser(std::string_view source);
  DiscDef Parse();

 private:
  struct Line {
    int number;
    std::string text;  // without the line break
  };

  bool NextDirective(Line* line);
  std::vector<TextLine> ReadTextBlock(int startLine, const char* what);
  std::vector<std::string> ReadRowBlock(int startLine, const char* what, std::string* paletteText);
  void ParseDirective(const Line& line, DiscDef* disc);
  void ParseBookDirective(const std::string& word, const std::string& rest, const Line& line,
                          BookDef* book);
  void ParseIndex(const std::vector<std::string>& words, int line, BookDef* book);
  void ParseGlyph(const std::vector<std::string>& words, int line, BookDef* book);
  void ParsePicture(const std::vector<std::string>& words, int line, BookDef* book);
  void ParseSound(const std::vector<std::string>& words, int line, BookDef* book);

  std::vector<Line> lines_;
  size_t next_ = 0;
  std::set<std::string> entryIds_;  // of the book being read
};

// Number in decimal or 0x-hex; throws BuildError on anything else or above `max`.
uint32_t ParseNumber(const std::string& text, int line, uint32_t max);
// Splits on blanks.
std::vector<std::string> SplitWords(const std::string& text);

}  // namespace bookbuild

#endif  // DUNMOOR_TOOLS_BOOKBUILD_SOURCEPARSER_H
