#include "SourceParser.h"

#include <algorithm>
#include <cctype>
#include <set>

#include "BuildError.h"

namespace bookbuild {

namespace {

const char* const kSlotNames[kFontSlotCount] = {"wide16",   "wide24",   "wide30",   "wide48",
                                                "narrow16", "narrow24", "narrow30", "narrow48"};

std::string TrimLeft(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  return text.substr(i);
}

std::string Trim(const std::string& text) {
  std::string out = TrimLeft(text);
  while (!out.empty() && (out.back() == ' ' || out.back() == '\t')) out.pop_back();
  return out;
}

// Splits "word rest of line" after leading blanks.
void SplitFirst(const std::string& text, std::string* first, std::string* rest) {
  std::string t = TrimLeft(text);
  size_t space = t.find_first_of(" \t");
  *first = t.substr(0, space);
  *rest = space == std::string::npos ? "" : TrimLeft(t.substr(space));
}

int SlotByName(const std::string& name, int line) {
  for (int i = 0; i < kFontSlotCount; ++i) {
    if (name == kSlotNames[i]) return i;
  }
  throw BuildError(line, "unknown font slot '" + name + "' (wide16 ... narrow48)");
}

bool IsValidId(const std::string& id) {
  if (id.empty()) return false;
  return std::all_of(id.begin(), id.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-';
  });
}

void RequireId(const std::string& id, int line) {
  if (!IsValidId(id)) throw BuildError(line, "bad ID '" + id + "' (letters, digits, _ and -)");
}

// key=value options after the fixed words of a directive.
std::map<std::string, std::string> Options(const std::vector<std::string>& words, size_t from,
                                           int line, const std::set<std::string>& known) {
  std::map<std::string, std::string> out;
  for (size_t i = from; i < words.size(); ++i) {
    size_t eq = words[i].find('=');
    if (eq == std::string::npos) throw BuildError(line, "expected NAME=VALUE, got '" + words[i] + "'");
    std::string name = words[i].substr(0, eq);
    if (known.count(name) == 0) throw BuildError(line, "unknown option '" + name + "'");
    out[name] = words[i].substr(eq + 1);
  }
  return out;
}

std::array<uint8_t, 12> ParseStyle(const std::string& text, int line) {
  std::array<uint8_t, 12> style{};
  if (text.size() != 12) throw BuildError(line, "style needs 12 digits");
  for (int i = 0; i < 12; ++i) {
    if (text[i] < '0' || text[i] > '3') throw BuildError(line, "style digits are 0-3");
    style[i] = static_cast<uint8_t>(text[i] - '0');
  }
  return style;
}

void CheckDiskName(const std::string& name, int line, const char* what) {
  if (name.empty() || name.find_first_of("/\\") != std::string::npos || name == "." || name == "..")
    throw BuildError(line, std::string("bad ") + what + " '" + name + "'");
}

}  // namespace

std::vector<std::string> SplitWords(const std::string& text) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    size_t start = i;
    while (i < text.size() && text[i] != ' ' && text[i] != '\t') ++i;
    if (i > start) words.push_back(text.substr(start, i - start));
  }
  return words;
}

