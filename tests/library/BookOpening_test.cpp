// Opening real books through the exported functions: books from a third-party authoring tool,
// the book made with freepwing and our own sample book. The Windows build runs this against
// Dunmoor.dll loaded by name.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

#include "DunmoorApi.h"
#include "TestFiles.h"

namespace {

namespace fs = std::filesystem;

class Exports : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string missing;
    ASSERT_TRUE(BindDunmoor(&api, &missing)) << "cannot bind " << missing;
  }
  void TearDown() override {
    if (api.epwBooksClose) api.epwBooksClose();
    if (api.CloseEpwing) api.CloseEpwing();
  }

  static std::string Root(const fs::path& path) { return fs::path(path).make_preferred().string(); }

  // Opens the disc, checks the first usable book's type and title, opens it.
  void ExpectOpens(const fs::path& disc, uint8_t type, const std::string& title) {
    std::string root = Root(disc);
    char found[81] = {};
    ASSERT_EQ(api.IsEpwBook(root.c_str(), found), 1) << root;
    EXPECT_EQ(std::string(found), title);
    ASSERT_EQ(api.OpenEpwing(root.c_str()), 1) << root;
    EXPECT_EQ(api.epwGetBooks(), 1);
    char buffer[81];
    std::memset(buffer, 'x', sizeof buffer);
    BookInfo info{0xFF, buffer};
    ASSERT_EQ(api.epwGetBookInfo(0, &info), 1);
    EXPECT_EQ(info.type, type);
    EXPECT_EQ(std::string(buffer), title);
    EXPECT_EQ(buffer[80], '\0');
    EXPECT_EQ(api.epwBooksOpen(), 1) << root;
    api.epwBooksClose();
    api.CloseEpwing();
  }

  DunmoorApi api;
};

// Titles as stored: JIS X 0208 bytes.
const std::string kTest = "\x23\x54\x23\x45\x23\x53\x23\x54";       // ＴＥＳＴ
const std::string kChimei = "\x43\x4F\x4C\x3E";                     // 地名
const std::string kJisyo = "\x23\x4A\x23\x49\x23\x53\x23\x59\x23\x4F";  // ＪＩＳＹＯ

TEST_F(Exports, OpenTheThirdPartyBooks) {
  ExpectOpens(testfiles::SharedBook("two-books"), 0x20, kTest);
  ExpectOpens(testfiles::SharedBook("gaiji-book"), 0x20, kJisyo);
}

TEST_F(Exports, EachBookOfTheTwoBookDiscOpensWhenSelected) {
  std::string root = Root(testfiles::SharedBook("two-books"));
  ASSERT_EQ(api.OpenEpwing(root.c_str()), 1);
  char title[81];
  BookInfo info{0, title};
  ASSERT_EQ(api.epwGetBookInfo(1, &info), 1);
  EXPECT_EQ(std::string(title), kChimei);
  EXPECT_EQ(api.epwGetBookInfo(2, &info), -1);
  EXPECT_EQ(api.epwSelectBook(1), 1);  // already usable: the first usable book still opens
  EXPECT_EQ(api.epwBooksOpen(), 1);
}

TEST_F(Exports, EveryBookOfADiscOpensByItsIndex) {
  for (const char* name : {"two-books", "two-books-ebzip"}) {
    std::string root = Root(testfiles::SharedBook(name));
    EXPECT_EQ(api.epwBooksOpenAt(0), -1) << name;  // no catalog yet
    ASSERT_EQ(api.OpenEpwing(root.c_str()), 1) << name;
    for (int32_t index : {-1, 2, 1000}) EXPECT_EQ(api.epwBooksOpenAt(index), -2) << name << index;
    ASSERT_EQ(api.epwBooksOpenAt(1), 1) << name;
    char key[] = "\x23\x54\x23\x4F\x23\x4B\x23\x59\x23\x4F";  // ＴＯＫＹＯ
    WordProperties properties{};
    EXPECT_EQ(api.epwGetWordProperties(key, &properties), 1) << name;  // only the second book has it
    ASSERT_EQ(api.epwBooksOpenAt(0), 1) << name;  // closes book 1 first
    char again[] = "\x23\x54\x23\x4F\x23\x4B\x23\x59\x23\x4F";
    EXPECT_EQ(api.epwGetWordProperties(again, &properties), -2) << name;
    api.epwBooksClose();
    api.CloseEpwing();
  }
}

// What a caller can read of a book: every hit of a few words with its heading and entry.
std::string Everything(DunmoorApi& api, const std::vector<std::string>& keys) {
  std::string seen;
  for (std::string key : keys) {
    WordProperties properties{};
    int32_t found = api.epwGetWordProperties(&key[0], &properties);
    seen += "key " + std::to_string(found) + "\n";
    for (int32_t i = 0; found == 1 && i < properties.hitCount; ++i) {
      char heading[kDunmoorHeadingSize];
      WordItem item{{}, heading};
      EXPECT_EQ(api.epwGetWordItem(i, &item), 1);
      std::string entry(4096, '\0');
      uint32_t length = 0;
      int32_t at = api.GetWordCont(i, &entry[0], static_cast<uint32_t>(entry.size()), &length);
      seen += std::string(heading) + " @" + std::to_string(at) + " " + entry.substr(0, length) + "\n";
    }
  }
  return seen;
}

