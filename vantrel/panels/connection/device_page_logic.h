// What the device page computes without windows: its captions, the card
// families a reader model supports, the device number and the clock bytes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "vantrel/toolkit/ui_text.h"

// The page's caption table.
std::span<const Caption> DevicePageCaptions();

// Texts of the page's own input checks.
inline constexpr UiString kNeedPortNumberText{L"请输入0到65535之间的整数端口号!",
                                              L"Input a whole port number from 0 to 65535 please!"};
inline constexpr UiString kBadClockAnswerText{L"读卡器返回的时钟数据无效",
                                              L"Invalid clock data from the reader"};

inline constexpr uint32_t kDefaultReaderAddress = 0xC0A801C8;  // 192.168.1.200
inline constexpr int kDefaultReaderPort = 2000;
inline constexpr std::size_t kDeviceNumberBytes = 2;
inline constexpr std::size_t kBeepTimeBytes = 1;

// LED colour list, item data = position; the same in both languages.
inline constexpr std::array<const wchar_t*, 4> kLedColourNames{L"Off", L"red", L"green",
                                                                L"yellow"};

// Supported-card check boxes 1213 to 1226, in id order.
inline constexpr int kFirstSupportedCardId = 1213;
inline constexpr std::size_t kSupportedCardCount = 14;
using SupportedCards = std::array<bool, kSupportedCardCount>;

// Model text of a rf_get_model answer: the first `length` bytes of the
// buffer, cut at the first zero byte.
std::string ModelTextFromAnswer(std::span<const uint8_t> buffer, std::size_t length);

// Boxes checked for a model text, chosen by its sixth character.
SupportedCards SupportedCardBoxes(std::string_view modelText);

// Library version as shown: 5 -> "5.0".
std::wstring LibraryVersionText(uint32_t version);

// Device number of exactly two bytes, first byte low; none for other counts.
std::optional<uint16_t> DeviceNumberFromBytes(std::span<const uint8_t> bytes);

// Weekday: Monday = 1 ... Saturday = 6, Sunday = 7, as the reader counts.
struct ClockTime {
    int year, month, day, weekday, hour, minute, second;
    friend bool operator==(const ClockTime&, const ClockTime&) = default;
};

// Reader weekday of a day of the week counted from Sunday = 0.
int WeekdayNumber(int dayOfWeek);

// "week %d " in the program's language.
std::wstring WeekdayText(int weekdayNumber);

// The reader's seven packed-BCD clock bytes: year in century, month, day,
// weekday, hour, minute, second.
std::array<uint8_t, 7> EncodeClock(const ClockTime& time);

// Years 51 to 99 are 19xx, everything else 20xx.
ClockTime DecodeClock(std::span<const uint8_t, 7> bytes);

// Whether a decoded time names a real date and time of day (a reader may
// answer bytes that are not BCD).
bool ClockIsValid(const ClockTime& time);

// The time a ReadTime answer names: nothing for fewer than seven bytes, a
// nibble above 9, a weekday outside 1 to 7 or a date or time that does not exist.
std::optional<ClockTime> ClockFromAnswer(std::span<const uint8_t> answer);
