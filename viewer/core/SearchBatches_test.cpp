#include "SearchBatches.h"

#include <gtest/gtest.h>

#include "SearchRules.h"

namespace brisvane {
namespace {

struct Recorder {
  int items = 0;
  int steps = 0;
  SearchBatches batches{[this] { ++items; }, [this] { ++steps; }};
};

TEST(SearchBatches, FewHitsEndInTheFirstTick) {
  Recorder r;
  EXPECT_EQ(r.batches.Start(1, 3), SearchOutcome::kHits);
  EXPECT_FALSE(r.batches.Pending());
  EXPECT_EQ(r.items, 3);
  EXPECT_EQ(r.batches.Step(), 1);
  EXPECT_EQ(r.steps, 3);
}

TEST(SearchBatches, FourThousandATickAndAHundredSteps) {
  Recorder r;
  ASSERT_EQ(r.batches.Start(1, 10000), SearchOutcome::kHits);
  EXPECT_EQ(r.batches.Step(), 100);
  EXPECT_EQ(r.items, 4000);
  EXPECT_TRUE(r.batches.Pending());
  EXPECT_FALSE(r.batches.RunBatch());
  EXPECT_EQ(r.items, 8000);
  EXPECT_TRUE(r.batches.RunBatch());
  EXPECT_EQ(r.items, 10000);
  EXPECT_EQ(r.steps, 100);
  EXPECT_FALSE(r.batches.Pending());
}

TEST(SearchBatches, ListIsCappedAt32766Items) {
  Recorder r;
  ASSERT_EQ(r.batches.Start(1, 40000), SearchOutcome::kHits);
  int ticks = 1;
  while (r.batches.Pending()) {
    r.batches.RunBatch();
    ASSERT_LT(++ticks, 20);
  }
  EXPECT_EQ(ticks, 9);
  EXPECT_EQ(r.items, kMaxListItems);
  EXPECT_EQ(r.batches.Total(), 40000);  // the status shows both numbers
  EXPECT_EQ(ResultCountText(r.batches.Total()), L"検索結果 : 32766/40000    項目");
}

TEST(SearchBatches, CancelKeepsTheItemsListed) {
  Recorder r;
  ASSERT_EQ(r.batches.Start(1, 10000), SearchOutcome::kHits);
  EXPECT_EQ(r.batches.Cancel(), SearchOutcome::kHits);
  EXPECT_EQ(r.batches.Total(), 4000);
  EXPECT_EQ(r.items, 4000);
  EXPECT_FALSE(r.batches.Pending());
  EXPECT_EQ(ResultCountText(r.batches.Total()), L"検索結果 : 4000    項目");
}

TEST(SearchBatches, OutcomesWithoutHits) {
  Recorder r;
  EXPECT_EQ(r.batches.Cancel(), SearchOutcome::kNoHit);  // before the count is known
  EXPECT_EQ(r.batches.Start(-1, 5), SearchOutcome::kReadError);
  EXPECT_EQ(r.batches.Start(-2, 0), SearchOutcome::kNoHit);
  EXPECT_EQ(r.batches.Start(0, 5), SearchOutcome::kNoHit);
  // A count of zero or below reported as success lists nothing and counts as no hit.
  EXPECT_EQ(r.batches.Start(1, 0), SearchOutcome::kNoHit);
  EXPECT_EQ(r.batches.Start(1, -7), SearchOutcome::kNoHit);
  EXPECT_FALSE(r.batches.RunBatch());
  EXPECT_EQ(r.items, 0);
}

TEST(SearchBatches, HugeCountStopsAtTheCap) {
  Recorder r;
  ASSERT_EQ(r.batches.Start(1, INT32_MAX), SearchOutcome::kHits);
  while (r.batches.Pending()) r.batches.RunBatch();
  EXPECT_EQ(r.items, kMaxListItems);
}

}  // namespace
}  // namespace brisvane
