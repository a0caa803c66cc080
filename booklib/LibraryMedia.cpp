// The Library's pictures and sound: each works on the open book (none: -1) and its request.
#include "Images.h"
#include "Library.h"
#include "Sound.h"

namespace dunmoor {

int32_t Library::GetImageSize(const char* code, char* caption) {
  return Images(book.get(), imageRequest).GetImageSize(code, caption);
}

int32_t Library::GetImage(const char* code, char* buffer, int32_t* kind) {
  return Images(book.get(), imageRequest).GetImage(code, buffer, kind);
}

int32_t Library::GetSoundProp(const char* code, uint8_t* properties) {
  return Sound(book.get(), pcmRequest).GetSoundProp(code, properties);
}

int32_t Library::GetPcmSize(const char* code) { return Sound(book.get(), pcmRequest).GetPcmSize(code); }

int32_t Library::GetPcmCont(const char* code, char* buffer) {
  return Sound(book.get(), pcmRequest).GetPcmCont(code, buffer);
}

}  // namespace dunmoor
