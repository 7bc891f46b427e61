#include "kelvar/store/store_time.h"

#include <cstdint>
#include <cstdio>

namespace kelvar {

namespace {

struct UtcFields {
    int64_t year;
    unsigned month, day, hour, minute, second;
};

// Days since 1970-01-01 to a civil date (proleptic Gregorian).
UtcFields Split(std::chrono::system_clock::time_point when) {
    const int64_t seconds = std::chrono::duration_cast<std::chrono::seconds>(when.time_since_epoch()).count();
    int64_t days = seconds / 86400;
    int64_t rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t mp = (5 * dayOfYear + 2) / 153;
    const auto day = static_cast<unsigned>(dayOfYear - (153 * mp + 2) / 5 + 1);
    const auto month = static_cast<unsigned>(mp < 10 ? mp + 3 : mp - 9);
    const int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    return {year, month, day, static_cast<unsigned>(rest / 3600), static_cast<unsigned>(rest / 60 % 60),
            static_cast<unsigned>(rest % 60)};
}

}  // namespace

std::string CompactUtcStamp(std::chrono::system_clock::time_point when) {
    const UtcFields t = Split(when);
    char text[40];
    std::snprintf(text, sizeof text, "%04lld%02u%02uT%02u%02u%02uZ", static_cast<long long>(t.year), t.month, t.day,
                  t.hour, t.minute, t.second);
    return text;
}

std::string ReadableUtcStamp(std::chrono::system_clock::time_point when) {
    const UtcFields t = Split(when);
    char text[40];
    std::snprintf(text, sizeof text, "%04lld-%02u-%02u %02u:%02u:%02uZ", static_cast<long long>(t.year), t.month,
                  t.day, t.hour, t.minute, t.second);
    return text;
}

}  // namespace kelvar
