#include <array>

#include "device_page_fixture.h"

namespace {

using Octets = std::array<uint16_t, 4>;

Octets TargetOf(const ReaderConnection& connection) {
    return {connection.address[0], connection.address[1], connection.address[2],
            connection.address[3]};
}

}  // namespace

TEST_F(DevicePageTest, StartsWithTheDefaultTargetAndEnglishCaptions) {
    DWORD address = 0;
    SendMessageW(h.Item(IDC_DEV_ADDRESS), IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address));
    EXPECT_EQ(address, 0xC0A801C8u);
    EXPECT_EQ(h.Text(IDC_DEV_PORT), L"2000");
    EXPECT_EQ(h.Text(IDC_DEV_CONNECT), L"Connect");
    EXPECT_EQ(h.Text(IDC_DEV_NUMBER_GROUP), L"Icdeve");
    EXPECT_FALSE(IsWindowVisible(h.Item(IDC_DEV_SUPPORT_GROUP)));
    // 31 December 2024 is a Tuesday.
    EXPECT_EQ(h.Text(IDC_DEV_WEEKDAY), L"week 2 ");
}

TEST_F(DevicePageTest, ConnectWhileConnectedClosesReportsAndOpensAgain) {
    std::wstring statusDuringOpen;
    Octets addressDuringOpen{};
    SetAddress(127, 0, 0, 2);
    h.script.On(h.script.library.rf_init_com, [&](uint16_t, const uint16_t* address) {
        statusDuringOpen = h.services.status;
        addressDuringOpen = {address[0], address[1], address[2], address[3]};
        return 0;
    });
    h.Click(IDC_DEV_CONNECT);

    EXPECT_EQ(h.script.Log(), (Calls{"close_connection()", "rf_init_com(2000, *)"}));
    EXPECT_EQ(statusDuringOpen, L"Error: Connect failed");
    EXPECT_EQ(addressDuringOpen, (Octets{127, 0, 0, 2}));
    EXPECT_EQ(h.services.status, L"Connect successful");
    EXPECT_EQ(h.services.beeps, 1);
    EXPECT_EQ(h.services.log, (std::vector<FakeServices::LogLine>{{L"rf_init_com", 0}}));
    EXPECT_TRUE(h.connection.open);
    EXPECT_EQ(TargetOf(h.connection), (Octets{127, 0, 0, 2}));
    EXPECT_EQ(h.connection.port, 2000);
    EXPECT_EQ(h.services.targetsShown, 1);
}

TEST_F(DevicePageTest, FailedConnectLeavesTheConnectionClosed) {
    h.connection.open = false;
    SetAddress(127, 0, 0, 7);
    h.SetText(IDC_DEV_PORT, L"6000");
    h.script.Fail(h.script.library.rf_init_com, 0x30);
    h.Click(IDC_DEV_CONNECT);

    EXPECT_EQ(h.script.Log(), (Calls{"rf_init_com(6000, *)", "close_connection()"}));
    EXPECT_EQ(h.services.log, (std::vector<FakeServices::LogLine>{{L"rf_init_com", 0x30}}));
    EXPECT_EQ(h.services.status, L"Error: 30 ,function: rf_init_com");
    EXPECT_EQ(h.services.beeps, 1);
    EXPECT_FALSE(h.connection.open);
    EXPECT_EQ(TargetOf(h.connection), (Octets{127, 0, 0, 7}));
    EXPECT_EQ(h.connection.port, 6000);
    EXPECT_EQ(h.services.targetsShown, 0);
}

TEST_F(DevicePageTest, PortIsAWholeNumberUpTo65535AndABadOneChangesNothing) {
    EXPECT_EQ(ParsePortNumber(L"0"), uint16_t{0});
    EXPECT_EQ(ParsePortNumber(L"65535"), uint16_t{65535});
    EXPECT_EQ(ParsePortNumber(L" 08080 "), uint16_t{8080});
    for (const wchar_t* bad : {L"", L"  ", L"65536", L"70000", L"-1", L"+5", L"12a", L"1 2",
                               L"99999999999999999999"}) {
        EXPECT_EQ(ParsePortNumber(bad), std::nullopt) << bad;
    }

    h.connection.address[0] = 127;
    h.connection.address[3] = 9;
    h.connection.port = 1234;
    for (const wchar_t* bad : {L"70000", L"abc", L""}) {
        h.SetText(IDC_DEV_PORT, bad);
        h.Click(IDC_DEV_CONNECT);
    }
    EXPECT_TRUE(h.script.Log().empty());
    ASSERT_EQ(h.services.boxes.size(), 3u);
    EXPECT_EQ(h.services.boxes[0].text, L"Input a whole port number from 0 to 65535 please!");
    EXPECT_EQ(h.services.boxes[0].caption, L"Error");
    EXPECT_EQ(h.services.boxes[0].type, UINT{MB_OK | MB_ICONSTOP});
    EXPECT_TRUE(h.connection.open);
    EXPECT_EQ(TargetOf(h.connection), (Octets{127, 0, 0, 9}));
    EXPECT_EQ(h.connection.port, 1234);
    EXPECT_EQ(h.services.status, L"");
    EXPECT_EQ(h.services.targetsShown, 0);
}
