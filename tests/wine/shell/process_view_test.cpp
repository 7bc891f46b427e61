#include <gtest/gtest.h>

#include "frame_fixture.h"
#include "vantrel/framework/gdi.h"
#include "vantrel/shell/splash_window.h"

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

TEST(LogBackground, FiftyRowsCarryTheWholeGradient) {
    HDC screen = GetDC(nullptr);
    ScopedMemoryDC dc(screen);
    ScopedBitmap bitmap(CreateCompatibleBitmap(screen, 10, 100));
    ReleaseDC(nullptr, screen);
    ScopedSelectObject select(dc, bitmap);
    PaintLogBackground(dc, RECT{0, 0, 10, 50});
    EXPECT_EQ(GetPixel(dc, 5, 0), RGB(171, 188, 199));
    EXPECT_EQ(GetPixel(dc, 5, 49), RGB(220, 253, 253));
}

TEST(LogBackground, TallAreasAreWhiteBelowEightyFourRows) {
    HDC screen = GetDC(nullptr);
    ScopedMemoryDC dc(screen);
    ScopedBitmap bitmap(CreateCompatibleBitmap(screen, 10, 100));
    ReleaseDC(nullptr, screen);
    ScopedSelectObject select(dc, bitmap);
    PaintLogBackground(dc, RECT{0, 0, 10, 100});
    EXPECT_EQ(GetPixel(dc, 5, 83), RGB(254, 254, 254));
    EXPECT_EQ(GetPixel(dc, 5, 84), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 5, 99), RGB(255, 255, 255));
}

TEST(SplashWindow, ShowsTheWholeBitmapInsideItsBorder) {
    SplashWindow splash;
    ASSERT_TRUE(splash.Create());
    const RECT client = splash.ClientRect();
    EXPECT_EQ(Width(client), 538);
    EXPECT_EQ(Height(client), 260);
    EXPECT_TRUE(GetWindowLongPtrW(splash, GWL_EXSTYLE) & WS_EX_TOPMOST);
}
