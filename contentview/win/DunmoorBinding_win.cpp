#include "win/DunmoorBinding_win.h"

namespace calvetta {

bool DunmoorBinding::Load() {
  // A library without one of the functions the view calls would crash the view at its first
  // use of it: such a library counts as not loaded.
  return library.Load(L"Dunmoor.dll", {"GetWordCont", "GetWordContLast", "GetWordContNext", "GetContLastNoSet",
                                       "GetLinkContent", "GetLinkContByPt", "epwGetImageSize", "epwGetImage",
                                       "epwGetSoundProp", "epwGetPcmSize", "epwGetPcmCont", "epwShowExCodePixel"});
}

int32_t DunmoorTextSource::GetWordCont(int32_t index, char* buffer, uint32_t size, uint32_t* length) {
  *length = 0;
  return binding.IsLoaded() ? binding.Functions().GetWordCont(index, buffer, size, length) : kDunmoorFailed;
}
int32_t DunmoorTextSource::GetWordContNext(char* buffer, uint32_t size, uint32_t* length) {
  *length = 0;
  return binding.IsLoaded() ? binding.Functions().GetWordContNext(buffer, size, length) : kDunmoorFailed;
}
int32_t DunmoorTextSource::GetWordContLast(char* buffer, uint32_t size, uint32_t* length) {
  *length = 0;
  return binding.IsLoaded() ? binding.Functions().GetWordContLast(buffer, size, length) : kDunmoorFailed;
}
int32_t DunmoorTextSource::GetContLastNoSet(char* buffer, uint32_t size, uint32_t* length) {
  *length = 0;
  return binding.IsLoaded() ? binding.Functions().GetContLastNoSet(buffer, size, length) : 0;
}
int32_t DunmoorTextSource::GetLinkContent(const char* code, char* buffer, uint32_t size, uint32_t* length) {
  *length = 0;
  return binding.IsLoaded() ? binding.Functions().GetLinkContent(code, buffer, size, length) : kDunmoorFailed;
}
int32_t DunmoorTextSource::GetLinkContByPt(int32_t position, char* buffer, uint32_t size, uint32_t* length) {
  *length = 0;
  return binding.IsLoaded() ? binding.Functions().GetLinkContByPt(position, buffer, size, length) : kDunmoorFailed;
}

}  // namespace calvetta
