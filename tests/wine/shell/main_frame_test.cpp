#include <gtest/gtest.h>

#include "frame_fixture.h"
#include "vantrel/dumps/dump_ids.h"
#include "vantrel/dumps/progress_window.h"
#include "vantrel/toolkit/result_report.h"

TEST_F(FrameTest, ChoosingACardSetsTitleCheckMarkAndBarName) {
    EXPECT_EQ(frame->Text(), L"Ketra  -  Mifare_1K");
    EXPECT_TRUE(GetMenuState(Menu(), ID_CARD_MIFARE_1K, MF_BYCOMMAND) & MF_CHECKED);

    Command(ID_CARD_MIFARE_PRO);
    EXPECT_EQ(frame->Text(), L"Ketra  -  Mifare_Pro(X) ");
    EXPECT_EQ(settings.curCard, 6);
    EXPECT_TRUE(GetMenuState(Menu(), ID_CARD_MIFARE_PRO, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_FALSE(GetMenuState(Menu(), ID_CARD_MIFARE_1K, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_EQ(BarText(IDC_BAR_CARD), L"Mifare_Pro(X) ");
}

TEST_F(FrameTest, PortSetShowsTheDevicePageAndKeepsTheBarsCardName) {
    Command(ID_PORT_SET);
    EXPECT_EQ(settings.curCard, 255);
    EXPECT_EQ(frame->Text(), L"Ketra  -  Set");
    EXPECT_EQ(BarText(IDC_BAR_CARD), L"Mifare_1K");
    EXPECT_FALSE(GetMenuState(Menu(), ID_CARD_MIFARE_1K, MF_BYCOMMAND) & MF_CHECKED);

    Command(ID_CARD_MIFARE_1K);
    EXPECT_EQ(settings.curCard, 1);
    EXPECT_EQ(frame->Text(), L"Ketra  -  Mifare_1K");
    EXPECT_TRUE(GetMenuState(Menu(), ID_CARD_MIFARE_1K, MF_BYCOMMAND) & MF_CHECKED);
}

TEST_F(FrameTest, FailedStartupConnectionLogsOnceAndLeavesConnectEnabled) {
    script.Fail(script.library.rf_init_com, 0x0A);
    frame->StartupConnect();
    PumpMessages();
    EXPECT_EQ(script.Names(), (Calls{"rf_init_com", "close_connection"}));
    ASSERT_EQ(frame->Log().Entries().size(), 1u);
    EXPECT_EQ(frame->Log().Entries()[0].functionName, L"rf_init_com");
    EXPECT_EQ(frame->Log().Entries()[0].status, 0x0A);
    EXPECT_FALSE(connection.open);
    EXPECT_EQ(BarText(IDC_BAR_MEMO), L"Error: Port did't opened");
    EXPECT_FALSE(SetMenuState(ID_CONNECT) & MF_GRAYED);
    EXPECT_TRUE(SetMenuState(ID_DISCONNECT) & MF_GRAYED);
}

TEST_F(FrameTest, StartupConnectionPassesTheTargetAndOpensTheConnection) {
    connection.address[0] = 10;
    connection.port = 2000;
    frame->StartupConnect();
    EXPECT_EQ(script.Log(), (Calls{"rf_init_com(2000, *)"}));
    EXPECT_TRUE(connection.open);
    EXPECT_EQ(BarText(IDC_BAR_MEMO), L"");
    EXPECT_TRUE(SetMenuState(ID_CONNECT) & MF_GRAYED);
    EXPECT_FALSE(SetMenuState(ID_DISCONNECT) & MF_GRAYED);
}

TEST_F(FrameTest, ConnectAndDisconnectCommandsDriveTheConnection) {
    Command(ID_CONNECT);
    EXPECT_TRUE(connection.open);
    EXPECT_EQ(BarText(IDC_BAR_MEMO), L"Connect successful");
    EXPECT_TRUE(frame->Log().Entries().empty());

    Command(ID_DISCONNECT);
    EXPECT_FALSE(connection.open);
    EXPECT_EQ(BarText(IDC_BAR_MEMO), L"Disconnect succeddful");

    script.Fail(script.library.rf_init_com, 1);
    script.ClearLog();
    Command(ID_CONNECT);
    EXPECT_FALSE(connection.open);
    EXPECT_EQ(script.Names(), (Calls{"rf_init_com", "close_connection"}));
    EXPECT_EQ(BarText(IDC_BAR_MEMO), L"Error: Opend port failed");
}

TEST_F(FrameTest, BarShowsTheTargetBeforeAnyConnectionAndReportsStatusTexts) {
    EXPECT_EQ(BarText(IDC_BAR_ADDRESS), L"0.0.0.0");
    EXPECT_EQ(BarText(IDC_BAR_PORT), L"0");
    ReportResult(*frame, 0x14, L"rf_M1_read");
    EXPECT_EQ(BarText(IDC_BAR_MEMO), L"Error: 14 ,function: rf_M1_read");
    ReportResult(*frame, 0, L"rf_request");
    EXPECT_EQ(BarText(IDC_BAR_MEMO), L"Communication successful ,function: rf_request");
    ReportResult(*frame, -1);
    EXPECT_EQ(BarText(IDC_BAR_MEMO), L"Error: ffffffff");
}

TEST_F(FrameTest, ClosingWithAnOpenConnectionClosesIt) {
    connection.open = true;
    SendMessageW(*frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(script.Names(), (Calls{"close_connection"}));
    EXPECT_FALSE(frame->IsValid());
    MSG msg;
    PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);  // the frame's quit request
}

TEST_F(FrameTest, DialogBarHandsItsControlsCommandsToTheFrame) {
    // A control's command reaching the bar runs the frame's handler.
    HWND control = frame->Bar()->Item(IDC_BAR_MEMO);
    SendMessageW(*frame->Bar(), WM_COMMAND, MAKEWPARAM(ID_CONNECT, BN_CLICKED),
                 reinterpret_cast<LPARAM>(control));
    EXPECT_TRUE(connection.open);
    EXPECT_EQ(BarText(IDC_BAR_MEMO), L"Connect successful");
}

TEST_F(FrameTest, DumpMenuBeforeHelpFollowsTheCardTypeAndTheConnection) {
    const int count = GetMenuItemCount(Menu());
    wchar_t text[16] = {};
    GetMenuStringW(Menu(), count - 2, text, 16, MF_BYPOSITION);
    ASSERT_STREQ(text, L"&Dump");
    HMENU dump = GetSubMenu(Menu(), count - 2);
    const auto grayed = [&](UINT id) {
        SendMessageW(*frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(dump), count - 2);
        return (GetMenuState(dump, id, MF_BYCOMMAND) & MF_GRAYED) != 0;
    };
    frame->SelectCard(2);
    connection.open = false;
    EXPECT_TRUE(grayed(ID_DUMP_SAVE));
    EXPECT_TRUE(grayed(ID_DUMP_WRITE));
    EXPECT_FALSE(grayed(ID_DUMP_COMPARE));  // two files need no reader
    connection.open = true;
    EXPECT_FALSE(grayed(ID_DUMP_SAVE));
    EXPECT_FALSE(grayed(ID_DUMP_WRITE));
    for (int32_t withoutDumps : {3, 12, 24}) {
        frame->SelectCard(withoutDumps);
        EXPECT_TRUE(grayed(ID_DUMP_SAVE) && grayed(ID_DUMP_WRITE) && grayed(ID_DUMP_COMPARE)) << withoutDumps;
    }
    Command(ID_PORT_SET);
    EXPECT_TRUE(grayed(ID_DUMP_COMPARE));
}

TEST_F(FrameTest, DumpProgressHoldsTheFrameUntilDoneAndStopsAtCancelOrAClose) {
    {
        dumps::ProgressWindow progress(*frame, L"Reading the card", L"Reading");
        EXPECT_FALSE(IsWindowEnabled(*frame));
        EXPECT_TRUE(progress.Step(0, 10, L"sector 0"));
        EXPECT_FALSE(progress.IsValid());  // not made before half a second
        progress.ShowNow();
        ASSERT_TRUE(progress.IsVisible());
        EXPECT_TRUE(progress.Step(1, 10, L"sector 1"));
        EXPECT_EQ(Window(progress.Item(IDC_DUMP_PROGRESS_TEXT)).Text(), L"Reading sector 1...");
        PostMessageW(progress, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        EXPECT_FALSE(progress.Step(2, 10, L"sector 2"));
    }
    EXPECT_TRUE(IsWindowEnabled(*frame));
    {
        dumps::ProgressWindow progress(*frame, L"Writing the card", L"Writing");
        PostMessageW(*frame, WM_CLOSE, 0, 0);
        EXPECT_FALSE(progress.Step(0, 3, L"block 4"));
        EXPECT_TRUE(frame->IsValid());  // not closed under the running work
    }
    PumpMessages();
    EXPECT_FALSE(frame->IsValid());  // closed once it was over
}
