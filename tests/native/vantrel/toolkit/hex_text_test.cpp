#include "vantrel/toolkit/hex_text.h"

#include <gtest/gtest.h>

#include <array>

TEST(HexText, BytesToHexWritesTwoUpperCaseDigitsPerByte) {
    const uint8_t bytes[] = {0x00, 0x0F, 0xA0, 0xFF};
    EXPECT_EQ(BytesToHex(bytes, 4), L"000FA0FF");
    EXPECT_EQ(BytesToHex(bytes, 0), L"");
    EXPECT_EQ(BytesToHex(nullptr, 4), L"");
    EXPECT_EQ(BytesToHex(Bytes{0xAB, 0x0C}), L"AB0C");
}

TEST(HexText, HexToBytesConvertsPairsAndALoneLastDigit) {
    EXPECT_EQ(HexToBytes(L"a1B2"), (Bytes{0xA1, 0xB2}));
    EXPECT_EQ(HexToBytes(L"1"), (Bytes{0x01}));
    EXPECT_EQ(HexToBytes(L""), Bytes{});
    EXPECT_EQ(HexToBytes(L"ABC"), (Bytes{0xAB, 0x0C}));
    EXPECT_EQ(HexToBytes(L"000FA0FF"), (Bytes{0x00, 0x0F, 0xA0, 0xFF}));
}

TEST(HexText, NonHexCharactersCountWithTheirOwnCodeModulo256) {
    EXPECT_EQ(HexDigitValue(L'g'), 'g');
    EXPECT_EQ(HexDigitValue(L' '), ' ');
    // "g0": 16 * 0x67 = 0x670 -> 0x70; "0g": 0x67; lone "z": 0x7A.
    EXPECT_EQ(HexToBytes(L"g00gz"), (Bytes{0x70, 0x67, 0x7A}));
    // A character beyond one byte still yields one byte.
    EXPECT_EQ(HexToBytes(L"\x4E2D"), (Bytes{0x2D}));
}

TEST(HexText, ToLowerAsciiChangesOnlyCapitals) {
    wchar_t text[] = L"AbZ9-\xC4";
    ToLowerAscii(text);
    EXPECT_STREQ(text, L"abz9-\xC4");
    ToLowerAscii(nullptr);
}

TEST(HexText, EditByteCountsAndLimits) {
    EXPECT_EQ(ByteCountOfText(3), 1u);  // "ABC": one whole byte, though it converts to two
    EXPECT_EQ(HexToBytes(L"ABC").size(), 2u);
    EXPECT_EQ(ByteLimitOfCharLimit(9), 5u);
    EXPECT_EQ(ByteLimitOfCharLimit(8), 4u);
    EXPECT_EQ(ByteLimitOfCharLimit(SIZE_MAX), SIZE_MAX / 2 + 1);
}

TEST(HexText, DwordBytesAreLeastSignificantFirst) {
    EXPECT_EQ(BytesToHex(DwordToBytes(1)), L"01000000");
    EXPECT_EQ(BytesToHex(DwordToBytes(258)), L"02010000");
    EXPECT_EQ(BytesToHex(DwordToBytes(0xFFFFFFFE)), L"FEFFFFFF");
}
