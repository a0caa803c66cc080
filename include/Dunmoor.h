// Dunmoor.dll: the book-access library. Everything that reads an EPWING disc goes through
// these exports. The viewer and the content view load "Dunmoor.dll" by name and bind the
// names they need with GetProcAddress; the typedefs below give the exact types to bind.
//
// Result values, common to every export:
//    1  success (the raw-text readers return the position they read from instead)
//    0  only the entry-at-a-time readers: the buffer was filled and the entry goes on
//   -1  no catalog or no open book, a failed seek or read, or a failed disc check
//   -2  an argument is out of range or malformed, or nothing was found
// Callers compare with these values (kDunmoorSuccess, kDunmoorGoesOn, kDunmoorFailed,
// kDunmoorRefused below), never only with zero.
//
// Strings passed in are zero-terminated byte strings: disc paths in the system code page
// (natively: as the file system takes them; the wide exports take wide paths), search keys as JIS X 0208 codes. Text handed
// back is the book's own bytes, unconverted. Every buffer belongs to the caller.
#ifndef DUNMOOR_INCLUDE_DUNMOOR_H
#define DUNMOOR_INCLUDE_DUNMOOR_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

// The result values.
enum {
  kDunmoorSuccess = 1,   // also: the entry ends in this buffer
  kDunmoorGoesOn = 0,    // the entry-at-a-time readers: the buffer is full, call again
  kDunmoorFailed = -1,   // no catalog or book, a failed seek, read or disc check
  kDunmoorRefused = -2,  // an argument out of range or malformed, or nothing found
};

// Sizes of caller buffers that are part of the interface.
enum {
  kDunmoorTitleSize = 81,     // 80 title bytes (JIS X 0208 as stored) and a zero byte
  kDunmoorHeadingSize = 500,  // the heading buffer of a WordItem
  kDunmoorMapPathSize = 520,  // a buffer that holds any path epwGetCharacterMap gives
  kDunmoorWordItemUserBytes = 80,
  kDunmoorCaptionSize = 100,          // the caption buffer of epwGetImageSize
  kDunmoorSoundPropertiesSize = 211,  // the record filled by epwGetSoundProp
};

// Filled by epwGetBookInfo. title points at the caller's buffer of kDunmoorTitleSize bytes.
typedef struct BookInfo {
  uint8_t type;
  char* title;
} BookInfo;

// Filled by epwGetWordProperties on success.
typedef struct WordProperties {
  int32_t hitCount;
  uint32_t itemSize;  // always kDunmoorHeadingSize
} WordProperties;

// For epwGetWordItem. The first 80 bytes are the caller's own; the library neither reads nor
// writes them. text points at the caller's buffer of kDunmoorHeadingSize bytes.
typedef struct WordItem {
  uint8_t user[kDunmoorWordItemUserBytes];
  char* text;
} WordItem;

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

// Opens the book of catalog record index (0-based, catalog order), closing an open book first.
// 1 opened; -2 an index outside the records or a record that is not usable; -1 no catalog,
// or the book cannot be opened (text file missing or damaged). epwGetBookInfo with the same
// index gives its title.
int32_t epwBooksOpenAt(int32_t index);

// The open book's character map (the Unicode text of its external characters, lines such as
// "hA121<TAB>u00E9"): a file named after the book directory with ".map", beside the catalog or in
// the book's folder. 1 with its path (system code page) in path, size bytes with the zero; -2
// when the book has none or the path does not fit; -1 when no book is open.
int32_t epwGetCharacterMap(char* path, uint32_t size);

// Closes the open book. Does nothing when none is open.
void epwBooksClose(void);

// ---- Word search ----------------------------------------------------------------------
// The key is a zero-terminated string of JIS X 0208 codes; a full-width asterisk (0x2176) as its
// first or last character asks for a suffix or prefix search. The key is normalised in place.

// 1 with at least one hit (properties filled), -2 nothing found or the key unusable, -1 no open
// book or a failed read or disc check. The hits replace those of the previous search.
int32_t epwGetWordProperties(char* key, WordProperties* properties);

