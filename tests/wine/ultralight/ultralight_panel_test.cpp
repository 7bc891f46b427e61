#include <gtest/gtest.h>

#include "tag_script.h"
#include "vantrel/panels/iso14443a/ultralight_ids.h"
#include "vantrel/panels/iso14443a/ultralight_panel.h"

class UltraLightPanelTest : public ::testing::Test {
protected:
    PanelHarness<CUltraLightPanel> h;
};

TEST_F(UltraLightPanelTest, ShortAnswerToASuccessfulReadIsReportedAsAnError) {
    ServeReads(h.script, 16, 0, 15);
    h.Click(IDC_UL_READ);
    EXPECT_EQ(h.script.Log(), (Calls{"rf_M1_read(0, 0, *, *)"}));
    EXPECT_EQ(h.Text(IDC_UL_PAGE0), L"");
    EXPECT_EQ(h.services.status, L"Error: Read Page: 0 error!");
    EXPECT_EQ(h.services.beeps, 1);
}
