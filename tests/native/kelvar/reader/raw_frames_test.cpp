// Raw frames on the type B and ISO 15693 fields. Every frame and answer
// below was built by hand from the standards, CRC included.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kelvar/reader/frame_crc.h"
#include "kelvar/reader/iso14443b_field.h"
#include "kelvar/reader/iso15693_field.h"
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

const std::string kNoAnswer = "status " + std::to_string(kNoCard);

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

TEST(TypeBRawFrames, RequestAttribApduDeselectAndHalt) {
    ImageStore store;
    const CardKind kinds[] = {CardKind::kSmartCardB};
    Iso14443bField field(store, kinds);
    EXPECT_EQ(Transceive(field, "050000" "71FF"), kNoAnswer);  // field off
    field.SetPowered(true);

    const std::string atqb = "506B2FD01900000000008171" "D893";
    EXPECT_EQ(Transceive(field, "050000" "71FF"), atqb);
    EXPECT_EQ(Transceive(field, "050000" "71FE"), kNoAnswer);  // corrupted CRC
    EXPECT_EQ(Transceive(field, "0200A4000C023F00" "940F"), kNoAnswer);  // not active yet
    EXPECT_EQ(Transceive(field, "1D6B2FD019000801004632"), "00" "78F0");
    // SELECT of the master file in an I-block, then S(DESELECT).
    EXPECT_EQ(Transceive(field, "0200A4000C023F00" "940F"), "029000" "296A");
    EXPECT_EQ(Transceive(field, "C2" "6615"), "C2" "6615");
    EXPECT_EQ(Transceive(field, "0200A4000C023F00" "940F"), kNoAnswer);
    EXPECT_EQ(Transceive(field, "050000" "71FF"), kNoAnswer);  // halted: REQB leaves it
    EXPECT_EQ(Transceive(field, "050008" "3973"), atqb);       // WUPB wakes it
    EXPECT_EQ(Transceive(field, "506B2FD019" "6378"), "00" "78F0");
    EXPECT_EQ(Transceive(field, "1D6B2FD019000801004632"), kNoAnswer);
}

TEST(VicinityRawFrames, InventoryReadWriteAndSystemInformation) {
    ImageStore store;
    Iso15693Field field(store, DefaultFieldOrder());
    EXPECT_EQ(Transceive(field, "260100" "F60A"), kNoAnswer);  // field off
    field.SetPowered(true);

    // Both default tags answer one slot at once; a mask of the first UID byte picks one.
    EXPECT_EQ(Transceive(field, "260100" "F60A"), "status " + std::to_string(kCollision));
    EXPECT_EQ(Transceive(field, "2601083B" "5B23"), "0000" "3B6E9215080104E0" "02E9");
    // Sixteen slots: only slot 0 is heard, and neither UID (3B..., 5D...)
    // ends in the nibble 0.
    EXPECT_EQ(Transceive(field, "060100" "CD09"), kNoAnswer);

    // Addressed: write block 5, read it back, with its security status.
    EXPECT_EQ(Transceive(field, "2221" "3B6E9215080104E0" "05" "11223344" "E945"), "00" "78F0");
    EXPECT_EQ(Transceive(field, "2220" "3B6E9215080104E0" "05" "3361"), "0011223344" "043E");
    EXPECT_EQ(Transceive(field, "6220" "3B6E9215080104E0" "05" "36AC"), "00" "00" "11223344" "FC06");
    // A block past the end is an error answer, not silence.
    EXPECT_EQ(Transceive(field, "2220" "3B6E9215080104E0" "FF" "E639"), "0110" "1E06");

    std::vector<uint8_t> information(Iso15693Tag::kSystemInformationSize);
    uint8_t length = 0;
    ASSERT_EQ(field.GetSystemInformation(2, Hex("3B6E9215080104E0").data(), information.data(), &length), kOk);
    EXPECT_EQ(Transceive(field, "222B" "3B6E9215080104E0" "0D43"), ToHex(WithFrameCrc(Hex("00" + ToHex(information)))));

    // Non-addressed requests reach both tags; unknown commands and the select flag none.
    EXPECT_EQ(Transceive(field, "022B" "26A3"), "status " + std::to_string(kCollision));
    EXPECT_EQ(Transceive(field, "02A0" "FD99"), kNoAnswer);
    EXPECT_EQ(Transceive(field, "122B" "B736"), kNoAnswer);
}