// The heading of hit index into item->text (500 bytes, cut at its newline code, zero-terminated).
// 1, -2 index outside the hits, -1 no open book or a failed read or disc check.
int32_t epwGetWordItem(int32_t index, WordItem* item);

// ---- Keyword and full-text search --------------------------------------------------------
// Two more ways to fill the same hit list: epwGetWordItem, the entry readers and the content
// view's VM_VIEW_SHOWPOS work on their hits as on a word search's. Each new search replaces the
// hits of the one before and stops a full-text scan under way.

// What epwGetSearchModes reports.
enum {
  kDunmoorHeadwordSearch = 1,  // epwGetWordProperties
  kDunmoorKeywordSearch = 2,   // epwSearchKeywords: the book has a keyword index
  kDunmoorFullTextSearch = 4,  // epwFullTextBegin
};

// The searches the open book offers, as the bits above; -1 when no book is open.
int32_t epwGetSearchModes(void);

// The most words a keyword search takes.
enum { kDunmoorMostKeywords = 5 };

// Keyword search: key holds 1 to 5 words (JIS X 0208) separated by full-width spaces (0x2121).
// Each word is normalised as a headword is and matches every key of the book's keyword index
// that begins with it; an entry is a hit when every word matches one of its keys, listed once,
// in the order of the first word's matches. 1 with at least one hit (properties filled), -2 no
// hit, no keyword index, no word or more than 5, -1 no open book or a failed read or disc check.
int32_t epwSearchKeywords(char* key, WordProperties* properties);

// Full-text search, a piece of the text at a time. epwFullTextBegin starts a scan for key (JIS
// X 0208, 1 to 64 bytes; full-width spaces at its ends are dropped): 1 started (the hits are
// emptied), -2 an empty or longer key, -1 no open book. Each epwFullTextNext scans the next
// piece (about a megabyte) and sets properties->hitCount to the hits found so far: 0 more to
// scan, 1 the scan is over (also when there is no scan under way, keeping the count), -1 a
// failed read or disc check (the scan ends; the hits found stay), -2 the hits are not a
// full-text search's. A match lies within one line of one entry; control codes inside it are
// passed over; Latin letters match in either case; an external character matches what the
// book's character map (epwGetCharacterMap) gives it. One hit an entry, in text order; its
// heading is the entry's keyword.
int32_t epwFullTextBegin(const char* key);
int32_t epwFullTextNext(WordProperties* properties);

// Where the word lies in the entry of full-text hit index: the text position of its first byte
// and its length in bytes (control codes inside included). 1; -2 index outside the hits or the
// hits are not a full-text search's; -1 no open book.
int32_t epwGetHitMatch(int32_t index, uint32_t* position, uint32_t* length);

// ---- The headwords around a word --------------------------------------------------------
// The keys of the word index that a headword search for key uses (key as epwGetWordProperties
// takes it, without a wildcard), in the index's order around the place of key: up to count keys
// before it and up to count + 1 from it on (count at most 16383). The place is the first key not
// below key; when textPosition is not negative, the key of the entry at textPosition among the
// keys that begin with key, where there is one (a hit of a search for key, among its
// namesakes). Each key is a hit (its entry and its heading), in that order, and they replace the
// hits of the last search: epwGetWordItem, the entry readers and the content view's
// VM_VIEW_SHOWPOS read them as a search's. 1 with properties filled and *place the place's hit
// index (hitCount when every key sorts below key); -2 no key, a wildcard, a negative count, or
// no index or no key of it; -1 no open book or a failed read or disc check.
enum { kDunmoorMostAround = 16383 };
int32_t epwGetWordsAround(char* key, int32_t textPosition, int32_t count, WordProperties* properties, int32_t* place);

