// Source of random bytes for challenges and nonces; injectable so that tests
// can replay an exchange.
#pragma once

#include <cstdint>
#include <functional>
#include <span>

namespace kelvar {

using RandomBytes = std::function<void(std::span<uint8_t>)>;

// A generator seeded once from the system's entropy source.
RandomBytes SystemRandomBytes();

}  // namespace kelvar
