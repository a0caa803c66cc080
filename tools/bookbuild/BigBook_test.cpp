// The generated benchmark book: planted words have exactly their announced hit counts in the
// leaf pages written to the disc, the kana index has the
// root / node level / leaves shape of the full-size book, and generation is deterministic.
#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "BigBook.h"
#include "BookBuild.h"
#include "StoredKeys.h"
#include "MarkupEncoder.h"

namespace bookbuild {
namespace {

// Large enough for a node level between root and leaves, small enough for a quick test.
constexpr size_t kEntries = 12000;

struct Leaf {
  uint8_t kind = 0;  // group kinds; 0 in variable layout
  Bytes key;
  uint32_t text = 0;
};

struct Built {
  BigBook big;
  DiscImage image;
  LayoutMap map;

  const Bytes& TextFile() { return *image.Find(map.books.at(0).textFile); }

  // Every leaf record of an index, in page order.
  std::vector<Leaf> Leaves(const std::string& name) {
    const Bytes& file = TextFile();
    const IndexLayout* index = map.books.at(0).Index(name);
    std::vector<Leaf> out;
    for (uint32_t page = index->Leaves().first; page <= index->Leaves().second; ++page) {
      size_t at = (page - 1) * kBlockSize, end = at + kBlockSize;
      bool group = file.at(at) & 0x10;
      size_t count = file.at(at + 2) << 8 | file.at(at + 3);
      size_t p = at + 4;
      for (size_t i = 0; i < count; ++i) {
        Leaf leaf;
        if (group) leaf.kind = file.at(p++);
        size_t n = file.at(p++);
        if (leaf.kind == 0x80) p += 2;
        leaf.key.assign(file.begin() + p, file.begin() + p + n);
        p += n;
        if (leaf.kind != 0x80) {
          leaf.text = (file.at(p) << 24 | file.at(p + 1) << 16 | file.at(p + 2) << 8 | file.at(p + 3)) - 1;
          leaf.text = leaf.text * kBlockSize + (file.at(p + 4) << 8 | file.at(p + 5));
          p += 12;
        }
        EXPECT_LE(p, end) << "record beyond its page " << page;
        out.push_back(leaf);
      }
    }
    return out;
  }
};

std::unique_ptr<Built> Build(uint64_t seed, size_t entries = kEntries) {
  auto built = std::make_unique<Built>();
  BigBookOptions options;
  options.entries = entries;
  options.seed = seed;
  built->big = MakeBigBook(options);
  BuildStatus status = MakeDisc(built->big.disc, &built->image, &built->map);
  EXPECT_TRUE(status.ok) << status.message;
  return built;
}

Bytes KeyOf(const char* utf8, bool reversed = false) {
  JisString key = WordToJis(utf8, 0);
  return KeyBytes(reversed ? Reversed(key) : key);
}

bool StartsWith(const Bytes& s, const Bytes& prefix) {
  return s.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), s.begin());
}

class BigBookTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { gBuilt = Build(BigBookOptions().seed).release(); }
  static void TearDownTestSuite() {
    delete gBuilt;
    gBuilt = nullptr;
  }
  static Built* gBuilt;
};

Built* BigBookTest::gBuilt = nullptr;

TEST_F(BigBookTest, AnnouncesThePlantedWordsForTheCommandLine) {
  const auto& words = gBuilt->big.benchWords;
  ASSERT_EQ(words.size(), 6u);
  EXPECT_EQ(words[0].name + " " + words[0].word, "exact こうしょう");
  EXPECT_EQ(words[1].name + " " + words[1].word, "prefix しょう*");
  EXPECT_EQ(words[2].name + " " + words[2].word, "suffix *せい");
  EXPECT_EQ(words[0].expected, 10u);
  EXPECT_EQ(words[1].expected, kEntries / 100);
  EXPECT_EQ(words[2].expected, kEntries / 20);
  EXPECT_EQ(words[3].name + " " + words[3].word, "keyword persimmon");
  EXPECT_EQ(words[4].word, "persimmon,orchard");
  EXPECT_EQ(words[3].expected, 2 * ((kEntries + kPlantEvery - 2) / kPlantEvery));
  EXPECT_EQ(words[4].expected, words[3].expected / 2);
  EXPECT_GT(words[5].expected, 10u);  // entries with keys of two common beginnings
}

