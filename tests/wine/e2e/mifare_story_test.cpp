// The operator works on Mifare Classic cards with the real program and the
// real library: search, sector reads and block writes that outlive the
// program, and the purse.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

#include "e2e/e2e_driver.h"
#include "e2e/e2e_environment.h"
#include "kelvar/cards/ultralight_tag.h"
#include "kelvar/reader/iso14443a_field.h"
#include "vantrel/panels/iso14443a/mifare_4k_ids.h"
#include "vantrel/panels/iso14443a/mifare_ids.h"
#include "vantrel/toolkit/hex_text.h"

namespace {

constexpr int32_t kMifare1KCode = 1;
constexpr int32_t kMifare4KCode = 2;

constexpr wchar_t kTransportKey[] = L"FFFFFFFFFFFF";
const std::wstring kZeroBlock(32, L'0');
// A factory trailer as a read shows it: key A hidden, transport access bits, key B.
constexpr wchar_t kHiddenKeyA[] = L"000000000000";
constexpr wchar_t kTransportAccess[] = L"FF078069";

constexpr wchar_t kBlockData[] = L"00112233445566778899AABBCCDDEEFF";

// Searches and checks the card that answered.
void SearchFinds(VantrelProgram& app, const std::wstring& uid) {
    ASSERT_TRUE(app.Click(IDC_MF_SEARCH));
    EXPECT_EQ(app.Status(), L"Communication successful");
    EXPECT_EQ(app.Text(IDC_MF_UID), uid);
}

// Reads `sectorIndex` of the 1K panel's first window with the transport key.
void ReadSectorInWindow1(VantrelProgram& app, int sectorIndex) {
    ASSERT_TRUE(app.Select(IDC_MF_SECTOR1, sectorIndex));
    ASSERT_TRUE(app.SetText(IDC_MF_KEY1, kTransportKey));
    ASSERT_TRUE(app.Click(IDC_MF_READ1));
    EXPECT_EQ(app.Status(), L"OK");
}

void ExpectFactoryTrailer(VantrelProgram& app, int keyA, int access, int keyB) {
    EXPECT_EQ(app.Text(keyA), kHiddenKeyA);
    EXPECT_EQ(app.Text(access), kTransportAccess);
    EXPECT_EQ(app.Text(keyB), kTransportKey);
}

// One run of the program on a field of `field`, the card `uid` found by a search.
class MifareSession : public ::testing::Test {
protected:
    void StartAndSearch(std::optional<std::string> field, int32_t code, const std::wstring& uid,
                        bool followCardType = true) {
        env_.emplace(std::move(field), followCardType);
        ASSERT_TRUE(env_->Ready());
        ASSERT_TRUE(app.Start(code));
        SearchFinds(app, uid);
    }

    std::optional<E2eEnvironment> env_;
    VantrelProgram app;
};

}  // namespace

