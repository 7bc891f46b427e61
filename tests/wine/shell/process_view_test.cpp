#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "frame_fixture.h"
#include "vantrel/framework/gdi.h"
#include "vantrel/shell/splash_window.h"
#include "vantrel/toolkit/log_layout.h"
#include "vantrel/toolkit/result_report.h"
#include "vantrel/toolkit/status_hints.h"

TEST_F(FrameTest, LogHeightGrowsPastFourEntries) {
    CProcessView& log = frame->Log();
    frame->ClearLog();
    EXPECT_EQ(log.TotalHeight(), 100);
    for (int i = 0; i < 4; ++i) frame->AddLogLine(L"rf_request", 0);
    EXPECT_EQ(log.TotalHeight(), 100);
    frame->AddLogLine(L"rf_anticoll", 1);
    EXPECT_EQ(log.TotalHeight(), 134);
    frame->ClearLog();
    EXPECT_TRUE(log.Entries().empty());
    EXPECT_EQ(log.TotalHeight(), 100);
}

namespace {

// The colours of `rows` of a log background painted `height` rows high.
std::vector<COLORREF> LogBackgroundRows(int height, std::initializer_list<int> rows) {
    HDC screen = GetDC(nullptr);
    ScopedMemoryDC dc(screen);
    ScopedBitmap bitmap(CreateCompatibleBitmap(screen, 10, 100));
    ReleaseDC(nullptr, screen);
    ScopedSelectObject select(dc, bitmap);
    PaintLogBackground(dc, RECT{0, 0, 10, height});
    std::vector<COLORREF> colours;
    for (int row : rows) colours.push_back(GetPixel(dc, 5, row));
    return colours;
}

}  // namespace

// The painting follows the gradient's rows (its colours: log_layout_test)
// and stays white below them.
TEST(LogBackground, PaintsTheGradientRowsThenWhite) {
    const auto gradient = [](int row, int rows) {
        const Rgb c = GradientColour(row, rows);
        return RGB(c.r, c.g, c.b);
    };
    EXPECT_EQ(LogBackgroundRows(50, {0, 49}), (std::vector<COLORREF>{gradient(0, 50), gradient(49, 50)}));
    EXPECT_EQ(LogBackgroundRows(100, {83, 84, 99}),
              (std::vector<COLORREF>{gradient(83, 84), RGB(255, 255, 255), RGB(255, 255, 255)}));
}

