#include "kelvar/store/store_time.h"

#include <cstdint>
#include <cstdio>

#include "common/calendar.h"

namespace kelvar {

namespace {

struct UtcFields {
    int64_t year;
    unsigned month, day, hour, minute, second;
};

UtcFields Split(std::chrono::system_clock::time_point when) {
    const int64_t seconds = std::chrono::duration_cast<std::chrono::seconds>(when.time_since_epoch()).count();
    int64_t days = seconds / 86400;
    int64_t rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    const calendar::Date date = calendar::CivilFromDays(days);
    return {date.year, static_cast<unsigned>(date.month), static_cast<unsigned>(date.day),
            static_cast<unsigned>(rest / 3600), static_cast<unsigned>(rest / 60 % 60), static_cast<unsigned>(rest % 60)};
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
