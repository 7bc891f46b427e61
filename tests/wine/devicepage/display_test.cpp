#include "device_page_fixture.h"
#include "vantrel/framework/gdi.h"

#include <optional>

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);

// Paints `control` the way the screen keeps it: into one bitmap, black at
// first, each print over what the last one left.
class PrintedControl {
public:
    explicit PrintedControl(HWND control) : control_(control), screen_(nullptr), dc_(screen_) {
        GetClientRect(control, &client_);
        bitmap_.Reset(CreateCompatibleBitmap(screen_, client_.right, client_.bottom));
        select_.emplace(dc_, bitmap_);
        ScopedBrush black(CreateSolidBrush(kBlack));
        FillRect(dc_, &client_, black);
    }
    void Print() {
        SendMessageW(control_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(static_cast<HDC>(dc_)),
                     PRF_CLIENT);
    }
    // Pixels of the right half that are not `background`.
    int OtherPixelsOnTheRight(COLORREF background) const {
        int count = 0;
        for (int x = client_.right / 2; x < client_.right; ++x) {
            for (int y = 0; y < client_.bottom; ++y) count += GetPixel(dc_, x, y) != background;
        }
        return count;
    }

private:
    HWND control_;
    RECT client_{};
    ScopedGetDC screen_;
    ScopedMemoryDC dc_;
    ScopedBitmap bitmap_;
    std::optional<ScopedSelectObject> select_;
};

}  // namespace

TEST_F(DevicePageTest, ChangedWeekdayTextLeavesNothingOfTheOldText) {
    HWND weekday = h.Item(IDC_DEV_WEEKDAY);
    PrintedControl printed(weekday);
    SetWindowTextW(weekday, L"WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW");
    printed.Print();
    ASSERT_GT(printed.OtherPixelsOnTheRight(GetSysColor(COLOR_BTNFACE)), 0);

    // The date picker's change shows the short weekday text in its place.
    SYSTEMTIME sunday{2024, 12, 0, 29, 0, 0, 0, 0};
    SendMessageW(h.Item(IDC_DEV_CLOCK_DATE), DTM_SETSYSTEMTIME, GDT_VALID,
                 reinterpret_cast<LPARAM>(&sunday));
    NMDATETIMECHANGE change{};
    change.nmhdr = {h.Item(IDC_DEV_CLOCK_DATE), IDC_DEV_CLOCK_DATE, static_cast<UINT>(DTN_DATETIMECHANGE)};
    change.dwFlags = GDT_VALID;
    change.st = sunday;
    SendMessageW(*h.panel, WM_NOTIFY, IDC_DEV_CLOCK_DATE, reinterpret_cast<LPARAM>(&change));
    ASSERT_EQ(h.Text(IDC_DEV_WEEKDAY), L"week 7 ");
    printed.Print();
    EXPECT_EQ(printed.OtherPixelsOnTheRight(GetSysColor(COLOR_BTNFACE)), 0);
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
