#include "BigBook.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string_view>

#include "BuildError.h"
#include "JisText.h"
#include "StoredKeys.h"
#include "WordMaker.h"

namespace bookbuild {

namespace {

// Written forms of the exact word: one entry each.
const char* const kExactForms[kExactHits] = {"交渉", "考証", "公証", "高尚", "口承",
                                             "工商", "公称", "好尚", "行賞", "厚相"};

constexpr int kMaxDraws = 10000;  // a reading that keeps matching a planted word is a fault here

JisString Jis(std::string_view utf8) {
  JisString out;
  size_t pos = 0;
  char32_t cp;
  while (booktext::NextUtf8(utf8, &pos, &cp)) out.push_back(booktext::UnicodeToJis(cp));
  return out;
}

bool StartsWith(const JisString& s, const JisString& prefix) {
  return s.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), s.begin());
}

bool EndsWith(const JisString& s, const JisString& suffix) {
  return s.size() >= suffix.size() && std::equal(suffix.rbegin(), suffix.rend(), s.rbegin());
}

// The words of a gloss line that a keyword index lists: those of four letters or more (no
// labels in brackets), lower case as written.
std::vector<std::string> KeywordsOf(const std::string& gloss) {
  std::vector<std::string> words;
  std::string word;
  for (size_t i = 0; i <= gloss.size(); ++i) {
    char c = i < gloss.size() ? gloss[i] : ' ';
    if (c >= 'a' && c <= 'z') {
      word += c;
      continue;
    }
    if (c == '(') {  // a label such as (formal)
      i = std::min(gloss.find(')', i), gloss.size());
      word.clear();
      continue;
    }
    if (word.size() >= 4) words.push_back(word);
    word.clear();
  }
  return words;
}

// Which planted words a reading matches, as written or in the normal form that the index
// stores and the search compares.
class PlantedWords {
 public:
  PlantedWords()
      : normalizer_(std::array<uint8_t, 12>{}, 0, 0),
        exact_(Jis(kBenchExactWord)),
        prefix_(Jis(kBenchPrefix)),
        suffix_(Jis(kBenchSuffix)),
        exactNormal_(normalizer_.Normalize(exact_)),
        prefixNormal_(normalizer_.Normalize(prefix_)),
        suffixNormal_(normalizer_.Normalize(suffix_)) {}

  bool Exact(const JisString& r, const JisString& normal) const { return r == exact_ || normal == exactNormal_; }
  bool Prefix(const JisString& r, const JisString& normal) const {
    return StartsWith(r, prefix_) || StartsWith(normal, prefixNormal_);
  }
  bool Suffix(const JisString& r, const JisString& normal) const {
    return EndsWith(r, suffix_) || EndsWith(normal, suffixNormal_);
  }
  JisString Normal(const JisString& r) const { return normalizer_.Normalize(r); }
  const JisString& ExactWord() const { return exact_; }
  const JisString& PrefixWord() const { return prefix_; }
  const JisString& SuffixWord() const { return suffix_; }

 private:
  KeyNormalizer normalizer_;
  JisString exact_, prefix_, suffix_;
  JisString exactNormal_, prefixNormal_, suffixNormal_;
};

enum class Plant { kNone, kExact, kPrefix, kSuffix };

// One entry before it is numbered.
struct Draft {
  JisString sortKey;  // normal form of the reading; Latin entries sort after every reading
  JisString reading;  // empty for Latin entries
  JisString kanji;    // may be empty
  std::string latin;  // Latin entries only
};

class Generator {
 public:
  explicit Generator(uint64_t seed) : maker_(seed) {}

  // A reading that matches exactly the planted word `plant` asks for (none: no planted word).
  JisString Reading(Plant plant) {
    for (int draw = 0; draw < kMaxDraws; ++draw) {
      JisString r;
      switch (plant) {
        case Plant::kNone: r = maker_.AnyReading(); break;
        case Plant::kExact: r = planted_.ExactWord(); break;
        case Plant::kPrefix:
          r = planted_.PrefixWord();
          for (uint16_t c : maker_.Reading(1 + static_cast<int>(maker_.Rng().Below(3)), false)) r.push_back(c);
          break;
        case Plant::kSuffix:
          r = maker_.Reading(1 + static_cast<int>(maker_.Rng().Below(3)), maker_.Rng().Chance(10));
          for (uint16_t c : planted_.SuffixWord()) r.push_back(c);
          break;
      }
      JisString normal = planted_.Normal(r);
      bool exact = planted_.Exact(r, normal), prefix = planted_.Prefix(r, normal), suffix = planted_.Suffix(r, normal);
      // A planted word must match its own pattern both as written and in normal form.
      bool fits = exact == (plant == Plant::kExact) && prefix == (plant == Plant::kPrefix) &&
                  suffix == (plant == Plant::kSuffix);
      if (plant == Plant::kPrefix) fits = fits && StartsWith(r, planted_.PrefixWord());
      if (plant == Plant::kSuffix) fits = fits && EndsWith(r, planted_.SuffixWord());
      if (fits && !normal.empty()) return r;
    }
    throw BuildError(0, "cannot draw a reading for a planted word");
  }

