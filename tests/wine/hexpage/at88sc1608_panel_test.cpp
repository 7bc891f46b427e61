#include <gtest/gtest.h>

#include <richedit.h>

#include <array>
#include <vector>

#include "common/at88sc_cipher.h"
#include "editor_text.h"
#include "support/panel_harness.h"
#include "vantrel/panels/contact/at88sc1608_ids.h"
#include "vantrel/panels/contact/at88sc1608_panel.h"
#include "vantrel/toolkit/hex_text.h"

namespace {

// Byte a of zone z on the scripted card is (a * 5 + z) & 0xFF.
uint8_t CardByte(int zone, int address) { return static_cast<uint8_t>(address * 5 + zone); }

std::wstring Triples(const std::vector<uint8_t>& bytes) {
    std::wstring text;
    for (uint8_t b : bytes) text += BytesToHex(&b, 1) + L" ";
    return text;
}

struct Write {
    int address;
    int zone;
    std::vector<uint8_t> data;
};

class At88sc1608PanelTest : public ::testing::Test {
protected:
    // Reads of configuration address `failing` fail with 0x0A.
    void ServeCard(int failing = -1) {
        h.script.On(h.script.library.AT1608_Read,
                    [=](int32_t, uint8_t address, uint32_t length, uint8_t zone, uint8_t* out) {
                        if (address == failing) return 0x0A;
                        for (uint32_t i = 0; i < length; ++i) out[i] = CardByte(zone, address + int(i));
                        return 0;
                    });
    }
    void CaptureWrites(int failingAddress = -1) {
        h.script.On(h.script.library.AT1608_Write,
                    [=, this](int32_t, uint8_t address, uint8_t zone, const uint8_t* data, uint32_t length) {
                        if (address == failingAddress) return 0x0C;
                        writes.push_back({address, zone, std::vector<uint8_t>(data, data + length)});
                        return 0;
                    });
    }
    std::vector<uint8_t> Expected(int zone, int count) {
        std::vector<uint8_t> bytes;
        for (int a = 0; a < count; ++a) bytes.push_back(CardByte(zone, a));
        return bytes;
    }
    void TypeAt(int editorId, int byte, const std::wstring& digits) { ::TypeAt(h.Item(editorId), byte * 3, digits); }

    PanelHarness<CAt88sc1608Panel> h;
    std::vector<Write> writes;
};

}  // namespace

TEST_F(At88sc1608PanelTest, ConfigurationReadShowsZerosForAFailedChunkAndReportsTheFailure) {
    EXPECT_EQ(h.Text(IDC_SC1608_AUTHENTICATE), L"Authenticate");
    EXPECT_EQ(EditorText(h.Item(IDC_SC1608_CONFIG_EDITOR)), Triples(std::vector<uint8_t>(128, 0)));
    h.SetText(IDC_SC1608_SECURE_CODE, L"A7A7");
    h.Click(IDC_SC1608_CONFIG_READ);
    ASSERT_EQ(h.services.boxes.size(), 1u);
    EXPECT_EQ(h.services.boxes[0].text, L"Input 3 byte key please!");
    EXPECT_TRUE(h.script.Log().empty());

    ServeCard(16);
    h.SetText(IDC_SC1608_SECURE_CODE, L"A7A7A7");
    h.Click(IDC_SC1608_CONFIG_READ);
    Calls expected{"AT1608_VerifyPassword(0, 7, *)"};
    for (int a = 0; a < 128; a += 8) expected.push_back("AT1608_Read(0, " + std::to_string(a) + ", 8, 8, *)");
    EXPECT_EQ(h.script.Log(), expected);
    std::vector<uint8_t> shown = Expected(8, 128);
    std::fill(shown.begin() + 16, shown.begin() + 24, 0);
    EXPECT_EQ(EditorText(h.Item(IDC_SC1608_CONFIG_EDITOR)), Triples(shown));
    EXPECT_EQ(h.services.status, L"Error: a ,function: AT1608_Read");
    EXPECT_EQ(h.services.log.size(), 17u);  // every chunk logged

    ServeCard();
    h.Click(IDC_SC1608_CONFIG_READ);
    EXPECT_EQ(h.services.status, L"Communication successful");
}

