#include "GaijiCommand.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "TestFiles.h"

namespace cli {
namespace {

struct Result {
  int code;
  std::string out;
  std::string err;
};

Result Gaiji(const std::string& root, const std::string& code, const std::string& kind, const std::string& size = "") {
  std::ostringstream out, err;
  int exit = RunGaiji(root, code, kind, size, out, err);
  return {exit, out.str(), err.str()};
}

std::string GaijiBook() { return std::filesystem::path(testfiles::SharedBook("gaiji-book")).make_preferred().string(); }
std::string Sample() { return std::filesystem::path(testfiles::BuiltBook("sample")).make_preferred().string(); }

TEST(GaijiCommand, GlyphsAsText) {
  Result wide = Gaiji(GaijiBook(), "b122", "wide", "16");
  EXPECT_EQ(wide.code, 0);
  EXPECT_EQ(wide.out.substr(0, 4 * 17),
            ".....######.....\n...##########...\n..############..\n.#####....#####.\n");
  // The sample book's narrow e with an acute accent, at the default size.
  Result narrow = Gaiji(Sample(), "A121", "narrow");
  EXPECT_EQ(narrow.code, 0);
  EXPECT_EQ(narrow.out.size(), 16u * 9);
  EXPECT_NE(narrow.out.find('#'), std::string::npos);
}

TEST(GaijiCommand, MissingFontsAndCodesOutsideAFont) {
  Result missing = Gaiji(GaijiBook(), "B121", "wide", "24");
  EXPECT_EQ(missing.code, 1);
  EXPECT_EQ(missing.err, "dunmoor: the book has no wide 24-dot font (or it cannot be read)\n");
  Result outside = Gaiji(GaijiBook(), "B17F", "wide");
  EXPECT_EQ(outside.code, 1);
  EXPECT_EQ(outside.err, "dunmoor: B17F lies outside the book's wide 16-dot font (first code B121)\n");
  EXPECT_TRUE(outside.out.empty());
  EXPECT_EQ(Gaiji(GaijiBook() + "-nothing", "A121", "wide").code, 1);
}

TEST(GaijiCommand, BadArguments) {
  for (const auto& [code, kind, size] : std::vector<std::tuple<std::string, std::string, std::string>>{
           {"", "wide", "16"}, {"A12G", "wide", "16"}, {"1A121", "wide", "16"}, {"A121", "Wide", "16"},
           {"A121", "wide", "20"}, {"A121", "narrow", "x"}, {"A121", "wide", "272"}}) {
    Result result = Gaiji(GaijiBook(), code, kind, size);
    EXPECT_EQ(result.code, 2) << code << " " << kind << " " << size;
    EXPECT_FALSE(result.err.empty());
  }
}

}  // namespace
}  // namespace cli
