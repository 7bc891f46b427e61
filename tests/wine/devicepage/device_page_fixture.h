// The device page hosted with a scripted reader and fake services.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "support/panel_harness.h"
#include "vantrel/panels/connection/device_page.h"
#include "vantrel/panels/connection/device_page_ids.h"

class DevicePageTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_DATE_CLASSES | ICC_INTERNET_CLASSES};
        InitCommonControlsEx(&controls);
    }

    SYSTEMTIME Picker(int id) const {
        SYSTEMTIME time{};
        SendMessageW(h.Item(id), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time));
        return time;
    }
    void SetPicker(int id, WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
        SYSTEMTIME time{year, month, 0, day, hour, minute, second, 0};
        SendMessageW(h.Item(id), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
    }
    void SetAddress(BYTE a, BYTE b, BYTE c, BYTE d) {
        SendMessageW(h.Item(IDC_DEV_ADDRESS), IPM_SETADDRESS, 0, MAKEIPADDRESS(a, b, c, d));
    }

    PanelHarness<CDevicePage> h;
};
