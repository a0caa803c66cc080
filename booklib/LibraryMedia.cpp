// Placeholder while pictures and sound are being written.
#include "Library.h"

namespace dunmoor {

int32_t Library::GetImageSize(const char*, char*) { return kFailed; }
int32_t Library::GetImage(const char*, char*, int32_t*) { return kFailed; }
int32_t Library::GetSoundProp(const char*, uint8_t*) { return kFailed; }
int32_t Library::GetPcmSize(const char*) { return kFailed; }
int32_t Library::GetPcmCont(const char*, char*) { return kFailed; }

}  // namespace dunmoor
