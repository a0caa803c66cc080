#include "EdictSource.h"

#include "JisText.h"

namespace bookbuild {

namespace {

// Whether every character of text is one a book holds (JIS X 0208, or ASCII).
bool Holdable(std::string_view text) {
  size_t at = 0;
  char32_t c = 0;
  while (booktext::NextUtf8(text, &at, &c))
    if (c < 0x20 || (c >= 0x7F && booktext::UnicodeToJis(c) == 0)) return false;
  return !text.empty();
}

// Whether a search key of text keeps something once normalised: a kana, kanji, letter or digit
// (the marks and symbols of JIS row 0x21 and row 0x22 are taken out of every key).
bool Searchable(std::string_view text) {
  size_t at = 0;
  char32_t c = 0;
  while (booktext::NextUtf8(text, &at, &c)) {
    if ((c >= U'0' && c <= U'9') || (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z')) return true;
    const uint16_t jis = booktext::UnicodeToJis(c);
    const int row = jis >> 8;
    if ((row >= 0x23 && row <= 0x27) || row >= 0x30 || (jis >= 0x2133 && jis <= 0x213A) || jis == 0x213C) return true;
  }
  return false;
}

// text for a markup line: what the markup would read as a tag escaped, what a book cannot hold "?".
std::string Markup(std::string_view text) {
  std::string out;
  size_t at = 0;
  char32_t c = 0;
  while (booktext::NextUtf8(text, &at, &c)) {
    if (c == U'<' || c == U'{' || c == U'\\') out += '\\';
    if (c < 0x20 || (c >= 0x7F && booktext::UnicodeToJis(c) == 0)) c = U'?';
    booktext::AppendUtf8(&out, c);
  }
  return out;
}

// The part of text from *at up to the next separator (or the end); *at moves past it. Whether
// there was a part left.
bool NextPart(std::string_view text, char separator, size_t* at, std::string_view* part) {
  if (*at >= text.size()) return false;
  size_t end = text.find(separator, *at);
  if (end == std::string_view::npos) end = text.size();
  *part = text.substr(*at, end - *at);
  *at = end + 1;
  return true;
}

}  // namespace

std::string EdictToBookSource(std::string_view edict, size_t* entries) {
  std::string source =
      "# Made from the EDRDG's edict file (Debian's edict package, CC BY-SA).\n"
      "book EDICT\n"
      "  title 和英辞典（ＥＤＩＣＴ）\n"
      "  index kana id=0x90 layout=variable style=100111111110\n"
      "  index asis id=0x91 layout=variable style=100111111110\n"
      "  text-area\n";
  *entries = 0;
  size_t start = 0;
  std::string_view line;
  while (NextPart(edict, '\n', &start, &line)) {
    // KANJI [KANA] /glosses/ or KANA /glosses/
    const size_t slash = line.find(" /");
    if (slash == std::string_view::npos || line.rfind("　？？？", 0) == 0) continue;
    std::string_view head = line.substr(0, slash);
    std::string_view glosses = line.substr(slash + 2);
    std::string_view written = head, reading = head;
    const size_t bracket = head.find(" [");
    if (bracket != std::string_view::npos && head.back() == ']') {
      written = head.substr(0, bracket);
      reading = head.substr(bracket + 2, head.size() - bracket - 3);
    }
    if (!Holdable(written) || !Holdable(reading) || !Searchable(written) || !Searchable(reading) ||
        written.find(' ') != std::string_view::npos ||
        reading.find(' ') != std::string_view::npos)
      continue;
    const std::string heading = written == reading ? std::string(reading) : std::string(reading) + "【" + std::string(written) + "】";
    source += "  entry e" + std::to_string(++*entries) + "\n";
    source += "    key kana " + std::string(reading) + "\n";
    if (written != reading) source += "    key asis " + std::string(written) + "\n";
    source += "    text\n<kw>" + Markup(heading) + "</kw>\n";
    size_t g = 0;
    std::string_view gloss;
    while (NextPart(glosses, '/', &g, &gloss)) {
      if (!gloss.empty() && gloss.rfind("EntL", 0) != 0) source += "<indent 2>" + Markup(gloss) + "\n";
    }
    source += "end\n";
  }
  return source;
}

}  // namespace bookbuild
