#include "GaijiFontSet.h"

#include <cstring>

namespace dunmoor {

namespace {

constexpr uint32_t kFirstCodeEnd = kFontFirstCodeOffset + 2;  // the header bytes read at open

}  // namespace

void GaijiFontSet::Open(const char* gaijiDirectory, const char* fontNames) {
  Close();
  opened = true;
  if (!gaijiDirectory || !fontNames) return;
  std::string directory = gaijiDirectory;
  if (directory.size() > 1 && directory.back() != kPathSeparator) directory += kPathSeparator;
  for (int i = 0; i < kGaijiSlotCount; ++i) {
    const char* field = fontNames + i * kFontNameFieldBytes;
    // The name ends at a zero byte or with the field; blanks are part of it.
    std::string name(field, strnlen(field, kFontNameFieldBytes));
    if (name.empty()) continue;
    if (!OpenSlot(&slots[i], directory + name)) slots[i] = Slot{};
  }
}

bool GaijiFontSet::OpenSlot(Slot* slot, const std::string& path) {
  if (!slot->file.Open(path) || !slot->file.Size(&slot->fileSize)) return false;
  uint8_t header[kFirstCodeEnd];
  uint32_t got = 0;
  if (!slot->file.Seek(0) || !slot->file.Read(header, sizeof header, &got) || got != sizeof header) return false;
  slot->firstCode = static_cast<uint16_t>(header[kFontFirstCodeOffset] << 8 | header[kFontFirstCodeOffset + 1]);
  return true;
}

void GaijiFontSet::Close() {
  for (Slot& slot : slots) slot = Slot{};
  opened = false;
}

int32_t GaijiFontSet::ReadGlyph(uint32_t code, uint32_t size, uint32_t wide, Glyph* glyph) {
  if (!opened) return -1;
  GaijiSlot kind;
  if (!SlotFor(size, wide, &kind)) return -2;
  Slot& slot = slots[kind];
  if (!slot.file.IsOpen()) return -1;
  uint32_t offset = 0;
  if (!LocateGlyph(kind, slot.firstCode, slot.fileSize, code, &offset)) return -2;
  *glyph = Glyph{};
  glyph->slot = kind;
  uint32_t got = 0;
  // A short read leaves the rest of the glyph clear (paper).
  if (!slot.file.Seek(offset) ||
      !slot.file.Read(glyph->bits, static_cast<uint32_t>(GeometryOf(kind).GlyphBytes()), &got))
    return -1;
  return 1;
}

}  // namespace dunmoor
