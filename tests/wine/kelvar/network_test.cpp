// The library connected to a reader server on loopback: the same answers as
// the built-in reader, a clear status for every fault, Connect again, the
// shared secret and the reader held by one client.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "kelvar/crypto/hmac_sha256.h"
#include "kelvar/net/remote_reader.h"
#include "kelvar/net/tcp.h"
#include "kelvar/reader/reader_device.h"
#include "kelvar/status.h"
#include "kelvar_dll.h"
#include "support/reader_server_process.h"

using namespace kelvar;

namespace {

constexpr uint16_t kLoopback[4] = {127, 0, 0, 1};

struct Served {
    KelvarDll dll;
    ReaderServerProcess server;

    bool Start(const std::wstring& options = L"") {
        return dll.Load() && server.Start(dll.Folder() / "Kelvar.ini", options) &&
               dll.rf_init_com(server.Port(), kLoopback) == kOk;
    }
    std::string Model() {
        uint8_t text[1024] = {};
        uint8_t length = 0;
        const int32_t status = dll.rf_get_model(0, text, &length);
        return status == kOk ? std::string(text, text + length) : "status " + std::to_string(status);
    }
};

const uint8_t kKeyA[6] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

}  // namespace

TEST(KelvarNetwork, ServesTheReaderAndItsCardsAndConnectsAgainAfterALoss) {
    Served s;
    ASSERT_TRUE(s.Start());
    EXPECT_EQ(s.Model(), std::string(kReaderModel));
    uint8_t clock[1024] = {};
    uint8_t length = 0;
    ASSERT_EQ(s.dll.rf_init_device_number(0x3412), kOk);
    uint8_t number[2] = {};
    ASSERT_EQ(s.dll.rf_get_device_number(number), kOk);
    EXPECT_EQ(number[0], 0x12);
    ASSERT_EQ(s.dll.ReadTime(0, clock, &length), kOk);
    EXPECT_EQ(length, 7);

    // A Mifare sector written and read back over the connection.
    ASSERT_FALSE(s.dll.SearchMifare().empty());
    ASSERT_EQ(s.dll.rf_M1_authentication2(0, 0x60, 4, kKeyA), kOk);
    const std::array<uint8_t, 16> block{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    ASSERT_EQ(s.dll.rf_M1_write(0, 5, block.data()), kOk);
    uint8_t data[1024] = {};
    ASSERT_EQ(s.dll.rf_M1_read(0, 5, data, &length), kOk);
    EXPECT_EQ(length, 16);
    EXPECT_TRUE(std::equal(block.begin(), block.end(), data));
    EXPECT_EQ(s.dll.rf_M1_read(0, 5, nullptr, &length), kBadArgument);

    // The server goes away: the loss is reported once, then the port is closed.
    s.server.Kill();
    EXPECT_EQ(s.dll.rf_beep(0, 1), kConnectionLost);
    EXPECT_EQ(s.dll.rf_beep(0, 1), kNotOpen);

    // Started again on the same images: Connect again, the block is still there.
    ASSERT_TRUE(s.server.Start(s.dll.Folder() / "Kelvar.ini"));
    ASSERT_EQ(s.dll.rf_init_com(s.server.Port(), kLoopback), kOk);
    ASSERT_FALSE(s.dll.SearchMifare().empty());
    ASSERT_EQ(s.dll.rf_M1_authentication2(0, 0x60, 4, kKeyA), kOk);
    ASSERT_EQ(s.dll.rf_M1_read(0, 5, data, &length), kOk);
    EXPECT_TRUE(std::equal(block.begin(), block.end(), data));

    s.dll.close_connection();
    EXPECT_EQ(s.dll.rf_beep(0, 1), kNotOpen);
}

TEST(KelvarNetwork, AServerKilledDuringAWriteLeavesTheOldOrTheNewBlock) {
    Served s;
    ASSERT_TRUE(s.Start(L"--latency 300"));
    ASSERT_FALSE(s.dll.SearchMifare().empty());
    ASSERT_EQ(s.dll.rf_M1_authentication2(0, 0x60, 4, kKeyA), kOk);
    const std::array<uint8_t, 16> written{0xA5, 0x5A, 0xA5, 0x5A, 0xA5, 0x5A, 0xA5, 0x5A,
                                          0xA5, 0x5A, 0xA5, 0x5A, 0xA5, 0x5A, 0xA5, 0x5A};
    // The server has carried the write out and waits to answer when it dies.
    std::thread killer([&] {
        Sleep(150);
        s.server.Kill();
    });
    EXPECT_EQ(s.dll.rf_M1_write(0, 5, written.data()), kConnectionLost);
    killer.join();

    ASSERT_TRUE(s.server.Start(s.dll.Folder() / "Kelvar.ini"));
    ASSERT_EQ(s.dll.rf_init_com(s.server.Port(), kLoopback), kOk);
    ASSERT_FALSE(s.dll.SearchMifare().empty());
    ASSERT_EQ(s.dll.rf_M1_authentication2(0, 0x60, 4, kKeyA), kOk);
    uint8_t data[1024] = {};
    uint8_t length = 0;
    ASSERT_EQ(s.dll.rf_M1_read(0, 5, data, &length), kOk);
    const std::array<uint8_t, 16> factory{};
    const bool whole = std::equal(written.begin(), written.end(), data) ||
                       std::equal(factory.begin(), factory.end(), data);
    EXPECT_TRUE(whole);
}

TEST(KelvarNetwork, TwoClientsShareOneField) {
    Served first;
    ASSERT_TRUE(first.Start());
    ASSERT_FALSE(first.dll.SearchMifare().empty());

    // A second client halts the card the first one selected.
    net::RemoteReader second;
    ASSERT_EQ(second.Open(net::TcpStream::Connect(kLoopback, first.server.Port(), net::kConnectTimeoutMs)), kOk);
    ASSERT_EQ((second.Call<18, void(int32_t)>(0)), kOk);
    EXPECT_NE(first.dll.rf_M1_authentication2(0, 0x60, 4, kKeyA), kOk);
    second.Close();
    EXPECT_FALSE(first.dll.SearchMifare().empty());
}

TEST(KelvarNetwork, EveryFaultOptionGivesItsErrorAndNeverASuccess) {
    struct Case {
        const wchar_t* options;
        int32_t status;
    };
    const Case cases[] = {
        {L"--drop-every 2", kConnectionLost},
        {L"--close-after 1", kConnectionLost},
        {L"--garble-every 2", kBadAnswer},
    };
    for (const Case& c : cases) {
        Served s;
        ASSERT_TRUE(s.Start(c.options)) << c.options;
        uint32_t version = 0;
        EXPECT_EQ(s.dll.lib_ver(&version), kOk) << c.options;
        uint8_t text[1024] = {};
        uint8_t length = 0x55;
        EXPECT_EQ(s.dll.rf_get_model(0, text, &length), c.status) << c.options;
        EXPECT_EQ(length, 0x55) << c.options;
        EXPECT_EQ(text[0], 0) << c.options;
        EXPECT_EQ(s.dll.lib_ver(&version), kNotOpen) << c.options;
    }
    Served slow;
    ASSERT_TRUE(slow.Start(L"--latency 200"));
    const DWORD start = GetTickCount();
    EXPECT_EQ(slow.Model(), std::string(kReaderModel));
    EXPECT_GE(GetTickCount() - start, 150u);
}

// Every card family answers the same over the connection as the built-in
// reader: the answers of a read-only round of each family's first calls.
TEST(KelvarNetwork, EveryCardFamilyAnswersAsTheBuiltInReaderDoes) {
    Served s;
    ASSERT_TRUE(s.Start());
    const auto round = [&] {
        std::string out;
        uint8_t buffer[1024] = {};
        uint8_t length = 0;
        const auto note = [&](const char* call, int32_t status, size_t count) {
            out += std::string(call) + " " + std::to_string(status) + ":";
            for (size_t i = 0; i < count && status == kOk; ++i) out += std::to_string(buffer[i]) + ",";
            out += "\n";
        };
        s.dll.rf_antenna_sta(0, 0);
        s.dll.rf_init_type(0, 'A');
        s.dll.rf_antenna_sta(0, 1);
        note("rf_typea_rst", s.dll.rf_typea_rst(0, 0x52, buffer, &length), length);
        const uint8_t select[] = {0x00, 0xA4, 0x04, 0x00, 0x06, 0xF0, 0x4B, 0x56, 0x01, 0x00, 0x01, 0x00};
        note("rf_cos_command", s.dll.rf_cos_command(0, select, sizeof select, buffer, &length), length);
        s.dll.rf_init_type(0, 'B');
        note("rf_atqb", s.dll.rf_atqb(0, 0, buffer, &length), length);
        s.dll.rf_init_type(0, 's');
        note("rf_st_select", s.dll.rf_st_select(0, buffer), 1);
        s.dll.rf_init_type(0, '1');
        note("ISO15693_Inventorys", s.dll.ISO15693_Inventorys(0, buffer, &length), length);
        note("OpenCard", s.dll.OpenCard(0), 0);
        note("AT24_read", s.dll.AT24_read(0, 128, 128, buffer), 128);
        note("AT1608_Rst", s.dll.AT1608_Rst(0, buffer), 4);
        note("AT1608_Read", s.dll.AT1608_Read(0, 0, 256, 0, buffer), 256);
        note("smartcard_rst", s.dll.smartcard_rst(0, buffer, &length), length);
        note("rf_init_sam", s.dll.rf_init_sam(0, 0), 0);
        note("rf_sam_rst", s.dll.rf_sam_rst(0, buffer, &length), length);
        note("VirtualCardState", s.dll.VirtualCardState(0, 12, buffer, &length), length);
        return out;
    };
    const std::string remote = round();
    const uint16_t builtIn[4] = {0, 0, 0, 0};
    ASSERT_EQ(s.dll.rf_init_com(0, builtIn), kOk);
    const std::string local = round();
    EXPECT_EQ(remote, local);
    EXPECT_EQ(std::count(remote.begin(), remote.end(), '\n'), 13);
    for (const char* call : {"rf_typea_rst 0:", "rf_atqb 0:", "rf_st_select 0:", "ISO15693_Inventorys 0:",
                             "AT24_read 0:", "AT1608_Rst 0:", "AT1608_Read 0:", "smartcard_rst 0:", "rf_sam_rst 0:",
                             "VirtualCardState 0:1,84,72,16,100,"}) {
        EXPECT_NE(remote.find(call), std::string::npos) << call << "\n" << remote;
    }
}

// The shared secret between the library (BCrypt) and the server: only the
// same secret connects, and the library never settles for a server without it.
TEST(KelvarNetwork, OnlyTheSameSharedSecretConnects) {
    const std::string secret = "thirty-two bytes of shared secret";
    const auto hmac = HmacSha256(std::vector<uint8_t>{'J', 'e', 'f', 'e'},
                                 std::vector<uint8_t>{'w', 'h', 'a', 't', ' ', 'd', 'o', ' ', 'y', 'a', ' ', 'w',
                                                      'a', 'n', 't', ' ', 'f', 'o', 'r', ' ', 'n', 'o', 't', 'h',
                                                      'i', 'n', 'g', '?'});
    ASSERT_TRUE(hmac.has_value());
    EXPECT_EQ((*hmac)[0], 0x5b);
    EXPECT_EQ((*hmac)[31], 0x43);

    Served s;
    ASSERT_TRUE(s.dll.Load());
    const std::filesystem::path serverKey = s.dll.Folder() / "server.key";
    const std::filesystem::path clientKey = s.dll.Folder() / "client.key";
    std::ofstream(serverKey) << secret << "\n";
    ASSERT_TRUE(s.server.Start(s.dll.Folder() / "Kelvar.ini", L"--secret-file \"" + serverKey.wstring() + L"\""));
    EXPECT_EQ(s.dll.rf_init_com(s.server.Port(), kLoopback), kConnectFailed);  // no secret configured

    const std::u8string name = clientKey.u8string();
    std::ofstream(s.dll.Folder() / "Kelvar.ini", std::ios::app)
        << "secret_file = " << std::string(name.begin(), name.end()) << "\n";
    std::ofstream(clientKey) << "another secret of the same length\n";
    EXPECT_EQ(s.dll.rf_init_com(s.server.Port(), kLoopback), kConnectFailed);
    std::ofstream(clientKey) << secret << "\r\n";
    ASSERT_EQ(s.dll.rf_init_com(s.server.Port(), kLoopback), kOk);
    EXPECT_EQ(s.Model(), std::string(kReaderModel));

    // A server without a secret cannot prove it holds the library's.
    ASSERT_TRUE(s.server.Start(s.dll.Folder() / "Kelvar.ini"));
    EXPECT_EQ(s.dll.rf_init_com(s.server.Port(), kLoopback), kConnectFailed);
}

TEST(KelvarNetwork, AnExclusiveServerAnswersReaderBusyToTheSecondClient) {
    Served first;
    ASSERT_TRUE(first.Start(L"--exclusive"));
    EXPECT_EQ(first.Model(), std::string(kReaderModel));
    net::RemoteReader second;
    ASSERT_EQ(second.Open(net::TcpStream::Connect(kLoopback, first.server.Port(), net::kConnectTimeoutMs)), kOk);
    EXPECT_EQ((second.Call<18, void(int32_t)>(0)), kReaderBusy);
    first.dll.close_connection();
    int32_t status = kReaderBusy;
    for (int i = 0; i < 100 && status == kReaderBusy; ++i) {
        Sleep(20);
        status = second.Call<18, void(int32_t)>(0);
    }
    EXPECT_NE(status, kReaderBusy);
}
