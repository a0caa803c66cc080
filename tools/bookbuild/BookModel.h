// What a book source describes, after parsing and before anything is laid out.
#ifndef DUNMOOR_TOOLS_BOOKBUILD_BOOKMODEL_H
#define DUNMOOR_TOOLS_BOOKBUILD_BOOKMODEL_H

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace bookbuild {

// One line of markup with its source line number (for messages).
struct TextLine {
  int line = 0;
  std::string text;
};

enum class LeafLayout { kVariable, kFixed, kGroup };

struct IndexDef {
  std::string name;
  int line = 0;
  uint8_t id = 0x91;
  LeafLayout layout = LeafLayout::kVariable;
  int fixedLength = 0;                  // layout=fixed:N, in bytes
  std::array<uint8_t, 12> style{};      // IndexStyle fields 1..12
  uint8_t available = 0;                // descriptor byte 10
  uint8_t convert = 0;                  // descriptor byte 15
  bool normalized = true;               // keys=normalized|raw
  bool hiraganaTwins = false;           // twins=yes|no: a katakana key is registered in hiragana too
  int perPage = 0;                      // per-page=N: most entries a page (0: as many as fit)
};

// A descriptor that is written as given (`descriptor` line).
struct RawDescriptor {
  uint8_t id = 0;
  uint32_t page = 0;
  uint32_t count = 0;
  uint8_t available = 0;
  std::array<uint8_t, 3> style{};
  uint8_t convert = 0;
};

// Descriptor table order: which definition the n-th descriptor comes from.
struct DescriptorSlot {
  enum Kind { kIndex, kRaw, kMenu, kTextArea } kind = kIndex;
  size_t which = 0;
};

struct KeyDef {
  int line = 0;
  std::string index;
  std::string word;  // UTF-8
};

struct EntryDef {
  std::string id;
  int line = 0;
  std::vector<KeyDef> keys;
  std::optional<TextLine> heading;
  std::vector<TextLine> text;
};

// Font slots in the order of the catalog's font-name block.
enum FontSlot { kWide16, kWide24, kWide30, kWide48, kNarrow16, kNarrow24, kNarrow30, kNarrow48 };
constexpr int kFontSlotCount = 8;

struct GlyphDef {
  int line = 0;
  std::vector<std::string> rows;  // '#' ink, '.' paper
};

struct FontDef {
  bool present = false;
  int line = 0;
  std::string file;
  uint16_t first = 0xA121;
  std::map<uint16_t, GlyphDef> glyphs;
};

struct PictureDef {
  std::string id;
  int line = 0;
  bool color = false;
  int width = 0;
  int height = 0;
  std::vector<uint8_t> pixels;    // row-major, top row first: ink 1/paper 0, or palette index
  std::vector<uint32_t> palette;  // 0xRRGGBB, colour pictures only
  std::vector<uint8_t> jpeg;      // a colour picture stored as this JPEG file (no pixels, no palette)
};

struct SoundDef {
  std::string id;
  int line = 0;
  uint32_t rate = 11025;
  int bits = 8;
  int channels = 1;
  uint32_t tone = 440;
  uint32_t ms = 300;
  bool raw = false;            // format=raw: samples only; format=wave: format chunk + data chunk
  std::optional<uint16_t> code;  // code=0xHHLL: bytes 4-5 of the sound code
};

struct BookDef {
  int line = 0;
  std::string dirName;
  uint8_t type = 0x00;
  std::string title;  // UTF-8
  int titleLine = 0;
  std::string diskDir;
  std::string dataDir = "DATA";
  std::string textFile = "HONMON";
  std::string gaijiDir = "GAIJI";
  std::vector<DescriptorSlot> descriptors;
  std::vector<IndexDef> indexes;
  std::vector<RawDescriptor> rawDescriptors;
  std::optional<std::vector<TextLine>> menu;
  int menuLine = 0;
  std::vector<EntryDef> entries;
  std::array<FontDef, kFontSlotCount> fonts;
  std::vector<PictureDef> pictures;
  std::vector<SoundDef> sounds;
  uint8_t entryIndent = 1;  // entry-indent N: each entry begins with 1F 09 00 N (0: no code)
};

// `patch` and `truncate`, applied in source order after everything is laid out.
struct FileEdit {
  int line = 0;
  std::string file;  // relative to the disc root, '/' separated
  bool truncate = false;
  uint32_t offset = 0;
  std::vector<uint8_t> bytes;
  uint32_t size = 0;
};

struct DiscDef {
  std::string catalogFile = "CATALOGS";
  uint16_t catalogVersion = 1;
  std::vector<BookDef> books;
  std::vector<FileEdit> edits;
};

}  // namespace bookbuild

#endif  // DUNMOOR_TOOLS_BOOKBUILD_BOOKMODEL_H