TEST(MifareStory, WrittenBlocksAndPurseOutliveTheProgram) {
    E2eEnvironment env("mifare1k");
    ASSERT_TRUE(env.Ready());
    const std::wstring uid = BytesToHex(kelvar::kMifare1KUid);
    {
        VantrelProgram app;
        ASSERT_TRUE(app.Start(kMifare1KCode));
        SearchFinds(app, uid);

        ReadSectorInWindow1(app, 1);
        for (int id : {IDC_MF_DATA1_0, IDC_MF_DATA1_1, IDC_MF_DATA1_2}) EXPECT_EQ(app.Text(id), kZeroBlock);
        ExpectFactoryTrailer(app, IDC_MF_TRAILER_KEY_A1, IDC_MF_ACCESS1, IDC_MF_TRAILER_KEY_B1);

        ASSERT_TRUE(app.Select(IDC_MF_BLOCK1, 1));
        ASSERT_TRUE(app.SetText(IDC_MF_DATA1_1, kBlockData));
        ASSERT_TRUE(app.Click(IDC_MF_WRITE1));
        EXPECT_EQ(app.Status(), L"OK");

        // A short entry is padded with zeros: sector 1, block 2 from window 2.
        ASSERT_TRUE(app.Select(IDC_MF_SECTOR2, 1));
        ASSERT_TRUE(app.Select(IDC_MF_BLOCK2, 2));
        ASSERT_TRUE(app.SetText(IDC_MF_KEY2, kTransportKey));
        ASSERT_TRUE(app.SetText(IDC_MF_DATA2_2, L"1122"));
        ASSERT_TRUE(app.Click(IDC_MF_WRITE2));
        EXPECT_EQ(app.Status(), L"OK");

        // The purse on sector 2, block 0.
        ASSERT_TRUE(app.Select(IDC_MF_PURSE_SECTOR, 2));
        ASSERT_TRUE(app.Select(IDC_MF_PURSE_BLOCK, 0));
        ASSERT_TRUE(app.SetText(IDC_MF_PURSE_KEY, kTransportKey));
        ASSERT_TRUE(app.SetText(IDC_MF_VALUE_DEC, L"100"));
        EXPECT_EQ(app.Text(IDC_MF_VALUE_HEX), L"64000000");
        ASSERT_TRUE(app.Click(IDC_MF_INITIALIZE));
        EXPECT_EQ(app.Status(), L"OK");
        ASSERT_TRUE(app.Click(IDC_MF_BALANCE));
        EXPECT_EQ(app.Status(), L"OK");
        EXPECT_EQ(app.Text(IDC_MF_VALUE_DEC), L"100");
        EXPECT_EQ(app.Text(IDC_MF_VALUE_HEX), L"64000000");

        ASSERT_TRUE(app.SetText(IDC_MF_VALUE_DEC, L"25"));
        ASSERT_TRUE(app.Click(IDC_MF_INCREMENT));
        EXPECT_EQ(app.Status(), L"OK");
        ASSERT_TRUE(app.SetText(IDC_MF_VALUE_DEC, L"5"));
        ASSERT_TRUE(app.Click(IDC_MF_DECREMENT));
        EXPECT_EQ(app.Status(), L"OK");
        EXPECT_TRUE(app.MessageBoxes().empty());
        ASSERT_TRUE(app.Close());
    }

    VantrelProgram app;
    ASSERT_TRUE(app.Start(kMifare1KCode));
    SearchFinds(app, uid);
    ReadSectorInWindow1(app, 1);
    EXPECT_EQ(app.Text(IDC_MF_DATA1_0), kZeroBlock);
    EXPECT_EQ(app.Text(IDC_MF_DATA1_1), kBlockData);
    EXPECT_EQ(app.Text(IDC_MF_DATA1_2), L"1122" + std::wstring(28, L'0'));
    ExpectFactoryTrailer(app, IDC_MF_TRAILER_KEY_A1, IDC_MF_ACCESS1, IDC_MF_TRAILER_KEY_B1);

    ASSERT_TRUE(app.Select(IDC_MF_PURSE_SECTOR, 2));
    ASSERT_TRUE(app.Select(IDC_MF_PURSE_BLOCK, 0));
    ASSERT_TRUE(app.SetText(IDC_MF_PURSE_KEY, kTransportKey));
    ASSERT_TRUE(app.Click(IDC_MF_BALANCE));
    EXPECT_EQ(app.Status(), L"OK");
    EXPECT_EQ(app.Text(IDC_MF_VALUE_DEC), L"120");
    EXPECT_EQ(app.Text(IDC_MF_VALUE_HEX), L"78000000");
    EXPECT_TRUE(app.MessageBoxes().empty());
    EXPECT_TRUE(app.Close());
}

TEST_F(MifareSession, ABadKeyIsRefusedAndAWrongKeyMakesTheNextOperationSearchAgain) {
    ASSERT_NO_FATAL_FAILURE(StartAndSearch("mifare1k", kMifare1KCode, BytesToHex(kelvar::kMifare1KUid)));

    // Eleven digits are five whole bytes: the input error box, and no call.
    ASSERT_TRUE(app.Select(IDC_MF_SECTOR1, 3));
    ASSERT_TRUE(app.SetText(IDC_MF_KEY1, L"FFFFFFFFFFF"));
    ASSERT_TRUE(app.Click(IDC_MF_READ1));
    ASSERT_EQ(app.MessageBoxes().size(), 1u);
    EXPECT_EQ(app.MessageBoxes()[0], L"Input 6 bytes in key text please!");
    EXPECT_EQ(app.Status(), L"Communication successful");

    ASSERT_TRUE(app.SetText(IDC_MF_KEY1, L"A0A1A2A3A4A5"));
    ASSERT_TRUE(app.Click(IDC_MF_READ1));
    EXPECT_TRUE(app.StatusReports(L"Error: 11", L"rf_M1_authentication2")) << app.Status();
    EXPECT_EQ(app.Text(IDC_MF_DATA1_0), L"");

    // The failed authentication dropped the card; Read Sector finds it again.
    ReadSectorInWindow1(app, 3);
    EXPECT_EQ(app.Text(IDC_MF_DATA1_0), kZeroBlock);
    EXPECT_EQ(app.MessageBoxes().size(), 1u);
    EXPECT_TRUE(app.Close());
}

