#include "kelvar/crypto/des.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace {

using kelvar::Des;
using kelvar::DesBlock;
using kelvar::TripleDes;
using Bytes = std::vector<uint8_t>;

Bytes Hex(std::string_view text) {
    auto digit = [](char c) { return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10; };
    Bytes bytes;
    for (size_t i = 0; i + 1 < text.size(); i += 2)
        bytes.push_back(static_cast<uint8_t>(digit(text[i]) * 16 + digit(text[i + 1])));
    return bytes;
}

DesBlock Block(std::string_view text) {
    DesBlock block{};
    const Bytes bytes = Hex(text);
    std::copy(bytes.begin(), bytes.end(), block.begin());
    return block;
}

Bytes EcbEncrypt(std::string_view key, std::string_view plain) {
    const Bytes in = Hex(plain);
    Bytes out(in.size());
    EXPECT_TRUE(Des(Block(key)).EncryptEcb(in, out));
    return out;
}

Bytes EcbDecrypt(std::string_view key, std::string_view cipher) {
    const Bytes in = Hex(cipher);
    Bytes out(in.size());
    EXPECT_TRUE(Des(Block(key)).DecryptEcb(in, out));
    return out;
}

struct Vector {
    const char* key;
    const char* plain;
    const char* cipher;
};

TEST(Des, KnownAnswers) {
    for (const Vector& v : {
             // Worked example, then variable plaintext, variable key (the lowest
             // bit of each key byte is parity), permutation and substitution tables.
             Vector{"133457799BBCDFF1", "0123456789ABCDEF", "85E813540F0AB405"},
             Vector{"0101010101010101", "8000000000000000", "95F8A5E5DD31D900"},
             Vector{"0101010101010101", "4000000000000000", "DD7F121CA5015619"},
             Vector{"0101010101010101", "0000000000000002", "06E7EA22CE92708F"},
             Vector{"0101010101010101", "0000000000000001", "166B40B44ABA4BD6"},
             Vector{"8001010101010101", "0000000000000000", "95A8D72813DAA94D"},
             Vector{"8000000000000000", "0000000000000000", "95A8D72813DAA94D"},
             Vector{"0180010101010101", "0000000000000000", "2055123350C00858"},
             Vector{"0101010101010102", "0000000000000000", "869EFD7F9F265A09"},
             Vector{"0101010101010180", "0000000000000000", "9CC62DF43B6EED74"},
             Vector{"1046913489980131", "0000000000000000", "88D55E54F54C97B4"},
             Vector{"1007103489988020", "0000000000000000", "0C0CC00C83EA48FD"},
             Vector{"7CA110454A1A6E57", "01A1D6D039776742", "690F5B0D9A26939B"},
             Vector{"0131D9619DC1376E", "5CD54CA83DEF57DA", "7A389D10354BD271"},
             Vector{"07A1133E4A0B2686", "0248D43806F67172", "868EBB51CAB4599A"},
         }) {
        EXPECT_EQ(EcbEncrypt(v.key, v.plain), Hex(v.cipher)) << "key " << v.key << " plain " << v.plain;
        EXPECT_EQ(EcbDecrypt(v.key, v.cipher), Hex(v.plain)) << "key " << v.key << " cipher " << v.cipher;
    }
}

// "Now is the time for all " under key 0123456789ABCDEF.
constexpr const char* kNowIsTheTime = "4E6F772069732074" "68652074696D6520" "666F7220616C6C20";

TEST(Des, MultiBlockEcbAndCbcExamples) {
    EXPECT_EQ(EcbEncrypt("0123456789ABCDEF", kNowIsTheTime),
              Hex("3FA40E8A984D4815" "6A271787AB8883F9" "893D51EC4B563B53"));

    const Des des(Block("0123456789ABCDEF"));
    const DesBlock iv = Block("1234567890ABCDEF");
    const Bytes plain = Hex(kNowIsTheTime);
    const Bytes expected = Hex("E5C7CDDE872BF27C" "43E934008C389C0F" "683788499A7C05F6");
    Bytes cipher(plain.size());
    ASSERT_TRUE(des.EncryptCbc(iv, plain, cipher));
    EXPECT_EQ(cipher, expected);

    Bytes back(cipher.size());
    ASSERT_TRUE(des.DecryptCbc(iv, cipher, back));
    EXPECT_EQ(back, plain);

    // In place: each cipher block is still needed as the next block's chain value.
    ASSERT_TRUE(des.DecryptCbc(iv, cipher, cipher));
    EXPECT_EQ(cipher, plain);
}

