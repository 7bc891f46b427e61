// What the SR176 and SRIX4K panels do alike, one row per panel, and what
// only the SRIX4K's two-page grid does.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/list_helpers.h"
#include "support/panel_harness.h"
#include "vantrel/panels/iso14443b/sr176_ids.h"
#include "vantrel/panels/iso14443b/sr176_panel.h"
#include "vantrel/panels/iso14443b/srix4k_ids.h"
#include "vantrel/panels/iso14443b/srix4k_panel.h"

namespace {

struct Sr176Row {
    using Panel = CSr176Panel;
    static constexpr int kChipId = IDC_SR176_CHIP_ID, kRequest = IDC_SR176_REQUEST, kList = IDC_SR176_BLOCK_LIST,
                         kRead = IDC_SR176_READ, kWrite = IDC_SR176_WRITE, kLockReg = IDC_SR176_LOCK_REG,
                         kLock = IDC_SR176_LOCK, kBlock0 = IDC_SR176_BLOCK0;
    static constexpr int kBlocks = 16, kBlockSize = 2, kFirstListed = 4, kLastListed = 14;
    static constexpr const char* kLockCall = "rf_sr176_protectblock(0, 15)";
    static auto& ReadFn(ReaderLibrary& l) { return l.rf_sr176_readblock; }
    static auto& WriteFn(ReaderLibrary& l) { return l.rf_sr176_writeblock; }
};

struct Srix4kRow {
    using Panel = CSrix4kPanel;
    static constexpr int kChipId = IDC_SRIX_CHIP_ID, kRequest = IDC_SRIX_REQUEST, kList = IDC_SRIX_BLOCK_LIST,
                         kRead = IDC_SRIX_READ, kWrite = IDC_SRIX_WRITE, kLockReg = IDC_SRIX_LOCK_REG,
                         kLock = IDC_SRIX_LOCK, kBlock0 = IDC_SRIX_BLOCK0;
    static constexpr int kBlocks = 128, kBlockSize = 4, kFirstListed = 0, kLastListed = 127;
    static constexpr const char* kLockCall = "rf_srix4k_writelockreg(0, 15)";
    static auto& ReadFn(ReaderLibrary& l) { return l.rf_srix4k_readblock; }
    static auto& WriteFn(ReaderLibrary& l) { return l.rf_srix4k_writeblock; }
};

const Calls kSearchAttempt = {"rf_antenna_sta(0, 0)", "rf_init_type(0, 115)", "Wait(10)", "rf_antenna_sta(0, 1)",
                              "rf_st_select(0, *)"};

// Block b answers b, b+1, ... ; blocks from `failing` on fail with `status`
// (or, with status 0, answer `extra` bytes more than a block: -1 or 1).
template <typename Row>
void ServeBlocks(ScriptedReader& script, int failing, int32_t status, int extra = -1) {
    script.On(Row::ReadFn(script.library), [=](int32_t, uint8_t block, uint8_t* out, uint8_t* length) {
        std::vector<uint8_t> data;
        for (int i = 0; i < Row::kBlockSize; ++i) data.push_back(static_cast<uint8_t>(block + i));
        if (block >= failing) {
            if (status != 0) return status;
            data.resize(static_cast<std::size_t>(Row::kBlockSize + extra), 0xEE);
        }
        Answer(out, length, data);
        return 0;
    });
}

std::wstring BlockHex(int block, int size) {
    static const wchar_t* digits = L"0123456789ABCDEF";
    std::wstring text;
    for (int i = 0; i < size; ++i) {
        const int b = (block + i) & 0xFF;
        text += digits[b >> 4];
        text += digits[b & 15];
    }
    return text;
}

}  // namespace

template <typename Row>
class StTagFamilyTest : public ::testing::Test {
protected:
    PanelHarness<typename Row::Panel> h;
};

using StRows = ::testing::Types<Sr176Row, Srix4kRow>;
TYPED_TEST_SUITE(StTagFamilyTest, StRows);

