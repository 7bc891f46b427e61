#include "kelvar/net/address_rule.h"

#include <gtest/gtest.h>

#include <array>

using kelvar::net::AddressAllowed;
using kelvar::net::LoopbackOnlyValue;
using Octets = std::array<uint16_t, 4>;

TEST(AddressRule, LoopbackOnlyAdmitsTheBuiltInReaderAndLoopbackAlone) {
    struct Case {
        Octets address;
        bool loopbackOnly;
        bool allowed;
    };
    const Case cases[] = {
        {{0, 0, 0, 0}, true, true},       {{127, 0, 0, 1}, true, true},
        {{127, 255, 255, 254}, true, true}, {{126, 255, 255, 255}, true, false},
        {{128, 0, 0, 1}, true, false},    {{128, 0, 0, 2}, true, false},
        {{0, 0, 0, 1}, true, false},      {{255, 255, 255, 255}, true, false},
        {{128, 0, 0, 1}, false, true},    {{127, 0, 256, 1}, true, false},
        {{128, 0, 300, 1}, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AddressAllowed(c.address.data(), c.loopbackOnly), c.allowed)
            << c.address[0] << "." << c.address[1] << "." << c.address[2] << "." << c.address[3]
            << " loopbackOnly " << c.loopbackOnly;
    }
    EXPECT_FALSE(AddressAllowed(nullptr, false));
}

TEST(AddressRule, EmptyAndZeroLeaveTheRuleOff) {
    EXPECT_FALSE(LoopbackOnlyValue(""));
    EXPECT_FALSE(LoopbackOnlyValue("0"));
    EXPECT_TRUE(LoopbackOnlyValue("1"));
    EXPECT_TRUE(LoopbackOnlyValue("yes"));
}
