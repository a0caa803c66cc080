#include "DunmoorBinding_win.h"

namespace brisvane {

namespace {

template <typename Proc>
bool Bind(HMODULE module, const char* name, Proc* proc) {
  *proc = reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  return *proc != nullptr;
}

}  // namespace

HMODULE BindDunmoor(BookApi* api) {
  HMODULE module = LoadLibraryW(L"Dunmoor.dll");
  if (!module) return nullptr;
  BookApi bound;
  bool ok = Bind(module, "IsEpwBook", &bound.IsEpwBook) && Bind(module, "OpenEpwing", &bound.OpenEpwing) &&
            Bind(module, "CloseEpwing", &bound.CloseEpwing) && Bind(module, "epwGetBooks", &bound.epwGetBooks) &&
            Bind(module, "epwGetBookInfo", &bound.epwGetBookInfo) &&
            Bind(module, "epwSelectBook", &bound.epwSelectBook) &&
            Bind(module, "epwBooksOpen", &bound.epwBooksOpen) &&
            Bind(module, "epwBooksClose", &bound.epwBooksClose) &&
            Bind(module, "epwGetWordProperties", &bound.epwGetWordProperties) &&
            Bind(module, "epwGetWordItem", &bound.epwGetWordItem) &&
            Bind(module, "epwGetWordContent", &bound.epwGetWordContent) &&
            Bind(module, "epwGetLastContentByWord", &bound.epwGetLastContentByWord) &&
            Bind(module, "epwGetNextContentByWord", &bound.epwGetNextContentByWord) &&
            Bind(module, "epwShowExCode", &bound.epwShowExCode) &&
            Bind(module, "epwExCode2Bmp", &bound.epwExCode2Bmp) &&
            Bind(module, "epwShowExCodePixel", &bound.epwShowExCodePixel) &&
            Bind(module, "epwGetImageSize", &bound.epwGetImageSize) && Bind(module, "epwGetImage", &bound.epwGetImage) &&
            Bind(module, "epwGetSoundProp", &bound.epwGetSoundProp) &&
            Bind(module, "epwGetPcmSize", &bound.epwGetPcmSize) && Bind(module, "epwGetPcmCont", &bound.epwGetPcmCont) &&
            Bind(module, "GetWordCont", &bound.GetWordCont) && Bind(module, "GetWordContLast", &bound.GetWordContLast) &&
            Bind(module, "GetWordContNext", &bound.GetWordContNext) &&
            Bind(module, "GetLinkContent", &bound.GetLinkContent) &&
            Bind(module, "GetLinkContByPt", &bound.GetLinkContByPt) && Bind(module, "GetMenuHead", &bound.GetMenuHead);
  if (!ok) {
    FreeLibrary(module);
    return nullptr;
  }
  Bind(module, "epwBooksOpenAt", &bound.epwBooksOpenAt);  // optional
  *api = bound;
  return module;
}

}  // namespace brisvane
