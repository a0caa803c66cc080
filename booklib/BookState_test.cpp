#include "BookState.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "BookFixture.h"
#include "Catalog.h"

namespace dunmoor {
namespace {

using testfiles::Bytes;
using testfiles::TempDir;
namespace fs = std::filesystem;

// The change watch reports through the system, which may take a moment (it does under Wine).
// A check that sees no change yet is repeated for up to two seconds; the one that sees the
// change must be the only failing one.
bool CheckFailsOnceChangeArrives(BookState* book) {
  for (int i = 0; i < 40; ++i) {
    if (!book->DiscCheck()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

class OpenBook : public ::testing::Test {
 protected:
  void SetUp() override {
    fixture::WriteDisc(root, {{0x00, "", "BOOK"}}, fixture::TextFileBytes({0x90, 0x91}));
    ASSERT_EQ(book.Open(root.Str("BOOK").c_str()), BookState::OpenResult::kOpened);
    data = root.Path() / "BOOK" / "DATA";
  }

  TempDir root;
  BookState book;
  fs::path data;
};

TEST_F(OpenBook, ReadsTheIndexTable) {
  ASSERT_EQ(book.Indexes().size(), 2u);
  EXPECT_EQ(book.Indexes()[0].Identifier(), 0x90);
  EXPECT_EQ(book.Indexes()[0].StartPage(), 2u);
  EXPECT_TRUE(book.IsOpen());
  EXPECT_TRUE(book.DiscCheck());
}

TEST_F(OpenBook, AChangeUnderTheDataDirectoryFailsExactlyTheNextCheck) {
  testfiles::WriteFile(data / "NEWFILE", Bytes(10, 1));
  EXPECT_TRUE(CheckFailsOnceChangeArrives(&book));
  EXPECT_TRUE(book.DiscCheck());
  EXPECT_TRUE(book.DiscCheck());

  fs::rename(data / "NEWFILE", data / "RENAMED");
  EXPECT_TRUE(CheckFailsOnceChangeArrives(&book));
  EXPECT_TRUE(book.DiscCheck());
}

TEST_F(OpenBook, ChangesInSubdirectoriesCount) {
  fs::create_directories(data / "SUB");
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  book.DiscCheck();  // whatever the directory's creation reported
  testfiles::WriteFile(data / "SUB" / "FILE", Bytes(3, 0));
  EXPECT_TRUE(CheckFailsOnceChangeArrives(&book));
  EXPECT_TRUE(book.DiscCheck());
}

TEST_F(OpenBook, ATextFileOfAnotherSizeFailsEveryCheck) {
  Bytes grown = fixture::TextFileBytes({0x90, 0x91}, 3);
  book.TextFile().Close();  // Windows will not replace a file that is open
  testfiles::WriteFile(data / "HONMON", grown);
  EXPECT_TRUE(CheckFailsOnceChangeArrives(&book));
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(book.DiscCheck());
}

TEST_F(OpenBook, AMissingTextFileFailsEveryCheck) {
  book.TextFile().Close();
  fs::remove(data / "HONMON");
  EXPECT_TRUE(CheckFailsOnceChangeArrives(&book));
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(book.DiscCheck());
}

TEST_F(OpenBook, CloseForgetsEverything) {
  EXPECT_TRUE(book.Close());
  EXPECT_FALSE(book.IsOpen());
  EXPECT_TRUE(book.TextPath().empty());
  EXPECT_TRUE(book.Indexes().empty());
  EXPECT_FALSE(book.DiscCheck());
}

// A compressed text file: sizes and positions are the original's; the disc check looks at the
// file on the disc.
TEST(CompressedBook, ReadsAsTheOriginalAndTheCheckWatchesTheStoredFile) {
  const fs::path plain = testfiles::BuiltBook("sample") / "SAMPLE" / "DATA" / "HONMON";
  ASSERT_TRUE(fs::exists(plain)) << "made by the build";
  TempDir root;
  testfiles::CopyTree(testfiles::BuiltBook("sample-ebz3"), root.Path());
  BookState book;
  ASSERT_EQ(book.Open(root.Str("SAMPLE").c_str()), BookState::OpenResult::kOpened);
  EXPECT_TRUE(book.TextFile().IsCompressed());
  EXPECT_EQ(fs::path(book.TextPath()).filename().string().substr(6), ".ebz");
  uint64_t size = 0;
  ASSERT_TRUE(book.TextFile().Size(&size));
  EXPECT_EQ(size, fs::file_size(plain));
  EXPECT_TRUE(book.DiscCheck());

  const fs::path stored = root.Path() / "SAMPLE" / "DATA" / "HONMON.ebz";
  Bytes grown = testfiles::ReadFile(stored);
  grown.push_back(0);
  book.TextFile().Close();  // Windows will not replace a file that is open
  testfiles::WriteFile(stored, grown);
  EXPECT_TRUE(CheckFailsOnceChangeArrives(&book));
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(book.DiscCheck());
}

TEST(IndexDescriptor, StyleFieldsAreTwoBitsFromTheTop) {
  IndexDescriptor d{};
  d.bytes[11] = 0b01'10'00'11;
  d.bytes[12] = 0b00'00'00'01;
  d.bytes[13] = 0b10'00'00'00;
  EXPECT_EQ(d.StyleField(1), 1u);
  EXPECT_EQ(d.StyleField(2), 2u);
  EXPECT_EQ(d.StyleField(3), 0u);
  EXPECT_EQ(d.StyleField(4), 3u);
  EXPECT_EQ(d.StyleField(8), 1u);
  EXPECT_EQ(d.StyleField(9), 2u);
  EXPECT_EQ(d.StyleField(12), 0u);
  EXPECT_EQ(d.StyleField(13), 0u);
}

}  // namespace
}  // namespace dunmoor
