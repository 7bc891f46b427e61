#include "kelvar/cards/mifare_classic.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "tests/native/kelvar/cards/mifare_test_support.h"

using namespace kelvar;
using namespace mifare_test;
namespace fs = std::filesystem;

namespace {

class MifareClassicStore : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("mifare_store_" + std::to_string(std::random_device{}()));
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    // Makes every later save into `folder` fail: a plain file takes its place.
    static void BlockFolder(const fs::path& folder) {
        fs::remove_all(folder);
        std::ofstream(folder) << "not a folder";
    }

    fs::path folder_;
};

}  // namespace

TEST_F(MifareClassicStore, ChangesSurviveInANewCardOnTheSameFolder) {
    const Bytes newKey = Hex("0A0B0C0D0E0F");
    {
        ImageStore store(folder_);
        MifareClassicCard card(mifare::CardSize::k1K, Hex("DEADBEEF"), store, "mifare1k.img");
        ASSERT_EQ(Activate(card), kOk);
        ASSERT_EQ(AuthA(card, 0), kOk);
        ASSERT_EQ(card.WriteBlock(1, Hex("0102030405060708090A0B0C0D0E0F10").data()), kOk);
        ASSERT_EQ(AuthA(card, 4), kOk);
        ASSERT_EQ(card.InitValue(4, 100), kOk);
        ASSERT_EQ(card.Decrement(4, 1), kOk);
        ASSERT_EQ(AuthA(card, 8), kOk);
        ASSERT_EQ(card.WriteBlock(11, Hex("0A0B0C0D0E0FFF078069FFFFFFFFFFFF").data()), kOk);
    }
    EXPECT_EQ(fs::file_size(folder_ / "mifare1k.img"), kImageHeaderSize + 1024u);

    ImageStore store(folder_);
    MifareClassicCard card(mifare::CardSize::k1K, Hex("DEADBEEF"), store, "mifare1k.img");
    ASSERT_EQ(Activate(card), kOk);
    ASSERT_EQ(AuthA(card, 0), kOk);
    EXPECT_EQ(ReadHex(card, 1), "0102030405060708090A0B0C0D0E0F10");
    ASSERT_EQ(AuthA(card, 4), kOk);
    int32_t value = 0;
    ASSERT_EQ(card.ReadValue(4, &value), kOk);
    EXPECT_EQ(value, 99);
    EXPECT_EQ(AuthA(card, 8), kAuthFailed);
    ASSERT_EQ(Activate(card), kOk);
    EXPECT_EQ(AuthA(card, 8, newKey), kOk);
}

TEST_F(MifareClassicStore, FourKImageKeepsItsLargeSectors) {
    {
        ImageStore store(folder_);
        MifareClassicCard card(mifare::CardSize::k4K, Hex("A1A2A3A4"), store, "mifare4k.img");
        ASSERT_EQ(Activate(card), kOk);
        ASSERT_EQ(AuthA(card, 240), kOk);
        ASSERT_EQ(card.InitValue(250, -7), kOk);
    }
    EXPECT_EQ(fs::file_size(folder_ / "mifare4k.img"), kImageHeaderSize + 4096u);
    ImageStore store(folder_);
    MifareClassicCard card(mifare::CardSize::k4K, Hex("A1A2A3A4"), store, "mifare4k.img");
    ASSERT_EQ(Activate(card), kOk);
    ASSERT_EQ(AuthA(card, 255), kOk);
    int32_t value = 0;
    ASSERT_EQ(card.ReadValue(250, &value), kOk);
    EXPECT_EQ(value, -7);
}

TEST_F(MifareClassicStore, StoredImageKeepsItsDataUnderTheConfiguredUid) {
    {
        ImageStore store(folder_);
        MifareClassicCard card(mifare::CardSize::k1K, Hex("DEADBEEF"), store, "mifare1k.img");
        ASSERT_EQ(Activate(card), kOk);
        ASSERT_EQ(AuthA(card, 0), kOk);
        ASSERT_EQ(card.WriteBlock(2, Hex("22222222222222222222222222222222").data()), kOk);
    }
    ImageStore store(folder_);
    MifareClassicCard card(mifare::CardSize::k1K, Hex("01020304"), store, "mifare1k.img");
    ASSERT_EQ(Activate(card), kOk);
    ASSERT_EQ(AuthA(card, 0), kOk);
    EXPECT_EQ(ReadHex(card, 0).substr(0, 16), "0102030404080400");
    EXPECT_EQ(ReadHex(card, 2), "22222222222222222222222222222222");
}

TEST_F(MifareClassicStore, FailedSaveReportsStoreFailedAndKeepsMemory) {
    ImageStore store(folder_);
    MifareClassicCard card(mifare::CardSize::k1K, Hex("DEADBEEF"), store, "mifare1k.img");
    ASSERT_EQ(Activate(card), kOk);
    ASSERT_EQ(AuthA(card, 4), kOk);
    ASSERT_EQ(card.InitValue(4, 100), kOk);
    BlockFolder(folder_);

    EXPECT_EQ(card.WriteBlock(5, Hex("55555555555555555555555555555555").data()), kStoreFailed);
    EXPECT_EQ(ReadHex(card, 5), std::string(32, '0'));
    EXPECT_EQ(card.Decrement(4, 10), kStoreFailed);
    EXPECT_EQ(card.InitValue(6, 1), kStoreFailed);
    int32_t value = 0;
    ASSERT_EQ(card.ReadValue(4, &value), kOk);
    EXPECT_EQ(value, 100);
    EXPECT_EQ(Refused(card, card.ReadValue(6, &value), 4), kNotValueBlock);
    EXPECT_EQ(card.WriteBlock(7, Hex("111111111111FF078069FFFFFFFFFFFF").data()), kStoreFailed);
    ASSERT_EQ(Activate(card), kOk);
    EXPECT_EQ(AuthA(card, 4), kOk);
}
