// Calendar arithmetic and the seven packed-BCD clock bytes of the reader:
// year within the century, month, day, weekday (Monday 1 .. Sunday 7), hour,
// minute, second. The reader's calendar covers 2000 to 2099.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

namespace kelvar {

struct CivilTime {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;

    bool operator==(const CivilTime&) const = default;
};

// Local time of the host; injectable so that tests control the clock.
using HostClock = std::function<CivilTime()>;

// The host's local time from the system clock.
CivilTime SystemLocalTime();

using ClockBytes = std::array<uint8_t, 7>;

// Seconds since 2000-01-01 00:00:00 on a calendar without time zones, and back.
int64_t SecondsSince2000(const CivilTime& time);
CivilTime CivilFromSeconds(int64_t seconds);

// The time held by the bytes, or nothing for a nibble above 9, a field out of
// range or a date that does not exist. The weekday byte must be 1..7 but
// need not match the date.
std::optional<CivilTime> DecodeClockBytes(const ClockBytes& bytes);

// `time` must lie in 2000..2099; the weekday byte is computed from the date.
ClockBytes EncodeClockBytes(const CivilTime& time);

}  // namespace kelvar