TYPED_TEST(StTagFamilyTest, AnAbsentTagGivesTwoReportedSelectFailuresThenTheChipId) {
    auto& h = this->h;
    EXPECT_EQ(ListNumbers(h.Item(TypeParam::kList)), Range(TypeParam::kFirstListed, TypeParam::kLastListed));
    h.SetText(TypeParam::kChipId, L"12");
    h.SetText(TypeParam::kBlock0 + 5, L"ABCD");
    h.script.Fail(h.script.library.rf_st_select, 0x10);
    h.Click(TypeParam::kRequest);
    Calls twice = kSearchAttempt;
    twice.insert(twice.end(), kSearchAttempt.begin(), kSearchAttempt.end());
    EXPECT_EQ(h.script.Log(), twice);
    EXPECT_EQ(h.services.beeps, 2);
    EXPECT_EQ(h.services.status, L"Error: 10 ,function: rf_st_select");
    EXPECT_EQ(h.Text(TypeParam::kChipId), L"");
    EXPECT_EQ(h.Text(TypeParam::kBlock0 + 5), L"ABCD");

    h.script.On(h.script.library.rf_st_select, [](int32_t, uint8_t* chip) {
        *chip = 0x3A;
        return 0;
    });
    h.Click(TypeParam::kRequest);
    EXPECT_EQ(h.Text(TypeParam::kChipId), L"3A");
    EXPECT_EQ(h.Text(TypeParam::kBlock0 + 5), L"");
    EXPECT_EQ(h.services.status, L"OK");

    // Blocks filled after a search, by a read or by typing, are emptied by the next one.
    const int last = TypeParam::kBlock0 + TypeParam::kBlocks - 1;
    ServeBlocks<TypeParam>(h.script, TypeParam::kBlocks, 0);
    h.Click(TypeParam::kRead);
    ASSERT_EQ(h.Text(last), BlockHex(TypeParam::kBlocks - 1, TypeParam::kBlockSize));
    h.Click(TypeParam::kRequest);
    EXPECT_EQ(h.Text(last), L"");
    h.Type(TypeParam::kBlock0 + 1, L"5a");
    ASSERT_NE(h.Text(TypeParam::kBlock0 + 1), L"");
    h.Click(TypeParam::kRequest);
    EXPECT_EQ(h.Text(TypeParam::kBlock0 + 1), L"");
}

TYPED_TEST(StTagFamilyTest, AFailedOrShortReadKeepsTheBlocksBeforeIt) {
    auto& h = this->h;
    const int size = TypeParam::kBlockSize;
    ServeBlocks<TypeParam>(h.script, 5, 0x16);
    h.Click(TypeParam::kRead);
    EXPECT_EQ(h.script.Log().size(), 6u);
    EXPECT_EQ(h.Text(TypeParam::kBlock0 + 4), BlockHex(4, size));
    EXPECT_EQ(h.Text(TypeParam::kBlock0 + 5), L"");
    EXPECT_EQ(h.services.status, L"Error: 16 ,function: Read block: 5 error!");

    // An answer a byte short or long is no success, and none of it is shown.
    for (const int extra : {-1, 1}) {
        ServeBlocks<TypeParam>(h.script, 3, 0, extra);
        h.Click(TypeParam::kRead);
        EXPECT_EQ(h.Text(TypeParam::kBlock0 + 2), BlockHex(2, size));
        EXPECT_EQ(h.Text(TypeParam::kBlock0 + 3), L"") << extra;
        EXPECT_NE(h.services.status.find(L"Read block: 3 error!"), std::wstring::npos);
        EXPECT_EQ(h.services.status.rfind(L"Error", 0), 0u);
    }

    ServeBlocks<TypeParam>(h.script, TypeParam::kBlocks, 0);
    h.Click(TypeParam::kRead);
    EXPECT_EQ(h.Text(TypeParam::kBlock0 + TypeParam::kBlocks - 1), BlockHex(TypeParam::kBlocks - 1, size));
    EXPECT_EQ(h.services.status, L"OK");
}

TYPED_TEST(StTagFamilyTest, WritesOnlyAWholeBlockAndLocksOnlyAfterOk) {
    auto& h = this->h;
    std::vector<uint8_t> written;
    h.script.On(TypeParam::WriteFn(h.script.library), [&](int32_t, uint8_t, const uint8_t* data) {
        written.assign(data, data + TypeParam::kBlockSize);
        return 0;
    });
    const int block = TypeParam::kLastListed;
    ChooseNumber(h.Item(TypeParam::kList), block);
    // One digit short of a whole block: a lone last digit is a byte of its own.
    std::wstring digits(2 * TypeParam::kBlockSize - 1, L'a');
    h.Type(TypeParam::kBlock0 + block, digits);
    h.Click(TypeParam::kWrite);
    EXPECT_EQ(written.size(), static_cast<size_t>(TypeParam::kBlockSize));
    EXPECT_EQ(written.back(), 0x0A);
    EXPECT_EQ(h.services.status, L"OK");

    h.script.ClearLog();
    h.SetText(TypeParam::kBlock0 + block, L"ab");
    if (TypeParam::kBlockSize == 4) h.SetText(TypeParam::kBlock0 + block, L"abcdef");
    h.Click(TypeParam::kWrite);
    EXPECT_TRUE(h.script.Log().empty());

    h.SetText(TypeParam::kLockReg, L"0F");
    h.services.boxAnswer = IDCANCEL;
    h.Click(TypeParam::kLock);
    ASSERT_EQ(h.services.boxes.size(), 1u);
    EXPECT_EQ(h.services.boxes[0].text, L"Be sure to lock?");
    EXPECT_EQ(h.services.boxes[0].type, static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION));
    EXPECT_TRUE(h.script.Log().empty());
    h.services.boxAnswer = IDOK;
    h.Click(TypeParam::kLock);
    EXPECT_EQ(h.script.Log(), (Calls{TypeParam::kLockCall}));
}

