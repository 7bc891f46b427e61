#include <cstring>
#include <vector>

#include "device_page_fixture.h"

namespace {

constexpr int kLastCardBox = IDC_DEV_CARD_SRF55V02P;

void AnswerModel(ScriptedReader& script, const char* model) {
    script.On(script.library.rf_get_model, [model](int32_t, uint8_t* text, uint8_t* length) {
        const auto* bytes = reinterpret_cast<const uint8_t*>(model);
        Answer(text, length, std::vector<uint8_t>(bytes, bytes + std::strlen(model)));
        return 0;
    });
}

}  // namespace

class DevicePageInformation : public DevicePageTest {
protected:
    // Ids of the checked supported-card boxes.
    std::vector<int> CheckedBoxes() const {
        std::vector<int> ids;
        for (int id = IDC_DEV_CARD_SHC1102; id <= kLastCardBox; ++id) {
            if (h.IsChecked(id)) ids.push_back(id);
        }
        return ids;
    }
};

TEST_F(DevicePageInformation, ModelSelectsTheSupportedCards) {
    AnswerModel(h.script, "ABCDEL-1");
    h.script.On(h.script.library.lib_ver, [](uint32_t* version) {
        *version = 5;
        return 0;
    });
    h.Click(IDC_DEV_GET_INFO);
    EXPECT_EQ(h.script.Log(), (Calls{"rf_get_model(0, *, *)", "lib_ver(*)"}));
    EXPECT_EQ(h.Text(IDC_DEV_MODEL), L"ABCDEL-1");
    EXPECT_EQ(h.Text(IDC_DEV_VERSION), L"5.0");
    EXPECT_EQ(CheckedBoxes(), (std::vector<int>{1213, 1214, 1215, 1216}));
    EXPECT_EQ(h.services.status, L"OK");
    EXPECT_EQ(h.services.log,
              (std::vector<FakeServices::LogLine>{{L"rf_get_model", 0}, {L"lib_ver", 0}}));

    // Five characters have no sixth: every box is cleared.
    AnswerModel(h.script, "ABCDE");
    h.Click(IDC_DEV_GET_INFO);
    EXPECT_EQ(h.Text(IDC_DEV_MODEL), L"ABCDE");
    EXPECT_TRUE(CheckedBoxes().empty());
}

TEST_F(DevicePageInformation, FailingVersionKeepsTheModelAndBoxes) {
    AnswerModel(h.script, "KT-20F");
    h.script.Fail(h.script.library.lib_ver, 0x11);
    h.Click(IDC_DEV_GET_INFO);
    EXPECT_EQ(h.Text(IDC_DEV_MODEL), L"KT-20F");
    EXPECT_EQ(CheckedBoxes().size(), 14u);
    EXPECT_EQ(h.Text(IDC_DEV_VERSION), L"");
    EXPECT_EQ(h.services.status, L"Error: 11 ,function: lib_ver");

    // A failing model read changes no field and stops before lib_ver.
    h.script.ClearLog();
    h.script.Fail(h.script.library.rf_get_model, 0x22);
    h.Click(IDC_DEV_GET_INFO);
    EXPECT_EQ(h.script.Log(), (Calls{"rf_get_model(0, *, *)"}));
    EXPECT_EQ(h.Text(IDC_DEV_MODEL), L"KT-20F");
    EXPECT_EQ(CheckedBoxes().size(), 14u);
    EXPECT_EQ(h.services.status, L"Error: 22 ,function: rf_get_model");
}

TEST_F(DevicePageInformation, SupportedCardBoxesIgnoreClicksAndKeys) {
    AnswerModel(h.script, "XXXXXB");
    h.Click(IDC_DEV_GET_INFO);
    const std::vector<int> before = CheckedBoxes();
    ASSERT_EQ(before, (std::vector<int>{1219, 1220, 1221, 1222}));

    for (int id : {IDC_DEV_CARD_SHC1102, IDC_DEV_CARD_SR176}) {
        h.Click(id);
        SendMessageW(h.Item(id), WM_LBUTTONDBLCLK, MK_LBUTTON, 0);
        SendMessageW(h.Item(id), WM_LBUTTONUP, 0, 0);
        SetFocus(h.Item(id));
        SendMessageW(h.Item(id), WM_KEYDOWN, VK_SPACE, 0);
        SendMessageW(h.Item(id), WM_CHAR, L' ', 0);
        SendMessageW(h.Item(id), WM_KEYUP, VK_SPACE, 0xC0000001);
        PumpMessages();
    }
    EXPECT_EQ(CheckedBoxes(), before);
}

