#include "vantrel/panels/connection/device_page_logic.h"

#include <iterator>

#include "vantrel/toolkit/ui_text.h"

namespace {

constexpr const wchar_t* kCaptionsChinese[] = {
    L"端口设置",
    L"IP",
    L"PORT",
    L"连接",
    L"产品信息",
    L"产品序号",
    L"DLL版本",
    L"读取",
    L"设置指示灯颜色",
    L"颜色",
    L"执行",
    L"设备标记",
    L"读取",
    L"写入",
    L"设置蜂鸣时间",
    L"执行",
    L"设置天线状态",
    L"开",
    L"关",
    L"执行",
    L"时钟操作",
    L"读取",
    L"设置",
    L"可支持的卡",
};

constexpr const wchar_t* kCaptionsEnglish[] = {
    L"Port Setting",
    L"IP",
    L"Port",
    L"Connect",
    L"Information",
    L"Model",
    L"DLL Ver",
    L"Get",
    L"Light",
    L"Color",
    L"Send",
    L"Icdeve",
    L"Read",
    L"Write",
    L"Beep",
    L"Send",
    L"Antenna",
    L"On",
    L"Off",
    L"Send",
    L"RTC",
    L"Read",
    L"Write",
    L"Support Card",
};

constexpr CaptionBinding kCaptionBindings[] = {
    {1097, 0},
    {1227, 1},
    {1228, 2},
    {1053, 3},
    {1098, 4},
    {1229, 5},
    {1230, 6},
    {1066, 7},
    {1099, 8},
    {1197, 9},
    {1068, 10},
    {1100, 11},
    {1063, 12},
    {1064, 13},
    {1101, 14},
    {1067, 15},
    {1102, 16},
    {1070, 17},
    {1071, 18},
    {1069, 19},
    {1103, 20},
    {1186, 21},
    {1187, 22},
    {1104, 23},
};

static_assert(std::size(kCaptionBindings) == std::size(kCaptionsEnglish));

// Ranges of the check boxes by protocol group.
constexpr std::size_t kIso14443ABoxes = 6;  // 1213..1218
constexpr std::size_t kIso14443BEnd = 10;   // one past 1222
constexpr std::size_t kUltraLightFamilyBoxes = 4;  // SHC1102, UltraLight, S50, S70

SupportedCards BoxesFrom(std::size_t first, std::size_t end) {
    SupportedCards boxes{};
    for (std::size_t i = first; i < end; ++i) boxes[i] = true;
    return boxes;
}

uint8_t ToBcd(int value) { return static_cast<uint8_t>((value / 10) * 16 + value % 10); }

int FromBcd(uint8_t byte) { return (byte >> 4) * 10 + (byte & 0x0F); }

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

}  // namespace

constinit const UiTextTable kDevicePageCaptions =
    MakeUiTextTable(kCaptionsChinese, kCaptionsEnglish);

std::span<const CaptionBinding> DevicePageCaptionBindings() { return kCaptionBindings; }

std::string ModelTextFromAnswer(std::span<const uint8_t> buffer, std::size_t length) {
    std::string text;
    for (std::size_t i = 0; i < length && i < buffer.size() && buffer[i] != 0; ++i)
        text.push_back(static_cast<char>(buffer[i]));
    return text;
}

SupportedCards SupportedCardBoxes(std::string_view modelText) {
    if (modelText.size() < 6) return SupportedCards{};
    switch (modelText[5]) {
        case 'A':
        case 'G':
            return BoxesFrom(0, kIso14443ABoxes);
        case 'B':
            return BoxesFrom(kIso14443ABoxes, kIso14443BEnd);
        case 'D':
            return BoxesFrom(kIso14443BEnd, kSupportedCardCount);
        case 'E':
        case 'H':
            return BoxesFrom(0, kIso14443BEnd);
        case 'F':
        case 'I':
        case 'i':
            return BoxesFrom(0, kSupportedCardCount);
        case 'L':
            return BoxesFrom(0, kUltraLightFamilyBoxes);
        default:
            return SupportedCards{};
    }
}

std::wstring LibraryVersionText(uint32_t version) {
    return std::to_wstring(version) + L".0";
}

std::optional<uint16_t> DeviceNumberFromBytes(std::span<const uint8_t> bytes) {
    if (bytes.size() != kDeviceNumberBytes) return std::nullopt;
    return static_cast<uint16_t>(bytes[0] + 256 * bytes[1]);
}

int WeekdayNumber(int dayOfWeek) { return dayOfWeek == 0 ? 7 : dayOfWeek; }

std::wstring WeekdayText(int weekdayNumber) {
    return FormatText(UiText(kMainMessages, kTextWeek), weekdayNumber);
}

std::array<uint8_t, 7> EncodeClock(const ClockTime& time) {
    return {ToBcd(time.year % 100), ToBcd(time.month),  ToBcd(time.day),
            ToBcd(time.weekday),    ToBcd(time.hour),   ToBcd(time.minute),
            ToBcd(time.second)};
}

ClockTime DecodeClock(std::span<const uint8_t, 7> bytes) {
    const int yearInCentury = FromBcd(bytes[0]);
    ClockTime time{};
    time.year = (yearInCentury >= 51 && yearInCentury <= 99 ? 1900 : 2000) + yearInCentury;
    time.month = FromBcd(bytes[1]);
    time.day = FromBcd(bytes[2]);
    time.weekday = FromBcd(bytes[3]);
    time.hour = FromBcd(bytes[4]);
    time.minute = FromBcd(bytes[5]);
    time.second = FromBcd(bytes[6]);
    return time;
}

bool ClockIsValid(const ClockTime& time) {
    return time.month >= 1 && time.month <= 12 && time.day >= 1 &&
           time.day <= DaysInMonth(time.year, time.month) && time.hour >= 0 &&
           time.hour < 24 && time.minute >= 0 && time.minute < 60 && time.second >= 0 &&
           time.second < 60;
}
