#include <gtest/gtest.h>

#include <vector>

#include "support/list_helpers.h"
#include "support/panel_harness.h"
#include "vantrel/panels/iso14443a/shc1102_ids.h"
#include "vantrel/panels/iso14443a/shc1102_panel.h"

namespace {

constexpr int kBlockIds[] = {IDC_SHC_BLOCK0,  IDC_SHC_BLOCK1,  IDC_SHC_BLOCK2,  IDC_SHC_BLOCK3,
                             IDC_SHC_BLOCK4,  IDC_SHC_BLOCK5,  IDC_SHC_BLOCK6,  IDC_SHC_BLOCK7,
                             IDC_SHC_BLOCK8,  IDC_SHC_BLOCK9,  IDC_SHC_BLOCK10, IDC_SHC_BLOCK11,
                             IDC_SHC_BLOCK12, IDC_SHC_BLOCK13, IDC_SHC_BLOCK14, IDC_SHC_BLOCK15};
const Calls kPrelude = {"rf_antenna_sta(0, 0)", "rf_init_type(0, 65)", "Wait(20)",
                        "rf_antenna_sta(0, 1)", "rf_request(0, 82, *)"};

// A tag whose block b reads b b b b; `shortBlock` answers 3 bytes and
// `refusedBlock` fails with 0x21.
class Shc1102Test : public ::testing::Test {
protected:
    Shc1102Test() { Serve(); }

    void Serve(int shortBlock = -1, int refusedBlock = -1) {
        h.script.On(h.script.library.rf_request, [](int32_t, uint8_t, uint16_t* type) {
            *type = 0x0004;
            return 0;
        });
        h.script.On(h.script.library.rf_Shc1102_Read,
                    [=](int32_t, uint8_t block, uint8_t* out, uint8_t* length) {
                        if (block == refusedBlock) return 0x21;
                        Answer(out, length, std::vector<uint8_t>(block == shortBlock ? 3 : 4, block));
                        return 0;
                    });
        h.script.On(h.script.library.rf_Shc1102_Write,
                    [this](int32_t, uint8_t, const uint8_t* data) {
                        written.assign(data, data + 4);
                        return 0;
                    });
    }
    std::wstring Block(int b) const { return h.Text(kBlockIds[b]); }
    void ChooseBlock(int block) {
        SendMessageW(h.Item(IDC_SHC_BLOCK_LIST), CB_SETCURSEL, static_cast<WPARAM>(block - 2), 0);
    }
    Calls Then(Calls calls) const {
        Calls all = kPrelude;
        all.insert(all.end(), calls.begin(), calls.end());
        return all;
    }

    PanelHarness<CShc1102Panel> h;
    std::vector<uint8_t> written;
};

}  // namespace

TEST_F(Shc1102Test, RequestShowsTheTagTypeAndOnlyBlocksTwoToFifteenCanBeWritten) {
    EXPECT_EQ(ListNumbers(h.Item(IDC_SHC_BLOCK_LIST)), Range(2, 15));
    h.SetText(kBlockIds[3], L"12345678");
    h.Click(IDC_SHC_REQUEST);
    EXPECT_EQ(h.script.Log(), kPrelude);
    EXPECT_EQ(h.Text(IDC_SHC_TAG_TYPE), L"0400");
    EXPECT_EQ(Block(3), L"");
    EXPECT_EQ(h.services.status, L"OK");
    EXPECT_EQ(h.Text(IDC_SHC_WRITE), L"Write Block");
}

TEST_F(Shc1102Test, ReadStopsSilentlyAfterTheOpenBlocksWithoutAGoodPassword) {
    h.services.status = L"before";
    h.Click(IDC_SHC_READ);  // no password
    EXPECT_EQ(h.script.Names().size(), kPrelude.size() + 8);
    EXPECT_EQ(Block(7), L"07070707");
    EXPECT_EQ(Block(8), L"");
    EXPECT_EQ(h.services.status, L"before");

    h.script.Fail(h.script.library.rf_Shc1102_Auth, 0x11);
    h.SetText(IDC_SHC_PASSWORD, L"01020304");
    h.script.ClearLog();
    h.Click(IDC_SHC_READ);
    EXPECT_EQ(h.script.Log().back(), "rf_Shc1102_Auth(0, *)");
    EXPECT_EQ(h.services.log.back(), (FakeServices::LogLine{L"rf_Shc1102_Auth", 0x11}));
    EXPECT_EQ(Block(0), L"00000000");
    EXPECT_EQ(Block(9), L"");
    EXPECT_EQ(h.services.status, L"before");
    EXPECT_EQ(h.services.beeps, 0);
}

