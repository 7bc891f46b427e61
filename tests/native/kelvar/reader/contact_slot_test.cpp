#include "kelvar/reader/contact_slot.h"

#include <gtest/gtest.h>

#include <vector>

#include "kelvar/reader/field_config.h"
#include "support/hex_bytes.h"

using namespace kelvar;
using test_hex::Hex;
using test_hex::ToHex;

namespace {

TEST(ContactSlot, TheConfigurationChoosesTheCardAndCommandsNeedItPoweredUp) {
    EXPECT_EQ(ParseFieldConfig("", "dll").contactCard, "at24c64, at88sc1608, cpu");
    EXPECT_EQ(ParseFieldConfig("contact = AT24C16", "dll").contactCard, "at24c16");
    ImageStore store;
    EXPECT_FALSE(ContactSlot(store, ParseFieldConfig("contact =", "dll").contactCard).HasCard());
    ContactSlot unknown(store, "at24c128");
    EXPECT_EQ(unknown.PowerUp(), kNoCard);

    ContactSlot slot(store, ParseFieldConfig("", "dll").contactCard);
    std::vector<uint8_t> out(128);
    EXPECT_EQ(slot.Read(0, 128, out.data()), kNotSelected);
    ASSERT_EQ(slot.PowerUp(), kOk);
    // The last 128-byte chunk of an AT24C64, and an address the chip cannot take.
    ASSERT_EQ(slot.Write(8064, 2, Hex("A1A2").data()), kOk);
    ASSERT_EQ(slot.Read(8064, 128, out.data()), kOk);
    EXPECT_EQ(ToHex(out).substr(0, 6), "A1A2FF");
    EXPECT_EQ(slot.Read(0x10000, 1, out.data()), kBadArgument);
    EXPECT_EQ(slot.Write(0x10000, 1, out.data()), kBadArgument);
    EXPECT_EQ(slot.Write(8191, 2, Hex("0102").data()), kBadArgument);  // past the end
    EXPECT_EQ(slot.Read(0, 128, nullptr), kBadArgument);
    slot.PowerDown();
    EXPECT_EQ(slot.Write(0, 1, out.data()), kNotSelected);
}

TEST(ContactSlot, EachCommandReachesTheFirstCardOfItsFamily) {
    ImageStore store;
    ContactSlot defaults(store, ParseFieldConfig("", "dll").contactCard);
    ASSERT_EQ(defaults.PowerUp(), kOk);
    std::vector<uint8_t> out(255);
    uint8_t length = 0;
    EXPECT_EQ(defaults.Read(8064, 128, out.data()), kOk);  // the AT24C64
    EXPECT_EQ(defaults.ResetCard(out.data(), &length), kOk);  // the processor card
    EXPECT_GT(length, 1);
    EXPECT_EQ(defaults.Send([&](ContactCard& card) { return card.SecureReset(out.data()); }), kOk);

    ContactSlot memoryOnly(store, "bogus, at24c01 ,at24c64");
    ASSERT_EQ(memoryOnly.PowerUp(), kOk);
    EXPECT_EQ(memoryOnly.Read(127, 2, out.data()), kOk);
    EXPECT_EQ(memoryOnly.Write(127, 2, out.data()), kBadArgument);  // past the AT24C01, the first one
    EXPECT_EQ(memoryOnly.ResetCard(out.data(), &length), kCardError);
    EXPECT_FALSE(ContactSlot(store, "bogus, other").HasCard());
}

}  // namespace
