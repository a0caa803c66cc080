// External characters, pictures and sound. Input: a font file (section), a code block
// (section), then the text file. The font stands in every one of the book's eight slots; the
// code block and every graphic and sound code found in the text are asked for their size and
// data, as the content view asks when the user clicks them.
#include <cstring>

#include "BookRun.h"
#include "FuzzDisc.h"
#include "FuzzTargets.h"
#include "GlyphRaster.h"
#include "TextFormat.h"

namespace fuzz {

namespace {

// The copies of a code block that callers hand over: the content view's link slot (128 bytes of
// the text and a zero) and the command-line reader's (512 bytes of the text and two zeros).
constexpr size_t kContentViewCopy = 128;
constexpr size_t kReaderCopy = 512;

std::vector<char> BlockCopy(const uint8_t* bytes, size_t available, size_t held, size_t zeros) {
  std::vector<char> block(held + zeros, 0);
  if (available > 0) std::memcpy(block.data(), bytes, std::min(available, held));
  return block;
}

void Glyphs(dunmoor::Library& lib, FuzzInput& input) {
  const uint32_t sizes[] = {16, 24, 30, 32, 48, 17};
  const uint32_t codes[] = {0xA121, 0xA122, 0xA221, 0xA17E, 0xA17F, 0xB121, 0xFFFF, input.Word(), input.Word()};
  const int32_t left = static_cast<int8_t>(input.Byte()), top = static_cast<int8_t>(input.Byte());
  const int32_t right = left + input.Byte() - 16, bottom = top + input.Byte() - 16;
  for (uint32_t size : sizes) {
    for (uint32_t wide = 0; wide <= 2; ++wide) {
      for (uint32_t code : codes) {
        dunmoor::Glyph glyph;
        int32_t result = lib.Gaiji().ReadGlyph(code, size, wide, &glyph);
        FUZZ_CHECK(result == 1 || result == -1 || result == -2);
        if (wide == 2 || size == 17) FUZZ_CHECK(result == -2);
        if (result != 1) continue;
        uint64_t pixels = 0;
        dunmoor::ForEachInkArea(glyph, left, top, right, bottom, {-8, -8, 72, 72},
                                [&](const dunmoor::PixelArea& area) {
                                  FUZZ_CHECK(!area.IsEmpty() && area.left >= -8 && area.right <= 72 &&
                                             area.top >= -8 && area.bottom <= 72);
                                  pixels += static_cast<uint64_t>((area.right - area.left) * (area.bottom - area.top));
                                });
        FUZZ_CHECK(pixels <= 80 * 80 * static_cast<uint64_t>(glyph.Geometry().bytesPerRow) * 8 * glyph.Geometry().height);
        std::vector<uint8_t> picture = dunmoor::GlyphPicture24(glyph, 0x0000FF, 0xFFFFFF);
        FUZZ_CHECK(picture.size() == size_t(dunmoor::PictureWidth(glyph)) * 3 * glyph.Geometry().height);
        std::vector<uint8_t> bits = dunmoor::MonochromeBits(glyph);
        FUZZ_CHECK(bits.size() == size_t(dunmoor::MonochromeStride(glyph)) * glyph.Geometry().height);
      }
    }
  }
}

// One graphic or sound code: sizes are checked against the text file before anything is
// allocated, as a caller allocates what the size call says.
void Code(dunmoor::Library& lib, const std::vector<char>& block, uint64_t textSize) {
  GuardedBuffer caption(kDunmoorCaptionSize);
  int32_t bytes = lib.Pictures().GetImageSize(block.data(), caption.Data());
  caption.Check();
  FUZZ_CHECK(bytes >= 0 || bytes == -1 || bytes == -2);
  if (bytes > 0) {
    FUZZ_CHECK(static_cast<uint64_t>(bytes) <= textSize + 8);
    FUZZ_CHECK(std::memchr(caption.Data(), 0, kDunmoorCaptionSize) != nullptr);
    GuardedBuffer picture(static_cast<uint32_t>(bytes));
    int32_t kind = -1;
    int32_t got = lib.Pictures().GetImage(block.data(), picture.Data(), &kind);
    picture.Check();
    FUZZ_CHECK(got == -1 || (got >= 0 && got <= bytes && (kind == 0 || kind == 1)));
    if (got >= 0) FUZZ_CHECK(lib.Pictures().GetImage(block.data(), picture.Data(), &kind) == -2);  // the request is used up
  }

  GuardedBuffer properties(kDunmoorSoundPropertiesSize);
  int32_t sound = lib.Sounds().GetSoundProp(block.data(), reinterpret_cast<uint8_t*>(properties.Data()));
  properties.Check();
  FUZZ_CHECK(sound == 1 || sound == -1 || sound == -2);
  int32_t pcm = lib.Sounds().GetPcmSize(block.data());
  FUZZ_CHECK(pcm >= 0 || pcm == -1 || pcm == -2);
  if (pcm > 0) {
    FUZZ_CHECK(static_cast<uint64_t>(pcm) <= textSize);
    GuardedBuffer data(static_cast<uint32_t>(pcm));
    int32_t got = lib.Sounds().GetPcmCont(block.data(), data.Data());
    data.Check();
    FUZZ_CHECK(got == -1 || (got >= 0 && got <= pcm));
    if (got >= 0) FUZZ_CHECK(lib.Sounds().GetPcmCont(block.data(), data.Data()) == -2);
  }
}

bool IsMediaCode(uint8_t code) { return code == 0x44 || code == 0x4D || code == 0x48 || code == 0x4A; }

}  // namespace

int FuzzMedia(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  Bytes font = input.Section();
  Bytes code = input.Section();
  FuzzInput glyphInput(code.data(), code.size());
  Bytes text = input.Rest();
  FuzzDisc::Get().WriteFonts(font);
  dunmoor::Library lib;
  bool opened = OpenTextBook(&lib, text);
  if (!opened) return 0;
  Glyphs(lib, glyphInput);
  Code(lib, BlockCopy(code.data(), code.size(), kContentViewCopy, 1), text.size());
  Code(lib, BlockCopy(code.data(), code.size(), kReaderCopy, 2), text.size());
  int found = 0;
  for (size_t at = 0; at + 1 < text.size() && found < 16; ++at) {
    if (text[at] != dunmoor::text::kEscape || !IsMediaCode(text[at + 1])) continue;
    ++found;
    Code(lib, BlockCopy(text.data() + at, text.size() - at, kContentViewCopy, 1), text.size());
    Code(lib, BlockCopy(text.data() + at, text.size() - at, kReaderCopy, 2), text.size());
  }
  lib.BooksClose();
  int32_t kind = 0;
  char byte = 0;
  FUZZ_CHECK(lib.Pictures().GetImage("\x1F\x44", &byte, &kind) == -1);  // no book: no request either
  return 0;
}

}  // namespace fuzz