// ---- Books kept open beside the open book ----------------------------------------------
// A caller that reads many books in turn (a search of every book of a shelf) keeps each open in
// a slot of its own, so that moving from one to the next opens and closes nothing. A slot is a
// handle: the exports below that take one work on that slot's book and on nothing else, and
// the exports above keep working on the library's own catalog and book (slot 0).
//
// epwOpenBookSlot loads the catalog of root and opens its book of catalog index in a new slot:
// the slot's number (1 or more); -1 the catalog cannot be read or the book does not open; -2 no
// usable book of that index, or too many slots open. epwCloseBookSlot closes the book of slot
// and frees its number: 1; -2 no such slot (slot 0 is never closed this way).
int32_t epwOpenBookSlot(const char* root, int32_t index);
int32_t epwCloseBookSlot(int32_t slot);

// Why a book cannot be read, when it is of a kind the library knows of and does not read. Index
// -1 asks of the disc at root itself: 2 an EB-family disc (a file CATALOG where CATALOGS would
// be). Index 0 or more asks of that record of root's catalog (read apart from the library's own
// catalog and book, which stay as they are): 1 a compressed book of the later EPWING versions
// (its text file is HONMON2), with its title (kDunmoorTitleSize bytes of JIS X 0208, zero-ended)
// into title when that is not null. 0 when nothing is known against it (it reads, or fails for
// another reason); -1 a null root or, for a record, a catalog that cannot be read; -2 an index
// past the records.
enum {
  kDunmoorCompressedText = 1,
  kDunmoorEbFamily = 2,
};
int32_t epwGetBookProblem(const char* root, int32_t index, char* title);

// ---- Wide paths ------------------------------------------------------------------------
// The same as IsEpwBook, OpenEpwing, epwOpenBookSlot, epwGetBookProblem and
// epwGetCharacterMap, with the paths as wide strings (UTF-16 on Windows; natively UTF-32), so
// that a disc below a folder named in a language the system code page lacks can be read: the
// exports above reach only paths that code page can spell (epwGetCharacterMap answers -2 for a
// map it cannot spell). epwGetCharacterMapW's size counts wide characters, the zero included.
int32_t IsEpwBookW(const wchar_t* root, char* title);
int32_t OpenEpwingW(const wchar_t* root);
int32_t epwOpenBookSlotW(const wchar_t* root, int32_t index);
int32_t epwGetBookProblemW(const wchar_t* root, int32_t index, char* title);
int32_t epwGetCharacterMapW(wchar_t* path, uint32_t size);

// What epwSlotGetHit tells of a hit: where its entry and its heading are (text positions) and,
// for a full-text hit, where its word lies in the entry (matchLength 0 for the other searches).
typedef struct DunmoorHit {
  int32_t textPosition;
  int32_t headingPosition;
  uint32_t matchPosition;
  uint32_t matchLength;
} DunmoorHit;

// The searches and the hits of the book of slot (0: the library's own), each as the export of
// the same name without "Slot" above, with the same results; a slot that is not open counts as
// no open book (-1).
int32_t epwSlotGetSearchModes(int32_t slot);
int32_t epwSlotGetWordProperties(int32_t slot, char* key, WordProperties* properties);
int32_t epwSlotSearchKeywords(int32_t slot, char* key, WordProperties* properties);
int32_t epwSlotFullTextBegin(int32_t slot, const char* key);
int32_t epwSlotFullTextNext(int32_t slot, WordProperties* properties);
int32_t epwSlotGetWordItem(int32_t slot, int32_t index, WordItem* item);
// Hit index of the last search of slot's book: 1 with hit filled, -2 an index outside the hits.
int32_t epwSlotGetHit(int32_t slot, int32_t index, DunmoorHit* hit);
int32_t epwSlotGetWordsAround(int32_t slot, char* key, int32_t textPosition, int32_t count, WordProperties* properties,
                              int32_t* place);

// ---- Entry text -----------------------------------------------------------------------
// Every reader copies the book's bytes unchanged into the caller's buffer (size bytes) and
// stores the number delivered in *length. They share one reading cursor.

