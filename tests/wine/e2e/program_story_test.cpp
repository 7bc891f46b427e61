// The operator moves between panels in one session; the program remembers
// the last choice for the next start.
#include <gtest/gtest.h>

#include "e2e/e2e_driver.h"
#include "e2e/e2e_environment.h"
#include "kelvar/cards/ultralight_tag.h"
#include "kelvar/reader/iso14443a_field.h"
#include "vantrel/app/settings.h"
#include "vantrel/panels/connection/device_page_ids.h"
#include "vantrel/panels/iso14443a/mifare_ids.h"
#include "vantrel/panels/iso14443a/ultralight_ids.h"
#include "vantrel/resources/resource.h"
#include "vantrel/toolkit/hex_text.h"

TEST(ProgramStory, PanelsShareTheReaderAndTheDevicePageIsNotReopenedAtStart) {
    E2eEnvironment env("mifare1k, ultralight");
    ASSERT_TRUE(env.Ready());
    {
        VantrelProgram app;
        ASSERT_TRUE(app.Start(1));
        EXPECT_EQ(app.BarText(IDC_BAR_CARD), L"Mifare_1K");

        // The antenna switched off on the device page ...
        ASSERT_TRUE(app.Menu(ID_PORT_SET));
        ASSERT_TRUE(app.Click(IDC_DEV_ANTENNA_OFF));
        ASSERT_TRUE(app.Click(IDC_DEV_ANTENNA_SEND));
        EXPECT_EQ(app.Status(), L"OK");
        EXPECT_EQ(app.Control(IDC_MF_SEARCH), nullptr);

        // ... is switched on again by each panel's search.
        ASSERT_TRUE(app.Menu(ID_CARD_ULTRALIGHT));
        EXPECT_EQ(app.BarText(IDC_BAR_CARD), L"UltraLight");
        ASSERT_TRUE(app.Click(IDC_UL_SEARCH));
        EXPECT_EQ(app.Status(), L"Communication successful");
        EXPECT_EQ(app.Text(IDC_UL_UID), BytesToHex(kelvar::UltralightTag::kDefaultUid));

        ASSERT_TRUE(app.Menu(ID_CARD_MIFARE_1K));
        ASSERT_TRUE(app.Click(IDC_MF_SEARCH));
        EXPECT_EQ(app.Status(), L"Communication successful");
        EXPECT_EQ(app.Text(IDC_MF_UID), BytesToHex(kelvar::kMifare1KUid));

        ASSERT_TRUE(app.Menu(ID_PORT_SET));
        EXPECT_TRUE(app.MessageBoxes().empty());
        ASSERT_TRUE(app.Close());
    }
    ProgramSettings stored;
    LoadSettings(stored);
    EXPECT_EQ(stored.curCard, kDevicePageCode);

    // Closed on the device page, the program opens on the UltraLight panel.
    VantrelProgram app;
    ASSERT_TRUE(app.Start(std::nullopt));
    EXPECT_NE(app.Control(IDC_UL_SEARCH), nullptr);
    EXPECT_EQ(app.Control(IDC_DEV_CONNECT), nullptr);
    EXPECT_EQ(app.BarText(IDC_BAR_CARD), L"UltraLight");
    EXPECT_TRUE(app.Close());
}
