// Raw frames on the type B and ISO 15693 fields, as the caller sends them:
// without a CRC, which the reader adds; answers come back without theirs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kelvar/reader/frame_crc.h"
#include "kelvar/reader/iso14443b_field.h"
#include "kelvar/reader/iso15693_field.h"
#include "kelvar/reader/raw_exchange.h"
#include "kelvar/reader/reader_config.h"
#include "support/hex_bytes.h"

using namespace kelvar;
using test_hex::Hex;
using test_hex::ToHex;

namespace {

// The answer to a frame in hex, or "status N".
template <typename Field>
std::string Transceive(Field& field, const std::string& frame) {
    const auto bytes = Hex(frame);
    uint8_t out[256] = {}, length = 0;
    const Status status = field.Transceive(bytes.data(), static_cast<uint8_t>(bytes.size()), out, &length);
    if (status != kOk) return "status " + std::to_string(status);
    return ToHex(std::vector<uint8_t>(out, out + length));
}

std::string StatusText(Status status) { return "status " + std::to_string(status); }
const std::string kNoAnswer = StatusText(kNoCard);

}  // namespace

TEST(FrameCrc, MatchesTheExamplesOfTheStandards) {
    // ISO/IEC 14443-3 annex B and ISO/IEC 15693-3 annex C; the last is the CRC-16/X-25 check value.
    const std::pair<const char*, const char*> examples[] = {
        {"000000", "CCC6"}, {"0FAAFF", "FCD1"}, {"0A123456", "2CF6"}, {"01020304", "9139"},
    };
    for (const auto& [data, crc] : examples) {
        EXPECT_EQ(ToHex(WithFrameCrc(Hex(data))), std::string(data) + crc);
        EXPECT_TRUE(CheckFrameCrc(Hex(std::string(data) + crc)));
    }
    const std::string digits = "123456789";
    EXPECT_EQ(FrameCrc({reinterpret_cast<const uint8_t*>(digits.data()), digits.size()}), 0x906E);
    EXPECT_FALSE(CheckFrameCrc(Hex("01020304913A")));
    EXPECT_FALSE(CheckFrameCrc(Hex("91")));
}

TEST(RawExchange, TheReaderChecksAndStripsTheAnswersCrc) {
    // Cards that answer with the given air bytes.
    const auto exchange = [](std::vector<std::string> airs, const std::string& frame = "01") {
        const auto bytes = Hex(frame);
        uint8_t out[256] = {}, length = 0;
        const Status status = RawExchange(bytes.data(), static_cast<uint8_t>(bytes.size()), out, &length, airs,
                                          [](const std::string& air, std::span<const uint8_t>, Bytes& answer) {
                                              if (air.empty()) return false;
                                              answer = Hex(air);
                                              return true;
                                          });
        return status == kOk ? ToHex(std::vector<uint8_t>(out, out + length)) : StatusText(status);
    };
    EXPECT_EQ(exchange({"", "01020304" "9139"}), "01020304");
    EXPECT_EQ(exchange({"01020304" "913A"}), StatusText(kBadFrameCrc));
    EXPECT_EQ(exchange({"91"}), StatusText(kBadFrameCrc));  // shorter than a CRC
    EXPECT_EQ(exchange({"0000"}), "");                       // the CRC alone: an empty answer
    EXPECT_EQ(exchange({"", ""}), kNoAnswer);
    EXPECT_EQ(exchange({"00" "78F0", "00" "78F0"}), StatusText(kCollision));
    EXPECT_EQ(exchange({"00" "78F0"}, ""), StatusText(kBadArgument));  // nothing to send
}

