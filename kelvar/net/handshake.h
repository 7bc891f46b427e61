// The greeting that opens a reader connection:
//   client  hello      protocol version (16 bits), function-list digest (32),
//                      its nonce (32 bytes)
//   server  challenge  its nonce (32 bytes), 1 when a shared secret is needed
//                      (or a welcome that refuses another protocol)
//   client  proof      HMAC-SHA-256 of both nonces keyed with the secret, or
//                      nothing without one
//   server  welcome    verdict (32 bits), with a secret followed by its own
//                      proof
// Each proof covers a label of its side and the prover's nonce first: neither
// side's proof serves as the other's, and a recorded proof fails against a
// fresh nonce. The secret itself never crosses the wire.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "kelvar/crypto/hmac_sha256.h"

namespace kelvar::net {

inline constexpr size_t kNonceSize = 32;
using Nonce = std::array<uint8_t, kNonceSize>;

enum class Side { kClient, kServer };

// The proof of `side`, whose nonce is `own`; nothing when the secret is empty
// or the library fails.
std::optional<Sha256Mac> Proof(Side side, std::span<const uint8_t> secret, const Nonce& own, const Nonce& other);

// Whether `proof` is the one `side` must give.
bool ProofHolds(Side side, std::span<const uint8_t> secret, const Nonce& own, const Nonce& other,
                std::span<const uint8_t> proof);

}  // namespace kelvar::net
