// Searching a shelf of books: every line of the shelf file, in order, each book's hits as its
// own search lists them, and the lines whose disc or book does not open passed over.
#include "ShelfCommand.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "BenchCommand.h"
#include "TestFiles.h"

namespace cli {
namespace {

struct Result {
  int code;
  std::string out;
  std::string err;
};

Result Capture(const std::function<int(std::ostream&, std::ostream&)>& command) {
  std::ostringstream out, err;
  int code = command(out, err);
  return {code, out.str(), err.str()};
}

std::string Root(const std::filesystem::path& path) { return std::filesystem::path(path).make_preferred().string(); }

class ShelfFile : public ::testing::Test {
 protected:
  // Writes the shelf file: one line each.
  std::string Write(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    testfiles::WriteFile(dir.Path() / "shelf.txt", testfiles::Bytes(text.begin(), text.end()));
    return dir.Str("shelf.txt");
  }
  Result SearchShelf(const std::string& file, SearchKind kind, const std::vector<std::string>& words) {
    return Capture([&](std::ostream& out, std::ostream& err) { return RunShelfSearch(file, kind, words, out, err); });
  }
  // What the one-book search prints for the book, its hit lines labelled with name.
  static std::string Labelled(const Disc& disc, const std::string& name, SearchKind kind,
                              const std::vector<std::string>& words, int* hits) {
    Result one = Capture([&](std::ostream& out, std::ostream& err) { return RunSearch(disc, kind, words, out, err); });
    std::istringstream lines(one.out);
    std::string line, labelled;
    std::getline(lines, line);  // hits N
    *hits += std::stoi(line.substr(5));
    while (std::getline(lines, line)) labelled += name + " " + line + "\n";
    return labelled;
  }

  const std::string sample = Root(testfiles::BuiltBook("sample"));
  const std::string freepwing = Root(testfiles::BuiltBook("freepwing"));
  const std::string twoBooks = Root(testfiles::SharedBook("two-books"));
  testfiles::TempDir dir;
};

TEST_F(ShelfFile, EveryBookInShelfOrderListsItsHitsAsItsOwnSearchDoes) {
  const std::string file =
      Write({sample, freepwing + "\t0", Root(dir.Path() / "no-such-disc"), "", twoBooks, twoBooks + "\t7"});
  const struct {
    SearchKind kind;
    std::vector<std::string> words;
  } searches[] = {{SearchKind::kHeadword, {"あ*"}}, {SearchKind::kHeadword, {"*る"}},
                  {SearchKind::kFullText, {"学校"}}, {SearchKind::kHeadword, {"TOKYO"}}};
  for (const auto& s : searches) {
    int hits = 0;
    std::string expected = Labelled(Disc(sample), "1:0", s.kind, s.words, &hits) +
                           Labelled(Disc(freepwing, 0), "2:0", s.kind, s.words, &hits) +
                           Labelled(Disc(twoBooks, 0), "5:0", s.kind, s.words, &hits) +
                           Labelled(Disc(twoBooks, 1), "5:1", s.kind, s.words, &hits);
    Result shelf = SearchShelf(file, s.kind, s.words);
    EXPECT_EQ(shelf.code, 0) << s.words[0];
    EXPECT_EQ(shelf.out, "hits " + std::to_string(hits) + "\n" + expected) << s.words[0];
    EXPECT_GT(hits, 0) << s.words[0];
    EXPECT_NE(shelf.err.find("line 3: no such directory"), std::string::npos) << shelf.err;
    EXPECT_NE(shelf.err.find("line 6: the catalog at " + twoBooks + " has no book 7"), std::string::npos) << shelf.err;
  }

  // Books without a keyword index are passed over, each named, and the others searched.
  Result keyword = SearchShelf(file, SearchKind::kKeyword, {"school"});
  EXPECT_EQ(keyword.code, 0);
  EXPECT_EQ(keyword.out.substr(0, 8), "hits 2\n1");
  EXPECT_NE(keyword.out.find("\n2:0 0 "), std::string::npos) << keyword.out;
  EXPECT_NE(keyword.err.find("line 5: book 1: this book has no keyword index"), std::string::npos) << keyword.err;
}

TEST_F(ShelfFile, ABookMustOpenAndTheFileBeReadable) {
  Result none = SearchShelf(Write({Root(dir.Path() / "gone"), sample + "\tx"}), SearchKind::kHeadword, {"あ*"});
  EXPECT_EQ(none.code, 1);
  EXPECT_EQ(none.out, "");
  EXPECT_NE(none.err.find("line 1: no such directory"), std::string::npos) << none.err;
  EXPECT_NE(none.err.find("line 2: a catalog index"), std::string::npos) << none.err;
  EXPECT_NE(none.err.find("no book of the shelf"), std::string::npos) << none.err;

  EXPECT_EQ(SearchShelf(dir.Str("missing.txt"), SearchKind::kHeadword, {"あ"}).code, 1);
  EXPECT_EQ(SearchShelf(Write({sample}), SearchKind::kKeyword, {"a", "b", "c", "d", "e", "f"}).code, 2);
  // Only books without a keyword index: nothing could be searched.
  EXPECT_EQ(SearchShelf(Write({twoBooks}), SearchKind::kKeyword, {"THIS"}).code, 1);
}

TEST_F(ShelfFile, BenchSearchesEveryBookAndReadsHeadingsOfEach) {
  const std::string file = Write({sample, freepwing, Root(dir.Path() / "gone")});
  Result bench = Capture([&](std::ostream& out, std::ostream& err) {
    return RunShelfBench(file, SearchKind::kHeadword, "あ*", "3", "5", out, err);
  });
  EXPECT_EQ(bench.code, 0) << bench.err;
  int hits = 0;
  Labelled(Disc(sample), "", SearchKind::kHeadword, {"あ*"}, &hits);
  Labelled(Disc(freepwing), "", SearchKind::kHeadword, {"あ*"}, &hits);
  EXPECT_EQ(bench.out.substr(0, bench.out.find(" ns_per_search=")),
            "bench books=2 hits=" + std::to_string(hits) + " repeat=3");
  EXPECT_EQ(bench.err.find("line 3"), bench.err.rfind("line 3")) << "one message, not one a repeat";
  EXPECT_EQ(Capture([&](std::ostream& out, std::ostream& err) {
              return RunShelfBench(file, SearchKind::kHeadword, "あ", "0", "5", out, err);
            }).code,
            2);
}

}  // namespace
}  // namespace cli
