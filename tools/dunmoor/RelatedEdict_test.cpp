// Words as running text holds them, looked up in a real dictionary: the EDRDG's edict made into a
// book by our builder (build/native/discs/edict). Every form of the table written from grammar
// finds its dictionary form's entry among the first three hits; a word the book holds keeps its
// own hits first, in the design's order; and the command line says how each hit was found.
#include <gtest/gtest.h>

#include <sstream>

#include "BookSession.h"
#include "JisText.h"
#include "LibraryCalls.h"
#include "RelatedCommand.h"
#include "RelatedForms.h"
#include "RelatedJob.h"
#include "SearchWord.h"
#include "TestFiles.h"

namespace cli {
namespace {

std::string Utf8(std::u32string_view text) {
  std::string out;
  for (char32_t c : text) booktext::AppendUtf8(&out, c);
  return out;
}

class EdictBook : public ::testing::Test {
 protected:
  void SetUp() override {
    std::ostringstream err;
    ASSERT_EQ(OpenBook(&library, Disc(testfiles::BuiltBook("edict").string()), err), 0) << err.str();
  }
  booktext::SearchKey Key(std::u32string_view word) {
    booktext::SearchKey key;
    std::ostringstream err;
    EXPECT_TRUE(KeyFromWord(Utf8(word), &key, err)) << err.str();
    return key;
  }
  dunmoor::Library library;
  LibraryCalls calls{library};
};

TEST_F(EdictBook, EveryFormFindsItsDictionaryFormAmongTheFirstThreeHits) {
  for (const booktext::RelatedForm& form : booktext::kRelatedForms) {
    search::RelatedJob job(calls, Key(form.text), std::u32string(form.text), {}, 1000);
    ASSERT_EQ(job.Step(), search::JobStep::kDone) << Utf8(form.text);
    bool found = false;
    std::string firstThree;
    for (int32_t i = 0; i < std::min(job.Found(), 3); ++i) {
      booktext::Relation how;
      std::u32string word;
      if (job.Related(i, &how, &word)) {
        firstThree += Utf8(word) + " ";
        found = found || word == form.word;
      }
    }
    EXPECT_TRUE(found) << Utf8(form.text) << " → " << Utf8(form.word) << "; the first three: " << firstThree;
  }
}

TEST_F(EdictBook, AWordTheBookHoldsKeepsItsOwnHitsFirstAndInOrder) {
  for (std::u32string_view word : {U"学校", U"かき", U"食べる", U"いく", U"カキ"}) {
    WordProperties properties{};
    booktext::SearchKey key = Key(word);
    ASSERT_EQ(library.GetWordProperties(key.bytes, &properties), kDunmoorSuccess) << Utf8(word);
    std::vector<int32_t> exact;
    for (int32_t i = 0; i < properties.hitCount; ++i) {
      DunmoorHit hit{};
      library.GetHit(i, &hit);
      exact.push_back(hit.textPosition);
    }
    search::RelatedJob job(calls, Key(word), std::u32string(word), {}, 1000);
    ASSERT_EQ(job.Step(), search::JobStep::kDone);
    ASSERT_GE(job.Found(), static_cast<int32_t>(exact.size()));
    for (size_t i = 0; i < exact.size(); ++i) {
      search::HitPlace place;
      ASSERT_EQ(job.Place(static_cast<int32_t>(i), &place), kDunmoorSuccess);
      EXPECT_EQ(place.textPosition, exact[i]) << Utf8(word) << " hit " << i;
      EXPECT_TRUE(job.LibraryHit(static_cast<int32_t>(i)));
    }
    // The library's own hits are the word's own search's once the job is done.
    DunmoorHit first{};
    ASSERT_EQ(library.GetHit(0, &first), kDunmoorSuccess);
    EXPECT_EQ(first.textPosition, exact[0]);
  }
}

TEST_F(EdictBook, TheCommandLineSaysHowEachHitWasFound) {
  std::ostringstream out, err;
  ASSERT_EQ(RunRelatedSearch(Disc(testfiles::BuiltBook("edict").string()), "食べた", out, err), 0) << err.str();
  EXPECT_EQ(out.str().substr(0, 8), "hits 1\n0");
  EXPECT_NE(out.str().find(" deinflected:食べる たべる【食べる】\n"), std::string::npos) << out.str();
  std::ostringstream bench, benchErr;
  ASSERT_EQ(RunRelatedBench(Disc(testfiles::BuiltBook("edict").string()), "学校に行った", "2", "3", bench, benchErr), 0);
  EXPECT_EQ(bench.str().rfind("bench hits=2 searches=", 0), 0u) << bench.str();
}

}  // namespace
}  // namespace cli
