#include <gtest/gtest.h>

#include <richedit.h>

#include <algorithm>
#include <vector>

#include "editor_text.h"
#include "support/panel_harness.h"
#include "vantrel/panels/contact/at24c_ids.h"
#include "vantrel/panels/contact/at24c_panel.h"
#include "vantrel/toolkit/hex_text.h"

namespace {

// Byte a of the scripted card is (a * 7 + a / 256) & 0xFF.
uint8_t CardByte(uint32_t address) { return static_cast<uint8_t>(address * 7 + address / 256); }

std::wstring CardTriples(int first, int count) {
    std::wstring text;
    for (int a = first; a < first + count; ++a) {
        const uint8_t b = CardByte(static_cast<uint32_t>(a));
        text += BytesToHex(&b, 1) + L" ";
    }
    return text;
}

struct Piece {
    uint32_t address;
    std::vector<uint8_t> data;
    bool operator==(const Piece&) const = default;
};

class At24cTest {
protected:
    explicit At24cTest(int code) : h(code) {}

    HWND Editor() const { return h.Item(IDC_AT24_EDITOR); }
    HWND Bar() const { return h.Item(IDC_AT24_PAGE_BAR); }
    std::wstring Shown() const { return EditorText(Editor()); }

    // Reads fail with `status` from chunk `failing` on.
    void ServeCard(int failing = 1 << 20, int32_t status = 0x0A) {
        h.script.On(h.script.library.AT24_read,
                    [=](int32_t, uint32_t address, uint32_t length, uint8_t* out) {
                        if (static_cast<int>(address / 128) >= failing) return status;
                        for (uint32_t i = 0; i < length; ++i) out[i] = CardByte(address + i);
                        return 0;
                    });
    }
    void CaptureWrites() {
        h.script.On(h.script.library.AT24_write,
                    [this](int32_t, uint32_t address, uint32_t length, const uint8_t* data) {
                        pieces.push_back({address, std::vector<uint8_t>(data, data + length)});
                        return 0;
                    });
    }
    void TypeAt(int position, const std::wstring& digits) { ::TypeAt(Editor(), position, digits); }
    void Scroll(int code, int position = 0) { ScrollPageBar(*h.panel, Bar(), code, position); }

    PanelHarness<CAt24cPanel> h;
    std::vector<Piece> pieces;
};

struct Size {
    int code;
    int capacity;
    int pages;
};

class At24cSizeTest : public At24cTest, public ::testing::TestWithParam<Size> {
protected:
    At24cSizeTest() : At24cTest(GetParam().code) {}
};

INSTANTIATE_TEST_SUITE_P(SevenSizes, At24cSizeTest,
                         ::testing::Values(Size{13, 128, 1}, Size{14, 256, 1}, Size{15, 512, 2},
                                           Size{16, 1024, 4}, Size{17, 2048, 8},
                                           Size{18, 4096, 16}, Size{19, 8192, 32}));

class At24cCardTest : public At24cTest, public ::testing::Test {
protected:
    At24cCardTest() : At24cTest(17) {}
};

class At24c04Test : public At24cTest, public ::testing::Test {
protected:
    At24c04Test() : At24cTest(15) {}
};

}  // namespace

