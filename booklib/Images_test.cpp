#include "Images.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "Library.h"
#include "ReaderFixture.h"
#include "TextFormat.h"

namespace dunmoor {
namespace {

using fixture::Block;
using fixture::Filled;
using fixture::Join;
using testfiles::Bytes;

Bytes MonoCode(const Bytes& height, const Bytes& width, const Bytes& caption, const Bytes& position) {
  return Join({{0x1F, 0x44, 0x00, 0x00}, height, width, caption, {0x1F, 0x64}, position});
}

Bytes ColorCode(const Bytes& position, const Bytes& caption) {
  return Join({{0x1F, 0x4D, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, position, caption, {0x1F, 0x6D}});
}

const Bytes kBlock3 = {0x00, 0x00, 0x00, 0x03, 0x00, 0x00};  // position 4096
const Bytes kAb = {0x41, 0x62};

Bytes Mono8(const Bytes& caption, const Bytes& position = kBlock3) {
  return MonoCode({0, 0, 0, 0x08}, {0, 0, 0, 0x08}, caption, position);
}

// Block 2: text; block 3 from 4096: a 50 x 64 bitmap (400 bytes, bytes 0, 1, 2, ...);
// block 4 from 6144: a colour picture, "data" and length 1078, then 1078 bytes from "BM".
class Pictures : public ::testing::Test {
 protected:
  static fixture::TextArea Layout() {
    fixture::TextArea t;
    t.Raw({0x1F, 0x02, 0x23, 0x41, 0x1F, 0x03});
    t.PadTo(4096);
    for (int i = 0; i < 400; ++i) t.Raw({static_cast<uint8_t>(i)});
    t.PadTo(6144);
    t.Raw({'d', 'a', 't', 'a', 0x36, 0x04, 0x00, 0x00, 'B', 'M'});
    for (int i = 2; i < 1078; ++i) t.Raw({static_cast<uint8_t>(i * 7)});
    return t;
  }
  Pictures() : book(Layout(), {0x91}, 5) {}
  Library& Lib() { return book.Lib(); }

  fixture::TextBook book;
  std::vector<char> caption = Filled(kDunmoorCaptionSize);
  std::vector<char> buffer = Filled(4096);
  int32_t kind = 7;
};

TEST_F(Pictures, MonochromeSizeThenBitmapWithHeightAndWidthFirst) {
  std::vector<char> code = Block(MonoCode({0, 0, 0, 0x50}, {0, 0, 0, 0x64}, kAb, kBlock3));
  ASSERT_EQ(Lib().Pictures().GetImageSize(code.data(), caption.data()), 408);
  EXPECT_EQ(std::string(caption.data()), "Ab");
  EXPECT_EQ(caption[3], '\x5A');
  ASSERT_EQ(Lib().Pictures().GetImage(code.data(), buffer.data(), &kind), 400);
  EXPECT_EQ(kind, 0);
  EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 8), (Bytes{0x32, 0, 0, 0, 0x40, 0, 0, 0}));
  EXPECT_EQ(Bytes(buffer.begin() + 8, buffer.begin() + 408), book.At(4096, 400));
  EXPECT_EQ(buffer[408], '\x5A');
  // The request is used up.
  EXPECT_EQ(Lib().Pictures().GetImage(code.data(), buffer.data(), &kind), kDunmoorRefused);
}

TEST_F(Pictures, ColourPictureIsTheStoredFileByteForByte) {
  std::vector<char> code = Block(ColorCode({0, 0, 0, 0x04, 0, 0}, kAb));
  ASSERT_EQ(Lib().Pictures().GetImageSize(code.data(), caption.data()), 1078);
  EXPECT_EQ(std::string(caption.data()), "Ab");
  // Another read of the text file in between does not spoil the request.
  uint32_t length = 0;
  EXPECT_EQ(Lib().Links().GetLinkContByPt(2048, buffer.data(), 16, &length), 2048);
  ASSERT_EQ(Lib().Pictures().GetImage(code.data(), buffer.data(), &kind), 1078);
  EXPECT_EQ(kind, 1);
  EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 1078), book.At(6152, 1078));
  EXPECT_EQ(buffer[0], 'B');
  EXPECT_EQ(buffer[1078], '\x5A');
  EXPECT_EQ(Lib().Pictures().GetImage(code.data(), buffer.data(), &kind), kDunmoorRefused);
}