TEST(TypeBRawFrames, RequestAttribApduDeselectAndHalt) {
    ImageStore store;
    const CardKind kinds[] = {CardKind::kSmartCardB, CardKind::kThr1064};
    Iso14443bField field(store, kinds);
    field.PlaceOnly(std::span(kinds).first(1));
    EXPECT_EQ(Transceive(field, "050000"), kNoAnswer);  // field off
    field.SetPowered(true);

    const std::string atqb = "506B2FD01900000000008171";
    EXPECT_EQ(Transceive(field, "050000"), atqb);
    EXPECT_EQ(Transceive(field, "0200A4000C023F00"), kNoAnswer);  // not active yet
    EXPECT_EQ(Transceive(field, "1D6B2FD019000801"), kNoAnswer);  // ATTRIB a byte short
    EXPECT_EQ(Transceive(field, "1D6B2FD01900080100"), "00");
    // SELECT of the master file in an I-block, then S(DESELECT).
    EXPECT_EQ(Transceive(field, "0200A4000C023F00"), "029000");
    EXPECT_EQ(Transceive(field, "C2"), "C2");
    EXPECT_EQ(Transceive(field, "0200A4000C023F00"), kNoAnswer);
    EXPECT_EQ(Transceive(field, "050000"), kNoAnswer);  // halted: REQB leaves it
    EXPECT_EQ(Transceive(field, "050008"), atqb);       // WUPB wakes it
    EXPECT_EQ(Transceive(field, "506B2FD019"), "00");
    EXPECT_EQ(Transceive(field, "1D6B2FD01900080100"), kNoAnswer);

    // A second type B card in the field: both answer a wake-up at once.
    field.PlaceOnly(kinds);
    EXPECT_EQ(Transceive(field, "050008"), StatusText(kCollision));
    // The THR1064 alone, selected through raw frames, takes its page commands.
    field.PlaceOnly(std::span(kinds).last(1));
    EXPECT_EQ(Transceive(field, "050000"), "505448106400000000008000");
    EXPECT_EQ(Transceive(field, "1D5448106400080100"), "00");
    Bytes page;
    EXPECT_EQ(field.ToTags([&](TypeBCard& card) { return card.OnThr1064Read(0, page); }), kOk);
    EXPECT_EQ(ToHex(page), "544810643A950C00");
}

TEST(VicinityRawFrames, InventoryReadWriteAndSystemInformation) {
    ImageStore store;
    Iso15693Field field(store, DefaultFieldOrder());
    EXPECT_EQ(Transceive(field, "260100"), kNoAnswer);  // field off
    field.SetPowered(true);

    // Every tag answers one slot at once; a mask of the first UID byte picks one.
    EXPECT_EQ(Transceive(field, "260100"), StatusText(kCollision));
    EXPECT_EQ(Transceive(field, "2601083B"), "0000" "3B6E9215080104E0");
    // Sixteen slots: only slot 0 is heard, and no UID ends in the nibble 0.
    EXPECT_EQ(Transceive(field, "060100"), kNoAnswer);

    // Addressed: write block 5, read it back, with its security status.
    EXPECT_EQ(Transceive(field, "2221" "3B6E9215080104E0" "05" "11223344"), "00");
    EXPECT_EQ(Transceive(field, "2220" "3B6E9215080104E0" "05"), "0011223344");
    EXPECT_EQ(Transceive(field, "6220" "3B6E9215080104E0" "05"), "00" "00" "11223344");
    // A block past the end is an error answer, not silence.
    EXPECT_EQ(Transceive(field, "2220" "3B6E9215080104E0" "FF"), "0110");

    std::vector<uint8_t> information(Iso15693Tag::kSystemInformationSize);
    uint8_t length = 0;
    ASSERT_EQ(field.GetSystemInformation(2, Hex("3B6E9215080104E0").data(), information.data(), &length), kOk);
    EXPECT_EQ(Transceive(field, "222B" "3B6E9215080104E0"), "00" + ToHex(information));

    // Non-addressed requests reach every tag; the select flag and a custom
    // command without its maker code none.
    EXPECT_EQ(Transceive(field, "022B"), StatusText(kCollision));
    EXPECT_EQ(Transceive(field, "02A0"), kNoAnswer);
    EXPECT_EQ(Transceive(field, "122B"), kNoAnswer);

    // The tag alone in the field answers the plain inventory.
    const CardKind sli[] = {CardKind::kICodeSli};
    field.PlaceOnly(sli);
    EXPECT_EQ(Transceive(field, "260100"), "0000" "3B6E9215080104E0");
}
