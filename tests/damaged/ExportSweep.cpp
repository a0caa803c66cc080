#include "ExportSweep.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "GlyphGeometry.h"
#include "Library.h"
#include "platform/PathText.h"
#include "TextFormat.h"

namespace damaged {

namespace {

// Search keys of every index kind and search mode (JIS X 0208), named for the failure messages.
const std::pair<const char*, const char*> kKeys[] = {
    {"はし", "\x24\x4F\x24\x37"},       {"は＊", "\x24\x4F\x21\x76"},
    {"＊し", "\x21\x76\x24\x37"},       {"か＊", "\x24\x2B\x21\x76"},
    {"橋", "\x36\x36"},                 {"Ｂ＊", "\x23\x42\x21\x76"},
    {"＊Ｅ", "\x21\x76\x23\x45"},       {"１＊", "\x23\x31\x21\x76"},
    {"Ｔ＊", "\x23\x54\x21\x76"},       {"Ｗ＊", "\x23\x57\x21\x76"},
};

// Keyword searches (words separated by a full-width space) and full-text words.
const std::pair<const char*, const char*> kKeywords[] = {
    {"rain", "\x23\x52\x23\x41\x23\x49\x23\x4E"}, {"s o", "\x23\x53\x21\x21\x23\x4F"}};
const std::pair<const char*, const char*> kTextWords[] = {
    {"は", "\x24\x4F"}, {"学校", "\x33\x58\x39\x3B"}, {"e", "\x23\x65"}};

constexpr int32_t kHitsToRead = 6;
constexpr uint32_t kTextLooked = 0x10000;  // codes are looked for in this much text after the index table
constexpr int kCodesTried = 8;

bool IsRawResult(int32_t r) { return r >= 0 || r == -1; }

// Runs an entry-at-a-time reader to the end of its entry: every piece but the last must deliver
// bytes, so the calls are bounded by the file's size.
void WholeEntry(const char* what, uint64_t fileSize, bool mayRefuse,
                const std::function<int32_t(char*, uint32_t, uint32_t*)>& read) {
  std::vector<char> buffer(512 + 8, 0x5A);
  for (uint64_t call = 0; call <= fileSize / 1 + 2; ++call) {
    uint32_t length = 0;
    int32_t r = read(buffer.data(), 512, &length);
    ASSERT_TRUE(r == 1 || r == 0 || r == -1 || (mayRefuse && r == -2)) << what << " gave " << r;
    ASSERT_EQ(buffer[512], 0x5A) << what << " wrote past its buffer";
    if (r != 0) return;
    ASSERT_GE(length, 1u) << what << " goes on without delivering anything";
  }
  FAIL() << what << " never ends its entry";
}

void ReadHits(dunmoor::Library& lib, int32_t hitCount, uint64_t fileSize, SweepResult* result) {
  for (int32_t i = 0; i < hitCount && i < kHitsToRead; ++i) {
    std::vector<char> heading(kDunmoorHeadingSize + 8, 0x5A);
    WordItem item{};
    item.text = heading.data();
    int32_t got = lib.GetWordItem(i, &item);
    EXPECT_TRUE(got == 1 || got == -1) << "epwGetWordItem gave " << got;
    EXPECT_EQ(heading[kDunmoorHeadingSize], 0x5A) << "epwGetWordItem wrote past 500 bytes";
    std::vector<char> text(4096);
    uint32_t length = 0;
    EXPECT_TRUE(IsRawResult(lib.Text().GetWordCont(i, text.data(), 4096, &length)));
    WholeEntry("epwGetWordContent", fileSize, false,
               [&](char* b, uint32_t n, uint32_t* l) { return lib.Text().GetWordContent(i, b, n, l); });
    ++result->hitsRead;
  }
  std::vector<char> text(4096);
  uint32_t length = 0;
  EXPECT_EQ(lib.Text().GetWordCont(hitCount, text.data(), 4096, &length), -2);
}

void Readers(dunmoor::Library& lib, uint64_t fileSize) {
  std::vector<char> buffer(0x8000);
  uint32_t length = 0;
  EXPECT_TRUE(IsRawResult(lib.Text().GetWordContNext(buffer.data(), 0x8000, &length)));
  EXPECT_TRUE(IsRawResult(lib.Text().GetWordContLast(buffer.data(), 0x1000, &length)));
  int32_t peek = lib.Text().GetContLastNoSet(buffer.data(), 0x8000, &length);
  EXPECT_TRUE(peek == 1 || peek == 0);
  WholeEntry("epwGetNextContentByWord", fileSize, false,
             [&](char* b, uint32_t n, uint32_t* l) { return lib.Text().GetNextContentByWord(b, n, l); });
  WholeEntry("epwGetLastContentByWord", fileSize, false,
             [&](char* b, uint32_t n, uint32_t* l) { return lib.Text().GetLastContentByWord(b, n, l); });
  EXPECT_EQ(lib.Links().GetLinkContByPt(-1, buffer.data(), 16, &length), -2);
  EXPECT_TRUE(IsRawResult(lib.Links().GetLinkContByPt(static_cast<int32_t>(fileSize), buffer.data(), 16, &length)));
}

// The text after the index table, as the codes are copied out of it by the content view.
std::vector<uint8_t> TextHead(dunmoor::Library& lib, uint64_t fileSize) {
  std::vector<char> buffer(kTextLooked);
  uint32_t length = 0;
  if (lib.Links().GetLinkContByPt(2048, buffer.data(), kTextLooked, &length) < 0) return {};
  return std::vector<uint8_t>(buffer.begin(), buffer.begin() + length);
}

// As the content view copies a code into a link slot: 128 bytes and a zero.
std::vector<char> CopyFrom(const std::vector<uint8_t>& text, size_t at) {
  std::vector<char> block(129, 0);
  for (size_t i = 0; i < 128 && at + i < text.size(); ++i) block[i] = static_cast<char>(text[at + i]);
  return block;
}

void Codes(dunmoor::Library& lib, uint64_t fileSize, SweepResult* result) {
  std::vector<uint8_t> text = TextHead(lib, fileSize);
  int references = 0, media = 0;
  for (size_t at = 0; at + 1 < text.size(); ++at) {
    if (text[at] != dunmoor::text::kEscape) continue;
    uint8_t code = text[at + 1];
    std::vector<char> block = CopyFrom(text, at);
    if ((code == 0x42 || code == 0x43) && references++ < kCodesTried) {
      std::vector<char> buffer(256);
      uint32_t length = 0;
      int32_t r = lib.Links().GetLinkContent(block.data(), buffer.data(), 256, &length);
      EXPECT_TRUE(r >= -2) << "GetLinkContent gave " << r;
      WholeEntry("epwGetLinkContent", fileSize, true,
                 [&](char* b, uint32_t n, uint32_t* l) { return lib.Links().GetLinkContentEntry(block.data(), b, n, l); });
    }
    if ((code == 0x44 || code == 0x4D) && media++ < kCodesTried) {
      char caption[kDunmoorCaptionSize];
      int32_t size = lib.Pictures().GetImageSize(block.data(), caption);
      result->imageSizes.push_back(size);
      EXPECT_TRUE(size >= -2) << "epwGetImageSize gave " << size;
      if (size > 0) {
        ASSERT_LE(static_cast<uint64_t>(size), fileSize + 8) << "a picture larger than the book";
        std::vector<char> picture(static_cast<size_t>(size));
        int32_t kind = -1;
        int32_t got = lib.Pictures().GetImage(block.data(), picture.data(), &kind);
        EXPECT_TRUE(got == -1 || (got >= 0 && got <= size)) << "epwGetImage gave " << got;
      }
    }
    if ((code == 0x48 || code == 0x4A) && media++ < kCodesTried) {
      uint8_t properties[kDunmoorSoundPropertiesSize];
      int32_t r = lib.Sounds().GetSoundProp(block.data(), properties);
      EXPECT_TRUE(r == 1 || r == -2) << "epwGetSoundProp gave " << r;
      if (code == 0x4A && (static_cast<uint8_t>(block[3]) & 0x0F) == 1) {
        int32_t size = lib.Sounds().GetPcmSize(block.data());
        result->pcmSizes.push_back(size);
        EXPECT_TRUE(size >= -2);
        if (size > 0) {
          ASSERT_LE(static_cast<uint64_t>(size), fileSize) << "sound data larger than the book";
          std::vector<char> data(static_cast<size_t>(size));
          int32_t got = lib.Sounds().GetPcmCont(block.data(), data.data());
          EXPECT_TRUE(got == -1 || (got >= 0 && got <= size));
        }
      }
    }
  }
}

void Glyphs(dunmoor::Library& lib, SweepResult* result) {
  const uint32_t sizes[] = {16, 24, 30, 48};
  for (uint32_t wide = 0; wide <= 1; ++wide) {
    for (uint32_t size : sizes) {
      dunmoor::GaijiSlot slot;
      ASSERT_TRUE(dunmoor::SlotFor(size, wide, &slot));
      uint16_t first = lib.Gaiji().FirstCode(slot);
      for (uint32_t code : {uint32_t{first}, uint32_t{first} + 1u, uint32_t{first} + 0x100u, 0xFFFFu}) {
        dunmoor::Glyph glyph;
        int32_t r = lib.Gaiji().ReadGlyph(code, size, wide, &glyph);
        EXPECT_TRUE(r == 1 || r == -1 || r == -2) << "glyph read gave " << r;
        result->glyphs[slot].push_back(r);
      }
    }
  }
}

// The headwords around each key, read back as hits: at most count before and count + 1 after,
// the place among them, each hit read as a search's.
void Around(dunmoor::Library& lib, uint64_t fileSize) {
  for (const auto& [name, typed] : kKeys) {
    char key[64] = {};
    std::strcpy(key, typed);
    for (int32_t textPosition : {-1, 0}) {
      WordProperties properties{};
      int32_t place = -7;
      const int32_t r = lib.GetWordsAround(key, textPosition, 4, &properties, &place);
      EXPECT_TRUE(r == 1 || r == -2 || r == -1) << "around " << name << " gave " << r;
      if (r != 1) continue;
      EXPECT_LE(properties.hitCount, 9) << "around " << name;
      EXPECT_TRUE(place >= 0 && place <= properties.hitCount) << "around " << name << ": place " << place;
      for (int32_t i = 0; i < properties.hitCount; ++i) {
        DunmoorHit hit{};
        ASSERT_EQ(lib.GetHit(i, &hit), 1) << "around " << name;
      }
      DunmoorHit past{};
      EXPECT_EQ(lib.GetHit(properties.hitCount, &past), -2);
      // A damaged index may name places outside the text: the readers refuse them cleanly.
      SweepResult read;
      ReadHits(lib, properties.hitCount, fileSize, &read);
    }
  }
}

// The ways in beside the library's own book: a slot of its own, the kind of book asked of the
// disc and of its first record, and the root as a wide path (the same answers as the bytes).
void Beside(const std::string& root, int32_t opened) {
  const int32_t slot = dunmoor::OpenBookSlot(root.c_str(), 0);
  EXPECT_TRUE(slot >= 1 || slot == -1 || slot == -2) << "slot " << slot;
  if (opened == 1 && slot == -1) ADD_FAILURE() << "the book opened, its slot did not";
  if (slot >= 1) {
    dunmoor::Library* book = dunmoor::BookSlot(slot);
    ASSERT_NE(book, nullptr);
    char key[] = "\x24\x4F\x24\x37";
    WordProperties properties{};
    const int32_t r = book->GetWordProperties(key, &properties);
    EXPECT_TRUE(r == 1 || r == -2 || r == -1) << "slot search gave " << r;
    EXPECT_EQ(dunmoor::CloseBookSlot(slot), 1);
  }
  const dunmoor::UnreadableKind disc = dunmoor::DiscKind(root);
  EXPECT_TRUE(disc == dunmoor::UnreadableKind::kNone || disc == dunmoor::UnreadableKind::kEbFamily);
  dunmoor::BookCatalog catalog;
  if (dunmoor::ReadCatalog(root, &catalog) == dunmoor::CatalogResult::kRead && !catalog.empty())
    dunmoor::BookKind(catalog.front());
  std::wstring wide;
  std::string back;
  ASSERT_TRUE(dunmoor::PathToWide(root, &wide));
  ASSERT_TRUE(dunmoor::PathFromWide(wide.c_str(), &back));
  EXPECT_EQ(back, root);
  char bytesTitle[kDunmoorTitleSize] = {}, wideTitle[kDunmoorTitleSize] = {};
  EXPECT_EQ(IsEpwBookW(wide.c_str(), wideTitle), IsEpwBook(root.c_str(), bytesTitle));
  EXPECT_STREQ(wideTitle, bytesTitle);
}

}  // namespace

SweepResult SweepExports(const std::string& root) {
  SweepResult result;
  char title[kDunmoorTitleSize + 8];
  std::memset(title, 0x5A, sizeof title);
  result.isBook = dunmoor::Library::IsEpwBook(root.c_str(), title);
  EXPECT_TRUE(result.isBook == 1 || result.isBook == -1);
  if (result.isBook == 1) {
    EXPECT_EQ(title[80], '\0');
  }
  EXPECT_EQ(title[kDunmoorTitleSize], 0x5A) << "IsEpwBook wrote past 81 bytes";

  dunmoor::Library lib;
  result.openCatalog = lib.OpenEpwing(root.c_str());
  EXPECT_TRUE(result.openCatalog == 1 || result.openCatalog == -1);
  result.books = lib.GetBooks();
  EXPECT_TRUE(result.books == 1 || result.books == -1);
  char infoTitle[kDunmoorTitleSize];
  BookInfo info{0, infoTitle};
  result.bookInfo = lib.GetBookInfo(0, &info);
  EXPECT_TRUE(result.bookInfo == 1 || result.bookInfo == -1);
  result.openBook = lib.BooksOpen();
  EXPECT_TRUE(result.openBook == 1 || result.openBook == -1);
  if (result.openBook != 1) {
    EXPECT_EQ(lib.Links().GetMenuHead(), -1);
    return result;
  }
  uint64_t fileSize = 0;
  lib.Book()->TextFile().Size(&fileSize);
  result.menu = lib.Links().GetMenuHead();
  EXPECT_TRUE(result.menu >= 0 || result.menu == -2);
  for (const auto& [name, typed] : kKeys) {
    char key[64] = {};
    std::strcpy(key, typed);
    WordProperties properties{};
    int32_t r = lib.GetWordProperties(key, &properties);
    result.searches[name] = r;
    EXPECT_TRUE(r == 1 || r == -2 || r == -1) << name << " gave " << r;
    if (r == 1) {
      EXPECT_LE(static_cast<uint64_t>(properties.hitCount), fileSize / 13) << name << ": more hits than entries fit";
      ReadHits(lib, properties.hitCount, fileSize, &result);
    }
  }
  for (const auto& [name, typed] : kKeywords) {
    char key[64] = {};
    std::strcpy(key, typed);
    WordProperties properties{};
    int32_t r = lib.SearchKeywords(key, &properties);
    result.searches[std::string("keyword ") + name] = r;
    EXPECT_TRUE(r == 1 || r == -2 || r == -1) << "keyword " << name << " gave " << r;
    if (r == 1) ReadHits(lib, properties.hitCount, fileSize, &result);
  }
  for (const auto& [name, typed] : kTextWords) {
    int32_t r = lib.BeginFullText(typed);
    EXPECT_EQ(r, 1) << "full text " << name;
    WordProperties properties{};
    // Every piece moves the scan on: the calls are bounded by the file's size.
    uint64_t calls = 0;
    do {
      r = lib.NextFullText(&properties);
    } while (r == 0 && ++calls <= fileSize / dunmoor::kFullTextPiece + 2);
    EXPECT_NE(r, 0) << "full text " << name << " never ends";
    result.searches[std::string("text ") + name] = r;
    EXPECT_TRUE(r == 1 || r == -1) << "full text " << name << " gave " << r;
    EXPECT_LE(static_cast<uint64_t>(properties.hitCount), fileSize / 8) << name << ": more hits than entries fit";
    for (int32_t i = 0; i < properties.hitCount; ++i) {
      uint32_t at = 0, length = 0;
      EXPECT_EQ(lib.GetHitMatch(i, &at, &length), 1);
      EXPECT_LE(uint64_t{at} + length, fileSize) << name << ": a match outside the file";
    }
    ReadHits(lib, properties.hitCount, fileSize, &result);
  }
  Around(lib, fileSize);
  Readers(lib, fileSize);
  Codes(lib, fileSize, &result);
  Glyphs(lib, &result);
  lib.BooksClose();
  lib.CloseEpwing();
  Beside(root, result.openBook);
  return result;
}

}  // namespace damaged
