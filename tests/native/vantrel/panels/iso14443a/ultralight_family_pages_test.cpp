#include "vantrel/panels/iso14443a/ultralight_family_pages.h"

#include <gtest/gtest.h>

#include <map>

#include "vantrel/toolkit/hex_text.h"

namespace {

constexpr PageGrid kUltraLight{1082, 16, 4};
constexpr PageGrid kNtag203{1261, 42, 1};
constexpr PageGrid kUltraLightC{1082, 44, 1};

// Edit contents as the operator typed them.
auto EditsHolding(std::map<int, std::wstring> texts) {
    return [texts = std::move(texts)](int id) {
        const auto it = texts.find(id);
        return it == texts.end() ? Bytes{} : HexToBytes(it->second);
    };
}

using Data = std::array<uint8_t, 4>;

}  // namespace

TEST(UltraLightFamilyPages, EveryPageHasItsEditsAndPageTwoIsSplit) {
    const std::vector<int> ul = PageEditIds(kUltraLight);
    ASSERT_EQ(ul.size(), 17u);
    EXPECT_EQ(ul.front(), 1082);
    EXPECT_EQ(ul.back(), 1098);
    EXPECT_EQ(PageEditIds(kNtag203).back(), 1303);
    EXPECT_EQ(PageEditIds(kUltraLightC).size(), 45u);
    EXPECT_EQ(PageEditIds(kUltraLightC).back(), 1126);

    EXPECT_EQ(FieldsOfPage(kUltraLight, 0), (std::vector<PageField>{{1082, 0, 4}}));
    EXPECT_EQ(FieldsOfPage(kUltraLight, 1), (std::vector<PageField>{{1083, 0, 4}}));
    EXPECT_EQ(FieldsOfPage(kUltraLight, 2), (std::vector<PageField>{{1084, 0, 2}, {1085, 2, 2}}));
    EXPECT_EQ(FieldsOfPage(kUltraLight, 3), (std::vector<PageField>{{1086, 0, 4}}));
    EXPECT_EQ(FieldsOfPage(kUltraLight, 15), (std::vector<PageField>{{1098, 0, 4}}));
    EXPECT_EQ(FieldsOfPage(kNtag203, 2), (std::vector<PageField>{{1263, 0, 2}, {1264, 2, 2}}));
    EXPECT_EQ(FieldsOfPage(kNtag203, 40), (std::vector<PageField>{{1302, 0, 4}}));
    EXPECT_EQ(FieldsOfPage(kUltraLightC, 43), (std::vector<PageField>{{1126, 0, 4}}));

    EXPECT_TRUE(FieldsOfPage(kUltraLight, 16).empty());
    EXPECT_TRUE(FieldsOfPage(kUltraLight, -1).empty());
}

TEST(UltraLightFamilyPages, OnlyPagesFromTwoToTheLastCanBeWritten) {
    const std::vector<int> ul = WritablePages(kUltraLight);
    ASSERT_EQ(ul.size(), 14u);
    EXPECT_EQ(ul.front(), 2);
    EXPECT_EQ(ul.back(), 15);
    EXPECT_EQ(WritablePages(kNtag203).back(), 41);
    EXPECT_EQ(WritablePages(kUltraLightC).front(), 2);
    EXPECT_EQ(WritablePages(kUltraLightC).back(), 43);
}

TEST(UltraLightFamilyPages, UltraLightReadsFourPagesAtOnceAndNeedsExactlySixteenBytes) {
    EXPECT_EQ(ReadStartPages(kUltraLight), (std::vector<int>{0, 4, 8, 12}));
    EXPECT_TRUE(ReadAnswerUsable(kUltraLight, 16));
    EXPECT_FALSE(ReadAnswerUsable(kUltraLight, 15));
    EXPECT_FALSE(ReadAnswerUsable(kUltraLight, 17));
    EXPECT_FALSE(ReadAnswerUsable(kUltraLight, 0));

    const Bytes first = HexToBytes(L"00112233445566778899AABBCCDDEEFF");
    EXPECT_EQ(FieldsOfAnswer(kUltraLight, 0, first),
              (std::vector<FieldContent>{{1082, {0x00, 0x11, 0x22, 0x33}},
                                         {1083, {0x44, 0x55, 0x66, 0x77}},
                                         {1084, {0x88, 0x99}},
                                         {1085, {0xAA, 0xBB}},
                                         {1086, {0xCC, 0xDD, 0xEE, 0xFF}}}));
    const std::vector<FieldContent> second = FieldsOfAnswer(kUltraLight, 4, first);
    ASSERT_EQ(second.size(), 4u);
    EXPECT_EQ(second[0], (FieldContent{1087, {0x00, 0x11, 0x22, 0x33}}));
    EXPECT_EQ(second[3], (FieldContent{1090, {0xCC, 0xDD, 0xEE, 0xFF}}));
}

