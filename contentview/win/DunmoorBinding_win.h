// The functions of Dunmoor.dll that the view binds by name, and the loaded library. The view
// works only when every function it calls is there; the four it never calls may be missing.
#ifndef CALVETTA_WIN_DUNMOORBINDING_WIN_H
#define CALVETTA_WIN_DUNMOORBINDING_WIN_H

#include <windows.h>

#include "Dunmoor.h"
#include "layout/TextSource.h"
#include "ui/UniqueHandle.h"

namespace calvetta {

struct DunmoorFunctions {
  // Called by the view.
  GetWordContProc getWordCont = nullptr;
  GetWordContLastProc getWordContLast = nullptr;
  GetWordContNextProc getWordContNext = nullptr;
  GetContLastNoSetProc getContLastNoSet = nullptr;
  GetLinkContentProc getLinkContent = nullptr;
  GetLinkContByPtProc getLinkContByPt = nullptr;
  epwGetImageSizeProc getImageSize = nullptr;
  epwGetImageProc getImage = nullptr;
  epwGetSoundPropProc getSoundProp = nullptr;
  epwGetPcmSizeProc getPcmSize = nullptr;
  epwGetPcmContProc getPcmCont = nullptr;
  epwShowExCodePixelProc showExCodePixel = nullptr;
  // Bound as well, never called.
  epwShowExCodeProc showExCode = nullptr;
  epwGetWordContentProc getWordContent = nullptr;
  epwGetLastContentByWordProc getLastContent = nullptr;
  epwGetNextContentByWordProc getNextContent = nullptr;
};

class DunmoorBinding {
 public:
  // Loads "Dunmoor.dll" and looks up the sixteen names. True when the library is there with
  // all twelve functions the view calls; otherwise the library is let go again and the
  // binding stays unloaded.
  bool Load();
  void Unload();
  bool IsLoaded() const { return module.IsValid(); }
  const DunmoorFunctions& Functions() const { return functions; }

 private:
  ui::UniqueModule module;
  DunmoorFunctions functions;
};

// The layout's text readers over a loaded binding. Every call reports -1 (0 for the look-back)
// when the library is not loaded, as a book-access failure would.
class DunmoorTextSource : public TextSource {
 public:
  explicit DunmoorTextSource(const DunmoorBinding& binding) : binding(binding) {}
  int32_t GetWordCont(int32_t index, char* buffer, uint32_t size, uint32_t* length) override;
  int32_t GetWordContNext(char* buffer, uint32_t size, uint32_t* length) override;
  int32_t GetWordContLast(char* buffer, uint32_t size, uint32_t* length) override;
  int32_t GetContLastNoSet(char* buffer, uint32_t size, uint32_t* length) override;
  int32_t GetLinkContent(const char* code, char* buffer, uint32_t size, uint32_t* length) override;
  int32_t GetLinkContByPt(int32_t position, char* buffer, uint32_t size, uint32_t* length) override;

 private:
  const DunmoorBinding& binding;
};

}  // namespace calvetta

#endif  // CALVETTA_WIN_DUNMOORBINDING_WIN_H