TEST_F(Pictures, CaptionsEmptyAndCutToTheBuffer) {
  std::vector<char> code = Block(Mono8({}));
  ASSERT_EQ(Lib().Pictures().GetImageSize(code.data(), caption.data()), 16);
  EXPECT_EQ(caption[0], '\0');
  EXPECT_EQ(caption[1], '\x5A');

  Bytes longCaption;
  for (int i = 0; i < 75; ++i) longCaption.insert(longCaption.end(), {0x30, static_cast<uint8_t>(0x21 + i)});
  code = Block(ColorCode({0, 0, 0, 0x04, 0, 0}, longCaption));
  ASSERT_EQ(Lib().Pictures().GetImageSize(code.data(), caption.data()), 1078);
  EXPECT_EQ(Bytes(caption.begin(), caption.begin() + 99), Bytes(longCaption.begin(), longCaption.begin() + 99));
  EXPECT_EQ(caption[99], '\0');
}

TEST_F(Pictures, SizesOfWellFormedDamagedAndCutCodes) {
  const Bytes h8 = {0, 0, 0, 0x08}, h64 = {0, 0, 0, 0x64};
  Bytes noGraphic = Mono8(kAb), reference = Mono8(kAb);
  noGraphic[0] = 0x1E;
  reference[1] = 0x42;
  const struct {
    const char* what;
    Bytes code;
    int32_t size;
  } cases[] = {
      {"no escape byte", noGraphic, kDunmoorRefused},
      {"a reference", reference, kDunmoorRefused},
      // The zero bytes of the copy end these before any end code.
      {"mono cut after the caption", Join({{0x1F, 0x44, 0, 0, 0, 0, 0, 0x08, 0, 0, 0, 0x08}, kAb}), kDunmoorRefused},
      {"colour cut after the caption", Join({{0x1F, 0x4D}, Bytes(15, 0), {0x04, 0, 0}, kAb}), kDunmoorRefused},
      {"end code beyond the search (caption of 258)", Mono8(Bytes(258, 0x30)), kDunmoorRefused},
      {"caption of 256", Mono8(Bytes(256, 0x30)), 16},
      {"mono block 10, past the file", Mono8(kAb, {0, 0, 0, 0x0A, 0, 0}), kDunmoorRefused},
      {"mono offset A0 is no number", Mono8(kAb, {0, 0, 0, 0x03, 0x00, 0xA0}), kDunmoorRefused},
      {"mono block 0", Mono8(kAb, {0, 0, 0, 0, 0, 0}), kDunmoorRefused},
      {"mono block 6, the end of the file", Mono8(kAb, {0, 0, 0, 0x06, 0, 0}), kDunmoorRefused},
      {"colour block 10", ColorCode({0, 0, 0, 0x0A, 0, 0}, kAb), kDunmoorRefused},
      {"colour offset A0", ColorCode({0, 0, 0, 0x03, 0x00, 0xA0}, kAb), kDunmoorRefused},
      {"colour block 0", ColorCode({0, 0, 0, 0, 0, 0}, kAb), kDunmoorRefused},
      {"colour block 6", ColorCode({0, 0, 0, 0x06, 0, 0}, kAb), kDunmoorRefused},
      {"9999 x 9999 pixels", MonoCode({0, 0, 0x99, 0x99}, {0, 0, 0x99, 0x99}, kAb, kBlock3), kDunmoorRefused},
      {"1 x 4 pixels: no bytes", MonoCode({0, 0, 0, 0x01}, {0, 0, 0, 0x04}, kAb, kBlock3), kDunmoorRefused},
      // Block 5 ends the file at 10240: 64 x 8 pixels from 10176 end on its last byte.
      {"bitmap ending with the file", MonoCode(h64, h8, kAb, {0, 0, 0, 0x05, 0x19, 0x84}), 72},
      {"bitmap one byte past the file", MonoCode(h64, h8, kAb, {0, 0, 0, 0x05, 0x19, 0x85}), kDunmoorRefused},
      {"colour header whose length passes the file", ColorCode(kBlock3, kAb), kDunmoorRefused},  // 04 05 06 07
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Lib().Pictures().GetImageSize(Block(c.code).data(), caption.data()), c.size) << c.what;
  }
  // A code inside the caption with zero argument bytes (1F 09 00 01) does not end it.
  ASSERT_EQ(Lib().Pictures().GetImageSize(Block(Mono8({0x1F, 0x09, 0x00, 0x01, 0x41, 0x62})).data(), caption.data()),
            16);
  EXPECT_EQ(caption[4], 0x41);
}

