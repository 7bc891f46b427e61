// The processor card of the contact slot and the SAM: answers to reset,
// APDUs, and the SAM's internal authentication against the DES calculator.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kelvar/reader/contact_slot.h"
#include "kelvar/reader/des_calculator.h"
#include "kelvar/reader/virtual_reader.h"
#include "support/hex_bytes.h"

using namespace kelvar;
using test_hex::Hex;
using test_hex::ToHex;

namespace {

// The answer to an APDU (or reset) in hex, or "status N".
template <typename Call>
std::string Answer(Call call) {
    uint8_t out[256] = {}, length = 0;
    const Status status = call(out, &length);
    if (status != kOk) return "status " + std::to_string(status);
    return ToHex(std::vector<uint8_t>(out, out + length));
}

template <typename Slot>
std::string Apdu(Slot& slot, const std::string& apdu) {
    const auto bytes = Hex(apdu);
    return Answer([&](uint8_t* out, uint8_t* length) {
        return slot.Exchange(bytes.data(), static_cast<uint8_t>(bytes.size()), out, length);
    });
}

const std::string kNotPowered = "status " + std::to_string(kNotSelected);

}  // namespace

TEST(ContactCpuCard, ResetsAndAnswersApdusWithUpdatesKeptInItsImage) {
    ImageStore store;
    {
        ContactSlot slot(store, std::vector{CardKind::kContactCpu});
        EXPECT_EQ(Answer([&](uint8_t* out, uint8_t* length) { return slot.ResetCard(out, length); }), kNotPowered);
        EXPECT_EQ(Apdu(slot, "0084000008"), kNotPowered);
        ASSERT_EQ(slot.PowerUp(), kOk);
        EXPECT_EQ(Answer([&](uint8_t* out, uint8_t* length) { return slot.ResetCard(out, length); }),
                  "3B6800004B562D4350553031");
        const std::string challenge = Apdu(slot, "0084000008");
        EXPECT_EQ(challenge.size(), 20u);
        EXPECT_EQ(challenge.substr(16), "9000");
        EXPECT_EQ(Apdu(slot, "0084"), "6700");
        // The application by its name, its record, then an update of the free file.
        EXPECT_EQ(Apdu(slot, "00A4040C06F04B5603000100"), "9000");
        EXPECT_EQ(Apdu(slot, "00B0810007"), "4143434F554E549000");  // "ACCOUNT"
        EXPECT_EQ(Apdu(slot, "00D6820002A1A2"), "9000");
    }
    ContactSlot again(store, std::vector{CardKind::kContactCpu});
    ASSERT_EQ(again.PowerUp(), kOk);
    Answer([&](uint8_t* out, uint8_t* length) { return again.ResetCard(out, length); });
    EXPECT_EQ(Apdu(again, "00A4040C06F04B5603000100"), "9000");
    EXPECT_EQ(Apdu(again, "00B0820003"), "A1A2009000");

    // A memory card has no answer to reset.
    ContactSlot memory(store, std::vector{CardKind::kAt24c02});
    ASSERT_EQ(memory.PowerUp(), kOk);
    EXPECT_EQ(Answer([&](uint8_t* out, uint8_t* length) { return memory.ResetCard(out, length); }),
              "status " + std::to_string(kCardError));
}

TEST(Sam, AnswerToResetFollowsTheSpeedAndAuthenticationMatchesTheDesCalculator) {
    VirtualReader reader(FieldConfig{{}, {}});
    const uint16_t builtIn[4] = {0, 0, 0, 0};
    ASSERT_EQ(reader.Open(0, builtIn), kOk);
    SamSlot& sam = reader.Sam();
    auto reset = [&] { return Answer([&](uint8_t* out, uint8_t* length) { return sam.Reset(out, length); }); };

    EXPECT_EQ(reset(), kNotPowered);
    EXPECT_EQ(sam.PowerUp(2), kBadArgument);
    ASSERT_EQ(sam.PowerUp(SamCard::kBaud9600), kOk);
    EXPECT_EQ(Apdu(sam, "0084000008"), kNotPowered);  // not reset yet
    EXPECT_EQ(reset(), "3B19114B562D53414D2D3031");
    ASSERT_EQ(sam.PowerUp(SamCard::kBaud38400), kOk);
    EXPECT_EQ(reset(), "3B19134B562D53414D2D3031");

    const std::string challenge = Apdu(sam, "0084000008");
    ASSERT_EQ(challenge.size(), 20u);
    const auto data = Hex(challenge.substr(0, 16));
    std::vector<uint8_t> expected(8);
    ASSERT_EQ(RunDesCalculator(DesDirection::kEncipher, expected.data(), data.data(), 8,
                               SamCard::kAuthenticationKey.data(), 16),
              kOk);
    for (const char* le : {"", "08", "00"}) {
        EXPECT_EQ(Apdu(sam, "0088000008" + challenge.substr(0, 16) + le), ToHex(expected) + "9000");
    }
    EXPECT_EQ(Apdu(sam, "0088000007" + challenge.substr(0, 14)), "6700");
    EXPECT_EQ(Apdu(sam, "0088000108" + challenge.substr(0, 16)), "6A86");
    EXPECT_EQ(Apdu(sam, "00A4000C023F00"), "9000");

    reader.Close();
    EXPECT_EQ(Apdu(sam, "0084000008"), kNotPowered);
}
