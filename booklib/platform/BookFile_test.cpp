#include "BookFile.h"
#include "IsoNames.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "TestFiles.h"

namespace dunmoor {
namespace {

using testfiles::Bytes;
using testfiles::TempDir;

TEST(BookFile, ReadsWhatIsThereAndSucceedsShortAtTheEnd) {
  TempDir dir;
  Bytes bytes(5000);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 7);
  testfiles::WriteFile(dir.Path() / "FILE", bytes);

  BookFile file;
  ASSERT_TRUE(file.Open(dir.Str("FILE")));
  uint64_t size = 0;
  ASSERT_TRUE(file.Size(&size));
  EXPECT_EQ(size, 5000u);

  uint8_t buffer[4096];
  uint32_t got = 0;
  ASSERT_TRUE(file.Seek(4000));
  ASSERT_TRUE(file.Read(buffer, sizeof buffer, &got));
  EXPECT_EQ(got, 1000u);
  EXPECT_EQ(buffer[0], bytes[4000]);
  ASSERT_TRUE(file.Read(buffer, sizeof buffer, &got));  // at the end: success, nothing read
  EXPECT_EQ(got, 0u);
  ASSERT_TRUE(file.Seek(9000));  // beyond the end: the read that follows gets nothing
  ASSERT_TRUE(file.Read(buffer, sizeof buffer, &got));
  EXPECT_EQ(got, 0u);
  EXPECT_TRUE(file.Close());
  EXPECT_FALSE(file.IsOpen());
  EXPECT_FALSE(file.Read(buffer, 1, &got));
}

TEST(BookFile, MissingFilesAndDirectoriesDoNotOpen) {
  TempDir dir;
  BookFile file;
  EXPECT_FALSE(file.Open(dir.Str("NOFILE")));
  EXPECT_FALSE(file.Open(dir.Str()));  // a directory is no file
  uint64_t size;
  EXPECT_FALSE(LookUpFileSize(dir.Str("NOFILE"), &size));
}

TEST(BookFile, MovesOwnership) {
  TempDir dir;
  testfiles::WriteFile(dir.Path() / "FILE", Bytes(10, 1));
  BookFile a;
  ASSERT_TRUE(a.Open(dir.Str("FILE")));
  BookFile b = std::move(a);
  EXPECT_FALSE(a.IsOpen());
  EXPECT_TRUE(b.IsOpen());
  a = std::move(b);
  EXPECT_TRUE(a.IsOpen());
}

TEST(BookFile, NamesMatchWithoutRegardToCase) {
  TempDir dir;
  testfiles::WriteFile(dir.Path() / "Book" / "DATA" / "HONMON", Bytes(100, 0));
  std::string path = dir.Str("book") + kPathSeparator + "data" + kPathSeparator + "honmon";
  BookFile file;
  EXPECT_TRUE(file.Open(path));
  uint64_t size = 0;
  ASSERT_TRUE(LookUpFileSize(path, &size));
  EXPECT_EQ(size, 100u);
}

TEST(BookFile, IsoNamesOfACopiedDiscAreFoundByTheirPlainNames) {
  EXPECT_EQ(IsoPlainName("HONMON.;1"), "HONMON");
  EXPECT_EQ(IsoPlainName("CATALOGS;1"), "CATALOGS");
  EXPECT_EQ(IsoPlainName("HONMON."), "HONMON");
  EXPECT_EQ(IsoPlainName("DATA.EBZ;12"), "DATA.EBZ");
  EXPECT_EQ(IsoPlainName("A;B"), "A;B") << "no version: nothing taken off";
  EXPECT_EQ(IsoPlainName("NAME;"), "NAME;");
  EXPECT_EQ(IsoPlainName(".."), "..");
  EXPECT_TRUE(IsoNameMatches("honmon.;1", "HONMON"));
  EXPECT_FALSE(IsoNameMatches("HONMON2;1", "HONMON"));
  EXPECT_FALSE(IsoNameMatches(";1", ""));

  // Natively every form; on Windows those its names can hold (a name cannot end in a dot there).
  TempDir dir;
  testfiles::WriteFile(dir.Path() / "DATA" / "HONMON.;1", Bytes(3, 0));
  testfiles::WriteFile(dir.Path() / "CATALOGS;1", Bytes(4, 0));
  testfiles::WriteFile(dir.Path() / "DATA" / "honmon.ebz;1", Bytes(5, 0));
  uint64_t size = 0;
  BookFile file;
  EXPECT_TRUE(file.Open(dir.Str("catalogs")));
  ASSERT_TRUE(LookUpFileSize(dir.Str("CATALOGS"), &size));
  EXPECT_EQ(size, 4u);
  ASSERT_TRUE(LookUpFileSize(dir.Str("DATA") + kPathSeparator + "HONMON", &size));
  EXPECT_EQ(size, 3u);
  ASSERT_TRUE(LookUpFileSize(dir.Str("DATA") + kPathSeparator + "HONMON.EBZ", &size));
  EXPECT_EQ(size, 5u);
  EXPECT_EQ(SpelledPath(dir.Str("catalogs")), dir.Str("CATALOGS;1"));
  EXPECT_FALSE(LookUpFileSize(dir.Str("DATA") + kPathSeparator + "HONMON2", &size));
}

#ifndef _WIN32
TEST(BookFile, AnExactNameWinsOverAFoldedOne) {
  TempDir dir;
  testfiles::WriteFile(dir.Path() / "honmon", Bytes(1, 0));
  testfiles::WriteFile(dir.Path() / "HONMON", Bytes(2, 0));
  std::string resolved;
  ASSERT_TRUE(ResolvePathFolded(dir.Str("HONMON"), &resolved));
  EXPECT_EQ(resolved, dir.Str("HONMON"));
  ASSERT_TRUE(ResolvePathFolded(dir.Str("Honmon"), &resolved));
  EXPECT_NE(resolved, dir.Str("Honmon"));
  EXPECT_FALSE(ResolvePathFolded(dir.Str("nothing") + "/honmon", &resolved));
}
#endif

ChangeWatch::Poll PollUntilChanged(ChangeWatch* watch) {
  ChangeWatch::Poll poll = watch->Check();
  for (int i = 0; i < 40 && poll != ChangeWatch::Poll::kChanged; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    poll = watch->Check();
  }
  return poll;
}

TEST(ChangeWatch, ReportsAFileChangeOnce) {
  TempDir dir;
  ChangeWatch watch;
  watch.Start(dir.Str());
  EXPECT_EQ(watch.Check(), ChangeWatch::Poll::kQuiet);
  testfiles::WriteFile(dir.Path() / "A", Bytes(1, 0));
  testfiles::WriteFile(dir.Path() / "B", Bytes(1, 0));
  EXPECT_EQ(PollUntilChanged(&watch), ChangeWatch::Poll::kChanged);
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  watch.Check();  // the second file may have come as a change of its own
  EXPECT_EQ(watch.Check(), ChangeWatch::Poll::kQuiet);
  watch.Stop();
  EXPECT_EQ(watch.Check(), ChangeWatch::Poll::kUnavailable);
}

#ifndef _WIN32
// A watch of a folder held in memory reports each change made below it there once, and none made
// elsewhere in memory; it is trusted as a local disc's watch. The file is found by its ISO name.
TEST(ChangeWatch, OfAFolderInMemoryReportsTheChangesBelowIt) {
  memoryfiles::Put("/mem/disc/BOOK/DATA/HONMON.;1", {1, 2, 3});
  memoryfiles::Put("/mem/other/FILE", {1});
  ChangeWatch watch;
  watch.Start("/mem/disc/book");
  EXPECT_TRUE(watch.ReportsEveryChange());
  EXPECT_EQ(watch.Check(), ChangeWatch::Poll::kQuiet);
  memoryfiles::Put("/mem/other/FILE", {2});
  EXPECT_EQ(watch.Check(), ChangeWatch::Poll::kQuiet) << "a change outside the book";
  uint64_t size = 0;
  ASSERT_TRUE(LookUpFileSize("/mem/disc/book/data/honmon", &size));
  EXPECT_EQ(size, 3u);
  memoryfiles::Put("/mem/disc/BOOK/DATA/HONMON.;1", {1, 2});
  EXPECT_EQ(watch.Check(), ChangeWatch::Poll::kChanged);
  EXPECT_EQ(watch.Check(), ChangeWatch::Poll::kQuiet) << "reported once";
  memoryfiles::Remove("/mem/disc/BOOK/DATA/HONMON.;1");
  EXPECT_EQ(watch.Check(), ChangeWatch::Poll::kChanged);
  EXPECT_FALSE(LookUpFileSize("/mem/disc/book/data/honmon", &size));
  memoryfiles::Clear();
  EXPECT_EQ(watch.Check(), ChangeWatch::Poll::kChanged) << "everything gone";
}
#endif

// A book closed and opened again on the same directory (each search of a shelf does it for
// every book), at once or after its directory changed: the watch started again reports what
// changes after its start, and only that.
TEST(ChangeWatch, AWatchStartedAgainReportsOnlyWhatChangesAfterItsStart) {
  TempDir dir;
  ChangeWatch first;
  first.Start(dir.Str());
  first.Stop();
  ChangeWatch again;
  again.Start(dir.Str());
  EXPECT_EQ(again.Check(), ChangeWatch::Poll::kQuiet);
  EXPECT_TRUE(again.ReportsEveryChange());
  testfiles::WriteFile(dir.Path() / "A", Bytes(1, 0));
  EXPECT_EQ(PollUntilChanged(&again), ChangeWatch::Poll::kChanged);

  again.Stop();
  testfiles::WriteFile(dir.Path() / "A", Bytes(2, 0));
  std::this_thread::sleep_for(std::chrono::milliseconds(ChangeWatch::kLongestBurstMs + 100));
  ChangeWatch third;
  third.Start(dir.Str());
  EXPECT_EQ(third.Check(), ChangeWatch::Poll::kQuiet);
  testfiles::WriteFile(dir.Path() / "A", Bytes(3, 0));
  EXPECT_EQ(PollUntilChanged(&third), ChangeWatch::Poll::kChanged);
}

// Once its book is closed, a book's folder can be removed: at once, or, where a stopped watch
// is kept a moment for the next book (Windows), within a second.
TEST(ChangeWatch, AStoppedWatchLetsItsDirectoryBeRemoved) {
  TempDir dir;
  const std::filesystem::path book = dir.Path() / "BOOK";
  testfiles::WriteFile(book / "DATA" / "HONMON", Bytes(1, 0));
  ChangeWatch watch;
  watch.Start((book / "DATA").string());
  watch.Stop();
  std::error_code error;
  for (int i = 0; i < 20 && std::filesystem::exists(book); ++i) {
    std::filesystem::remove_all(book, error);
    if (std::filesystem::exists(book)) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  EXPECT_FALSE(std::filesystem::exists(book)) << error.message();
}

// More books open than one system wait covers (a shelf kept open by the command line): each
// watch reports its own directory's changes and no other's.
TEST(ChangeWatch, ManyWatchesEachReportTheirOwnDirectory) {
  constexpr int kWatches = 66;
  TempDir dir;
  std::vector<ChangeWatch> watches(kWatches);
  for (int i = 0; i < kWatches; ++i) {
    std::filesystem::create_directory(dir.Path() / std::to_string(i));
    watches[i].Start(dir.Str(std::to_string(i)));
  }
  for (int changed : {0, kWatches - 1}) testfiles::WriteFile(dir.Path() / std::to_string(changed) / "A", Bytes(1, 0));
  EXPECT_EQ(PollUntilChanged(&watches[0]), ChangeWatch::Poll::kChanged);
  EXPECT_EQ(PollUntilChanged(&watches[kWatches - 1]), ChangeWatch::Poll::kChanged);
  for (int i = 1; i < kWatches - 1; ++i) EXPECT_EQ(watches[i].Check(), ChangeWatch::Poll::kQuiet) << i;
}

TEST(ChangeWatch, AWatchThatCannotStartNeverReportsAChange) {
  TempDir dir;
  ChangeWatch watch;
  watch.Start(dir.Str("MISSING"));
  EXPECT_NE(watch.Check(), ChangeWatch::Poll::kChanged);
  testfiles::WriteFile(dir.Path() / "A", Bytes(1, 0));
  EXPECT_NE(watch.Check(), ChangeWatch::Poll::kChanged);
}

}  // namespace
}  // namespace dunmoor
