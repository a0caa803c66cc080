// Real books damaged in temporary copies, one kind of damage a test, each variant swept through
// every export (ExportSweep): no crash, no hang, no access outside a buffer (the sanitizer build
// runs the same), every result one that the export documents, and the exact result where the
// damage decides it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>

#include "DamagedDisc.h"
#include "ExportSweep.h"

namespace damaged {
namespace {

namespace fs = std::filesystem;

constexpr size_t kDescriptorTable = 16;  // the header; descriptors of 16 bytes follow

// The font slot that the first catalog entry names file in (entry bytes 100-163, eight 8-byte
// names in slot order), or -1.
int SlotOfFont(const Bytes& catalog, const fs::path& file) {
  std::string name = file.filename().string();
  for (int slot = 0; slot < 8; ++slot) {
    std::string field;
    for (size_t i = 0; i < 8; ++i) {
      size_t at = 16 + 100 + slot * 8 + i;
      if (at >= catalog.size() || catalog[at] == 0) break;
      field += static_cast<char>(catalog[at]);
    }
    if (!field.empty() && field.size() == name.size() &&
        std::equal(field.begin(), field.end(), name.begin(), [](char a, char b) { return std::tolower(a) == std::tolower(b); }))
      return slot;
  }
  return -1;
}

size_t DescriptorCount(const Bytes& text) { return text.size() >= 2 ? (text[0] << 8 | text[1]) : 0; }

// Runs the sweep and fails when one variant takes long: a loop bounded only by a huge count
// shows up here before it becomes a hang.
SweepResult TimedSweep(const DamagedDisc& disc, const std::string& what) {
  SCOPED_TRACE(what);
  auto begin = std::chrono::steady_clock::now();
  SweepResult result = SweepExports(disc.Root());
  auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
  EXPECT_LT(seconds, 2.0) << what << " took " << seconds << " s";
  return result;
}

class DamagedBooks : public ::testing::Test {
 protected:
  void SetUp() override {
    discs = TestDiscs();
    if (discs.empty()) GTEST_SKIP() << "no test books built";
  }
  std::vector<fs::path> discs;
};

TEST_F(DamagedBooks, UndamagedCopiesOpenAndSearch) {
  for (const fs::path& original : discs) {
    DamagedDisc disc(original);
    SweepResult r = TimedSweep(disc, original.string());
    EXPECT_EQ(r.openCatalog, 1);
    EXPECT_EQ(r.openBook, 1) << original;
    // The sweep reaches the readers behind a search: each book has words among its keys.
    EXPECT_GT(r.hitsRead, 0) << original;
  }
}

TEST_F(DamagedBooks, TextFileCutAtEveryPageBoundaryAndInsideTheDescriptorTable) {
  for (const fs::path& original : discs) {
    DamagedDisc disc(original);
    const Bytes& text = disc.OriginalText();
    const size_t table = kDescriptorTable + 16 * DescriptorCount(text);
    std::vector<size_t> cuts = {0, 1, 15, 16, 17, table - 1, table};
    for (size_t cut = 2048; cut < text.size(); cut += 2048) cuts.push_back(cut);
    for (size_t cut : cuts) {
      disc.Write(disc.Text(), Bytes(text.begin(), text.begin() + std::min(cut, text.size())));
      SweepResult r = TimedSweep(disc, original.filename().string() + " cut at " + std::to_string(cut));
      // A text file shorter than its header or its descriptor table is no book.
      EXPECT_EQ(r.openBook, cut >= table ? 1 : -1) << "cut at " << cut;
    }
  }
}

TEST_F(DamagedBooks, CatalogFieldsZeroedOrFlipped) {
  struct Field {
    const char* name;
    size_t offset;  // in the file
    size_t size;
  };
  const Field fields[] = {{"entry count", 0, 2},    {"book type", 16, 1},    {"title", 18, 80},
                          {"directory", 98, 8},     {"index page", 110, 2}, {"font names", 116, 64}};
  for (const fs::path& original : discs) {
    DamagedDisc disc(original);
    for (const Field& f : fields) {
      for (uint8_t fill : {uint8_t{0x00}, uint8_t{0xFF}}) {
        disc.Restore();
        disc.Patch(disc.Catalog(), f.offset, Bytes(f.size, fill));
        SweepResult r = TimedSweep(disc, original.filename().string() + " " + f.name);
        EXPECT_EQ(r.openCatalog, 1) << f.name;  // the header is there: the catalog reads
        std::string field = f.name;
        if (field == "entry count" && fill == 0) {
          EXPECT_EQ(r.books, -1);
          EXPECT_EQ(r.openBook, -1);
          EXPECT_EQ(r.isBook, -1);
        }
        if (field == "directory") {
          EXPECT_EQ(r.openBook, -1) << "a book in a directory that is not there";
        }
        if (field == "title" || field == "index page") {
          EXPECT_EQ(r.openBook, 1);
        }
      }
    }
    // A catalog cut inside its header is none; one cut inside its first entry lists no book.
    for (size_t cut : {size_t{0}, size_t{15}, size_t{16 + 100}}) {
      disc.Restore();
      disc.Truncate(disc.Catalog(), cut);
      SweepResult r = TimedSweep(disc, "catalog cut at " + std::to_string(cut));
      EXPECT_EQ(r.openCatalog, cut < 16 ? -1 : 1);
      EXPECT_EQ(r.openBook, -1);
      EXPECT_EQ(r.isBook, -1);
    }
  }
}

TEST_F(DamagedBooks, DescriptorFieldsZeroedOrFlipped) {
  for (const fs::path& original : discs) {
    DamagedDisc disc(original);
    const Bytes& text = disc.OriginalText();
    const size_t count = DescriptorCount(text);
    for (size_t d = 0; d < count && d < 12; ++d) {
      const size_t at = kDescriptorTable + d * 16;
      const std::pair<const char*, std::pair<size_t, Bytes>> damages[] = {
          {"identifier zeroed", {at, {0x00}}},
          {"start page 0", {at + 2, {0, 0, 0, 0}}},
          {"start page 1 (the table)", {at + 2, {0, 0, 0, 1}}},
          {"start page past the end", {at + 2, {0x00, 0xFF, 0xFF, 0xFF}}},
          {"start page at the top", {at + 2, {0xFF, 0xFF, 0xFF, 0xFF}}},
          {"availability flipped", {at + 10, {0xFE}}},
          {"style fields out of range", {at + 11, {0xFF, 0xFF, 0xFF}}},
          {"conversion switch", {at + 15, {0x03}}},
      };
      for (const auto& [name, damage] : damages) {
        disc.Restore();
        disc.Patch(disc.Text(), damage.first, damage.second);
        SweepResult r = TimedSweep(disc, original.filename().string() + " descriptor " + std::to_string(d) + " " + name);
        EXPECT_EQ(r.openBook, 1) << name;
        if (std::string(name) == "start page 0" && text[at] == 0x01) {
          EXPECT_EQ(r.menu, -2);
        }
      }
    }
    // More descriptors than the file holds: the table is cut by the end of the file.
    disc.Restore();
    disc.Patch(disc.Text(), 0, {0xFF, 0xFF});
    EXPECT_EQ(TimedSweep(disc, "descriptor count 0xFFFF").openBook, text.size() >= 16 + 16 * 0xFFFF ? 1 : -1);
  }
}

TEST_F(DamagedBooks, IndexPagesPointingBackOrPastTheEndOrOverflowingTheirPage) {
  for (const fs::path& original : discs) {
    DamagedDisc disc(original);
    const Bytes& text = disc.OriginalText();
    for (uint32_t page : IndexPages(text, 12)) {
      const size_t at = size_t{page - 1} * 2048;
      const bool leaf = text[at] & 0x80;
      std::vector<std::pair<std::string, std::pair<size_t, Bytes>>> damages = {
          {"entry count 0xFFFF", {at + 2, {0xFF, 0xFF}}},
          {"key length 0xFF", {at + 1, {0xFF}}},
          {"no last-page flag", {at, {static_cast<uint8_t>(text[at] & ~0x20)}}},
          {"flags zeroed", {at, {0x00}}},
          {"page of 0xFF", {at, Bytes(2048, 0xFF)}},
      };
      if (!leaf) {
        const size_t child = at + 4 + text[at + 1];
        const uint32_t self = page, past = static_cast<uint32_t>(text.size() / 2048 + 5);
        damages.push_back({"child is the page itself", {child, {uint8_t(self >> 24), uint8_t(self >> 16), uint8_t(self >> 8), uint8_t(self)}}});
        damages.push_back({"child is page 1", {child, {0, 0, 0, 1}}});
        damages.push_back({"child past the end", {child, {uint8_t(past >> 24), uint8_t(past >> 16), uint8_t(past >> 8), uint8_t(past)}}});
        damages.push_back({"child 0", {child, {0, 0, 0, 0}}});
      } else {
        damages.push_back({"group entry longer than its page", {at + 4, {0x80, 0xFF}}});
        damages.push_back({"group member longer than its page", {at + 4, {0xC0, 0xFF}}});
        damages.push_back({"unknown group kind", {at + 4, {0x40, 0x02}}});
      }
      for (const auto& [name, damage] : damages) {
        disc.Restore();
        disc.Patch(disc.Text(), damage.first, damage.second);
        SweepResult r = TimedSweep(disc, original.filename().string() + " page " + std::to_string(page) + " " + name);
        EXPECT_EQ(r.openBook, 1);
        // A child that leads back ends the descent as "not found"; the file itself reads
        // whole, so no search may fail as a read.
        if (name == "child is the page itself" || name == "child is page 1" || name == "child 0") {
          for (const auto& [key, result] : r.searches) EXPECT_NE(result, -1) << name << ", key " << key;
        }
      }
    }
  }
}

TEST_F(DamagedBooks, FontFilesCutInsideAGlyphOrWithAStrangeFirstCode) {
  for (const fs::path& original : discs) {
    DamagedDisc disc(original);
    if (disc.Fonts().empty()) continue;
    for (const fs::path& font : disc.Fonts()) {
      const Bytes whole = testfiles::ReadFile(font);
      // Inside the first glyph: the unit is incomplete, so no glyph of it is offered (-2).
      disc.Truncate(font, 2048 + 5);
      SweepResult r = TimedSweep(disc, font.filename().string() + " cut inside a glyph");
      ASSERT_EQ(r.openBook, 1);
      const int slot = SlotOfFont(disc.OriginalCatalog(), font);
      if (slot >= 0) {
        for (int32_t g : r.glyphs[slot]) EXPECT_EQ(g, -2) << "a glyph read from a cut unit, slot " << slot;
      }
      // Inside the header: the font is missing (-1) for its slot.
      disc.Truncate(font, 11);
      r = TimedSweep(disc, font.filename().string() + " cut inside the header");
      EXPECT_EQ(r.openBook, 1);
      if (slot >= 0) {
        for (int32_t g : r.glyphs[slot]) EXPECT_EQ(g, -1) << "a font without its first code, slot " << slot;
      }
      disc.Write(font, whole);
      disc.Patch(font, 10, {0xFF, 0xFF});
      r = TimedSweep(disc, font.filename().string() + " first code 0xFFFF");
      EXPECT_EQ(r.openBook, 1);
      disc.Write(font, whole);
    }
  }
}

// Graphic and sound codes whose sizes say more than the file holds: refused with -2 before
// anything is allocated for them.
TEST_F(DamagedBooks, GraphicAndSoundSizesBeyondTheFile) {
  for (const fs::path& original : discs) {
    DamagedDisc disc(original);
    const Bytes& text = disc.OriginalText();
    int damaged = 0;
    for (size_t at = 2048; at + 20 < text.size() && damaged < 12; ++at) {
      if (text[at] != 0x1F) continue;
      const uint8_t code = text[at + 1];
      if (code == 0x44) {
        disc.Restore();
        disc.Patch(disc.Text(), at + 4, {0x99, 0x99, 0x99, 0x99, 0x99, 0x99, 0x99, 0x99});
      } else if (code == 0x4A && (text[at + 3] & 0x0F) == 1) {
        disc.Restore();
        disc.Patch(disc.Text(), at + 12, {0x99, 0x99, 0x99, 0x99, 0x00, 0x00});
      } else if (code == 0x4D) {
        // The 8-byte header at the picture's data: bytes 4-7 its length, little-endian.
        uint32_t block = 0, offset = 0;
        for (int i = 0; i < 4; ++i) block = block * 100 + (text[at + 14 + i] >> 4) * 10 + (text[at + 14 + i] & 15);
        for (int i = 0; i < 2; ++i) offset = offset * 100 + (text[at + 18 + i] >> 4) * 10 + (text[at + 18 + i] & 15);
        size_t data = (size_t{block} - 1) * 2048 + offset;
        if (block == 0 || data + 8 > text.size()) continue;
        disc.Restore();
        disc.Patch(disc.Text(), data + 4, {0xF0, 0xFF, 0xFF, 0x7F});
      } else {
        continue;
      }
      ++damaged;
      SweepResult r = TimedSweep(disc, "code 1F " + std::to_string(code) + " at " + std::to_string(at));
      ASSERT_EQ(r.openBook, 1);
      bool refused = false;
      for (int32_t s : r.imageSizes) refused |= s == -2;
      for (int32_t s : r.pcmSizes) refused |= s == -2;
      EXPECT_TRUE(refused) << "the damaged code at " << at << " was not refused";
    }
  }
}

// Compressed text files (NAME.ebz): undamaged, every export gives what it gives on the plain
// book; cut, flipped or with a broken slice index, the book does not open or reads fail, and
// nothing else happens.
TEST(DamagedCompressedBooks, ReadAsThePlainBookUntilDamagedThenFailCleanly) {
  const auto pairs = CompressedTestDiscs();
  if (pairs.empty()) GTEST_SKIP() << "no compressed test books built";
  for (const auto& [plain, compressed] : pairs) {
    SweepResult want = TimedSweep(DamagedDisc(plain), plain.string());
    DamagedDisc disc(compressed);
    SweepResult got = TimedSweep(disc, compressed.string());
    ASSERT_EQ(got.openBook, 1) << compressed;
    EXPECT_EQ(got.menu, want.menu) << compressed;
    EXPECT_EQ(got.searches, want.searches) << compressed;
    EXPECT_EQ(got.hitsRead, want.hitsRead) << compressed;
    EXPECT_EQ(got.imageSizes, want.imageSizes) << compressed;
    EXPECT_EQ(got.pcmSizes, want.pcmSizes) << compressed;
    EXPECT_EQ(got.glyphs, want.glyphs) << compressed;

    const Bytes whole = disc.OriginalText();
    ASSERT_GT(whole.size(), 64u);
    const unsigned level = whole[5] & 0x0F;
    const uint64_t original = uint64_t{whole[12]} << 8 | whole[13] | uint64_t{whole[11]} << 16 | uint64_t{whole[10]} << 24;
    const size_t width = original < (1u << 16) ? 2 : original < (1u << 24) ? 3 : 4;
    std::vector<std::pair<std::string, Bytes>> variants;
    // Cut in the header, in the index and all through the slices.
    for (size_t cut : {size_t{0}, size_t{5}, size_t{21}, size_t{22}, size_t{23}, size_t{30}})
      variants.push_back({"cut at " + std::to_string(cut), Bytes(whole.begin(), whole.begin() + cut)});
    for (size_t cut = 64; cut < whole.size(); cut += std::max<size_t>(whole.size() / 24, 1))
      variants.push_back({"cut at " + std::to_string(cut), Bytes(whole.begin(), whole.begin() + cut)});
    // Header fields: level, mode, size.
    const std::pair<size_t, unsigned> fields[] = {{5, 0x16}, {5, 0x20}, {5, 0x10 | ((level + 1) % 6)},
                                                  {12, 0xFF}, {9, 0x01}, {13, whole[13] ^ 1u}};
    for (auto [at, value] : fields) {
      Bytes b = whole;
      b[at] = static_cast<uint8_t>(value);
      variants.emplace_back("header byte " + std::to_string(at), b);
    }
    // Index offsets zeroed, maximal, or each swapped with the next.
    for (size_t entry = 0; entry < 6 && 22 + (entry + 2) * width <= whole.size(); ++entry) {
      Bytes zero = whole, high = whole, swapped = whole;
      for (size_t i = 0; i < width; ++i) {
        zero[22 + entry * width + i] = 0;
        high[22 + entry * width + i] = 0xFF;
        std::swap(swapped[22 + entry * width + i], swapped[22 + (entry + 1) * width + i]);
      }
      variants.push_back({"offset " + std::to_string(entry) + " zero", zero});
      variants.push_back({"offset " + std::to_string(entry) + " maximal", high});
      variants.push_back({"offsets " + std::to_string(entry) + " swapped", swapped});
    }
    // Bytes of the slices flipped.
    for (size_t at = 64; at < whole.size(); at += std::max<size_t>(whole.size() / 16, 1)) {
      Bytes b = whole;
      b[at] ^= 0x5A;
      variants.push_back({"byte " + std::to_string(at) + " flipped", b});
    }
    for (const auto& [what, bytes] : variants) {
      disc.Write(disc.Text(), bytes);
      SweepResult r = TimedSweep(disc, compressed.filename().string() + ": " + what);
      EXPECT_TRUE(r.openBook == 1 || r.openBook == -1) << what;
    }
  }
}

}  // namespace
}  // namespace damaged