// Raw readers: as many bytes as the buffer holds; the result is the position read from.
// GetWordCont: from hit index's text position; -2 for an index outside the hits.
int32_t GetWordCont(int32_t index, char* buffer, uint32_t size, uint32_t* length);
// On from the end of the last read.
int32_t GetWordContNext(char* buffer, uint32_t size, uint32_t* length);
// The bytes before the start of the last read (at most size, ending exactly there).
int32_t GetWordContLast(char* buffer, uint32_t size, uint32_t* length);
// As GetWordContLast without moving the cursor: 1 when that read succeeds, 0 otherwise.
int32_t GetContLastNoSet(char* buffer, uint32_t size, uint32_t* length);

// Entry-at-a-time readers: 1 the entry ends in this buffer, 0 the buffer is full and the entry
// goes on (call again), -1 no book, bad hit index, or a failed read or disc check.
int32_t epwGetWordContent(int32_t index, char* buffer, uint32_t size, uint32_t* length);
int32_t epwGetNextContentByWord(char* buffer, uint32_t size, uint32_t* length);
int32_t epwGetLastContentByWord(char* buffer, uint32_t size, uint32_t* length);

// ---- References and the menu ----------------------------------------------------------
// A reference code block runs from its start code (1F 42 or 1F 43) through its end code
// (1F 62 or 1F 63) and the 6 position bytes after it, and is never longer than 128 bytes.

// The text at the reference's target; the result is the target position. -2 when the block is
// no reference (the Windows build shows "SuperLink Error1"/"SuperLink Error2" first).
int32_t GetLinkContent(const char* code, char* buffer, uint32_t size, uint32_t* length);
// The text at position; -2 for a negative position.
int32_t GetLinkContByPt(int32_t position, char* buffer, uint32_t size, uint32_t* length);
// The entry at a 1F 42 reference's target, a buffer at a time: 1, 0, -2, -1.
int32_t epwGetLinkContent(const char* code, char* buffer, uint32_t size, uint32_t* length);
// Position of the book's menu; -2 when it has none, -1 with no open book.
int32_t GetMenuHead(void);

// ---- External characters (Windows build) ------------------------------------------------
// The code is the 2-byte text code (first byte * 256 + second byte); size 16, 24, 30 (or 32,
// the same as 30) or 48; wide 1 for a full-width glyph, 0 for a narrow one. The rectangle is
// left, top, right, bottom; colours are RGB values with red in the low byte.
//
// Where the design speaks of the framework's device-context object, these exports take the
// native device context (HDC) as a void*; where it speaks of the framework's bitmap object,
// epwExCode2Bmp stores a new HBITMAP through an HBITMAP* passed as a void*, and the caller owns
// (and deletes) it. Results: 1 drawn, -1 no open book or no font of that kind and size, -2 a bad
// wide flag or size, a code outside the font, or (epwExCode2Bmp) no bitmap could be made.

// Sets the ink pixels of the glyph, scaled into the rectangle; other pixels stay as they are.
int32_t epwShowExCodePixel(uint32_t code, uint32_t size, uint32_t wide, int32_t left, int32_t top,
                           int32_t right, int32_t bottom, uint32_t ink, void* dc);
// Draws the whole glyph, ink and paper, stretched into the rectangle.
int32_t epwShowExCode(uint32_t code, uint32_t size, uint32_t wide, int32_t left, int32_t top, int32_t right,
                      int32_t bottom, uint32_t ink, uint32_t paper, void* dc);
// A monochrome bitmap of the glyph at its nominal size, ink black on white.
int32_t epwExCode2Bmp(uint32_t code, uint32_t size, uint32_t wide, uint32_t unused1, uint32_t unused2,
                      uint32_t unused3, uint32_t unused4, void* bitmap);

// ---- Pictures ---------------------------------------------------------------------------
// code points at a graphic's start code (1F 44 monochrome or 1F 4D colour) inside the caller's
// copy of the entry text, which reaches past the code's end code and position.

// The number of bytes epwGetImage needs; caption (kDunmoorCaptionSize bytes) receives the
// caption, cut to fit. -1 no open book or a failed read or disc check, -2 no graphic code.
int32_t epwGetImageSize(const char* code, char* caption);
// Right after epwGetImageSize for the same code: the picture into buffer, *kind = 0 monochrome
// (height, width as 32-bit little-endian, then the rows) or 1 colour (the picture file). The
// number of picture bytes read; -1, -2 (no pending request, or no graphic code).
int32_t epwGetImage(const char* code, char* buffer, int32_t* kind);

