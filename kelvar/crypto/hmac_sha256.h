// HMAC-SHA-256 and random bytes for challenges, from the system's
// cryptographic library: libcrypto natively, BCrypt on Windows.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace kelvar {

using Sha256Mac = std::array<uint8_t, 32>;

// Nothing when the library fails.
std::optional<Sha256Mac> HmacSha256(std::span<const uint8_t> key, std::span<const uint8_t> message);

// False when the system gives none.
bool SecureRandomBytes(std::span<uint8_t> out);

// Whether two byte strings are equal, in a time that does not depend on
// where they differ.
bool EqualInConstantTime(std::span<const uint8_t> a, std::span<const uint8_t> b);

}  // namespace kelvar
