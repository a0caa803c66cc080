// Calvetta.dll: the content view library. It gives the viewer one child window, the content
// view (window class "Calvetta"), which reads entry text from Dunmoor.dll itself, lays it out
// and paints it. The viewer loads "Calvetta.dll" by name and binds the five exports below with
// GetProcAddress; the typedefs give the exact types to bind. Only window messages and these
// exports cross between the viewer and the view.
#ifndef CALVETTA_INCLUDE_CALVETTA_H
#define CALVETTA_INCLUDE_CALVETTA_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

// ---- Messages the view receives from the viewer (sent to the view's window) ----------------
// WM_USER is 0x400.

// wParam: hit index of the last search. Result 1 shown, 0 failed.
#define VM_VIEW_SHOWPOS (0x400 + 104)
// lParam: a text position in the book's text file (as reported by VM_VIEW_HISTORY). Result 1
// shown, or failed with VM_VIEW_FAILED sent; 0 when the book gave no text.
#define VM_VIEW_SHOWAT (0x400 + 106)
// Result 1 while the view is showing a message box, else 0.
#define VM_VIEW_INMSGBOX (0x400 + 107)
// wParam: the size of the text in percent of the design's 12 points (50 to 400). The view
// makes its fonts anew and lays what it shows out again, from the same top line. Result 1;
// 0 for a size out of that range (nothing changes).
#define VM_VIEW_TEXTSIZE (0x400 + 120)
// wParam: a text position in the book's text file, lParam: a length in bytes. The view marks
// the characters there as a drag over them would, scrolling the text up to them when they lie
// below the window (a full-text hit's word). Result 1 marked; 0 when what the view shows does
// not hold characters there (nothing changes).
#define VM_VIEW_MARKTEXT (0x400 + 121)
// The entry at the top of the view (as far as the view holds it) marked as a drag over it would
// (a drag reaches 75 lines). wParam 0: marked; 1: copied to the clipboard as the
// marks would copy it, nothing left marked; 2: nothing done, the view is only asked. Result 1 when there was text to mark, 0
// for a blank view.
#define VM_VIEW_MARKALL (0x400 + 123)
// wParam 1: the view draws in its dark palette (light text, references, pictures and sounds on a
// dark ground; external characters in the text's colour, pictures as they are); 0: in the book's
// colours on cream, as it starts. Result 1.
#define VM_VIEW_PALETTE (0x400 + 124)
// wParam 1: the entry after the one at the top of the view, in the book's text order; 0: the
// entry before it. An entry starts at a headword keyword (1F 41 01), or at the indent code right
// before one. The view shows it from its start, as VM_VIEW_SHOWAT would. Result 1 shown; 0 when
// the view is blank or there is no such entry (the view keeps what it shows), or when the text
// cannot be read (VM_VIEW_FAILED sent).
#define VM_VIEW_STEPENTRY (0x400 + 125)
// The text position where the view's top line begins, to show the same place again later with
// VM_VIEW_SHOWAT. Result that position; -1 when the view is blank.
#define VM_VIEW_TOPAT (0x400 + 126)
// wParam 1: one entry at a time: the text shown ends where the next entry begins (a headword
// keyword 1F 41 01 at the start of a line) and, going up, begins where its own entry does; 0: the
// text runs on through the book, as the view starts. What is shown is laid out again from the
// same top line. Result 1.
#define VM_VIEW_ONEENTRY (0x400 + 128)

// ---- Messages the view sends to its parent ---------------------------------------------------

// Posted when Tab is pressed in the view past its last link, or Esc in the view: wParam 2,
// lParam 0; Shift+Tab before its first link: wParam 0.
#define VM_VIEW_TAB (0x400 + 103)
// Sent just before a reference is followed: wParam 0, lParam the text position of the
// headword of the entry being left.
#define VM_VIEW_HISTORY (0x400 + 105)
// Sent when text cannot be read or laid out; the view has beeped and gone blank. 0 / 0.
#define VM_VIEW_FAILED (0x400 + 108)
// Sent when "連続検索" is chosen from the view's context menu. 0 / 0.
#define VM_VIEW_SEARCHMARK (0x400 + 117)
// Posted when a sound of the text was clicked: wParam 1 it plays, 0 it cannot be played (the
// system has no sound device); lParam 0.
#define VM_VIEW_SOUND (0x400 + 122)
// Sent when a character of the text (not a reference, picture or sound) was double-clicked: wParam
// its length in bytes, lParam a const char* to the zero-terminated Shift-JIS text from that
// character on (the rest of its paragraph as far as its lines are held, at most 24 characters,
// up to an external character), valid during the call. The look-up of the word that begins
// there is the parent's; the view's marks stay as the click left them.
#define VM_VIEW_LOOKUP (0x400 + 127)

