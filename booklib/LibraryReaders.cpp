// Placeholder bodies so that the library links while the readers are being written.
#include "Library.h"

namespace dunmoor {

int32_t Library::GetWordCont(int32_t, char*, uint32_t, uint32_t*) { return kFailed; }
int32_t Library::GetWordContNext(char*, uint32_t, uint32_t*) { return kFailed; }
int32_t Library::GetWordContLast(char*, uint32_t, uint32_t*) { return kFailed; }
int32_t Library::GetContLastNoSet(char*, uint32_t, uint32_t*) { return 0; }
int32_t Library::GetWordContent(int32_t, char*, uint32_t, uint32_t*) { return kFailed; }
int32_t Library::GetNextContentByWord(char*, uint32_t, uint32_t*) { return kFailed; }
int32_t Library::GetLastContentByWord(char*, uint32_t, uint32_t*) { return kFailed; }
int32_t Library::GetLinkContent(const char*, char*, uint32_t, uint32_t*) { return kFailed; }
int32_t Library::GetLinkContByPt(int32_t, char*, uint32_t, uint32_t*) { return kFailed; }
int32_t Library::GetLinkContentEntry(const char*, char*, uint32_t, uint32_t*) { return kFailed; }
int32_t Library::GetMenuHead() { return kFailed; }

}  // namespace dunmoor
