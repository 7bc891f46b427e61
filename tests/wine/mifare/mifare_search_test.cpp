#include <gtest/gtest.h>

#include "mifare_script.h"
#include "vantrel/panels/iso14443a/mifare_panel.h"

namespace {

const Calls kSelect = {"rf_request(0, 82, *)", "rf_anticoll(0, 4, *, *)", "rf_select(0, *, 4, *)"};

class MifareSearchTest : public ::testing::Test {
protected:
    PanelHarness<CMifarePanel> h;
};

TEST_F(MifareSearchTest, NoCardMakesTwoAttemptsWithTheirWaitsAndEmptiesTheUid) {
    h.SetText(IDC_MF_UID, L"01020304");
    h.script.Fail(h.script.library.rf_request, 0x10);
    h.Click(IDC_MF_SEARCH);
    EXPECT_EQ(h.script.Log(), Join({kFieldReset, {"rf_request(0, 82, *)"}, kFieldReset,
                                    {"rf_request(0, 82, *)"}}));
    EXPECT_EQ(h.Text(IDC_MF_UID), L"");
    EXPECT_EQ(h.services.status, L"Error: 10 ,function: rf_request");
    EXPECT_EQ(h.services.log.size(), 8u);
    EXPECT_FALSE(h.panel->CardSelected());
}

TEST_F(MifareSearchTest, TenByteUidFailsTheLengthCheckInEveryAttempt) {
    CardInField(h.script, std::vector<uint8_t>(10, 0x5A));
    h.Click(IDC_MF_SEARCH);
    const Calls attempt = Join({kFieldReset, {"rf_request(0, 82, *)", "rf_anticoll(0, 4, *, *)"}});
    EXPECT_EQ(h.script.Log(), Join({attempt, attempt}));
    EXPECT_EQ(h.Text(IDC_MF_UID), L"");
    // The anticollision succeeded, so its own status cannot tell the failure.
    EXPECT_EQ(h.services.status, L"Error: UID length error!");
    EXPECT_EQ(h.services.beeps, 2);
    EXPECT_FALSE(h.panel->CardSelected());
}

TEST_F(MifareSearchTest, SecondAttemptFindsASevenByteCard) {
    CardInField(h.script, {0x04, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66});
    int requests = 0;
    h.script.On(h.script.library.rf_request,
                [&](int32_t, uint8_t, uint16_t*) { return ++requests == 1 ? 0x10 : 0; });
    h.Click(IDC_MF_SEARCH);
    EXPECT_EQ(h.script.Log(), Join({kFieldReset, {"rf_request(0, 82, *)"}, kFieldReset,
                                    {"rf_request(0, 82, *)", "rf_anticoll(0, 4, *, *)",
                                     "rf_select(0, *, 7, *)"}}));
    EXPECT_EQ(h.Text(IDC_MF_UID), L"04112233445566");
    EXPECT_EQ(h.services.status, L"Communication successful");
    EXPECT_TRUE(h.panel->CardSelected());
}

TEST_F(MifareSearchTest, NotConnectedReportsAndLeavesTheUid) {
    h.connection.open = false;
    h.SetText(IDC_MF_UID, L"01020304");
    for (int button : {IDC_MF_SEARCH, IDC_MF_REQIDL, IDC_MF_HALT, IDC_MF_READ1}) {
        h.Click(button);
        EXPECT_TRUE(h.script.Log().empty()) << button;
        EXPECT_EQ(h.services.status, L"Error: Port did't opened") << button;
    }
    EXPECT_EQ(h.Text(IDC_MF_UID), L"01020304");
    EXPECT_TRUE(h.services.log.empty());
}

TEST_F(MifareSearchTest, ReqIdlSelectsIdleCardsOnceWithoutTouchingTheFlag) {
    CardInField(h.script);
    h.Click(IDC_MF_REQIDL);
    EXPECT_EQ(h.script.Log(),
              (Calls{"rf_request(0, 38, *)", "rf_anticoll(0, 4, *, *)", "rf_select(0, *, 4, *)"}));
    EXPECT_EQ(h.Text(IDC_MF_UID), L"04A1B2C3");
    EXPECT_EQ(h.services.status, L"Communication successful");
    EXPECT_FALSE(h.panel->CardSelected());

    h.script.ClearLog();
    h.script.Fail(h.script.library.rf_select, 0x16);
    h.Click(IDC_MF_REQIDL);
    EXPECT_EQ(h.script.Log().size(), 3u);
    EXPECT_EQ(h.services.status, L"Error: 16 ,function: rf_select");
}

TEST_F(MifareSearchTest, HaltKeepsTheCardSelectedSoTheNextOperationSkipsTheSearch) {
    SelectCard(h);
    h.Click(IDC_MF_HALT);
    EXPECT_EQ(h.script.Log(), (Calls{"rf_halt(0)"}));
    EXPECT_EQ(h.services.status, L"Communication successful");
    EXPECT_TRUE(h.panel->CardSelected());

    // The halted card refuses the authentication, which clears the flag.
    h.script.ClearLog();
    h.script.Fail(h.script.library.rf_M1_authentication2, 0x16);
    h.SetText(IDC_MF_KEY1, L"FFFFFFFFFFFF");
    h.Click(IDC_MF_READ1);
    EXPECT_EQ(h.script.Log(), (Calls{"rf_M1_authentication2(0, 96, 0, *)"}));
    EXPECT_FALSE(h.panel->CardSelected());

    h.script.ClearLog();
    h.Click(IDC_MF_READ1);
    EXPECT_EQ(h.script.Log().front(), "rf_antenna_sta(0, 0)");
}

TEST_F(MifareSearchTest, OperationWithoutACardSearchesOnceAndStops) {
    h.script.Fail(h.script.library.rf_request, 0x10);
    h.SetText(IDC_MF_PURSE_KEY, L"FFFFFFFFFFFF");
    h.Click(IDC_MF_BALANCE);
    EXPECT_EQ(h.script.Log(), Join({kFieldReset, {"rf_request(0, 82, *)"}}));
    EXPECT_EQ(h.services.status, L"Error: 10 ,function: rf_request");
}

TEST_F(MifareSearchTest, FirstOperationSearchesThenAuthenticates) {
    CardInField(h.script);
    ServeBlocks(h.script);
    h.SetText(IDC_MF_KEY2, L"FFFFFFFFFFFF");
    h.Click(IDC_MF_READ2);
    EXPECT_EQ(h.script.Log(), Join({kFieldReset, kSelect,
                                    {"rf_M1_authentication2(0, 96, 0, *)", "rf_M1_read(0, 0, *, *)",
                                     "rf_M1_read(0, 1, *, *)", "rf_M1_read(0, 2, *, *)",
                                     "rf_M1_read(0, 3, *, *)"}}));
    EXPECT_EQ(h.Text(IDC_MF_UID), L"04A1B2C3");
    EXPECT_EQ(h.services.status, L"OK");
}

}  // namespace
