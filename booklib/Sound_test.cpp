#include "Sound.h"

#include <gtest/gtest.h>

#include "Library.h"
#include "ReaderFixture.h"

namespace dunmoor {
namespace {

using fixture::Block;
using fixture::Filled;
using fixture::Join;
using testfiles::Bytes;

// 1F 4A 00 01 <format 21 10> <start> <end> caption 1F 6A
Bytes PcmCode(const Bytes& start, const Bytes& end, const Bytes& caption = {0x41, 0x62}) {
  return Join({{0x1F, 0x4A, 0x00, 0x01, 0x21, 0x10}, start, end, caption, {0x1F, 0x6A}});
}

const Bytes kStart = {0, 0, 0, 0x02, 0, 0};         // 2048
const Bytes kEnd = {0, 0, 0, 0x03, 0x05, 0x12};     // 2048 + 2048 + 512 = 4608

std::vector<uint8_t> Properties() { return std::vector<uint8_t>(kDunmoorSoundPropertiesSize, 0xEE); }

// Blocks 2 and 3 (and 512 bytes of block 4) hold bytes 0, 1, 2, ...; the file is 3 blocks.
class Sounds : public ::testing::Test {
 protected:
  static fixture::TextArea Layout() {
    fixture::TextArea t;
    for (int i = 0; i < 4096; ++i) t.Raw({static_cast<uint8_t>(i * 3)});
    return t;
  }
  Sounds() : book(Layout(), {0x91}, 3) {}
  Library& Lib() { return book.Lib(); }

  fixture::TextBook book;
  std::vector<uint8_t> properties = Properties();
  std::vector<char> buffer = Filled(8192);
};

TEST_F(Sounds, CdAudioCodeGivesTrackTimesAndCaption) {
  std::vector<char> code = Block({0x1F, 0x48, 0x03, 0x00, 0x01, 0x30, 0x00, 0x00, 0x00, 0x15, 0x00, 0x00, 0x41,
                                  0x62, 0x1F, 0x68});
  ASSERT_EQ(Lib().Sounds().GetSoundProp(code.data(), properties.data()), kDunmoorSuccess);
  EXPECT_EQ(Bytes(properties.begin(), properties.begin() + 13),
            (Bytes{0, 3, 1, 30, 0, 15, 0xEE, 0xEE, 0xEE, 0xEE, 0x41, 0x62, 0}));
  // The 1F 4A form: byte 3 track 12 (low nibble 2), the fields one byte later; the caption
  // follows the whole 18-byte code.
  code = Block({0x1F, 0x4A, 0x00, 0x12, 0x00, 0x02, 0x05, 0x00, 0x00, 0x01, 0x07, 0x00, 0x00, 0x00, 0x00, 0x00,
                0x00, 0x00, 0x43, 0x64, 0x1F, 0x6A});
  properties = Properties();
  ASSERT_EQ(Lib().Sounds().GetSoundProp(code.data(), properties.data()), kDunmoorSuccess);
  EXPECT_EQ(Bytes(properties.begin(), properties.begin() + 13),
            (Bytes{0, 12, 2, 5, 1, 7, 0xEE, 0xEE, 0xEE, 0xEE, 0x43, 0x64, 0}));
}

TEST_F(Sounds, SoundDataCodeGivesTheFormatNibbles) {
  std::vector<char> code = Block(PcmCode(kStart, kEnd));
  ASSERT_EQ(Lib().Sounds().GetSoundProp(code.data(), properties.data()), kDunmoorSuccess);
  EXPECT_EQ(Bytes(properties.begin(), properties.begin() + 13),
            (Bytes{1, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 1, 2, 1, 0, 0x41, 0x62, 0}));
}

TEST_F(Sounds, CaptionIsCutAt200Bytes) {
  Bytes caption;
  for (int i = 0; i < 115; ++i) caption.insert(caption.end(), {0x30, static_cast<uint8_t>(0x21 + i % 90)});
  std::vector<char> code = Block(PcmCode(kStart, kEnd, caption));
  ASSERT_EQ(Lib().Sounds().GetSoundProp(code.data(), properties.data()), kDunmoorSuccess);
  EXPECT_EQ(Bytes(properties.begin() + 10, properties.begin() + 210), Bytes(caption.begin(), caption.begin() + 200));
  EXPECT_EQ(properties[210], 0);
  // Without an end code within reach (the copy ends after the caption) the code is refused.
  code = Block(Join({{0x1F, 0x48, 0x03, 0, 0x01, 0x30, 0, 0, 0, 0x15, 0, 0}, caption}));
  properties = Properties();
  EXPECT_EQ(Lib().Sounds().GetSoundProp(code.data(), properties.data()), kDunmoorRefused);
  EXPECT_EQ(properties[0], 0xEE);
}

TEST_F(Sounds, DataFromStartUpToEnd) {
  std::vector<char> code = Block(PcmCode(kStart, kEnd));
  ASSERT_EQ(Lib().Sounds().GetPcmSize(code.data()), 2560);
  ASSERT_EQ(Lib().Sounds().GetPcmCont(code.data(), buffer.data()), 2560);
  EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 2560), book.At(2048, 2560));
  EXPECT_EQ(buffer[2560], '\x5A');
  EXPECT_EQ(Lib().Sounds().GetPcmCont(code.data(), buffer.data()), kDunmoorRefused);
}

