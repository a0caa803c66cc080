// The picture and sound files made for the command-line reader and the content view, over
// arbitrary data. Input: the picture's height and width (32-bit each, as epwGetImage hands them
// back), four sound format codes, then the data. The data go through every path: as the rows of
// a monochrome picture of that size (whose size follows from its data, as the library
// guarantees: height × width ÷ 8 bytes were read), as a monochrome record with its own head, as
// a colour picture whose BMP headers are checked, and as sound data behind a WAVE header.
#include "BmpImage.h"
#include "LittleEndian.h"
#include "BmpImage.h"
#include "FuzzInput.h"
#include "FuzzTargets.h"
#include "WaveFile.h"

namespace fuzz {

namespace {

void Monochrome(uint32_t width, uint32_t height, const Bytes& bits) {
  if (uint64_t{height} * width / 8 > bits.size()) return;
  std::vector<uint8_t> file = media::MonochromeBmp(width, height, bits);
  if (!file.empty()) {
    FUZZ_CHECK(file.size() >= media::kBmpHeaderSize && file[0] == 'B' && file[1] == 'M');
    FUZZ_CHECK(media::Read32(&file[2]) == file.size());
    FUZZ_CHECK(media::Read32(&file[18]) == width && media::Read32(&file[22]) == height);
  }
}

void MonochromeRecord(const Bytes& record) {
  media::MonochromePicture picture;
  if (!media::ReadMonochromePicture(record.data(), record.size(), &picture)) return;
  FUZZ_CHECK(picture.width >= 1 && picture.width <= media::kMaxPictureSide && picture.height >= 1 &&
             picture.height <= media::kMaxPictureSide);
  FUZZ_CHECK(uint64_t{picture.width / 8} * picture.height <= picture.bits.size());
  std::vector<uint8_t> even = media::EvenRows(picture);
  FUZZ_CHECK(even.size() % 2 == 0);
  std::vector<uint8_t> dib = media::MonochromeDib(picture.width, picture.height, picture.bits);
  std::vector<uint8_t> file = media::MonochromeBmp(picture.width, picture.height, picture.bits);
  FUZZ_CHECK(file.size() == dib.size() + media::kBmpFileHeaderSize);
}

void Colour(const Bytes& bytes) {
  uint32_t width = 0, height = 0;
  if (media::BmpDimensions(bytes, bytes.size(), &width, &height)) FUZZ_CHECK(bytes.size() >= 26);
  media::ColourBmp bmp;
  if (media::CheckColourBmp(bytes.data(), bytes.size(), &bmp) != media::BmpCheck::kOk) return;
  FUZZ_CHECK(bmp.fileSize <= bytes.size() && bmp.dataOffset <= bmp.fileSize);
  FUZZ_CHECK(uint64_t{bmp.dataOffset} + uint64_t{bmp.rowBytes} * bmp.rows <= bytes.size());
  std::vector<uint8_t> dib = media::ColourDib(bytes.data(), bmp);
  FUZZ_CHECK(dib.size() <= bytes.size() + 4 * 256 + media::kBmpInfoHeaderSize);
}

void Sound(const uint8_t codes[4], const Bytes& bytes) {
  media::WaveFormat format = media::FormatOfCodes(codes);
  std::vector<uint8_t> wave = media::WaveFile(format, bytes);
  FUZZ_CHECK(wave.size() == bytes.size() + (format.ownFormatChunk ? 12 : 44));
  FUZZ_CHECK(media::Read32(&wave[4]) == wave.size() - 8);
}

}  // namespace

int FuzzWriters(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  uint32_t height = input.Long(), width = input.Long();
  uint8_t codes[4];
  for (uint8_t& code : codes) code = input.Byte() % 4;
  Bytes bytes = input.Rest();
  Monochrome(width, height, bytes);
  MonochromeRecord(bytes);
  Colour(bytes);
  Sound(codes, bytes);
  return 0;
}

}  // namespace fuzz
