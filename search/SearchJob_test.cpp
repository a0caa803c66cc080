// A search of one book as a job: the call each kind makes, what a step does, and the hits it
// answers for.
#include "SearchJob.h"

#include "AroundJob.h"
#include "KeptJob.h"

#include <gtest/gtest.h>

#include "test/FakeBook.h"

namespace search {
namespace {

booktext::SearchKey Key(const char* bytes) {
  booktext::SearchKey key = {};
  std::strncpy(key.bytes, bytes, sizeof key.bytes - 1);
  return key;
}

TEST(BookJob, EachKindMakesItsOwnCallWithACopyOfTheKey) {
  const struct {
    SearchKind kind;
    std::vector<std::string> calls;
    JobForm form;
  } kinds[] = {{SearchKind::kHeadword, {"headword"}, JobForm::kCounted},
               {SearchKind::kKeyword, {"keyword"}, JobForm::kCounted},
               {SearchKind::kFullText, {"begin", "next"}, JobForm::kScan}};
  for (const auto& k : kinds) {
    FakeBook book;
    book.hits = 3;
    BookJob job(book, k.kind, Key("#A#B"));
    EXPECT_EQ(job.Form(), k.form);
    EXPECT_EQ(job.Step(), JobStep::kDone);
    EXPECT_EQ(book.calls, k.calls);
    EXPECT_EQ(book.lastKey, "#A#B");
    EXPECT_EQ(job.Found(), 3);
    EXPECT_EQ(job.BooksDone(), 1);
    EXPECT_EQ(job.Step(), JobStep::kDone) << "over stays over";
    EXPECT_EQ(book.calls.size(), k.calls.size());
  }
  EXPECT_EQ(CallsOf(SearchKind::kKeyword).libraryBit, kDunmoorKeywordSearch);
  EXPECT_TRUE(Offers(kDunmoorHeadwordSearch | kDunmoorFullTextSearch, SearchKind::kFullText));
  EXPECT_FALSE(Offers(kDunmoorHeadwordSearch, SearchKind::kKeyword));
  EXPECT_FALSE(Offers(-1, SearchKind::kHeadword)) << "no book";
}

TEST(BookJob, ACountedSearchEndsInItsFirstStepWithItsCountOrItsFailure) {
  FakeBook none;
  BookJob empty(none, SearchKind::kHeadword, Key("#A"));
  EXPECT_EQ(empty.Step(), JobStep::kDone);
  EXPECT_EQ(empty.Found(), 0);

  FakeBook failing;
  failing.hits = 5;
  failing.countResult = kDunmoorFailed;
  BookJob failed(failing, SearchKind::kKeyword, Key("#A"));
  EXPECT_EQ(failed.Step(), JobStep::kFailed);
  EXPECT_EQ(failed.Found(), 0);

  FakeBook odd;  // success with no count is no hit
  odd.countResult = kDunmoorSuccess;
  BookJob zero(odd, SearchKind::kHeadword, Key("#A"));
  EXPECT_EQ(zero.Step(), JobStep::kDone);
  EXPECT_EQ(zero.Found(), 0);
}

TEST(BookJob, AScanGoesOnPieceByPieceAndKeepsWhatItFoundWhenStoppedOrFailing) {
  FakeBook book;
  book.hits = 9;
  book.pieces = 3;
  BookJob job(book, SearchKind::kFullText, Key("#A"));
  EXPECT_EQ(job.Step(), JobStep::kGoesOn);
  EXPECT_EQ(job.Found(), 3);
  EXPECT_EQ(job.BooksDone(), 0);
  EXPECT_EQ(job.Step(), JobStep::kGoesOn);
  EXPECT_EQ(job.Found(), 6);
  job.Stop();
  EXPECT_EQ(job.Step(), JobStep::kDone);
  EXPECT_EQ(job.Found(), 6);
  EXPECT_EQ(book.calls, (std::vector<std::string>{"begin", "next", "next"}));

  book.failAtPiece = 1;
  BookJob failing(book, SearchKind::kFullText, Key("#A"));
  EXPECT_EQ(failing.Step(), JobStep::kGoesOn);
  EXPECT_EQ(failing.Step(), JobStep::kFailed);
  EXPECT_EQ(failing.Found(), 3);

  FakeBook refusing;  // a key the library refuses finds nothing
  refusing.beginResult = kDunmoorRefused;
  BookJob refused(refusing, SearchKind::kFullText, Key(""));
  EXPECT_EQ(refused.Step(), JobStep::kDone);
  EXPECT_EQ(refused.Found(), 0);
  EXPECT_EQ(refusing.calls, std::vector<std::string>{"begin"});
}

TEST(BookJob, HitsAnswerTheirPlaceAndTheirHeadingUpToItsEnd) {
  FakeBook book;
  book.hits = 2;
  book.failHeadingAt = 1;
  BookJob job(book, SearchKind::kHeadword, Key("#A"));
  std::string heading;
  HitPlace place;
  EXPECT_EQ(job.Heading(0, &heading), kDunmoorRefused) << "nothing found before the first step";
  job.Step();
  ASSERT_EQ(job.Heading(0, &heading), kDunmoorSuccess);
  EXPECT_EQ(heading, "H0");
  EXPECT_EQ(job.Heading(1, &heading), kDunmoorFailed);
  EXPECT_EQ(job.Heading(2, &heading), kDunmoorRefused);
  EXPECT_EQ(job.Heading(-1, &heading), kDunmoorRefused);
  ASSERT_EQ(job.Place(1, &place), kDunmoorSuccess);
  EXPECT_EQ(place.index, 1);
  EXPECT_EQ(place.textPosition, 1001);
  EXPECT_EQ(place.headingPosition, 2001);
  EXPECT_EQ(job.Place(2, &place), kDunmoorRefused);
}

// The keys around a word: one call with a copy of the key, the entry and the count; the place
// selected, more on a side when as many as asked for came; a failed read fails the job.
// Kept hits are done at once, none is the library's, and each answers from its own book.
TEST(KeptJob, AnswersEachKeptHitFromItsBookAndNothingPastThem) {
  KeptJob job({{1, "\x24\x22", 4096}, {0, "\x24\x24", 100}}, 2);
  EXPECT_EQ(job.Step(), JobStep::kDone);
  EXPECT_EQ(job.Found(), 2);
  EXPECT_EQ(job.BooksDone(), job.Books());
  EXPECT_FALSE(job.LibraryHit(0));
  HitPlace place;
  ASSERT_EQ(job.Place(0, &place), kDunmoorSuccess);
  EXPECT_EQ(place.book, 1u);
  EXPECT_EQ(place.textPosition, 4096);
  EXPECT_EQ(place.matchLength, 0u);
  std::string heading;
  ASSERT_EQ(job.Heading(1, &heading), kDunmoorSuccess);
  EXPECT_EQ(heading, "\x24\x24");
  EXPECT_EQ(job.Place(2, &place), kDunmoorRefused);
  EXPECT_EQ(job.Place(-1, &place), kDunmoorRefused);
  EXPECT_EQ(job.Heading(2, &heading), kDunmoorRefused);
}

TEST(AroundJob, OneCallListsTheKeysAndSelectsThePlace) {
  FakeBook book;
  book.hits = 80;
  book.aroundPlace = 50;
  AroundJob job(book, Key("#A#B"), 4096, kAroundFirst);
  EXPECT_EQ(job.Form(), JobForm::kCounted);
  EXPECT_EQ(job.Step(), JobStep::kDone);
  EXPECT_EQ(book.calls, std::vector<std::string>{"around"});
  EXPECT_EQ(book.lastKey, "#A#B");
  EXPECT_EQ(job.Key().bytes[0], '#') << "the job's key stays as typed";
  EXPECT_EQ(book.lastPosition, 4096);
  EXPECT_EQ(book.lastCount, kAroundFirst);
  EXPECT_EQ(job.Found(), 80);
  EXPECT_EQ(job.Selected(), 50);
  EXPECT_TRUE(job.MoreBefore());
  EXPECT_FALSE(job.MoreAfter()) << "only 29 keys came after the place";
  HitPlace place;
  ASSERT_EQ(job.Place(50, &place), kDunmoorSuccess);
  EXPECT_EQ(place.textPosition, 1050);
  EXPECT_EQ(job.Place(80, &place), kDunmoorRefused);
  std::string heading;
  ASSERT_EQ(job.Heading(7, &heading), kDunmoorSuccess);
  EXPECT_EQ(heading, "H7");
  EXPECT_EQ(job.Heading(80, &heading), kDunmoorRefused);
  EXPECT_EQ(job.Step(), JobStep::kDone);
  EXPECT_EQ(book.calls.size(), 1u);

  // Every key sorts below the word: the last is selected.
  FakeBook low;
  low.hits = 3;
  low.aroundPlace = 3;
  AroundJob end(low, Key("#A"), -1, 5);
  end.Step();
  EXPECT_EQ(end.Selected(), 2);
  FakeBook broken;
  broken.countResult = kDunmoorFailed;
  AroundJob failed(broken, Key("#A"), -1, 5);
  EXPECT_EQ(failed.Step(), JobStep::kFailed);
  EXPECT_EQ(failed.Found(), 0);
}

}  // namespace
}  // namespace search
