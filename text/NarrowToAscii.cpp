#include "NarrowToAscii.h"

namespace booktext {

namespace {

struct SymbolForm {
  uint16_t jis;
  char ascii;
};

// Row 0x21: the symbols that have a narrow ASCII form. The acute accent and the closing quote
// (0x212D, 0x2147) are the apostrophe, the grave accent and the opening quote (0x212E, 0x2146)
// the backquote: English text in narrow runs writes "mother's" with 0x2147.
constexpr SymbolForm kSymbols[] = {
    {0x2121, ' '},  {0x2123, '.'}, {0x2124, ','}, {0x2125, '.'}, {0x2127, ':'}, {0x2128, ';'},
    {0x2129, '?'},  {0x212A, '!'}, {0x212B, '\\'}, {0x212C, '.'}, {0x212D, '\''}, {0x212E, '`'},
    {0x2130, '^'},  {0x2131, '-'}, {0x2132, '_'}, {0x213F, '/'}, {0x2140, '\\'}, {0x2141, '~'},
    {0x2143, '|'},  {0x2146, '`'}, {0x2147, '\''}, {0x214A, '('}, {0x214B, ')'}, {0x214C, '['},
    {0x214D, ']'},  {0x214E, '['}, {0x214F, ']'}, {0x2150, '{'}, {0x2151, '}'}, {0x2152, '<'},
    {0x2153, '>'},  {0x215C, '+'}, {0x215D, '-'}, {0x2161, '='}, {0x2163, '<'}, {0x2164, '>'},
    {0x2170, '$'},  {0x2173, '%'}, {0x2174, '#'}, {0x2175, '&'}, {0x2176, '*'}, {0x2177, '@'},
};
static_assert(sizeof kSymbols / sizeof kSymbols[0] == 42, "the narrow symbol table has 42 entries");

}  // namespace

char NarrowToAscii(uint16_t jis) {
  uint8_t row = static_cast<uint8_t>(jis >> 8), cell = static_cast<uint8_t>(jis & 0xFF);
  if (row == 0x23) {
    bool digit = cell >= 0x30 && cell <= 0x39;
    bool upper = cell >= 0x41 && cell <= 0x5A;
    bool lower = cell >= 0x61 && cell <= 0x7A;
    return digit || upper || lower ? static_cast<char>(cell) : 0;
  }
  if (row != 0x21) return 0;
  for (const SymbolForm& s : kSymbols) {
    if (s.jis == jis) return s.ascii;
  }
  return 0;
}

}  // namespace booktext
