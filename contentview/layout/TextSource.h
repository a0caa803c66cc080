// The book-access readers the layout calls, with the signatures and results of the library's
// exports. The window implements this over the functions it binds from the book-access library;
// tests implement it over a library instance of their own.
//
// Results: raw readers return the text position they read from (>= 0) or a negative value on
// failure; GetContLastNoSet returns 1 or 0. *length receives the bytes delivered.
#ifndef CALVETTA_LAYOUT_TEXTSOURCE_H
#define CALVETTA_LAYOUT_TEXTSOURCE_H

#include <cstdint>

namespace calvetta {

class TextSource {
 public:
  virtual ~TextSource() = default;
  virtual int32_t GetWordCont(int32_t index, char* buffer, uint32_t size, uint32_t* length) = 0;
  virtual int32_t GetWordContNext(char* buffer, uint32_t size, uint32_t* length) = 0;
  virtual int32_t GetWordContLast(char* buffer, uint32_t size, uint32_t* length) = 0;
  virtual int32_t GetContLastNoSet(char* buffer, uint32_t size, uint32_t* length) = 0;
  virtual int32_t GetLinkContent(const char* code, char* buffer, uint32_t size, uint32_t* length) = 0;
  virtual int32_t GetLinkContByPt(int32_t position, char* buffer, uint32_t size, uint32_t* length) = 0;
};

}  // namespace calvetta

#endif  // CALVETTA_LAYOUT_TEXTSOURCE_H
