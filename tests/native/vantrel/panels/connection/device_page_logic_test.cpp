#include "vantrel/panels/connection/device_page_logic.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <vector>

#include "vantrel/toolkit/bytes.h"

namespace {

SupportedCards Checked(std::initializer_list<int> ids) {
    SupportedCards boxes{};
    for (int id : ids) boxes[static_cast<std::size_t>(id - kFirstSupportedCardId)] = true;
    return boxes;
}

SupportedCards CheckedRange(int first, int last) {
    SupportedCards boxes{};
    for (int id = first; id <= last; ++id)
        boxes[static_cast<std::size_t>(id - kFirstSupportedCardId)] = true;
    return boxes;
}

}  // namespace

TEST(DevicePageCaptions, EveryControlGetsItsOwnCaption) {
    std::set<int> ids;
    for (const Caption& caption : DevicePageCaptions()) ids.insert(caption.controlId);
    EXPECT_EQ(ids.size(), DevicePageCaptions().size());

    auto captionOf = [&](int id) -> UiString {
        for (const Caption& caption : DevicePageCaptions())
            if (caption.controlId == id) return caption.text;
        return {L"<none>", L"<none>"};
    };
    EXPECT_STREQ(captionOf(1097).english, L"Port Setting");
    EXPECT_STREQ(captionOf(1228).english, L"Port");
    EXPECT_STREQ(captionOf(1228).chinese, L"PORT");
    EXPECT_STREQ(captionOf(1100).english, L"Icdeve");
    EXPECT_STREQ(captionOf(1187).english, L"Write");
    EXPECT_STREQ(captionOf(1187).chinese, L"设置");
    EXPECT_STREQ(UiText(captionOf(1104)), L"Support Card");
    EXPECT_EQ(std::wstring(kLedColourNames[3]), L"yellow");
}

TEST(DevicePageModel, SixthCharacterOfTheModelSelectsTheSupportedCards) {
    EXPECT_EQ(SupportedCardBoxes("ABCDEL-1"), Checked({1213, 1214, 1215, 1216}));
    EXPECT_EQ(SupportedCardBoxes("ABCDE"), SupportedCards{});
    EXPECT_EQ(SupportedCardBoxes(""), SupportedCards{});
    EXPECT_EQ(SupportedCardBoxes("XXXXXF"), CheckedRange(1213, 1226));
    EXPECT_EQ(SupportedCardBoxes("XXXXXi"), CheckedRange(1213, 1226));
    EXPECT_EQ(SupportedCardBoxes("XXXXXG"), CheckedRange(1213, 1218));
    EXPECT_EQ(SupportedCardBoxes("XXXXXB"), CheckedRange(1219, 1222));
    EXPECT_EQ(SupportedCardBoxes("XXXXXD"), CheckedRange(1223, 1226));
    EXPECT_EQ(SupportedCardBoxes("XXXXXH"), CheckedRange(1213, 1222));
    EXPECT_EQ(SupportedCardBoxes("XXXXXa"), SupportedCards{});
    EXPECT_EQ(SupportedCardBoxes("XXXXXC"), SupportedCards{});
}

TEST(DevicePageModel, ModelTextIsTheAnsweredBytesUpToAZero) {
    const uint8_t answer[] = {'K', 'T', '-', '9', '0', 'F', 0, 'x', 'y'};
    EXPECT_EQ(ModelTextFromAnswer(answer, 6), "KT-90F");
    EXPECT_EQ(ModelTextFromAnswer(answer, 9), "KT-90F");
    EXPECT_EQ(ModelTextFromAnswer(answer, 3), "KT-");
    EXPECT_EQ(ModelTextFromAnswer(std::span(answer, 2), 200), "KT");
    EXPECT_EQ(LibraryVersionText(5), L"5.0");
    EXPECT_EQ(LibraryVersionText(0x80000000u), L"2147483648.0");
}

TEST(DevicePageModel, DeviceNumberNeedsExactlyTwoBytesLowFirst) {
    EXPECT_EQ(DeviceNumberFromBytes(Bytes{0x12, 0x34}), 0x3412);
    EXPECT_EQ(DeviceNumberFromBytes(Bytes{0xAB, 0x0C}), 0x0CAB);
    EXPECT_EQ(DeviceNumberFromBytes(Bytes{0xFF, 0xFF}), 0xFFFF);
    EXPECT_EQ(DeviceNumberFromBytes(Bytes{0x12}), std::nullopt);
    EXPECT_EQ(DeviceNumberFromBytes(Bytes{1, 2, 3}), std::nullopt);
    EXPECT_EQ(DeviceNumberFromBytes(Bytes{}), std::nullopt);
}