TEST(Srix4kPanelTest, ReadFillsTheHiddenPageAndTheTabsSwitchPages) {
    PanelHarness<CSrix4kPanel> h;
    ChooseNumber(h.Item(IDC_SRIX_BLOCK_LIST), 100);
    h.SetText(IDC_SRIX_BLOCK0 + 100, L"01020304");
    std::vector<uint8_t> written;
    int writtenBlock = -1;
    h.script.On(h.script.library.rf_srix4k_writeblock, [&](int32_t, uint8_t block, const uint8_t* data) {
        writtenBlock = block;
        written.assign(data, data + 4);
        return 0;
    });
    h.Click(IDC_SRIX_WRITE);
    EXPECT_EQ(writtenBlock, 100);
    EXPECT_EQ(written, (std::vector<uint8_t>{1, 2, 3, 4}));

    HWND second = h.Item(IDC_SRIX_BLOCK0 + 64);
    HWND first = h.Item(IDC_SRIX_BLOCK0);
    EXPECT_FALSE(IsWindowVisible(second));
    // The tabs lie 387 to 417 pixels below the grid's top; a click on the
    // first tab, the current one, changes nothing.
    RECT label{};
    GetWindowRect(h.Item(IDC_SRIX_CHIP_LABEL), &label);
    MapWindowPoints(nullptr, *h.panel, reinterpret_cast<POINT*>(&label), 2);
    const int gridLeft = label.right + 20, gridTop = label.top;
    const auto click = [&](int x) {
        SendMessageW(*h.panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(gridLeft + x, gridTop + 400));
        PumpMessages();
    };
    click(60);
    EXPECT_EQ(h.panel->CurrentPage(), 0);
    EXPECT_TRUE(IsWindowVisible(first));

    click(180);
    EXPECT_EQ(h.panel->CurrentPage(), 1);
    EXPECT_TRUE(IsWindowVisible(second));
    EXPECT_FALSE(IsWindowVisible(first));

    // Reading while the second page shows fills the first page too; a
    // failure at block 70 leaves blocks 0 to 69.
    ServeBlocks<Srix4kRow>(h.script, 70, 0x16);
    h.Click(IDC_SRIX_READ);
    EXPECT_EQ(h.Text(IDC_SRIX_BLOCK0 + 3), BlockHex(3, 4));
    EXPECT_EQ(h.Text(IDC_SRIX_BLOCK0 + 69), BlockHex(69, 4));
    EXPECT_EQ(h.Text(IDC_SRIX_BLOCK0 + 70), L"");
    click(180);  // the current tab: nothing changes
    EXPECT_EQ(h.panel->CurrentPage(), 1);
    click(60);
    EXPECT_TRUE(IsWindowVisible(first));
    EXPECT_EQ(h.Text(IDC_SRIX_BLOCK0 + 3), BlockHex(3, 4));
}

TEST(Srix4kPanelTest, ReadUidShowsTheAnswerAndAFailureLeavesTheUidAsItWas) {
    PanelHarness<CSrix4kPanel> h;
    h.SetText(IDC_SRIX_UID, L"AABB");
    h.script.Fail(h.script.library.rf_srix4k_getuid, 0x13);
    h.Click(IDC_SRIX_READ_UID);
    EXPECT_EQ(h.Text(IDC_SRIX_UID), L"AABB");
    EXPECT_EQ(h.services.status, L"Error: 13 ,function: rf_srix4k_getuid");

    h.script.On(h.script.library.rf_srix4k_getuid, [](int32_t, uint8_t* out, uint8_t* length) {
        Answer(out, length, {0xD0, 0x02, 0x1A, 0x00, 0x12, 0x34, 0x56, 0x78});
        return 0;
    });
    h.Click(IDC_SRIX_READ_UID);
    EXPECT_EQ(h.Text(IDC_SRIX_UID), L"D0021A0012345678");
    EXPECT_EQ(h.services.status, L"OK");
}
