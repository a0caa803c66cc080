// Searches books made by the builder the way the reader searches them (normalise the typed
// word, descend the node pages, scan the leaf pages, compare with the typed key) and checks
// that every key line finds its entry.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "BookBuild.h"
#include "JisText.h"
#include "StoredKeys.h"
#include "MarkupEncoder.h"

namespace bookbuild {
namespace {

enum Mode { kExact, kPrefix, kSuffix };

uint32_t Be(const Bytes& b, size_t at, int n) {
  uint32_t v = 0;
  for (int i = 0; i < n; ++i) v = v << 8 | b.at(at + i);
  return v;
}

uint32_t NumericPosition(const Bytes& b, size_t at) { return (Be(b, at, 4) - 1) * 2048 + Be(b, at + 4, 2); }

int Compare(const Bytes& entry, const Bytes& key, Mode mode) {
  size_t n = mode == kExact ? std::max(entry.size(), key.size()) : key.size();
  for (size_t i = 0; i < n; ++i) {
    int a = i < entry.size() ? entry[i] : 0, b = i < key.size() ? key[i] : 0;
    if (a != b) return a < b ? -1 : 1;
  }
  return 0;
}

// Returns the text positions of the hits, or an empty list.
std::vector<uint32_t> Search(const Bytes& file, const std::string& word, uint8_t id, Mode mode) {
  size_t count = Be(file, 0, 2);
  const uint8_t* d = nullptr;
  for (size_t i = 0; i < count && d == nullptr; ++i)
    if (file[16 + 16 * i] == id) d = &file[16 + 16 * i];
  if (d == nullptr) return {};
  std::array<uint8_t, 12> fields;
  for (int i = 0; i < 12; ++i) fields[i] = (d[11 + i / 4] >> (6 - 2 * (i % 4))) & 3;
  KeyNormalizer normalizer(fields, d[10], d[15]);
  JisString typedWord = WordToJis(word, 1);
  JisString k;
  for (uint16_t c : typedWord) if (c != 0x2121) k.push_back(c);
  JisString typed = FilterTypedKey(k);
  if (mode == kSuffix) typed = Reversed(typed);
  JisString normal = normalizer.SearchForm(k);
  if (mode == kSuffix) normal = Reversed(normal);
  Bytes key = KeyBytes(normal), typedKey = KeyBytes(typed);

  uint32_t page = Be(file, 2 + (d - file.data()), 4);
  for (int depth = 0;; ++depth) {
    if (depth > 64) return {};
    size_t at = (page - 1) * 2048;
    if (file.at(at) & 0x80) break;
    size_t length = file[at + 1], entries = Be(file, at + 2, 2);
    bool found = false;
    for (size_t e = 0; e < entries && !found; ++e) {
      size_t p = at + 4 + e * (length + 4);
      Bytes entryKey(file.begin() + p, file.begin() + p + length);
      entryKey.erase(std::find(entryKey.begin(), entryKey.end(), 0), entryKey.end());
      if (Compare(entryKey, key, kExact) >= 0) {
        page = Be(file, p + length, 4);
        found = true;
      }
    }
    if (!found) {
      if (file[at] & 0x20) return {};
      ++page;
    }
  }
  std::vector<uint32_t> hits;
  bool groupMatch = false;
  for (;; ++page) {
    size_t at = (page - 1) * 2048;
    uint8_t flags = file.at(at);
    size_t length = file[at + 1], entries = Be(file, at + 2, 2), p = at + 4;
    for (size_t e = 0; e < entries; ++e) {
      uint8_t kind = 0;
      if (flags & 0x10) kind = file[p++];
      size_t n = length > 0 ? length : file[p++];
      if (kind == 0x80) p += 2;
      Bytes entryKey(file.begin() + p, file.begin() + p + n);
      entryKey.erase(std::find(entryKey.begin(), entryKey.end(), 0), entryKey.end());
      p += n;
      int result = 0;
      bool addHit = false;
      if (kind == 0x80) {
        result = Compare(entryKey, key, mode);
        groupMatch = result == 0;
      } else if (kind == 0xC0) {
        addHit = groupMatch;
      } else {
        groupMatch = false;
        result = Compare(entryKey, key, mode);
        addHit = result == 0;
      }
      if (result > 0) return hits;
      if (kind != 0x80) {
        uint32_t text = NumericPosition(file, p);
        p += 12;
        if (addHit && Compare(entryKey, typedKey, mode) == 0 &&
            (hits.empty() || (text != 0 && text != hits.back())))
          hits.push_back(text);
      }
    }
    if (flags & 0x20) return hits;
  }
}

std::string Syllables(int n) {
  static const char* const kParts[] = {"が", "っ", "こ", "う", "カ", "ー", "ド", "きゃ", "ぱ", "ヴ", "ぁ", "ん", "ロ", "ト"};
  std::string word;
  do {
    word += kParts[n % 14];
    n /= 14;
  } while (n > 0);
  return word;
}

class IndexSearchTest : public ::testing::Test {
 protected:
  void Build(const std::string& extraIndexOptions) {
    std::string source = "book test\ntitle test\n";
    source += "index kana id=0x90 layout=group per-page=3" + extraIndexOptions + "\n";
    source += "index asis id=0x91 layout=variable per-page=3" + extraIndexOptions + "\n";
    source += "index alpha id=0x92 layout=fixed:24 per-page=3" + extraIndexOptions + "\n";
    source += "index back id=0x70 layout=group per-page=3" + extraIndexOptions + "\n";
    for (int i = 0; i < 200; ++i) {
      std::string id = "e" + std::to_string(i), word = Syllables(i * 7 + 1);
      words_.push_back(word);
      source += "entry " + id + "\nkey kana " + word + "\nkey asis " + word + "\nkey alpha " + word +
                "\nkey back " + word + "\ntext\n<kw>" + word + "</kw>\nend\n";
    }
    DiscDef disc;
    BuildStatus status = ParseBookSource(source, &disc);
    ASSERT_TRUE(status.ok) << status.message;
    DiscImage image;
    status = MakeDisc(disc, &image, &map_);
    ASSERT_TRUE(status.ok) << status.message;
    file_ = *image.Find("test/DATA/HONMON");
    normalizer_ = std::make_unique<KeyNormalizer>(disc.books[0].indexes[0].style, 0, 0);
  }
  bool Finds(const std::string& typed, uint8_t id, Mode mode, size_t entry) {
    std::vector<uint32_t> hits = Search(file_, typed, id, mode);
    uint32_t want = map_.books[0].entryText.at("e" + std::to_string(entry));
    return std::find(hits.begin(), hits.end(), want) != hits.end();
  }
  std::vector<std::string> words_;
  LayoutMap map_;
  Bytes file_;
  std::unique_ptr<KeyNormalizer> normalizer_;
};

// The UTF-8 form of a JIS string, for typing it back in.
std::string Utf8(const JisString& key);

TEST_F(IndexSearchTest, EveryKeyLineFindsItsEntry) {
  Build("");
  const IndexLayout* kana = map_.books[0].Index("kana");
  ASSERT_NE(kana, nullptr);
  EXPECT_GE(kana->NodeLevels(), 2u);
  for (size_t i = 0; i < words_.size(); ++i) {
    const std::string& w = words_[i];
    std::string normal = Utf8(normalizer_->SearchForm(FilterTypedKey(WordToJis(w, 1))));
    EXPECT_TRUE(Finds(w, 0x90, kExact, i)) << w;             // group: the word as written
    EXPECT_TRUE(Finds(w, 0x70, kSuffix, i)) << w;            // backward group, suffix search
    EXPECT_TRUE(Finds(normal, 0x91, kExact, i)) << w;        // variable: its normal form
    EXPECT_TRUE(Finds(normal, 0x92, kExact, i)) << w;        // fixed: its normal form
    EXPECT_TRUE(Finds(normal, 0x91, kPrefix, i)) << w;
  }
}

TEST_F(IndexSearchTest, KeysKeptAsWrittenWhenTheStyleKeepsEverything) {
  Build(" style=111111111000");
  for (size_t i = 0; i < words_.size(); ++i) {
    std::string written = Utf8(FilterTypedKey(WordToJis(words_[i], 1)));
    EXPECT_TRUE(Finds(words_[i], 0x90, kExact, i)) << words_[i];
    EXPECT_TRUE(Finds(written, 0x91, kExact, i)) << words_[i];
  }
}

std::string Utf8(const JisString& key) {
  std::string out;
  for (uint16_t c : key) booktext::AppendUtf8(&out, booktext::JisToUnicode(c));
  return out;
}

}  // namespace
}  // namespace bookbuild
