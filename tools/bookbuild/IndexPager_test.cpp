#include "IndexPager.h"

#include <gtest/gtest.h>

#include "BuildError.h"
#include "MarkupEncoder.h"

namespace bookbuild {
namespace {

std::vector<KeyedWord> Words(std::initializer_list<const char*> words) {
  std::vector<KeyedWord> out;
  uint32_t position = 0x1000;
  for (const char* w : words) out.push_back({WordToJis(w, 1), 1, position += 0x10, 0x2002});
  return out;
}

Bytes PageBytes(const IndexPages& pages, uint32_t page, size_t from, size_t n) {
  size_t at = (page - pages.startPage) * kBlockSize + from;
  return Bytes(pages.pages.begin() + at, pages.pages.begin() + at + n);
}

TEST(IndexPager, FixedAndVariableLeafEntries) {
  IndexDef def;
  def.layout = LeafLayout::kFixed;
  def.fixedLength = 6;
  IndexPages fixed = IndexPager(def).Build(Words({"い", "あ"}), 9);
  ASSERT_EQ(fixed.pages.size(), kBlockSize);
  EXPECT_EQ(fixed.levels, (std::vector<std::pair<uint32_t, uint32_t>>{{9, 9}}));
  EXPECT_EQ(PageBytes(fixed, 9, 0, 4 + 18),
            (Bytes{0xA0, 6, 0, 2, 0x24, 0x22, 0, 0, 0, 0, 0, 0, 0, 3, 0, 0x20, 0, 0, 0, 5, 0, 2}));
  def.layout = LeafLayout::kVariable;
  IndexPages variable = IndexPager(def).Build(Words({"あい"}), 9);
  EXPECT_EQ(PageBytes(variable, 9, 0, 4 + 17),
            (Bytes{0xA0, 0, 0, 1, 4, 0x24, 0x22, 0x24, 0x24, 0, 0, 0, 3, 0, 0x10, 0, 0, 0, 5, 0, 2}));
  def.layout = LeafLayout::kFixed;
  def.fixedLength = 2;
  EXPECT_THROW(IndexPager(def).Build(Words({"あい"}), 9), BuildError);
}

TEST(IndexPager, GroupsHoldTheNormalFormAndTheWrittenForms) {
  IndexDef def;
  def.id = 0x90;
  def.layout = LeafLayout::kGroup;
  IndexPages pages = IndexPager(def).Build(Words({"がっこう", "かつこう", "あ"}), 3);
  EXPECT_EQ(PageBytes(pages, 3, 0, 4), (Bytes{0xB0, 0, 0, 4}));
  // single あ, then the group かつこう with its two members in source order
  EXPECT_EQ(PageBytes(pages, 3, 4, 16), (Bytes{0x00, 2, 0x24, 0x22, 0, 0, 0, 3, 0, 0x30, 0, 0, 0, 5, 0, 2}));
  EXPECT_EQ(PageBytes(pages, 3, 20, 12), (Bytes{0x80, 8, 0, 0, 0x24, 0x2B, 0x24, 0x44, 0x24, 0x33, 0x24, 0x26}));
  EXPECT_EQ(PageBytes(pages, 3, 32, 10), (Bytes{0xC0, 8, 0x24, 0x2C, 0x24, 0x43, 0x24, 0x33, 0x24, 0x26}));
  EXPECT_EQ(PageBytes(pages, 3, 54, 4), (Bytes{0xC0, 8, 0x24, 0x2B}));

  def.id = 0x70;  // backward: keys reversed
  IndexPages back = IndexPager(def).Build(Words({"あい"}), 3);
  EXPECT_EQ(PageBytes(back, 3, 4, 6), (Bytes{0x00, 4, 0x24, 0x24, 0x24, 0x22}));
}

TEST(IndexPager, ManyKeysMakeSeveralNodeLevels) {
  IndexDef def;
  def.layout = LeafLayout::kVariable;
  def.perPage = 3;
  std::vector<KeyedWord> words;
  for (int i = 0; i < 40; ++i) words.push_back({{static_cast<uint16_t>(0x3021 + i)}, 1, 2048u + i * 16, 4096});
  IndexPages pages = IndexPager(def).Build(words, 20);
  // 40 keys, 3 a page: 14 leaves, 5 + 2 + 1 node pages, top first
  ASSERT_EQ(pages.levels.size(), 4u);
  EXPECT_EQ(pages.levels[0], (std::pair<uint32_t, uint32_t>{20, 20}));
  EXPECT_EQ(pages.levels[1], (std::pair<uint32_t, uint32_t>{21, 22}));
  EXPECT_EQ(pages.levels[2], (std::pair<uint32_t, uint32_t>{23, 27}));
  EXPECT_EQ(pages.levels[3], (std::pair<uint32_t, uint32_t>{28, 41}));
  EXPECT_EQ(pages.pages.size(), 22u * kBlockSize);
  // the last page of each level carries 0x20, the others not
  for (const auto& [first, last] : pages.levels) {
    for (uint32_t p = first; p <= last; ++p) EXPECT_EQ(PageBytes(pages, p, 0, 1)[0] & 0x20, p == last ? 0x20 : 0) << p;
  }
  // node entries: greatest key of the child, child page number
  EXPECT_EQ(PageBytes(pages, 20, 0, 4 + 12), (Bytes{0x20, 2, 0, 2, 0x30, 0x3B, 0, 0, 0, 21, 0x30, 0x48, 0, 0, 0, 22}));
  EXPECT_EQ(PageBytes(pages, 23, 0, 4 + 6), (Bytes{0x00, 2, 0, 3, 0x30, 0x23, 0, 0, 0, 28}));
  EXPECT_EQ(PageBytes(pages, 27, 0, 4 + 6), (Bytes{0x20, 2, 0, 2, 0x30, 0x47, 0, 0, 0, 40}));
  EXPECT_EQ(PageBytes(pages, 41, 0, 4), (Bytes{0xA0, 0, 0, 1}));
  EXPECT_EQ(PageBytes(pages, 40, 0, 4), (Bytes{0x80, 0, 0, 3}));
}

TEST(IndexPager, EmptyIndexIsOneLastLeaf) {
  IndexDef def;
  def.layout = LeafLayout::kGroup;
  IndexPages pages = IndexPager(def).Build({}, 4);
  EXPECT_EQ(PageBytes(pages, 4, 0, 4), (Bytes{0xB0, 0, 0, 0}));
  EXPECT_THROW(IndexPager(def).Build(Words({"【】"}), 4), BuildError);  // nothing left to store
}

}  // namespace
}  // namespace bookbuild
