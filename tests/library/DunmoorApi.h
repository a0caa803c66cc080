// The library's exports as a table of functions. In the Windows build the table is bound by
// name from "Dunmoor.dll" with LoadLibrary and GetProcAddress, as the viewer binds it; natively
// it points at the functions linked into the test.
#ifndef DUNMOOR_TESTS_LIBRARY_DUNMOORAPI_H
#define DUNMOOR_TESTS_LIBRARY_DUNMOORAPI_H

#include <string>

#include "Dunmoor.h"

struct DunmoorApi {
  IsEpwBookProc IsEpwBook = nullptr;
  OpenEpwingProc OpenEpwing = nullptr;
  CloseEpwingProc CloseEpwing = nullptr;
  epwGetBooksProc epwGetBooks = nullptr;
  epwGetBookInfoProc epwGetBookInfo = nullptr;
  epwSelectBookProc epwSelectBook = nullptr;
  epwBooksOpenProc epwBooksOpen = nullptr;
  epwBooksOpenAtProc epwBooksOpenAt = nullptr;
  epwBooksCloseProc epwBooksClose = nullptr;
  epwGetWordPropertiesProc epwGetWordProperties = nullptr;
  epwGetWordItemProc epwGetWordItem = nullptr;
  GetWordContProc GetWordCont = nullptr;
  GetWordContNextProc GetWordContNext = nullptr;
  GetWordContLastProc GetWordContLast = nullptr;
  GetContLastNoSetProc GetContLastNoSet = nullptr;
  epwGetWordContentProc epwGetWordContent = nullptr;
  epwGetNextContentByWordProc epwGetNextContentByWord = nullptr;
  epwGetLastContentByWordProc epwGetLastContentByWord = nullptr;
  GetLinkContentProc GetLinkContent = nullptr;
  GetLinkContByPtProc GetLinkContByPt = nullptr;
  epwGetLinkContentProc epwGetLinkContent = nullptr;
  GetMenuHeadProc GetMenuHead = nullptr;
#ifdef _WIN32
  // The drawing exports for external characters exist only in the Windows build.
  epwShowExCodePixelProc epwShowExCodePixel = nullptr;
  epwShowExCodeProc epwShowExCode = nullptr;
  epwExCode2BmpProc epwExCode2Bmp = nullptr;
#endif
};

// Binds every export; false (with the missing name in *missing) when one is not there.
bool BindDunmoor(DunmoorApi* api, std::string* missing);

#endif  // DUNMOOR_TESTS_LIBRARY_DUNMOORAPI_H
