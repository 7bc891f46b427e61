#include <gtest/gtest.h>

#include "frame_fixture.h"
#include "vantrel/panels/iso14443a/mifare_ids.h"
#include "vantrel/panels/iso15693/iso15693_ids.h"
#include "vantrel/toolkit/card_panel_base.h"

namespace {

HWND PanelWindow(CMainFrame& frame) {
    CardPanelBase* panel = frame.View().CurrentPanel();
    return panel != nullptr ? panel->Handle() : nullptr;
}

}  // namespace

TEST_F(FrameTest, ChoosingTheShownCardAgainKeepsItsPanel) {
    HWND before = PanelWindow(*frame);
    ASSERT_NE(before, nullptr);
    Command(ID_CARD_MIFARE_1K);
    EXPECT_EQ(PanelWindow(*frame), before);
    EXPECT_TRUE(IsWindow(before));

    Command(ID_CARD_MIFARE_4K);
    EXPECT_FALSE(IsWindow(before));
    EXPECT_NE(PanelWindow(*frame), nullptr);
}

TEST_F(FrameTest, PortSetTwiceCreatesTheDevicePageOnce) {
    Command(ID_PORT_SET);
    HWND page = PanelWindow(*frame);
    ASSERT_NE(page, nullptr);
    Command(ID_PORT_SET);
    EXPECT_EQ(PanelWindow(*frame), page);
    Command(ID_CARD_MIFARE_1K);
    EXPECT_FALSE(IsWindow(page));
}

TEST_F(FrameTest, PanelsAreCentredAndScrolledBackToTheTopOnEverySwitch) {
    CVantrelView& view = frame->View();
    RECT frameClient = frame->ClientRect();
    RECT panel = Window(PanelWindow(*frame)).RectIn(view);
    EXPECT_LE(std::abs((Width(frameClient) - Width(panel)) / 2 - panel.left), 1);

    // A view lower than the panel scrolls exactly over the panel's content.
    MoveWindow(view, 0, 0, Width(frameClient), 200, TRUE);
    PumpMessages();
    const int content = view.CurrentPanel()->ContentHeight();
    ASSERT_GT(content, 200);
    EXPECT_EQ(view.TotalHeight(), content);
    view.ScrollTo(80);
    EXPECT_EQ(view.ScrollPosition(), 80);

    Command(ID_CARD_MIFARE_4K);
    EXPECT_EQ(view.ScrollPosition(), 0);
    EXPECT_EQ(Window(PanelWindow(*frame)).RectIn(view).top, panel.top);

    // A view taller than the panel needs no scrolling.
    MoveWindow(view, 0, 0, Width(frameClient), 2000, TRUE);
    PumpMessages();
    EXPECT_EQ(view.TotalHeight(), 100);
}

