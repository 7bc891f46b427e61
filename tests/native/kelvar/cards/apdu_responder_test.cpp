#include "kelvar/cards/apdu_responder.h"

#include <gtest/gtest.h>

#include <string>

#include "support/hex_bytes.h"

using test_hex::Hex;
using test_hex::ToHex;

namespace kelvar {
namespace {

// MF with EF 0002 (8 bytes, short id 2); application F0010203 (DF 1001) with
// EF 0001 (16 bytes, short id 1) and EF 0005 (300 bytes).
ApduResponder MakeCard() {
    FileLayout layout{{{0x0002, 2, 8}},
                      {{0x1001, Hex("F0010203"), {{0x0001, 1, 16}, {0x0005, 0, 300}}}}};
    ApduResponder card(layout, [](std::span<uint8_t> out) {
        for (size_t i = 0; i < out.size(); ++i) out[i] = static_cast<uint8_t>(0xA0 + i);
    });
    card.Preset(0x1001, 0x0001, 0, Hex("00112233445566778899AABBCCDDEEFF"));
    card.Preset(ApduResponder::kMasterFile, 0x0002, 0, Hex("5A5A5A5A01020304"));
    return card;
}

std::string Send(ApduResponder& card, const char* apdu) { return ToHex(card.Respond(Hex(apdu)).bytes); }

TEST(ApduResponderTest, SelectAndReadFollowTheFileTree) {
    ApduResponder card = MakeCard();
    EXPECT_EQ(Send(card, "00B0000008"), "6986");              // no current EF yet
    EXPECT_EQ(Send(card, "00B0820008"), "5A5A5A5A01020304" "9000");  // short id in the MF
    EXPECT_EQ(Send(card, "00A4040004F0010203"), "6F0A83021001" "8404F0010203" "9000");
    EXPECT_EQ(Send(card, "00A4040002F001"), "6F0A83021001" "8404F0010203" "9000");  // partial name
    EXPECT_EQ(Send(card, "00A4040C04F0010203"), "9000");
    EXPECT_EQ(Send(card, "00A4040004F0010299"), "6A82");
    EXPECT_EQ(Send(card, "00A40000020001"), "9000");
    EXPECT_EQ(Send(card, "00B0000004"), "00112233" "9000");
    EXPECT_EQ(Send(card, "00B000000C"), "00112233445566778899AABB" "9000");
    EXPECT_EQ(Send(card, "00B000000C04"), "6700");             // Lc with data on a read
    EXPECT_EQ(Send(card, "00B0000C08"), "CCDDEEFF" "6282");    // past the end: what there is
    EXPECT_EQ(Send(card, "00B0001004"), "6B00");               // offset outside the file
    EXPECT_EQ(Send(card, "00A40000020002"), "6A82");           // the MF's EF is not in the DF
    EXPECT_EQ(Send(card, "00A40000023F00"), "6F0483023F00" "9000");
    EXPECT_EQ(Send(card, "00A40000020002"), "9000");
    EXPECT_EQ(Send(card, "00A4000001"), "6700");               // Le where a file id belongs

    ASSERT_EQ(Send(card, "00A40000021001"), "6F0A83021001" "8404F0010203" "9000");
    ASSERT_EQ(Send(card, "00A40000020005"), "9000");
    const Bytes whole = card.Respond(Hex("00B0000000")).bytes;  // Le 00: as much as an answer carries
    EXPECT_EQ(whole.size(), ApduResponder::kMaxAnswerData + 2);
    EXPECT_EQ(ToHex(Bytes(whole.end() - 2, whole.end())), "9000");
}

TEST(ApduResponderTest, MalformedAndUnknownCommandsGetTheirStatusWords) {
    ApduResponder card = MakeCard();
    EXPECT_EQ(Send(card, "00CA000000"), "6D00");
    EXPECT_EQ(Send(card, "80A4040004F0010203"), "6E00");
    EXPECT_EQ(Send(card, "00A4"), "6700");
    EXPECT_EQ(Send(card, "00A4040008F0010203"), "6700");  // Lc larger than the data
    EXPECT_EQ(Send(card, "00A4040004F001020300FF"), "6700");
    EXPECT_EQ(Send(card, "00A4020004F0010203"), "6A86");
    EXPECT_EQ(Send(card, "00A4040104F0010203"), "6A86");
    EXPECT_EQ(Send(card, "00B0A00004"), "6A86");           // short-id form with stray bits
    EXPECT_EQ(Send(card, "00B0850004"), "6A82");           // no file with short id 5
    EXPECT_EQ(Send(card, "0084000008"), "A0A1A2A3A4A5A6A7" "9000");
    EXPECT_EQ(Send(card, "0084000004"), "A0A1A2A3" "9000");
    EXPECT_EQ(Send(card, "0084000005"), "6700");
    EXPECT_EQ(Send(card, "00840000"), "6700");
    EXPECT_EQ(Send(card, "0084010008"), "6B00");
}

TEST(ApduResponderTest, UpdatesChangeTheImageAndCanBeRevertedWhenNotStored) {
    ApduResponder card = MakeCard();
    const Bytes factory = card.Image();
    ASSERT_EQ(factory.size(), 8u + 16u + 300u);
    ASSERT_EQ(Send(card, "00A4040C04F0010203"), "9000");

    const auto update = card.Respond(Hex("00D6810203CAFE01"));
    EXPECT_EQ(ToHex(update.bytes), "9000");
    EXPECT_TRUE(update.changed);
    EXPECT_EQ(Send(card, "00B0000006"), "0011CAFE0155" "9000");
    EXPECT_EQ(Send(card, "00D6000E03010203"), "6700");  // would run past the end
    EXPECT_EQ(Send(card, "00D6001001FF"), "6B00");
    EXPECT_EQ(Send(card, "00D60000"), "6700");
    EXPECT_FALSE(card.Respond(Hex("00B0000004")).changed);

    const Bytes updated = card.Image();
    EXPECT_NE(updated, factory);
    card.RevertLastUpdate();
    EXPECT_EQ(card.Image(), factory);

    ApduResponder other = MakeCard();
    EXPECT_FALSE(other.LoadImage(Bytes(10)));
    EXPECT_EQ(other.Image(), factory);
    ASSERT_TRUE(other.LoadImage(updated));
    other.Reset();
    EXPECT_EQ(Send(other, "00B0000003"), "6986");  // after a reset no EF is current
    ASSERT_EQ(Send(other, "00A40000021001"), "6F0A83021001" "8404F0010203" "9000");
    EXPECT_EQ(Send(other, "00B0810003"), "0011CA" "9000");
}

}  // namespace
}  // namespace kelvar
