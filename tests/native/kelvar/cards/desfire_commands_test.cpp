#include "kelvar/cards/desfire_commands.h"

#include <gtest/gtest.h>

#include <string>

#include "support/hex_bytes.h"

using test_hex::Hex;
using test_hex::ToHex;

namespace kelvar {
namespace {

DesfireCommands MakeCard() {
    std::vector<uint8_t> big(100);
    for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<uint8_t>(i);
    return DesfireCommands({0x04, 0x31, 0x62, 0x9A, 0x2B, 0x1C, 0x80},
                           {{0x000001, {{0x00, Hex("48656C6C6F")}, {0x01, big}}}, {0x0000F0, {}}});
}

std::string Send(DesfireCommands& card, const char* command) { return ToHex(card.Respond(Hex(command))); }

TEST(DesfireCommandsTest, VersionAndApplicationsAnswerInFrames) {
    DesfireCommands card = MakeCard();
    EXPECT_EQ(Send(card, "60"), "AF04010101001805");
    EXPECT_EQ(Send(card, "AF"), "AF04010101041805");
    EXPECT_EQ(Send(card, "AF"), "00" "0431629A2B1C80" "BA7C1120261426");
    EXPECT_EQ(Send(card, "AF"), "1C");  // nothing pending
    EXPECT_EQ(Send(card, "60"), "AF04010101001805");
    EXPECT_EQ(Send(card, "6A"), "00" "010000" "F00000");  // a new command drops the chain
    EXPECT_EQ(Send(card, "AF"), "1C");

    EXPECT_EQ(Send(card, "6F"), "A0");  // no application selected
    EXPECT_EQ(Send(card, "5A020000"), "A0");
    EXPECT_EQ(Send(card, "5A0100"), "7E");
    EXPECT_EQ(Send(card, "5A010000"), "00");
    EXPECT_EQ(Send(card, "6F"), "000001");
    EXPECT_EQ(Send(card, "6F00"), "7E");
    EXPECT_EQ(Send(card, "C4"), "1C");
    EXPECT_EQ(Send(card, ""), "7E");
}

TEST(DesfireCommandsTest, ReadDataChecksFileAndBoundsAndChainsLongAnswers) {
    DesfireCommands card = MakeCard();
    EXPECT_EQ(Send(card, "BD00000000000000"), "F0");  // card level holds no files
    ASSERT_EQ(Send(card, "5A010000"), "00");
    EXPECT_EQ(Send(card, "BD00000000000000"), "0048656C6C6F");  // length 0: whole file
    EXPECT_EQ(Send(card, "BD00010000030000"), "00656C6C");
    EXPECT_EQ(Send(card, "BD00030000030000"), "BE");  // past the end
    EXPECT_EQ(Send(card, "BD00050000000000"), "BE");
    EXPECT_EQ(Send(card, "BD07000000000000"), "F0");
    EXPECT_EQ(Send(card, "BD000000000000"), "7E");

    const std::string first = Send(card, "BD01000000640000");  // 100 bytes: 59 + 41
    ASSERT_EQ(first.size(), 2u + 59 * 2);
    EXPECT_EQ(first.substr(0, 6), "AF0001");
    const std::string second = Send(card, "AF");
    ASSERT_EQ(second.size(), 2u + 41 * 2);
    EXPECT_EQ(second.substr(0, 4), "003B");
    EXPECT_EQ(second.substr(second.size() - 2), "63");

    card.Reset();
    EXPECT_EQ(Send(card, "6F"), "A0");
}

}  // namespace
}  // namespace kelvar
