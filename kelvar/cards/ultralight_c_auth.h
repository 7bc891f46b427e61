// Three-pass mutual authentication of the 3DES tag, two-key triple DES in
// CBC mode with the chaining value carried from message to message:
//   tag    -> reader  ek(RndB)               chained on zero
//   reader -> tag     ek(RndA || rot(RndB))  chained on ek(RndB)
//   tag    -> reader  ek(rot(RndA))          chained on the reader's last block
// rot() turns 8 bytes left by one byte.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "kelvar/crypto/des.h"
#include "kelvar/crypto/random_bytes.h"
#include "kelvar/status.h"

namespace kelvar {

inline constexpr size_t kUltralightCKeySize = 16;
using UltralightCKey = std::array<uint8_t, kUltralightCKeySize>;
using UltralightCResponse = std::array<uint8_t, 2 * kDesBlockSize>;

// The tag's side of the exchange.
class UltralightCAuthTarget {
public:
    virtual ~UltralightCAuthTarget() = default;

    // First pass: the tag's encrypted challenge.
    virtual Status StartAuthentication(DesBlock& challenge) = 0;

    // Second pass in, third pass out; kAuthFailed when the reader's answer
    // does not hold the tag's challenge (a different key).
    virtual Status FinishAuthentication(const UltralightCResponse& response, DesBlock& answer) = 0;
};

// Runs the reader's side with the 16-byte `key` (K1 then K2, as typed) and
// RndA drawn from `random`. kOk only when both sides proved the same key.
Status AuthenticateUltralightC(UltralightCAuthTarget& tag, const uint8_t* key, const RandomBytes& random);

// The tag keeps each 8-byte half of its key in reverse byte order on its key
// pages. Converts a typed key to that order and back (its own inverse).
UltralightCKey UltralightCKeyPageOrder(const uint8_t* key);

DesBlock RotateLeftOneByte(const DesBlock& block);

}  // namespace kelvar
