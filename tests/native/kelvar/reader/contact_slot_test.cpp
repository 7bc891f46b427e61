#include "kelvar/reader/contact_slot.h"

#include <gtest/gtest.h>

#include <vector>

#include "kelvar/reader/field_config.h"
#include "support/hex_bytes.h"

using namespace kelvar;
using test_hex::Hex;
using test_hex::ToHex;

namespace {

std::vector<CardKind> Contact(std::string_view line) { return ParseFieldConfig(line, "dll").contact; }

TEST(ContactSlot, TheConfigurationChoosesTheCardsAndCommandsNeedThemPoweredUp) {
    const auto every = ContactCardKinds();
    EXPECT_EQ(Contact(""), std::vector<CardKind>(every.begin(), every.end()));
    EXPECT_EQ(Contact("contact = AT24C16, bogus, mifare1k"), std::vector<CardKind>{CardKind::kAt24c16});
    const FieldConfig misplaced = ParseFieldConfig("field = at24c16, ultralight", "dll");
    EXPECT_EQ(misplaced.field, std::vector<CardKind>{CardKind::kUltraLight});
    EXPECT_EQ(misplaced.notes.size(), 1u);
    ImageStore store;
    ContactSlot empty(store, Contact("contact ="));
    EXPECT_FALSE(empty.HasCard());
    EXPECT_EQ(empty.PowerUp(), kNoCard);

    ContactSlot slot(store, Contact(""));
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

TEST(ContactSlot, EachCommandReachesThePlacedCardOfItsFamily) {
    ImageStore store;
    ContactSlot slot(store, Contact(""));
    ASSERT_EQ(slot.PowerUp(), kOk);
    std::vector<uint8_t> out(255);
    uint8_t length = 0;
    EXPECT_EQ(slot.Read(8064, 128, out.data()), kOk);  // the AT24C64, first of all
    EXPECT_EQ(slot.ResetCard(out.data(), &length), kOk);  // the processor card
    EXPECT_GT(length, 1);
    EXPECT_EQ(slot.Send([&](ContactCard& card) { return card.SecureReset(out.data()); }), kOk);

    // Another card put in: the slot is off until powered up again.
    const CardKind small[] = {CardKind::kAt24c01};
    slot.PlaceOnly(small);
    EXPECT_EQ(slot.Read(0, 1, out.data()), kNotSelected);
    ASSERT_EQ(slot.PowerUp(), kOk);
    EXPECT_EQ(slot.Read(127, 1, out.data()), kOk);
    EXPECT_EQ(slot.Write(127, 2, out.data()), kBadArgument);  // past the AT24C01
    EXPECT_EQ(slot.ResetCard(out.data(), &length), kCardError);

    slot.PlaceOnly({});
    EXPECT_EQ(slot.PowerUp(), kNoCard);
    EXPECT_EQ(slot.Read(0, 1, out.data()), kNoCard);
}

}  // namespace
