// A counted byte string; zero bytes inside are allowed.
#pragma once

#include <cstdint>
#include <vector>

using Bytes = std::vector<uint8_t>;