TEST_F(Shc1102Test, ReadWithThePasswordShowsEveryBlockAndAShortAnswerIsAnError) {
    h.SetText(IDC_SHC_PASSWORD, L"FFFFFFFF");
    h.Click(IDC_SHC_READ);
    EXPECT_EQ(Block(15), L"0F0F0F0F");
    EXPECT_EQ(h.services.status, L"OK");

    Serve(10);
    h.Click(IDC_SHC_READ);
    EXPECT_EQ(Block(9), L"09090909");
    EXPECT_EQ(Block(10), L"");  // nothing of the short answer
    EXPECT_EQ(Block(11), L"");
    EXPECT_NE(h.services.status.find(L"Error"), std::wstring::npos);
    EXPECT_EQ(h.services.beeps, 1);
}

TEST_F(Shc1102Test, WriteFillsUntypedBytesWithZerosAndNeedsThePassword) {
    ChooseBlock(5);
    h.SetText(kBlockIds[5], L"ABCD");
    h.Click(IDC_SHC_WRITE);
    ASSERT_EQ(h.services.boxes.size(), 1u);
    EXPECT_EQ(h.services.boxes[0].text, L"Input key please");
    EXPECT_EQ(h.script.Log(), kPrelude);

    h.SetText(IDC_SHC_PASSWORD, L"FFFFFFFF");
    h.script.ClearLog();
    h.Click(IDC_SHC_WRITE);
    EXPECT_EQ(h.script.Log(), Then({"rf_Shc1102_Auth(0, *)", "rf_Shc1102_Write(0, 5, *)"}));
    EXPECT_EQ(written, (std::vector<uint8_t>{0xAB, 0xCD, 0x00, 0x00}));
    EXPECT_EQ(h.services.status, L"OK");
}

TEST_F(Shc1102Test, PasswordBlockAsksFirstAndCancelSendsNothing) {
    h.SetText(IDC_SHC_PASSWORD, L"FFFFFFFF");
    h.SetText(kBlockIds[8], L"11223344");
    ChooseBlock(8);
    h.services.boxAnswer = IDCANCEL;
    h.Click(IDC_SHC_WRITE);
    ASSERT_EQ(h.services.boxes.size(), 1u);
    EXPECT_EQ(h.services.boxes[0].text, L"Be sure to change key?");
    EXPECT_EQ(h.services.boxes[0].caption, L"Warning");
    EXPECT_TRUE(h.script.Log().empty());

    h.services.boxAnswer = IDOK;
    h.Click(IDC_SHC_WRITE);
    EXPECT_EQ(h.script.Log(), Then({"rf_Shc1102_Auth(0, *)", "rf_Shc1102_Write(0, 8, *)"}));
    EXPECT_EQ(written, (std::vector<uint8_t>{0x11, 0x22, 0x33, 0x44}));
}

TEST_F(Shc1102Test, TheTagsRefusalsAreOnlyLoggedButAFailedPreludeIsReported) {
    h.SetText(IDC_SHC_PASSWORD, L"FFFFFFFF");
    h.services.status = L"before";
    Serve(-1, 3);
    h.Click(IDC_SHC_READ);
    EXPECT_EQ(h.services.log.back(), (FakeServices::LogLine{L"rf_Shc1102_Read", 0x21}));
    EXPECT_EQ(Block(2), L"02020202");
    EXPECT_EQ(Block(3), L"");

    Serve();
    h.script.Fail(h.script.library.rf_Shc1102_Write, 0x22);
    ChooseBlock(5);
    h.Click(IDC_SHC_WRITE);
    EXPECT_EQ(h.services.log.back(), (FakeServices::LogLine{L"rf_Shc1102_Write", 0x22}));
    EXPECT_EQ(h.services.status, L"before");
    EXPECT_EQ(h.services.beeps, 0);

    h.script.Fail(h.script.library.rf_request, 0x14);
    h.script.ClearLog();
    h.Click(IDC_SHC_READ);
    EXPECT_EQ(h.script.Log(), kPrelude);
    EXPECT_EQ(h.services.status, L"Error: 14 ,function: rf_request");
    EXPECT_EQ(h.services.beeps, 1);
    EXPECT_EQ(Block(0), L"");
}