// ---- Sound ------------------------------------------------------------------------------
// code points at a sound's start code (1F 48 CD audio, or 1F 4A) inside the caller's copy of
// the entry text.

// Fills properties (kDunmoorSoundPropertiesSize bytes): byte 0 kind (0 CD audio, 1 sound data
// in the book), 1-5 track, start minute and second, length minutes and seconds, 6-9 the format
// codes, 10.. the caption. 1, -1 no open book, -2 no sound code.
int32_t epwGetSoundProp(const char* code, uint8_t* properties);
// The number of bytes of the sound data of a 1F 4A code; -1, -2 (no such code, or its data
// lies outside the book).
int32_t epwGetPcmSize(const char* code);
// Right after epwGetPcmSize: the sound data into buffer; the number of bytes read; -1, -2 (no
// pending request).
int32_t epwGetPcmCont(const char* code, char* buffer);

// ---- Every export, once ----------------------------------------------------------------
// X(name, result type, parameter list) for every export of the portable library, then for the
// drawing exports of the Windows build. The function-pointer types (nameProc) and the table of
// bound functions below are made from these lists; Exports.cpp checks them against the
// declarations above, and a test checks that Dunmoor.def exports exactly these names.
#define DUNMOOR_EXPORTS(X)                                                                   \
  X(IsEpwBook, int32_t, (const char*, char*))                                               \
  X(OpenEpwing, int32_t, (const char*))                                                     \
  X(CloseEpwing, void, (void))                                                              \
  X(epwGetBooks, int32_t, (void))                                                           \
  X(epwGetBookInfo, int32_t, (int32_t, BookInfo*))                                          \
  X(epwSelectBook, int32_t, (int32_t))                                                      \
  X(epwBooksOpen, int32_t, (void))                                                          \
  X(epwBooksOpenAt, int32_t, (int32_t))                                                     \
  X(epwGetCharacterMap, int32_t, (char*, uint32_t))                                         \
  X(epwBooksClose, void, (void))                                                            \
  X(epwGetWordProperties, int32_t, (char*, WordProperties*))                                \
  X(epwGetWordItem, int32_t, (int32_t, WordItem*))                                          \
  X(GetWordCont, int32_t, (int32_t, char*, uint32_t, uint32_t*))                            \
  X(GetWordContNext, int32_t, (char*, uint32_t, uint32_t*))                                 \
  X(GetWordContLast, int32_t, (char*, uint32_t, uint32_t*))                                 \
  X(GetContLastNoSet, int32_t, (char*, uint32_t, uint32_t*))                                \
  X(epwGetWordContent, int32_t, (int32_t, char*, uint32_t, uint32_t*))                      \
  X(epwGetNextContentByWord, int32_t, (char*, uint32_t, uint32_t*))                         \
  X(epwGetLastContentByWord, int32_t, (char*, uint32_t, uint32_t*))                         \
  X(GetLinkContent, int32_t, (const char*, char*, uint32_t, uint32_t*))                     \
  X(GetLinkContByPt, int32_t, (int32_t, char*, uint32_t, uint32_t*))                        \
  X(epwGetLinkContent, int32_t, (const char*, char*, uint32_t, uint32_t*))                  \
  X(GetMenuHead, int32_t, (void))                                                           \
  X(epwGetImageSize, int32_t, (const char*, char*))                                         \
  X(epwGetImage, int32_t, (const char*, char*, int32_t*))                                   \
  X(epwGetSoundProp, int32_t, (const char*, uint8_t*))                                      \
  X(epwGetPcmSize, int32_t, (const char*))                                                  \
  X(epwGetPcmCont, int32_t, (const char*, char*))                                          \
  X(epwGetSearchModes, int32_t, (void))                                                     \
  X(epwSearchKeywords, int32_t, (char*, WordProperties*))                                   \
  X(epwFullTextBegin, int32_t, (const char*))                                               \
  X(epwFullTextNext, int32_t, (WordProperties*))                                            \
  X(epwGetHitMatch, int32_t, (int32_t, uint32_t*, uint32_t*))                              \
  X(epwOpenBookSlot, int32_t, (const char*, int32_t))                                       \
  X(epwCloseBookSlot, int32_t, (int32_t))                                                   \
  X(epwGetBookProblem, int32_t, (const char*, int32_t, char*))                               \
  X(epwSlotGetSearchModes, int32_t, (int32_t))                                              \
  X(epwSlotGetWordProperties, int32_t, (int32_t, char*, WordProperties*))                   \
  X(epwSlotSearchKeywords, int32_t, (int32_t, char*, WordProperties*))                      \
  X(epwSlotFullTextBegin, int32_t, (int32_t, const char*))                                  \
  X(epwSlotFullTextNext, int32_t, (int32_t, WordProperties*))                               \
  X(epwSlotGetWordItem, int32_t, (int32_t, int32_t, WordItem*))                             \
  X(epwSlotGetHit, int32_t, (int32_t, int32_t, DunmoorHit*))                               \
  X(epwGetWordsAround, int32_t, (char*, int32_t, int32_t, WordProperties*, int32_t*))        \
  X(epwSlotGetWordsAround, int32_t, (int32_t, char*, int32_t, int32_t, WordProperties*, int32_t*)) \
  X(IsEpwBookW, int32_t, (const wchar_t*, char*))                                           \
  X(OpenEpwingW, int32_t, (const wchar_t*))                                                 \
  X(epwGetCharacterMapW, int32_t, (wchar_t*, uint32_t))                                     \
  X(epwOpenBookSlotW, int32_t, (const wchar_t*, int32_t))                                   \
  X(epwGetBookProblemW, int32_t, (const wchar_t*, int32_t, char*))

