// The operator reaches a card reader through PC/SC: the program connects from
// the device page to kelvar-reader --backend pcsc, which pcsc-chain-host
// started with an emulated Mifare 1K card (and a SAM) in pcscd's virtual reader.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "e2e/e2e_driver.h"
#include "e2e/e2e_environment.h"
#include "kelvar/reader/type_a_cards.h"
#include "vantrel/panels/connection/device_page_ids.h"
#include "vantrel/panels/iso14443a/mifare_ids.h"
#include "vantrel/resources/resource.h"
#include "vantrel/toolkit/hex_text.h"

namespace {

constexpr int32_t kMifare1KCode = 1;
constexpr wchar_t kTransportKey[] = L"FFFFFFFFFFFF";
constexpr wchar_t kBlockData[] = L"00112233445566778899AABBCCDDEEFF";
const std::wstring kZeroBlock(32, L'0');

std::wstring Environment(const wchar_t* name) {
    std::wstring value(GetEnvironmentVariableW(name, nullptr, 0), L'\0');
    if (value.empty()) return {};
    value.resize(GetEnvironmentVariableW(name, value.data(), DWORD(value.size())));
    return value;
}

// A line to the chain's control port ("pull", "put"); true once it is done.
bool TellChain(const std::string& line) {
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return false;
    const SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_port = htons(static_cast<u_short>(std::stoi(Environment(L"KELVAR_PCSC_CONTROL"))));
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bool done = false;
    if (connect(s, reinterpret_cast<sockaddr*>(&at), sizeof at) == 0) {
        const std::string sent = line + "\n";
        char answer[8] = {};
        done = send(s, sent.data(), int(sent.size()), 0) == int(sent.size()) && recv(s, answer, 3, MSG_WAITALL) == 3 &&
               std::string(answer) == "ok\n";
    }
    closesocket(s);
    WSACleanup();
    return done;
}

class PcscStory : public ::testing::Test {
protected:
    void SetUp() override {
        if (const std::wstring missing = Environment(L"KELVAR_PCSC_MISSING"); !missing.empty()) {
            GTEST_SKIP() << "pcscd cannot run here: " << std::string(missing.begin(), missing.end());
        }
        const std::wstring port = Environment(L"KELVAR_PCSC_PORT");
        ASSERT_FALSE(port.empty()) << "to be run by pcsc-chain-host";
        env_.emplace(std::nullopt);
        ASSERT_TRUE(env_->Ready());
        ASSERT_TRUE(app.Start(kMifare1KCode));
        ASSERT_TRUE(app.Menu(ID_PORT_SET) && app.SetAddress(IDC_DEV_ADDRESS, 127, 0, 0, 1) &&
                    app.SetText(IDC_DEV_PORT, port) && app.Click(IDC_DEV_CONNECT));
        ASSERT_EQ(app.Status(), L"Connect successful");
    }

    void TearDown() override {
        if (!app.IsRunning()) return;
        EXPECT_TRUE(app.MessageBoxes().empty());
        EXPECT_TRUE(app.Close());
    }

    void Search() {
        ASSERT_TRUE(app.Menu(ID_CARD_MIFARE_1K));
        ASSERT_TRUE(app.Click(IDC_MF_SEARCH));
        EXPECT_EQ(app.Status(), L"Communication successful");
        EXPECT_EQ(app.Text(IDC_MF_UID), BytesToHex(kelvar::kMifare1KUid));
    }

    void ReadSector1(const wchar_t* key) {
        ASSERT_TRUE(app.Select(IDC_MF_SECTOR1, 1));
        ASSERT_TRUE(app.SetText(IDC_MF_KEY1, key));
        ASSERT_TRUE(app.Click(IDC_MF_READ1));
    }

    std::optional<E2eEnvironment> env_;
    VantrelProgram app;
};

}  // namespace

TEST_F(PcscStory, TheDevicePageNamesTheReaderAndABeepIsNotSupported) {
    ASSERT_TRUE(app.Click(IDC_DEV_GET_INFO));
    EXPECT_EQ(app.Status(), L"OK");
    EXPECT_EQ(app.Text(IDC_DEV_MODEL), L"PC/SC Virtual PCD 00 00");
    ASSERT_TRUE(app.SetText(IDC_DEV_BEEP_TIME, L"0A"));
    ASSERT_TRUE(app.Click(IDC_DEV_BEEP_SEND));
    EXPECT_TRUE(app.StatusReports(L"Error: 3", L"rf_beep")) << app.Status();
}

TEST_F(PcscStory, TheMifarePanelReadsAndWritesTheCardInTheReader) {
    ASSERT_NO_FATAL_FAILURE(Search());
    ASSERT_NO_FATAL_FAILURE(ReadSector1(kTransportKey));
    EXPECT_EQ(app.Status(), L"OK");
    for (int id : {IDC_MF_DATA1_0, IDC_MF_DATA1_1, IDC_MF_DATA1_2}) EXPECT_EQ(app.Text(id), kZeroBlock);
    EXPECT_EQ(app.Text(IDC_MF_ACCESS1), L"FF078069");
    EXPECT_EQ(app.Text(IDC_MF_TRAILER_KEY_B1), kTransportKey);

    ASSERT_TRUE(app.Select(IDC_MF_BLOCK1, 1));
    ASSERT_TRUE(app.SetText(IDC_MF_DATA1_1, kBlockData));
    ASSERT_TRUE(app.Click(IDC_MF_WRITE1));
    EXPECT_EQ(app.Status(), L"OK");
    ASSERT_TRUE(app.SetText(IDC_MF_DATA1_1, L""));
    ASSERT_NO_FATAL_FAILURE(ReadSector1(kTransportKey));
    EXPECT_EQ(app.Status(), L"OK");
    EXPECT_EQ(app.Text(IDC_MF_DATA1_1), kBlockData);
}

TEST_F(PcscStory, AWrongKeyAndAPulledCardShowNothing) {
    ASSERT_NO_FATAL_FAILURE(Search());
    ASSERT_NO_FATAL_FAILURE(ReadSector1(L"A0A1A2A3A4A5"));
    EXPECT_TRUE(app.StatusReports(L"Error: 11", L"rf_M1_authentication2")) << app.Status();
    EXPECT_EQ(app.Text(IDC_MF_DATA1_0), L"");

    ASSERT_NO_FATAL_FAILURE(Search());
    ASSERT_TRUE(TellChain("pull"));
    ASSERT_NO_FATAL_FAILURE(ReadSector1(kTransportKey));
    EXPECT_TRUE(app.StatusReports(L"Error: 10")) << app.Status();
    EXPECT_EQ(app.Text(IDC_MF_DATA1_0), L"");
    ASSERT_TRUE(app.Click(IDC_MF_SEARCH));
    EXPECT_TRUE(app.StatusReports(L"Error: 10", L"rf_request")) << app.Status();

    ASSERT_TRUE(TellChain("put"));
    ASSERT_NO_FATAL_FAILURE(Search());
    ASSERT_NO_FATAL_FAILURE(ReadSector1(kTransportKey));
    EXPECT_EQ(app.Status(), L"OK");
}
