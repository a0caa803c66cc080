// resource_art: turns a picture kept as readable text into the icon, cursor or bitmap file
// that the resource compiler takes. Runs on the build machine (the cross build compiles it
// with the host's compiler), so it uses nothing but the standard library.
//
//   resource_art INPUT.txt OUTPUT [PERCENT]
//
// Input: lines of "key value" settings, then the line "art" and one text line per pixel row,
// top row first, one character per pixel. Lines starting with ';' are comments.
//   kind icon | cursor | bitmap
//   size W H                      (1..64 each)
//   hotspot X Y                   (cursors)
//   colour C RRGGBB | colour C clear   (C: the pixel's character)
//   clear RRGGBB                  (bitmaps: what clear pixels become; default FFFFE1)
//   depth 4                       (icons and bitmaps: 16 colours, from a palette of the art's)
//   sizes 100 [150 [200]]         (icons and cursors: the sizes the file holds; default all three)
// Icons and cursors are 32-bit with an AND mask (clear pixels are transparent); cursors are
// placed top-left on a 32 x 32 canvas, the size cursors are shown at. Bitmaps are 24-bit.
// With depth 4 the pixels are 4-bit indexes into the art's own colours (at most 16).
// Screens of 144 and 192 dots an inch: an icon or cursor file holds the art three times, as
// drawn, at 1.5 and at 2 times (PixelArtScale.h; unless its sizes say otherwise), and Windows
// picks the size it asks for; a bitmap is drawn at PERCENT (100, 150 or 200) of its size, each
// size a resource of its own.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "LittleEndian.h"
#include "PixelArtScale.h"

namespace {

constexpr int kCursorCanvas = 32;

struct Art {
  std::string kind;
  int width = 0, height = 0, hotX = 0, hotY = 0, depth = 0;
  int canvas = kCursorCanvas;  // a cursor's square
  std::vector<int> sizes = {100, 150, 200};  // percent, the images of an icon or cursor file
  uint32_t clearColour = 0xFFFFE1;
  std::map<char, int64_t> palette;  // -1 clear, else 0xRRGGBB
  std::vector<std::string> rows;
};

bool Fail(const std::string& message) {
  std::fprintf(stderr, "resource_art: %s\n", message.c_str());
  return false;
}

bool ParseColour(const std::string& text, uint32_t* rgb) {
  if (text.size() != 6 || text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) return false;
  *rgb = static_cast<uint32_t>(std::stoul(text, nullptr, 16));
  return true;
}

bool ColourTable(const Art& art, uint32_t clearRgb, std::vector<uint32_t>* table);

bool ReadArt(const char* path, Art* art) {
  std::ifstream in(path);
  if (!in) return Fail(std::string("cannot read ") + path);
  std::string line;
  bool inArt = false;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (inArt) {
      if (line.empty()) continue;
      art->rows.push_back(line);
      continue;
    }
    if (line.empty() || line[0] == ';') continue;
    std::istringstream words(line);
    std::string key;
    words >> key;
    if (key == "art") {
      inArt = true;
    } else if (key == "kind") {
      words >> art->kind;
    } else if (key == "size") {
      words >> art->width >> art->height;
    } else if (key == "depth") {
      words >> art->depth;
      if (art->depth != 4) return Fail("only depth 4 is known: " + line);
    } else if (key == "sizes") {
      art->sizes.clear();
      for (int percent = 0; words >> percent;) {
        if (!resgen::IsDrawnSize(percent)) return Fail("sizes are 100, 150 or 200: " + line);
        art->sizes.push_back(percent);
      }
      if (art->sizes.empty()) return Fail("no size: " + line);
    } else if (key == "hotspot") {
      words >> art->hotX >> art->hotY;
    } else if (key == "clear") {
      std::string value;
      words >> value;
      if (!ParseColour(value, &art->clearColour)) return Fail("bad colour: " + line);
    } else if (key == "colour") {
      std::string symbol, value;
      words >> symbol >> value;
      uint32_t rgb = 0;
      if (symbol.size() != 1) return Fail("bad palette line: " + line);
      if (value == "clear")
        art->palette[symbol[0]] = -1;
      else if (ParseColour(value, &rgb))
        art->palette[symbol[0]] = rgb;
      else
        return Fail("bad palette line: " + line);
    } else {
      return Fail("unknown setting: " + line);
    }
  }
  if (art->kind != "icon" && art->kind != "cursor" && art->kind != "bitmap") return Fail("unknown kind");
  if (art->width < 1 || art->width > 64 || art->height < 1 || art->height > 64) return Fail("bad size");
  if (static_cast<int>(art->rows.size()) != art->height) return Fail("row count differs from the height");
  for (const std::string& row : art->rows) {
    if (static_cast<int>(row.size()) != art->width) return Fail("row width differs from the width: " + row);
    for (char c : row)
      if (!art->palette.count(c)) return Fail(std::string("pixel without colour: ") + c);
  }
  if (art->depth == 4 && art->kind == "cursor") return Fail("cursors have no depth setting");
  std::vector<uint32_t> table;
  if (art->depth == 4 && !ColourTable(*art, art->kind == "icon" ? 0 : art->clearColour, &table))
    return Fail("more than 16 colours at depth 4");
  return true;
}

