#include "kelvar/reader/reader_clock.h"

#include <ctime>

#include "common/calendar.h"

namespace kelvar {

namespace {

constexpr int64_t kSecondsPerDay = 86400;
const int64_t kEpoch2000 = calendar::DaysFromCivil({2000, 1, 1});

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

calendar::Date DateOf(const CivilTime& t) { return {t.year, t.month, t.day}; }

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
    const int64_t days = calendar::DaysFromCivil(DateOf(t)) - kEpoch2000;
    return days * kSecondsPerDay + t.hour * 3600 + t.minute * 60 + t.second;
}

CivilTime CivilFromSeconds(int64_t seconds) {
    const int64_t days = FloorDiv(seconds, kSecondsPerDay);
    const int64_t rest = seconds - days * kSecondsPerDay;
    const calendar::Date date = calendar::CivilFromDays(days + kEpoch2000);
    CivilTime t{static_cast<int>(date.year), date.month, date.day};
    t.hour = static_cast<int>(rest / 3600);
    t.minute = static_cast<int>(rest / 60 % 60);
    t.second = static_cast<int>(rest % 60);
    return t;
}

std::optional<CivilTime> DecodeClockBytes(const ClockBytes& bytes) {
    int v[7];
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (!calendar::IsBcd(bytes[i])) return std::nullopt;
        v[i] = calendar::FromBcd(bytes[i]);
    }
    const CivilTime t{2000 + v[0], v[1], v[2], v[4], v[5], v[6]};
    if (!calendar::IsValidDate(DateOf(t))) return std::nullopt;
    if (v[3] < 1 || v[3] > 7) return std::nullopt;
    if (t.hour > 23 || t.minute > 59 || t.second > 59) return std::nullopt;
    return t;
}

ClockBytes EncodeClockBytes(const CivilTime& t) {
    using calendar::ToBcd;
    return {ToBcd(t.year % 100), ToBcd(t.month), ToBcd(t.day), ToBcd(calendar::Weekday(DateOf(t))),
            ToBcd(t.hour), ToBcd(t.minute), ToBcd(t.second)};
}

}  // namespace kelvar