// Posted when a character was typed in the view (WM_CHAR of a character from the space on, not
// DEL): wParam the character (UTF-16), lParam 0. Typing belongs to the parent's word box.
#define VM_VIEW_TYPED (0x400 + 129)

// Sent by the parent: the Shift-JIS text of the entry that holds the caret (else the one at the
// top of the view), as a copy of it would read, up to its first empty line, into the buffer of
// wParam bytes at lParam (zero-terminated, never half a double-byte character). Returns the bytes
// copied, 0 for a blank view. The marks stay as they are.
#define VM_VIEW_ENTRYTEXT (0x400 + 130)

// Sent by the parent: prints what the view shows, laid out anew for the printer's page — the
// marked lines, else the whole entry that holds the caret (else the one at the top of the view),
// in the view's fonts at its text size, external characters and icons in their places, on white,
// the book's title and the entry's first line above each page and its number below. lParam: a
// CalvettaPrintJob*. Returns the pages printed; 0 for a blank view (nothing printed); -1 when the
// printer refused a page (the document is aborted); -2 when the text could not be read.
#define VM_VIEW_PRINT (0x400 + 131)

typedef struct CalvettaPrintJob {
  void* printer;           // the printer's HDC, no document begun (the view begins and ends it)
  const wchar_t* title;    // the header's left text (the book's title), or null
  int32_t margins[4];      // left, top, right, bottom in hundredths of a millimetre; 0: 15 mm
} CalvettaPrintJob;

// The registered message the view and its picture window share.
#define CALVETTA_BMP_WINDOW_DESTROY L"BMP Window Destroy"
// The view's window class.
#define CALVETTA_WINDOW_CLASS L"Calvetta"

// ---- Exports ----------------------------------------------------------------------------------
// parent is an HWND, the result an HWND, passed as void* so that this header needs no
// <windows.h>. There is one view per process; every export but viewCreateView acts on it and
// does nothing (or returns 0) before it exists.

// Creates the view as a child of parent over the rectangle (parent client coordinates).
// The view's window, or null when it cannot be created. A second call returns the existing
// view's window.
void* viewCreateView(void* parent, int32_t left, int32_t top, int32_t right, int32_t bottom);
// Drops all content and shows an empty view.
void viewSetContentBlank(void);
// Length in bytes of the marked text, 0 when nothing is marked.
int32_t viewIsMarkValid(void);
// Copies the marked text to the clipboard (Shift-JIS as CF_TEXT, the same text as
// CF_UNICODETEXT), top to bottom. Nothing marked, or the clipboard cannot be opened: the
// clipboard is left as it was.
void viewCopyToClipBoard(void);
// Writes the marked text, zero-terminated, into buffer (size bytes): the marked lines from the
// drag's start up to the first one that holds no text, top to bottom, at most size - 1 bytes and
// never half of a double-byte character. Returns the bytes written, not counting the zero; 0
// when nothing is marked or size < 2 (a size of 1 gets just the zero).
int32_t viewGetMarkCont(char* buffer, int32_t size);

// ---- Every export, once, and the types for binding by name ------------------------------
#define CALVETTA_EXPORTS(X)                                   \
  X(viewCreateView, void*, (void*, int32_t, int32_t, int32_t, int32_t)) \
  X(viewSetContentBlank, void, (void))                        \
  X(viewIsMarkValid, int32_t, (void))                         \
  X(viewCopyToClipBoard, void, (void))                        \
  X(viewGetMarkCont, int32_t, (char*, int32_t))

#define CALVETTA_PROC_TYPE(name, result, parameters) typedef result(*name##Proc) parameters;
CALVETTA_EXPORTS(CALVETTA_PROC_TYPE)
#undef CALVETTA_PROC_TYPE

#ifdef __cplusplus
}

// The exports as one table of function pointers, for callers that bind them by name.
struct CalvettaExports {
#define CALVETTA_FIELD(name, result, parameters) name##Proc name = nullptr;
  CALVETTA_EXPORTS(CALVETTA_FIELD)
#undef CALVETTA_FIELD

  template <typename Visit>
  void ForEach(Visit visit) {
#define CALVETTA_VISIT(name, result, parameters) visit(#name, &name);
    CALVETTA_EXPORTS(CALVETTA_VISIT)
#undef CALVETTA_VISIT
  }
};
#endif

#endif  // CALVETTA_INCLUDE_CALVETTA_H
