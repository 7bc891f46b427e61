// The reader's DES calculator: ECB over whole 8-byte blocks, single DES with
// an 8-byte key or two-key triple DES (K1 K2 K1) with a 16-byte key. It needs
// no connection and no card.
#pragma once

#include <cstdint>

#include "kelvar/status.h"

namespace kelvar {

enum class DesDirection { kEncipher, kDecipher };

// `length` must be a non-zero multiple of 8 and `keyLength` 8 or 16, else
// kBadArgument and nothing is written. `out` may be `data` itself.
Status RunDesCalculator(DesDirection direction, uint8_t* out, const uint8_t* data, uint8_t length,
                        const uint8_t* key, uint8_t keyLength);

}  // namespace kelvar
