// DES and triple DES (EDE) with ECB and CBC over whole 8-byte blocks.
// Blocks are big-endian: the first byte of a block is its most significant.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace kelvar {

inline constexpr size_t kDesBlockSize = 8;
using DesBlock = std::array<uint8_t, kDesBlockSize>;

// Block modes shared by Des and TripleDes. Input must be a whole number of
// blocks and `out` at least as long as `in`; `out` may be `in` itself. A
// false result means the lengths were wrong and nothing was written.
template <class Cipher>
class DesModes {
public:
    bool EncryptEcb(std::span<const uint8_t> in, std::span<uint8_t> out) const;
    bool DecryptEcb(std::span<const uint8_t> in, std::span<uint8_t> out) const;
    bool EncryptCbc(std::span<const uint8_t, kDesBlockSize> iv, std::span<const uint8_t> in,
                    std::span<uint8_t> out) const;
    bool DecryptCbc(std::span<const uint8_t, kDesBlockSize> iv, std::span<const uint8_t> in,
                    std::span<uint8_t> out) const;

private:
    const Cipher& Self() const { return static_cast<const Cipher&>(*this); }
};

class Des : public DesModes<Des> {
public:
    static constexpr size_t kKeySize = 8;

    // The parity bit of each key byte (its lowest bit) is ignored.
    explicit Des(std::span<const uint8_t, kKeySize> key);

    uint64_t EncryptBlock(uint64_t block) const;
    uint64_t DecryptBlock(uint64_t block) const;

private:
    std::array<uint64_t, 16> subkeys_;  // 48 bits each
};

// Encrypt with K1, decrypt with K2, encrypt with K3.
class TripleDes : public DesModes<TripleDes> {
public:
    // 16 bytes: K1 K2 and K3 = K1. 24 bytes: K1 K2 K3.
    explicit TripleDes(std::span<const uint8_t, 16> key);
    explicit TripleDes(std::span<const uint8_t, 24> key);

    // Accepts keys of 8 (all three keys equal, i.e. single DES), 16 or 24 bytes.
    static std::optional<TripleDes> FromKey(std::span<const uint8_t> key);

    uint64_t EncryptBlock(uint64_t block) const;
    uint64_t DecryptBlock(uint64_t block) const;

private:
    TripleDes(const uint8_t* k1, const uint8_t* k2, const uint8_t* k3);

    Des k1_, k2_, k3_;
};

extern template class DesModes<Des>;
extern template class DesModes<TripleDes>;

}  // namespace kelvar
