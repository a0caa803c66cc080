// Pictures and sound of whole books: the sample book, books the builder makes for the test, and
// the book made with freepwing, each compared with what went into it.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "BookBuild.h"
#include "Library.h"
#include "ReaderFixture.h"
#include "TextFormat.h"

namespace dunmoor {
namespace {

using testfiles::Bytes;

// The code that begins with 1F code in the text at position, as a 256-byte block.
std::vector<char> CodeAt(Library& lib, uint32_t position, uint8_t code) {
  std::vector<char> text(8192, 0);
  uint32_t length = 0;
  if (lib.Links().GetLinkContByPt(static_cast<int32_t>(position), text.data(), 8192, &length) < 0) return {};
  size_t at = text::FindCode(reinterpret_cast<const uint8_t*>(text.data()), length, code);
  if (at >= length) return {};
  std::vector<char> block(text.begin() + static_cast<long>(at), text.begin() + static_cast<long>(at) + 256);
  return block;
}

struct Fetched {
  int32_t size = 0, got = 0, kind = -1;
  std::string caption;
  Bytes bytes;
};

Fetched FetchPicture(Library& lib, const std::vector<char>& code) {
  Fetched f;
  char caption[kDunmoorCaptionSize] = {};
  f.size = lib.Pictures().GetImageSize(code.data(), caption);
  if (f.size <= 0) return f;
  f.caption = caption;
  std::vector<char> buffer(static_cast<size_t>(f.size));
  f.got = lib.Pictures().GetImage(code.data(), buffer.data(), &f.kind);
  f.bytes.assign(buffer.begin(), buffer.end());
  return f;
}

Fetched FetchSound(Library& lib, const std::vector<char>& code) {
  Fetched f;
  f.size = lib.Sounds().GetPcmSize(code.data());
  if (f.size <= 0) return f;
  std::vector<char> buffer(static_cast<size_t>(f.size));
  f.got = lib.Sounds().GetPcmCont(code.data(), buffer.data());
  f.bytes.assign(buffer.begin(), buffer.end());
  return f;
}

Bytes Slice(const Bytes& file, uint32_t from, uint32_t count) {
  return Bytes(file.begin() + from, file.begin() + from + count);
}

uint32_t LittleEndian32(const Bytes& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (uint32_t{b[at + 3]} << 24);
}

// "picture ID data POS ... size N" and "sound ..." lines of the sample book's map.
std::map<std::string, std::pair<uint32_t, uint32_t>> MediaOfMap() {
  std::ifstream map(testfiles::BuiltBook("sample").string() + ".map");
  std::map<std::string, std::pair<uint32_t, uint32_t>> media;
  std::string line;
  while (std::getline(map, line)) {
    std::istringstream words(line);
    std::string kind, id, data, rest;
    uint32_t position = 0, size = 0;
    words >> kind >> id >> data >> position;
    if (kind != "picture" && kind != "sound") continue;
    while (words >> rest && rest != "size") {}
    words >> size;
    media[id] = {position, size};
  }
  return media;
}

TEST(SampleBookMedia, PicturesAreTheDataTheBuilderStored) {
  fixture::SampleBook sample;
  ASSERT_TRUE(sample.opened);
  auto media = MediaOfMap();
  ASSERT_EQ(media.count("pic-house"), 1u);

  Fetched house = FetchPicture(sample.lib, CodeAt(sample.lib, sample.entries["ie"], 0x44));
  EXPECT_EQ(house.size, 64 * 48 / 8 + 8);
  EXPECT_EQ(house.got, 384);
  EXPECT_EQ(house.kind, 0);
  EXPECT_EQ(house.caption.substr(0, 8), "\x1F\x04\x23\x41\x21\x21\x23\x68");  // narrow "A h" of "A house"
  EXPECT_EQ(house.caption.size(), 38u);
  EXPECT_EQ(Slice(house.bytes, 0, 8), (Bytes{48, 0, 0, 0, 64, 0, 0, 0}));
  EXPECT_EQ(Slice(house.bytes, 8, 384), Slice(sample.file, media["pic-house"].first, 384));

  Fetched flag = FetchPicture(sample.lib, CodeAt(sample.lib, sample.entries["hinomaru"], 0x4D));
  const auto [at, stored] = media["pic-flag"];
  EXPECT_EQ(flag.kind, 1);
  ASSERT_EQ(flag.size, static_cast<int32_t>(stored - 8));
  EXPECT_EQ(flag.got, flag.size);
  EXPECT_EQ(flag.bytes, Slice(sample.file, at + 8, stored - 8));
  // A whole bitmap file: "BM", its own size, 48 x 32 pixels.
  EXPECT_EQ(Slice(flag.bytes, 0, 2), (Bytes{'B', 'M'}));
  EXPECT_EQ(LittleEndian32(flag.bytes, 2), stored - 8);
  EXPECT_EQ(LittleEndian32(flag.bytes, 18), 48u);
  EXPECT_EQ(LittleEndian32(flag.bytes, 22), 32u);
}

TEST(SampleBookMedia, SoundAndCdAudio) {
  fixture::SampleBook sample;
  ASSERT_TRUE(sample.opened);
  auto media = MediaOfMap();
  std::vector<char> bell = CodeAt(sample.lib, sample.entries["beru"], 0x4A);
  ASSERT_FALSE(bell.empty());
  std::vector<uint8_t> properties(kDunmoorSoundPropertiesSize, 0xEE);
  ASSERT_EQ(sample.lib.Sounds().GetSoundProp(bell.data(), properties.data()), kDunmoorSuccess);
  EXPECT_EQ(properties[0], 1);
  EXPECT_EQ(properties[6], 0);  // the data begin with their format chunk
  Fetched data = FetchSound(sample.lib, bell);
  EXPECT_EQ(data.size, static_cast<int32_t>(media["snd-bell"].second));
  EXPECT_EQ(data.got, data.size);
  EXPECT_EQ(data.bytes, Slice(sample.file, media["snd-bell"].first, media["snd-bell"].second));
  EXPECT_EQ(Slice(data.bytes, 0, 4), (Bytes{'f', 'm', 't', ' '}));

  std::vector<char> cd = CodeAt(sample.lib, sample.entries["ongaku"], 0x48);
  ASSERT_FALSE(cd.empty());
  properties.assign(kDunmoorSoundPropertiesSize, 0xEE);
  ASSERT_EQ(sample.lib.Sounds().GetSoundProp(cd.data(), properties.data()), kDunmoorSuccess);
  EXPECT_EQ(Bytes(properties.begin(), properties.begin() + 6), (Bytes{0, 2, 0, 5, 0, 10}));
  EXPECT_EQ(sample.lib.Sounds().GetPcmSize(cd.data()), kDunmoorRefused);
}

// A book of our own: a monochrome picture whose bits the test knows, raw sound data, and
// CD audio in the 1F 4A form.
constexpr const char* kSource = R"(book MEDIA
title メディア
index kana id=0x90
picture dots mono
##......########
.#.......#.....#
end
picture two color
palette A=#000000 B=#FF8000
AB
BA
end
sound tone pcm rate=22050 bits=16 channels=2 tone=440 ms=20 format=raw code=0x1234
entry one
key kana いち
text
<kw>いち</kw>
<mono dots>d</mono><color two>c</color><sound tone>s</sound>
<cdda form=4a track=12 start=3:07 length=1:02>x</cdda>
end
)";

TEST(BuiltBookMedia, EveryKindComesBackAsItWentIn) {
  testfiles::TempDir root;
  bookbuild::LayoutMap map;
  bookbuild::BuildStatus status = bookbuild::BuildDisc(kSource, root.Str(), &map);
  ASSERT_TRUE(status.ok) << status.message;
  const bookbuild::BookLayout& layout = map.books.at(0);
  Bytes file = testfiles::ReadFile(root.Path() / "MEDIA" / "DATA" / "HONMON");
  Library lib;
  ASSERT_EQ(lib.OpenEpwing(root.Str().c_str()), kDunmoorSuccess);
  ASSERT_EQ(lib.BooksOpen(), kDunmoorSuccess);
  uint32_t entry = layout.entryText.at("one");

  Fetched dots = FetchPicture(lib, CodeAt(lib, entry, 0x44));
  EXPECT_EQ(dots.bytes, (Bytes{2, 0, 0, 0, 16, 0, 0, 0, 0xC0, 0xFF, 0x40, 0x41}));
  EXPECT_EQ(dots.caption, "\x1F\x04\x23\x64\x1F\x05");

  Fetched two = FetchPicture(lib, CodeAt(lib, entry, 0x4D));
  const bookbuild::DataLayout& picture = layout.pictures.at("two");
  EXPECT_EQ(two.kind, 1);
  EXPECT_EQ(two.bytes, Slice(file, picture.position + 8, picture.size - 8));
  EXPECT_EQ(LittleEndian32(two.bytes, 2), picture.size - 8);

  std::vector<char> tone = CodeAt(lib, entry, 0x4A);
  std::vector<uint8_t> properties(kDunmoorSoundPropertiesSize, 0);
  ASSERT_EQ(lib.Sounds().GetSoundProp(tone.data(), properties.data()), kDunmoorSuccess);
  EXPECT_EQ(Bytes(properties.begin() + 6, properties.begin() + 10), (Bytes{2, 1, 3, 4}));
  const bookbuild::DataLayout& sound = layout.sounds.at("tone");
  EXPECT_EQ(sound.size, 22050u * 4 * 20 / 1000);
  EXPECT_EQ(FetchSound(lib, tone).bytes, Slice(file, sound.position, sound.size));

  // The CD audio code follows the sound code in the text.
  std::vector<char> text(4096, 0);
  uint32_t length = 0;
  lib.Links().GetLinkContByPt(static_cast<int32_t>(entry), text.data(), 4096, &length);
  const uint8_t* t = reinterpret_cast<const uint8_t*>(text.data());
  size_t first = text::FindCode(t, length, 0x4A);
  size_t second = text::FindCode(t, length, 0x4A, first + 2);
  ASSERT_LT(second, length);
  properties.assign(kDunmoorSoundPropertiesSize, 0xEE);
  ASSERT_EQ(lib.Sounds().GetSoundProp(text.data() + second, properties.data()), kDunmoorSuccess);
  EXPECT_EQ(Bytes(properties.begin(), properties.begin() + 6), (Bytes{0, 12, 3, 7, 1, 2}));
  EXPECT_EQ(lib.Sounds().GetPcmSize(text.data() + second), kDunmoorRefused);
}

#ifdef DUNMOOR_FREEPWING_PICTURE
TEST(FreepwingBookMedia, ColourPictureIsTheBitmapThatWentIn) {
  Bytes bmp = testfiles::ReadFile(DUNMOOR_FREEPWING_PICTURE);
  ASSERT_GT(bmp.size(), 62u);
  std::string root = testfiles::BuiltBook("freepwing").string();
  Library lib;
  ASSERT_EQ(lib.OpenEpwing(root.c_str()), kDunmoorSuccess);
  ASSERT_EQ(lib.BooksOpen(), kDunmoorSuccess);
  // やま: its picture code lies in the text; find it by reading the text area.
  std::vector<char> text(1 << 16, 0);
  uint32_t length = 0;
  ASSERT_GE(lib.Links().GetLinkContByPt(0, text.data(), static_cast<uint32_t>(text.size()), &length), 0);
  const uint8_t* t = reinterpret_cast<const uint8_t*>(text.data());
  size_t at = text::FindCode(t, length, 0x4D);
  ASSERT_LT(at, length);
  std::vector<char> code(text.begin() + static_cast<long>(at), text.begin() + static_cast<long>(at) + 256);
  Fetched picture = FetchPicture(lib, code);
  EXPECT_EQ(picture.kind, 1);
  EXPECT_EQ(picture.got, static_cast<int32_t>(bmp.size()));
  EXPECT_EQ(picture.bytes, bmp);
}
#endif

}  // namespace
}  // namespace dunmoor
