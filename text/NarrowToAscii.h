// Inside narrow text (1F 04 .. 1F 05) full-width symbols, digits and letters are shown as one
// ASCII character each; the content view, the headword list and the command-line reader share
// this table.
#ifndef BOOKTEXT_NARROWTOASCII_H
#define BOOKTEXT_NARROWTOASCII_H

#include <cstdint>

namespace booktext {

// The ASCII character that the JIS X 0208 code stands for in narrow text, or 0 when it has no
// ASCII form: the digits and letters of row 0x23 map to their second byte, 42 symbols of row
// 0x21 (the ideographic space among them) map by table.
char NarrowToAscii(uint16_t jis);

}  // namespace booktext

#endif  // BOOKTEXT_NARROWTOASCII_H
