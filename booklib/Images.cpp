#include "Images.h"

#include <cstring>

#include "Dunmoor.h"
#include "LittleEndian.h"
#include "MediaCode.h"
#include "TextFormat.h"

namespace dunmoor {

namespace {

constexpr size_t kMonoFixed = 12;
constexpr size_t kColorFixed = 20;
constexpr size_t kPositionBytes = 6;  // the BCD position after 1F 64
constexpr uint32_t kMonoHead = 8;   // height and width before the bitmap
constexpr uint32_t kColorHead = 8;  // the header before the picture file

// True when count bytes from position lie inside a file of size bytes.
bool Inside(int64_t position, uint64_t count, uint64_t size) {
  return position >= 0 && static_cast<uint64_t>(position) <= size && count <= size - static_cast<uint64_t>(position);
}

}  // namespace

int32_t Images::GetImageSize(const char* code, char* caption) {
  if (!book) return kDunmoorFailed;
  if (!code || !caption) return kDunmoorRefused;
  const uint8_t* bytes = reinterpret_cast<const uint8_t*>(code);
  if (bytes[0] != text::kEscape) return kDunmoorRefused;
  if (bytes[1] == text::kBeginMonoGraphic) return MonoSize(bytes, caption);
  if (bytes[1] == text::kBeginColorGraphic) return ColorSize(bytes, caption);
  return kDunmoorRefused;
}

int32_t Images::MonoSize(const uint8_t* code, char* caption) {
  size_t end = 0;
  if (!media::FindEndCode(code, kMonoFixed, text::kEndMonoGraphic, kPositionBytes, &end)) return kDunmoorRefused;
  uint32_t block = 0, offset = 0;
  if (!media::StrictBcdPosition(code + end + 2, &block, &offset)) return kDunmoorRefused;
  uint64_t height = text::DecodeBcd(code + 4, 4);
  uint64_t width = text::DecodeBcd(code + 8, 4);
  uint64_t count = height * width / 8;
  uint64_t fileSize = 0;
  if (!book->TextFile().Size(&fileSize)) return kDunmoorFailed;
  if (count == 0 || !Inside(text::PositionOf(block, offset), count, fileSize)) return kDunmoorRefused;
  media::CopyCaption(code, kMonoFixed, end, caption, kDunmoorCaptionSize - 1);
  request = {static_cast<uint32_t>(count), block, offset, text::kBeginMonoGraphic};
  return static_cast<int32_t>(count + kMonoHead);
}

int32_t Images::ColorSize(const uint8_t* code, char* caption) {
  size_t end = 0;
  if (!media::FindEndCode(code, kColorFixed, text::kEndColorGraphic, 0, &end)) return kDunmoorRefused;
  uint32_t block = 0, offset = 0;
  if (!media::StrictBcdPosition(code + 14, &block, &offset)) return kDunmoorRefused;
  uint64_t fileSize = 0;
  if (!book->TextFile().Size(&fileSize)) return kDunmoorFailed;
  const int64_t position = text::PositionOf(block, offset);
  if (!Inside(position, kColorHead, fileSize)) return kDunmoorRefused;
  media::CopyCaption(code, kColorFixed, end, caption, kDunmoorCaptionSize - 1);

  if (!book->DiscCheck()) return kDunmoorFailed;
  uint8_t length[4];
  uint32_t got = 0;
  if (!book->TextFile().Seek(static_cast<uint32_t>(position + 4)) || !book->TextFile().Read(length, 4, &got) ||
      got != 4)
    return kDunmoorFailed;
  uint32_t count = uint32_t{length[0]} | (uint32_t{length[1]} << 8) | (uint32_t{length[2]} << 16) |
                   (uint32_t{length[3]} << 24);
  if (count == 0 || count > INT32_MAX || !Inside(position + kColorHead, count, fileSize)) return kDunmoorRefused;
  request = {count, block, offset, text::kBeginColorGraphic};
  return static_cast<int32_t>(count);
}

int32_t Images::GetImage(const char* code, char* buffer, int32_t* kind) {
  if (!book) return kDunmoorFailed;
  if (!code || !buffer || !kind) return kDunmoorRefused;
  const uint8_t* bytes = reinterpret_cast<const uint8_t*>(code);
  if (request.byteCount == 0 || bytes[0] != text::kEscape || bytes[1] != request.code) return kDunmoorRefused;

  int64_t position = text::PositionOf(request.block, request.offset);
  char* target = buffer;
  // The request may come from a book closed since: its data must still lie inside this file.
  uint64_t fileSize = 0;
  if (!book->TextFile().Size(&fileSize)) return kDunmoorFailed;
  if (request.code == text::kBeginColorGraphic) position += kColorHead;
  if (!Inside(position, request.byteCount, fileSize)) {
    request.byteCount = 0;
    return kDunmoorRefused;
  }
  if (!book->DiscCheck() || !book->TextFile().Seek(static_cast<uint32_t>(position))) return kDunmoorFailed;

  if (request.code == text::kBeginMonoGraphic) {
    *kind = 0;
    ::media::Store32(reinterpret_cast<uint8_t*>(buffer), text::DecodeBcd(bytes + 4, 4));
    ::media::Store32(reinterpret_cast<uint8_t*>(buffer) + 4, text::DecodeBcd(bytes + 8, 4));
    target += kMonoHead;
  } else {
    *kind = 1;
  }
  uint32_t got = 0;
  const uint32_t count = request.byteCount;
  request.byteCount = 0;  // ended, whatever the read gives
  if (!book->TextFile().Read(target, count, &got)) return kDunmoorFailed;
  return static_cast<int32_t>(got);
}

}  // namespace dunmoor
