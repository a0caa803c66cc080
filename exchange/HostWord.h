// The words that another program hands to the viewer: Shift-JIS bytes (code page 932) read
// from the exchange file or the registry into buffers of fixed size.
#ifndef EXCHANGE_HOSTWORD_H
#define EXCHANGE_HOSTWORD_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace exchange {

// "Word" in the exchange file is read into 50 bytes (49 and the NUL); the registry value
// "data" into 51 bytes (50 and the NUL).
constexpr size_t kExchangeWordBytes = 49;
constexpr size_t kRegistryWordBytes = 50;

// The word that arrives: bytes up to the first NUL, cut to at most maxBytes. A cut never
// splits a double-byte character: a lead byte whose second byte does not fit, or that ends
// the bytes, is dropped with it.
std::string CutHostWord(std::string_view bytes, size_t maxBytes);

}  // namespace exchange

#endif  // EXCHANGE_HOSTWORD_H
