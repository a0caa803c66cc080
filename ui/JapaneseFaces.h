// The Japanese faces the viewer and the content view draw with, and which of them the system
// has. Each list is null-terminated: the design's face first, the same face under its English
// name, then faces that free systems ship (a face without kanji would draw every word as boxes).
#ifndef UI_JAPANESEFACES_H
#define UI_JAPANESEFACES_H

#include <windows.h>

namespace ui {

// Mincho: the entry text and the headword list.
extern const wchar_t* const kMinchoFaces[];
// Gothic: bold narrow text of the entries.
extern const wchar_t* const kGothicFaces[];

// Whether the system has face with characters of charset (DEFAULT_CHARSET: of any set); dc is
// only asked.
bool IsFaceInstalled(HDC dc, const wchar_t* face, BYTE charset);
// The first face of faces installed with Shift-JIS coverage; faces[0] when none is.
const wchar_t* FirstInstalledFace(HDC dc, const wchar_t* const* faces);

}  // namespace ui

#endif  // UI_JAPANESEFACES_H
