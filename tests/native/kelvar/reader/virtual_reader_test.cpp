#include "kelvar/reader/virtual_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "kelvar/cards/ultralight_tag.h"
#include "kelvar/reader/des_calculator.h"
#include "kelvar/reader/reader_config.h"
#include "support/hex_bytes.h"

namespace fs = std::filesystem;
using namespace kelvar;
using test_hex::Hex;
using test_hex::ToHex;

namespace {

constexpr uint16_t kBuiltIn[4] = {0, 0, 0, 0};

FieldConfig InMemory(std::vector<CardKind> field) { return FieldConfig{{}, std::move(field)}; }

// Request all, anticollision and select, as a search does.
Status SearchMifare(VirtualReader& reader) {
    Iso14443aField& field = reader.TypeA();
    uint8_t atqa[2], uid[10], length = 0, sak = 0;
    if (Status s = field.Request(Iso14443aField::kRequestAll, atqa); s != kOk) return s;
    if (Status s = field.Anticoll(uid, &length); s != kOk) return s;
    return field.Select(uid, length, &sak);
}

Status SearchTag(VirtualReader& reader) {
    uint8_t atqa[2], uid[10], length = 0;
    if (Status s = reader.TypeA().Request(Iso14443aField::kRequestAll, atqa); s != kOk) return s;
    return reader.TypeA().UltralightSelect(uid, &length);
}

TEST(VirtualReader, OnlyTheBuiltInAddressOpens) {
    VirtualReader reader(InMemory({}));
    // The reader itself never connects anywhere: other addresses are the
    // library's network client's.
    const uint16_t network[4] = {127, 0, 0, 1};
    const uint16_t tooBig[4] = {0, 256, 0, 0};
    EXPECT_EQ(reader.Open(2000, network), kConnectFailed);
    EXPECT_EQ(reader.Open(2000, tooBig), kBadArgument);
    EXPECT_EQ(reader.Open(2000, nullptr), kBadArgument);
    EXPECT_FALSE(reader.IsOpen());
    EXPECT_EQ(reader.Open(0, kBuiltIn), kOk);
    EXPECT_TRUE(reader.IsOpen());
    reader.Close();
    EXPECT_FALSE(reader.IsOpen());
    EXPECT_EQ(reader.Beep(1), kNotOpen);
}

TEST(VirtualReader, CardsAnswerOnlyWhileConnectedWithAntennaOnInModeA) {
    VirtualReader reader(InMemory({CardKind::kMifare1K}));
    EXPECT_EQ(SearchMifare(reader), kNoCard);  // not connected
    ASSERT_EQ(reader.Open(0, kBuiltIn), kOk);
    ASSERT_EQ(SearchMifare(reader), kOk);

    ASSERT_EQ(reader.SetAntenna(0), kOk);
    EXPECT_EQ(reader.TypeA().SelectedKind(), std::nullopt);
    EXPECT_EQ(SearchMifare(reader), kNoCard);
    ASSERT_EQ(reader.SetAntenna(1), kOk);
    ASSERT_EQ(SearchMifare(reader), kOk);

    ASSERT_EQ(reader.SetRfMode(kRfModeB), kOk);
    EXPECT_EQ(reader.TypeA().SelectedKind(), std::nullopt);
    EXPECT_EQ(SearchMifare(reader), kNoCard);
    ASSERT_EQ(reader.SetRfMode(kRfModeA), kOk);
    EXPECT_EQ(SearchMifare(reader), kOk);

    // A card that stays selected through a repeated antenna-on.
    ASSERT_EQ(reader.SetAntenna(1), kOk);
    EXPECT_EQ(reader.TypeA().SelectedKind(), CardKind::kMifare1K);
}

TEST(VirtualReader, AntennaOffWakesHaltedCards) {
    VirtualReader reader(InMemory({CardKind::kUltraLight}));
    ASSERT_EQ(reader.Open(0, kBuiltIn), kOk);
    ASSERT_EQ(SearchTag(reader), kOk);
    ASSERT_EQ(reader.TypeA().Halt(), kOk);
    uint8_t atqa[2];
    EXPECT_EQ(reader.TypeA().Request(Iso14443aField::kRequestIdle, atqa), kNoCard);
    ASSERT_EQ(reader.SetAntenna(0), kOk);
    ASSERT_EQ(reader.SetAntenna(1), kOk);
    EXPECT_EQ(reader.TypeA().Request(Iso14443aField::kRequestIdle, atqa), kOk);
}

TEST(VirtualReader, EachFieldAnswersInItsOwnRfModeAndFramesGoToThatFieldsCard) {
    VirtualReader reader(InMemory(DefaultFieldOrder()));
    ASSERT_EQ(reader.Open(0, kBuiltIn), kOk);
    uint8_t out[256], length = 0;
    const Bytes readLabel = Hex("00B0810018");  // the root label ends in the card's type
    const auto labelType = [&] {
        if (reader.Exchange(readLabel.data(), 5, out, &length) != kOk || length != 26) return '?';
        return static_cast<char>(out[23]);
    };

    ASSERT_EQ(reader.SetRfMode(kRfModeB), kOk);
    ASSERT_EQ(reader.TypeB().RequestAndAttach(Iso14443bField::kRequestIdle, out, &length), kOk);
    EXPECT_EQ(reader.Vicinity().Inventory(out, &length), kNoCard);
    EXPECT_EQ(labelType(), 'B');

    ASSERT_EQ(reader.SetRfMode(kRfModeA), kOk);
    EXPECT_EQ(labelType(), '?');  // the type B card lost power
    ASSERT_EQ(reader.TypeA().ActivateIsoDep(Iso14443aField::kRequestAll, 4, out, &length), kOk);
    EXPECT_EQ(labelType(), 'A');
    ASSERT_EQ(reader.Deselect(), kOk);
    EXPECT_EQ(reader.Deselect(), kNotSelected);

    ASSERT_EQ(reader.SetRfMode(kRfModeIso15693), kOk);
    ASSERT_EQ(reader.Vicinity().Inventory(out, &length), kOk);
    EXPECT_EQ(length, 6 * 9);
    ASSERT_EQ(reader.SetAntenna(0), kOk);
    EXPECT_EQ(reader.Vicinity().Inventory(out, &length), kNoCard);

    // The contact slot does not need the antenna; closing powers it down.
    ASSERT_EQ(reader.Contact().PowerUp(), kOk);
    ASSERT_EQ(reader.Contact().Read(0, 128, out), kOk);
    reader.Close();
    ASSERT_EQ(reader.Open(0, kBuiltIn), kOk);
    EXPECT_EQ(reader.Contact().Read(0, 128, out), kNotSelected);
}

class VirtualReaderFolder : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("kelvar_virtual_" + std::string(
            ::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    fs::path folder_;
};

TEST_F(VirtualReaderFolder, CardsAndDeviceNumberPersistInTheImageFolder) {
    const FieldConfig config{folder_, DefaultFieldOrder()};
    const Bytes key = Hex("FFFFFFFFFFFF");
    const Bytes block = Hex("00112233445566778899AABBCCDDEEFF");
    const Bytes page = Hex("CAFEF00D");
    {
        VirtualReader reader(config);
        ASSERT_EQ(reader.Open(0, kBuiltIn), kOk);
        ASSERT_EQ(reader.SetDeviceNumber(0x3412), kOk);
        ASSERT_EQ(SearchMifare(reader), kOk);
        ASSERT_EQ(reader.TypeA().Authenticate(0x60, 4, key.data()), kOk);
        ASSERT_EQ(reader.TypeA().Write(5, block.data()), kOk);
        ASSERT_EQ(reader.TypeA().InitValue(4, 100), kOk);
        ASSERT_EQ(SearchTag(reader), kOk);
        ASSERT_EQ(reader.TypeA().UltralightWrite(7, page.data()), kOk);
    }
    EXPECT_TRUE(fs::exists(folder_ / kMifare4KImageName));

    VirtualReader reader(config);
    ASSERT_EQ(reader.Open(0, kBuiltIn), kOk);
    uint8_t number[2];
    ASSERT_EQ(reader.Device().GetDeviceNumber(number), kOk);
    EXPECT_EQ(ToHex(number), "1234");
    ASSERT_EQ(SearchMifare(reader), kOk);
    ASSERT_EQ(reader.TypeA().Authenticate(0x60, 4, key.data()), kOk);
    uint8_t data[16];
    ASSERT_EQ(reader.TypeA().Read(5, data), kOk);
    EXPECT_EQ(ToHex(data), ToHex(block));
    int32_t value = 0;
    ASSERT_EQ(reader.TypeA().ReadValue(4, &value), kOk);
    EXPECT_EQ(value, 100);
    ASSERT_EQ(SearchTag(reader), kOk);
    ASSERT_EQ(reader.TypeA().Read(4, data), kOk);
    EXPECT_EQ(ToHex(data).substr(24), "CAFEF00D");
}

TEST_F(VirtualReaderFolder, ConfigWithoutFieldLineUsesTheDefaultOrder) {
    fs::create_directories(folder_);
    std::ofstream(folder_ / "Kelvar.ini") << "images = cards\n";
    const FieldConfig named = LoadFieldConfig(folder_ / "Kelvar.ini", folder_);
    EXPECT_EQ(named.imageFolder, folder_ / "cards");
    EXPECT_EQ(named.field, DefaultFieldOrder());
    EXPECT_EQ(LoadFieldConfig(folder_ / "missing.ini", folder_).field, DefaultFieldOrder());

    std::ofstream(folder_ / "Kelvar.ini") << "field = mifare1k, ultralight\n";
    const FieldConfig listed = LoadFieldConfig(folder_ / "Kelvar.ini", folder_);
    EXPECT_EQ(listed.field, (std::vector{CardKind::kMifare1K, CardKind::kUltraLight}));
}

TEST_F(VirtualReaderFolder, PlacingFactoryContentAndTheFollowSetting) {
    fs::create_directories(folder_);
    const fs::path ini = folder_ / "Kelvar.ini";
    std::ofstream(ini, std::ios::binary) << "# desk\r\nfield = mifare1k, ultralight\r\ncontact = at24c01";
    const FieldConfig config = LoadFieldConfig(ini, folder_);
    const Bytes page = Hex("CAFEF00D");
    {
        VirtualReader reader(config);
        ASSERT_EQ(reader.Open(0, kBuiltIn), kOk);
        ASSERT_TRUE(reader.Card(CardKind::kMifare1K));
        EXPECT_TRUE(reader.Card(CardKind::kMifare1K)->placed);
        EXPECT_EQ(ToHex(reader.Card(CardKind::kMifare1K)->identity), "C25E197A");
        EXPECT_TRUE(reader.Card(CardKind::kAt24c01)->identity.empty());
        EXPECT_FALSE(reader.Card(CardKind::kDesFire));
        EXPECT_FALSE(reader.Card(CardKind::kAt24c64));

        // The selected Mifare card taken away (and a card the reader does
        // not hold named): it answers nothing from the next command on.
        ASSERT_EQ(SearchMifare(reader), kOk);
        const CardKind tagOnly[] = {CardKind::kUltraLight, CardKind::kDesFire};
        reader.PlaceOnly(tagOnly);
        EXPECT_FALSE(reader.Card(CardKind::kMifare1K)->placed);
        EXPECT_FALSE(reader.Card(CardKind::kAt24c01)->placed);
        uint8_t block[16];
        EXPECT_EQ(reader.TypeA().Read(4, block), kNotSelected);
        ASSERT_EQ(SearchTag(reader), kOk);
        ASSERT_EQ(reader.TypeA().UltralightWrite(7, page.data()), kOk);

        // Factory content: the written page is gone, and the tag starts over.
        ASSERT_EQ(reader.FactoryReset(CardKind::kUltraLight), kOk);
        uint8_t data[16];
        EXPECT_EQ(reader.TypeA().Read(4, data), kNotSelected);
        ASSERT_EQ(SearchTag(reader), kOk);
        ASSERT_EQ(reader.TypeA().Read(4, data), kOk);
        EXPECT_EQ(ToHex(data).substr(24), "00000000");
        EXPECT_EQ(reader.FactoryReset(CardKind::kDesFire), kNoCard);

        EXPECT_TRUE(reader.FollowsCardType());
        ASSERT_EQ(reader.SetFollowsCardType(false), kOk);
        EXPECT_FALSE(reader.FollowsCardType());
    }
    std::ifstream in(ini, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, "# desk\r\nfield = mifare1k, ultralight\r\ncontact = at24c01\r\nfollow = no\r\n");

    // A new reader: every card placed again, the page as the factory left it.
    VirtualReader reader(LoadFieldConfig(ini, folder_));
    EXPECT_FALSE(reader.FollowsCardType());
    EXPECT_TRUE(reader.Card(CardKind::kMifare1K)->placed);
    ASSERT_EQ(reader.Open(0, kBuiltIn), kOk);
    const CardKind tagOnly[] = {CardKind::kUltraLight};
    reader.PlaceOnly(tagOnly);
    ASSERT_EQ(SearchTag(reader), kOk);
    uint8_t data[16];
    ASSERT_EQ(reader.TypeA().Read(4, data), kOk);
    EXPECT_EQ(ToHex(data).substr(24), "00000000");
}

TEST(FollowSetting, ReplacesTheLastFollowLineOrAddsOne) {
    EXPECT_EQ(WithFollowSetting("", true), "follow = yes\n");
    EXPECT_EQ(WithFollowSetting("images = x", false), "images = x\nfollow = no\n");
    EXPECT_EQ(WithFollowSetting("Follow = no # mine\nfield = sr176\n", true), "follow = yes\nfield = sr176\n");
    EXPECT_EQ(WithFollowSetting("follow = no\r\nfollow = no\r\n", true), "follow = no\r\nfollow = yes\r\n");
    // A comment that names the key is not a setting.
    EXPECT_EQ(WithFollowSetting("# follow = no\n", true), "# follow = no\nfollow = yes\n");
    for (const char* text : {"follow = no", "follow = yes\nx = 1", "follow=0\r\n"}) {
        const bool want = std::string(text).find("yes") == std::string::npos;
        EXPECT_EQ(ParseFieldConfig(WithFollowSetting(text, want), "dll").followCardType, want) << text;
    }
    const FieldConfig odd = ParseFieldConfig("follow = maybe", "dll");
    EXPECT_TRUE(odd.followCardType);
    EXPECT_EQ(odd.notes.size(), 1u);
}

TEST(DesCalculator, SingleAndTwoKeyTripleDesInPlaceAndBack) {
    Bytes data = Hex("0123456789ABCDEF");
    const Bytes key8 = Hex("133457799BBCDFF1");
    ASSERT_EQ(RunDesCalculator(DesDirection::kEncipher, data.data(), data.data(), 8, key8.data(), 8), kOk);
    EXPECT_EQ(ToHex(data), "85E813540F0AB405");

    const Bytes plain = Hex("0123456789ABCDEF0011223344556677");
    const Bytes key16 = Hex("0123456789ABCDEFFEDCBA9876543210");
    Bytes out(16), back(16);
    ASSERT_EQ(RunDesCalculator(DesDirection::kEncipher, out.data(), plain.data(), 16, key16.data(), 16), kOk);
    EXPECT_EQ(ToHex(out), "1A4D672DCA6CB33531A7364CAC91CA39");
    ASSERT_EQ(RunDesCalculator(DesDirection::kDecipher, back.data(), out.data(), 16, key16.data(), 16), kOk);
    EXPECT_EQ(back, plain);
}

TEST(DesCalculator, RefusesBadLengthsAndWritesNothing) {
    const Bytes data(24, 0x5A);
    const Bytes key(24, 0x01);
    Bytes out(24, 0xEE);
    EXPECT_EQ(RunDesCalculator(DesDirection::kEncipher, out.data(), data.data(), 0, key.data(), 8), kBadArgument);
    EXPECT_EQ(RunDesCalculator(DesDirection::kEncipher, out.data(), data.data(), 12, key.data(), 8), kBadArgument);
    EXPECT_EQ(RunDesCalculator(DesDirection::kEncipher, out.data(), data.data(), 8, key.data(), 24), kBadArgument);
    EXPECT_EQ(RunDesCalculator(DesDirection::kDecipher, out.data(), data.data(), 8, nullptr, 8), kBadArgument);
    EXPECT_EQ(out, Bytes(24, 0xEE));
}

}  // namespace
