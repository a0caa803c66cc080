// Dunmoor.dll as the view binds it by name. The view works only when every function it calls
// is there.
#ifndef CALVETTA_WIN_DUNMOORBINDING_WIN_H
#define CALVETTA_WIN_DUNMOORBINDING_WIN_H

#include <windows.h>

#include "Dunmoor.h"
#include "layout/TextSource.h"
#include "ui/BoundLibrary.h"

namespace calvetta {

class DunmoorBinding {
 public:
  // Loads "Dunmoor.dll" and binds its names. True when the library is there with all twelve
  // functions the view calls; otherwise the library is let go again and the binding stays
  // unloaded.
  bool Load();
  void Unload() { library.Unload(); }
  bool IsLoaded() const { return library.IsLoaded(); }
  const DunmoorExports& Functions() const { return library.Get(); }

 private:
  ui::BoundLibrary<DunmoorExports> library;
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