using media::Put16;
using media::Put32;

// BITMAPINFOHEADER.
void PutInfoHeader(std::vector<uint8_t>* out, int width, int height, int bits, uint32_t imageSize) {
  Put32(out, 40);
  Put32(out, static_cast<uint32_t>(width));
  Put32(out, static_cast<uint32_t>(height));
  Put16(out, 1);
  Put16(out, static_cast<uint32_t>(bits));
  Put32(out, 0);  // BI_RGB
  Put32(out, imageSize);
  Put32(out, 0), Put32(out, 0), Put32(out, 0), Put32(out, 0);
}

// The pixel at (x, y) of a canvas whose art sits at its top-left corner: -1 clear.
int64_t PixelAt(const Art& art, int x, int y) {
  if (x >= art.width || y >= art.height) return -1;
  return art.palette.at(art.rows[y][x]);
}

// The colour table of a 16-colour picture: every colour the art uses (clear as clearRgb),
// each once, padded to 16 entries. False when the art has more than 16 colours.
bool ColourTable(const Art& art, uint32_t clearRgb, std::vector<uint32_t>* table) {
  table->clear();
  for (const auto& entry : art.palette) {
    uint32_t rgb = entry.second < 0 ? clearRgb : static_cast<uint32_t>(entry.second);
    bool known = false;
    for (uint32_t t : *table) known = known || t == rgb;
    if (!known) table->push_back(rgb);
  }
  if (table->size() > 16) return false;
  table->resize(16, 0);
  return true;
}

uint8_t ColourIndex(const std::vector<uint32_t>& table, int64_t pixel, uint32_t clearRgb) {
  uint32_t rgb = pixel < 0 ? clearRgb : static_cast<uint32_t>(pixel);
  for (size_t i = 0; i < table.size(); ++i)
    if (table[i] == rgb) return static_cast<uint8_t>(i);
  return 0;
}

// The colour table and the 4-bit rows, bottom row first, each padded to 32 bits.
void PutIndexedPixels(std::vector<uint8_t>* out, const Art& art, const std::vector<uint32_t>& table,
                      uint32_t clearRgb) {
  for (uint32_t rgb : table) Put32(out, rgb & 0xFFFFFF);
  uint32_t stride = ((art.width * 4 + 31) / 32) * 4;
  for (int y = art.height - 1; y >= 0; --y) {
    std::vector<uint8_t> row(stride, 0);
    for (int x = 0; x < art.width; ++x)
      row[x / 2] |= static_cast<uint8_t>(ColourIndex(table, PixelAt(art, x, y), clearRgb) << (x % 2 ? 0 : 4));
    out->insert(out->end(), row.begin(), row.end());
  }
}

uint32_t IndexedImageSize(const Art& art) { return ((art.width * 4 + 31) / 32) * 4 * art.height; }

// The art at percent of its size: the pixels, the sizes, a cursor's canvas and hotspot.
Art Scaled(const Art& art, int percent) {
  Art scaled = art;
  scaled.rows = resgen::ScaledArt(art.rows, percent);
  scaled.width = resgen::ScaledSide(art.width, percent);
  scaled.height = resgen::ScaledSide(art.height, percent);
  scaled.canvas = resgen::ScaledSide(art.canvas, percent);
  scaled.hotX = art.hotX * percent / 100;
  scaled.hotY = art.hotY * percent / 100;
  return scaled;
}

// One image of an icon or cursor file (BITMAPINFOHEADER, pixels, mask) and its directory entry.
struct IconImage {
  std::vector<uint8_t> entry;  // 16 bytes, the offset still 0
  std::vector<uint8_t> bytes;
};