  Draft Japanese(Plant plant, JisString kanji) {
    Draft d;
    d.reading = Reading(plant);
    d.sortKey = planted_.Normal(d.reading);
    d.kanji = std::move(kanji);
    return d;
  }

  Draft Latin() {
    Draft d;
    d.latin = maker_.LatinWord();
    for (char c : d.latin) d.sortKey.push_back(static_cast<uint16_t>(0x7E00 | (c | 0x20)));  // after all kana
    return d;
  }

  EntryDef Entry(const Draft& d, size_t number) {
    char id[32];
    std::snprintf(id, sizeof id, "e%06zu", number);
    EntryDef e;
    e.id = id;
    std::string headword;
    if (d.reading.empty()) {
      headword = d.latin;
      e.keys.push_back({0, "alpha", d.latin});
    } else {
      std::string reading = JisToUtf8(d.reading);
      headword = reading;
      e.keys.push_back({0, "kana", reading});
      e.keys.push_back({0, "back", reading});
      if (!d.kanji.empty()) {
        std::string kanji = JisToUtf8(d.kanji);
        headword += "【" + kanji + "】";
        e.keys.push_back({0, "asis", kanji});
      }
    }
    // The heading is the keyword: the builder takes it from the first <kw>.
    e.text.push_back({0, "<kw>" + headword + "</kw>"});
    int lines = maker_.GlossLineCount();
    std::vector<std::string> keywords;
    for (int i = 0; i < lines; ++i) {
      std::string number = lines > 1 ? "(" + std::to_string(i + 1) + ") " : "";
      std::string gloss = maker_.GlossLine();
      if (i == 0) keywords = KeywordsOf(gloss);
      e.text.push_back({0, "<indent 2>" + number + gloss});
    }
    // The keyword index: the English words of the first sense, a Latin headword, and the
    // planted keywords.
    if (!d.latin.empty()) keywords.push_back(d.latin);
    if (number % kPlantEvery == 1 || number % kPlantEvery == 2) keywords.push_back(kBenchKeyword);
    if (number % kPlantEvery == 1 || number % kPlantEvery == 3) keywords.push_back(kBenchSecondKeyword);
    std::sort(keywords.begin(), keywords.end());
    keywords.erase(std::unique(keywords.begin(), keywords.end()), keywords.end());
    for (const std::string& w : keywords) e.keys.push_back({0, "keyword", w});
    return e;
  }

  WordMaker& Maker() { return maker_; }

 private:
  WordMaker maker_;
  PlantedWords planted_;
};

IndexDef Index(const char* name, uint8_t id, LeafLayout layout) {
  IndexDef def;
  def.name = name;
  def.id = id;
  def.layout = layout;
  return def;
}

}  // namespace

BigBook MakeBigBook(const BigBookOptions& options) {
  if (options.entries < kMinBigBookEntries)
    throw BuildError(0, "a big book needs at least " + std::to_string(kMinBigBookEntries) + " entries");
  Generator gen(options.seed);
  const size_t prefixHits = PrefixHits(options.entries), suffixHits = SuffixHits(options.entries);
  std::vector<Draft> drafts;
  drafts.reserve(options.entries);
  for (const char* form : kExactForms) drafts.push_back(gen.Japanese(Plant::kExact, Jis(form)));
  for (size_t i = 0; i < prefixHits; ++i) drafts.push_back(gen.Japanese(Plant::kPrefix, gen.Maker().KanjiForm()));
  for (size_t i = 0; i < suffixHits; ++i) drafts.push_back(gen.Japanese(Plant::kSuffix, gen.Maker().KanjiForm()));
  while (drafts.size() < options.entries) {
    if (gen.Maker().Rng().Chance(12)) {
      drafts.push_back(gen.Latin());
    } else {
      bool kanji = gen.Maker().Rng().Chance(85);
      drafts.push_back(gen.Japanese(Plant::kNone, kanji ? gen.Maker().KanjiForm() : JisString{}));
    }
  }
  // Dictionary order; ties keep the order of drawing, so the result is the same everywhere.
  std::stable_sort(drafts.begin(), drafts.end(), [](const Draft& a, const Draft& b) {
    if (a.sortKey != b.sortKey) return a.sortKey < b.sortKey;
    return a.reading < b.reading;
  });

  BigBook out;
  BookDef book;
  book.dirName = "bigbook";
  book.diskDir = "bigbook";
  book.title = "大型試験辞典";
  book.indexes = {Index("kana", 0x90, LeafLayout::kGroup), Index("asis", 0x91, LeafLayout::kVariable),
                  Index("alpha", 0x92, LeafLayout::kGroup), Index("back", 0x70, LeafLayout::kVariable),
                  Index("keyword", 0x80, LeafLayout::kVariable)};
  for (size_t i = 0; i < book.indexes.size(); ++i) book.descriptors.push_back({DescriptorSlot::kIndex, i});
  book.descriptors.push_back({DescriptorSlot::kTextArea, 0});
  book.entries.reserve(drafts.size());
  for (size_t i = 0; i < drafts.size(); ++i) book.entries.push_back(gen.Entry(drafts[i], i + 1));
  out.disc.books.push_back(std::move(book));
  out.benchWords = {{"exact", kBenchExactWord, kExactHits},
                    {"prefix", std::string(kBenchPrefix) + "*", prefixHits},
                    {"suffix", "*" + std::string(kBenchSuffix), suffixHits}};
  AddKeywordWords(out.disc.books.front(), &out.benchWords);
  return out;
}

