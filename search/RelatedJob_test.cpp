// A headword search for a word as running text holds it: the search as typed first and the
// library's own hits kept its, then the hits of the related words with how they were found, each
// entry once, and the beginning of a phrase when nothing else finds anything.
#include "RelatedJob.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "JisText.h"

namespace search {
namespace {

// A book of a few headwords, each the key of its entries (text positions); a search finds the
// entries of the key it is given exactly, or of the word before a trailing wildcard.
class DictionaryBook : public BookCalls {
 public:
  std::map<std::string, std::vector<int32_t>> entries;  // exact key bytes → entries
  std::vector<std::string> searched;                     // keys, as searched
  int32_t failOn = -1;                                    // the search (0 the first) whose read fails

  void Add(std::u32string_view word, std::vector<int32_t> positions) {
    booktext::SearchKey key;
    ASSERT_TRUE(booktext::ExactKey(word, &key));
    entries[key.bytes] = std::move(positions);
  }
  int32_t SearchModes() override { return kDunmoorHeadwordSearch; }
  int32_t GetWordProperties(char* key, WordProperties* properties) override {
    searched.push_back(key);
    if (static_cast<int32_t>(searched.size()) - 1 == failOn) return kDunmoorFailed;
    hits.clear();
    std::string k = key;
    const bool prefix = k.size() >= 2 && k.compare(k.size() - 2, 2, "\x21\x76") == 0;
    if (prefix) k.resize(k.size() - 2);
    for (const auto& [word, at] : entries)
      if (prefix ? word.rfind(k, 0) == 0 : word == k) hits.insert(hits.end(), at.begin(), at.end());
    properties->hitCount = static_cast<int32_t>(hits.size());
    return hits.empty() ? kDunmoorRefused : kDunmoorSuccess;
  }
  int32_t SearchKeywords(char*, WordProperties*) override { return kDunmoorRefused; }
  int32_t FullTextBegin(const char*) override { return kDunmoorRefused; }
  int32_t FullTextNext(WordProperties*) override { return kDunmoorRefused; }
  int32_t GetWordItem(int32_t index, WordItem* item) override {
    if (index < 0 || index >= static_cast<int32_t>(hits.size())) return kDunmoorRefused;
    std::snprintf(item->text, kDunmoorHeadingSize, "E%d", hits[static_cast<size_t>(index)]);
    return kDunmoorSuccess;
  }
  int32_t GetHit(int32_t index, DunmoorHit* hit) override {
    if (index < 0 || index >= static_cast<int32_t>(hits.size())) return kDunmoorRefused;
    *hit = DunmoorHit{hits[static_cast<size_t>(index)], 0, 0, 0};
    return kDunmoorSuccess;
  }
  std::vector<int32_t> hits;  // of the last search: the library's own
};

booktext::SearchKey Typed(std::u32string_view word) {
  booktext::SearchKey key;
  booktext::ExactKey(word, &key);
  return key;
}

// Every hit of the job: its entry and, for a related one, the word it was found by.
std::vector<std::pair<int32_t, std::u32string>> Hits(RelatedJob& job) {
  std::vector<std::pair<int32_t, std::u32string>> all;
  for (int32_t i = 0; i < job.Found(); ++i) {
    HitPlace place;
    EXPECT_EQ(job.Place(i, &place), kDunmoorSuccess);
    booktext::Relation how;
    std::u32string word;
    all.push_back({place.textPosition, job.Related(i, &how, &word) ? word : U""});
  }
  return all;
}

TEST(RelatedJob, TheSearchAsTypedComesFirstAndStaysTheLibrarysOwn) {
  DictionaryBook book;
  book.Add(U"かき", {100, 200});  // 柿, 牡蠣
  book.Add(U"カキ", {300});
  book.Add(U"かく", {400});
  RelatedJob job(book, Typed(U"カキ"), U"カキ", {}, 100);
  EXPECT_EQ(job.Step(), JobStep::kDone);
  EXPECT_EQ(Hits(job), (std::vector<std::pair<int32_t, std::u32string>>{{300, U""}, {100, U"かき"}, {200, U"かき"}}));
  EXPECT_TRUE(job.LibraryHit(0));
  EXPECT_FALSE(job.LibraryHit(1));
  EXPECT_EQ(book.hits, std::vector<int32_t>{300}) << "the library's own hits are the typed search's again";
  std::string heading;
  ASSERT_EQ(job.Heading(0, &heading), kDunmoorSuccess);
  EXPECT_EQ(heading, "E300");
  ASSERT_EQ(job.Heading(2, &heading), kDunmoorSuccess);
  EXPECT_EQ(heading, "E200");
  booktext::Relation how;
  std::u32string word;
  ASSERT_TRUE(job.Related(1, &how, &word));
  EXPECT_EQ(how, booktext::Relation::kKana);

  // A related word whose entries were listed already adds nothing, and leaves the library's own
  // hits the typed search's all the same.
  DictionaryBook same;
  same.Add(U"かき", {1, 2});
  same.Add(U"カキ", {2});
  RelatedJob again(same, Typed(U"かき"), U"かき", {}, 100);
  again.Step();
  EXPECT_EQ(again.Found(), 2);
  EXPECT_EQ(same.hits, (std::vector<int32_t>{1, 2}));
}

TEST(RelatedJob, AConjugatedFormFindsItsDictionaryFormAndEachEntryOnce) {
  DictionaryBook book;
  book.Add(U"食べる", {10});
  book.Add(U"食ぶ", {10});  // the same entry under an old form
  RelatedJob job(book, Typed(U"食べた"), U"食べた", {}, 100);
  EXPECT_EQ(job.Step(), JobStep::kDone);
  EXPECT_EQ(Hits(job), (std::vector<std::pair<int32_t, std::u32string>>{{10, U"食べる"}}));
  booktext::Relation how;
  std::u32string word;
  ASSERT_TRUE(job.Related(0, &how, &word));
  EXPECT_EQ(how, booktext::Relation::kDeinflected);
  EXPECT_FALSE(job.LibraryHit(0));
}

TEST(RelatedJob, APhraseFindsItsLongestBeginningOnlyWhenNothingElseDoes) {
  DictionaryBook book;
  book.Add(U"学校", {50});
  book.Add(U"学", {60});
  RelatedJob phrase(book, Typed(U"学校に行った"), U"学校に行った", {}, 100);
  phrase.Step();
  EXPECT_EQ(Hits(phrase), (std::vector<std::pair<int32_t, std::u32string>>{{50, U"学校"}})) << "the longest beginning only";
  booktext::Relation how;
  std::u32string word;
  ASSERT_TRUE(phrase.Related(0, &how, &word));
  EXPECT_EQ(how, booktext::Relation::kLeading);
  const int searches = phrase.Searches();
  EXPECT_LT(searches, 30) << "a phrase costs a few exact searches";

  RelatedJob found(book, Typed(U"学校"), U"学校", {}, 100);
  found.Step();
  EXPECT_EQ(found.Found(), 1) << "a word that is found looks for no beginning of itself";
  // A pattern asks for what it says.
  RelatedJob pattern(book, Typed(U"学*"), U"学*", {}, 100);
  pattern.Step();
  EXPECT_EQ(pattern.Searches(), 0);
}

TEST(RelatedJob, AFailedReadFailsTheJobAndTheListHoldsNoMoreThanItKeeps) {
  DictionaryBook book;
  book.Add(U"かき", {1, 2, 3});
  book.Add(U"カキ", {4, 5});
  book.failOn = 1;  // the first related word's search
  RelatedJob failing(book, Typed(U"カキ"), U"カキ", {}, 100);
  EXPECT_EQ(failing.Step(), JobStep::kFailed);
  book.failOn = -1;
  RelatedJob capped(book, Typed(U"カキ"), U"カキ", {}, 3);
  capped.Step();
  EXPECT_EQ(capped.Found(), 3);
  // A search as typed with more hits than that is counted whole (the list says how many it left
  // out), and no related hit is kept behind it.
  RelatedJob full(book, Typed(U"カキ"), U"カキ", {}, 1);
  full.Step();
  EXPECT_EQ(full.Found(), 2);
  booktext::Relation how;
  std::u32string word;
  EXPECT_FALSE(full.Related(1, &how, &word));
  EXPECT_TRUE(full.LibraryHit(1));
}

}  // namespace
}  // namespace search
