#include "kelvar/net/address_rule.h"

namespace kelvar::net {

bool IsBuiltInAddress(const uint16_t address[4]) {
    return address[0] == 0 && address[1] == 0 && address[2] == 0 && address[3] == 0;
}

bool AddressAllowed(const uint16_t address[4], bool loopbackOnly) {
    if (address == nullptr) return false;
    for (int i = 0; i < 4; ++i) {
        if (address[i] > 255) return false;
    }
    if (IsBuiltInAddress(address)) return true;
    return !loopbackOnly || address[0] == 127;
}

bool LoopbackOnlyValue(std::string_view value) { return !value.empty() && value != "0"; }

}  // namespace kelvar::net