// What a search meets in the leaves: every record whose compared key matches the searched
// normal form must be a hit, so the counts do not depend on how strictly the typed key is
// checked; and each hit is a different entry.
TEST_F(BigBookTest, PlantedCountsHoldInTheLeafPages) {
  std::vector<Leaf> kana = gBuilt->Leaves("kana");
  const Bytes exact = KeyOf(kBenchExactWord), exactNormal = KeyOf("こうしよう");
  const Bytes prefix = KeyOf(kBenchPrefix), prefixNormal = KeyOf("しよう");
  size_t exactHits = 0, prefixHits = 0, exactHeadings = 0;
  std::set<uint32_t> texts;
  bool inExact = false, inPrefix = false;
  for (const Leaf& leaf : kana) {
    if (leaf.kind != 0xC0) {  // compared with the searched key
      inExact = leaf.key == exactNormal;
      inPrefix = StartsWith(leaf.key, prefixNormal);
      exactHeadings += inExact;
      if (leaf.kind == 0x80) continue;
    }
    if (inExact) EXPECT_EQ(leaf.key, exact) << "an exact-search member that is not a hit";
    if (inPrefix) EXPECT_TRUE(StartsWith(leaf.key, prefix)) << "a prefix-search member that is not a hit";
    exactHits += inExact && leaf.key == exact;
    prefixHits += inPrefix && StartsWith(leaf.key, prefix);
    if (inPrefix) texts.insert(leaf.text);
  }
  EXPECT_EQ(exactHeadings, 1u);
  EXPECT_EQ(exactHits, 10u);
  EXPECT_EQ(prefixHits, kEntries / 100);
  EXPECT_EQ(texts.size(), kEntries / 100);

  const Bytes suffix = KeyOf(kBenchSuffix, true);
  size_t suffixHits = 0;
  texts.clear();
  for (const Leaf& leaf : gBuilt->Leaves("back")) {
    if (!StartsWith(leaf.key, suffix)) continue;
    ++suffixHits;
    texts.insert(leaf.text);
  }
  EXPECT_EQ(suffixHits, kEntries / 20);
  EXPECT_EQ(texts.size(), kEntries / 20);
}

TEST_F(BigBookTest, KanaIndexHasRootNodeLevelAndLeaves) {
  const IndexLayout* kana = gBuilt->map.books.at(0).Index("kana");
  ASSERT_NE(kana, nullptr);
  ASSERT_EQ(kana->levels.size(), 3u);
  EXPECT_EQ(kana->levels[0].first, kana->levels[0].second);  // one root page
  EXPECT_GT(kana->levels[1].second, kana->levels[1].first);  // several node pages
  for (const char* name : {"asis", "alpha", "back"}) EXPECT_NE(gBuilt->map.books.at(0).Index(name), nullptr);
}

TEST_F(BigBookTest, EntriesHaveRealisticLength) {
  const BookLayout& book = gBuilt->map.books.at(0);
  uint32_t first = book.entryText.at("e000001"), last = book.entryText.at("e012000");
  double average = double(last - first) / (kEntries - 1);
  EXPECT_GT(average, 120.0);
  EXPECT_LT(average, 180.0);
  EXPECT_EQ(book.entryHeading.size(), kEntries);
}

TEST_F(BigBookTest, SameSeedSameBytesOtherSeedOtherBook) {
  std::unique_ptr<Built> again = Build(BigBookOptions().seed);
  ASSERT_EQ(again->image.files.size(), gBuilt->image.files.size());
  for (size_t i = 0; i < again->image.files.size(); ++i) {
    EXPECT_EQ(again->image.files[i].first, gBuilt->image.files[i].first);
    EXPECT_TRUE(again->image.files[i].second == gBuilt->image.files[i].second) << again->image.files[i].first;
  }
  std::unique_ptr<Built> small = Build(BigBookOptions().seed, kMinBigBookEntries);
  std::unique_ptr<Built> other = Build(BigBookOptions().seed + 1, kMinBigBookEntries);
  EXPECT_FALSE(other->TextFile() == small->TextFile());
  EXPECT_EQ(other->big.benchWords[2].expected, small->big.benchWords[2].expected);
}

TEST(BigBook, RefusesTooFewEntries) {
  BigBookOptions options;
  options.entries = kMinBigBookEntries - 1;
  EXPECT_THROW(MakeBigBook(options), std::exception);
}

}  // namespace
}  // namespace bookbuild