TEST_F(FrameTest, PanelsIgnoreEnterEscapeAndTheirPrivateMessage) {
    HWND panel = PanelWindow(*frame);
    SendMessageW(panel, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    SendMessageW(panel, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_EQ(SendMessageW(panel, 0x401, 1, 2), 0);
    PumpMessages();
    EXPECT_TRUE(IsWindow(panel));
    EXPECT_TRUE(IsWindowVisible(panel));  // a modeless dialog that ended would be hidden
    EXPECT_EQ(PanelWindow(*frame), panel);
}

TEST_F(FrameTest, CaptionsAreTransparentWhileEditsKeepTheirBackground) {
    HWND panel = PanelWindow(*frame);
    HDC dc = GetDC(panel);
    HWND button = GetDlgItem(panel, IDC_MF_SEARCH);
    const auto staticBrush = SendMessageW(panel, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                          reinterpret_cast<LPARAM>(button));
    EXPECT_EQ(reinterpret_cast<HGDIOBJ>(staticBrush), GetStockObject(NULL_BRUSH));
    EXPECT_EQ(GetTextColor(dc), kProgramTextColour);
    const auto editBrush = SendMessageW(panel, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                        reinterpret_cast<LPARAM>(button));
    EXPECT_NE(reinterpret_cast<HGDIOBJ>(editBrush), GetStockObject(NULL_BRUSH));
    ReleaseDC(panel, dc);
}

TEST_F(FrameTest, APanelWiderThanTheFrameIsNeverPlacedLeftOfTheView) {
    frame->Show(SW_RESTORE);
    MoveWindow(*frame, 0, 0, 400, 700, TRUE);
    PumpMessages();
    Command(ID_CARD_MIFARE_4K);
    const RECT panel = Window(PanelWindow(*frame)).RectIn(frame->View());
    ASSERT_GT(Width(panel), Width(frame->ClientRect()));
    EXPECT_EQ(panel.left, 0);
}

// A switch draws nothing while it runs and leaves the whole view to be
// painted once; a hidden view stays hidden.
TEST_F(FrameTest, ASwitchLeavesItsPaintPendingAndAHiddenViewHidden) {
    CVantrelView& view = frame->View();
    SendMessageW(*frame, WM_COMMAND, MAKEWPARAM(ID_CARD_MIFARE_4K, 0), 0);
    HWND panel = PanelWindow(*frame);
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(IsWindowVisible(panel));
    EXPECT_TRUE(GetUpdateRect(view, nullptr, FALSE));
    EXPECT_TRUE(GetUpdateRect(panel, nullptr, FALSE));
    PumpMessages();
    EXPECT_FALSE(GetUpdateRect(panel, nullptr, FALSE));

    view.Show(SW_HIDE);
    Command(ID_CARD_MIFARE_1K);
    EXPECT_FALSE(IsWindowVisible(view));
    EXPECT_NE(PanelWindow(*frame), nullptr);
}

namespace {

int viewFramePaints = 0;
WNDPROC viewProc = nullptr;

LRESULT CALLBACK CountFramePaints(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCPAINT) ++viewFramePaints;
    return CallWindowProcW(viewProc, hwnd, message, wParam, lParam);
}

}  // namespace

// A switch draws the view's scroll bar again only when what it shows changed.
TEST_F(FrameTest, TheScrollBarIsDrawnAgainOnlyWhenItChanges) {
    CVantrelView& view = frame->View();
    MoveWindow(view, 0, 0, Width(frame->ClientRect()), 200, TRUE);
    PumpMessages();
    viewProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(view, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountFramePaints)));
    const auto framePaints = [&](UINT id) {
        viewFramePaints = 0;
        Command(id);
        return viewFramePaints;
    };
    EXPECT_GT(framePaints(ID_CARD_TAG_IT), 0);
    EXPECT_EQ(framePaints(ID_CARD_ICODE_SLI), 0);  // as tall: the same bar
    view.ScrollTo(40);
    EXPECT_GT(framePaints(ID_CARD_TAG_IT), 0);  // back at the top
    EXPECT_EQ(view.ScrollPosition(), 0);
    EXPECT_GT(framePaints(ID_CARD_MIFARE_4K), 0);
    SetWindowLongPtrW(view, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(viewProc));
}

// The ISO 15693 panel places its controls while it is made, knowing the
// view: the block is centred from the radio buttons to the page bar, the
// status column between the editor and the bar.
TEST_F(FrameTest, TheIso15693PanelIsLaidOutInTheViewAtOnce) {
    Command(ID_CARD_ICODE_SLI);
    HWND panel = PanelWindow(*frame);
    const auto at = [&](int id) { return Window(GetDlgItem(panel, id)).RectIn(panel); };
    const RECT client = Window(panel).ClientRect();
    const RECT radio = at(IDC_ISO15693_SLOT1);
    const RECT bar = at(IDC_ISO15693_PAGE_BAR);
    EXPECT_GT(radio.left, 100);
    EXPECT_NEAR(radio.left, client.right - bar.right, 1);
    const RECT editor = at(IDC_ISO15693_EDITOR);
    const RECT first = at(IDC_ISO15693_STATUS0);
    const RECT last = at(IDC_ISO15693_STATUS15);
    EXPECT_LT(editor.right, first.left);
    EXPECT_LT(first.right, bar.left);
    EXPECT_EQ(last.left, first.left);
    EXPECT_GT(last.top, first.top);
    EXPECT_LE(last.bottom, editor.bottom);
    EXPECT_EQ(Window(GetDlgItem(panel, IDC_ISO15693_STATUS15)).Text(), L"00");
}
