#include <gtest/gtest.h>

#include <richedit.h>

#include "editor_text.h"
#include "support/list_helpers.h"
#include "vantrel/panels/iso15693/iso15693_ids.h"
#include "vantrel/panels/iso15693/iso15693_panel.h"
#include "vicinity_script.h"

namespace {

constexpr int kUids[] = {IDC_ISO15693_UID1, IDC_ISO15693_UID2, IDC_ISO15693_UID3,
                         IDC_ISO15693_UID4};

std::wstring UidHex(int tag) {
    std::vector<uint8_t> uid(kUid1.begin(), kUid1.end() - 1);
    uid.push_back(static_cast<uint8_t>(tag));
    return BytesToHex(uid);
}

class Iso15693Test : public ::testing::TestWithParam<int> {
protected:
    Iso15693Test() : h(GetParam()) {}

    bool IsSli() const { return GetParam() == 10; }
    HWND Editor() const { return h.Item(IDC_ISO15693_EDITOR); }
    HWND Bar() const { return h.Item(IDC_ISO15693_PAGE_BAR); }
    std::wstring Status(int field) const { return h.Text(IDC_ISO15693_STATUS0 + field); }

    void Inventory(int tags = 1) {
        ServeInventory(h.script, tags);
        h.Click(IDC_ISO15693_INVENTORY);
        h.script.ClearLog();
    }
    void TypeAt(int position, const std::wstring& digits) { ::TypeAt(Editor(), position, digits); }
    void Scroll(int code) { ScrollPageBar(*h.panel, Bar(), code); }
    void SystemInformation(std::size_t length) {
        h.script.On(h.script.library.ISO15693_Get_System_Information,
                    [length](int32_t, uint8_t, const uint8_t*, uint8_t* out, uint8_t* outLength) {
                        std::vector<uint8_t> answer(length, 0x11);
                        if (length > 10) {
                            answer[9] = 0xD5;
                            answer[10] = 0xA7;
                        }
                        Answer(out, outLength, answer);
                        return 0;
                    });
    }
    // The mode the next Lock DSFID sends.
    std::string LockMode() {
        h.script.ClearLog();
        h.Click(IDC_ISO15693_LOCK_DSFID);
        return h.script.Log().empty() ? "none" : h.script.Log().back();
    }
    static std::string LockCall(int mode) {
        return "ISO15693_Lock_DSFID(0, " + std::to_string(mode) + ", *)";
    }

    PanelHarness<CIso15693Panel> h;
};

INSTANTIATE_TEST_SUITE_P(TagKinds, Iso15693Test, ::testing::Values(9, 10));

}  // namespace

TEST_P(Iso15693Test, StartsWithTheTagKindsBlocksAndLockedUidFields) {
    EXPECT_EQ(ListNumbers(h.Item(IDC_ISO15693_BLOCK_LIST)), Range(0, IsSli() ? 27 : 63));
    EXPECT_TRUE(h.IsChecked(IDC_ISO15693_SLOT1));
    EXPECT_EQ(EditorText(Editor()).size(), 16u * 4 * 3);
    int low = -1, high = -1;
    GetScrollRange(Bar(), SB_CTL, &low, &high);
    EXPECT_EQ(high, IsSli() ? 1 : 15);
    EXPECT_EQ(Status(15), L"00");
    EXPECT_EQ(LockMode(), "none");  // no UID yet
    EXPECT_EQ(h.services.boxes.back().text, L"UID length error!");

    h.Type(IDC_ISO15693_UID1, L"12");
    EXPECT_EQ(h.Text(IDC_ISO15693_UID1), L"");
    Inventory();
    EXPECT_EQ(LockMode(), LockCall(IsSli() ? 2 : 6));
}

