// The whole access-condition table of a Mifare Classic sector, operation by
// operation, with key A and key B, against the table as the chip's datasheet
// prints it. Each operation runs on a fresh activation and authentication, so
// a refusal cannot hide the next one.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <string_view>

#include "common/mifare_access.h"
#include "kelvar/cards/mifare_classic.h"
#include "kelvar/cards/mifare_value.h"
#include "tests/native/kelvar/cards/mifare_test_support.h"

using namespace kelvar;
using namespace mifare_test;

namespace {

// Who may perform an operation, as the datasheet writes it: "A|B", "A", "B", "never".
bool Allows(std::string_view who, mifare::Key key) {
    return who.find(key == mifare::Key::kA ? 'A' : 'B') != std::string_view::npos;
}

uint8_t Condition(std::string_view bits) {
    return static_cast<uint8_t>((bits[0] - '0') << 2 | (bits[1] - '0') << 1 | (bits[2] - '0'));
}

const Bytes kSectorKeyA = Hex("A0A1A2A3A4A5");
const Bytes kSectorKeyB = Hex("B0B1B2B3B4B5");
constexpr int kSector = 1;
constexpr int kBlock = 4;
constexpr int kTrailer = 7;

// A card whose sector 1 has keys kSectorKeyA / kSectorKeyB and `conditions`; block 4 holds
// the value 100.
class Sector {
public:
    explicit Sector(const mifare::Conditions& conditions) {
        EXPECT_EQ(Activate(card_), kOk);
        EXPECT_EQ(AuthA(card_, kBlock), kOk);
        EXPECT_EQ(card_.InitValue(kBlock, 100), kOk);
        EXPECT_EQ(card_.WriteBlock(kTrailer, Trailer(kSectorKeyA, conditions, kSectorKeyB).data()), kOk);
    }

    // Activates, authenticates with `key` and runs `operation`.
    Status With(mifare::Key key, const std::function<Status(MifareClassicCard&)>& operation) {
        if (Status status = Activate(card_); status != kOk) return status;
        const bool a = key == mifare::Key::kA;
        if (Status status = a ? AuthA(card_, kBlock, kSectorKeyA) : AuthB(card_, kBlock, kSectorKeyB); status != kOk)
            return status;
        return operation(card_);
    }

    bool Permits(mifare::Key key, const std::function<Status(MifareClassicCard&)>& operation) {
        const Status status = With(key, operation);
        EXPECT_TRUE(status == kOk || status == kAccessDenied) << "status " << status;
        return status == kOk;
    }

private:
    ImageStore store_;
    MifareClassicCard card_{mifare::CardSize::k1K, Hex("DEADBEEF"), store_, "table.img"};
};

const char* KeyName(mifare::Key key) { return key == mifare::Key::kA ? "key A" : "key B"; }

}  // namespace

TEST(MifareAccessTable, DataBlocksFollowTheDatasheetForEveryCondition) {
    struct Row {
        const char* bits;  // C1 C2 C3
        const char* read;
        const char* write;
        const char* increment;
        const char* decrement;  // also transfer and restore
    };
    const Row kTable[] = {
        {"000", "A|B", "A|B", "A|B", "A|B"},
        {"010", "A|B", "never", "never", "never"},
        {"100", "A|B", "B", "never", "never"},
        {"110", "A|B", "B", "B", "A|B"},
        {"001", "A|B", "never", "never", "A|B"},
        {"011", "B", "B", "never", "never"},
        {"101", "B", "never", "never", "never"},
        {"111", "never", "never", "never", "never"},
    };
    const auto valueBlock = EncodeValueBlock(100, kBlock);
    for (const Row& row : kTable) {
        const uint8_t c = Condition(row.bits);
        // Trailer condition 011 keeps key B secret, so key B grants what the table says.
        Sector sector({c, c, c, Condition("011")});
        for (mifare::Key key : {mifare::Key::kA, mifare::Key::kB}) {
            SCOPED_TRACE(std::string(row.bits) + " with " + KeyName(key));
            uint8_t data[16];
            EXPECT_EQ(sector.Permits(key, [&](auto& card) { return card.Read(kBlock, data); }), Allows(row.read, key));
            EXPECT_EQ(sector.Permits(key, [&](auto& card) { return card.Increment(kBlock, 1); }),
                      Allows(row.increment, key));
            EXPECT_EQ(sector.Permits(key, [&](auto& card) { return card.Decrement(kBlock, 1); }),
                      Allows(row.decrement, key));
            EXPECT_EQ(sector.Permits(key, [&](auto& card) { return card.WriteBlock(kBlock, valueBlock.data()); }),
                      Allows(row.write, key));
        }
    }
}

TEST(MifareAccessTable, TrailerFollowsTheDatasheetForEveryCondition) {
    struct Row {
        const char* bits;
        const char* keyAWrite;  // key A itself is never readable
        const char* accessRead;
        const char* accessWrite;
        const char* keyBRead;
        const char* keyBWrite;
    };
    const Row kTable[] = {
        {"000", "A", "A", "never", "A", "A"},
        {"010", "never", "A", "never", "A", "never"},
        {"100", "B", "A|B", "never", "never", "B"},
        {"110", "never", "A|B", "never", "never", "never"},
        {"001", "A", "A", "A", "A", "A"},
        {"011", "B", "A|B", "B", "never", "B"},
        {"101", "never", "A|B", "B", "never", "never"},
        {"111", "never", "A|B", "never", "never", "never"},
    };
    const Bytes otherKey = Hex("C0C1C2C3C4C5");
    for (const Row& row : kTable) {
        const mifare::Conditions conditions{0, 0, 0, Condition(row.bits)};
        mifare::Conditions otherData = conditions;
        otherData[0] = Condition("100");
        Sector sector(conditions);
        for (mifare::Key key : {mifare::Key::kA, mifare::Key::kB}) {
            SCOPED_TRACE(std::string(row.bits) + " with " + KeyName(key));
            uint8_t data[16] = {};
            const bool readable = sector.Permits(key, [&](auto& card) { return card.Read(kTrailer, data); });
            EXPECT_EQ(readable, Allows(row.accessRead, key));
            if (readable) {
                const std::string expected = "000000000000" + ToHex(mifare::EncodeAccessBits(conditions)) + "69" +
                                             (Allows(row.keyBRead, key) ? ToHex(kSectorKeyB) : "000000000000");
                EXPECT_EQ(ToHex(data), expected);
            }
            // Each write, on a sector of its own, changes one part and writes the others as they are.
            const auto writes = [&](const Bytes& trailer) {
                Sector fresh(conditions);
                return fresh.Permits(key, [&](auto& card) { return card.WriteBlock(kTrailer, trailer.data()); });
            };
            EXPECT_EQ(writes(Trailer(otherKey, conditions, kSectorKeyB)), Allows(row.keyAWrite, key));
            EXPECT_EQ(writes(Trailer(kSectorKeyA, conditions, otherKey)), Allows(row.keyBWrite, key));
            EXPECT_EQ(writes(Trailer(kSectorKeyA, otherData, kSectorKeyB)), Allows(row.accessWrite, key));
        }
    }
}
