// Taking the text selected in another program's window through the clipboard: the window is
// asked to copy its selection (politely first when the caller knows a way, then with Ctrl+Insert
// typed into the system), the text is read back, and what the clipboard held before is put back.
// The plug-in grabs the host's word so; the viewer grabs the word of its system-wide key so.
#ifndef EXCHANGE_SELECTIONCOPY_WIN_H
#define EXCHANGE_SELECTIONCOPY_WIN_H

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace exchange {

// The clipboard's text as Unicode (the system offers CF_TEXT in that form too), never read past
// its block; false when it holds no text or cannot be opened.
bool ReadClipboardUnicode(HWND owner, std::wstring* text);

// What the clipboard held before a window was asked to copy its selection, put back afterwards.
// Every format whose data is a global memory block is copied byte for byte; the formats whose
// data is a GDI object, a metafile or belongs to its owner (bitmaps, palettes, metafiles, owner
// display, private formats) cannot be copied that way and are not kept, so the clipboard comes
// back without them rather than with handles that point nowhere. (A bitmap still comes back
// through the device-independent form that the system offers beside it.)
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

// How a copy of the selection is asked for and read. nudge (may be empty) asks target to copy
// without keys, before each read of the first attempts; read takes the text from the clipboard
// (true when there was some). owner opens the clipboard to save, empty and restore it.
struct SelectionCopy {
  HWND target = nullptr;
  HWND owner = nullptr;
  std::function<void()> nudge;
  std::function<bool()> read;
};

// Saves the clipboard, empties it, brings target forward, nudges and reads, types Ctrl+Insert
// (Shift and Alt let go first, which would make it another command) and reads again for up to
// five seconds, then puts the clipboard back. The calling thread's messages keep flowing; a
// WM_QUIT that arrives is posted again and ends the wait. False when no text came, the clipboard
// could not be saved or emptied, or WM_QUIT came.
bool CopySelection(const SelectionCopy& copy);

}  // namespace exchange

#endif  // EXCHANGE_SELECTIONCOPY_WIN_H
