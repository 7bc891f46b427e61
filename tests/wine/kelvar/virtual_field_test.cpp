// The library's own virtual field functions through its exports: what the
// program's virtual cards dialog and the card-type following rely on.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "common/virtual_cards.h"
#include "kelvar/status.h"
#include "kelvar_dll.h"
#include "vantrel/toolkit/hex_text.h"

using namespace kelvar;
using virtual_cards::Card;

namespace {

std::wstring State(KelvarDll& dll, uint8_t card) {
    uint8_t out[1024] = {};
    uint8_t length = 0;
    const int32_t status = dll.VirtualCardState(0, card, out, &length);
    return status == kOk ? BytesToHex(out, length) : L"status " + std::to_wstring(status);
}

uint8_t Number(Card card) { return static_cast<uint8_t>(card); }

}  // namespace

TEST(KelvarVirtualField, CardsArePlacedListedResetAndTheFollowSettingKept) {
    KelvarDll dll("field = mifare1k, srix4k\ncontact = at24c02");
    ASSERT_TRUE(dll.Load());
    EXPECT_EQ(State(dll, Number(Card::kMifare1K)), L"status 1");  // not connected
    ASSERT_EQ(dll.Open(), kOk);

    // Flags, then the identity; the last number is the processor card, not held here.
    EXPECT_EQ(State(dll, Number(Card::kMifare1K)), L"01C25E197A");
    EXPECT_EQ(State(dll, Number(Card::kSrix4K)), L"0139A4611C5B0C02D0");
    EXPECT_EQ(State(dll, Number(Card::kAt24c02)), L"01");
    EXPECT_EQ(State(dll, Number(Card::kContactCpu)), L"status " + std::to_wstring(kNoCard));
    EXPECT_EQ(State(dll, virtual_cards::kCardCount), L"status " + std::to_wstring(kBadArgument));

    const uint8_t tag[] = {Number(Card::kSrix4K)};
    ASSERT_EQ(dll.VirtualCardsPlace(0, tag, 1), kOk);
    EXPECT_EQ(State(dll, Number(Card::kMifare1K)), L"00C25E197A");
    EXPECT_TRUE(dll.SearchMifare().empty());
    // A list naming an unknown card changes nothing.
    const uint8_t bad[] = {Number(Card::kMifare1K), virtual_cards::kCardCount};
    EXPECT_EQ(dll.VirtualCardsPlace(0, bad, 2), kBadArgument);
    EXPECT_EQ(State(dll, Number(Card::kMifare1K)), L"00C25E197A");
    EXPECT_EQ(dll.VirtualCardsPlace(0, nullptr, 0), kBadArgument);
    EXPECT_EQ(dll.VirtualCardsPlace(0, tag, 0), kOk);  // an empty field
    EXPECT_EQ(State(dll, Number(Card::kSrix4K)), L"0039A4611C5B0C02D0");

    // Factory contents of a written card.
    const uint8_t mifare[] = {Number(Card::kMifare1K)};
    ASSERT_EQ(dll.VirtualCardsPlace(0, mifare, 1), kOk);
    ASSERT_FALSE(dll.SearchMifare().empty());
    const uint8_t key[6] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    const uint8_t data[16] = {0x5A};
    ASSERT_EQ(dll.rf_M1_authentication2(0, 0x60, 4, key), kOk);
    ASSERT_EQ(dll.rf_M1_write(0, 4, data), kOk);
    ASSERT_EQ(dll.VirtualCardFactoryReset(0, Number(Card::kMifare1K)), kOk);
    EXPECT_EQ(dll.VirtualCardFactoryReset(0, Number(Card::kContactCpu)), kNoCard);
    ASSERT_TRUE(dll.ReloadAndOpen());
    ASSERT_EQ(dll.VirtualCardsPlace(0, mifare, 1), kOk);
    ASSERT_FALSE(dll.SearchMifare().empty());
    ASSERT_EQ(dll.rf_M1_authentication2(0, 0x60, 4, key), kOk);
    uint8_t block[1024] = {};
    uint8_t length = 0;
    ASSERT_EQ(dll.rf_M1_read(0, 4, block, &length), kOk);
    EXPECT_EQ(block[0], 0x00);

    // The follow setting lands in Kelvar.ini and outlives the library.
    uint8_t on = 7;
    ASSERT_EQ(dll.VirtualFieldFollow(0, &on), kOk);
    EXPECT_EQ(on, 1);
    EXPECT_EQ(dll.VirtualFieldSetFollow(0, 2), kBadArgument);
    ASSERT_EQ(dll.VirtualFieldSetFollow(0, 0), kOk);
    ASSERT_TRUE(dll.ReloadAndOpen());
    ASSERT_EQ(dll.VirtualFieldFollow(0, &on), kOk);
    EXPECT_EQ(on, 0);
    std::ifstream ini(dll.Folder() / "Kelvar.ini");
    const std::string text((std::istreambuf_iterator<char>(ini)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("\nfollow = no\n"), std::string::npos) << text;
}
