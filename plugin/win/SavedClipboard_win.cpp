#include "SavedClipboard_win.h"

#include <cstring>

namespace ostrelle {

namespace {

constexpr int kOpenTries = 20;

HGLOBAL CopyBlock(HANDLE data) {
  SIZE_T size = GlobalSize(data);
  const void* source = size ? GlobalLock(data) : nullptr;
  if (!source) return nullptr;
  HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size);
  if (void* target = copy ? GlobalLock(copy) : nullptr) {
    std::memcpy(target, source, size);
    GlobalUnlock(copy);
  }
  GlobalUnlock(data);
  return copy;
}

}  // namespace

bool OpenClipboardPatiently(HWND window) {
  for (int i = 0; i < kOpenTries; ++i) {
    if (OpenClipboard(window)) return true;
    Sleep(10);
  }
  return false;
}

SavedClipboard::~SavedClipboard() {
  for (const Entry& entry : entries) GlobalFree(entry.copy);
}

bool SavedClipboard::IsGlobalMemoryFormat(UINT format) {
  switch (format) {
    case CF_BITMAP:
    case CF_METAFILEPICT:  // a block, but holding a metafile handle
    case CF_PALETTE:
    case CF_ENHMETAFILE:
    case CF_OWNERDISPLAY:
    case CF_DSPBITMAP:
    case CF_DSPMETAFILEPICT:
    case CF_DSPENHMETAFILE:
      return false;
    default:
      // Private formats are whatever their owner makes of them; GDI object formats are objects.
      return !(format >= CF_PRIVATEFIRST && format <= CF_PRIVATELAST) &&
             !(format >= CF_GDIOBJFIRST && format <= CF_GDIOBJLAST);
  }
}

bool SavedClipboard::Save(HWND owner) {
  if (!OpenClipboardPatiently(owner)) return false;
  for (UINT format = EnumClipboardFormats(0); format; format = EnumClipboardFormats(format)) {
    if (!IsGlobalMemoryFormat(format)) continue;
    HANDLE data = GetClipboardData(format);
    if (HGLOBAL copy = data ? CopyBlock(data) : nullptr) entries.push_back({format, copy});
  }
  CloseClipboard();
  return true;
}

void SavedClipboard::Restore(HWND owner) {
  if (!OpenClipboardPatiently(owner)) return;  // the copies are freed with this object
  // Emptied first: the copied selection must not stay beside the earlier formats, where a
  // program reading one format would get the old text and another the grabbed word.
  EmptyClipboard();
  for (const Entry& entry : entries)
    if (!SetClipboardData(entry.format, entry.copy)) GlobalFree(entry.copy);
  entries.clear();
  CloseClipboard();
}

}  // namespace ostrelle