TEST_P(Iso15693Test, InventoryFillsAtMostFourSlotsFromNineByteRecords) {
    struct Case {
        int tags;
        int extra;
        int filled;
    };
    for (const Case c : {Case{4, 4, 4}, Case{5, 0, 4}, Case{0, 8, 0}, Case{2, 0, 2}}) {
        SCOPED_TRACE(c.tags * 9 + c.extra);
        h.script.ClearLog();
        ServeInventory(h.script, c.tags, c.extra);
        h.Click(IDC_ISO15693_INVENTORY);
        EXPECT_EQ(h.script.Log(), (Calls{"rf_init_type(0, 49)", "ISO15693_Inventorys(0, *, *)"}));
        for (int slot = 0; slot < 4; ++slot) {
            EXPECT_EQ(h.Text(kUids[slot]), slot < c.filled ? UidHex(slot) : L"") << slot;
        }
        EXPECT_EQ(h.services.status, L"OK");
    }
    h.script.Fail(h.script.library.ISO15693_Inventorys, 0x0A);
    h.Click(IDC_ISO15693_INVENTORY);
    EXPECT_EQ(h.services.status, L"Error: a ,function: ISO15693_Inventorys");
    EXPECT_EQ(h.Text(kUids[0]), L"");
}

TEST_P(Iso15693Test, GetInformationDecidesTheWriteModeAndAShortAnswerIsAnError) {
    Inventory(2);
    SendMessageW(h.Item(IDC_ISO15693_SLOT1), BM_SETCHECK, BST_UNCHECKED, 0);
    SendMessageW(h.Item(IDC_ISO15693_SLOT2), BM_SETCHECK, BST_CHECKED, 0);

    // Pressed while disconnected it still switches to mode 6 and the 64-block plan.
    h.connection.open = false;
    h.Click(IDC_ISO15693_GET_INFO);
    EXPECT_EQ(h.services.status, L"Error: Port did't opened");
    EXPECT_TRUE(h.script.Log().empty());
    h.connection.open = true;
    EXPECT_EQ(LockMode(), LockCall(6));
    ServeTag(h.script);
    h.script.ClearLog();
    h.Click(IDC_ISO15693_READ);
    EXPECT_EQ(h.script.Log().size(), 8u);

    SystemInformation(11);
    h.script.ClearLog();
    const int beeps = h.services.beeps;
    h.Click(IDC_ISO15693_GET_INFO);
    EXPECT_EQ(h.script.Log(),
              (Calls{"rf_init_type(0, 49)", "ISO15693_Get_System_Information(0, 2, *, *, *)"}));
    EXPECT_EQ(h.services.status, L"Error: System information answer is shorter than 12 bytes!");
    EXPECT_EQ(h.services.beeps, beeps + 1);
    EXPECT_EQ(h.Text(IDC_ISO15693_DSFID), L"");
    EXPECT_EQ(h.Text(IDC_ISO15693_AFI), L"");
    EXPECT_EQ(LockMode(), LockCall(6));

    SystemInformation(15);
    h.Click(IDC_ISO15693_GET_INFO);
    EXPECT_EQ(h.services.status, L"OK");
    EXPECT_EQ(h.Text(IDC_ISO15693_DSFID), L"D5");
    EXPECT_EQ(h.Text(IDC_ISO15693_AFI), L"A7");
    EXPECT_EQ(LockMode(), LockCall(IsSli() ? 2 : 6));
}

TEST_P(Iso15693Test, DsfidAndAfiAreWrittenAsOneByteAndNeedAValue) {
    Inventory();
    h.SetText(IDC_ISO15693_DSFID, L"");
    h.Click(IDC_ISO15693_WRITE_DSFID);
    EXPECT_EQ(h.services.boxes.back().text, L"Input data in DSFID text please!");
    h.SetText(IDC_ISO15693_AFI, L"");
    h.Click(IDC_ISO15693_WRITE_AFI);
    EXPECT_EQ(h.services.boxes.back().text, L"Input data in AFI text please!");
    EXPECT_TRUE(h.script.Log().empty());

    const std::string mode = IsSli() ? "2" : "6";
    h.Type(IDC_ISO15693_DSFID, L"a5");
    h.Click(IDC_ISO15693_WRITE_DSFID);
    h.Type(IDC_ISO15693_AFI, L"3");
    h.Click(IDC_ISO15693_WRITE_AFI);
    h.Click(IDC_ISO15693_LOCK_AFI);
    ChooseNumber(h.Item(IDC_ISO15693_BLOCK_LIST), 27);
    h.Click(IDC_ISO15693_LOCK);
    EXPECT_EQ(h.script.Log(), (Calls{"ISO15693_Write_DSFID(0, " + mode + ", *, 165)",
                                     "ISO15693_Write_AFI(0, " + mode + ", *, 3)",
                                     "ISO15693_Lock_AFI(0, " + mode + ", *)",
                                     "ISO15693_Lock_Block(0, " + mode + ", *, 27)"}));
    EXPECT_EQ(h.services.status, L"Communication successful");
}