void AddKeywordWords(const BookDef& book, std::vector<BenchWord>* words) {
  size_t one = 0, both = 0, prefixes = 0;
  for (const EntryDef& e : book.entries) {
    bool first = false, second = false, ri = false, mo = false;
    for (const KeyDef& k : e.keys) {
      if (k.index != "keyword") continue;
      first = first || k.word == kBenchKeyword;
      second = second || k.word == kBenchSecondKeyword;
      // The index keeps Latin words in upper case: a capitalised headword counts too.
      auto begins = [&](const char* two) {
        return k.word.size() >= 2 && (k.word[0] | 0x20) == two[0] && (k.word[1] | 0x20) == two[1];
      };
      ri = ri || begins("ri");
      mo = mo || begins("mo");
    }
    one += first;
    both += first && second;
    prefixes += ri && mo;
  }
  words->push_back({"keyword", kBenchKeyword, one});
  words->push_back({"keywords", std::string(kBenchKeyword) + "," + kBenchSecondKeyword, both});
  words->push_back({"keyword-prefixes", "ri,mo", prefixes});
}

std::vector<BenchWord> WriteFreePwingSource(const BigBook& big, std::ostream& out) {
  static const std::string kIndent = "<indent 2>";
  const JisString exact = Jis(kBenchExactWord), prefix = Jis(kBenchPrefix), suffix = Jis(kBenchSuffix);
  size_t exactHits = 0, prefixHits = 0, suffixHits = 0;
  auto count = [&](const JisString& key) {
    exactHits += key == exact;
    prefixHits += StartsWith(key, prefix);
    suffixHits += EndsWith(key, suffix);
  };
  out << "# Generated by makebigbook: the entries of the big benchmark book.\n\n%text\n";
  for (const EntryDef& e : big.disc.books.front().entries) {
    std::string reading, written, latin;
    for (const KeyDef& k : e.keys) {
      if (k.index == "kana") reading = k.word;
      else if (k.index == "asis") written = k.word;
      else if (k.index == "alpha") latin = k.word;
    }
    if (!reading.empty()) {
      JisString key = Jis(reading), twin = key;
      for (uint16_t& c : twin)
        if ((c >> 8) == 0x25) c = static_cast<uint16_t>(0x2400 | (c & 0xFF));
      count(key);
      if (twin != key) count(twin);
    }
    out << '\n' << '[' << e.id << "] " << (reading.empty() ? latin : reading);
    if (!written.empty()) out << " 【" << written << "】";
    out << '\n';
    std::string keys;
    for (const KeyDef& k : e.keys)
      if (k.index == "keyword") keys += " " + k.word;
    if (!keys.empty()) out << "keys:" << keys << '\n';
    // The first line is the keyword, which the script writes from the heading.
    for (size_t i = 1; i < e.text.size(); ++i) {
      std::string_view line = e.text[i].text;
      if (line.substr(0, kIndent.size()) == kIndent) line.remove_prefix(kIndent.size());
      out << line << '\n';
    }
  }
  std::vector<BenchWord> words = {{"exact", kBenchExactWord, exactHits},
                                  {"prefix", std::string(kBenchPrefix) + "*", prefixHits},
                                  {"suffix", "*" + std::string(kBenchSuffix), suffixHits}};
  AddKeywordWords(big.disc.books.front(), &words);
  return words;
}

}  // namespace bookbuild
