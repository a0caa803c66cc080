#include "MarkupEncoder.h"

#include <gtest/gtest.h>

#include "BuildError.h"

namespace bookbuild {
namespace {

class MarkupEncoderTest : public ::testing::Test {
 protected:
  MarkupEncoderTest() {
    book_.entries.push_back({"target", 1, {}, {}, {}});
    PictureDef mono;
    mono.id = "pic";
    mono.width = 64;
    mono.height = 50;
    book_.pictures.push_back(mono);
    SoundDef sound;
    sound.id = "snd";
    sound.code = 0x2110;
    book_.sounds.push_back(sound);
  }
  EncodedText Encode(const std::string& text) { return MarkupEncoder(book_).Encode({{7, text}}); }
  Bytes Text(const std::string& text) { return Encode(text).bytes; }
  int ErrorLine(std::vector<TextLine> lines) {
    try {
      MarkupEncoder(book_).Encode(lines);
    } catch (const BuildError& e) {
      return e.Line();
    }
    return -1;
  }
  BookDef book_;
};

TEST_F(MarkupEncoderTest, CharactersAndNarrowRuns) {
  EXPECT_EQ(Text("あA b"), (Bytes{0x24, 0x22, 0x1F, 0x04, 0x23, 0x41, 0x21, 0x21, 0x23, 0x62, 0x1F, 0x05, 0x1F, 0x0A}));
  // inside <n> no second pair of narrow codes; the line continues without a newline after '\'
  EXPECT_EQ(MarkupEncoder(book_).Encode({{1, "<n>1</n>\\"}, {2, "{A121}\\<"}}).bytes,
            (Bytes{0x1F, 0x04, 0x23, 0x31, 0x1F, 0x05, 0xA1, 0x21, 0x1F, 0x04, 0x21, 0x63, 0x1F, 0x05, 0x1F, 0x0A}));
  EXPECT_EQ(Text("\\\\"), (Bytes{0x1F, 0x04, 0x21, 0x40, 0x1F, 0x05, 0x1F, 0x0A}));
}

TEST_F(MarkupEncoderTest, EveryAsciiCharacterBecomesAJisX0208Character) {
  for (char c = 0x20; c < 0x7F; ++c) {
    if (c == '{') continue;  // opens an external character code
    uint16_t code = WordToJis(std::string(1, c), 1).at(0);
    EXPECT_GE(code >> 8, 0x21) << c;
    EXPECT_LE(code >> 8, 0x23) << c;  // symbols, digits and letters: rows 1 to 3
  }
  EXPECT_EQ(WordToJis("'\"", 1), (std::vector<uint16_t>{0x2147, 0x2149}));
}

TEST_F(MarkupEncoderTest, SimpleCodes) {
  EXPECT_EQ(Text("<kw arg=0x0200><sub></sub><sup></sup><em></em></kw><indent 3>"),
            (Bytes{0x1F, 0x41, 0x02, 0x00, 0x1F, 0x06, 0x1F, 0x07, 0x1F, 0x0E, 0x1F, 0x0F, 0x1F, 0x12, 0x1F,
                   0x13, 0x1F, 0x61, 0x1F, 0x09, 0x00, 0x03, 0x1F, 0x0A}));
  EXPECT_EQ(Text("<deco></deco><deco2></deco2><skip></skip><raw 1F 99 0001>"),
            (Bytes{0x1F, 0xE0, 0, 0, 0x1F, 0xE1, 0x1F, 0xE2, 0, 0, 0x1F, 0xE3, 0x1F, 0x14, 0x1F, 0x15, 0x1F, 0x99,
                   0x00, 0x01, 0x1F, 0x0A}));
}

TEST_F(MarkupEncoderTest, FirstKeywordIsKeptForTheHeading) {
  EncodedText e = Encode("<kw>あ</kw><kw>い</kw>");
  EXPECT_TRUE(e.hasKeyword);
  EXPECT_EQ(e.keyword, (Bytes{0x24, 0x22}));
}

TEST_F(MarkupEncoderTest, PositionCodesAndFixups) {
  EncodedText ref = Encode("<ref target>あ</ref><ref2 @2:128></ref2>");
  EXPECT_EQ(ref.bytes, (Bytes{0x1F, 0x42, 0x24, 0x22, 0x1F, 0x62, 0, 0, 0, 0, 0, 0, 0x1F, 0x43, 0x1F, 0x63, 0x00,
                              0x00, 0x00, 0x02, 0x01, 0x28, 0x1F, 0x0A}));
  ASSERT_EQ(ref.fixups.size(), 1u);
  EXPECT_EQ(ref.fixups[0].at, 6u);
  EXPECT_EQ(ref.fixups[0].target, "target");

  EncodedText mono = Encode("<mono pic></mono>");
  EXPECT_EQ(Bytes(mono.bytes.begin(), mono.bytes.begin() + 14),
            (Bytes{0x1F, 0x44, 0, 0, 0x00, 0x00, 0x00, 0x50, 0x00, 0x00, 0x00, 0x64, 0x1F, 0x64}));
  EXPECT_EQ(mono.fixups.at(0).kind, Fixup::kPictureData);

  EncodedText sound = Encode("<sound snd></sound>");
  EXPECT_EQ(Bytes(sound.bytes.begin(), sound.bytes.begin() + 6), (Bytes{0x1F, 0x4A, 0x00, 0x01, 0x21, 0x10}));
  ASSERT_EQ(sound.fixups.size(), 2u);
  EXPECT_EQ(sound.fixups[0].at, 6u);
  EXPECT_EQ(sound.fixups[1].at, 12u);
  EXPECT_EQ(sound.bytes[18], 0x1F);
  EXPECT_EQ(sound.bytes[19], 0x6A);
}

TEST_F(MarkupEncoderTest, CdAudioForms) {
  EXPECT_EQ(Text("<cdda track=3 start=1:30 length=0:15></cdda>"),
            (Bytes{0x1F, 0x48, 0x03, 0x00, 0x01, 0x30, 0x00, 0x00, 0x00, 0x15, 0x00, 0x00, 0x1F, 0x68, 0x1F, 0x0A}));
  Bytes form4a = Text("<cdda form=4a track=12 start=2:05 length=1:00></cdda>");
  ASSERT_EQ(form4a.size(), 22u);
  EXPECT_EQ(Bytes(form4a.begin(), form4a.begin() + 11),
            (Bytes{0x1F, 0x4A, 0x00, 0x12, 0x00, 0x02, 0x05, 0x00, 0x00, 0x01, 0x00}));
  EXPECT_EQ(form4a[18], 0x1F);
  EXPECT_EQ(form4a[19], 0x6A);
  // a track ending in 1 would read as sound data in this form
  EXPECT_EQ(ErrorLine({{4, "<cdda form=4a track=11 start=0:00 length=0:01></cdda>"}}), 4);
}

TEST_F(MarkupEncoderTest, ErrorsNameTheLine) {
  EXPECT_EQ(ErrorLine({{3, "<em>"}, {4, "あ"}}), 3);                 // never closed
  EXPECT_EQ(ErrorLine({{5, "<em></sub>"}}), 5);                     // crossed
  EXPECT_EQ(ErrorLine({{6, "<ref nowhere>x</ref>"}}), 6);           // unknown entry
  EXPECT_EQ(ErrorLine({{7, "<ref menu>x</ref>"}}), 7);              // book without menu
  EXPECT_EQ(ErrorLine({{8, "<color pic></color>"}}), 8);            // a monochrome picture
  EXPECT_EQ(ErrorLine({{9, "\xEF\xBD\xB1"}}), 9);                   // half-width katakana: no JIS X 0208 code
  EXPECT_EQ(ErrorLine({{10, "{A12}"}}), 10);
  EXPECT_EQ(ErrorLine({{11, "\\x"}}), 11);
  EXPECT_EQ(ErrorLine({{12, "<blink>"}}), 12);
  EXPECT_EQ(ErrorLine({{13, "<kw"}}), 13);
}

}  // namespace
}  // namespace bookbuild
