// What every reading command does first: open the catalog at a disc root and one of its
// books (the one --book names, else the first usable one), with one library instance of the
// command's own.
#ifndef DUNMOOR_TOOLS_DUNMOOR_BOOKSESSION_H
#define DUNMOOR_TOOLS_DUNMOOR_BOOKSESSION_H

#include <cstdint>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "Disc.h"
#include "GaijiMap.h"
#include "Library.h"

namespace cli {

// Why no catalog could be read at root: a disc of a kind not read, no such directory, no
// catalog file in it, or a catalog that cannot be read.
std::string NoCatalogMessage(const std::string& root);
// What a book of a kind not read is, for a message ("a compressed EPWING book ..."); null for
// kNone.
const char* UnreadableReason(dunmoor::UnreadableKind kind);

// 0 with the book open; otherwise the exit status with a message on err: 1 no catalog, an
// unusable record or a book that does not open, 2 a book number outside the catalog.
int OpenBook(dunmoor::Library* library, const Disc& disc, std::ostream& err);
// The same for a library whose catalog of disc.root is loaded already.
int OpenBookOfCatalog(dunmoor::Library* library, const Disc& disc, std::ostream& err);

// The character map of the open book (empty when it has none): NAME.map beside the catalog or
// in the book's folder, NAME being the book directory's name; names matched as the library
// matches them.
booktext::GaijiMap BookCharacterMap(const dunmoor::Library& library);

// A decimal number from the command line, 0..max; false for anything else.
bool ParseNumber(const std::string& text, uint32_t max, uint32_t* value);

// The code block of a graphic or sound whose start code lies at position, as the viewer copies
// it: kCodeBlockSize bytes of text from there (zero bytes past the end of the file). False
// with a message on err when the text cannot be read.
constexpr uint32_t kCodeBlockSize = 512;
bool ReadCodeBlock(dunmoor::Library* library, uint32_t position, std::vector<char>* block, std::ostream& err);

// What the picture and sound commands do first: parse the position, open the book and
// read the code block there. 0 when done, else the exit status (2 for a bad position, 1 when
// the book cannot be opened or read), with a message on err.
int OpenCodeBlockAt(dunmoor::Library* library, const Disc& disc, const std::string& position, uint32_t* at,
                    std::vector<char>* block, std::ostream& err);

// Writes bytes to path; false with a message on err.
// Opens the file of a path as the command line gives it (UTF-8 on Windows, where the library
// takes paths so too; natively the bytes as given), for std::fopen's mode.
std::FILE* OpenPathFile(const std::string& path, const char* mode);
// The whole file; false when it cannot be opened or read.
bool ReadPathFile(const std::string& path, std::string* bytes);

bool WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes, std::ostream& err);

}  // namespace cli

#endif  // DUNMOOR_TOOLS_DUNMOOR_BOOKSESSION_H