TEST_P(Iso15693Test, ReadShowsEveryBlockOfThePlanWithItsSecurityStatus) {
    Inventory();
    // The first chunk answers a block more than asked: the later blocks stay in place.
    ServeTag(h.script, 0, 15 * 4);
    h.Click(IDC_ISO15693_READ);
    const int blocks = IsSli() ? 28 : 64;
    const Calls expected = IsSli()
        ? Calls{"ISO15693_Read(0, 2, *, 0, 14, *, *)", "ISO15693_Read(0, 2, *, 14, 14, *, *)",
                "ISO15693_Get_Block_Security(0, 2, *, 0, 28, *, *)"}
        : Calls{"ISO15693_Read(0, 2, *, 0, 14, *, *)", "ISO15693_Read(0, 2, *, 14, 14, *, *)",
                "ISO15693_Read(0, 2, *, 28, 14, *, *)", "ISO15693_Read(0, 2, *, 42, 14, *, *)",
                "ISO15693_Read(0, 2, *, 56, 8, *, *)",
                "ISO15693_Get_Block_Security(0, 2, *, 0, 28, *, *)",
                "ISO15693_Get_Block_Security(0, 2, *, 28, 28, *, *)",
                "ISO15693_Get_Block_Security(0, 2, *, 56, 8, *, *)"};
    EXPECT_EQ(h.script.Log(), expected);
    EXPECT_EQ(h.services.status, L"Communication successful");
    EXPECT_EQ(EditorText(Editor()), BlockTriples(0, 15));
    int low = -1, high = -1;
    GetScrollRange(Bar(), SB_CTL, &low, &high);
    EXPECT_EQ(high, blocks / 16 - (IsSli() ? 0 : 1));
    EXPECT_EQ(Status(5), L"85");

    Scroll(SB_LINEDOWN);
    EXPECT_EQ(EditorText(Editor()), BlockTriples(16, IsSli() ? 27 : 31));
    const HexPagePane& pane = *h.panel->HexPanes()[0];
    EXPECT_EQ(pane.LineLabel(0), L"10");
    EXPECT_EQ(pane.LineLabel(15), L"1F");
    EXPECT_EQ(Status(0), L"90");
    EXPECT_EQ(Status(11), L"9B");
    // An I.CODE SLI has no blocks 28 to 31.
    EXPECT_EQ(Status(12), IsSli() ? L"" : L"9C");
    EXPECT_EQ(Status(15), IsSli() ? L"" : L"9F");

    // Past the last page the thumb stays and nothing changes.
    for (int i = 0; i < 4; ++i) Scroll(SB_PAGEDOWN);
    EXPECT_EQ(GetScrollPos(Bar(), SB_CTL), high);
    Scroll(SB_LINEUP);
    EXPECT_EQ(GetScrollPos(Bar(), SB_CTL), high - 1);
}