TEST_F(Sounds, RequestSurvivesOtherReadsAndIsUsedOnce) {
  std::vector<char> code = Block(PcmCode({0, 0, 0, 0x02, 0x01, 0x00}, {0, 0, 0, 0x02, 0x01, 0x10}));
  EXPECT_EQ(Lib().Sounds().GetPcmCont(code.data(), buffer.data()), kDunmoorRefused);  // no size call yet
  ASSERT_EQ(Lib().Sounds().GetPcmSize(code.data()), 10);
  uint32_t length = 0;
  EXPECT_EQ(Lib().Links().GetLinkContByPt(5000, buffer.data(), 64, &length), 5000);
  ASSERT_EQ(Lib().Sounds().GetPcmCont(code.data(), buffer.data()), 10);
  EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 10), book.At(2148, 10));
  EXPECT_EQ(Lib().Sounds().GetPcmCont(code.data(), buffer.data()), kDunmoorRefused);
}

TEST_F(Sounds, CodesOfTheWrongKindAreRefused) {
  std::vector<char> cd = Block({0x1F, 0x48, 0x03, 0x00, 0x01, 0x30, 0x00, 0x00, 0x00, 0x15, 0x00, 0x00, 0x1F, 0x68});
  EXPECT_EQ(Lib().Sounds().GetPcmSize(cd.data()), kDunmoorRefused);
  std::vector<char> cd4a = Block(PcmCode(kStart, kEnd));
  cd4a[3] = 0x02;
  EXPECT_EQ(Lib().Sounds().GetPcmSize(cd4a.data()), kDunmoorRefused);
  std::vector<char> other = Block({0x1F, 0x44, 0, 0});
  EXPECT_EQ(Lib().Sounds().GetSoundProp(other.data(), properties.data()), kDunmoorRefused);
  other[0] = 0x20;
  other[1] = 0x4A;
  EXPECT_EQ(Lib().Sounds().GetSoundProp(other.data(), properties.data()), kDunmoorRefused);
  EXPECT_EQ(Lib().Sounds().GetPcmSize(other.data()), kDunmoorRefused);
  EXPECT_EQ(properties[0], 0xEE);
}

TEST_F(Sounds, DataThatCannotBeReadNeverReachesARead) {
  struct Case {
    Bytes start, end;
    const char* what;
  } cases[] = {
      {kEnd, kStart, "end before start"},
      {kStart, kStart, "no bytes"},
      {kStart, {0, 0, 0, 0x04, 0, 0x01}, "end past the file (6145 of 6144)"},
      {{0, 0, 0, 0x05, 0, 0}, {0, 0, 0, 0x06, 0, 0}, "start outside the file"},
      {{0, 0, 0, 0, 0, 0}, kEnd, "start block 0"},
      {kStart, {0, 0, 0, 0, 0x05, 0x12}, "end block 0"},
      {{0, 0, 0, 0x0B, 0, 0}, kEnd, "bad nibble in the start block"},
      {kStart, {0, 0, 0, 0x03, 0x05, 0x1C}, "bad nibble in the end offset"},
      {{0x99, 0x99, 0x99, 0x99, 0, 0}, {0x99, 0x99, 0x99, 0x99, 0x99, 0x99}, "beyond any position"},
  };
  for (const Case& c : cases) {
    std::vector<char> code = Block(PcmCode(c.start, c.end));
    EXPECT_EQ(Lib().Sounds().GetPcmSize(code.data()), kDunmoorRefused) << c.what;
    EXPECT_EQ(Lib().Sounds().GetPcmCont(code.data(), buffer.data()), kDunmoorRefused) << c.what;
  }
  // The data may end at the end of the file.
  std::vector<char> code = Block(PcmCode({0, 0, 0, 0x03, 0x20, 0x47}, {0, 0, 0, 0x04, 0, 0}));
  EXPECT_EQ(Lib().Sounds().GetPcmSize(code.data()), 1);
  EXPECT_EQ(Lib().Sounds().GetPcmCont(code.data(), buffer.data()), 1);
  EXPECT_EQ(static_cast<uint8_t>(buffer[0]), book.File().back());
}

TEST(SoundsWithoutBook, EveryCallFails) {
  Library lib;
  std::vector<char> code = Block(PcmCode(kStart, kEnd));
  std::vector<uint8_t> properties = Properties();
  std::vector<char> buffer = Filled(16);
  EXPECT_EQ(lib.Sounds().GetSoundProp(code.data(), properties.data()), kDunmoorFailed);
  EXPECT_EQ(lib.Sounds().GetPcmSize(code.data()), kDunmoorFailed);
  EXPECT_EQ(lib.Sounds().GetPcmCont(code.data(), buffer.data()), kDunmoorFailed);
  EXPECT_EQ(properties[0], 0xEE);
}

}  // namespace
}  // namespace dunmoor
