#include "kelvar/reader/des_calculator.h"

#include <span>

#include "kelvar/crypto/des.h"

namespace kelvar {

Status RunDesCalculator(DesDirection direction, uint8_t* out, const uint8_t* data, uint8_t length,
                        const uint8_t* key, uint8_t keyLength) {
    if (out == nullptr || data == nullptr || key == nullptr) return kBadArgument;
    if (length == 0 || length % kDesBlockSize != 0) return kBadArgument;
    if (keyLength != 8 && keyLength != 16) return kBadArgument;
    const auto cipher = TripleDes::FromKey(std::span<const uint8_t>(key, keyLength));
    const std::span<const uint8_t> in(data, length);
    const std::span<uint8_t> result(out, length);
    const bool done = direction == DesDirection::kEncipher ? cipher->EncryptEcb(in, result)
                                                           : cipher->DecryptEcb(in, result);
    return done ? kOk : kBadArgument;
}

}  // namespace kelvar
