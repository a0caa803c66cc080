#include "References.h"

#include "Dunmoor.h"
#include "TextFormat.h"
#include "TextReaders.h"
#include "platform/BookFile.h"

namespace dunmoor {

ReferenceCheck DecodeReference(const uint8_t* code, bool secondKind, uint32_t* target) {
  if (code[0] != text::kEscape) return ReferenceCheck::kNoEscape;
  uint8_t endCode;
  if (code[1] == text::kBeginReference) {
    endCode = text::kEndReference;
  } else if (code[1] == text::kBeginReference2 && secondKind) {
    endCode = text::kEndReference2;
  } else {
    return ReferenceCheck::kNoReference;
  }
  // The first end code after the start code ends the anchor; it stops the scan, so a block
  // that ends with the position bytes is never read past.
  size_t end = text::FindCode(code, kMaxReferenceBlock, endCode, 2);
  if (end + text::FixedCodeLength(endCode) > kMaxReferenceBlock) return ReferenceCheck::kMalformed;
  const uint8_t* position = code + end + 2;
  // Block numbers start at 1: block 0 names no place in the file, whatever its offset.
  uint32_t block = text::DecodeBcd(position, 4);
  if (block == 0) return ReferenceCheck::kMalformed;
  if (!text::ToFilePosition(text::PositionOf(block, text::DecodeBcd(position + 4, 2)), target))
    return ReferenceCheck::kMalformed;
  return ReferenceCheck::kTarget;
}

int32_t References::GetLinkContent(const char* code, char* buffer, uint32_t size, uint32_t* length) {
  if (!book) return kDunmoorFailed;
  if (!code || !buffer || !length) return kDunmoorRefused;
  uint32_t target = 0;
  switch (DecodeReference(reinterpret_cast<const uint8_t*>(code), true, &target)) {
    case ReferenceCheck::kNoEscape:
      ShowLibraryMessage("SuperLink Error1");
      return kDunmoorRefused;
    case ReferenceCheck::kNoReference:
      ShowLibraryMessage("SuperLink Error2");
      return kDunmoorRefused;
    case ReferenceCheck::kMalformed:
      return kDunmoorRefused;
    case ReferenceCheck::kTarget:
      break;
  }
  return TextReaders(book, cursor).ReadRaw(target, buffer, size, length);
}

int32_t References::GetLinkContByPt(int32_t position, char* buffer, uint32_t size, uint32_t* length) {
  if (!book) return kDunmoorFailed;
  if (!buffer || !length || position < 0) return kDunmoorRefused;
  return TextReaders(book, cursor).ReadRaw(static_cast<uint32_t>(position), buffer, size, length);
}

int32_t References::GetLinkContentEntry(const char* code, char* buffer, uint32_t size, uint32_t* length) {
  if (!book) return kDunmoorFailed;
  if (!code || !buffer || !length) return kDunmoorRefused;
  *length = 0;
  if (cursor.more == 0) {
    uint32_t target = 0;
    if (DecodeReference(reinterpret_cast<const uint8_t*>(code), false, &target) != ReferenceCheck::kTarget)
      return kDunmoorRefused;
    cursor.start = target;
  }
  return TextReaders(book, cursor).ReadEntryPiece(buffer, size, length);
}

int32_t References::GetMenuHead() {
  if (!book) return kDunmoorFailed;
  for (const IndexDescriptor& descriptor : book->Indexes()) {
    if (descriptor.Identifier() != kMenuIndexId) continue;
    uint32_t position = 0;
    uint32_t page = descriptor.StartPage();
    if (page == 0 || !text::ToFilePosition(text::PositionOf(page, 0), &position)) return kDunmoorRefused;
    return static_cast<int32_t>(position);
  }
  return kDunmoorRefused;
}

}  // namespace dunmoor
