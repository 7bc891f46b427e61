#include "vantrel/panels/connection/device_page_logic.h"

#include <iterator>

#include "common/calendar.h"
#include "vantrel/panels/connection/device_page_ids.h"
#include "vantrel/toolkit/id_range.h"
#include "vantrel/toolkit/ui_text.h"

namespace {

constexpr Caption kCaptions[] = {
    {IDC_DEV_PORT_GROUP, {L"端口设置", L"Port Setting"}},
    {IDC_DEV_ADDRESS_LABEL, {L"IP", L"IP"}},
    {IDC_DEV_PORT_LABEL, {L"PORT", L"Port"}},
    {IDC_DEV_CONNECT, {L"连接", L"Connect"}},
    {IDC_DEV_INFO_GROUP, {L"产品信息", L"Information"}},
    {IDC_DEV_MODEL_LABEL, {L"产品序号", L"Model"}},
    {IDC_DEV_VERSION_LABEL, {L"DLL版本", L"DLL Ver"}},
    {IDC_DEV_GET_INFO, {L"读取", L"Get"}},
    {IDC_DEV_LIGHT_GROUP, {L"设置指示灯颜色", L"Light"}},
    {IDC_DEV_COLOUR_LABEL, {L"颜色", L"Color"}},
    {IDC_DEV_LIGHT_SEND, {L"执行", L"Send"}},
    {IDC_DEV_NUMBER_GROUP, {L"设备标记", L"Icdeve"}},
    {IDC_DEV_NUMBER_READ, {L"读取", L"Read"}},
    {IDC_DEV_NUMBER_WRITE, {L"写入", L"Write"}},
    {IDC_DEV_BEEP_GROUP, {L"设置蜂鸣时间", L"Beep"}},
    {IDC_DEV_BEEP_SEND, {L"执行", L"Send"}},
    {IDC_DEV_ANTENNA_GROUP, {L"设置天线状态", L"Antenna"}},
    {IDC_DEV_ANTENNA_ON, {L"开", L"On"}},
    {IDC_DEV_ANTENNA_OFF, {L"关", L"Off"}},
    {IDC_DEV_ANTENNA_SEND, {L"执行", L"Send"}},
    {IDC_DEV_CLOCK_GROUP, {L"时钟操作", L"RTC"}},
    {IDC_DEV_CLOCK_READ, {L"读取", L"Read"}},
    {IDC_DEV_CLOCK_WRITE, {L"设置", L"Write"}},
    {IDC_DEV_SUPPORT_GROUP, {L"可支持的卡", L"Support Card"}},
};
static_assert(std::size(kCaptions) == 24);

static_assert(IdsAreConsecutive({IDC_DEV_CARD_SHC1102, IDC_DEV_CARD_ULTRALIGHT, IDC_DEV_CARD_S50,
                                 IDC_DEV_CARD_S70, IDC_DEV_CARD_DESFIRE, IDC_DEV_CARD_PRO,
                                 IDC_DEV_CARD_SR176, IDC_DEV_CARD_SRIX4K, IDC_DEV_CARD_AT88RF020,
                                 IDC_DEV_CARD_SMARTCARD_B, IDC_DEV_CARD_ICODE_SLI,
                                 IDC_DEV_CARD_TAG_IT, IDC_DEV_CARD_SRF55V01P,
                                 IDC_DEV_CARD_SRF55V02P}) &&
                  IDC_DEV_CARD_SHC1102 == kFirstSupportedCardId &&
                  IDC_DEV_CARD_SRF55V02P == kFirstSupportedCardId + kSupportedCardCount - 1,
              "the check box of card i is kFirstSupportedCardId + i");

// Ranges of the check boxes by protocol group.
constexpr std::size_t kIso14443ABoxes = 6;  // 1213..1218
constexpr std::size_t kIso14443BEnd = 10;   // one past 1222
constexpr std::size_t kUltraLightFamilyBoxes = 4;  // SHC1102, UltraLight, S50, S70

SupportedCards BoxesFrom(std::size_t first, std::size_t end) {
    SupportedCards boxes{};
    for (std::size_t i = first; i < end; ++i) boxes[i] = true;
    return boxes;
}

}  // namespace

std::span<const Caption> DevicePageCaptions() { return kCaptions; }

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
    using calendar::ToBcd;
    return {ToBcd(time.year % 100), ToBcd(time.month),  ToBcd(time.day),
            ToBcd(time.weekday),    ToBcd(time.hour),   ToBcd(time.minute),
            ToBcd(time.second)};
}

ClockTime DecodeClock(std::span<const uint8_t, 7> bytes) {
    using calendar::FromBcd;
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
    return calendar::IsValidDate({time.year, time.month, time.day}) && time.hour >= 0 && time.hour < 24 &&
           time.minute >= 0 && time.minute < 60 && time.second >= 0 && time.second < 60;
}

std::optional<ClockTime> ClockFromAnswer(std::span<const uint8_t> answer) {
    constexpr std::size_t kClockBytes = 7;
    if (answer.size() < kClockBytes) return std::nullopt;
    const auto bytes = answer.first<kClockBytes>();
    for (uint8_t byte : bytes) {
        if (!calendar::IsBcd(byte)) return std::nullopt;
    }
    const ClockTime time = DecodeClock(bytes);
    if (time.weekday < 1 || time.weekday > 7 || !ClockIsValid(time)) return std::nullopt;
    return time;
}
