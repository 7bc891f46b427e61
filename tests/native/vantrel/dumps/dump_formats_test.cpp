#include "vantrel/dumps/dump_formats.h"

#include <gtest/gtest.h>

#include "common/mifare_layout.h"

#include <string>

#include "support/hex_bytes.h"
#include "vantrel/dumps/key_list.h"

using namespace dumps;
using test_hex::Hex;

namespace {

// A Mifare 1K dump with sector 3 unread and the keys of the others.
CardDump MifareDump() {
    const DumpLayout& layout = *FindDumpLayout(1);
    CardDump dump = EmptyDump(layout, L"Mifare_1K");
    dump.uid = Hex("8E3A21F0");
    dump.time = L"2024-05-01 14:03:59";
    for (int block = 0; block < layout.unitCount; ++block) {
        if (mifare::SectorOfBlock(block) == 3) continue;
        dump.units[block].read = true;
        for (int i = 0; i < 16; ++i) dump.units[block].data[i] = static_cast<uint8_t>(block * 16 + i);
    }
    for (int sector = 0; sector < 16; ++sector) {
        if (sector != 3) dump.keys.push_back({sector, sector == 5, {1, 2, 3, 4, 5, static_cast<uint8_t>(sector)}});
    }
    return dump;
}

CardDump VicinityDump() {
    CardDump dump = EmptyDump(*FindDumpLayout(10), L"I.CODE SLI");
    dump.uid = Hex("3B6E9215080104E0");
    for (int block = 0; block < 28; ++block) {
        if (block == 7) continue;
        dump.units[block] = {Hex("A1B2C3D4"), true, {static_cast<uint8_t>(block == 2)}};
    }
    return dump;
}

ParsedDump Read(DumpFormat format, const std::string& content, int rawCode = 1) {
    return ReadDump(format, content, *FindDumpLayout(rawCode), L"Mifare_1K");
}

class EachTextFormat : public ::testing::TestWithParam<DumpFormat> {};

TEST_P(EachTextFormat, ReadsBackWhatItWroteUnreadUnitsKeysStatusAndNames) {
    for (CardDump dump : {MifareDump(), VicinityDump()}) {
        dump.cardName = L"卡 \U0001F4B3";  // names outside ASCII survive UTF-8
        const ParsedDump back = Read(GetParam(), WriteDump(GetParam(), dump));
        ASSERT_TRUE(back.dump) << std::string(back.error.begin(), back.error.end());
        EXPECT_EQ(*back.dump, dump);
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, EachTextFormat, ::testing::Values(DumpFormat::HexLines, DumpFormat::Json));

TEST(RawImage, HoldsUnreadUnitsAsZerosAndTakesOnlyTheCardsExactSize) {
    const CardDump dump = MifareDump();
    const std::string image = WriteDump(DumpFormat::Raw, dump);
    ASSERT_EQ(image.size(), 1024u);
    EXPECT_EQ(image.substr(3 * 64, 64), std::string(64, '\0'));

    const ParsedDump back = Read(DumpFormat::Raw, image);
    ASSERT_TRUE(back.dump);
    EXPECT_EQ(UnreadCount(*back.dump), 0);
    EXPECT_EQ(MemoryImage(*back.dump), MemoryImage(dump));

    EXPECT_EQ(Read(DumpFormat::Raw, image + '\0').error, L"offset 1,024: the file has 1,025 bytes; a Mifare_1K image has 1,024");
    EXPECT_EQ(Read(DumpFormat::Raw, image.substr(1)).error, L"offset 1,023: the file has 1,023 bytes; a Mifare_1K image has 1,024");
    EXPECT_FALSE(Read(DumpFormat::Raw, image, 2).dump);  // a 1K image is no 4K dump
}

TEST(RawImage, TakesTheUidFromBlockZeroOnlyWhenItsCheckByteFits) {
    CardDump dump = MifareDump();
    dump.units[0].data = Hex("8E3A21F0656804006263646566676869");
    EXPECT_EQ(Read(DumpFormat::Raw, WriteDump(DumpFormat::Raw, dump)).dump->uid, Hex("8E3A21F0"));
    dump.units[0].data[4] ^= 1;
    EXPECT_TRUE(Read(DumpFormat::Raw, WriteDump(DumpFormat::Raw, dump)).dump->uid.empty());
}

TEST(HexLines, NameTheLineOfWhatIsWrong) {
    const std::string header = "# card type: 27 SRI64\n";
    std::string units;
    for (int i = 0; i < 14; ++i) units += "0A | 00\n";
    EXPECT_TRUE(Read(DumpFormat::HexLines, header + units).dump);

    const auto errorOf = [&](const std::string& text) { return Read(DumpFormat::HexLines, text).error; };
    EXPECT_EQ(errorOf(units), L"line 1: a unit before the card type line");
    EXPECT_EQ(errorOf(header + "0G | 00\n"), L"line 2: not hexadecimal");
    EXPECT_EQ(errorOf(header + "0A0B | 00\n"), L"line 2: 4 digits; a unit of this card type has 2");
    EXPECT_EQ(errorOf(header + "0 | 00\n"), L"line 2: 1 digits; a unit of this card type has 2");
    EXPECT_EQ(errorOf(header + "0- | 00\n"), L"line 2: a unit is read or not read as a whole");
    EXPECT_EQ(errorOf(header + "-- | 00\n"), L"line 2: the status after \"|\" is 1 bytes of a read unit");
    EXPECT_EQ(errorOf(header + "0A | 0000\n"), L"line 2: the status after \"|\" is 1 bytes of a read unit");
    EXPECT_EQ(errorOf(header + units + "0A | 00\n"), L"line 16: more units than the 14 of this card type");
    EXPECT_EQ(errorOf(header + units.substr(8)), L"after line 14: 13 units; a dump of this card type has 14");
    EXPECT_EQ(errorOf("# card type: 3 AT88RF020\n"), L"line 1: card type 3 has no dumps");
    EXPECT_EQ(errorOf(header + "# card type: 27\n"), L"line 2: a second card type, or one after the units");
    EXPECT_EQ(errorOf("# card type: 1\n# key: sector 1 C FFFFFFFFFFFF\n"),
              L"line 2: a key line is \"sector N A|B KEY\" with a key of 12 hexadecimal digits");
    EXPECT_EQ(errorOf("\r\n# card type: 1\r\n# uid: 8E3A21F\r\n"), L"line 3: the UID is not hexadecimal");
    EXPECT_EQ(errorOf(""), L"no \"# card type:\" line");
}

TEST(Json, NamesThePositionOfASyntaxErrorAndThePathOfAWrongValue) {
    std::string json = WriteDump(DumpFormat::Json, VicinityDump());
    const auto errorOf = [&](const std::string& text) { return Read(DumpFormat::Json, text).error; };

    EXPECT_EQ(errorOf("{\n \"format\": \"vantrel-card-dump\",\n \"version\": 1,,\n}"), L"line 3, column 15: not valid JSON");
    EXPECT_EQ(errorOf("[1]"), L"the file is not a JSON object");

    std::string shortUnit = json;
    shortUnit.replace(shortUnit.find("A1B2C3D4"), 8, "A1B2C3");
    EXPECT_EQ(errorOf(shortUnit), L"block 0: 3 bytes, not 4");

    std::string badStatus = json;
    badStatus.replace(badStatus.find("\"status\": \"00\""), 14, "\"status\": 0");
    EXPECT_EQ(errorOf(badStatus), L"units[0].status is not a string");

    std::string wrongSize = json;
    wrongSize.replace(wrongSize.find("\"unitSize\": 4"), 13, "\"unitSize\": 8");
    EXPECT_EQ(errorOf(wrongSize), L"\"unitSize\" is not 4, this card type's");
    EXPECT_EQ(errorOf(json.substr(0, json.size() / 2)).substr(0, 5), L"line ");
}

TEST(Json, RefusesLockBytesThatDisagreeWithTheirPage) {
    CardDump tag = EmptyDump(*FindDumpLayout(0), L"UltraLight");
    for (DumpUnit& unit : tag.units) unit = {Hex("01020304"), true, {}};
    std::string json = WriteDump(DumpFormat::Json, tag);
    ASSERT_NE(json.find("\"lockBytes\": \"0304\""), std::string::npos);
    json.replace(json.find("\"lockBytes\": \"0304\""), 19, "\"lockBytes\": \"0300\"");
    EXPECT_EQ(Read(DumpFormat::Json, json).error, L"\"lockBytes\" differ from the lock bytes in the units");
}

TEST(KeyList, TakesKeysOnceSkipsCommentsAndNamesTheBadLine) {
    const KeyList list = ParseKeyList("# keys\r\n\r\nffffffffffff # factory\r\n  A0A1A2A3A4A5\nFFFFFFFFFFFF\n");
    ASSERT_EQ(list.keys.size(), 2u);
    EXPECT_EQ(list.keys[0], (MifareKey{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(list.keys[1], (MifareKey{0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5}));

    EXPECT_EQ(ParseKeyList("FFFFFFFFFFFF\nFFFFFFFFFFF\n").error, L"line 2: a key is 12 hexadecimal digits");
    EXPECT_EQ(ParseKeyList("FFFFFFFFFFFFF\n").error, L"line 1: a key is 12 hexadecimal digits");
    EXPECT_EQ(ParseKeyList("FF FF FF FF FF FF\n").error, L"line 1: a key is 12 hexadecimal digits");
    EXPECT_FALSE(ParseKeyList(std::string(kMaxKeyListSize + 1, '#')).error.empty());
    EXPECT_TRUE(ParseKeyList(std::string(kMaxKeyListSize, '#')).error.empty());
}

}  // namespace
