#include "SoundCommand.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "BookSession.h"
#include "BookText.h"
#include "TextFormat.h"
#include "WaveFile.h"

namespace cli {

int RunSound(const Disc& disc, const std::string& position, const std::string& outFile, std::ostream& out,
             std::ostream& err) {
  dunmoor::Library library;
  uint32_t at = 0;
  std::vector<char> block;
  if (int status = OpenCodeBlockAt(&library, disc, position, &at, &block, err)) return status;
  const uint8_t code = static_cast<uint8_t>(block[1]);
  if (block[0] != 0x1F || (code != dunmoor::text::kBeginCdAudio && code != dunmoor::text::kBeginSound)) {
    err << "dunmoor: no sound starts at " << at << " (a sound begins with 1F 48 or 1F 4A)\n";
    return 1;
  }
  uint8_t properties[kDunmoorSoundPropertiesSize] = {};
  if (library.Sounds().GetSoundProp(block.data(), properties) != kDunmoorSuccess) {
    err << "dunmoor: the sound at " << at << " is damaged (no end code within reach)\n";
    return 1;
  }
  const char* caption = reinterpret_cast<const char*>(properties + 10);
  std::string text = BookTextToUtf8(reinterpret_cast<const uint8_t*>(caption), std::strlen(caption));
  char line[160];
  if (properties[0] == 0) {
    std::snprintf(line, sizeof line, "CD audio: track %u from %u:%02u for %u:%02u", properties[1], properties[2],
                  properties[3], properties[4], properties[5]);
    out << line << ": " << text << "\n"
        << "no file written: the sound is on an audio track of the disc\n";
    return 0;
  }
  int32_t size = library.Sounds().GetPcmSize(block.data());
  if (size < 0) {
    err << "dunmoor: the sound data of the code at " << at
        << (size == kDunmoorFailed ? " cannot be read\n" : " lie outside the text file or have no bytes\n");
    return 1;
  }
  std::vector<char> buffer(static_cast<size_t>(size), 0);
  int32_t got = library.Sounds().GetPcmCont(block.data(), buffer.data());
  if (got < 0) {
    err << "dunmoor: the sound data of the code at " << at << " cannot be read\n";
    return 1;
  }
  media::WaveFormat format = media::FormatOfCodes(properties + 6);
  std::snprintf(line, sizeof line, "sound data: format codes %u %u %u %u, %d bytes, ", properties[6], properties[7],
                properties[8], properties[9], got);
  out << line;
  if (format.ownFormatChunk) {
    out << "with their own format chunk";
  } else {
    out << "raw samples, " << format.channels << " channel(s), " << format.bits << " bits, " << format.rate << " Hz";
  }
  out << ": " << text << "\n";
  std::vector<uint8_t> data(buffer.begin(), buffer.begin() + got);
  return WriteWholeFile(outFile, media::WaveFile(format, data), err) ? 0 : 1;
}

}  // namespace cli