TEST_F(At88sc1608PanelTest, ConfigurationWriteWritesEveryChangedByteOrKeepsTheChanges) {
    ServeCard();
    h.SetText(IDC_SC1608_SECURE_CODE, L"A7A7A7");
    h.Click(IDC_SC1608_CONFIG_READ);
    // Bytes 0x3A..0x45 changed: twelve bytes across two 8-byte boundaries.
    TypeAt(IDC_SC1608_CONFIG_EDITOR, 0x3A, L"1");
    TypeAt(IDC_SC1608_CONFIG_EDITOR, 0x45, L"2");
    CaptureWrites(0x40);
    h.Click(IDC_SC1608_CONFIG_WRITE);
    EXPECT_EQ(h.services.status, L"Error: c ,function: AT1608_Write");
    ASSERT_EQ(writes.size(), 1u);

    writes.clear();
    CaptureWrites();
    h.script.ClearLog();
    h.Click(IDC_SC1608_CONFIG_WRITE);
    EXPECT_EQ(h.script.Log(), (Calls{"AT1608_VerifyPassword(0, 7, *)", "AT1608_Write(0, 58, 8, *, 6)",
                                     "AT1608_Write(0, 64, 8, *, 6)"}));
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[0].data[0], (CardByte(8, 0x3A) & 0x0F) | 0x10);
    EXPECT_EQ(writes[1].data[5], (CardByte(8, 0x45) & 0x0F) | 0x20);
    EXPECT_EQ(h.services.status, L"Communication successful");
    h.Click(IDC_SC1608_CONFIG_WRITE);
    EXPECT_EQ(h.services.status, L"Error: No change data");
}

TEST_F(At88sc1608PanelTest, ConfigurationWritesNeverCrossAnEightByteBoundary) {
    struct Case {
        int first;
        int last;
        Calls writes;
    };
    const Case cases[] = {
        {0x3E, 0x41, {"AT1608_Write(0, 62, 8, *, 2)", "AT1608_Write(0, 64, 8, *, 2)"}},
        {0x40, 0x49, {"AT1608_Write(0, 64, 8, *, 8)", "AT1608_Write(0, 72, 8, *, 2)"}},
        {0x3F, 0x48, {"AT1608_Write(0, 63, 8, *, 1)", "AT1608_Write(0, 64, 8, *, 8)", "AT1608_Write(0, 72, 8, *, 1)"}},
    };
    ServeCard();
    CaptureWrites();
    h.SetText(IDC_SC1608_SECURE_CODE, L"A7A7A7");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.first);
        h.Click(IDC_SC1608_CONFIG_READ);
        TypeAt(IDC_SC1608_CONFIG_EDITOR, c.first, L"1");
        TypeAt(IDC_SC1608_CONFIG_EDITOR, c.last, L"2");
        h.script.ClearLog();
        h.Click(IDC_SC1608_CONFIG_WRITE);
        Calls expected{"AT1608_VerifyPassword(0, 7, *)"};
        expected.insert(expected.end(), c.writes.begin(), c.writes.end());
        EXPECT_EQ(h.script.Log(), expected);
    }
}

TEST_F(At88sc1608PanelTest, ReadFuseEmptiesTheFuseEvenWithoutAConnection) {
    h.script.On(h.script.library.AT1608_ReadFuse1, [](int32_t, uint8_t* fuse) { *fuse = 0x05; return 0; });
    h.Click(IDC_SC1608_READ_FUSE);
    ASSERT_EQ(h.Text(IDC_SC1608_FUSE), L"05");
    h.connection.open = false;
    h.Click(IDC_SC1608_READ_FUSE);
    EXPECT_EQ(h.Text(IDC_SC1608_FUSE), L"");
    EXPECT_EQ(h.services.status, L"Error: Port did't opened");
}

