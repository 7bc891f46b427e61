// What only one console panel does: the resets of the CPU card and the SAM,
// the DES calculator, and the pass-through panel's mode.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "contact/console_harness.h"
#include "kelvar/reader/des_calculator.h"
#include "vantrel/panels/contact/cpu_card_panel.h"
#include "vantrel/panels/contact/sam_panel.h"
#include "vantrel/panels/iso14443a/pass_through_panel.h"

namespace {

// Answers every call of a reset function with `answer`.
template <typename Fn>
void AnswerReset(ScriptedReader& script, Fn& fn, std::vector<uint8_t> answer) {
    script.On(fn, [answer](int32_t, uint8_t* out, uint8_t* length) {
        ::Answer(out, length, answer);
        return 0;
    });
}

}  // namespace

TEST(CpuCardPanel, ResetShowsTheAnswerToResetAndStopsAtTheFirstFailure) {
    ConsoleHarness<CCpuCardPanel> h(L"\\cpubooks.txt");
    h.script.Fail(h.script.library.OpenCard, 0x10);
    h.SetText(IDC_CPU_RST_INFO, L"3B00");
    h.Click(IDC_CPU_RESET);
    EXPECT_EQ(h.script.Names(), (Calls{"OpenCard"}));
    EXPECT_EQ(h.Text(IDC_CPU_RST_INFO), L"");
    EXPECT_EQ(h.services.status, L"Error: 10 ,function: OpenCard");

    h.script.On(h.script.library.OpenCard, [](int32_t) { return 0; });
    SendMessageW(h.Item(IDC_CPU_ANSWERS), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"9000"));
    AnswerReset(h.script, h.script.library.smartcard_rst, {0x3B, 0x68, 0x00, 0x00, 0x4B, 0x56});
    h.script.ClearLog();
    h.Click(IDC_CPU_RESET);
    EXPECT_EQ(h.script.Log(), (Calls{"OpenCard(0)", "smartcard_rst(0, *, *)"}));
    EXPECT_EQ(h.Text(IDC_CPU_RST_INFO), L"3B6800004B56");
    EXPECT_EQ(h.services.status, L"OK");
    EXPECT_EQ(SendMessageW(h.Item(IDC_CPU_ANSWERS), LB_GETCOUNT, 0, 0), 1);  // Reset keeps the answers

    // One byte cannot be an answer to reset: reported, not shown.
    AnswerReset(h.script, h.script.library.smartcard_rst, {0x3B});
    h.Click(IDC_CPU_RESET);
    EXPECT_EQ(h.Text(IDC_CPU_RST_INFO), L"");
    EXPECT_EQ(h.services.status, L"Error: Answer length error ,function: smartcard_rst");
}

TEST(SamPanel, ResetPassesTheChosenSpeed) {
    ConsoleHarness<CSamPanel> h(L"\\samcosbooks.txt");
    EXPECT_EQ(SendMessageW(h.Item(IDC_SAM_BAUD_9600), BM_GETCHECK, 0, 0), BST_CHECKED);
    AnswerReset(h.script, h.script.library.rf_sam_rst, {0x3B, 0x19, 0x13});
    SendMessageW(h.Item(IDC_SAM_BAUD_9600), BM_SETCHECK, BST_UNCHECKED, 0);
    SendMessageW(h.Item(IDC_SAM_BAUD_38400), BM_SETCHECK, BST_CHECKED, 0);
    h.Click(IDC_SAM_RESET);
    EXPECT_EQ(h.script.Log(), (Calls{"rf_init_sam(0, 1)", "rf_sam_rst(0, *, *)"}));
    EXPECT_EQ(h.Text(IDC_SAM_RST_INFO), L"3B1913");
    EXPECT_EQ(h.services.status, L"OK");

    h.script.Fail(h.script.library.rf_init_sam, 3);
    h.script.ClearLog();
    h.Click(IDC_SAM_RESET);
    EXPECT_EQ(h.script.Names(), (Calls{"rf_init_sam"}));
    EXPECT_EQ(h.Text(IDC_SAM_RST_INFO), L"");
    EXPECT_EQ(h.services.status, L"Error: 3 ,function: rf_init_sam");
}

