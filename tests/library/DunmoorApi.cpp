#include "DunmoorApi.h"

#ifdef _WIN32
#include <windows.h>

namespace {

template <typename Proc>
bool Bind(HMODULE module, const char* name, Proc* proc, std::string* missing) {
  *proc = reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  if (!*proc) *missing = name;
  return *proc != nullptr;
}

}  // namespace

bool BindDunmoor(DunmoorApi* api, std::string* missing) {
  HMODULE module = LoadLibraryW(L"Dunmoor.dll");
  if (!module) {
    *missing = "Dunmoor.dll";
    return false;
  }
  return Bind(module, "IsEpwBook", &api->IsEpwBook, missing) &&
         Bind(module, "OpenEpwing", &api->OpenEpwing, missing) &&
         Bind(module, "CloseEpwing", &api->CloseEpwing, missing) &&
         Bind(module, "epwGetBooks", &api->epwGetBooks, missing) &&
         Bind(module, "epwGetBookInfo", &api->epwGetBookInfo, missing) &&
         Bind(module, "epwSelectBook", &api->epwSelectBook, missing) &&
         Bind(module, "epwBooksOpen", &api->epwBooksOpen, missing) &&
         Bind(module, "epwBooksOpenAt", &api->epwBooksOpenAt, missing) &&
         Bind(module, "epwBooksClose", &api->epwBooksClose, missing) &&
         Bind(module, "epwGetWordProperties", &api->epwGetWordProperties, missing) &&
         Bind(module, "epwGetWordItem", &api->epwGetWordItem, missing) &&
         Bind(module, "GetWordCont", &api->GetWordCont, missing) &&
         Bind(module, "GetWordContNext", &api->GetWordContNext, missing) &&
         Bind(module, "GetWordContLast", &api->GetWordContLast, missing) &&
         Bind(module, "GetContLastNoSet", &api->GetContLastNoSet, missing) &&
         Bind(module, "epwGetWordContent", &api->epwGetWordContent, missing) &&
         Bind(module, "epwGetNextContentByWord", &api->epwGetNextContentByWord, missing) &&
         Bind(module, "epwGetLastContentByWord", &api->epwGetLastContentByWord, missing) &&
         Bind(module, "GetLinkContent", &api->GetLinkContent, missing) &&
         Bind(module, "GetLinkContByPt", &api->GetLinkContByPt, missing) &&
         Bind(module, "epwGetLinkContent", &api->epwGetLinkContent, missing) &&
         Bind(module, "GetMenuHead", &api->GetMenuHead, missing) &&
         Bind(module, "epwShowExCodePixel", &api->epwShowExCodePixel, missing) &&
         Bind(module, "epwShowExCode", &api->epwShowExCode, missing) &&
         Bind(module, "epwExCode2Bmp", &api->epwExCode2Bmp, missing);
}

#else

bool BindDunmoor(DunmoorApi* api, std::string*) {
  api->IsEpwBook = ::IsEpwBook;
  api->OpenEpwing = ::OpenEpwing;
  api->CloseEpwing = ::CloseEpwing;
  api->epwGetBooks = ::epwGetBooks;
  api->epwGetBookInfo = ::epwGetBookInfo;
  api->epwSelectBook = ::epwSelectBook;
  api->epwBooksOpen = ::epwBooksOpen;
  api->epwBooksOpenAt = ::epwBooksOpenAt;
  api->epwBooksClose = ::epwBooksClose;
  api->epwGetWordProperties = ::epwGetWordProperties;
  api->epwGetWordItem = ::epwGetWordItem;
  api->GetWordCont = ::GetWordCont;
  api->GetWordContNext = ::GetWordContNext;
  api->GetWordContLast = ::GetWordContLast;
  api->GetContLastNoSet = ::GetContLastNoSet;
  api->epwGetWordContent = ::epwGetWordContent;
  api->epwGetNextContentByWord = ::epwGetNextContentByWord;
  api->epwGetLastContentByWord = ::epwGetLastContentByWord;
  api->GetLinkContent = ::GetLinkContent;
  api->GetLinkContByPt = ::GetLinkContByPt;
  api->epwGetLinkContent = ::epwGetLinkContent;
  api->GetMenuHead = ::GetMenuHead;
  return true;
}

#endif
