#include "DiscImage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "BookBuild.h"

namespace bookbuild {
namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

uint32_t Be(const Bytes& b, size_t at, int n) {
  uint32_t v = 0;
  for (int i = 0; i < n; ++i) v = v << 8 | b.at(at + i);
  return v;
}

// Position of the first occurrence of `pattern` at or after `from`.
size_t Find(const Bytes& b, const Bytes& pattern, size_t from = 0) {
  return static_cast<size_t>(std::search(b.begin() + static_cast<long>(from), b.end(), pattern.begin(), pattern.end()) - b.begin());
}

Bytes Bcd(uint32_t position) {
  Bytes out;
  PutBcdPosition(&out, position);
  return out;
}

// The example source that uses every directive and tag.
class ExampleBookTest : public ::testing::Test {
 protected:
  void SetUp() override {
    source_ = ReadFile(std::string(BOOKBUILD_TESTDATA) + "/every-directive.book");
    ASSERT_FALSE(source_.empty());
    DiscDef disc;
    BuildStatus status = ParseBookSource(source_, &disc);
    ASSERT_TRUE(status.ok) << status.message;
    status = MakeDisc(disc, &image_, &map_);
    ASSERT_TRUE(status.ok) << status.message;
    text_ = *image_.Find("sample/DATA/HONMON");
    book_ = map_.Book("sample");
    ASSERT_NE(book_, nullptr);
  }
  std::string source_;
  DiscImage image_;
  LayoutMap map_;
  Bytes text_;
  const BookLayout* book_ = nullptr;
};

TEST_F(ExampleBookTest, CatalogEntry) {
  const Bytes& catalog = *image_.Find("CATALOGS");
  ASSERT_EQ(catalog.size(), 16u + 164u);
  EXPECT_EQ(Be(catalog, 0, 2), 1u);
  EXPECT_EQ(Be(catalog, 2, 2), 2u);  // catalog-version
  const size_t e = 16;
  EXPECT_EQ(catalog[e], 0x00);
  EXPECT_EQ(Be(catalog, e + 2, 2), 0x4F42u);  // 和
  EXPECT_EQ(Be(catalog, e + 2 + 2 * 9, 2), 0x2354u);  // "Ｔ" after 8 characters and a space
  EXPECT_EQ(catalog[e + 81], 0);
  EXPECT_EQ(std::string(catalog.begin() + e + 82, catalog.begin() + e + 90), "sample  ");
  EXPECT_EQ(std::string(catalog.begin() + e + 100, catalog.begin() + e + 108), "GA16FULL");
  EXPECT_EQ(std::string(catalog.begin() + e + 132, catalog.begin() + e + 140), "GA16HALF");
}

TEST_F(ExampleBookTest, DescriptorTable) {
  ASSERT_EQ(Be(text_, 0, 2), 7u);
  const uint8_t ids[] = {0x90, 0x91, 0x92, 0x70, 0x71, 0x05, 0x01};
  for (size_t i = 0; i < 7; ++i) EXPECT_EQ(text_[16 + 16 * i], ids[i]) << i;
  EXPECT_EQ(Be(text_, 16 + 2, 4), book_->Index("kana")->startPage);
  EXPECT_EQ(text_[16 + 32 + 10], 1);  // alpha: available=1
  EXPECT_EQ(text_[16 + 64 + 15], 3);  // rawkeys: convert=3
  EXPECT_EQ(Be(text_, 16 + 80 + 2, 4), 3u);  // raw descriptor page=3
  EXPECT_EQ(Be(text_, 16 + 96 + 2, 4), *book_->menu / 2048 + 1);
  EXPECT_EQ(*book_->menu % 2048, 0u);
  EXPECT_EQ(book_->Index("back")->NodeLevels(), 1u);  // per-page=2 splits its two groups
}

TEST_F(ExampleBookTest, TextAreaAndPositions) {
  EXPECT_EQ(text_[2048], 0x1F);
  EXPECT_EQ(text_[2049], 0x02);
  uint32_t gakkou = book_->entryText.at("gakkou"), card = book_->entryText.at("card");
  EXPECT_EQ(gakkou, 2050u);
  EXPECT_EQ(Be(text_, gakkou, 4), 0x1F090001u);
  EXPECT_EQ(Be(text_, card, 4), 0x1F090001u);  // every entry begins at indent 1
  EXPECT_EQ(Be(text_, card + 4, 4), 0x1F410200u);
  EXPECT_EQ(Be(text_, book_->entryHeading.at("gakkou"), 2), 0x242Cu);  // が: the first <kw> text
  // references carry the target's BCD position after their end code
  EXPECT_LT(Find(text_, Bytes{0x1F, 0x62, 0, 0, 0, 2, 0x05, 0x14}), text_.size());  // card at 2562
  EXPECT_EQ(card, 2562u);
  Bytes menuRef = {0x1F, 0x63};
  Bytes menuPos = Bcd(*book_->menu);
  menuRef.insert(menuRef.end(), menuPos.begin(), menuPos.end());
  EXPECT_LT(Find(text_, menuRef), text_.size());
  // the menu refers to the entries
  Bytes toGakkou = {0x1F, 0x62};
  Bytes gakkouPos = Bcd(gakkou);
  toGakkou.insert(toGakkou.end(), gakkouPos.begin(), gakkouPos.end());
  EXPECT_EQ(Find(text_, toGakkou, *book_->menu) - *book_->menu, 16u);
}

TEST_F(ExampleBookTest, PicturesAndSounds) {
  const DataLayout& box = book_->pictures.at("box");
  EXPECT_EQ(box.size, 6u);  // 16 x 3 pixels
  EXPECT_EQ(Be(text_, box.position, 2), 0xFF00u);
  EXPECT_EQ(Be(text_, box.position + 2, 2), 0x8100u);
  size_t mono = Find(text_, Bytes{0x1F, 0x44, 0, 0, 0, 0, 0, 0x03, 0, 0, 0, 0x16});
  ASSERT_LT(mono, text_.size());
  size_t monoEnd = Find(text_, Bytes{0x1F, 0x64}, mono);
  EXPECT_EQ(Bytes(text_.begin() + monoEnd + 2, text_.begin() + monoEnd + 8), Bcd(box.position));

  const DataLayout& flag = book_->pictures.at("flag");
  EXPECT_EQ(Bytes(text_.begin() + flag.position, text_.begin() + flag.position + 4), (Bytes{'d', 'a', 't', 'a'}));
  uint32_t bmpSize = text_[flag.position + 4] | text_[flag.position + 5] << 8;
  EXPECT_EQ(bmpSize, flag.size - 8);
  EXPECT_EQ(text_[flag.position + 8], 'B');
  EXPECT_EQ(text_[flag.position + 9], 'M');
  EXPECT_EQ(bmpSize, 14u + 40u + 3u * 4u + 2u * 8u);  // 6-pixel rows padded to 8 bytes
  size_t color = Find(text_, Bytes{0x1F, 0x4D});
  EXPECT_EQ(Bytes(text_.begin() + color + 14, text_.begin() + color + 20), Bcd(flag.position));

  const DataLayout& beep = book_->sounds.at("beep");
  EXPECT_EQ(Bytes(text_.begin() + beep.position, text_.begin() + beep.position + 4), (Bytes{'f', 'm', 't', ' '}));
  EXPECT_EQ(beep.size, 24u + 8u + 1102u);  // 100 ms at 11025 Hz
  size_t sound = Find(text_, Bytes{0x1F, 0x4A, 0x00, 0x01});
  EXPECT_EQ(Bytes(text_.begin() + sound + 6, text_.begin() + sound + 12), Bcd(beep.position));
  EXPECT_EQ(Bytes(text_.begin() + sound + 12, text_.begin() + sound + 18), Bcd(beep.position + beep.size));
  EXPECT_EQ(book_->sounds.at("raw16").size, 1102u * 4u);  // samples only, 16 bits, 2 channels
}

TEST_F(ExampleBookTest, PatchAndTruncate) {
  EXPECT_EQ(Be(text_, 0x7FE, 2), 0x1F03u);
  EXPECT_EQ(image_.Find("sample/GAIJI/GA48HALF")->size(), 2048u);
  EXPECT_EQ(image_.Find("sample/GAIJI/GA16FULL")->size(), 3072u);
}

TEST_F(ExampleBookTest, WritesTheDiscAndTheMap) {
  std::string dir = ::testing::TempDir() + "bookbuild_example";
  std::filesystem::remove_all(dir);
  LayoutMap map;
  BuildStatus status = BuildDisc(source_, dir, &map);
  ASSERT_TRUE(status.ok) << status.message;
  std::string written = ReadFile(dir + "/sample/DATA/HONMON");
  EXPECT_EQ(Bytes(written.begin(), written.end()), text_);
  EXPECT_EQ(ReadFile(dir + "/CATALOGS").size(), 180u);
  EXPECT_NE(map.ToText().find("entry gakkou text 2050"), std::string::npos);
  std::filesystem::remove_all(dir);

  // a source with an error writes nothing
  status = BuildDisc(source_ + "\nbogus\n", dir, &map);
  EXPECT_FALSE(status.ok);
  EXPECT_FALSE(std::filesystem::exists(dir));
}

}  // namespace
}  // namespace bookbuild