TEST_F(Exports, ACompressedDiscReadsExactlyAsThePlainOne) {
  // ＴＥＳＴ has "this", "that", "here"; 地名 has "Tokyo"; the wildcard keys list whole indexes.
  const std::vector<std::string> keys = {"\x23\x54\x23\x48\x23\x49\x23\x53", "\x23\x54\x21\x76",
                                         "\x23\x54\x23\x4F\x23\x4B\x23\x59\x23\x4F", "\x21\x76\x23\x45"};
  for (int32_t book : {0, 1}) {
    std::string seen[2];
    const char* discs[2] = {"two-books", "two-books-ebzip"};
    for (int d = 0; d < 2; ++d) {
      ASSERT_EQ(api.OpenEpwing(Root(testfiles::SharedBook(discs[d])).c_str()), 1);
      ASSERT_EQ(api.epwBooksOpenAt(book), 1) << discs[d];
      seen[d] = Everything(api, keys) + "menu " + std::to_string(api.GetMenuHead());
      api.epwBooksClose();
      api.CloseEpwing();
    }
    EXPECT_EQ(seen[1], seen[0]) << "book " << book;
    EXPECT_NE(seen[0].find(" @"), std::string::npos) << "book " << book << " found nothing: " << seen[0];
  }
}

TEST_F(Exports, ADiscCopiedWithIsoNamesReadsAsThePlainOne) {
  // はし, 橋 and a wildcard key: the catalog, the index, the text and the headings.
  const std::vector<std::string> keys = {"\x24\x4F\x24\x37", "\x36\x36", "\x24\x4F\x21\x76"};
  auto read = [&](const char* name) {
    const std::string root = Root(testfiles::BuiltBook(name));
    if (api.OpenEpwing(root.c_str()) != 1 || api.epwBooksOpen() != 1) return std::string("does not open");
    const std::string seen = Everything(api, keys) + "menu " + std::to_string(api.GetMenuHead());
    api.epwBooksClose();
    api.CloseEpwing();
    return seen;
  };
  const std::string plain = read("sample");
  ASSERT_NE(plain.find(" @"), std::string::npos) << plain;
  for (const char* copy : {"sample-iso-dotversion", "sample-iso-version", "sample-iso-dot"})
    EXPECT_EQ(read(copy), plain) << copy;
}

TEST_F(Exports, BooksOfKindsNotReadAreToldApart) {
  const std::string plain = Root(testfiles::BuiltBook("sample")), compressed = Root(testfiles::BuiltBook("sample-honmon2")),
                    eb = Root(testfiles::BuiltBook("sample-eb"));
  char title[kDunmoorTitleSize] = "untouched";
  EXPECT_EQ(api.epwGetBookProblem(plain.c_str(), -1, title), 0);
  EXPECT_EQ(api.epwGetBookProblem(plain.c_str(), 0, title), 0);
  EXPECT_STREQ(title, "untouched");
  EXPECT_EQ(api.epwGetBookProblem(compressed.c_str(), -1, nullptr), 0) << "its catalog is ours";
  EXPECT_EQ(api.epwGetBookProblem(compressed.c_str(), 0, title), kDunmoorCompressedText);
  EXPECT_EQ(std::string(title), "\x4F\x42\x31\x51\x25\x35\x25\x73\x25\x57\x25\x6B\x3C\x2D\x45\x35");  // 和英サンプル辞典
  EXPECT_EQ(api.epwGetBookProblem(compressed.c_str(), 1, title), kDunmoorRefused);
  EXPECT_EQ(api.epwGetBookProblem(eb.c_str(), -1, nullptr), kDunmoorEbFamily);
  EXPECT_EQ(api.epwGetBookProblem(eb.c_str(), 0, nullptr), kDunmoorFailed) << "no catalog of ours to read";
  EXPECT_EQ(api.epwGetBookProblem(nullptr, -1, nullptr), kDunmoorFailed);
  // The library's own catalog and book stay open meanwhile.
  ASSERT_EQ(api.OpenEpwing(plain.c_str()), 1);
  ASSERT_EQ(api.epwBooksOpen(), 1);
  EXPECT_EQ(api.epwGetBookProblem(compressed.c_str(), 0, nullptr), kDunmoorCompressedText);
  char key[] = "\x24\x4F\x24\x37";
  WordProperties properties{};
  EXPECT_EQ(api.epwGetWordProperties(key, &properties), 1);
}

