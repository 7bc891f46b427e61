#include <gtest/gtest.h>

#include "leaks/gui_resources.h"
#include "vantrel/framework/dc_cache_keeper.h"

// Filled once however often it is asked (the cache may be full already,
// when another test filled it); its window goes with it.
TEST(DcCacheKeeper, FillsOnceAndTakesItsWindowAlong) {
    // The thread's first window brings a companion of the system's along.
    DestroyWindow(CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
    const GuiObjects before = CountGuiObjects();
    {
        DcCacheKeeper keeper;
        keeper.Fill();
        const GuiObjects filled = CountGuiObjects();
        EXPECT_EQ(filled.user, before.user + 1);
        keeper.Fill();
        const GuiObjects again = CountGuiObjects();
        EXPECT_EQ(again.gdi, filled.gdi);
        EXPECT_EQ(again.user, filled.user);
    }
    EXPECT_EQ(CountGuiObjects().user, before.user);
}
