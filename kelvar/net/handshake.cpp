#include "kelvar/net/handshake.h"

#include <string_view>

namespace kelvar::net {

std::optional<Sha256Mac> Proof(Side side, std::span<const uint8_t> secret, const Nonce& own, const Nonce& other) {
    if (secret.empty()) return std::nullopt;
    const std::string_view label = side == Side::kClient ? "kelvar client" : "kelvar server";
    std::vector<uint8_t> message(label.begin(), label.end());
    message.insert(message.end(), own.begin(), own.end());
    message.insert(message.end(), other.begin(), other.end());
    return HmacSha256(secret, message);
}

bool ProofHolds(Side side, std::span<const uint8_t> secret, const Nonce& own, const Nonce& other,
                std::span<const uint8_t> proof) {
    const std::optional<Sha256Mac> expected = Proof(side, secret, own, other);
    return expected.has_value() && EqualInConstantTime(*expected, proof);
}

}  // namespace kelvar::net