// The content view hands over its link slot: 128 bytes of the text and a zero. A code cut by
// that end is refused, never read past the copy (the sanitizer build sees any byte read there).
TEST_F(Pictures, CodesCutByTheEndOfAContentViewCopyAreRefused) {
  auto copy = [](const Bytes& code) {
    std::vector<char> slot(code.begin(), code.begin() + std::min<size_t>(code.size(), 128));
    slot.resize(129, 0);
    return slot;
  };
  const Bytes fill(114, 0x30);  // caption characters from byte 12 to byte 126
  // A code inside the caption whose arguments reach past the copy.
  EXPECT_EQ(
      Lib().Pictures().GetImageSize(copy(Mono8(Join({fill, {0x1F, 0x09, 0x00, 0x01}, kAb}))).data(), caption.data()),
      kDunmoorRefused);
  // The end code in the copy's last two bytes: its position was cut off.
  EXPECT_EQ(Lib().Pictures().GetImageSize(copy(Mono8(fill)).data(), caption.data()), kDunmoorRefused);
  // In a longer copy (byte 128 not zero) such codes are read whole; a zero at byte 128 counts as
  // the end of a content view's copy, whatever follows it.
  const Bytes longer = Join({fill, kAb});
  EXPECT_EQ(Lib().Pictures().GetImageSize(Block(Mono8(longer)).data(), caption.data()), 16);
  EXPECT_EQ(
      Lib().Pictures().GetImageSize(Block(Mono8(Join({longer, {0x1F, 0x09, 0x00, 0x01}, kAb}))).data(), caption.data()),
      16);
  EXPECT_EQ(Lib().Pictures().GetImageSize(Block(Mono8(fill)).data(), caption.data()), kDunmoorRefused);
  // Sound: a CD audio code with a decoration code cut at the copy's end.
  Bytes cd = Join({{0x1F, 0x48, 0x03, 0x00, 0x01, 0x30, 0x00, 0x00, 0x00, 0x15, 0x00, 0x00}, fill,
                   {0x1F, 0xE0, 0x00, 0x00}, kAb, {0x1F, 0x68}});
  uint8_t properties[kDunmoorSoundPropertiesSize];
  EXPECT_EQ(Lib().Sounds().GetSoundProp(copy(cd).data(), properties), kDunmoorRefused);
  Bytes cdLonger = cd;
  cdLonger.insert(cdLonger.begin() + 12, kAb.begin(), kAb.end());
  EXPECT_EQ(Lib().Sounds().GetSoundProp(Block(cdLonger).data(), properties), kDunmoorSuccess);
}

TEST_F(Pictures, RequestsOutOfOrderAreRefused) {
  std::vector<char> mono = Block(Mono8(kAb));
  std::vector<char> color = Block(ColorCode({0, 0, 0, 0x04, 0, 0}, kAb));
  EXPECT_EQ(Lib().Pictures().GetImage(mono.data(), buffer.data(), &kind), kDunmoorRefused);
  EXPECT_EQ(kind, 7);
  // A request for a monochrome picture is not read as a colour one; it stays pending.
  ASSERT_EQ(Lib().Pictures().GetImageSize(mono.data(), caption.data()), 16);
  EXPECT_EQ(Lib().Pictures().GetImage(color.data(), buffer.data(), &kind), kDunmoorRefused);
  EXPECT_EQ(Lib().Pictures().GetImage(mono.data(), buffer.data(), &kind), 8);
  EXPECT_EQ(Lib().Pictures().GetImage(mono.data(), buffer.data(), &kind), kDunmoorRefused);
}

TEST_F(Pictures, FailedDiscCheckLeavesTheRequestPending) {
  // A monochrome request: its size call makes no check that could take the report.
  std::vector<char> code = Block(Mono8(kAb));
  ASSERT_EQ(Lib().Pictures().GetImageSize(code.data(), caption.data()), 16);
  // A new file under the data directory fails exactly the next check. Until the watch has
  // reported it, a read may still succeed: the request is then made again.
  std::ofstream(book.DataDir() / "NEWFILE") << "x";
  int32_t result = 0;
  for (int i = 0; i < 40; ++i) {
    result = Lib().Pictures().GetImage(code.data(), buffer.data(), &kind);
    if (result != 8) break;
    ASSERT_EQ(Lib().Pictures().GetImageSize(code.data(), caption.data()), 16);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  ASSERT_EQ(result, kDunmoorFailed);
  result = Lib().Pictures().GetImage(code.data(), buffer.data(), &kind);
  EXPECT_EQ(result, 8);
  EXPECT_EQ(Bytes(buffer.begin() + 8, buffer.begin() + 16), book.At(4096, 8));
}

TEST(PicturesWithoutBook, EveryCallFails) {
  Library lib;
  std::vector<char> code = Block(Mono8(kAb));
  std::vector<char> caption = Filled(kDunmoorCaptionSize), buffer = Filled(64);
  int32_t kind = 7;
  EXPECT_EQ(lib.Pictures().GetImageSize(code.data(), caption.data()), kDunmoorFailed);
  EXPECT_EQ(lib.Pictures().GetImage(code.data(), buffer.data(), &kind), kDunmoorFailed);
  EXPECT_EQ(caption[0], '\x5A');
  EXPECT_EQ(kind, 7);
}

}  // namespace
}  // namespace dunmoor
