#include "device_page_fixture.h"
#include "vantrel/framework/gdi.h"

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);

// Has `control` draw its client area into a black bitmap of its size and
// returns the colour it left at (x, y).
COLORREF PrintedPixel(HWND control, int x, int y) {
    RECT client{};
    GetClientRect(control, &client);
    ScopedGetDC screen(nullptr);
    ScopedMemoryDC dc(screen);
    ScopedBitmap bitmap(CreateCompatibleBitmap(screen, client.right, client.bottom));
    ScopedSelectObject select(dc, bitmap);
    ScopedBrush black(CreateSolidBrush(kBlack));
    FillRect(dc, &client, black);
    SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(static_cast<HDC>(dc)),
                 PRF_CLIENT);
    return GetPixel(dc, x, y);
}

}  // namespace

TEST_F(DevicePageTest, ChangedWeekdayTextLeavesNothingOfTheOldText) {
    HWND weekday = h.Item(IDC_DEV_WEEKDAY);
    RECT client{};
    GetClientRect(weekday, &client);
    // The right end of the label lies beyond "week 2 ": only background there.
    EXPECT_EQ(PrintedPixel(weekday, client.right - 2, client.bottom / 2),
              GetSysColor(COLOR_BTNFACE));
}

TEST_F(DevicePageTest, ReadOnlyDisplaysKeepTheDefaultEditColours) {
    for (int id : {IDC_DEV_MODEL, IDC_DEV_VERSION}) {
        ScopedGetDC dc(*h.panel);
        const LRESULT brush = SendMessageW(*h.panel, WM_CTLCOLORSTATIC,
                                           reinterpret_cast<WPARAM>(static_cast<HDC>(dc)),
                                           reinterpret_cast<LPARAM>(h.Item(id)));
        EXPECT_NE(reinterpret_cast<HGDIOBJ>(brush), GetStockObject(NULL_BRUSH)) << id;
        EXPECT_NE(brush, 0) << id;
        EXPECT_EQ(GetBkMode(dc), OPAQUE) << id;
    }
}