TEST(Des, RefusesPartialBlocksAndShortOutput) {
    const Des des(Block("0123456789ABCDEF"));
    const DesBlock iv{};
    Bytes out(16, 0xEE);
    const Bytes sevenBytes(7), sixteen(16);
    EXPECT_FALSE(des.EncryptEcb(sevenBytes, out));
    EXPECT_FALSE(des.DecryptCbc(iv, sevenBytes, out));
    EXPECT_FALSE(des.EncryptCbc(iv, sixteen, std::span<uint8_t>(out).first(8)));
    EXPECT_EQ(out, Bytes(16, 0xEE));
    EXPECT_TRUE(des.EncryptEcb({}, {}));
}

// K1 K2 K3 and "The qufck brown fox jump".
constexpr const char* kThreeKeys = "0123456789ABCDEF" "23456789ABCDEF01" "456789ABCDEF0123";
constexpr const char* kQuickFox = "5468652071756663" "6B2062726F776E20" "666F78206A756D70";

TEST(TripleDes, ThreeKeyExample) {
    const Bytes key = Hex(kThreeKeys);
    const auto tdes = TripleDes::FromKey(key);
    ASSERT_TRUE(tdes.has_value());
    const Bytes plain = Hex(kQuickFox);
    const Bytes expected = Hex("A826FD8CE53B855F" "CCE21C8112256FE6" "68D5C05DD9B6B900");
    Bytes cipher(plain.size()), back(plain.size());
    ASSERT_TRUE(tdes->EncryptEcb(plain, cipher));
    EXPECT_EQ(cipher, expected);
    ASSERT_TRUE(tdes->DecryptEcb(cipher, back));
    EXPECT_EQ(back, plain);

    // The same keys in CBC mode (value cross-checked with an independent implementation).
    const DesBlock iv = Block("F69F2445DF4F9B17");
    ASSERT_TRUE(tdes->EncryptCbc(iv, plain, cipher));
    EXPECT_EQ(cipher, Hex("A5C282BAD0DE3774" "BECD2E04386B589F" "B5057D8552FC4336"));
    ASSERT_TRUE(tdes->DecryptCbc(iv, cipher, back));
    EXPECT_EQ(back, plain);
}

TEST(TripleDes, TwoKeyIsThreeKeyWithFirstKeyRepeated) {
    const Bytes twoKeys = Hex("0123456789ABCDEF" "FEDCBA9876543210");
    const Bytes threeKeys = Hex("0123456789ABCDEF" "FEDCBA9876543210" "0123456789ABCDEF");
    const TripleDes two{std::span<const uint8_t, 16>(twoKeys.data(), 16)};
    const TripleDes three{std::span<const uint8_t, 24>(threeKeys.data(), 24)};
    const Bytes plain = Hex("0123456789ABCDEF" "0011223344556677");
    Bytes a(16), b(16);
    ASSERT_TRUE(two.EncryptEcb(plain, a));
    ASSERT_TRUE(three.EncryptEcb(plain, b));
    EXPECT_EQ(a, b);
    EXPECT_EQ(a, Hex("1A4D672DCA6CB335" "31A7364CAC91CA39"));

    ASSERT_TRUE(two.EncryptCbc(Block("0001020304050607"), plain, a));
    EXPECT_EQ(a, Hex("FD355EBFE400AEB2" "94D4169FF51A8415"));
}

TEST(TripleDes, EightByteKeyIsSingleDesAndOtherLengthsAreRefused) {
    const Bytes key = Hex("133457799BBCDFF1");
    const auto tdes = TripleDes::FromKey(key);
    ASSERT_TRUE(tdes.has_value());
    EXPECT_EQ(tdes->EncryptBlock(0x0123456789ABCDEFull), 0x85E813540F0AB405ull);
    EXPECT_EQ(tdes->DecryptBlock(0x85E813540F0AB405ull), 0x0123456789ABCDEFull);

    for (size_t length : {0u, 7u, 9u, 15u, 17u, 23u, 32u})
        EXPECT_FALSE(TripleDes::FromKey(Bytes(length)).has_value()) << length;
}

}  // namespace
