// Which reader addresses the library may connect to.
#pragma once

#include <cstdint>
#include <string_view>

namespace kelvar::net {

// Set (to anything but empty or "0") by every test script: the library then
// refuses any address outside 127.0.0.0/8 before creating a socket.
inline constexpr std::string_view kLoopbackOnlyVariable = "KELVAR_LOOPBACK_ONLY";

// 0.0.0.0 is the built-in reader.
bool IsBuiltInAddress(const uint16_t address[4]);

// Whether a connection to `address` may be attempted. 0.0.0.0 always may;
// with `loopbackOnly`, otherwise only 127.x.y.z.
bool AddressAllowed(const uint16_t address[4], bool loopbackOnly);

// Whether a value of the variable above switches the rule on.
bool LoopbackOnlyValue(std::string_view value);

}  // namespace kelvar::net
