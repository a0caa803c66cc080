#include "win/DunmoorBinding_win.h"

namespace calvetta {
namespace {

template <typename Proc>
void Bind(HMODULE module, const char* name, Proc* proc) {
  *proc = reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

bool DunmoorBinding::Load() {
  Unload();
  module.Attach(LoadLibraryW(L"Dunmoor.dll"));
  if (!module) return false;
  HMODULE m = module.Get();
  DunmoorFunctions f;
  Bind(m, "GetWordCont", &f.getWordCont);
  Bind(m, "GetWordContLast", &f.getWordContLast);
  Bind(m, "GetWordContNext", &f.getWordContNext);
  Bind(m, "GetContLastNoSet", &f.getContLastNoSet);
  Bind(m, "GetLinkContent", &f.getLinkContent);
  Bind(m, "GetLinkContByPt", &f.getLinkContByPt);
  Bind(m, "epwGetImageSize", &f.getImageSize);
  Bind(m, "epwGetImage", &f.getImage);
  Bind(m, "epwGetSoundProp", &f.getSoundProp);
  Bind(m, "epwGetPcmSize", &f.getPcmSize);
  Bind(m, "epwGetPcmCont", &f.getPcmCont);
  Bind(m, "epwShowExCodePixel", &f.showExCodePixel);
  Bind(m, "epwShowExCode", &f.showExCode);
  Bind(m, "epwGetWordContent", &f.getWordContent);
  Bind(m, "epwGetLastContentByWord", &f.getLastContent);
  Bind(m, "epwGetNextContentByWord", &f.getNextContent);
  // A library without one of the functions the view calls would crash the view at its first
  // use of it: such a library counts as not loaded.
  bool complete = f.getWordCont && f.getWordContLast && f.getWordContNext && f.getContLastNoSet &&
                  f.getLinkContent && f.getLinkContByPt && f.getImageSize && f.getImage && f.getSoundProp &&
                  f.getPcmSize && f.getPcmCont && f.showExCodePixel;
  if (!complete) {
    module.Close();
    return false;
  }
  functions = f;
  return true;
}

void DunmoorBinding::Unload() {
  functions = DunmoorFunctions{};
  module.Close();
}

int32_t DunmoorTextSource::GetWordCont(int32_t index, char* buffer, uint32_t size, uint32_t* length) {
  *length = 0;
  return binding.IsLoaded() ? binding.Functions().getWordCont(index, buffer, size, length) : -1;
}
int32_t DunmoorTextSource::GetWordContNext(char* buffer, uint32_t size, uint32_t* length) {
  *length = 0;
  return binding.IsLoaded() ? binding.Functions().getWordContNext(buffer, size, length) : -1;
}
int32_t DunmoorTextSource::GetWordContLast(char* buffer, uint32_t size, uint32_t* length) {
  *length = 0;
  return binding.IsLoaded() ? binding.Functions().getWordContLast(buffer, size, length) : -1;
}
int32_t DunmoorTextSource::GetContLastNoSet(char* buffer, uint32_t size, uint32_t* length) {
  *length = 0;
  return binding.IsLoaded() ? binding.Functions().getContLastNoSet(buffer, size, length) : 0;
}
int32_t DunmoorTextSource::GetLinkContent(const char* code, char* buffer, uint32_t size, uint32_t* length) {
  *length = 0;
  return binding.IsLoaded() ? binding.Functions().getLinkContent(code, buffer, size, length) : -1;
}
int32_t DunmoorTextSource::GetLinkContByPt(int32_t position, char* buffer, uint32_t size, uint32_t* length) {
  *length = 0;
  return binding.IsLoaded() ? binding.Functions().getLinkContByPt(position, buffer, size, length) : -1;
}

}  // namespace calvetta