TEST(SamPanel, DesCalculatorChecksItsInputAndShowsTheKnownAnswers) {
    ConsoleHarness<CSamPanel> h(L"\\samcosbooks.txt");
    h.connection.open = false;  // the calculator needs no connection
    std::vector<int> keyLengths;
    auto des = [&](kelvar::DesDirection direction) {
        return [&, direction](uint8_t* out, const uint8_t* data, uint8_t length, const uint8_t* key,
                              uint8_t keyLength) {
            keyLengths.push_back(keyLength);
            return kelvar::RunDesCalculator(direction, out, data, length, key, keyLength);
        };
    };
    h.script.On(h.script.library.des_encipher, des(kelvar::DesDirection::kEncipher));
    h.script.On(h.script.library.des_decipher, des(kelvar::DesDirection::kDecipher));

    struct Case {
        const wchar_t* key1;
        const wchar_t* key2;
        const wchar_t* data;
        int button;
        const wchar_t* output;  // or the message box text
    };
    // FIPS 81 / the classic "Now is t" vector; a 16-byte key of two equal
    // halves is single DES again.
    const Case cases[] = {
        {L"0123456789ABCDEF", L"", L"4E6F772069732074", IDC_SAM_ENCRYPT, L"3FA40E8A984D4815"},
        {L"0123456789ABCDEF", L"0123456789ABCDEF", L"4E6F7720697320745", IDC_SAM_ENCRYPT, L"3FA40E8A984D4815"},
        {L"0123456789abcdef", L"", L"3FA40E8A984D4815", IDC_SAM_DECRYPT, L"4E6F772069732074"},
        {L"0123456789ABCDEF", L"0", L"4E6F772069732074", IDC_SAM_ENCRYPT, L"Input 8 or 16 byte in key text please!"},
        {L"0123456789ABCDEF", L"0123456789ABCDE", L"4E6F772069732074", IDC_SAM_ENCRYPT,
         L"Input 8 or 16 byte in key text please!"},
        {L"0123456789ABCDE", L"", L"4E6F772069732074", IDC_SAM_DECRYPT, L"Input 8 or 16 byte in key text please!"},
        {L"0123456789ABCDEF", L"", L"4E6F77206973207", IDC_SAM_ENCRYPT,
         L"Data length in data area must be multiple of 8 bytes!"},
        {L"0123456789ABCDEF", L"", L"", IDC_SAM_ENCRYPT, L"Data length in data area must be multiple of 8 bytes!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::wstring(c.key1) + L"/" + c.key2 + L"/" + c.data);
        h.services.boxes.clear();
        h.SetText(IDC_SAM_OUTPUT, L"old");
        h.SetText(IDC_SAM_KEY1, c.key1);
        h.SetText(IDC_SAM_KEY2, c.key2);
        h.SetText(IDC_SAM_INPUT, c.data);
        h.Click(c.button);
        if (h.services.boxes.empty()) {
            EXPECT_EQ(h.Text(IDC_SAM_OUTPUT), c.output);
        } else {
            EXPECT_EQ(h.services.boxes[0].text, c.output);
            EXPECT_EQ(h.services.boxes[0].caption, L"error");
            EXPECT_EQ(h.Text(IDC_SAM_OUTPUT), L"old");
        }
    }
    EXPECT_EQ(keyLengths, (std::vector<int>{8, 16, 8}));

    // A failure inside the library shows its status and keeps the old output.
    h.script.Fail(h.script.library.des_encipher, 2);
    h.SetText(IDC_SAM_KEY1, L"0123456789ABCDEF");
    h.SetText(IDC_SAM_KEY2, L"");
    h.SetText(IDC_SAM_INPUT, L"4E6F772069732074");
    h.Click(IDC_SAM_ENCRYPT);
    EXPECT_EQ(h.Text(IDC_SAM_OUTPUT), L"old");
    EXPECT_EQ(h.services.status, L"Error: 2 ,function: Encrypt");
    EXPECT_TRUE(h.services.log.empty());
}

TEST(PassThroughPanel, SetAppliesTheCheckedModeAndAMissingTransceiveIsReported) {
    ConsoleHarness<CPassThroughPanel> h(L"\\testcmdbooks.txt");
    SendMessageW(h.Item(IDC_PASS_ISO14443B), BM_SETCHECK, BST_UNCHECKED, 0);
    SendMessageW(h.Item(IDC_PASS_ISO15693), BM_SETCHECK, BST_CHECKED, 0);
    PumpMessages();
    EXPECT_TRUE(h.script.Log().empty());  // choosing changes nothing before Set
    h.Click(IDC_PASS_SET);
    SendMessageW(h.Item(IDC_PASS_ISO15693), BM_SETCHECK, BST_UNCHECKED, 0);
    SendMessageW(h.Item(IDC_PASS_ISO14443B), BM_SETCHECK, BST_CHECKED, 0);
    h.Click(IDC_PASS_SET);
    EXPECT_EQ(h.script.Log(), (Calls{"rf_init_type(0, 49)", "rf_init_type(0, 66)"}));
    EXPECT_EQ(h.services.status, L"Communication successful");

    h.script.Unbind(h.script.library.rf_transceive1);
    h.SetText(IDC_PASS_DATA, L"0500007" L"1FF");
    h.Click(IDC_PASS_TRANSCEIVE);
    EXPECT_EQ(h.services.status, L"Error: fffffffe ,function: rf_transceive1");
}
