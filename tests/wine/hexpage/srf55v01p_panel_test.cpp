#include <gtest/gtest.h>

#include <richedit.h>

#include "editor_text.h"
#include "vantrel/panels/iso15693/srf55v01p_ids.h"
#include "vantrel/panels/iso15693/srf55v01p_panel.h"
#include "vicinity_script.h"

namespace {

constexpr int kLine = 4 * 3;  // characters of one block's line

class Srf55v01pTest : public ::testing::Test {
protected:
    Srf55v01pTest() {
        h.script.On(h.script.library.SRF55V_Inventorys,
                    [this](int32_t, uint8_t afi, uint8_t* out, uint8_t* length) {
                        inventoryAfi = afi;
                        std::vector<uint8_t> answer(1 + kUid1.size(), 0x00);
                        std::copy(kUid1.begin(), kUid1.end(), answer.begin() + 1);
                        Answer(out, length, answer);
                        return 0;
                    });
        h.Click(IDC_VF_INVENTORY);
        ServeTag(h.script);
        h.script.On(h.script.library.rf_transceive1,
                    [this](int32_t, const uint8_t* frame, uint8_t frameLength, uint8_t* out, uint8_t* length) {
                        frames.emplace_back(frame, frame + frameLength);
                        Answer(out, length, transceiveAnswer);
                        return transceiveStatus;
                    });
        h.Click(IDC_VF_READ);
        h.script.ClearLog();
    }
    HWND Editor() const { return h.Item(IDC_VF_EDITOR); }
    void TypeAt(int position, const std::wstring& digits) { ::TypeAt(Editor(), position, digits); }
    std::wstring Line(int block) const { return EditorText(Editor()).substr(block * kLine, kLine); }

    PanelHarness<CSrf55v01pPanel> h;
    int inventoryAfi = -1;
    std::vector<std::vector<uint8_t>> frames;
    std::vector<uint8_t> transceiveAnswer{0x00};
    int32_t transceiveStatus = 0;
};

}  // namespace

TEST_F(Srf55v01pTest, InventoryFiltersByAfiAndReadSkipsBlockFifteen) {
    EXPECT_EQ(inventoryAfi, 0);  // empty AFI field
    h.SetText(IDC_SRF01_AFI, L"3C");
    h.Click(IDC_VF_INVENTORY);
    EXPECT_EQ(inventoryAfi, 0x3C);

    h.script.ClearLog();
    h.Click(IDC_VF_READ);
    ASSERT_EQ(h.script.Log().size(), 17u);
    EXPECT_EQ(h.script.Log()[15], "ISO15693_Read(0, 2, *, 16, 1, *, *)");
    EXPECT_EQ(Line(15), L"00 00 00 00 ");
    EXPECT_EQ(Line(17), L"11 51 91 EE ");

    ServeTag(h.script, 9, 2);  // a 2-byte block
    h.Click(IDC_VF_READ);
    EXPECT_EQ(Line(0), L"00 00 00 00 ");
    EXPECT_EQ(h.services.status.rfind(L"Error: ", 0), 0u);
}

TEST_F(Srf55v01pTest, ProtectedBytesRefuseTypingAndAfiNeedsAValue) {
    TypeAt(13 * kLine, L"F");
    TypeAt(16 * kLine + 3, L"F");
    EXPECT_EQ(Line(13), L"0D 4D 8D F2 ");
    EXPECT_EQ(Line(16), L"10 50 90 EF ");
    h.Click(IDC_SRF01_WRITE_AFI);
    ASSERT_EQ(h.services.boxes.size(), 1u);
    EXPECT_EQ(h.services.boxes[0].text, L"Input data in AFI text please!");
    EXPECT_TRUE(h.script.Log().empty());
}

TEST_F(Srf55v01pTest, WriteSkipsTheUnreadBlockAndSendsEachChangedConfigByte) {
    TypeAt(12 * kLine, L"A");
    TypeAt(17 * kLine, L"B");
    h.Click(IDC_VF_WRITE);
    EXPECT_EQ(h.script.Log(), (Calls{"ISO15693_Write(0, 2, *, 12, *)", "ISO15693_Write(0, 2, *, 13, *)",
                                     "ISO15693_Write(0, 2, *, 14, *)", "ISO15693_Write(0, 2, *, 17, *)"}));
    EXPECT_TRUE(frames.empty());

    TypeAt(16 * kLine + 6, L"C");  // byte 2
    TypeAt(16 * kLine + 9, L"D");  // byte 3
    h.script.ClearLog();
    h.Click(IDC_VF_WRITE);
    ASSERT_EQ(frames.size(), 2u);
    std::vector<uint8_t> expected{0x22, 0xA0, 0x05};
    expected.insert(expected.end(), kUid1.begin(), kUid1.end());
    expected.insert(expected.end(), {0x90, 0x10, 0x00, 0x02, 0xC0});
    EXPECT_EQ(frames[0], expected);
    EXPECT_EQ(frames[1][14], 3);
    EXPECT_EQ(frames[1][15], 0xDF);
    EXPECT_EQ(h.services.status, L"OK");

    // Sent bytes are not sent again; a failed frame is retried by the next Write.
    frames.clear();
    TypeAt(16 * kLine + 9, L"7");
    transceiveStatus = 0x0C;
    h.Click(IDC_VF_WRITE);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(h.services.status, L"Error: c ,function: rf_transceive1");
    transceiveStatus = 0;
    transceiveAnswer = {0x01, 0x0F};  // the tag's error answer
    h.Click(IDC_VF_WRITE);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[1][15], 0x7F);
    EXPECT_EQ(h.services.status, L"Error: Block 16 write answer error!");
    transceiveAnswer = {0x00};
    h.Click(IDC_VF_WRITE);
    EXPECT_EQ(frames.size(), 3u);
    EXPECT_EQ(h.services.status, L"OK");
}

TEST_F(Srf55v01pTest, OnlyByteThreeOfTheConfigBlockChangedSendsTheFrameAlone) {
    TypeAt(16 * kLine + 9, L"D");
    h.Click(IDC_VF_WRITE);
    EXPECT_EQ(h.script.Log(), (Calls{"rf_transceive1(0, *, 16, *, *)"}));
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0][14], 3);
    EXPECT_EQ(frames[0][15], 0xDF);
}

TEST_F(Srf55v01pTest, ALibraryWithoutTheAfiInventoryReportsItUncalled) {
    h.script.Unbind(h.script.library.SRF55V_Inventorys);
    h.Click(IDC_VF_INVENTORY);
    EXPECT_EQ(h.script.Log(), (Calls{"rf_init_type(0, 49)"}));
    EXPECT_EQ(h.services.status, L"Error: fffffffe ,function: SRF55V_Inventorys");
}