TEST_P(Iso15693Test, AShortOrFailedAnswerStopsTheReadAndKeepsWhatWasShown) {
    Inventory();
    ServeTag(h.script);
    h.Click(IDC_ISO15693_READ);
    const std::wstring shown = EditorText(Editor());
    // Typed digits do not outlive a read, failed or not.
    TypeAt(1, L"F");

    struct Case {
        const char* name;
        std::function<void()> serve;
        const wchar_t* status;
    };
    const Case cases[] = {
        {"55-byte first chunk", [&] { ServeTag(h.script, 0, 55); }, L"Error: Read block: 0 error!"},
        {"short second chunk", [&] { ServeTag(h.script, 14, 8); }, L"Error: Read block: 14 error!"},
        {"security one short",
         [&] {
             ServeTag(h.script);
             h.script.On(h.script.library.ISO15693_Get_Block_Security,
                         [](int32_t, uint8_t, const uint8_t*, uint8_t, uint8_t count, uint8_t* out,
                            uint8_t* length) {
                             Answer(out, length, std::vector<uint8_t>(count - 1u, 0x01));
                             return 0;
                         });
         },
         L"Error: Read block: 0 error!"},
        {"failing read",
         [&] { h.script.Fail(h.script.library.ISO15693_Read, 0x0A); },
         L"Error: a ,function: ISO15693_Read"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.serve();
        const int beeps = h.services.beeps;
        h.Click(IDC_ISO15693_READ);
        EXPECT_EQ(h.services.status, c.status);
        EXPECT_EQ(h.services.beeps, beeps + 1);
        EXPECT_EQ(EditorText(Editor()), shown);
        EXPECT_EQ(Status(1), L"81");
    }
}

TEST_P(Iso15693Test, WriteSendsEveryBlockFromTheFirstToTheLastChanged) {
    Inventory();
    ServeTag(h.script);
    h.Click(IDC_ISO15693_READ);
    std::vector<std::vector<uint8_t>> written;
    h.script.On(h.script.library.ISO15693_Write,
                [&written](int32_t, uint8_t, const uint8_t*, uint8_t, const uint8_t* data) {
                    written.emplace_back(data, data + 5);
                    return 0;
                });

    h.Click(IDC_ISO15693_WRITE);
    EXPECT_EQ(h.services.status, L"Error: No change data");

    TypeAt(2 * 12, L"a");      // block 2, first digit
    TypeAt(5 * 12 + 10, L"7");  // block 5, last digit
    h.script.ClearLog();
    h.Click(IDC_ISO15693_WRITE);
    const std::string mode = IsSli() ? "2" : "6";
    Calls expected;
    for (int block = 2; block <= 5; ++block) {
        expected.push_back("ISO15693_Write(0, " + mode + ", *, " + std::to_string(block) + ", *)");
    }
    EXPECT_EQ(h.script.Log(), expected);
    ASSERT_EQ(written.size(), 4u);
    EXPECT_EQ(written[0], (std::vector<uint8_t>{0xA2, 0x42, 0x82, 0xFD, 0x00}));
    EXPECT_EQ(written[3], (std::vector<uint8_t>{0x05, 0x45, 0x85, 0xF7, 0x00}));
    EXPECT_EQ(h.services.status, L"Communication successful");

    // The marks stay after a write; a page change drops them and keeps what was written.
    h.script.ClearLog();
    h.Click(IDC_ISO15693_WRITE);
    EXPECT_EQ(h.script.Log().size(), 4u);
    Scroll(SB_LINEDOWN);
    TypeAt(0, L"1");
    Scroll(SB_LINEUP);
    EXPECT_EQ(EditorText(Editor()).substr(2 * 12, 12), L"a2 42 82 FD ");
    h.script.ClearLog();
    h.Click(IDC_ISO15693_WRITE);
    EXPECT_EQ(h.services.status, L"Error: No change data");
    EXPECT_TRUE(h.script.Log().empty());

    // A failing block stops the write there.
    TypeAt(0, L"1");
    TypeAt(3 * 12, L"1");
    h.script.On(h.script.library.ISO15693_Write,
                [](int32_t, uint8_t, const uint8_t*, uint8_t block, const uint8_t*) {
                    return block == 1 ? 0x0B : 0;
                });
    h.Click(IDC_ISO15693_WRITE);
    EXPECT_EQ(h.script.Log().size(), 2u);
    EXPECT_EQ(h.services.status, L"Error: b ,function: ISO15693_Write");
}

TEST_P(Iso15693Test, LayoutCentresTheRadioButtonsToThePageBarButNeverPastTheLeftEdge) {
    const HWND panel = *h.panel;
    for (const int width : {1400, 200}) {
        SCOPED_TRACE(width);
        SetWindowPos(panel, nullptr, 0, 0, width, 600, SWP_NOMOVE | SWP_NOZORDER);
        h.panel->Layout(width);
        RECT client{};
        GetClientRect(panel, &client);
        const RECT radio = Window(h.Item(IDC_ISO15693_SLOT1)).RectIn(panel);
        const RECT bar = Window(Bar()).RectIn(panel);
        if (width > bar.right - radio.left) {
            EXPECT_NEAR(radio.left, client.right - bar.right, 1);
        } else {
            EXPECT_EQ(radio.left, 0);
        }
    }
}
