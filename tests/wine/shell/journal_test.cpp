#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "frame_fixture.h"
#include "vantrel/dumps/command_link.h"
#include "support/fake_services.h"
#include "vantrel/journal/journal_files.h"
#include "vantrel/journal/journal_menu.h"
#include "vantrel/shell/card_registry.h"
#include "vantrel/toolkit/file_content.h"
#include "vantrel/toolkit/result_report.h"
#include "vantrel/toolkit/status_hints.h"
#include "vantrel/toolkit/utf8_text.h"

namespace {

class JournalTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        folder = std::filesystem::temp_directory_path() / "vantrel_journal_test";
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    void TearDown() override {
        std::filesystem::remove_all(folder);
        FrameTest::TearDown();
    }

    HMENU JournalMenu() const {
        const int count = GetMenuItemCount(Menu());
        wchar_t text[16] = {};
        GetMenuStringW(Menu(), count - 3, text, 16, MF_BYPOSITION);
        EXPECT_STREQ(text, L"&Journal");
        return GetSubMenu(Menu(), count - 3);
    }
    UINT MenuState(UINT id) {
        HMENU menu = JournalMenu();
        SendMessageW(*frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), GetMenuItemCount(Menu()) - 3);
        return GetMenuState(menu, id, MF_BYCOMMAND);
    }
    // A failed authentication with `key`, through the panels' one call path.
    void FailAuthentication(const uint8_t (&key)[6]) {
        script.Fail(script.library.rf_M1_authentication2, 0x11);
        ::Command cmd(frame->Context(), *frame);
        cmd.Call(script.library.rf_M1_authentication2, 0, uint8_t{0x60}, uint8_t{4}, key);
    }
    std::string Saved(const std::wstring& name) {
        frame->journalFile = (folder / name).wstring();
        Command(ID_JOURNAL_SAVE);
        std::string content;
        EXPECT_EQ(ReadFileContent(folder / name, 1 << 20, content), FileRead::Read);
        return content;
    }

    std::filesystem::path folder;
};

}  // namespace

TEST_F(JournalTest, SavesEveryCallOfTheFrameMaskedUnlessTheOperatorSaysOtherwise) {
    const uint8_t key[6] = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66};
    FailAuthentication(key);
    EXPECT_EQ(MenuState(ID_JOURNAL_SAVE) & MF_GRAYED, 0u);
    EXPECT_NE(MenuState(ID_JOURNAL_MASK_KEYS) & MF_CHECKED, 0u);
    const size_t calls = frame->Journal().Calls().size();

    const std::string lines = Saved(L"session.jsonl");
    const journal::ParsedJournal parsed = journal::ParseJournal(lines);
    EXPECT_TRUE(parsed.problems.empty());
    EXPECT_TRUE(parsed.keysMasked);
    ASSERT_EQ(parsed.calls.size(), calls);
    const journal::JournalCall& auth = parsed.calls.back();
    EXPECT_EQ(auth.status, 0x11);
    EXPECT_EQ(auth.arguments[3].in->masked, std::vector<bool>(6, true));
    EXPECT_NE(lines.find("\"cardName\":\"" + Utf8(CardName(1)) + "\""), std::string::npos);
    EXPECT_NE(lines.find("\"hint\":\"" + Utf8(StatusHint(0x11)) + "\""), std::string::npos);
    // The save reports itself and leaves the command's log as it was.
    EXPECT_EQ(BarText(IDC_BAR_MEMO), L"Call journal saved to session.jsonl: " + std::to_wstring(calls) +
                                         (calls == 1 ? L" call" : L" calls"));
    ASSERT_FALSE(frame->Log().Entries().empty());
    EXPECT_EQ(frame->Log().Entries().back().functionName, L"rf_M1_authentication2");

    Command(ID_JOURNAL_MASK_KEYS);
    EXPECT_EQ(MenuState(ID_JOURNAL_MASK_KEYS) & MF_CHECKED, 0u);
    const std::string csv = Saved(L"session.CSV");
    EXPECT_NE(csv.find("\r\nseq,time,card,"), std::string::npos);
    EXPECT_NE(csv.find("key=112233445566"), std::string::npos);
    EXPECT_TRUE(journal::ParseJournal(csv).calls.empty());  // CSV, not lines

    // Cancelled: nothing written, the status field as it was.
    const std::wstring status = BarText(IDC_BAR_MEMO);
    frame->journalFile.reset();
    Command(ID_JOURNAL_SAVE);
    EXPECT_EQ(BarText(IDC_BAR_MEMO), status);
    EXPECT_FALSE(std::filesystem::exists(folder / "call journal.jsonl"));
}

TEST_F(JournalTest, CallsCarryTheCardTypeChosenWhenTheyWereMade) {
    const uint8_t key[6] = {};
    frame->SelectCard(2);
    FailAuthentication(key);
    Command(ID_PORT_SET);
    FailAuthentication(key);
    const auto& calls = frame->Journal().Calls();
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls[calls.size() - 2].cardType, 2);
    EXPECT_EQ(calls.back().cardType, kDevicePageCode);
}

// A dump's card link makes its calls through the command: the log and the
// journal see them as they see a panel's.
TEST_F(JournalTest, ADumpsCardLinkCallsReachTheLogAndTheJournal) {
    script.Fail(script.library.AT1608_Rst, 0x10);
    {
        ::Command cmd(frame->Context(), *frame);
        dumps::CommandLink link(cmd, script.library);
        uint8_t answer[4] = {};
        EXPECT_EQ(link.AT1608_Rst(answer), 0x10);
    }
    ASSERT_FALSE(frame->Journal().Calls().empty());
    const auto& call = frame->Journal().Calls().back();
    EXPECT_STREQ(call.name, L"AT1608_Rst");
    EXPECT_EQ(call.status, 0x10);
    ASSERT_FALSE(frame->Log().Entries().empty());
    EXPECT_EQ(frame->Log().Entries().back().functionName, L"AT1608_Rst");
}
