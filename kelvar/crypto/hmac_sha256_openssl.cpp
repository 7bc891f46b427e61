#ifndef _WIN32

#include <openssl/evp.h>
#include <openssl/hmac.h>
#include <openssl/rand.h>

#include <climits>

#include "kelvar/crypto/hmac_sha256.h"

namespace kelvar {

std::optional<Sha256Mac> HmacSha256(std::span<const uint8_t> key, std::span<const uint8_t> message) {
    if (key.size() > INT_MAX) return std::nullopt;
    Sha256Mac mac{};
    unsigned length = 0;
    if (HMAC(EVP_sha256(), key.data(), static_cast<int>(key.size()), message.data(), message.size(), mac.data(),
             &length) == nullptr ||
        length != mac.size()) {
        return std::nullopt;
    }
    return mac;
}

bool SecureRandomBytes(std::span<uint8_t> out) {
    return out.size() <= INT_MAX && RAND_bytes(out.data(), static_cast<int>(out.size())) == 1;
}

}  // namespace kelvar

#endif  // _WIN32
