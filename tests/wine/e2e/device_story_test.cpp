// The operator sets up the reader on the device page of the real program,
// against the real library's virtual reader.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "e2e/e2e_driver.h"
#include "e2e/e2e_environment.h"
#include "kelvar/reader/reader_device.h"
#include "support/unused_port.h"
#include "vantrel/panels/connection/device_page_ids.h"
#include "vantrel/resources/resource.h"

namespace {

constexpr int32_t kMifare1KCode = 1;

std::wstring Wide(std::string_view text) { return std::wstring(text.begin(), text.end()); }

bool OpenDevicePage(VantrelProgram& app) {
    return app.Menu(ID_PORT_SET) && app.Control(IDC_DEV_CONNECT) != nullptr;
}

}  // namespace

TEST(DeviceStory, ConnectingNeedsTheVirtualReaderAddressAndGetShowsTheReader) {
    E2eEnvironment env(std::nullopt);
    ASSERT_TRUE(env.Ready());
    VantrelProgram app;
    ASSERT_TRUE(app.Start(kMifare1KCode));
    ASSERT_TRUE(OpenDevicePage(app));

    // A reader address where nobody answers.
    const UnusedLoopbackPort unused;
    ASSERT_NE(unused.Port(), 0);
    ASSERT_TRUE(app.SetAddress(IDC_DEV_ADDRESS, 127, 0, 0, 1));
    ASSERT_TRUE(app.SetText(IDC_DEV_PORT, std::to_wstring(unused.Port())));
    ASSERT_TRUE(app.Click(IDC_DEV_CONNECT));
    EXPECT_TRUE(app.StatusReports(L"Error: 4", L"rf_init_com")) << app.Status();
    ASSERT_TRUE(app.Click(IDC_DEV_GET_INFO));
    EXPECT_EQ(app.Status(), L"Error: Port did't opened");
    EXPECT_EQ(app.Text(IDC_DEV_MODEL), L"");

    ASSERT_TRUE(app.SetAddress(IDC_DEV_ADDRESS, 0, 0, 0, 0));
    ASSERT_TRUE(app.Click(IDC_DEV_CONNECT));
    EXPECT_EQ(app.Status(), L"Connect successful");
    EXPECT_EQ(app.BarText(IDC_BAR_ADDRESS), L"0.0.0.0");
    EXPECT_EQ(app.BarText(IDC_BAR_PORT), std::to_wstring(unused.Port()));

    ASSERT_TRUE(app.Click(IDC_DEV_GET_INFO));
    EXPECT_EQ(app.Status(), L"OK");
    EXPECT_EQ(app.Text(IDC_DEV_MODEL), Wide(kelvar::kReaderModel));
    EXPECT_EQ(app.Text(IDC_DEV_VERSION), std::to_wstring(kelvar::kLibraryVersion) + L".0");
    for (int id = IDC_DEV_CARD_SHC1102; id <= IDC_DEV_CARD_SRF55V02P; ++id) {
        EXPECT_TRUE(app.IsChecked(id)) << "supported-card box " << id;
    }

    ASSERT_TRUE(app.SetText(IDC_DEV_BEEP_TIME, L"0A"));
    ASSERT_TRUE(app.Click(IDC_DEV_BEEP_SEND));
    EXPECT_EQ(app.Status(), L"OK");
    ASSERT_TRUE(app.Select(IDC_DEV_COLOUR, 2));
    ASSERT_TRUE(app.Click(IDC_DEV_LIGHT_SEND));
    EXPECT_EQ(app.Status(), L"OK");
    ASSERT_TRUE(app.Click(IDC_DEV_ANTENNA_OFF));
    ASSERT_TRUE(app.Click(IDC_DEV_ANTENNA_SEND));
    EXPECT_EQ(app.Status(), L"OK");

    // Disconnecting from the menu closes the port for the page too.
    ASSERT_TRUE(app.Menu(ID_DISCONNECT));
    ASSERT_TRUE(app.Click(IDC_DEV_NUMBER_READ));
    EXPECT_EQ(app.Status(), L"Error: Port did't opened");
    ASSERT_TRUE(app.Menu(ID_CONNECT));
    ASSERT_TRUE(app.Click(IDC_DEV_NUMBER_READ));
    EXPECT_EQ(app.Status(), L"OK");

    EXPECT_TRUE(app.MessageBoxes().empty());
    EXPECT_TRUE(app.Close());
}

TEST(DeviceStory, DeviceNumberAndClockSurviveARestart) {
    E2eEnvironment env(std::nullopt);
    ASSERT_TRUE(env.Ready());
    const SYSTEMTIME written{2031, 5, 0, 17, 10, 20, 30, 0};  // a Saturday
    {
        VantrelProgram app;
        ASSERT_TRUE(app.Start(kMifare1KCode));
        ASSERT_TRUE(OpenDevicePage(app));
        ASSERT_TRUE(app.SetText(IDC_DEV_NUMBER, L"1234"));
        ASSERT_TRUE(app.Click(IDC_DEV_NUMBER_WRITE));
        EXPECT_EQ(app.Status(), L"OK");

        ASSERT_TRUE(app.SetPickerTime(IDC_DEV_CLOCK_DATE, written));
        ASSERT_TRUE(app.SetPickerTime(IDC_DEV_CLOCK_TIME, written));
        ASSERT_TRUE(app.ClearStatus());
        ASSERT_TRUE(app.Click(IDC_DEV_CLOCK_WRITE));
        EXPECT_EQ(app.Status(), L"");  // the clock reports failures only
        EXPECT_TRUE(app.MessageBoxes().empty());
        ASSERT_TRUE(app.Close());
    }
    EXPECT_TRUE(std::filesystem::exists(env.ImageFolder() / kelvar::kReaderRecordName));

    VantrelProgram app;
    ASSERT_TRUE(app.Start(kMifare1KCode));
    ASSERT_TRUE(OpenDevicePage(app));
    EXPECT_EQ(app.Text(IDC_DEV_NUMBER), L"");
    ASSERT_TRUE(app.Click(IDC_DEV_NUMBER_READ));
    EXPECT_EQ(app.Status(), L"OK");
    EXPECT_EQ(app.Text(IDC_DEV_NUMBER), L"1234");

    ASSERT_TRUE(app.ClearStatus());
    ASSERT_TRUE(app.Click(IDC_DEV_CLOCK_READ));
    EXPECT_EQ(app.Status(), L"");
    const auto date = app.PickerTime(IDC_DEV_CLOCK_DATE);
    const auto time = app.PickerTime(IDC_DEV_CLOCK_TIME);
    ASSERT_TRUE(date && time);
    EXPECT_EQ(date->wYear, 2031);
    EXPECT_EQ(date->wMonth, 5);
    EXPECT_EQ(date->wDay, 17);
    // The reader's clock went on running while the program was restarted.
    EXPECT_EQ(time->wHour, 10);
    EXPECT_TRUE(time->wMinute == 20 || time->wMinute == 21) << time->wMinute;
    EXPECT_EQ(app.Text(IDC_DEV_WEEKDAY), L"week 6 ");
    EXPECT_TRUE(app.MessageBoxes().empty());
    EXPECT_TRUE(app.Close());
}