uint32_t ParseNumber(const std::string& text, int line, uint32_t max) {
  bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  std::string digits = hex ? text.substr(2) : text;
  if (digits.empty() || digits.size() > 10) throw BuildError(line, "bad number '" + text + "'");
  uint64_t value = 0;
  for (char c : digits) {
    int d;
    if (c >= '0' && c <= '9') d = c - '0';
    else if (hex && c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else if (hex && c >= 'A' && c <= 'F') d = c - 'A' + 10;
    else throw BuildError(line, "bad number '" + text + "'");
    value = value * (hex ? 16 : 10) + d;
  }
  if (value > max) throw BuildError(line, "number " + text + " is too large (most " + std::to_string(max) + ")");
  return static_cast<uint32_t>(value);
}

SourceParser::SourceParser(std::string_view source) {
  int number = 1;
  size_t start = 0;
  while (start <= source.size()) {
    size_t end = source.find('\n', start);
    if (end == std::string_view::npos) end = source.size();
    std::string text(source.substr(start, end - start));
    if (!text.empty() && text.back() == '\r') text.pop_back();
    if (!(end == source.size() && text.empty())) lines_.push_back({number, text});
    ++number;
    start = end + 1;
  }
}

bool SourceParser::NextDirective(Line* line) {
  while (next_ < lines_.size()) {
    const Line& l = lines_[next_++];
    std::string t = TrimLeft(l.text);
    if (t.empty() || t[0] == '#') continue;
    *line = {l.number, Trim(t)};
    return true;
  }
  return false;
}

std::vector<TextLine> SourceParser::ReadTextBlock(int startLine, const char* what) {
  std::vector<TextLine> out;
  while (next_ < lines_.size()) {
    const Line& l = lines_[next_++];
    if (Trim(l.text) == "end") return out;
    out.push_back({l.number, l.text});
  }
  throw BuildError(startLine, std::string(what) + " without its closing 'end'");
}

std::vector<std::string> SourceParser::ReadRowBlock(int startLine, const char* what,
                                                    std::string* paletteText) {
  std::vector<std::string> rows;
  while (next_ < lines_.size()) {
    const Line& l = lines_[next_++];
    std::string t = Trim(l.text);
    if (t == "end") return rows;
    if (t.empty()) continue;  // rows are '#' and '.', so '#' cannot start a comment here
    if (t.rfind("palette", 0) == 0 && paletteText != nullptr) {
      *paletteText += " " + t.substr(7);
      continue;
    }
    rows.push_back(t);
  }
  throw BuildError(startLine, std::string(what) + " without its closing 'end'");
}

DiscDef SourceParser::Parse() {
  DiscDef disc;
  Line line;
  while (NextDirective(&line)) ParseDirective(line, &disc);
  return disc;
}

void SourceParser::ParseDirective(const Line& line, DiscDef* disc) {
  std::string word, rest;
  SplitFirst(line.text, &word, &rest);
  std::vector<std::string> words = SplitWords(line.text);
  if (word == "catalog-file") {
    if (!disc->books.empty()) throw BuildError(line.number, "catalog-file must come before the first book");
    if (words.size() != 2) throw BuildError(line.number, "catalog-file NAME");
    CheckDiskName(words[1], line.number, "catalog file name");
    disc->catalogFile = words[1];
  } else if (word == "catalog-version") {
    if (!disc->books.empty()) throw BuildError(line.number, "catalog-version must come before the first book");
    if (words.size() != 2) throw BuildError(line.number, "catalog-version NUMBER");
    disc->catalogVersion = static_cast<uint16_t>(ParseNumber(words[1], line.number, 0xFFFF));
  } else if (word == "book") {
    if (words.size() != 2) throw BuildError(line.number, "book DIRNAME");
    if (words[1].size() > 8) throw BuildError(line.number, "directory name longer than 8 bytes");
    CheckDiskName(words[1], line.number, "directory name");
    BookDef book;
    book.line = line.number;
    book.dirName = words[1];
    book.diskDir = words[1];
    disc->books.push_back(book);
    entryIds_.clear();
  } else if (word == "patch" || word == "truncate") {
    FileEdit edit;
    edit.line = line.number;
    edit.truncate = word == "truncate";
    if (edit.truncate) {
      if (words.size() != 3) throw BuildError(line.number, "truncate FILE SIZE");
      edit.size = ParseNumber(words[2], line.number, 0xFFFFFFFF);
    } else {
      if (words.size() < 4) throw BuildError(line.number, "patch FILE OFFSET HEXBYTES");
      edit.offset = ParseNumber(words[2], line.number, 0xFFFFFFFF);
      std::string hex;
      for (size_t i = 3; i < words.size(); ++i) hex += words[i];
      if (hex.size() % 2 != 0) throw BuildError(line.number, "odd number of hex digits");
      for (size_t i = 0; i < hex.size(); i += 2)
        edit.bytes.push_back(static_cast<uint8_t>(ParseNumber("0x" + hex.substr(i, 2), line.number, 0xFF)));
    }
    edit.file = words[1];
    std::replace(edit.file.begin(), edit.file.end(), '\\', '/');
    disc->edits.push_back(edit);
  } else {
    if (disc->books.empty()) throw BuildError(line.number, "'" + word + "' outside a book (or unknown directive)");
    ParseBookDirective(word, rest, line, &disc->books.back());
  }
}

void SourceParser::ParseBookDirective(const std::string& word, const std::string& rest,
                                      const Line& line, BookDef* book) {
  std::vector<std::string> words = SplitWords(line.text);
  int n = line.number;
  if (word == "type") {
    if (words.size() != 2) throw BuildError(n, "type NUMBER");
    book->type = static_cast<uint8_t>(ParseNumber(words[1], n, 0xFF));
  } else if (word == "title") {
    book->title = rest;
    book->titleLine = n;
  } else if (word == "disk-dir" || word == "data-dir" || word == "text-file" || word == "gaiji-dir") {
    if (words.size() != 2) throw BuildError(n, word + " NAME");
    CheckDiskName(words[1], n, "name");
    std::string* target = word == "disk-dir" ? &book->diskDir
                          : word == "data-dir" ? &book->dataDir
                          : word == "text-file" ? &book->textFile
                                                : &book->gaijiDir;
    *target = words[1];
  } else if (word == "index") {
    ParseIndex(words, n, book);
  } else if (word == "entry-indent") {
    if (words.size() != 2) throw BuildError(n, "entry-indent N");
    book->entryIndent = static_cast<uint8_t>(ParseNumber(words[1], n, 0xFF));
  } else if (word == "text-area") {
    if (words.size() != 1) throw BuildError(n, "text-area takes nothing");
    book->descriptors.push_back({DescriptorSlot::kTextArea, 0});
  } else if (word == "descriptor") {
    auto opts = Options(words, 1, n, {"id", "page", "count", "available", "style", "convert"});
    if (opts.count("id") == 0) throw BuildError(n, "descriptor needs id=");
    RawDescriptor raw;
    raw.id = static_cast<uint8_t>(ParseNumber(opts["id"], n, 0xFF));
    if (opts.count("page")) raw.page = ParseNumber(opts["page"], n, 0xFFFFFFFF);
    if (opts.count("count")) raw.count = ParseNumber(opts["count"], n, 0xFFFFFFFF);
    if (opts.count("available")) raw.available = static_cast<uint8_t>(ParseNumber(opts["available"], n, 0xFF));
    if (opts.count("convert")) raw.convert = static_cast<uint8_t>(ParseNumber(opts["convert"], n, 0xFF));
    if (opts.count("style")) {
      auto fields = ParseStyle(opts["style"], n);
      for (int i = 0; i < 12; ++i) raw.style[i / 4] |= static_cast<uint8_t>(fields[i] << (6 - 2 * (i % 4)));
    }
    book->descriptors.push_back({DescriptorSlot::kRaw, book->rawDescriptors.size()});
    book->rawDescriptors.push_back(raw);
  } else if (word == "font") {
    if (words.size() < 3) throw BuildError(n, "font SLOT FILE [first=0xA121]");
    FontDef& font = book->fonts[SlotByName(words[1], n)];
    if (font.present) throw BuildError(n, "font slot " + words[1] + " given twice");
    if (words[2].size() > 8) throw BuildError(n, "font file name longer than 8 bytes");
    CheckDiskName(words[2], n, "font file name");
    auto opts = Options(words, 3, n, {"first"});
    font.present = true;
    font.line = n;
    font.file = words[2];
    if (opts.count("first")) font.first = static_cast<uint16_t>(ParseNumber(opts["first"], n, 0xFFFF));
    if ((font.first & 0xFF) < 0x21 || (font.first & 0xFF) > 0x7E || (font.first >> 8) < 0x21)
      throw BuildError(n, "first code needs a row of 0x21 or above and a column 0x21-0x7E");
  } else if (word == "glyph") {
    ParseGlyph(words, n, book);
  } else if (word == "picture") {
    ParsePicture(words, n, book);
  } else if (word == "sound") {
    ParseSound(words, n, book);
  } else if (word == "menu") {
    if (book->menu) throw BuildError(n, "a book has one menu");
    book->menuLine = n;
    book->descriptors.push_back({DescriptorSlot::kMenu, 0});
    book->menu = ReadTextBlock(n, "menu");
  } else if (word == "entry") {
    if (words.size() != 2) throw BuildError(n, "entry ID");
    RequireId(words[1], n);
    if (!entryIds_.insert(words[1]).second)
      throw BuildError(n, "entry " + words[1] + " defined twice");
    EntryDef entry;
    entry.id = words[1];
    entry.line = n;
    book->entries.push_back(entry);
  } else if (word == "key" || word == "heading" || word == "text") {
    if (book->entries.empty()) throw BuildError(n, word + " outside an entry");
    EntryDef& entry = book->entries.back();
    if (word == "key") {
      std::string index, keyWord;
      SplitFirst(rest, &index, &keyWord);
      if (index.empty() || keyWord.empty()) throw BuildError(n, "key INDEXNAME WORD");
      entry.keys.push_back({n, index, keyWord});
    } else if (word == "heading") {
      entry.heading = TextLine{n, rest};
    } else {
      if (words.size() != 1) throw BuildError(n, "text stands alone on its line");
      if (!entry.text.empty()) throw BuildError(n, "entry " + entry.id + " has its text already");
      entry.text = ReadTextBlock(n, "text");
    }
  } else {
    throw BuildError(n, "unknown directive '" + word + "'");
  }
}

void SourceParser::ParseIndex(const std::vector<std::string>& words, int n, BookDef* book) {
  if (words.size() < 2) throw BuildError(n, "index NAME id=0x90 ...");
  IndexDef index;
  index.name = words[1];
  index.line = n;
  for (const IndexDef& other : book->indexes)
    if (other.name == index.name) throw BuildError(n, "index " + index.name + " defined twice");
  auto opts = Options(words, 2, n, {"id", "layout", "style", "available", "convert", "keys", "per-page", "twins"});
  if (opts.count("id") == 0) throw BuildError(n, "index needs id=");
  index.id = static_cast<uint8_t>(ParseNumber(opts["id"], n, 0xFF));
  // Kana indexes list a katakana word in hiragana too, as real books do, unless told not to.
  index.hiraganaTwins = index.id == 0x90 || index.id == 0x70;
  if (opts.count("twins")) {
    if (opts["twins"] != "yes" && opts["twins"] != "no") throw BuildError(n, "twins is yes or no");
    index.hiraganaTwins = opts["twins"] == "yes";
  }
  if (opts.count("layout")) {
    const std::string& layout = opts["layout"];
    if (layout == "variable") {
      index.layout = LeafLayout::kVariable;
    } else if (layout == "group") {
      index.layout = LeafLayout::kGroup;
    } else if (layout.rfind("fixed:", 0) == 0) {
      index.layout = LeafLayout::kFixed;
      index.fixedLength = static_cast<int>(ParseNumber(layout.substr(6), n, 255));
      if (index.fixedLength < 2) throw BuildError(n, "fixed key length of at least 2 bytes");
    } else {
      throw BuildError(n, "layout is variable, fixed:N or group");
    }
  }
  if (opts.count("style")) index.style = ParseStyle(opts["style"], n);
  if (opts.count("available")) index.available = static_cast<uint8_t>(ParseNumber(opts["available"], n, 0xFF));
  if (opts.count("convert")) index.convert = static_cast<uint8_t>(ParseNumber(opts["convert"], n, 0xFF));
  if (opts.count("keys")) {
    if (opts["keys"] != "normalized" && opts["keys"] != "raw") throw BuildError(n, "keys is normalized or raw");
    index.normalized = opts["keys"] == "normalized";
  }
  if (opts.count("per-page")) {
    index.perPage = static_cast<int>(ParseNumber(opts["per-page"], n, 2000));
    if (index.perPage < 2) throw BuildError(n, "per-page of at least 2");
  }
  book->descriptors.push_back({DescriptorSlot::kIndex, book->indexes.size()});
  book->indexes.push_back(index);
}

void SourceParser::ParseGlyph(const std::vector<std::string>& words, int n, BookDef* book) {
  if (words.size() != 3) throw BuildError(n, "glyph SLOT CODE");
  FontDef& font = book->fonts[SlotByName(words[1], n)];
  if (!font.present) throw BuildError(n, "glyph before its 'font " + words[1] + "' line");
  uint16_t code = static_cast<uint16_t>(ParseNumber(words[2], n, 0xFFFF));
  if (font.glyphs.count(code)) throw BuildError(n, "glyph " + words[2] + " given twice");
  GlyphDef glyph;
  glyph.line = n;
  glyph.rows = ReadRowBlock(n, "glyph", nullptr);
  font.glyphs[code] = glyph;
}

void SourceParser::ParsePicture(const std::vector<std::string>& words, int n, BookDef* book) {
  if (words.size() != 3 || (words[2] != "mono" && words[2] != "color" && words[2] != "jpeg"))
    throw BuildError(n, "picture ID mono|color|jpeg");
  RequireId(words[1], n);
  for (const PictureDef& p : book->pictures)
    if (p.id == words[1]) throw BuildError(n, "picture " + words[1] + " defined twice");
  PictureDef picture;
  picture.id = words[1];
  picture.line = n;
  picture.color = words[2] != "mono";
  if (words[2] == "jpeg") {
    // The JPEG file itself, as rows of hexadecimal digits.
    for (const std::string& row : ReadRowBlock(n, "picture", nullptr)) {
      if (row.size() % 2 != 0 || row.find_first_not_of("0123456789ABCDEFabcdef") != std::string::npos)
        throw BuildError(n, "JPEG rows are pairs of hexadecimal digits");
      for (size_t i = 0; i < row.size(); i += 2)
        picture.jpeg.push_back(static_cast<uint8_t>(std::stoul(row.substr(i, 2), nullptr, 16)));
    }
    if (picture.jpeg.size() < 3 || picture.jpeg[0] != 0xFF || picture.jpeg[1] != 0xD8)
      throw BuildError(n, "a JPEG file begins with FF D8");
    book->pictures.push_back(picture);
    return;
  }
  std::string paletteText;
  std::vector<std::string> rows = ReadRowBlock(n, "picture", picture.color ? &paletteText : nullptr);
  if (rows.empty()) throw BuildError(n, "picture without rows");
  picture.width = static_cast<int>(rows[0].size());
  picture.height = static_cast<int>(rows.size());
  std::map<char, uint8_t> letters;
  if (picture.color) {
    for (const std::string& item : SplitWords(paletteText)) {
      if (item.size() != 9 || item[1] != '=' || item[2] != '#')
        throw BuildError(n, "palette entries are X=#RRGGBB, got '" + item + "'");
      if (letters.count(item[0])) throw BuildError(n, std::string("palette letter ") + item[0] + " given twice");
      if (picture.palette.size() == 256) throw BuildError(n, "more than 256 palette entries");
      letters[item[0]] = static_cast<uint8_t>(picture.palette.size());
      picture.palette.push_back(ParseNumber("0x" + item.substr(3), n, 0xFFFFFF));
    }
    if (picture.palette.empty()) throw BuildError(n, "colour picture without a palette line");
  } else if (picture.width % 8 != 0) {
    throw BuildError(n, "monochrome picture width must be a multiple of 8");
  }
  for (const std::string& row : rows) {
    if (static_cast<int>(row.size()) != picture.width) throw BuildError(n, "picture rows differ in width");
    for (char c : row) {
      if (picture.color) {
        auto it = letters.find(c);
        if (it == letters.end()) throw BuildError(n, std::string("letter '") + c + "' is not in the palette");
        picture.pixels.push_back(it->second);
      } else {
        if (c != '#' && c != '.') throw BuildError(n, "monochrome rows hold only '#' and '.'");
        picture.pixels.push_back(c == '#' ? 1 : 0);
      }
    }
  }
  book->pictures.push_back(picture);
}

void SourceParser::ParseSound(const std::vector<std::string>& words, int n, BookDef* book) {
  if (words.size() < 3 || words[2] != "pcm") throw BuildError(n, "sound ID pcm [rate= bits= channels= tone= ms=]");
  RequireId(words[1], n);
  for (const SoundDef& s : book->sounds)
    if (s.id == words[1]) throw BuildError(n, "sound " + words[1] + " defined twice");
  SoundDef sound;
  sound.id = words[1];
  sound.line = n;
  auto opts = Options(words, 3, n, {"rate", "bits", "channels", "tone", "ms", "format", "code"});
  if (opts.count("rate")) sound.rate = ParseNumber(opts["rate"], n, 192000);
  if (opts.count("bits")) sound.bits = static_cast<int>(ParseNumber(opts["bits"], n, 16));
  if (opts.count("channels")) sound.channels = static_cast<int>(ParseNumber(opts["channels"], n, 2));
  if (opts.count("tone")) sound.tone = ParseNumber(opts["tone"], n, 20000);
  if (opts.count("ms")) sound.ms = ParseNumber(opts["ms"], n, 60000);
  if (opts.count("code")) sound.code = static_cast<uint16_t>(ParseNumber(opts["code"], n, 0xFFFF));
  if (opts.count("format")) {
    if (opts["format"] != "wave" && opts["format"] != "raw") throw BuildError(n, "format is wave or raw");
    sound.raw = opts["format"] == "raw";
  }
  if (sound.bits != 8 && sound.bits != 16) throw BuildError(n, "bits is 8 or 16");
  if (sound.channels < 1) throw BuildError(n, "channels is 1 or 2");
  if (sound.rate < 1000) throw BuildError(n, "rate below 1000");
  book->sounds.push_back(sound);
}

}  // namespace bookbuild
