// The progress dialog's run of a search job, without windows: the design's batches for a
// counted search, the pace of scans and shelves, the list's limit, Cancel and the outcomes.
#include "JobRun.h"

#include <gtest/gtest.h>

#include "SearchRules.h"

namespace brisvane {
namespace {

// A job whose hits come as the test says: all at the first step (counted), or so many a step.
class PlannedJob : public search::SearchJob {
 public:
  PlannedJob(search::JobForm form, std::vector<int32_t> foundAfterStep, bool failAtEnd = false)
      : form(form), plan(std::move(foundAfterStep)), failAtEnd(failAtEnd) {}
  search::JobForm Form() const override { return form; }
  search::JobStep Step() override {
    if (stopped || steps >= plan.size()) return search::JobStep::kDone;
    found = plan[steps++];
    if (steps < plan.size()) return search::JobStep::kGoesOn;
    return failAtEnd ? search::JobStep::kFailed : search::JobStep::kDone;
  }
  int32_t Found() const override { return found; }
  int32_t Books() const override { return static_cast<int32_t>(plan.size()); }
  int32_t BooksDone() const override { return static_cast<int32_t>(steps); }
  void Stop() override { stopped = true; }
  int32_t Place(int32_t, search::HitPlace*) override { return kDunmoorRefused; }
  int32_t Heading(int32_t, std::string*) override { return kDunmoorRefused; }
  size_t steps = 0;

