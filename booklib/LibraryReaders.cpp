// The Library's text, reference and menu readers: each works on the open book (none: -1) and the
// one shared reading cursor.
#include "Library.h"
#include "References.h"
#include "TextReaders.h"

namespace dunmoor {

int32_t Library::GetWordCont(int32_t index, char* buffer, uint32_t size, uint32_t* length) {
  return TextReaders(book.get(), cursor).GetWordCont(index, buffer, size, length);
}

int32_t Library::GetWordContNext(char* buffer, uint32_t size, uint32_t* length) {
  return TextReaders(book.get(), cursor).GetWordContNext(buffer, size, length);
}

int32_t Library::GetWordContLast(char* buffer, uint32_t size, uint32_t* length) {
  return TextReaders(book.get(), cursor).GetWordContLast(buffer, size, length);
}

int32_t Library::GetContLastNoSet(char* buffer, uint32_t size, uint32_t* length) {
  return TextReaders(book.get(), cursor).GetContLastNoSet(buffer, size, length);
}

int32_t Library::GetWordContent(int32_t index, char* buffer, uint32_t size, uint32_t* length) {
  return TextReaders(book.get(), cursor).GetWordContent(index, buffer, size, length);
}

int32_t Library::GetNextContentByWord(char* buffer, uint32_t size, uint32_t* length) {
  return TextReaders(book.get(), cursor).GetNextContentByWord(buffer, size, length);
}

int32_t Library::GetLastContentByWord(char* buffer, uint32_t size, uint32_t* length) {
  return TextReaders(book.get(), cursor).GetLastContentByWord(buffer, size, length);
}

int32_t Library::GetLinkContent(const char* code, char* buffer, uint32_t size, uint32_t* length) {
  return References(book.get(), cursor).GetLinkContent(code, buffer, size, length);
}

int32_t Library::GetLinkContByPt(int32_t position, char* buffer, uint32_t size, uint32_t* length) {
  return References(book.get(), cursor).GetLinkContByPt(position, buffer, size, length);
}

int32_t Library::GetLinkContentEntry(const char* code, char* buffer, uint32_t size, uint32_t* length) {
  return References(book.get(), cursor).GetLinkContentEntry(code, buffer, size, length);
}

int32_t Library::GetMenuHead() { return References(book.get(), cursor).GetMenuHead(); }

}  // namespace dunmoor
