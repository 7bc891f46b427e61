#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/list_helpers.h"
#include "tcl/tcl_harness.h"
#include "vantrel/resources/cos_command_ids.h"
#include "vantrel/toolkit/cos_command_dialog.h"

namespace {

// Records what reaches the card and answers `answer` with `status`.
struct CardSide {
    std::vector<std::vector<uint8_t>> commands;

    void Attach(TclHarness& h, std::vector<uint8_t> answer, int32_t status = 0) {
        h.script.On(h.script.library.rf_cos_command,
                    [this, answer, status](int32_t, const uint8_t* command, uint8_t length,
                                           uint8_t* out, uint8_t* outLength) {
                        commands.emplace_back(command, command + length);
                        ::Answer(out, outLength, answer);
                        return status;
                    });
    }
};

}  // namespace

TEST(TclSend, CommandsShorterThanFiveBytesAreRefusedExceptOnDesfire) {
    for (const int32_t code : {6, 7}) {
        SCOPED_TRACE(code);
        TclHarness h(code);
        CardSide card;
        card.Attach(h, {0x90, 0x00});
        h.SetText(IDC_TCL_COMMAND, L"00A4");
        h.Click(IDC_TCL_SEND);
        ASSERT_EQ(h.services.boxes.size(), 1u);
        EXPECT_EQ(h.services.boxes[0].text, L"Cos command must be more than 5 bytes!");
        EXPECT_EQ(h.services.boxes[0].caption, L"error");
        EXPECT_EQ(h.services.boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONSTOP));
        EXPECT_TRUE(card.commands.empty());
        EXPECT_EQ(h.Text(IDC_TCL_COMMAND), L"00A4");
        h.Close();
        EXPECT_EQ(h.HistoryContent(), "");
    }
    TclHarness h(24);
    CardSide card;
    card.Attach(h, {0x00});
    for (const wchar_t* command : {L"00A4", L"", L""}) {
        h.SetText(IDC_TCL_COMMAND, command);
        h.Click(IDC_TCL_SEND);
    }
    EXPECT_TRUE(h.services.boxes.empty());
    EXPECT_EQ(card.commands, (std::vector<std::vector<uint8_t>>{{0x00, 0xA4}, {}, {}}));
    h.Close();
    // The empty command is kept once, and skipped when the file is read back.
    EXPECT_EQ(h.HistoryContent(), "00a4\r\n\r\n");
    TclHarness again(24, h.HistoryContent());
    EXPECT_EQ(again.panel->History().Entries().Count(), 1u);
}

TEST(TclSend, ALoneLastDigitIsAByteOfItsOwnAndTheCommandIsRecordedBeforeTheCardAnswers) {
    TclHarness h(6);
    CardSide card;
    card.Attach(h, {0x6F, 0x0a, 0x90, 0x00});
    h.SetText(IDC_TCL_COMMAND, L"00a404000");
    h.Click(IDC_TCL_SEND);
    EXPECT_EQ(card.commands, (std::vector<std::vector<uint8_t>>{{0x00, 0xA4, 0x04, 0x00, 0x00}}));
    EXPECT_EQ(AnswerItems(h.Item(IDC_TCL_ANSWERS)), (std::vector<std::wstring>{L"6F0A9000"}));
    EXPECT_EQ(h.services.status, L"OK");

    card.Attach(h, {}, 0x0b);
    h.SetText(IDC_TCL_COMMAND, L"0084000008");
    h.Click(IDC_TCL_SEND);
    EXPECT_EQ(h.services.status, L"Error: b ,function: rf_cos_command");
    EXPECT_EQ(AnswerItems(h.Item(IDC_TCL_ANSWERS)).size(), 1u);

    h.Click(IDC_TCL_CLEAR);
    EXPECT_TRUE(AnswerItems(h.Item(IDC_TCL_ANSWERS)).empty());
    h.Close();
    EXPECT_EQ(h.HistoryContent(), "00a4040000\r\n0084000008\r\n");
}

TEST(TclHistory, ADoubleClickOnNoItemSendsNothingAndClearLeavesAnEmptyFile) {
    TclHarness h(7, "00a4040000\r\n");
    h.SetText(IDC_TCL_COMMAND, L"0084000008");
    CCosCommandDialog dialog(h.panel->History().Entries(), *h.panel);
    ASSERT_TRUE(dialog.CreateModeless(TestHostWindow()));
    POINT below = ListItemCentre(dialog, 0);
    below.y += 100;
    DoubleClickList(dialog, below);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_COS_CLEAR, BN_CLICKED), 0);
    DoubleClickList(dialog, ListItemCentre(dialog, 0));
    EXPECT_TRUE(dialog.IsValid());
    EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_COS_HISTORY, LB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(h.Text(IDC_TCL_COMMAND), L"0084000008");
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_COS_EXIT, BN_CLICKED), 0);
    EXPECT_FALSE(dialog.IsValid());
    h.Close();
    EXPECT_TRUE(std::filesystem::exists(h.HistoryFile()));
    EXPECT_EQ(h.HistoryContent(), "");
}
