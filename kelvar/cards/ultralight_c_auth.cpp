#include "kelvar/cards/ultralight_c_auth.h"

#include <algorithm>
#include <span>

namespace kelvar {

Status AuthenticateUltralightC(UltralightCAuthTarget& tag, const uint8_t* key, const RandomBytes& random) {
    if (key == nullptr || !random) return kBadArgument;
    const TripleDes cipher(std::span<const uint8_t, kUltralightCKeySize>(key, kUltralightCKeySize));

    DesBlock challenge{};
    if (Status status = tag.StartAuthentication(challenge); status != kOk) return status;
    DesBlock rndB{};
    cipher.DecryptCbc(DesBlock{}, challenge, rndB);

    DesBlock rndA{};
    random(rndA);
    UltralightCResponse plain{};
    const DesBlock rotatedB = RotateLeftOneByte(rndB);
    std::copy(rndA.begin(), rndA.end(), plain.begin());
    std::copy(rotatedB.begin(), rotatedB.end(), plain.begin() + kDesBlockSize);
    UltralightCResponse response{};
    cipher.EncryptCbc(challenge, plain, response);

    DesBlock answer{};
    if (Status status = tag.FinishAuthentication(response, answer); status != kOk) return status;
    DesBlock rotatedA{};
    const auto lastSent = std::span(response).last<kDesBlockSize>();
    cipher.DecryptCbc(lastSent, answer, rotatedA);
    return rotatedA == RotateLeftOneByte(rndA) ? kOk : kAuthFailed;
}

UltralightCKey UltralightCKeyPageOrder(const uint8_t* key) {
    UltralightCKey ordered{};
    std::reverse_copy(key, key + kDesBlockSize, ordered.begin());
    std::reverse_copy(key + kDesBlockSize, key + kUltralightCKeySize, ordered.begin() + kDesBlockSize);
    return ordered;
}

DesBlock RotateLeftOneByte(const DesBlock& block) {
    DesBlock rotated{};
    std::rotate_copy(block.begin(), block.begin() + 1, block.end(), rotated.begin());
    return rotated;
}

}  // namespace kelvar
