#include <gtest/gtest.h>

#include "leaks/gui_resources.h"
#include "vantrel/framework/dc_cache_keeper.h"

// Filled in slices: the slice that takes the last DC ends the work, later
// ones do nothing (the cache may be full already, when another test filled
// it); its one window goes with it.
TEST(DcCacheKeeper, FillsInSlicesOnceAndTakesItsWindowAlong) {
    // The thread's first window brings a companion of the system's along.
    DestroyWindow(CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
    const GuiObjects before = CountGuiObjects();
    {
        DcCacheKeeper keeper;
        int slices = 1;
        while (keeper.FillSome(8)) ++slices;
        EXPECT_EQ(slices, 9);
        EXPECT_TRUE(keeper.Full());
        const GuiObjects filled = CountGuiObjects();
        EXPECT_EQ(filled.user, before.user + 1);
        EXPECT_FALSE(keeper.FillSome(8));
        const GuiObjects again = CountGuiObjects();
        EXPECT_EQ(again.gdi, filled.gdi);
        EXPECT_EQ(again.user, filled.user);
    }
    EXPECT_EQ(CountGuiObjects().user, before.user);
}