TEST_F(MifareSession, NewKeysWrittenToATrailerAfterConfirmationGuardTheSector) {
    ASSERT_NO_FATAL_FAILURE(StartAndSearch("mifare1k", kMifare1KCode, BytesToHex(kelvar::kMifare1KUid)));

    ASSERT_TRUE(app.Select(IDC_MF_SECTOR1, 5));
    ASSERT_TRUE(app.Select(IDC_MF_BLOCK1, 3));
    ASSERT_TRUE(app.SetText(IDC_MF_KEY1, kTransportKey));
    ASSERT_TRUE(app.SetText(IDC_MF_TRAILER_KEY_A1, L"A0A1A2A3A4A5"));
    ASSERT_TRUE(app.SetText(IDC_MF_ACCESS1, kTransportAccess));
    ASSERT_TRUE(app.SetText(IDC_MF_TRAILER_KEY_B1, L"B0B1B2B3B4B5"));
    ASSERT_TRUE(app.Click(IDC_MF_WRITE1));  // the driver confirms with OK
    ASSERT_EQ(app.MessageBoxes().size(), 1u);
    EXPECT_EQ(app.MessageBoxes()[0], L"Be sure to write block3!");
    EXPECT_EQ(app.Status(), L"OK");

    ASSERT_TRUE(app.Click(IDC_MF_READ1));
    EXPECT_TRUE(app.StatusReports(L"Error: ", L"rf_M1_authentication2")) << app.Status();

    ASSERT_TRUE(app.SetText(IDC_MF_KEY1, L"A0A1A2A3A4A5"));
    ASSERT_TRUE(app.Click(IDC_MF_READ1));
    EXPECT_EQ(app.Status(), L"OK");
    EXPECT_EQ(app.Text(IDC_MF_TRAILER_KEY_A1), kHiddenKeyA);
    EXPECT_EQ(app.Text(IDC_MF_ACCESS1), kTransportAccess);
    EXPECT_EQ(app.Text(IDC_MF_TRAILER_KEY_B1), L"B0B1B2B3B4B5");
    EXPECT_EQ(app.MessageBoxes().size(), 1u);
    EXPECT_TRUE(app.Close());
}

TEST_F(MifareSession, AfterHaltTheNextOperationFailsOnceAndThenWakesTheCard) {
    const std::wstring uid = BytesToHex(kelvar::kMifare1KUid);
    ASSERT_NO_FATAL_FAILURE(StartAndSearch("mifare1k", kMifare1KCode, uid));

    ASSERT_TRUE(app.Click(IDC_MF_HALT));
    EXPECT_EQ(app.Status(), L"Communication successful");
    // A halted card answers no idle request.
    ASSERT_TRUE(app.Click(IDC_MF_REQIDL));
    EXPECT_TRUE(app.StatusReports(L"Error: ", L"rf_request")) << app.Status();

    // The panel still counts the card as selected: the read fails at authentication ...
    ASSERT_TRUE(app.Select(IDC_MF_SECTOR1, 1));
    ASSERT_TRUE(app.SetText(IDC_MF_KEY1, kTransportKey));
    ASSERT_TRUE(app.Click(IDC_MF_READ1));
    EXPECT_TRUE(app.StatusReports(L"Error: ", L"rf_M1_authentication2")) << app.Status();
    // ... and the next one searches, waking the card with a request for all cards.
    ReadSectorInWindow1(app, 1);
    EXPECT_EQ(app.Text(IDC_MF_DATA1_0), kZeroBlock);
    EXPECT_EQ(app.Text(IDC_MF_UID), uid);
    EXPECT_TRUE(app.MessageBoxes().empty());
    EXPECT_TRUE(app.Close());
}

