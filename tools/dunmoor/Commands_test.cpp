// The reading commands on books: our sample, the one made with freepwing, and a third-party
// disc. Positions come from the books' maps and READMEs.
#include <gtest/gtest.h>

#include <functional>
#include <regex>
#include <sstream>

#include "AroundCommand.h"
#include "BenchCommand.h"
#include "BenchOpenCommand.h"
#include "GaijiCommand.h"
#include "MenuCommand.h"
#include "PictureCommand.h"
#include "SearchCommand.h"
#include "ShowCommand.h"
#include "SoundCommand.h"
#include "TestFiles.h"
#include "TextFormat.h"

namespace cli {
namespace {

struct Result {
  int code;
  std::string out;
  std::string err;
};

using Command = std::function<int(std::ostream&, std::ostream&)>;

Result Capture(const Command& command) {
  std::ostringstream out, err;
  int code = command(out, err);
  return {code, out.str(), err.str()};
}

std::string Root(const std::filesystem::path& path) { return std::filesystem::path(path).make_preferred().string(); }

std::string Sample() { return Root(testfiles::BuiltBook("sample")); }
std::string Freepwing() { return Root(testfiles::BuiltBook("freepwing")); }
std::string TwoBooks() { return Root(testfiles::SharedBook("two-books")); }

Result Search(const Disc& root, const std::string& word) {
  return Capture([&](std::ostream& out, std::ostream& err) { return RunSearch(root, SearchKind::kHeadword, {word}, out, err); });
}
Result Show(const Disc& root, const std::string& position) {
  return Capture([&](std::ostream& out, std::ostream& err) { return RunShow(root, position, out, err); });
}
Result Menu(const Disc& root) {
  return Capture([&](std::ostream& out, std::ostream& err) { return RunMenu(root, out, err); });
}

Result Picture(const Disc& root, const std::string& position, const std::string& file) {
  return Capture([&](std::ostream& out, std::ostream& err) { return RunPicture(root, position, file, out, err); });
}
Result Sound(const Disc& root, const std::string& position, const std::string& file) {
  return Capture([&](std::ostream& out, std::ostream& err) { return RunSound(root, position, file, out, err); });
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The text position of an entry of the sample book, from the map the builder writes beside it.
std::string EntryAt(const char* id) { return std::to_string(testfiles::MappedEntryPosition("sample", id)); }

// Where show marks the first graphic or sound of an entry of the sample book: its code (@POS)
// and its data (at POS).
struct Media {
  std::string code, data;
};
Media MediaOf(const char* id) {
  std::smatch m;
  std::string shown = Show(Sample(), EntryAt(id)).out;
  if (!std::regex_search(shown, m, std::regex("@([0-9]+)(?: at ([0-9]+))?"))) return {"none", "0"};
  return {m[1], m[2].matched ? std::string(m[2]) : "0"};
}

Result Gaiji(const Disc& disc, const std::string& code, const std::string& kind) {
  return Capture([&](std::ostream& out, std::ostream& err) { return RunGaiji(disc, code, kind, "", out, err); });
}

// Everything the reading commands print of a book: searches, every hit's entry, the menu,
// external characters, and (where given) the files of pictures and sounds.
std::string ReadEverything(const Disc& disc, const std::vector<std::string>& words, const std::string& media) {
  std::string seen;
  for (const std::string& word : words) {
    Result found = Search(disc, word);
    seen += found.out + found.err;
    std::istringstream lines(found.out);
    std::string line;
    std::getline(lines, line);
    while (std::getline(lines, line)) {
      std::istringstream fields(line);
      std::string index, position;
      fields >> index >> position;
      seen += Show(disc, position).out;
    }
  }
  seen += Menu(disc).out + Gaiji(disc, "A121", "narrow").out + Gaiji(disc, "A122", "wide").out;
  if (!media.empty()) {
    testfiles::TempDir out;
    std::string picture = out.Str("p.bmp"), colour = out.Str("c.bmp"), sound = out.Str("s.wav");
    seen += Picture(disc, MediaOf("ie").code, picture).out + Picture(disc, MediaOf("hinomaru").code, colour).out +
            Sound(disc, MediaOf("beru").code, sound).out;
    for (const std::string& file : {picture, colour, sound}) {
      testfiles::Bytes bytes = testfiles::ReadFile(file);
      seen += std::string(bytes.begin(), bytes.end());
    }
  }
  return seen;
}

TEST(Commands, CompressedDiscsReadExactlyAsThePlainOnes) {
  struct Pair {
    std::string plain, compressed;
    int32_t book;
    std::vector<std::string> words;
    std::string media;
  };
  const std::vector<std::string> sampleWords = {"あ*", "はし", "*こう", "coffee", "いえ", "ベル", "こころ*"};
  const Pair pairs[] = {
      {TwoBooks(), Root(testfiles::SharedBook("two-books-ebzip")), 0, {"this", "t*", "*e"}, ""},
      {TwoBooks(), Root(testfiles::SharedBook("two-books-ebzip")), 1, {"Tokyo", "*o"}, ""},
      {Sample(), Root(testfiles::BuiltBook("sample-ebz0")), Disc::kFirstUsable, sampleWords, "media"},
      {Sample(), Root(testfiles::BuiltBook("sample-ebz3")), Disc::kFirstUsable, sampleWords, "media"},
      {Sample(), Root(testfiles::BuiltBook("sample-ebz5")), Disc::kFirstUsable, sampleWords, "media"},
      {Freepwing(), Root(testfiles::BuiltBook("freepwing-ebz1")), Disc::kFirstUsable, {"あ*", "*い", "love"}, ""},
  };
  for (const Pair& pair : pairs) {
    std::string plain = ReadEverything(Disc(pair.plain, pair.book), pair.words, pair.media);
    std::string compressed = ReadEverything(Disc(pair.compressed, pair.book), pair.words, pair.media);
    EXPECT_EQ(compressed, plain) << pair.compressed << " book " << pair.book;
    EXPECT_TRUE(Contains(plain, "hits 1")) << pair.plain << " found nothing to compare: " << plain;
  }
}

TEST(Commands, BookNumbersChooseTheBook) {
  EXPECT_EQ(Search(Disc(TwoBooks(), 1), "TOKYO").out, "hits 1\n0 2092 4136 Tokyo\n");
  EXPECT_EQ(Search(Disc(TwoBooks(), 0), "TOKYO").out, "hits 0\n");
  EXPECT_EQ(Search(Disc(TwoBooks(), 7), "TOKYO").code, 2);
  EXPECT_EQ(Menu(Disc(TwoBooks(), 1)).code, 0);
}

// 愛, はし* and zzzz on the sample book are run through the program itself (CMakeLists.txt).
TEST(SearchCommand, SampleBookSearches) {
  // はし in the kana index (three entries), apple in the alphabet index, *こう backwards.
  std::string hashi = Search(Sample(), "はし").out;
  EXPECT_TRUE(std::regex_match(hashi, std::regex("hits 3\n0 " + EntryAt("hashi-bridge") + " [0-9]+ はし【橋】\n1 " +
                                                 EntryAt("hashi-chopsticks") + " [0-9]+ はし【箸】\n2 " +
                                                 EntryAt("hashi-edge") + " [0-9]+ はし【端】\n")))
      << hashi;
  EXPECT_TRUE(std::regex_match(Search(Sample(), "Apple").out,
                               std::regex("hits 1\n0 " + EntryAt("en-apple") + " [0-9]+ apple\n")));
  EXPECT_TRUE(Contains(Search(Sample(), "*こう").out, " がっこう【学校】\n"));
}

// What the sample book's menu tells the user to type finds an entry: the examples in brackets
// of its "How to look a word up" lines; and a reading typed in hiragana finds a katakana word.
TEST(SearchCommand, TheMenusExamplesAndHiraganaReadingsFindTheirEntries) {
  std::istringstream menu(Menu(Sample()).out);
  std::vector<std::string> examples;
  std::smatch m;
  for (std::string line; std::getline(menu, line);) {
    if (!std::regex_search(line, m, std::regex("Type .*\\(([^)]*)\\)"))) continue;
    std::string list = m[1];
    for (size_t from = 0; from <= list.size();) {
      size_t comma = list.find(", ", from);
      examples.push_back(list.substr(from, comma == std::string::npos ? std::string::npos : comma - from));
      if (comma == std::string::npos) break;
      from = comma + 2;
    }
  }
  ASSERT_GE(examples.size(), 6u) << Menu(Sample()).out;
  for (const std::string& word : examples)
    EXPECT_EQ(Search(Sample(), word).out.rfind("hits 0", 0), std::string::npos) << word << " finds nothing";
  EXPECT_TRUE(Contains(Search(Sample(), "ぱん").out, " パン\n"));
  EXPECT_TRUE(Contains(Search(Sample(), "かーど").out, " カード\n"));
  EXPECT_TRUE(Contains(Search(Sample(), "こーひー").out, " コーヒー\n"));
}

TEST(SearchCommand, NothingFoundIsNoError) {
  for (const char* word : {"*", "   ", "はしはしはし"}) {
    Result r = Search(Sample(), word);
    EXPECT_EQ(r.code, 0) << word << r.err;
    EXPECT_EQ(r.out, "hits 0\n") << word;
  }
}

TEST(SearchCommand, FreepwingBook) {
  // Only an as-is index: kana, kanji and Latin keys all fall back to it.
  EXPECT_EQ(Search(Freepwing(), "愛").out, "hits 1\n0 2050 10242 あい【愛】\n");
  EXPECT_EQ(Search(Freepwing(), "はし").out,
            "hits 3\n0 3056 10374 はし【橋】\n1 3100 10386 はし【箸】\n2 3152 10398 はし【端】\n");
  EXPECT_EQ(Search(Freepwing(), "cd").out, "hits 1\n0 4302 10672 シーディー【CD】\n");  // narrow heading
  EXPECT_TRUE(Contains(Search(Freepwing(), "*こう").out, " 2852 ")) << "がっこう through the backward index";
}

TEST(SearchCommand, EveryHeadwordOfTheThirdPartyBook) {
  EXPECT_EQ(Search(TwoBooks(), "here").out, "hits 1\n0 2118 4098 Here\n");
  EXPECT_EQ(Search(TwoBooks(), "THAT").out, "hits 1\n0 2084 4112 That\n");
  EXPECT_EQ(Search(TwoBooks(), "ｔｈｉｓ").out, "hits 1\n0 2050 4126 This\n");
  EXPECT_EQ(Search(TwoBooks(), "where").out, "hits 0\n");
}

TEST(SearchCommand, MissingCatalogOrBadWord) {
  testfiles::TempDir empty;
  Result none = Search(Root(empty.Path()), "a");
  EXPECT_EQ(none.code, 1);
  EXPECT_TRUE(Contains(none.err, "no catalog (a file named CATALOGS) in ")) << none.err;
  Result nowhere = Search(Root(empty.Path() / "nowhere"), "a");
  EXPECT_EQ(nowhere.code, 1);
  EXPECT_TRUE(Contains(nowhere.err, "no such directory: ")) << nowhere.err;
  testfiles::WriteFile(empty.Path() / "CATALOGS", testfiles::Bytes(5, 0));
  EXPECT_TRUE(Contains(Search(Root(empty.Path()), "a").err, "cannot be read")) << "a catalog cut short";
  Result notUtf8 = Search(Sample(), "\xe3\x81");
  EXPECT_EQ(notUtf8.code, 1);
  EXPECT_TRUE(Contains(notUtf8.err, "not UTF-8 text (its bytes: E3 81)")) << notUtf8.err;
  Result outside = Search(Disc(TwoBooks(), 2), "a");
  EXPECT_EQ(outside.code, 2);
  EXPECT_TRUE(Contains(outside.err, "has no book 2 (it lists 2 books, numbers 0 to 1)")) << outside.err;
  Result euro = Search(Sample(), "€");
  EXPECT_EQ(euro.code, 1);
  EXPECT_EQ(euro.out, "");
}

// The sample book's kana index around あかい, and the third-party book's alphabet index (its keys
// in upper case), also around a word past its last key.
TEST(AroundCommand, KeysBeforeAndAfterTheWordInIndexOrder) {
  auto around = [](const Disc& root, const std::string& word, const std::string& count) {
    return Capture([&](std::ostream& out, std::ostream& err) { return RunAround(root, word, count, out, err); });
  };
  EXPECT_EQ(around(Sample(), "あかい", "2").out, "keys 5 place 2\n0 2478 61468 あう\n1 2674 61482 あおい\n2 " +
                                                  EntryAt("akai") + " 61498 あかい\n3 3082 61514 あかるい\n4 3320 61534 あき\n");
  EXPECT_EQ(around(TwoBooks(), "that", "3").out,
            "keys 3 place 1\n0 2118 4098 ＨＥＲＥ\n1 2084 4112 ＴＨＡＴ\n2 2050 4126 ＴＨＩＳ\n");
  EXPECT_EQ(around(TwoBooks(), "tt", "1").out, "keys 1 place 1\n0 2050 4126 ＴＨＩＳ\n");  // past every key
  for (const char* word : {"あか*", "*かい", "€"}) EXPECT_EQ(around(Sample(), word, "2").code, 1) << word;
  EXPECT_EQ(around(Sample(), "あかい", "16384").code, 2);
  EXPECT_EQ(around(Sample(), "あかい", "x").code, 2);
}

TEST(ShowCommand, SampleEntryEndsBeforeTheNextOne) {
  Result r = Show(Sample(), EntryAt("ai"));
  ASSERT_EQ(r.code, 0) << r.err;
  // Every entry begins at the headword's indent (level 1: two blanks), whatever indent the one
  // before ended with.
  EXPECT_EQ(r.out.rfind("  **あい【愛】**　*noun*\n", 0), 0u) << r.out;
  EXPECT_EQ(Show(Sample(), EntryAt("aisukuriimu")).out.rfind("  **アイスクリーム**", 0), 0u);
  EXPECT_TRUE(Contains(r.out, "こい【恋】[→" + EntryAt("koi") + "]")) << r.out;
  EXPECT_TRUE(Contains(r.out, "A mother's love is very deep.")) << "narrow text, closing quote as apostrophe";
  EXPECT_FALSE(Contains(r.out, "アイスクリーム")) << "the next entry";
}

TEST(ShowCommand, SampleGraphicsAndSoundMarkedWithTheirCodePositions) {
  EXPECT_TRUE(std::regex_search(Show(Sample(), EntryAt("ie")).out,
                                std::regex("\\[picture 64x48 @[0-9]+ at [0-9]+: A house \\(drawing\\)\\]")))
      << "いえ";
  EXPECT_TRUE(std::regex_search(Show(Sample(), EntryAt("hinomaru")).out,
                                std::regex("\\[colour picture @[0-9]+ at [0-9]+: The flag")))
      << "ひのまる";
  EXPECT_TRUE(std::regex_search(Show(Sample(), EntryAt("beru")).out, std::regex("\\[sound @[0-9]+ at [0-9]+-[0-9]+: ")))
      << "ベル";
  EXPECT_TRUE(std::regex_search(Show(Sample(), EntryAt("ongaku")).out,
                                std::regex("\\[CD audio @[0-9]+ track 2 0:05\\+0:10: ")))
      << "おんがく";
}

TEST(ShowCommand, ThirdPartyAndFreepwingEntries) {
  EXPECT_EQ(Show(TwoBooks(), "2050").out, "  **This**\n    これ\n");
  EXPECT_EQ(Show(TwoBooks(), "2118").out, "  **Here**\n    ここ\n") << "the last entry ends at 1F 03";
  Result yama = Show(Freepwing(), "2690");
  EXPECT_TRUE(Contains(yama.out, "[colour picture @2750 at 26624: 【図】]")) << yama.out;
  EXPECT_TRUE(Contains(Show(Freepwing(), "3728").out, "{A121}")) << "ひ: a wide external character";
}

// The gaiji book has a character map beside its catalog (JISYO.map): its external characters
// are printed as the characters it names; without the map, as their codes.
TEST(ShowCommand, ExternalCharactersAsTheBooksCharacterMapNamesThem) {
  std::string gaiji = Root(testfiles::SharedBook("gaiji-book"));
  EXPECT_TRUE(Contains(Show(gaiji, "2118").out, "WÒRD")) << Show(gaiji, "2118").out;
  EXPECT_TRUE(Contains(Show(gaiji, "2050").out, "❶辞典❷辞書"));
  testfiles::TempDir copy;
  testfiles::CopyTree(testfiles::SharedBook("gaiji-book"), copy.Path());
  std::filesystem::remove(copy.Path() / "JISYO.map");
  EXPECT_TRUE(Contains(Show(Root(copy.Path()), "2118").out, "W{A121}RD"));
  // In the book's folder, and with lines it cannot read among the good ones.
  testfiles::Bytes map = testfiles::ReadFile(testfiles::SharedBook("gaiji-book") / "JISYO.map");
  std::string text = "garbage\nhA121\t\n" + std::string(map.begin(), map.end());
  testfiles::WriteFile(copy.Path() / "JISYO" / "JISYO.map", testfiles::Bytes(text.begin(), text.end()));
  EXPECT_TRUE(Contains(Show(Root(copy.Path()), "2118").out, "WÒRD"));
}

TEST(ShowCommand, BadPositions) {
  for (const char* position : {"-1", "x", "", "2147483648", "12a"}) {
    Result r = Show(Sample(), position);
    EXPECT_EQ(r.code, 2) << position;
    EXPECT_TRUE(Contains(r.err, "decimal byte offset")) << position;
  }
  Result pastEnd = Show(Sample(), "99999999");
  EXPECT_EQ(pastEnd.code, 1);
  EXPECT_EQ(pastEnd.out, "");
  EXPECT_TRUE(Contains(pastEnd.err, "position 99999999 lies past the end of the text (")) << pastEnd.err;
}

TEST(MenuCommand, MenusAndNone) {
  Result fpw = Menu(Freepwing());
  EXPECT_EQ(fpw.out.rfind("menu at 6144\n  目次\n", 0), 0u) << fpw.out;
  EXPECT_TRUE(Contains(fpw.out, "凡例[→6214]")) << fpw.out;
  EXPECT_TRUE(Contains(fpw.out, "[→2690]")) << fpw.out;
  Result none = Menu(TwoBooks());
  EXPECT_EQ(none.code, 0);
  EXPECT_EQ(none.out, "this book has no menu\n");
}

TEST(BenchCommand, ReportsHitsAndTimes) {
  Result r = Capture([](std::ostream& out, std::ostream& err) { return RunBench(Sample(), SearchKind::kHeadword, "はし", "3", "2", out, err); });
  EXPECT_TRUE(std::regex_match(r.out, std::regex("bench hits=3 repeat=3 ns_per_search=[0-9]+\n"))) << r.out << r.err;
  Result none = Capture([](std::ostream& out, std::ostream& err) { return RunBench(Sample(), SearchKind::kHeadword, "zzz", "2", "5", out, err); });
  EXPECT_TRUE(Contains(none.out, "bench hits=0 repeat=2 ")) << none.out << none.err;
  Result bad = Capture([](std::ostream& out, std::ostream& err) { return RunBench(Sample(), SearchKind::kHeadword, "a", "0", "1", out, err); });
  EXPECT_EQ(bad.code, 2);
  Result open = Capture([](std::ostream& out, std::ostream& err) { return RunBenchOpen(Sample(), "2", out, err); });
  EXPECT_TRUE(std::regex_match(open.out, std::regex("bench-open repeat=2 ns_per_open=[0-9]+\n"))) << open.err;
  testfiles::TempDir empty;
  std::string root = Root(empty.Path());
  Result missing = Capture([&](std::ostream& out, std::ostream& err) { return RunBenchOpen(root, "2", out, err); });
  EXPECT_EQ(missing.code, 1);
}

// ---- picture and sound ----------------------------------------------------------------

// The bytes of the sample book's text file at the data positions of its map.
testfiles::Bytes SampleData(uint32_t from, uint32_t count) {
  testfiles::Bytes file = testfiles::ReadFile(testfiles::BuiltBook("sample") / "SAMPLE" / "DATA" / "HONMON");
  return testfiles::Bytes(file.begin() + from, file.begin() + from + count);
}

uint32_t At(const testfiles::Bytes& b, size_t i) {
  return b[i] | (b[i + 1] << 8) | (b[i + 2] << 16) | (uint32_t{b[i + 3]} << 24);
}

// Paths as the command line gives them, UTF-8 (on Windows the wide command line's): folders
// named in any language hold the disc, its character map and the picture written.
TEST(Commands, FoldersNamedInAnyLanguageAreReadAndWritten) {
  for (const char* name : {u8"日本語の辞書", u8"Ελληνικά"}) {
    testfiles::TempDir dir;
    const std::filesystem::path folder = dir.Path() / std::filesystem::u8path(name);
    std::filesystem::create_directories(folder);
    testfiles::CopyTree(testfiles::SharedBook("gaiji-book"), folder / "gaiji");
    testfiles::CopyTree(testfiles::BuiltBook("sample"), folder / "sample");
    const std::string gaiji = (folder / "gaiji").make_preferred().u8string();
    const std::string sample = (folder / "sample").make_preferred().u8string();
    EXPECT_TRUE(Contains(Show(gaiji, "2118").out, "WÒRD")) << name << ": " << Show(gaiji, "2118").err;
    EXPECT_EQ(Search(sample, "はし").code, 0) << name;
    const std::string file = (folder / std::filesystem::u8path(u8"旗.bmp")).make_preferred().u8string();
    Result r = Picture(sample, MediaOf("hinomaru").code, file);
    EXPECT_EQ(r.code, 0) << name << ": " << r.err;
    EXPECT_EQ(testfiles::ReadFile(folder / std::filesystem::u8path(u8"旗.bmp")).size(), 1598u) << name;
  }
}

TEST(PictureCommand, MonochromePictureBecomesA1BitBmp) {
  testfiles::TempDir dir;
  Media house = MediaOf("ie");
  Result r = Picture(Sample(), house.code, dir.Str("house.bmp"));
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "monochrome picture 64x48, 384 bytes, written as a 1-bit BMP file: A house (drawing)\n");
  testfiles::Bytes bmp = testfiles::ReadFile(dir.Path() / "house.bmp");
  ASSERT_EQ(bmp.size(), 62u + 384u);
  EXPECT_EQ(At(bmp, 18), 64u);
  EXPECT_EQ(At(bmp, 22), 48u);
  // The top row of the picture is the last row of the file.
  testfiles::Bytes bits = SampleData(static_cast<uint32_t>(std::stoul(house.data)), 384);
  EXPECT_EQ(testfiles::Bytes(bmp.end() - 8, bmp.end()), testfiles::Bytes(bits.begin(), bits.begin() + 8));
  EXPECT_EQ(testfiles::Bytes(bmp.begin() + 62, bmp.begin() + 70), testfiles::Bytes(bits.end() - 8, bits.end()));
}

TEST(PictureCommand, ColourPictureIsWrittenAsStored) {
  testfiles::TempDir dir;
  Media flag = MediaOf("hinomaru");
  Result r = Picture(Sample(), flag.code, dir.Str("flag.bmp"));
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "colour picture, 1598 bytes, a BMP file of 48x32, written as stored: The flag of Japan\n");
  EXPECT_EQ(testfiles::ReadFile(dir.Path() / "flag.bmp"), SampleData(static_cast<uint32_t>(std::stoul(flag.data)) + 8, 1598));
}

TEST(SoundCommand, SoundDataBecomeAWaveFileAndCdAudioOnlyADescription) {
  testfiles::TempDir dir;
  Media bell = MediaOf("beru");
  Result r = Sound(Sample(), bell.code, dir.Str("bell.wav"));
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "sound data: format codes 0 0 0 0, 4442 bytes, with their own format chunk: "
                   "Listen: a bell (A, 440 Hz)\n");
  testfiles::Bytes wave = testfiles::ReadFile(dir.Path() / "bell.wav");
  ASSERT_EQ(wave.size(), 12u + 4442u);
  EXPECT_EQ(At(wave, 4), 4446u);
  EXPECT_EQ(testfiles::Bytes(wave.begin() + 12, wave.end()), SampleData(static_cast<uint32_t>(std::stoul(bell.data)), 4442));

