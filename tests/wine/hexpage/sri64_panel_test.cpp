#include <gtest/gtest.h>

#include "vantrel/panels/iso15693/sri64_ids.h"
#include "vantrel/panels/iso15693/sri64_panel.h"
#include "vicinity_script.h"

namespace {

// Block b of the scripted tag holds 0xB0 + b with status b.
class Sri64Test : public ::testing::Test {
protected:
    Sri64Test() {
        h.script.On(h.script.library.ISO15693_Inventorys59, [](int32_t, uint8_t* out, uint8_t* length) {
            std::vector<uint8_t> answer(1 + kUid1.size(), 0x00);
            std::copy(kUid1.begin(), kUid1.end(), answer.begin() + 1);
            Answer(out, length, answer);
            return 0;
        });
        h.Click(IDC_VF_INVENTORY);
        Serve();
        h.script.ClearLog();
    }
    // Block `failBlock` fails with 0x0B; `shortBlock` answers its data byte only.
    void Serve(int failBlock = -1, int shortBlock = -1, uint8_t base = 0xB0) {
        h.script.On(h.script.library.ISO15693_Read,
                    [=](int32_t, uint8_t, const uint8_t*, uint8_t block, uint8_t, uint8_t* out, uint8_t* length) {
                        if (block == failBlock) return 0x0B;
                        std::vector<uint8_t> answer{static_cast<uint8_t>(base + block), block};
                        if (block == shortBlock) answer.resize(1);
                        Answer(out, length, answer);
                        return 0;
                    });
    }
    std::wstring Data(int block) const { return h.Text(IDC_SRI64_DATA0 + block); }

    PanelHarness<CSri64Panel> h;
};

}  // namespace

TEST_F(Sri64Test, ReadShowsFourteenBlocksWithTheirStatusAndStopsAtAFailure) {
    EXPECT_EQ(h.Text(IDC_VF_UID1), BytesToHex(kUid1));
    EXPECT_FALSE(IsWindowVisible(h.Item(IDC_SRI64_DATA0 + 14)));
    h.Click(IDC_VF_READ);
    ASSERT_EQ(h.script.Log().size(), 14u);
    EXPECT_EQ(h.script.Log().back(), "ISO15693_Read(0, 2, *, 13, 1, *, *)");
    EXPECT_EQ(Data(13), L"BD");
    EXPECT_EQ(h.Text(IDC_SRI64_STATUS15 - 2), L"0D");
    EXPECT_EQ(h.services.status, L"OK");

    Serve(4, -1, 0xC0);
    h.Click(IDC_VF_READ);
    EXPECT_EQ(Data(3), L"C3");
    EXPECT_EQ(Data(4), L"B4");  // as it was
    EXPECT_EQ(h.services.log.size(), 4u);  // the failure has no log line
    EXPECT_EQ(h.services.status, L"Error: b ,function: ISO15693_Read");

    Serve(-1, 6, 0xD0);
    h.Click(IDC_VF_READ);
    EXPECT_EQ(Data(5), L"D5");
    EXPECT_EQ(Data(6), L"B6");  // nothing of the short answer
    EXPECT_EQ(h.services.status.rfind(L"Error: ", 0), 0u);
}

TEST_F(Sri64Test, WriteSendsOnlyEditedBlocksUntilTheNextRead) {
    h.Click(IDC_VF_READ);
    h.Type(IDC_SRI64_DATA0 + 3, L"77");  // read-only
    EXPECT_EQ(Data(3), L"B3");
    SetFocus(h.Item(IDC_SRI64_DATA0 + 10));
    SendMessageW(h.Item(IDC_SRI64_DATA0 + 10), EM_SETSEL, 0, -1);
    h.Type(IDC_SRI64_DATA0 + 10, L"5A");
    h.script.ClearLog();
    h.Click(IDC_VF_WRITE);
    EXPECT_EQ(h.script.Log(), (Calls{"SRI64_Write(0, 2, *, 10, 90)"}));
    h.script.ClearLog();
    h.Click(IDC_VF_WRITE);  // still marked
    EXPECT_EQ(h.script.Log().size(), 1u);

    h.Click(IDC_VF_READ);
    h.script.ClearLog();
    h.Click(IDC_VF_WRITE);
    EXPECT_TRUE(h.script.Log().empty());
}

TEST_F(Sri64Test, ALibraryWithoutTheByteWriteReportsItUncalled) {
    h.Click(IDC_VF_READ);
    SendMessageW(h.Item(IDC_SRI64_DATA0 + 9), EM_SETSEL, 0, -1);
    h.Type(IDC_SRI64_DATA0 + 9, L"01");
    h.script.Unbind(h.script.library.SRI64_Write);
    h.script.ClearLog();
    h.Click(IDC_VF_WRITE);
    EXPECT_TRUE(h.script.Log().empty());
    EXPECT_EQ(h.services.status, L"Error: fffffffe ,function: SRI64_Write");
}
