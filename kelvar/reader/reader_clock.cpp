#include "kelvar/reader/reader_clock.h"

#include <ctime>

namespace kelvar {

namespace {

constexpr int64_t kSecondsPerDay = 86400;

// Days from 1970-01-01 to the given proleptic Gregorian date.
constexpr int64_t DaysFromCivil(int64_t y, int m, int d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

constexpr int64_t kEpoch2000 = DaysFromCivil(2000, 1, 1);

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

std::optional<int> FromBcd(uint8_t b) {
    const int tens = b >> 4;
    const int units = b & 0x0F;
    if (tens > 9 || units > 9) return std::nullopt;
    return tens * 10 + units;
}

uint8_t ToBcd(int value) { return static_cast<uint8_t>((value / 10) * 16 + value % 10); }

}  // namespace

CivilTime SystemLocalTime() {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
#ifdef _WIN32
    localtime_s(&tm, &now);
#else
    localtime_r(&now, &tm);
#endif
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

int64_t SecondsSince2000(const CivilTime& t) {
    const int64_t days = DaysFromCivil(t.year, t.month, t.day) - kEpoch2000;
    return days * kSecondsPerDay + t.hour * 3600 + t.minute * 60 + t.second;
}

CivilTime CivilFromSeconds(int64_t seconds) {
    const int64_t days = FloorDiv(seconds, kSecondsPerDay);
    const int64_t rest = seconds - days * kSecondsPerDay;
    CivilTime t;
    CivilFromDays(days + kEpoch2000, t.year, t.month, t.day);
    t.hour = static_cast<int>(rest / 3600);
    t.minute = static_cast<int>(rest / 60 % 60);
    t.second = static_cast<int>(rest % 60);
    return t;
}

int Weekday(int year, int month, int day) {
    // 1970-01-01 was a Thursday (4).
    const int64_t days = DaysFromCivil(year, month, day);
    return static_cast<int>((days % 7 + 7 + 3) % 7) + 1;
}

bool IsValidDate(int year, int month, int day) {
    static constexpr int kDaysInMonth[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12 || day < 1) return false;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const int last = kDaysInMonth[month - 1] + (month == 2 && leap ? 1 : 0);
    return day <= last;
}

std::optional<CivilTime> DecodeClockBytes(const ClockBytes& bytes) {
    int v[7];
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto decoded = FromBcd(bytes[i]);
        if (!decoded) return std::nullopt;
        v[i] = *decoded;
    }
    const CivilTime t{2000 + v[0], v[1], v[2], v[4], v[5], v[6]};
    if (!IsValidDate(t.year, t.month, t.day)) return std::nullopt;
    if (v[3] < 1 || v[3] > 7) return std::nullopt;
    if (t.hour > 23 || t.minute > 59 || t.second > 59) return std::nullopt;
    return t;
}

ClockBytes EncodeClockBytes(const CivilTime& t) {
    return {ToBcd(t.year % 100), ToBcd(t.month), ToBcd(t.day), ToBcd(Weekday(t.year, t.month, t.day)),
            ToBcd(t.hour), ToBcd(t.minute), ToBcd(t.second)};
}

}  // namespace kelvar
