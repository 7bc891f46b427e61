#include "kelvar/crypto/random_bytes.h"

#include <memory>
#include <random>

namespace kelvar {

RandomBytes SystemRandomBytes() {
    std::random_device device;
    std::seed_seq seed{device(), device(), device(), device()};
    auto engine = std::make_shared<std::mt19937_64>(seed);
    return [engine](std::span<uint8_t> out) {
        for (auto& byte : out) byte = static_cast<uint8_t>((*engine)() >> 56);
    };
}

}  // namespace kelvar
