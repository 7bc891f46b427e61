// The read and write plans against the library's virtual cards, called
// through the exports as the program calls Kelvar.dll.
#include "vantrel/dumps/dump_plans.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "kelvar/api/exports.h"
#include "support/hex_bytes.h"
#include "support/library_reader.h"
#include "vantrel/dumps/dump_compare.h"

using namespace dumps;
using kelvar::CardKind;
using test_hex::Hex;

namespace {

// Every call goes to the exports; the blocks written are noted.
class ExportLink : public CardLink {
public:
#define EXPORT_LINK_CALL(name, params, args) \
    int32_t name params override {           \
        ++calls;                             \
        return ::name(DUMP_LINK_DEVICE_AND args); \
    }
    DUMP_LINK_FUNCTIONS(EXPORT_LINK_CALL)
#undef EXPORT_LINK_CALL
    void Wait(unsigned) override {}

    int calls = 0;
};

class MifareWrites : public ExportLink {
public:
    int32_t rf_M1_write(uint8_t block, const uint8_t* data) override {
        written.push_back(block);
        return ExportLink::rf_M1_write(block, data);
    }
    std::vector<int> written;
};

class Going : public DumpProgress {
public:
    bool Step(int, int, const std::wstring&) override { return ++steps <= stopAfter; }
    int steps = 0;
    int stopAfter = 1 << 30;
};

const MifareKey kTransport{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
const std::vector<MifareKey> kShippedKeys{kTransport, {0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5}, {0xD3, 0xF7, 0xD3, 0xF7, 0xD3, 0xF7}};

ReadRequest RequestFor(int code, std::vector<MifareKey> keys = {}, CardSecrets secrets = {}) {
    ReadRequest request;
    request.layout = FindDumpLayout(code);
    request.cardName = L"card " + std::to_wstring(code);
    request.listKeys = std::move(keys);
    request.secrets = std::move(secrets);
    return request;
}

CardDump Read(CardLink& link, const ReadRequest& request) {
    Going going;
    ReadResult result = ReadCard(link, going, request);
    EXPECT_FALSE(result.failure) << std::string(result.failure.message.begin(), result.failure.message.end());
    return result.dump;
}

// Selects the Mifare card and writes `block` after opening its sector with key A `key`.
void WriteMifareBlock(int block, const MifareKey& key, const Bytes& data) {
    uint16_t type = 0;
    uint8_t uid[16], length = 0, sak = 0;
    rf_halt(0);  // whatever state a read left the card in
    ASSERT_EQ(rf_request(0, 0x52, &type), 0);
    ASSERT_EQ(rf_anticoll(0, 4, uid, &length), 0);
    ASSERT_EQ(rf_select(0, uid, length, &sak), 0);
    const int sector = block < 128 ? block / 4 : 32 + (block - 128) / 16;
    const int first = sector < 32 ? 4 * sector : 128 + 16 * (sector - 32);
    ASSERT_EQ(rf_M1_authentication2(0, 0x60, static_cast<uint8_t>(first), key.data()), 0);
    Bytes block16 = data;
    block16.resize(16);
    ASSERT_EQ(rf_M1_write(0, static_cast<uint8_t>(block), block16.data()), 0);
    ASSERT_EQ(rf_halt(0), 0);
}

Bytes Trailer(const std::string& keyA, const std::string& keyB) { return Hex(keyA + "FF078069" + keyB); }

TEST(MifarePlan, FindsEachSectorsKeyInOrderLeavesUnknownOnesUnreadAndWritesBackOnlyWhatDiffers) {
    test_library::UseReader({CardKind::kMifare4K});
    ASSERT_EQ(rf_antenna_sta(0, 1), 0);
    ASSERT_EQ(rf_init_type(0, 'A'), 0);
    WriteMifareBlock(23, kTransport, Trailer("D3F7D3F7D3F7", "FFFFFFFFFFFF"));  // sector 5: the third key
    WriteMifareBlock(31, kTransport, Trailer("112233445566", "112233445566"));  // sector 7: no key known
    WriteMifareBlock(20, kShippedKeys[2], Hex("0102030405060708090A0B0C0D0E0F10"));

    MifareWrites link;
    const ReadRequest request = RequestFor(2, kShippedKeys);
    const CardDump saved = Read(link, request);
    EXPECT_EQ(saved.uid.size(), 4u);
    EXPECT_EQ(UnreadCount(saved), 4);
    EXPECT_FALSE(saved.units[28].read);
    EXPECT_EQ(saved.units[20].data, Hex("0102030405060708090A0B0C0D0E0F10"));
    ASSERT_NE(KeyOfSector(saved, 5), nullptr);
    EXPECT_EQ(*KeyOfSector(saved, 5), (SectorKey{5, false, kShippedKeys[2]}));
    EXPECT_EQ(KeyOfSector(saved, 7), nullptr);
    EXPECT_EQ(saved.units[23].data, Trailer("D3F7D3F7D3F7", "FFFFFFFFFFFF"));  // the hidden key A filled in
    EXPECT_EQ(saved.keys.size(), 39u);

    // The operator changes blocks on the panel; the file goes back.
    WriteMifareBlock(21, kShippedKeys[2], Hex("AA"));
    WriteMifareBlock(130, kTransport, Hex("BB"));
    ReadRequest again = RequestFor(2, kShippedKeys);
    again.keysFrom = &saved;
    const CardDump card = Read(link, again);
    const WritePlan plan = PlanWrite(*request.layout, saved, card, false);
    EXPECT_TRUE(plan.refusal.empty());
    EXPECT_EQ(plan.units, (std::vector<int>{21, 130}));
    Going going;
    const WriteResult result = WriteUnits(link, going, again, saved, card, plan.units);
    EXPECT_FALSE(result.failure);
    EXPECT_EQ(result.written, plan.units);
    EXPECT_EQ(link.written, plan.units);  // nothing of sector 7 or elsewhere

    const CardDump after = Read(link, again);
    EXPECT_TRUE(CompareDumps(saved, after).differing.empty());
}

TEST(MifarePlan, RefusesAFileWithAnInconsistentTrailerBeforeAnyWrite) {
    test_library::UseReader({CardKind::kMifare1K});
    MifareWrites link;
    const ReadRequest request = RequestFor(1, {kTransport});
    CardDump file = Read(link, request);
    const CardDump card = file;
    file.units[5].data[0] ^= 0xFF;
    file.units[7].data[6] ^= 0x01;  // one bit of C1 without its inverted copy
    const WritePlan plan = PlanWrite(*request.layout, file, card, true);
    EXPECT_EQ(plan.refusal, L"the trailer of sector 1 (block 7) has access bits that are not consistent");
    EXPECT_TRUE(plan.units.empty());
    EXPECT_TRUE(link.written.empty());
}

TEST(WritePlanRules, KeepTheMakersUnitsUnreadUnitsAndProtectedAreasUnlessAsked) {
    const DumpLayout& layout = *FindDumpLayout(29);  // NTAG203
    CardDump card = EmptyDump(layout, L"Ntag203");
    for (DumpUnit& unit : card.units) unit = {Hex("00000000"), true, {}};
    CardDump file = card;
    for (int page : {0, 2, 3, 4, 39, 40, 41}) file.units[page].data = Hex("01000000");
    file.units[5] = {Hex("00000000"), false, {}};
    card.units[6].read = false;
    file.units[6].data = Hex("02000000");

    const WritePlan plain = PlanWrite(layout, file, card, false);
    EXPECT_EQ(plain.units, (std::vector<int>{4, 39}));
    EXPECT_EQ(plain.protectedUnits, (std::vector<int>{2, 3, 40, 41}));
    EXPECT_EQ(plain.fixed, std::vector<int>{0});
    EXPECT_EQ(plain.notOpened, std::vector<int>{6});
    EXPECT_EQ(PlanWrite(layout, file, card, true).units, (std::vector<int>{2, 3, 4, 39, 40, 41}));
}

TEST(WritePlanRules, AMifareTrailerGoesBackOnlyWithBothItsKeysKnown) {
    const DumpLayout& layout = *FindDumpLayout(1);
    CardDump card = EmptyDump(layout, L"Mifare_1K");
    for (int block = 0; block < 64; ++block) {
        card.units[block] = {block % 4 == 3 ? Hex("FFFFFFFFFFFFFF078069FFFFFFFFFFFF") : Bytes(16, 0), true, {}};
    }
    CardDump file = card;
    // Sector 1 opened with key B: key A is the card's secret. Sector 2 opened
    // with key A under access bits that hide key B; sector 3 under the
    // transport bits, where key A reads key B.
    file.units[7].data = Hex("000000000000FF078069B1B2B3B4B5B6");
    file.units[11].data = Hex("A1A2A3A4A5A67F078869000000000000");
    file.units[15].data = Hex("A1A2A3A4A5A6FF078069B1B2B3B4B5B6");
    file.keys = {{1, true, {0xB1, 0xB2, 0xB3, 0xB4, 0xB5, 0xB6}}, {2, false, {0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6}},
                 {3, false, {0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6}}};
    const WritePlan plan = PlanWrite(layout, file, card, true);
    EXPECT_EQ(plan.units, std::vector<int>{15});
    EXPECT_EQ(plan.fixed, (std::vector<int>{7, 11}));
    file.keys.clear();  // a raw image carries its keys in its trailers
    EXPECT_EQ(PlanWrite(layout, file, card, true).units, (std::vector<int>{7, 11, 15}));
}

TEST(WritePlanRules, SkipBlocksTheTagReportsLocked) {
    const DumpLayout& layout = *FindDumpLayout(10);
    CardDump card = EmptyDump(layout, L"I.CODE SLI");
    for (DumpUnit& unit : card.units) unit = {Hex("00000000"), true, {0x00}};
    card.units[3].status = {0x01};
    CardDump file = card;
    file.units[3].data = file.units[4].data = Hex("FFFFFFFF");
    const WritePlan plan = PlanWrite(layout, file, card, true);
    EXPECT_EQ(plan.units, std::vector<int>{4});
    EXPECT_EQ(plan.locked, std::vector<int>{3});
}

struct Card {
    int code;
    CardKind kind;
    std::string contact;
    int changedUnit;  // a data unit the round trip changes
};

class EachFamily : public ::testing::TestWithParam<Card> {};

TEST_P(EachFamily, ReadsTheWholeCardAndWritesAChangedUnitBack) {
    const Card& card = GetParam();
    test_library::UseReader({card.kind}, card.contact);
    CardSecrets secrets;
    secrets.password = Hex("A1A1A1");  // the AT88SC1608's zone 1
    secrets.passwordIndex = 1;
    ExportLink link;
    const ReadRequest request = RequestFor(card.code, {kTransport}, secrets);
    const CardDump before = Read(link, request);
    ASSERT_TRUE(before.units[card.changedUnit].read);

    CardDump file = before;
    for (uint8_t& byte : file.units[card.changedUnit].data) byte ^= 0x5A;
    const WritePlan plan = PlanWrite(*request.layout, file, before, false);
    ASSERT_EQ(plan.units, std::vector<int>{card.changedUnit});
    Going going;
    const WriteResult result = WriteUnits(link, going, request, file, before, plan.units);
    EXPECT_FALSE(result.failure) << result.failure.status << ' ' << std::string(result.failure.function, result.failure.function + 3);
    EXPECT_EQ(result.written, plan.units);

    const CardDump after = Read(link, request);
    EXPECT_EQ(after.uid, before.uid);
    EXPECT_TRUE(CompareDumps(file, after).differing.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Plans, EachFamily,
    ::testing::Values(Card{1, CardKind::kMifare1K, "", 1}, Card{0, CardKind::kUltraLight, "", 4},
                      Card{29, CardKind::kNtag203, "", 39}, Card{28, CardKind::kUltraLightC, "", 4},
                      Card{10, CardKind::kICodeSli, "", 27}, Card{9, CardKind::kTagIt, "", 63},
                      Card{26, CardKind::kSrf55V01P, "", 17}, Card{22, CardKind::kSrf55V02P, "", 31},
                      Card{23, CardKind::kSrf55V10P, "", 127}, Card{27, CardKind::kSri64, "", 13},
                      Card{4, CardKind::kSr176, "", 14}, Card{5, CardKind::kSrix4K, "", 127},
                      Card{19, CardKind::kSr176, "at24c64", 511}, Card{13, CardKind::kSr176, "at24c01", 7},
                      Card{20, CardKind::kSr176, "at88sc1608", 16 + 32 + 31}));

TEST(ReadPlans, ZonesThePasswordsDoNotOpenStayUnread) {
    test_library::UseReader({}, "at88sc1608");
    ExportLink link;
    const CardDump dump = Read(link, RequestFor(20));
    EXPECT_TRUE(dump.units[16].read);        // zone 0 needs no password
    EXPECT_FALSE(dump.units[16 + 32].read);  // zone 1 does
    EXPECT_FALSE(dump.units[8].read);        // nor the password sets without the secure code
    EXPECT_TRUE(dump.units[3].read);
}

// A link whose answers to one function are a byte too long or too short.
class Misreading : public ExportLink {
public:
    explicit Misreading(int delta) : delta_(delta) {}
    int32_t rf_M1_read(uint8_t block, uint8_t* out, uint8_t* length) override {
        const int32_t status = ExportLink::rf_M1_read(block, out, length);
        *length = static_cast<uint8_t>(*length + delta_);
        return status;
    }
    int32_t AT24_read(uint32_t, uint32_t, uint8_t*) override { return 0x14; }

private:
    int delta_;
};

TEST(ReadPlans, AnAnswerOfTheWrongLengthOrAFailedCallEndsTheReadWithNothingShown) {
    for (int delta : {-1, 1}) {
        test_library::UseReader({CardKind::kUltraLight});
        Misreading link(delta);
        Going going;
        const ReadResult result = ReadCard(link, going, RequestFor(0));
        EXPECT_EQ(result.failure.kind, PlanFailure::Kind::BadAnswer);
        EXPECT_STREQ(result.failure.function, L"rf_M1_read");
        EXPECT_TRUE(result.dump.units.empty());
    }
    test_library::UseReader({}, "at24c16");
    Misreading link(0);
    Going going;
    const ReadResult result = ReadCard(link, going, RequestFor(17));
    EXPECT_EQ(result.failure.kind, PlanFailure::Kind::Status);
    EXPECT_EQ(result.failure.status, 0x14);
    EXPECT_TRUE(result.dump.units.empty());
}

TEST(WritePlans, StopAtTheOperatorsCancelWithTheUnitsWrittenSoFar) {
    test_library::UseReader({}, "at24c02");
    ExportLink link;
    const ReadRequest request = RequestFor(14);
    const CardDump card = Read(link, request);
    CardDump file = card;
    for (int unit : {1, 2, 3}) file.units[unit].data[0] ^= 1;
    Going going;
    going.stopAfter = 3;  // the card, units 1 and 2
    const WriteResult result = WriteUnits(link, going, request, file, card, {1, 2, 3});
    EXPECT_EQ(result.failure.kind, PlanFailure::Kind::Cancelled);
    EXPECT_EQ(result.written, (std::vector<int>{1, 2}));
    EXPECT_EQ(CompareDumps(card, Read(link, request)).differing, (std::vector<int>{1, 2}));
}

}  // namespace