TEST(UltraLightFamilyPages, PageReadsShowTheFirstFourBytesOfAnyLongerAnswer) {
    const std::vector<int> starts = ReadStartPages(kNtag203);
    ASSERT_EQ(starts.size(), 42u);
    EXPECT_EQ(starts[41], 41);
    EXPECT_EQ(ReadStartPages(kUltraLightC).size(), 44u);
    EXPECT_FALSE(ReadAnswerUsable(kNtag203, 3));
    EXPECT_TRUE(ReadAnswerUsable(kNtag203, 4));
    EXPECT_TRUE(ReadAnswerUsable(kUltraLightC, 16));

    const Bytes answer = HexToBytes(L"A1A2A3A4B1B2B3B4C1C2C3C4D1D2D3D4");
    EXPECT_EQ(FieldsOfAnswer(kNtag203, 2, answer),
              (std::vector<FieldContent>{{1263, {0xA1, 0xA2}}, {1264, {0xA3, 0xA4}}}));
    EXPECT_EQ(FieldsOfAnswer(kUltraLightC, 40, answer),
              (std::vector<FieldContent>{{1123, {0xA1, 0xA2, 0xA3, 0xA4}}}));
    // A short answer shows what there is and never reads past it.
    EXPECT_EQ(FieldsOfAnswer(kUltraLightC, 2, Bytes{0x01, 0x02, 0x03}),
              (std::vector<FieldContent>{{1084, {0x01, 0x02}}, {1085, {0x03}}}));
}

TEST(UltraLightFamilyPages, WrittenBytesArePaddedWithZerosAndCutToEachEditsShare) {
    EXPECT_EQ(PageWriteData(kUltraLight, 5, EditsHolding({{1088, L"ab"}})), (Data{0xAB, 0, 0, 0}));
    EXPECT_EQ(PageWriteData(kNtag203, 41, EditsHolding({{1303, L"01"}})), (Data{0x01, 0, 0, 0}));
    EXPECT_EQ(PageWriteData(kUltraLightC, 7, EditsHolding({})), (Data{0, 0, 0, 0}));
    // A lone last digit is a byte of its own.
    EXPECT_EQ(PageWriteData(kUltraLightC, 9, EditsHolding({{1092, L"abc"}})), (Data{0xAB, 0x0C, 0, 0}));

    // Page 2: the first edit at the start, the lock bytes from byte 2 on.
    EXPECT_EQ(PageWriteData(kUltraLight, 2, EditsHolding({{1084, L"1122"}, {1085, L"3344"}})),
              (Data{0x11, 0x22, 0x33, 0x44}));
    EXPECT_EQ(PageWriteData(kUltraLightC, 2, EditsHolding({{1084, L"11"}, {1085, L"33"}})),
              (Data{0x11, 0, 0x33, 0}));
    EXPECT_EQ(PageWriteData(kNtag203, 2, EditsHolding({{1264, L"0F"}})), (Data{0, 0, 0x0F, 0}));

    // Text set past an edit's limit never spills into the next bytes.
    EXPECT_EQ(PageWriteData(kUltraLight, 2, EditsHolding({{1084, L"112233"}, {1085, L"44"}})),
              (Data{0x11, 0x22, 0x44, 0}));
    EXPECT_EQ(PageWriteData(kUltraLight, 4, EditsHolding({{1087, L"0102030405"}})),
              (Data{1, 2, 3, 4}));
}