TEST_F(DevicePageTest, DeviceNumberNeedsExactlyTwoBytes) {
    h.Type(IDC_DEV_NUMBER, L"AB");
    h.Click(IDC_DEV_NUMBER_WRITE);
    EXPECT_TRUE(h.script.Log().empty());
    ASSERT_EQ(h.services.boxes.size(), 1u);
    EXPECT_EQ(h.services.boxes[0].text, L"Input 2 byte in DeveicID text please!");
    EXPECT_EQ(h.services.boxes[0].caption, L"Error");
    EXPECT_EQ(h.services.boxes[0].type, UINT{MB_OK | MB_ICONSTOP});

    // A lone third digit is a byte of its own: "abc" is AB 0C.
    h.SetText(IDC_DEV_NUMBER, L"abc");
    h.Click(IDC_DEV_NUMBER_WRITE);
    // Typing past four digits is refused.
    h.SetText(IDC_DEV_NUMBER, L"");
    h.Type(IDC_DEV_NUMBER, L"123456");
    EXPECT_EQ(h.Text(IDC_DEV_NUMBER), L"1234");
    h.Click(IDC_DEV_NUMBER_WRITE);

    EXPECT_EQ(h.script.Log(),
              (Calls{"rf_init_device_number(3243)", "rf_init_device_number(13330)"}));
    EXPECT_EQ(h.services.status, L"OK");
    EXPECT_EQ(h.services.boxes.size(), 1u);
}

TEST_F(DevicePageTest, ReadDeviceNumberShowsTheBytes) {
    h.script.On(h.script.library.rf_get_device_number, [](uint8_t* number) {
        number[0] = 0x12;
        number[1] = 0xAB;
        return 0;
    });
    h.Click(IDC_DEV_NUMBER_READ);
    EXPECT_EQ(h.Text(IDC_DEV_NUMBER), L"12AB");
    EXPECT_EQ(h.services.status, L"OK");

    h.script.Fail(h.script.library.rf_get_device_number, 0x0A);
    h.SetText(IDC_DEV_NUMBER, L"5566");
    h.Click(IDC_DEV_NUMBER_READ);
    EXPECT_EQ(h.Text(IDC_DEV_NUMBER), L"5566");
    EXPECT_EQ(h.services.status, L"Error: a ,function: rf_get_device_number");
    EXPECT_EQ(h.services.log,
              (std::vector<FakeServices::LogLine>{{L"rf_get_device_number", 0x0A}}));
}

TEST_F(DevicePageTest, BeepAntennaAndLightSendTheirSettings) {
    h.Click(IDC_DEV_BEEP_SEND);  // empty: nothing to send
    EXPECT_TRUE(h.script.Log().empty());
    EXPECT_EQ(h.services.status, L"OK");
    EXPECT_TRUE(h.services.log.empty());

    h.Type(IDC_DEV_BEEP_TIME, L"1e");
    h.Click(IDC_DEV_BEEP_SEND);
    h.Click(IDC_DEV_ANTENNA_SEND);
    h.Click(IDC_DEV_ANTENNA_OFF);
    h.Click(IDC_DEV_ANTENNA_SEND);
    h.Click(IDC_DEV_LIGHT_SEND);
    SendMessageW(h.Item(IDC_DEV_COLOUR), CB_SETCURSEL, 3, 0);
    h.Click(IDC_DEV_LIGHT_SEND);

    EXPECT_EQ(h.script.Log(), (Calls{"rf_beep(0, 30)", "rf_antenna_sta(0, 1)",
                                     "rf_antenna_sta(0, 0)", "rf_light(0, 0)", "rf_light(0, 3)"}));
    EXPECT_EQ(h.Text(IDC_DEV_COLOUR), L"yellow");
    EXPECT_EQ(h.services.status, L"OK");
    EXPECT_EQ(h.services.beeps, 0);

    h.script.Fail(h.script.library.rf_light, -1);
    h.Click(IDC_DEV_LIGHT_SEND);
    EXPECT_EQ(h.services.status, L"Error: ffffffff ,function: rf_light");
    EXPECT_EQ(h.services.beeps, 1);
}

TEST_F(DevicePageTest, WithoutAConnectionOnlyTheClockReachesTheReader) {
    h.connection.open = false;
    h.SetText(IDC_DEV_NUMBER, L"1234");
    h.SetText(IDC_DEV_BEEP_TIME, L"10");
    const int buttons[] = {IDC_DEV_GET_INFO,   IDC_DEV_NUMBER_READ,  IDC_DEV_NUMBER_WRITE,
                           IDC_DEV_BEEP_SEND,  IDC_DEV_ANTENNA_SEND, IDC_DEV_LIGHT_SEND};
    for (int id : buttons) {
        h.services.status.clear();
        h.Click(id);
        EXPECT_EQ(h.services.status, L"Error: Port did't opened") << "button " << id;
    }
    EXPECT_TRUE(h.script.Log().empty());
    EXPECT_TRUE(h.services.log.empty());
    EXPECT_EQ(h.services.beeps, 6);

    h.Click(IDC_DEV_CLOCK_READ);
    h.Click(IDC_DEV_CLOCK_WRITE);
    EXPECT_EQ(h.script.Log(), (Calls{"ReadTime(0, *, *)", "WriteTime(0, *)"}));
}
