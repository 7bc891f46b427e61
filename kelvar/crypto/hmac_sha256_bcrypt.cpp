#ifdef _WIN32

#include <windows.h>
#include <bcrypt.h>

#include <climits>

#include "kelvar/crypto/hmac_sha256.h"

namespace kelvar {

namespace {

// BCrypt's HMAC-SHA-256 provider, opened once for the process.
BCRYPT_ALG_HANDLE HmacProvider() {
    static const BCRYPT_ALG_HANDLE provider = [] {
        BCRYPT_ALG_HANDLE handle = nullptr;
        const NTSTATUS status =
            BCryptOpenAlgorithmProvider(&handle, BCRYPT_SHA256_ALGORITHM, nullptr, BCRYPT_ALG_HANDLE_HMAC_FLAG);
        return BCRYPT_SUCCESS(status) ? handle : nullptr;
    }();
    return provider;
}

class Hash {
public:
    ~Hash() {
        if (handle_ != nullptr) BCryptDestroyHash(handle_);
    }
    BCRYPT_HASH_HANDLE* Out() { return &handle_; }
    BCRYPT_HASH_HANDLE Get() const { return handle_; }

private:
    BCRYPT_HASH_HANDLE handle_ = nullptr;
};

}  // namespace

std::optional<Sha256Mac> HmacSha256(std::span<const uint8_t> key, std::span<const uint8_t> message) {
    const BCRYPT_ALG_HANDLE provider = HmacProvider();
    if (provider == nullptr || key.size() > ULONG_MAX || message.size() > ULONG_MAX) return std::nullopt;
    Hash hash;
    Sha256Mac mac{};
    if (!BCRYPT_SUCCESS(BCryptCreateHash(provider, hash.Out(), nullptr, 0, const_cast<PUCHAR>(key.data()),
                                         static_cast<ULONG>(key.size()), 0)) ||
        !BCRYPT_SUCCESS(BCryptHashData(hash.Get(), const_cast<PUCHAR>(message.data()),
                                       static_cast<ULONG>(message.size()), 0)) ||
        !BCRYPT_SUCCESS(BCryptFinishHash(hash.Get(), mac.data(), static_cast<ULONG>(mac.size()), 0))) {
        return std::nullopt;
    }
    return mac;
}

bool SecureRandomBytes(std::span<uint8_t> out) {
    return out.size() <= ULONG_MAX &&
           BCRYPT_SUCCESS(BCryptGenRandom(nullptr, out.data(), static_cast<ULONG>(out.size()),
                                          BCRYPT_USE_SYSTEM_PREFERRED_RNG));
}

}  // namespace kelvar

#endif  // _WIN32