#define DUNMOOR_DRAWING_EXPORTS(X)                                                           \
  X(epwShowExCodePixel, int32_t,                                                            \
    (uint32_t, uint32_t, uint32_t, int32_t, int32_t, int32_t, int32_t, uint32_t, void*))     \
  X(epwShowExCode, int32_t,                                                                 \
    (uint32_t, uint32_t, uint32_t, int32_t, int32_t, int32_t, int32_t, uint32_t, uint32_t, void*)) \
  X(epwExCode2Bmp, int32_t,                                                                 \
    (uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, void*))

// ---- Types for binding by name --------------------------------------------------------
#define DUNMOOR_PROC_TYPE(name, result, parameters) typedef result(*name##Proc) parameters;
DUNMOOR_EXPORTS(DUNMOOR_PROC_TYPE)
DUNMOOR_DRAWING_EXPORTS(DUNMOOR_PROC_TYPE)
#undef DUNMOOR_PROC_TYPE

#ifdef __cplusplus
}

// Every export as one table of function pointers, for callers that bind them by name
// (ui::BoundLibrary) or point them at the linked functions. The drawing exports are there in
// the Windows build only.
struct DunmoorExports {
#define DUNMOOR_FIELD(name, result, parameters) name##Proc name = nullptr;
  DUNMOOR_EXPORTS(DUNMOOR_FIELD)
#ifdef _WIN32
  DUNMOOR_DRAWING_EXPORTS(DUNMOOR_FIELD)
#endif
#undef DUNMOOR_FIELD

  // Calls visit(name, &field) for every field, in the lists' order.
  template <typename Visit>
  void ForEach(Visit visit) {
#define DUNMOOR_VISIT(name, result, parameters) visit(#name, &name);
    DUNMOOR_EXPORTS(DUNMOOR_VISIT)
#ifdef _WIN32
    DUNMOOR_DRAWING_EXPORTS(DUNMOOR_VISIT)
#endif
#undef DUNMOOR_VISIT
  }
};
#endif

#endif  // DUNMOOR_INCLUDE_DUNMOOR_H
