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
    // Block b's edit.
    static int Reach(PanelHarness<Panel>&, int block) { return kBlock0 + block; }
    static std::wstring Block(PanelHarness<Panel>& h, int block) { return h.Text(kBlock0 + block); }
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
    // The editor, moved onto block b: it then carries the block's id.
    static int Reach(PanelHarness<Panel>& h, int block) {
        h.panel->EditBlock(block);
        return kBlock0 + block;
    }
    static std::wstring Block(PanelHarness<Panel>& h, int block) { return h.panel->BlockText(block); }
};

const Calls kSearchAttempt = {"rf_antenna_sta(0, 0)", "rf_init_type(0, 115)", "Wait(10)", "rf_antenna_sta(0, 1)",
                              "rf_st_select(0, *)"};

// Block b answers b, b+1, ... ; blocks from `failing` on fail with `status`
// (or, with status 0, answer `extra` bytes more than a block: -1 or 1).
template <typename Row>
void ServeBlocks(ScriptedReader& script, int failing, int32_t status, int extra = -1) {
    script.On(Row::ReadFn(script.library), [=](int32_t, uint8_t block, uint8_t* out, uint8_t* length) {
        if (block >= failing && status != 0) return status;
        const int size = block >= failing ? Row::kBlockSize + extra : Row::kBlockSize;
        std::vector<uint8_t> data(static_cast<std::size_t>(size), 0xEE);
        for (int i = 0; i < size && i < Row::kBlockSize; ++i)
            data[static_cast<std::size_t>(i)] = static_cast<uint8_t>(block + i);
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
    h.SetText(TypeParam::Reach(h, 5), L"ABCD");
    h.script.Fail(h.script.library.rf_st_select, 0x10);
    h.Click(TypeParam::kRequest);
    Calls twice = kSearchAttempt;
    twice.insert(twice.end(), kSearchAttempt.begin(), kSearchAttempt.end());
    EXPECT_EQ(h.script.Log(), twice);
    EXPECT_EQ(h.services.beeps, 2);
    EXPECT_EQ(h.services.status, L"Error: 10 ,function: rf_st_select");
    EXPECT_EQ(h.Text(TypeParam::kChipId), L"");
    EXPECT_EQ(TypeParam::Block(h, 5), L"ABCD");

    h.script.On(h.script.library.rf_st_select, [](int32_t, uint8_t* chip) {
        *chip = 0x3A;
        return 0;
    });
    h.Click(TypeParam::kRequest);
    EXPECT_EQ(h.Text(TypeParam::kChipId), L"3A");
    EXPECT_EQ(TypeParam::Block(h, 5), L"");
    EXPECT_EQ(h.services.status, L"OK");

    // Blocks filled after a search, by a read or by typing, are emptied by the next one.
    const int last = TypeParam::kBlocks - 1;
    ServeBlocks<TypeParam>(h.script, TypeParam::kBlocks, 0);
    h.Click(TypeParam::kRead);
    ASSERT_EQ(TypeParam::Block(h, last), BlockHex(last, TypeParam::kBlockSize));
    h.Click(TypeParam::kRequest);
    EXPECT_EQ(TypeParam::Block(h, last), L"");
    h.Type(TypeParam::Reach(h, 1), L"5a");
    ASSERT_NE(TypeParam::Block(h, 1), L"");
    h.Click(TypeParam::kRequest);
    EXPECT_EQ(TypeParam::Block(h, 1), L"");
}

TYPED_TEST(StTagFamilyTest, AFailedOrShortReadKeepsTheBlocksBeforeIt) {
    auto& h = this->h;
    const int size = TypeParam::kBlockSize;
    ServeBlocks<TypeParam>(h.script, 5, 0x16);
    h.Click(TypeParam::kRead);
    EXPECT_EQ(h.script.Log().size(), 6u);
    EXPECT_EQ(TypeParam::Block(h, 4), BlockHex(4, size));
    EXPECT_EQ(TypeParam::Block(h, 5), L"");
    EXPECT_EQ(h.services.status, L"Error: 16 ,function: Read block: 5 error!");

    // An answer a byte short or long is no success, and none of it is shown.
    for (const int extra : {-1, 1}) {
        ServeBlocks<TypeParam>(h.script, 3, 0, extra);
        h.Click(TypeParam::kRead);
        EXPECT_EQ(TypeParam::Block(h, 2), BlockHex(2, size));
        EXPECT_EQ(TypeParam::Block(h, 3), L"") << extra;
        EXPECT_NE(h.services.status.find(L"Read block: 3 error!"), std::wstring::npos);
        EXPECT_EQ(h.services.status.rfind(L"Error", 0), 0u);
    }

    ServeBlocks<TypeParam>(h.script, TypeParam::kBlocks, 0);
    h.Click(TypeParam::kRead);
    EXPECT_EQ(TypeParam::Block(h, TypeParam::kBlocks - 1), BlockHex(TypeParam::kBlocks - 1, size));
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
    h.Type(TypeParam::Reach(h, block), digits);
    h.Click(TypeParam::kWrite);
    EXPECT_EQ(written.size(), static_cast<size_t>(TypeParam::kBlockSize));
    EXPECT_EQ(written.back(), 0x0A);
    EXPECT_EQ(h.services.status, L"OK");

    // A byte short or a byte too many: nothing is written.
    h.script.ClearLog();
    for (const int digits : {2 * TypeParam::kBlockSize - 2, 2 * TypeParam::kBlockSize + 2}) {
        h.SetText(TypeParam::Reach(h, block), std::wstring(static_cast<std::size_t>(digits), L'a'));
        h.Click(TypeParam::kWrite);
    }
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

namespace {

using SrixHarness = PanelHarness<CSrix4kPanel>;

// The grid's places, from the layout the panel follows.
Srix4kGrid GridOf(SrixHarness& h) {
    RECT label{};
    GetWindowRect(h.Item(IDC_SRIX_CHIP_LABEL), &label);
    MapWindowPoints(nullptr, *h.panel, reinterpret_cast<POINT*>(&label), 2);
    RECT client{};
    GetClientRect(*h.panel, &client);
    return LayOutSrix4kGrid(label.right + 20, label.top, client.right - 20);
}

POINT Centre(const GridBox& box) { return {(box.left + box.right) / 2, (box.top + box.bottom) / 2}; }

// A left click on the panel at `at`; the button comes up where the mouse went.
void ClickAt(HWND panel, POINT at) {
    SendMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    HWND captured = GetCapture();
    HWND up = captured != nullptr ? captured : panel;
    MapWindowPoints(panel, up, &at, 1);
    SendMessageW(up, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    PumpMessages();
}

void HoldShift(bool down) {
    BYTE keys[256]{};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = keys[VK_LSHIFT] = down ? 0x80 : 0x00;
    SetKeyboardState(keys);
}

// Tab (Shift+Tab, `back`) as the message loop hands it to the panel; the id
// of the control that then has the focus.
int PressTab(SrixHarness& h, bool back = false) {
    HoldShift(back);
    MSG msg{GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
    IsDialogMessageW(*h.panel, &msg);
    HoldShift(false);
    PumpMessages();
    return GetDlgCtrlID(GetFocus());
}

void ServeSameBlocks(ScriptedReader& script) {
    script.On(script.library.rf_srix4k_readblock, [](int32_t, uint8_t, uint8_t* out, uint8_t* length) {
        Answer(out, length, {0x12, 0x34, 0xAB, 0xCD});
        return 0;
    });
}

// The panel's client pixels as the screen shows them.
std::vector<COLORREF> PanelPixels(HWND panel, int& width) {
    RECT client{};
    GetClientRect(panel, &client);
    width = client.right;
    HDC dc = GetDC(panel);
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), client.right, -client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<COLORREF> pixels(static_cast<size_t>(client.right) * static_cast<size_t>(client.bottom));
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(client.bottom), pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(panel, dc);
    return pixels;
}

std::vector<COLORREF> PixelsOf(const std::vector<COLORREF>& pixels, int width, const GridBox& box) {
    std::vector<COLORREF> part;
    for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.right; ++x) part.push_back(pixels[static_cast<size_t>(y * width + x)]);
    }
    return part;
}

}  // namespace

TEST(Srix4kPanelTest, ABlockTypedOnTheSecondPageIsWrittenFromTheFirst) {
    SrixHarness h;
    const Srix4kGrid grid = GridOf(h);
    ClickAt(*h.panel, Centre(grid.tabs[1]));
    ASSERT_EQ(h.panel->CurrentPage(), 1);
    ClickAt(*h.panel, Centre(grid.edits[100 - kSrixBlocksPerPage]));
    HWND editor = h.Item(IDC_SRIX_BLOCK0 + 100);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(GetFocus(), editor);
    h.Type(IDC_SRIX_BLOCK0 + 100, L"01020304");

    ClickAt(*h.panel, Centre(grid.tabs[0]));
    EXPECT_EQ(h.panel->CurrentPage(), 0);
    EXPECT_FALSE(IsWindowVisible(h.Item(IDC_SRIX_BLOCK0 + 100)));
    ChooseNumber(h.Item(IDC_SRIX_BLOCK_LIST), 100);
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
}

TEST(Srix4kPanelTest, ReadFillsTheHiddenPageAndTheTabsSwitchPages) {
    SrixHarness h;
    const Srix4kGrid grid = GridOf(h);
    ClickAt(*h.panel, Centre(grid.tabs[0]));  // the current tab: nothing changes
    EXPECT_EQ(h.panel->CurrentPage(), 0);
    ClickAt(*h.panel, Centre(grid.tabs[1]));
    EXPECT_EQ(h.panel->CurrentPage(), 1);

    // Reading while the second page shows fills the first page too; a
    // failure at block 70 leaves blocks 0 to 69.
    ServeBlocks<Srix4kRow>(h.script, 70, 0x16);
    h.Click(IDC_SRIX_READ);
    EXPECT_EQ(h.panel->BlockText(3), BlockHex(3, 4));
    EXPECT_EQ(h.panel->BlockText(69), BlockHex(69, 4));
    EXPECT_EQ(h.panel->BlockText(70), L"");
    EXPECT_EQ(h.Text(IDC_SRIX_BLOCK0 + 64), BlockHex(64, 4));
    ClickAt(*h.panel, Centre(grid.tabs[1]));
    EXPECT_EQ(h.panel->CurrentPage(), 1);
    ClickAt(*h.panel, Centre(grid.tabs[0]));
    EXPECT_EQ(h.panel->CurrentPage(), 0);
    EXPECT_TRUE(IsWindowVisible(h.Item(IDC_SRIX_BLOCK0)));
    EXPECT_EQ(h.Text(IDC_SRIX_BLOCK0), BlockHex(0, 4));
}

TEST(Srix4kPanelTest, TabWalksTheBlocksOfThePageShownInOrder) {
    SrixHarness h;
    ServeBlocks<Srix4kRow>(h.script, 128, 0);
    h.Click(IDC_SRIX_READ);
    SetFocus(h.Item(IDC_SRIX_LOCK));
    EXPECT_EQ(PressTab(h), IDC_SRIX_BLOCK0);
    EXPECT_EQ(PressTab(h), IDC_SRIX_BLOCK0 + 1);
    DWORD start = 1, end = 0;
    SendMessageW(GetFocus(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 8u);
    EXPECT_EQ(PressTab(h, true), IDC_SRIX_BLOCK0);
    EXPECT_EQ(PressTab(h, true), IDC_SRIX_LOCK);

    // Back from the first control wraps to the page's last block, and on
    // from there to the first control.
    SetFocus(h.Item(IDC_SRIX_CHIP_ID));
    EXPECT_EQ(PressTab(h, true), IDC_SRIX_BLOCK0 + 63);
    EXPECT_EQ(h.Text(IDC_SRIX_BLOCK0 + 63), BlockHex(63, 4));
    EXPECT_EQ(PressTab(h), IDC_SRIX_CHIP_ID);

    ClickAt(*h.panel, Centre(GridOf(h).tabs[1]));
    SetFocus(h.Item(IDC_SRIX_LOCK));
    EXPECT_EQ(PressTab(h), IDC_SRIX_BLOCK0 + 64);
    SetFocus(h.Item(IDC_SRIX_CHIP_ID));
    EXPECT_EQ(PressTab(h, true), IDC_SRIX_BLOCK0 + 127);
}

TEST(Srix4kPanelTest, AClickOnABlockEditsItAndTheBlockLeftKeepsItsText) {
    SrixHarness h;
    ServeBlocks<Srix4kRow>(h.script, 128, 0);
    h.Click(IDC_SRIX_READ);
    const Srix4kGrid grid = GridOf(h);
    const POINT block7 = Centre(grid.edits[7]);
    ClickAt(*h.panel, block7);
    HWND editor = h.Item(IDC_SRIX_BLOCK0 + 7);
    ASSERT_NE(editor, nullptr);
    // The second click of a double click lands on the editor: the word is selected.
    POINT local = block7;
    MapWindowPoints(*h.panel, editor, &local, 1);
    SendMessageW(editor, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(local.x, local.y));
    SendMessageW(editor, WM_LBUTTONUP, 0, MAKELPARAM(local.x, local.y));
    DWORD start = 1, end = 0;
    SendMessageW(editor, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 8u);
    h.Type(IDC_SRIX_BLOCK0 + 7, L"12");

    // A label is no block; the block next to it is.
    ClickAt(*h.panel, Centre(grid.labels[8]));
    EXPECT_EQ(h.Item(IDC_SRIX_BLOCK0 + 8), nullptr);
    ClickAt(*h.panel, Centre(grid.edits[8]));
    EXPECT_EQ(h.Item(IDC_SRIX_BLOCK0 + 8), editor);
    EXPECT_EQ(h.panel->BlockText(7), L"12");
    EXPECT_EQ(h.Text(IDC_SRIX_BLOCK0 + 8), BlockHex(8, 4));
    // Undo does not bring the other block's text here.
    EXPECT_FALSE(SendMessageW(editor, EM_CANUNDO, 0, 0));
}

TEST(Srix4kPanelTest, ADrawnBlockLooksLikeTheEditOverAnother) {
    SrixHarness h;
    ServeSameBlocks(h.script);
    h.Click(IDC_SRIX_READ);
    SetFocus(h.Item(IDC_SRIX_LOCK));
    RedrawWindow(*h.panel, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const Srix4kGrid grid = GridOf(h);
    int width = 0;
    const std::vector<COLORREF> pixels = PanelPixels(*h.panel, width);
    // The editor lies over block 0; blocks 1 and 15 share its column and width.
    const std::vector<COLORREF> edit = PixelsOf(pixels, width, grid.edits[0]);
    EXPECT_EQ(PixelsOf(pixels, width, grid.edits[1]), edit);
    EXPECT_EQ(PixelsOf(pixels, width, grid.edits[15]), edit);
    EXPECT_NE(PixelsOf(pixels, width, grid.labels[1]), PixelsOf(pixels, width, grid.labels[2]));
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