IconImage IconImageOf(const Art& art) {
  bool cursor = art.kind == "cursor";
  int side = cursor ? art.canvas : art.width;
  int height = cursor ? art.canvas : art.height;
  uint32_t maskStride = ((side + 31) / 32) * 4;
  IconImage image;
  std::vector<uint8_t>& out = image.bytes;
  if (art.depth == 4) {  // clear pixels are black under the mask
    std::vector<uint32_t> table;
    ColourTable(art, 0, &table);
    PutInfoHeader(&out, side, height * 2, 4, 0);
    PutIndexedPixels(&out, art, table, 0);
  } else {
    PutInfoHeader(&out, side, height * 2, 32, 0);  // height counts colour and mask
    for (int y = height - 1; y >= 0; --y)
      for (int x = 0; x < side; ++x) {
        int64_t p = PixelAt(art, x, y);
        uint32_t rgb = p < 0 ? 0 : static_cast<uint32_t>(p);
        out.push_back(static_cast<uint8_t>(rgb)), out.push_back(static_cast<uint8_t>(rgb >> 8));
        out.push_back(static_cast<uint8_t>(rgb >> 16)), out.push_back(p < 0 ? 0 : 0xFF);
      }
  }
  for (int y = height - 1; y >= 0; --y) {
    std::vector<uint8_t> mask(maskStride, 0);
    for (int x = 0; x < side; ++x)
      if (PixelAt(art, x, y) < 0) mask[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
    out.insert(out.end(), mask.begin(), mask.end());
  }
  std::vector<uint8_t>& entry = image.entry;
  entry.push_back(static_cast<uint8_t>(side));
  entry.push_back(static_cast<uint8_t>(height));
  entry.push_back(art.depth == 4 ? 16 : 0), entry.push_back(0);
  if (cursor) {
    Put16(&entry, static_cast<uint32_t>(art.hotX)), Put16(&entry, static_cast<uint32_t>(art.hotY));
  } else {
    Put16(&entry, 1), Put16(&entry, art.depth == 4 ? 4 : 32);  // planes, bits a pixel
  }
  Put32(&entry, static_cast<uint32_t>(out.size()));
  return image;
}

// An icon or cursor file with the art at each of its sizes (as drawn, at 1.5 and at 2 times).
std::vector<uint8_t> IconFile(const Art& art) {
  std::vector<IconImage> images;
  for (int percent : art.sizes) images.push_back(IconImageOf(Scaled(art, percent)));
  std::vector<uint8_t> out;
  Put16(&out, 0), Put16(&out, art.kind == "cursor" ? 2 : 1), Put16(&out, static_cast<uint32_t>(images.size()));
  uint32_t offset = static_cast<uint32_t>(6 + 16 * images.size());
  for (const IconImage& image : images) {
    out.insert(out.end(), image.entry.begin(), image.entry.end());
    Put32(&out, offset);
    offset += static_cast<uint32_t>(image.bytes.size());
  }
  for (const IconImage& image : images) out.insert(out.end(), image.bytes.begin(), image.bytes.end());
  return out;
}

std::vector<uint8_t> IndexedBitmapFile(const Art& art) {
  std::vector<uint32_t> table;
  ColourTable(art, art.clearColour, &table);
  uint32_t imageSize = IndexedImageSize(art);
  std::vector<uint8_t> out;
  out.push_back('B'), out.push_back('M');
  Put32(&out, 14 + 40 + 64 + imageSize);
  Put32(&out, 0);
  Put32(&out, 14 + 40 + 64);
  PutInfoHeader(&out, art.width, art.height, 4, imageSize);
  PutIndexedPixels(&out, art, table, art.clearColour);
  return out;
}

std::vector<uint8_t> BitmapFile(const Art& art) {
  if (art.depth == 4) return IndexedBitmapFile(art);
  uint32_t stride = ((art.width * 3 + 3) / 4) * 4;
  uint32_t imageSize = stride * art.height;
  std::vector<uint8_t> out;
  out.push_back('B'), out.push_back('M');
  Put32(&out, 14 + 40 + imageSize);
  Put32(&out, 0);
  Put32(&out, 14 + 40);
  PutInfoHeader(&out, art.width, art.height, 24, imageSize);
  for (int y = art.height - 1; y >= 0; --y) {
    for (int x = 0; x < art.width; ++x) {
      int64_t p = PixelAt(art, x, y);
      uint32_t rgb = p < 0 ? art.clearColour : static_cast<uint32_t>(p);
      out.push_back(static_cast<uint8_t>(rgb)), out.push_back(static_cast<uint8_t>(rgb >> 8));
      out.push_back(static_cast<uint8_t>(rgb >> 16));
    }
    for (uint32_t pad = art.width * 3; pad < stride; ++pad) out.push_back(0);
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  int percent = argc == 4 ? std::atoi(argv[3]) : 100;
  if ((argc != 3 && argc != 4) || !resgen::IsDrawnSize(percent)) {
    std::fprintf(stderr, "usage: resource_art INPUT.txt OUTPUT [100|150|200]\n");
    return 2;
  }
  Art art;
  if (!ReadArt(argv[1], &art)) {
    std::fprintf(stderr, "resource_art: in %s\n", argv[1]);
    return 1;
  }
  if (art.kind != "bitmap" && percent != 100) {
    std::fprintf(stderr, "resource_art: %s: an icon or cursor file holds every size\n", argv[1]);
    return 2;
  }
  std::vector<uint8_t> bytes = art.kind == "bitmap" ? BitmapFile(Scaled(art, percent)) : IconFile(art);
  std::ofstream out(argv[2], std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    std::fprintf(stderr, "resource_art: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