TEST(SplashWindow, ShowsTheWholeBitmapInsideItsBorder) {
    SplashWindow splash;
    ASSERT_TRUE(splash.Create());
    const RECT client = splash.ClientRect();
    EXPECT_EQ(Width(client), 538);
    EXPECT_EQ(Height(client), 260);
    EXPECT_TRUE(GetWindowLongPtrW(splash, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

namespace {

// The log window's client pixels as the screen shows them.
std::vector<COLORREF> ClientPixels(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    HDC dc = GetDC(window);
    ScopedMemoryDC memory(dc);
    ScopedBitmap bitmap(CreateCompatibleBitmap(dc, client.right, client.bottom));
    {
        ScopedSelectObject select(memory, bitmap);
        BitBlt(memory, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    }
    ReleaseDC(window, dc);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), client.right, -client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<COLORREF> pixels(static_cast<size_t>(client.right) * static_cast<size_t>(client.bottom));
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(client.bottom), pixels.data(), &info, DIB_RGB_COLORS);
    return pixels;
}

// Redraws the log from scratch: a new window width builds a new image.
void RedrawFromScratch(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    MoveWindow(window, r.left, r.top, Width(r) / 2, Height(r), TRUE);
    MoveWindow(window, r.left, r.top, Width(r), Height(r), TRUE);
    UpdateWindow(window);
}

// The first column at or right of `from` in rows [top, bottom) whose pixel
// differs from the row's last one (the background); -1 when there is none.
int FirstInk(const std::vector<COLORREF>& pixels, int width, int top, int bottom, int from) {
    for (int x = from; x < width - 1; ++x) {
        for (int y = top; y < bottom; ++y) {
            const size_t row = static_cast<size_t>(y) * static_cast<size_t>(width);
            if (pixels[row + static_cast<size_t>(x)] != pixels[row + static_cast<size_t>(width - 1)]) return x;
        }
    }
    return -1;
}

}  // namespace

// Lines are drawn one at a time, or within a command all at once when it
// ends; the screen must match a full redraw, also after a longer log was
// cleared, once the lines need the scroll bar, and when the log was scrolled
// down before the clear (a cleared log starts at its top), and where the
// window is first scrolled to after the command.
TEST_F(FrameTest, AddedLinesLookLikeAFullRedraw) {
    CProcessView& log = frame->Log();
    const std::vector<std::pair<std::wstring, int>> sequences[] = {
        {{L"rf_antenna_sta", 0}, {L"rf_init_type", 0}, {L"rf_request", 0x1a3}, {L"rf_anticoll", 0}},
        {{L"rf_M1_read", 1}, {L"rf_select", 0}},
    };
    for (const bool inCommand : {false, true}) {
        for (const int lines : {30, 30, 3}) {
            SendMessageW(log, WM_VSCROLL, SB_BOTTOM, 0);
            PumpMessages();
            {
                std::optional<::Command> command;
                if (inCommand) {
                    command.emplace(frame->Context(), *frame);
                } else {
                    frame->ClearLog();
                }
                for (int i = 0; i < lines; ++i) {
                    const auto& entry = sequences[i % 2][static_cast<size_t>(i / 2) % sequences[i % 2].size()];
                    frame->AddLogLine(entry.first, entry.second);
                }
            }
            const std::string label = std::to_string(lines) + (inCommand ? " lines in a command" : " lines");
            EXPECT_EQ(log.ScrollPosition(), 0) << label;
            EXPECT_EQ(log.TotalHeight(), LogTotalHeight(static_cast<size_t>(lines))) << label;
            // What the lines' own copies put on the screen, before any repaint.
            const std::vector<COLORREF> added = ClientPixels(log);
            // What the image holds, through an ordinary repaint.
            InvalidateRect(log, nullptr, TRUE);
            UpdateWindow(log);
            const std::vector<COLORREF> repainted = ClientPixels(log);
            RedrawFromScratch(log);
            PumpMessages();
            const std::vector<COLORREF> full = ClientPixels(log);
            EXPECT_TRUE(added == full) << label;
            EXPECT_TRUE(repainted == full) << label;
            // The result column starts halfway across the client, scroll bar or not.
            const int width = Width(log.ClientRect());
            const int resultX = FirstInk(full, width, 0, LogLineTop(1), width / 2 - 30);
            EXPECT_GE(resultX, width / 2) << label;
            EXPECT_LT(resultX, width / 2 + 8) << label;
            // Rows first shown by scrolling carry their lines too.
            SendMessageW(log, WM_VSCROLL, SB_BOTTOM, 0);
            PumpMessages();
            const std::vector<COLORREF> scrolled = ClientPixels(log);
            RedrawFromScratch(log);
            PumpMessages();
            EXPECT_TRUE(scrolled == ClientPixels(log)) << label << ", scrolled to the end";
        }
    }
}

namespace {

// Puts the pointer on `point` of `window` and tells the window, as a move of the mouse would.
void MovePointer(HWND window, POINT point) {
    POINT screen = point;
    ClientToScreen(window, &screen);
    SetCursorPos(screen.x, screen.y);
    SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
}

// The tooltip's text once it shows, or "" when it does not within two seconds.
std::wstring ShownTip(HWND tip) {
    for (int i = 0; i < 100 && !IsWindowVisible(tip); ++i) {
        PumpMessages();
        Sleep(20);
    }
    if (!IsWindowVisible(tip)) return L"";
    wchar_t text[512] = {};
    GetWindowTextW(tip, text, 512);
    return text;
}

}  // namespace

TEST_F(FrameTest, APointerRestingOnALogLineOrTheStatusFieldShowsTheStatusInPlainWords) {
    SetForegroundWindow(*frame);
    script.Fail(script.library.rf_M1_authentication2, 0x11);
    {
        ::Command cmd(frame->Context(), *frame);
        const uint8_t key[6] = {};
        uint16_t tagType = 0;
        cmd.Call(script.library.rf_request, 0, uint8_t{0x52}, &tagType);
        cmd.Call(script.library.rf_M1_authentication2, 0, uint8_t{0x60}, uint8_t{4}, key);
    }
    PumpMessages();
    CProcessView& log = frame->Log();
    ASSERT_EQ(log.Entries().size(), 2u);

    MovePointer(log, POINT{40, LogLineTop(1) + kLogLinePitch / 2});
    EXPECT_EQ(log.Hint().Text(), StatusHint(0x11));
    EXPECT_EQ(ShownTip(log.Hint().Tooltip()), StatusHint(0x11));
    // Below the last line there is none; the first line has its own.
    MovePointer(log, POINT{40, LogLineTop(2) + 2});
    EXPECT_EQ(log.Hint().Text(), L"");
    MovePointer(log, POINT{40, LogLineTop(0) + 2});
    EXPECT_EQ(log.Hint().Text(), StatusHint(0));

    // The status field's report "Error: 11 ,function: ..." has the same words.
    HWND bar = *frame->Bar();
    RECT field{};
    GetWindowRect(frame->Bar()->Item(IDC_BAR_MEMO), &field);
    MapWindowPoints(HWND_DESKTOP, bar, reinterpret_cast<POINT*>(&field), 2);
    MovePointer(bar, POINT{field.left + 4, (field.top + field.bottom) / 2});
    EXPECT_EQ(frame->Bar()->StatusHint().Text(), StatusHint(0x11));
    MovePointer(bar, POINT{field.left - 10, (field.top + field.bottom) / 2});
    EXPECT_EQ(frame->Bar()->StatusHint().Text(), L"");
    ::Command(frame->Context(), *frame).Done(L"Done");
    MovePointer(bar, POINT{field.left + 4, (field.top + field.bottom) / 2});
    EXPECT_EQ(frame->Bar()->StatusHint().Text(), L"");
}
