// A book's character map: the Unicode text of its external characters. Many books ship one
// beside the catalog or in the book's folder, named after the book directory (JISYO.map), one
// character a line: "hA121<TAB>u00E9" for the narrow character A121, "zB121<TAB>u2776" for the
// wide character B121 (several code points: u0041,u0301 or u0041+u0301).
#ifndef BOOKTEXT_GAIJIMAP_H
#define BOOKTEXT_GAIJIMAP_H

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace booktext {

class GaijiMap {
 public:
  // The map of the text of a map file. A line that does not read as above is skipped.
  static GaijiMap Parse(std::string_view text);

  // The character as UTF-8; empty when the map has none for the code (in that width).
  std::string Lookup(uint16_t code, bool narrow) const;
  bool Empty() const { return characters.empty(); }
  // Calls visit(code, narrow, utf8) for every character of the map.
  template <typename Visit>
  void ForEach(Visit visit) const {
    for (const auto& [key, utf8] : characters) visit(static_cast<uint16_t>(key), (key >> 16) != 0, utf8);
  }

 private:
  std::map<uint32_t, std::string> characters;  // (narrow << 16 | code) -> UTF-8
};

}  // namespace booktext

#endif  // BOOKTEXT_GAIJIMAP_H