TEST_F(MifareSession, The4KPanelFindsTheFirstCardOfTheDefaultFieldAndWorksOnItsLargeSectors) {
    ASSERT_NO_FATAL_FAILURE(StartAndSearch(std::nullopt, kMifare4KCode, BytesToHex(kelvar::kMifare4KUid)));

    const int largeData[] = {IDC_MF4K_DATA2_0,  IDC_MF4K_DATA2_1,  IDC_MF4K_DATA2_2,  IDC_MF4K_DATA2_3,
                             IDC_MF4K_DATA2_4,  IDC_MF4K_DATA2_5,  IDC_MF4K_DATA2_6,  IDC_MF4K_DATA2_7,
                             IDC_MF4K_DATA2_8,  IDC_MF4K_DATA2_9,  IDC_MF4K_DATA2_10, IDC_MF4K_DATA2_11,
                             IDC_MF4K_DATA2_12, IDC_MF4K_DATA2_13, IDC_MF4K_DATA2_14};
    ASSERT_TRUE(app.Select(IDC_MF_SECTOR2, 7));  // sector 39
    ASSERT_TRUE(app.SetText(IDC_MF_KEY2, kTransportKey));
    ASSERT_TRUE(app.Click(IDC_MF_READ2));
    EXPECT_EQ(app.Status(), L"OK");
    for (int id : largeData) EXPECT_EQ(app.Text(id), kZeroBlock) << "edit " << id;
    ExpectFactoryTrailer(app, IDC_MF_TRAILER_KEY_A2, IDC_MF_ACCESS2, IDC_MF_TRAILER_KEY_B2);

    // The last data block of the card.
    ASSERT_TRUE(app.Select(IDC_MF_BLOCK2, 14));
    ASSERT_TRUE(app.SetText(IDC_MF4K_DATA2_14, kBlockData));
    ASSERT_TRUE(app.Click(IDC_MF_WRITE2));
    EXPECT_EQ(app.Status(), L"OK");
    ASSERT_TRUE(app.SetText(IDC_MF4K_DATA2_14, L""));
    ASSERT_TRUE(app.Click(IDC_MF_READ2));
    EXPECT_EQ(app.Status(), L"OK");
    EXPECT_EQ(app.Text(IDC_MF4K_DATA2_13), kZeroBlock);
    EXPECT_EQ(app.Text(IDC_MF4K_DATA2_14), kBlockData);
    EXPECT_TRUE(app.MessageBoxes().empty());
    EXPECT_TRUE(app.Close());
}

TEST_F(MifareSession, AnUltraLightTagAloneIsFoundButRefusesAuthenticationAndAnIdleRequestFailsOnceOnTheActiveTag) {
    const std::wstring uid = BytesToHex(kelvar::UltralightTag::kDefaultUid);
    // The operator keeps the tag on the reader: the field does not follow the card type.
    ASSERT_NO_FATAL_FAILURE(StartAndSearch("ultralight", kMifare1KCode, uid, false));

    // The selected tag does not answer an idle request and goes idle; the next one finds it.
    ASSERT_TRUE(app.Click(IDC_MF_REQIDL));
    EXPECT_TRUE(app.StatusReports(L"Error: ", L"rf_request")) << app.Status();
    ASSERT_TRUE(app.Click(IDC_MF_REQIDL));
    EXPECT_EQ(app.Status(), L"Communication successful");
    EXPECT_EQ(app.Text(IDC_MF_UID), uid);

    // A tag knows no Mifare authentication.
    ASSERT_TRUE(app.SetText(IDC_MF_KEY1, kTransportKey));
    ASSERT_TRUE(app.Click(IDC_MF_READ1));
    EXPECT_TRUE(app.StatusReports(L"Error: 17", L"rf_M1_authentication2")) << app.Status();
    EXPECT_EQ(app.Text(IDC_MF_DATA1_0), L"");
    EXPECT_TRUE(app.MessageBoxes().empty());
    EXPECT_TRUE(app.Close());
}
