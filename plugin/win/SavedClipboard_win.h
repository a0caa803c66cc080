// What the clipboard held before the plug-in asked a window to copy its selection, put back
// afterwards. Every format whose data is a global memory block is copied byte for byte; the
// formats whose data is a GDI object, a metafile or belongs to its owner (bitmaps, palettes,
// metafiles, owner display, private formats) cannot be copied that way and are not kept, so
// the clipboard comes back without them rather than with handles that point nowhere. (A bitmap
// still comes back through the device-independent form that the system offers beside it.)
#ifndef OSTRELLE_PLUGIN_WIN_SAVEDCLIPBOARD_WIN_H
#define OSTRELLE_PLUGIN_WIN_SAVEDCLIPBOARD_WIN_H

#include <windows.h>

#include <vector>

namespace ostrelle {

// Opens the clipboard for window, trying a few times while another program holds it open.
bool OpenClipboardPatiently(HWND window);

class SavedClipboard {
 public:
  SavedClipboard() = default;
  ~SavedClipboard();  // frees copies that were not put back
  SavedClipboard(const SavedClipboard&) = delete;
  SavedClipboard& operator=(const SavedClipboard&) = delete;

  // Copies the clipboard's formats; false (nothing kept) when it cannot be opened.
  bool Save(HWND owner);
  // Empties the clipboard and puts the saved formats back; the clipboard owns them then.
  void Restore(HWND owner);

  static bool IsGlobalMemoryFormat(UINT format);

 private:
  struct Entry {
    UINT format;
    HGLOBAL copy;
  };
  std::vector<Entry> entries;
};

}  // namespace ostrelle

#endif  // OSTRELLE_PLUGIN_WIN_SAVEDCLIPBOARD_WIN_H
