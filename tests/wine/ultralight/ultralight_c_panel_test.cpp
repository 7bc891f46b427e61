#include <gtest/gtest.h>

#include "tag_script.h"
#include "vantrel/panels/iso14443a/ultralight_c_ids.h"
#include "vantrel/panels/iso14443a/ultralight_c_panel.h"

namespace {

const std::wstring kKey31 = L"0123456789abcdef0123456789abcde";
const std::wstring kKey32 = L"49454d4b41455242214e4143554f5946";

}  // namespace

class UltraLightCPanelTest : public ::testing::Test {
protected:
    PanelHarness<CUltraLightCPanel> h;
};

TEST_F(UltraLightCPanelTest, KeyCaptionsStayAndTheKeyNeedsSixteenWholeBytes) {
    EXPECT_EQ(h.Text(IDC_ULC_AUTHENTICATE), L"Authenticate");
    EXPECT_EQ(h.Text(IDC_ULC_UPDATE), L"Update");

    std::vector<uint8_t> sent;
    h.script.On(h.script.library.rf_UC_authentication, [&sent](int32_t, const uint8_t* key) {
        sent.assign(key, key + 16);
        return 0;
    });
    h.Type(IDC_ULC_KEY, kKey31);
    h.Click(IDC_ULC_AUTHENTICATE);
    h.Click(IDC_ULC_UPDATE);
    EXPECT_TRUE(h.script.Log().empty());
    ASSERT_EQ(h.services.boxes.size(), 2u);
    EXPECT_EQ(h.services.boxes[0].text, L"Key data is not 16 bytes!");
    EXPECT_EQ(h.services.boxes[0].caption, L"Error");
    EXPECT_EQ(h.services.boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONSTOP));

    h.services.boxes.clear();
    h.services.status = L"before";
    h.Type(IDC_ULC_KEY, L"f");
    h.Click(IDC_ULC_AUTHENTICATE);
    EXPECT_TRUE(h.services.boxes.empty());
    EXPECT_EQ(h.script.Log(), (Calls{"rf_UC_authentication(0, *)"}));
    EXPECT_EQ(BytesToHex(sent), L"0123456789ABCDEF0123456789ABCDEF");
    EXPECT_EQ(h.services.log, (std::vector<FakeServices::LogLine>{{L"rf_UC_authentication", 0}}));
    EXPECT_EQ(h.services.status, L"before");  // success is only logged

    // The key edit takes no more than 32 digits.
    h.Type(IDC_ULC_KEY, L"12");
    EXPECT_EQ(h.Text(IDC_ULC_KEY).size(), 32u);
}

TEST_F(UltraLightCPanelTest, UpdateWritesTheKeyWithoutAsking) {
    std::vector<uint8_t> sent;
    h.script.On(h.script.library.rf_UC_changekey, [&sent](int32_t, const uint8_t* key) {
        sent.assign(key, key + 16);
        return 0;
    });
    h.SetText(IDC_ULC_KEY, kKey32);
    h.Click(IDC_ULC_UPDATE);
    EXPECT_TRUE(h.services.boxes.empty());
    EXPECT_EQ(h.script.Log(), (Calls{"rf_UC_changekey(0, *)"}));
    EXPECT_EQ(BytesToHex(sent), L"49454D4B41455242214E4143554F5946");
}

TEST_F(UltraLightCPanelTest, ReqIdlOnAHaltedTagFailsAtRequestWithoutRetry) {
    h.script.Fail(h.script.library.rf_request, 1);
    h.Click(IDC_ULC_REQIDL);
    EXPECT_EQ(h.script.Log(), (Calls{"rf_request(0, 38, *)"}));
    EXPECT_EQ(h.services.status, L"Error: 1 ,function: rf_request");
    EXPECT_EQ(h.services.beeps, 1);
}