 private:
  search::JobForm form;
  std::vector<int32_t> plan;
  bool failAtEnd;
  bool stopped = false;
  int32_t found = 0;
};

struct Recorder {
  explicit Recorder(search::SearchJob& job) : run(job, [this](int32_t n) { items += n, ++adds; }) {}
  // Ticks until the run is over (at most limit ticks); how many there were.
  int RunOut(int limit = 100) {
    int count = 1;
    while (run.Tick(clock) && count < limit) ++count;
    return count;
  }
  int32_t items = 0;
  int adds = 0;
  uint32_t now = 0;
  JobRun::Clock clock = [this] { return now += 30; };  // each look at the clock, 30 ms later
  JobRun run;
};

search::JobForm kCounted = search::JobForm::kCounted;

TEST(JobRun, ACountedSearchKeepsTheDesignsPace) {
  PlannedJob job(kCounted, {10});
  Recorder r(job);
  EXPECT_EQ(r.run.Pace().firstDelayMs, 100u);
  EXPECT_EQ(r.run.Pace().nextDelayMs, 50u);
  EXPECT_FALSE(r.run.Tick(r.clock)) << "few hits end in the first tick";
  EXPECT_EQ(r.items, 10);
  EXPECT_EQ(r.run.Outcome(), SearchOutcome::kHits);
  EXPECT_EQ(r.run.BarPosition(), 100);
}

TEST(JobRun, FourThousandATickAndAHundredSteps) {
  PlannedJob job(kCounted, {10000});
  Recorder r(job);
  ASSERT_TRUE(r.run.Tick(r.clock));
  EXPECT_EQ(r.items, 4000);
  EXPECT_EQ(r.run.BarPosition(), 40);
  EXPECT_TRUE(r.run.Tick(r.clock));
  EXPECT_EQ(r.items, 8000);
  EXPECT_FALSE(r.run.Tick(r.clock));
  EXPECT_EQ(r.items, 10000);
  EXPECT_EQ(r.run.BarPosition(), 100);
  EXPECT_EQ(r.run.BarRange(), 100);
  EXPECT_EQ(job.steps, 1u) << "the count is asked once";
}

TEST(JobRun, ListIsCappedAt32766Items) {
  PlannedJob job(kCounted, {40000});
  Recorder r(job);
  EXPECT_EQ(r.RunOut(), 9);
  EXPECT_EQ(r.items, kMaxListItems);
  EXPECT_EQ(r.run.Total(), 40000);  // the status shows both numbers
  EXPECT_EQ(ResultCountText(r.run.Total()), L"検索結果 : 32766/40000    項目");

  PlannedJob huge(kCounted, {INT32_MAX});
  Recorder h(huge);
  h.RunOut(20);
  EXPECT_EQ(h.items, kMaxListItems);
}

TEST(JobRun, CancelKeepsTheItemsListed) {
  PlannedJob job(kCounted, {10000});
  Recorder r(job);
  r.run.Tick(r.clock);
  EXPECT_EQ(r.run.Cancel(), SearchOutcome::kHits);
  EXPECT_EQ(r.run.Total(), 4000);
  EXPECT_EQ(r.items, 4000);
  EXPECT_FALSE(r.run.Tick(r.clock));
  EXPECT_EQ(ResultCountText(r.run.Total()), L"検索結果 : 4000    項目");
}

TEST(JobRun, OutcomesWithoutHits) {
  PlannedJob before(kCounted, {5});
  EXPECT_EQ(Recorder(before).run.Cancel(), SearchOutcome::kNoHit) << "before the count is known";
  PlannedJob failing(kCounted, {0}, true);
  Recorder f(failing);
  f.RunOut();
  EXPECT_EQ(f.run.Outcome(), SearchOutcome::kReadError);
  PlannedJob none(kCounted, {0});
  Recorder n(none);
  n.RunOut();
  EXPECT_EQ(n.run.Outcome(), SearchOutcome::kNoHit);
  EXPECT_EQ(n.items, 0);
  EXPECT_EQ(n.adds, 0);
}

TEST(JobRun, AScanListsWhatItFoundEachTickAndSaysSoWhenItsReadFails) {
  PlannedJob job(search::JobForm::kScan, {2, 3, 9, 20, 21, 30, 31});
  Recorder r(job);
  EXPECT_EQ(r.run.Pace().nextDelayMs, 20u);
  ASSERT_TRUE(r.run.Tick(r.clock));
  EXPECT_EQ(job.steps, 1u) << "the first tick: one step, so that the list fills at once";
  EXPECT_EQ(r.items, 2);
  ASSERT_TRUE(r.run.Tick(r.clock));  // steps while its slice lasts: 30 ms a look, 100 ms a tick
  EXPECT_EQ(job.steps, 5u);
  EXPECT_EQ(r.items, 21);
  EXPECT_FALSE(r.run.Tick(r.clock));
  EXPECT_EQ(r.items, 31);
  EXPECT_EQ(r.run.Outcome(), SearchOutcome::kHits);

  PlannedJob failing(search::JobForm::kScan, {4, 6}, true);
  Recorder f(failing);
  f.RunOut();
  EXPECT_EQ(f.run.Outcome(), SearchOutcome::kReadError);
  EXPECT_EQ(f.items, 6) << "what it found stays listed";

  PlannedJob stopped(search::JobForm::kScan, {4, 6, 8});
  Recorder s(stopped);
  s.run.Tick(s.clock);
  EXPECT_EQ(s.run.Cancel(), SearchOutcome::kHits);
  EXPECT_EQ(s.run.Total(), 4);
}

TEST(JobRun, AShelfBeginsBeforeAnyDialogAndItsBarCountsItsBooks) {
  PlannedJob job(search::JobForm::kShelf, {0, 3, 3, 5, 5, 5, 5});
  Recorder r(job);
  EXPECT_TRUE(r.run.Begin(r.clock));  // 30 ms before the dialog: one step at 30 ms a look
  EXPECT_EQ(job.steps, 1u);
  EXPECT_TRUE(r.run.Tick(r.clock));  // the dialog's first tick: one step
  EXPECT_EQ(job.steps, 2u);
  EXPECT_EQ(r.run.BarRange(), 7);
  EXPECT_EQ(r.run.BarPosition(), 2);
  r.RunOut();
  EXPECT_EQ(r.run.Outcome(), SearchOutcome::kHits);
  EXPECT_EQ(r.items, 5);
  EXPECT_EQ(r.run.BarPosition(), 7);

  PlannedJob quick(search::JobForm::kShelf, {2, 4});
  Recorder q(quick);
  EXPECT_FALSE(q.run.Begin([] { return 0u; })) << "a shelf searched before the dialog needs none";
  EXPECT_EQ(q.run.Outcome(), SearchOutcome::kHits);
  EXPECT_EQ(q.items, 4);
  PlannedJob counted(kCounted, {10});
  Recorder c(counted);
  EXPECT_TRUE(c.run.Begin(c.clock));
  EXPECT_EQ(counted.steps, 0u) << "the design's search begins in its dialog";
}

TEST(JobRun, AtOnceListsEverythingInOneGo) {
  PlannedJob job(search::JobForm::kCounted, {40000});
  int32_t items = 0;
  int adds = 0;
  EXPECT_EQ(RunAtOnce(job, [&](int32_t n) { items += n, ++adds; }), SearchOutcome::kHits);
  EXPECT_EQ(items, kMaxListItems);
  EXPECT_EQ(adds, 1);
  PlannedJob failing(search::JobForm::kCounted, {0}, true);
  EXPECT_EQ(RunAtOnce(failing, [](int32_t) {}), SearchOutcome::kReadError);
  PlannedJob none(search::JobForm::kCounted, {0});
  EXPECT_EQ(RunAtOnce(none, [](int32_t) {}), SearchOutcome::kNoHit);
}

}  // namespace
}  // namespace brisvane