TEST_F(At88sc1608PanelTest, UserZoneUsesTheChosenPasswordAndZone) {
    SendMessageW(h.Item(IDC_SC1608_PASSWORD_CHOICE), CB_SETCURSEL, 7, 0);  // R3
    SendMessageW(h.Item(IDC_SC1608_ZONE_LIST), CB_SETCURSEL, 5, 0);
    h.SetText(IDC_SC1608_PASSWORD, L"B3B3B3");
    ServeCard();
    h.Click(IDC_SC1608_USER_READ);
    EXPECT_EQ(h.script.Log(), (Calls{"AT1608_VerifyPassword(0, 11, *)", "AT1608_Read(0, 0, 256, 5, *)"}));
    EXPECT_EQ(EditorText(h.Item(IDC_SC1608_USER_EDITOR)), Triples(Expected(5, 256)));

    TypeAt(IDC_SC1608_USER_EDITOR, 0, L"9");
    TypeAt(IDC_SC1608_USER_EDITOR, 255, L"9");
    CaptureWrites();
    h.script.ClearLog();
    h.Click(IDC_SC1608_USER_WRITE);
    EXPECT_EQ(h.script.Log(), (Calls{"AT1608_VerifyPassword(0, 11, *)", "AT1608_Write(0, 0, 5, *, 256)"}));
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0].data.size(), 256u);

    // A failing read shows one page of zeros.
    ServeCard(0);
    h.Click(IDC_SC1608_USER_READ);
    EXPECT_EQ(EditorText(h.Item(IDC_SC1608_USER_EDITOR)), Triples(std::vector<uint8_t>(256, 0)));
    EXPECT_EQ(h.services.status, L"Error: a ,function: AT1608_Read");
}

TEST_F(At88sc1608PanelTest, AuthenticateSendsQ0AndTheAnswerComputedFromTheCryptogram) {
    h.SetText(IDC_SC1608_GC, L"47635365656430");
    h.Click(IDC_SC1608_AUTHENTICATE);
    h.SetText(IDC_SC1608_GC, L"4763536565643031");
    h.SetText(IDC_SC1608_Q0, L"00112233");
    h.Click(IDC_SC1608_AUTHENTICATE);
    ASSERT_EQ(h.services.boxes.size(), 2u);
    EXPECT_EQ(h.services.boxes[0].text, L"GInput 8 byte in Gc text please!");
    EXPECT_EQ(h.services.boxes[1].text, L"Input 8 byte in Q0 text please!");
    EXPECT_TRUE(h.script.Log().empty());

    ServeCard();
    std::array<uint8_t, 16> sent{};
    std::array<uint8_t, 8> q1{};
    h.script.On(h.script.library.AT1608_Authenticate, [&](int32_t, const uint8_t* q0q1, const uint8_t* answer) {
        std::copy_n(q0q1, 16, sent.begin());
        std::copy_n(answer, 8, q1.begin());
        return 0;
    });
    h.SetText(IDC_SC1608_Q0, L"0011223344556677");
    h.Click(IDC_SC1608_AUTHENTICATE);
    EXPECT_EQ(h.script.Log(), (Calls{"AT1608_Read(0, 40, 8, 8, *)", "AT1608_Authenticate(0, *, *)"}));
    at88sc::Block cryptogram{};
    for (int i = 0; i < 8; ++i) cryptogram[i] = CardByte(8, 0x28 + i);
    const at88sc::Block expected = at88sc::Answer(cryptogram, {0x47, 0x63, 0x53, 0x65, 0x65, 0x64, 0x30, 0x31},
                                                  {0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77});
    EXPECT_EQ(BytesToHex(sent.data(), 16), L"0011223344556677" + BytesToHex(expected.data(), 8));
    EXPECT_EQ(BytesToHex(q1.data(), 8), BytesToHex(expected.data(), 8));
    EXPECT_EQ(h.services.status, L"Communication successful");

    // The answer to reset is shown as the card gives it.
    h.script.On(h.script.library.AT1608_Rst, [](int32_t, uint8_t* out) {
        const uint8_t atr[] = {0x3B, 0xB2, 0x11, 0x00};
        std::copy_n(atr, 4, out);
        return 0;
    });
    h.Click(IDC_SC1608_RESET);
    EXPECT_EQ(h.Text(IDC_SC1608_ANSWER), L"3BB21100");
}