// Natively wide paths are UTF-32 and the file system takes the UTF-8 bytes; on Windows the
// folders get their UTF-16 names, which the system's code page (not 932 in the test prefix)
// cannot spell.
TEST_F(Exports, ABookBelowFoldersNamedInAnyLanguageOpensByItsWidePath) {
  struct Folder {
    const char* utf8;
    const wchar_t* wide;
  };
  const Folder folders[] = {{u8"日本語の辞書", L"日本語の辞書"}, {u8"Ελληνικά", L"Ελληνικά"}};
  testfiles::TempDir scratch;
  const std::string ascii = Root(scratch.Path());
  const std::string key = "\x24\x4F\x24\x37";  // はし
  for (const Folder& folder : folders) {
    const fs::path disc = scratch.Path() / fs::u8path(folder.utf8);
    testfiles::CopyTree(testfiles::BuiltBook("sample"), disc);
    testfiles::WriteFile(disc / "SAMPLE.map", testfiles::Bytes{'h', 'A', '1', '2', '1', '\t', 'u', '0', '0', 'E', '9', '\n'});
    const std::wstring separator(1, static_cast<wchar_t>(fs::path::preferred_separator));
    const std::wstring root = std::wstring(ascii.begin(), ascii.end()) + separator + folder.wide;
    SCOPED_TRACE(folder.utf8);

    char title[kDunmoorTitleSize] = {};
    ASSERT_EQ(api.IsEpwBookW(root.c_str(), title), 1);
    ASSERT_EQ(api.OpenEpwingW(root.c_str()), 1);
    ASSERT_EQ(api.epwBooksOpen(), 1);
    std::vector<char> search(key.begin(), key.end());
    search.push_back('\0');
    WordProperties properties{};
    EXPECT_EQ(api.epwGetWordProperties(search.data(), &properties), 1);
    EXPECT_GT(properties.hitCount, 0);
    wchar_t map[kDunmoorMapPathSize] = {};
    ASSERT_EQ(api.epwGetCharacterMapW(map, kDunmoorMapPathSize), 1);
    EXPECT_EQ(std::wstring(map), root + separator + L"SAMPLE.map");
    EXPECT_EQ(api.epwGetCharacterMapW(map, 8), kDunmoorRefused) << "a buffer too small for it";
    api.epwBooksClose();
    api.CloseEpwing();

    const int32_t slot = api.epwOpenBookSlotW(root.c_str(), 0);
    ASSERT_GT(slot, 0);
    EXPECT_EQ(api.epwSlotGetWordProperties(slot, search.data(), &properties), 1);
    EXPECT_EQ(api.epwCloseBookSlot(slot), 1);
    EXPECT_EQ(api.epwGetBookProblemW(root.c_str(), 0, nullptr), 0);
    EXPECT_EQ(api.epwGetBookProblemW(root.c_str(), 1, nullptr), kDunmoorRefused);
#ifdef _WIN32
    // The design's exports reach it only where the system's code page spells its name.
    char bytes[kDunmoorMapPathSize] = {};
    const bool spelled = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, root.c_str(), -1, bytes, sizeof bytes, nullptr,
                                             nullptr) > 0 &&
                         std::strchr(bytes, '?') == nullptr;
    EXPECT_EQ(api.OpenEpwing(bytes), spelled ? 1 : -1) << GetACP();
    api.CloseEpwing();
#endif
  }
  EXPECT_EQ(api.OpenEpwingW(nullptr), -1);
  EXPECT_EQ(api.IsEpwBookW(L"", nullptr), -1);
}

TEST_F(Exports, BadArgumentsGetFailureResults) {
  char title[81] = "same";
  EXPECT_EQ(api.IsEpwBook("", title), -1);
  EXPECT_EQ(api.IsEpwBook("x", title), -1);
  EXPECT_EQ(api.IsEpwBook(nullptr, title), -1);
  EXPECT_STREQ(title, "same");
  EXPECT_EQ(api.OpenEpwing(nullptr), -1);
  EXPECT_EQ(api.OpenEpwing(std::string(300, 'a').c_str()), -1);
  EXPECT_EQ(api.epwGetBooks(), -1);
  EXPECT_EQ(api.epwBooksOpen(), -1);
  BookInfo info{0, title};
  EXPECT_EQ(api.epwGetBookInfo(0, &info), -1);
  EXPECT_EQ(api.epwSelectBook(0), -1);
  api.epwBooksClose();
  api.CloseEpwing();
}

TEST_F(Exports, OpenTheFreepwingBook) {
  fs::path disc = testfiles::BuiltBook("freepwing");
  ASSERT_TRUE(fs::exists(disc)) << disc << " is made by the native build";
  // テスト用和英小辞典, type 0x60 (a general book, as freepwing's own sample catalog has it);
  // every name on that disc is lower case, unlike its catalog.
  const std::string title = "\x25\x46\x25\x39\x25\x48\x4D\x51\x4F\x42\x31\x51\x3E\x2E\x3C\x2D\x45\x35";
  ExpectOpens(disc, 0x60, title);
}

TEST_F(Exports, OpenTheSampleBook) {
  fs::path disc = testfiles::BuiltBook("sample");
  ASSERT_TRUE(fs::exists(disc)) << disc << " is made by the native build";
  std::string root = Root(disc);
  ASSERT_EQ(api.OpenEpwing(root.c_str()), 1);
  EXPECT_EQ(api.epwBooksOpen(), 1);
}

}  // namespace
