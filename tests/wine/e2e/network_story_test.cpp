// The operator connects the real program to a reader server on loopback from
// the device page, works on a card over it, loses the server and connects
// again once it is back.
#include <gtest/gtest.h>

#include <string>

#include "e2e/e2e_driver.h"
#include "e2e/e2e_environment.h"
#include "kelvar/reader/reader_device.h"
#include "support/reader_server_process.h"
#include "vantrel/panels/connection/device_page_ids.h"
#include "vantrel/panels/iso14443a/mifare_ids.h"
#include "vantrel/resources/resource.h"

namespace {

constexpr int32_t kMifare1KCode = 1;

bool ConnectTo(VantrelProgram& app, uint16_t port) {
    return app.Menu(ID_PORT_SET) && app.SetAddress(IDC_DEV_ADDRESS, 127, 0, 0, 1) &&
           app.SetText(IDC_DEV_PORT, std::to_wstring(port)) && app.Click(IDC_DEV_CONNECT);
}

}  // namespace

TEST(NetworkStory, TheDevicePageConnectsToTheServerAndTheProgramSurvivesItsLoss) {
    E2eEnvironment env(std::nullopt);
    ASSERT_TRUE(env.Ready());
    ReaderServerProcess server;
    ASSERT_TRUE(server.Start(env.ConfigFile()));
    VantrelProgram app;
    ASSERT_TRUE(app.Start(kMifare1KCode));

    ASSERT_TRUE(ConnectTo(app, server.Port()));
    EXPECT_EQ(app.Status(), L"Connect successful");
    EXPECT_EQ(app.BarText(IDC_BAR_ADDRESS), L"127.0.0.1");
    ASSERT_TRUE(app.Click(IDC_DEV_GET_INFO));
    EXPECT_EQ(app.Status(), L"OK");
    EXPECT_EQ(app.Text(IDC_DEV_MODEL), std::wstring(kelvar::kReaderModel.begin(), kelvar::kReaderModel.end()));

    ASSERT_TRUE(app.Menu(ID_CARD_MIFARE_1K));
    ASSERT_TRUE(app.Click(IDC_MF_SEARCH));
    EXPECT_EQ(app.Status(), L"Communication successful");
    ASSERT_TRUE(app.SetText(IDC_MF_KEY1, L"FFFFFFFFFFFF"));
    ASSERT_TRUE(app.Click(IDC_MF_READ1));
    EXPECT_EQ(app.Status(), L"OK");

    // The server dies: the next command names the loss, and nothing hangs.
    server.Kill();
    ASSERT_TRUE(app.Click(IDC_MF_READ1));
    EXPECT_TRUE(app.StatusReports(L"Error: 7")) << app.Status();

    ASSERT_TRUE(server.Start(env.ConfigFile()));
    ASSERT_TRUE(ConnectTo(app, server.Port()));
    EXPECT_EQ(app.Status(), L"Connect successful");
    ASSERT_TRUE(app.Click(IDC_DEV_GET_INFO));
    EXPECT_EQ(app.Status(), L"OK");

    EXPECT_TRUE(app.MessageBoxes().empty());
    EXPECT_TRUE(app.Close());
}
