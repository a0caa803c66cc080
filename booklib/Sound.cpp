#include "Sound.h"

#include "Dunmoor.h"
#include "MediaCode.h"
#include "TextFormat.h"

namespace dunmoor {

namespace {

constexpr size_t kCdAudioFixed = 12;
constexpr size_t kSoundFixed = 18;
constexpr size_t kCaptionAt = 10;  // in the properties record

bool HoldsSoundData(const uint8_t* code) { return code[1] == text::kBeginSound && (code[3] & 0x0F) == 1; }

uint8_t Bcd1(uint8_t b) { return static_cast<uint8_t>(text::DecodeBcd(&b, 1)); }

}  // namespace

int32_t Sound::GetSoundProp(const char* code, uint8_t* properties) {
  if (!book) return kDunmoorFailed;
  if (!code || !properties) return kDunmoorRefused;
  const uint8_t* bytes = reinterpret_cast<const uint8_t*>(code);
  if (bytes[0] != text::kEscape) return kDunmoorRefused;
  size_t end = 0;
  char* caption = reinterpret_cast<char*>(properties + kCaptionAt);
  if (HoldsSoundData(bytes)) {
    if (!media::FindEndCode(bytes, kSoundFixed, text::kEndSound, 0, &end)) return kDunmoorRefused;
    properties[0] = 1;
    properties[6] = bytes[4] & 0x0F;
    properties[7] = bytes[4] >> 4;
    properties[8] = bytes[5] >> 4;
    properties[9] = bytes[5] & 0x0F;
    media::CopyCaption(bytes, kSoundFixed, end, caption, kSoundCaptionLimit);
    return kDunmoorSuccess;
  }
  // CD audio: 1F 48, or 1F 4A with its fields one byte later. The caption follows the whole
  // code: byte 12 of 1F 48, byte 18 of the 18-byte 1F 4A (its bytes 13-17 are argument bytes).
  size_t shift = 0;
  size_t fixed = kCdAudioFixed;
  uint8_t endCode = text::kEndCdAudio;
  if (bytes[1] == text::kBeginSound) {
    shift = 1;
    fixed = kSoundFixed;
    endCode = text::kEndSound;
  } else if (bytes[1] != text::kBeginCdAudio) {
    return kDunmoorRefused;
  }
  if (!media::FindEndCode(bytes, fixed, endCode, 0, &end)) return kDunmoorRefused;
  properties[0] = 0;
  properties[1] = Bcd1(bytes[2 + shift]);
  properties[2] = Bcd1(bytes[4 + shift]);
  properties[3] = Bcd1(bytes[5 + shift]);
  properties[4] = Bcd1(bytes[8 + shift]);
  properties[5] = Bcd1(bytes[9 + shift]);
  media::CopyCaption(bytes, fixed, end, caption, kSoundCaptionLimit);
  return kDunmoorSuccess;
}

int32_t Sound::GetPcmSize(const char* code) {
  if (!book) return kDunmoorFailed;
  if (!code) return kDunmoorRefused;
  const uint8_t* bytes = reinterpret_cast<const uint8_t*>(code);
  if (bytes[0] != text::kEscape || !HoldsSoundData(bytes)) return kDunmoorRefused;
  uint32_t startBlock = 0, startOffset = 0, endBlock = 0, endOffset = 0;
  if (!media::StrictBcdPosition(bytes + 6, &startBlock, &startOffset) ||
      !media::StrictBcdPosition(bytes + 12, &endBlock, &endOffset))
    return kDunmoorRefused;
  const int64_t start = text::PositionOf(startBlock, startOffset);
  const int64_t end = text::PositionOf(endBlock, endOffset);
  uint64_t fileSize = 0;
  if (!book->TextFile().Size(&fileSize)) return kDunmoorFailed;
  // Nothing to read, an end before the start, or data outside the file: never read.
  if (end <= start || end > INT32_MAX || static_cast<uint64_t>(end) > fileSize) return kDunmoorRefused;
  request = {static_cast<uint32_t>(end - start), startBlock, startOffset};
  if (!book->TextFile().Seek(static_cast<uint32_t>(start))) return kDunmoorFailed;
  return static_cast<int32_t>(request.byteCount);
}

int32_t Sound::GetPcmCont(const char*, char* buffer) {
  if (!book) return kDunmoorFailed;
  if (!buffer || request.byteCount == 0) return kDunmoorRefused;
  const int64_t start = text::PositionOf(request.startBlock, request.startOffset);
  // The request may come from a book closed since: its data must still lie inside this file.
  uint64_t fileSize = 0;
  if (!book->TextFile().Size(&fileSize)) return kDunmoorFailed;
  if (start < 0 || static_cast<uint64_t>(start) + request.byteCount > fileSize) {
    request.byteCount = 0;
    return kDunmoorRefused;
  }
  if (!book->DiscCheck() || !book->TextFile().Seek(static_cast<uint32_t>(start))) return kDunmoorFailed;
  const uint32_t count = request.byteCount;
  request.byteCount = 0;  // ended, whatever the read gives
  uint32_t got = 0;
  if (!book->TextFile().Read(buffer, count, &got)) return kDunmoorFailed;
  return static_cast<int32_t>(got);
}

}  // namespace dunmoor