TEST(DevicePageClock, EncodesDateAndTimeAsPackedBcd) {
    const ClockTime newYearsEve{2024, 12, 31, 2, 23, 59, 58};
    EXPECT_EQ(EncodeClock(newYearsEve), (std::array<uint8_t, 7>{0x24, 0x12, 0x31, 0x02, 0x23,
                                                                0x59, 0x58}));
    const ClockTime sunday{1999, 1, 3, WeekdayNumber(0), 0, 0, 5};
    EXPECT_EQ(EncodeClock(sunday), (std::array<uint8_t, 7>{0x99, 0x01, 0x03, 0x07, 0x00,
                                                           0x00, 0x05}));
}

TEST(DevicePageClock, DecodesYearsIntoTwoCenturies) {
    const std::array<uint8_t, 7> late{0x99, 0x12, 0x31, 0x05, 0x23, 0x59, 0x59};
    EXPECT_EQ(DecodeClock(late), (ClockTime{1999, 12, 31, 5, 23, 59, 59}));
    const std::array<uint8_t, 7> early{0x50, 0x02, 0x29, 0x07, 0x00, 0x00, 0x00};
    EXPECT_EQ(DecodeClock(early), (ClockTime{2050, 2, 29, 7, 0, 0, 0}));
    EXPECT_EQ(DecodeClock(std::array<uint8_t, 7>{0x51, 1, 1, 1, 0, 0, 0}).year, 1951);
    EXPECT_EQ(DecodeClock(std::array<uint8_t, 7>{0x00, 1, 1, 1, 0, 0, 0}).year, 2000);
    EXPECT_EQ(DecodeClock(EncodeClock(ClockTime{2024, 12, 31, 2, 23, 59, 58})),
              (ClockTime{2024, 12, 31, 2, 23, 59, 58}));
}

TEST(DevicePageClock, WeekdaysCountFromMondayWithSundaySeven) {
    EXPECT_EQ(WeekdayNumber(0), 7);
    EXPECT_EQ(WeekdayNumber(1), 1);
    EXPECT_EQ(WeekdayNumber(6), 6);
    EXPECT_EQ(WeekdayText(7), L"week 7 ");
}

TEST(DevicePageClock, AnswersThatAreNoRealTimeAreRecognised) {
    EXPECT_TRUE(ClockIsValid(ClockTime{2024, 2, 29, 4, 23, 59, 59}));
    EXPECT_FALSE(ClockIsValid(ClockTime{2023, 2, 29, 3, 0, 0, 0}));
    EXPECT_TRUE(ClockIsValid(ClockTime{2000, 2, 29, 2, 0, 0, 0}));
    EXPECT_FALSE(ClockIsValid(ClockTime{2000, 4, 31, 1, 0, 0, 0}));
    EXPECT_FALSE(ClockIsValid(DecodeClock(std::array<uint8_t, 7>{0xFF, 0xFF, 0xFF, 0xFF,
                                                                 0xFF, 0xFF, 0xFF})));
    EXPECT_FALSE(ClockIsValid(DecodeClock(std::array<uint8_t, 7>{})));  // month 0
    EXPECT_FALSE(ClockIsValid(ClockTime{2024, 1, 1, 1, 24, 0, 0}));
}

TEST(DevicePageClock, GarbledAnswersNameNoTime) {
    using Answer = std::vector<uint8_t>;
    EXPECT_EQ(ClockFromAnswer(Answer{0x24, 0x12, 0x31, 0x02, 0x23, 0x59, 0x58}),
              (ClockTime{2024, 12, 31, 2, 23, 59, 58}));
    EXPECT_EQ(ClockFromAnswer(Answer{0x24, 0x12, 0x29, 0x07, 0x00, 0x00, 0x00, 0xEE})->weekday, 7);
    for (const Answer& garbled : {
             Answer{0x9A, 0x01, 0x01, 0x01, 0x00, 0x00, 0x00},  // year nibble 10: not 2100
             Answer{0x24, 0x01, 0x01, 0x01, 0x0A, 0x00, 0x00},  // hour nibble 10: not 10 o'clock
             Answer{0x24, 0x01, 0x01, 0x01, 0x00, 0x5F, 0x00},
             Answer{0x24, 0x01, 0x01, 0x15, 0x00, 0x00, 0x00},  // weekday 15
             Answer{0x24, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00},  // weekday 0
             Answer{0x24, 0x01, 0x01, 0x08, 0x00, 0x00, 0x00},
             Answer{0x23, 0x02, 0x29, 0x03, 0x00, 0x00, 0x00},  // no 29 February
             Answer{0x24, 0x01, 0x01, 0x01, 0x00, 0x00},        // six bytes
         }) {
        EXPECT_EQ(ClockFromAnswer(garbled), std::nullopt) << ::testing::PrintToString(garbled);
    }
}
