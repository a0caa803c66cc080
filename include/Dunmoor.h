// Dunmoor.dll: the book-access library. Everything that reads an EPWING disc goes through
// these exports. The viewer and the content view load "Dunmoor.dll" by name and bind the
// names they need with GetProcAddress; the typedefs below give the exact types to bind.
//
// Result values, common to every export:
//    1  success (the raw-text readers return the position they read from instead)
//    0  only the entry-at-a-time readers: the buffer was filled and the entry goes on
//   -1  no catalog or no open book, a failed seek or read, or a failed disc check
//   -2  an argument is out of range or malformed, or nothing was found
// Callers compare with these values, never only with zero.
//
// Strings passed in are zero-terminated byte strings: disc paths in the system code page
// (natively: as the file system takes them), search keys as JIS X 0208 codes. Text handed
// back is the book's own bytes, unconverted. Every buffer belongs to the caller.
#ifndef DUNMOOR_INCLUDE_DUNMOOR_H
#define DUNMOOR_INCLUDE_DUNMOOR_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

// Sizes of caller buffers that are part of the interface.
enum {
  kDunmoorTitleSize = 81,  // 80 title bytes (JIS X 0208 as stored) and a zero byte
};

// Filled by epwGetBookInfo. title points at the caller's buffer of kDunmoorTitleSize bytes.
typedef struct BookInfo {
  uint8_t type;
  char* title;
} BookInfo;

// ---- Catalog and books ---------------------------------------------------------------

// 1 when root + "catalogs" can be read and lists a usable book; title (81 bytes) then
// receives the first usable book's title and a zero byte. -1 otherwise. Touches no state.
int32_t IsEpwBook(const char* root, char* title);

// Reads the catalog of the disc root into the library. 1 or -1. A root too long for the
// library's fixed path fields is refused with -1.
int32_t OpenEpwing(const char* root);

// Releases the catalog. Does nothing without one; does not close an open book.
void CloseEpwing(void);

// 1 when the catalog holds at least one record, -1 when it holds none or there is none.
int32_t epwGetBooks(void);

// 1 when record index exists and is usable: info->type and the title are filled. -1 otherwise.
int32_t epwGetBookInfo(int32_t index, BookInfo* info);

// Marks record index usable. 1, or -1 when index is outside the records.
int32_t epwSelectBook(int32_t index);

// Opens the first usable book of the catalog: its text file, index table and fonts. 1 or -1.
int32_t epwBooksOpen(void);

// Closes the open book. Does nothing when none is open.
void epwBooksClose(void);

// ---- Types for binding by name --------------------------------------------------------
typedef int32_t (*IsEpwBookProc)(const char*, char*);
typedef int32_t (*OpenEpwingProc)(const char*);
typedef void (*CloseEpwingProc)(void);
typedef int32_t (*epwGetBooksProc)(void);
typedef int32_t (*epwGetBookInfoProc)(int32_t, BookInfo*);
typedef int32_t (*epwSelectBookProc)(int32_t);
typedef int32_t (*epwBooksOpenProc)(void);
typedef void (*epwBooksCloseProc)(void);

#ifdef __cplusplus
}
#endif

#endif  // DUNMOOR_INCLUDE_DUNMOOR_H