TEST_P(At24cSizeTest, ReadCardReadsEveryChunkIntoPagesOfTheCardsSize) {
    const Size size = GetParam();
    EXPECT_EQ(h.Text(IDC_AT24_READ), L"Read Card");
    EXPECT_EQ(h.Text(IDC_AT24_WRITE), L"Write Card");
    EXPECT_EQ(Shown().size(), static_cast<std::size_t>(std::min(size.capacity, 256)) * 3);
    EXPECT_EQ(IsWindowVisible(Bar()) != FALSE, size.pages > 1);
    if (size.pages > 1) {
        int low = -1, high = -1;
        GetScrollRange(Bar(), SB_CTL, &low, &high);
        EXPECT_EQ(high, size.pages - 1);
    }

    ServeCard();
    h.Click(IDC_AT24_READ);
    Calls expected{"OpenCard(0)"};
    for (int address = 0; address < size.capacity; address += 128) {
        expected.push_back("AT24_read(0, " + std::to_string(address) + ", 128, *)");
    }
    EXPECT_EQ(h.script.Log(), expected);
    EXPECT_EQ(h.services.status, L"Communication successful");
    EXPECT_EQ(Shown(), CardTriples(0, std::min(size.capacity, 256)));

    // Sixteen bytes a line; the AT24C01 shows its 128 bytes in eight lines.
    const int lineStart = 16 * 3;
    POINTL first{}, second{};
    SendMessageW(Editor(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&first), 0);
    SendMessageW(Editor(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&second), lineStart);
    EXPECT_EQ(second.x, first.x);
    EXPECT_GT(second.y, first.y);
    RECT client{};
    GetClientRect(Editor(), &client);
    const int lines = size.code == 13 ? 8 : 16;
    EXPECT_GE(client.bottom, lines * (second.y - first.y));
    EXPECT_LT(client.bottom, (lines + 1) * (second.y - first.y));

    // A failing chunk leaves the card shown as it was.
    ServeCard(size.capacity / 128 - 1);
    h.Click(IDC_AT24_READ);
    EXPECT_EQ(h.services.status, L"Error: a ,function: AT24_read");
    EXPECT_EQ(h.script.Log().back(),
              "AT24_read(0, " + std::to_string(size.capacity - 128) + ", 128, *)");
    EXPECT_EQ(Shown(), CardTriples(0, std::min(size.capacity, 256)));
}

TEST_F(At24cCardTest, WritesGoInPiecesOf128FromTheFirstChangedByte) {
    ServeCard();
    CaptureWrites();
    h.Click(IDC_AT24_READ);
    TypeAt(10 * 3, L"f");
    TypeAt(200 * 3 + 1, L"0");
    h.script.ClearLog();
    h.Click(IDC_AT24_WRITE);
    EXPECT_EQ(h.script.Log(),
              (Calls{"OpenCard(0)", "AT24_write(0, 10, 128, *)", "AT24_write(0, 138, 63, *)"}));
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0].data[0], (CardByte(10) & 0x0F) | 0xF0);
    EXPECT_EQ(pieces[0].data[1], CardByte(11));
    EXPECT_EQ(pieces[1].data.back(), CardByte(200) & 0xF0);
    EXPECT_EQ(h.services.status, L"Communication successful");

    // A full write forgets the changes.
    h.Click(IDC_AT24_WRITE);
    EXPECT_EQ(h.services.status, L"Error: No change data");
}

TEST_F(At24cCardTest, AFailedPieceKeepsTheChangesAndAPageChangeGivesBackTheCardsBytes) {
    ServeCard();
    h.Click(IDC_AT24_READ);
    TypeAt(0, L"1");
    TypeAt(255 * 3, L"2");
    const auto failFrom = [this](uint32_t failing) {
        h.script.On(h.script.library.AT24_write, [failing](int32_t, uint32_t address, uint32_t, const uint8_t*) {
            return address >= failing ? 0x0C : 0;
        });
    };
    failFrom(128);
    h.Click(IDC_AT24_WRITE);
    EXPECT_EQ(h.services.status, L"Error: c ,function: AT24_write");
    CaptureWrites();
    h.Click(IDC_AT24_WRITE);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[1].address, 128u);

    // Bytes 1 and 200 typed; only the first piece (bytes 1 to 128) is written.
    TypeAt(3, L"4");
    TypeAt(200 * 3, L"5");
    failFrom(129);
    h.Click(IDC_AT24_WRITE);
    Scroll(SB_LINEDOWN);
    EXPECT_EQ(Shown(), CardTriples(256, 256));
    Scroll(SB_LINEUP);
    std::wstring expected = CardTriples(0, 256);
    expected[0] = L'1';
    expected[3] = L'4';
    expected[255 * 3] = L'2';
    EXPECT_EQ(Shown(), expected);
    h.script.ClearLog();
    h.Click(IDC_AT24_WRITE);
    EXPECT_EQ(h.services.status, L"Error: No change data");
    EXPECT_TRUE(h.script.Log().empty());
}

TEST_F(At24c04Test, TheLastByteIsWrittenAlone) {
    CaptureWrites();
    Scroll(SB_THUMBPOSITION, 1);
    TypeAt(255 * 3 + 1, L"9");
    h.Click(IDC_AT24_WRITE);
    EXPECT_EQ(h.script.Log(), (Calls{"OpenCard(0)", "AT24_write(0, 511, 1, *)"}));
    EXPECT_EQ(pieces, (std::vector<Piece>{{511, {0x09}}}));
}