  r = Sound(Sample(), MediaOf("ongaku").code, dir.Str("cd.wav"));
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "CD audio: track 2 from 0:05 for 0:10: Listen: a short piece (CD track 2)\n"
                   "no file written: the sound is on an audio track of the disc\n");
  EXPECT_FALSE(std::filesystem::exists(dir.Path() / "cd.wav"));
}

TEST(MediaCommands, WrongPositionsAndFilesAreReported) {
  testfiles::TempDir dir;
  // Not the start of a graphic / sound: the entry start, the sound for picture and back.
  const std::string house = MediaOf("ie").code;
  for (const std::string& position : {EntryAt("ie"), MediaOf("beru").code}) {
    Result r = Picture(Sample(), position, dir.Str("x.bmp"));
    EXPECT_EQ(r.code, 1) << position;
    EXPECT_TRUE(Contains(r.err, "no graphic starts at")) << r.err;
  }
  Result r = Sound(Sample(), house, dir.Str("x.wav"));
  EXPECT_EQ(r.code, 1);
  EXPECT_TRUE(Contains(r.err, "no sound starts at")) << r.err;
  EXPECT_EQ(Picture(Sample(), "x", dir.Str("x.bmp")).code, 2);
  EXPECT_EQ(Sound(Sample(), "-5", dir.Str("x.wav")).code, 2);
  r = Picture(Sample(), house, dir.Str("no-such-dir/x.bmp"));
  EXPECT_EQ(r.code, 1);
  EXPECT_TRUE(Contains(r.err, "cannot write")) << r.err;
  EXPECT_TRUE(Contains(r.err, "No such file or directory")) << "the system's reason: " << r.err;
  EXPECT_FALSE(std::filesystem::exists(dir.Path() / "x.bmp"));
}

}  // namespace
}  // namespace cli
