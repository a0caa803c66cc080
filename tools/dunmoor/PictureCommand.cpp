#include "PictureCommand.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "BmpImage.h"
#include "LittleEndian.h"
#include "BookSession.h"
#include "BookText.h"
#include "TextFormat.h"

namespace cli {

int RunPicture(const Disc& disc, const std::string& position, const std::string& outFile, std::ostream& out,
               std::ostream& err) {
  dunmoor::Library library;
  uint32_t at = 0;
  std::vector<char> block;
  if (int status = OpenCodeBlockAt(&library, disc, position, &at, &block, err)) return status;
  const uint8_t code = static_cast<uint8_t>(block[1]);
  if (block[0] != 0x1F || (code != dunmoor::text::kBeginMonoGraphic && code != dunmoor::text::kBeginColorGraphic)) {
    err << "dunmoor: no graphic starts at " << at << " (a picture begins with 1F 44 or 1F 4D)\n";
    return 1;
  }
  char caption[kDunmoorCaptionSize] = {};
  int32_t size = library.Pictures().GetImageSize(block.data(), caption);
  if (size < 0) {
    err << "dunmoor: the graphic at " << at
        << (size == kDunmoorFailed ? " cannot be read (or the disc changed)\n" : " is damaged (no end code, or data outside the text file)\n");
    return 1;
  }
  std::vector<char> buffer(static_cast<size_t>(size), 0);
  int32_t kind = -1;
  int32_t got = library.Pictures().GetImage(block.data(), buffer.data(), &kind);
  if (got < 0) {
    err << "dunmoor: the picture data of the graphic at " << at << " cannot be read\n";
    return 1;
  }
  std::vector<uint8_t> bytes(buffer.begin(), buffer.end());
  std::string text = BookTextToUtf8(reinterpret_cast<const uint8_t*>(caption), std::strlen(caption));
  std::vector<uint8_t> file;
  if (kind == 0) {
    uint32_t height = media::Read32(&bytes[0]), width = media::Read32(&bytes[4]);
    file = media::MonochromeBmp(width, height, std::vector<uint8_t>(bytes.begin() + 8, bytes.begin() + 8 + got));
    if (file.empty()) {
      err << "dunmoor: the picture at " << at << " (" << width << "x" << height
          << ") is too large for a BMP file\n";
      return 1;
    }
    out << "monochrome picture " << width << "x" << height << ", " << got << " bytes, written as a 1-bit BMP file";
  } else {
    file.assign(bytes.begin(), bytes.begin() + got);
    out << "colour picture, " << got << " bytes";
    uint32_t width = 0, height = 0;
    if (media::BmpDimensions(bytes, static_cast<size_t>(got), &width, &height))
      out << ", a BMP file of " << width << "x" << height;
    else if (got >= 3 && static_cast<uint8_t>(bytes[0]) == 0xFF && static_cast<uint8_t>(bytes[1]) == 0xD8 &&
             static_cast<uint8_t>(bytes[2]) == 0xFF)
      out << ", a JPEG file";
    out << ", written as stored";
  }
  out << ": " << text << "\n";
  return WriteWholeFile(outFile, file, err) ? 0 : 1;
}

}  // namespace cli
