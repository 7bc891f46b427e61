#include "common/calendar.h"

namespace calendar {

namespace {

constexpr int64_t kDaysPer400Years = 146097;
// Days from 0000-03-01, where these eras start, to 1970-01-01.
constexpr int64_t kEpochShift = 719468;

bool IsLeapYear(int64_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

}  // namespace

// Eras of 400 years that start on 1 March, so that a leap day ends its year.
int64_t DaysFromCivil(const Date& date) {
    const int64_t y = date.year - (date.month <= 2);
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yearOfEra = y - era * 400;
    const int64_t dayOfYear = (153 * (date.month + (date.month > 2 ? -3 : 9)) + 2) / 5 + date.day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * kDaysPer400Years + dayOfEra - kEpochShift;
}

Date CivilFromDays(int64_t days) {
    days += kEpochShift;
    const int64_t era = (days >= 0 ? days : days - (kDaysPer400Years - 1)) / kDaysPer400Years;
    const int64_t dayOfEra = days - era * kDaysPer400Years;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t mp = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    return {yearOfEra + era * 400 + (month <= 2), month, day};
}

int DaysInMonth(int64_t year, int month) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsValidDate(const Date& date) {
    return date.month >= 1 && date.month <= 12 && date.day >= 1 && date.day <= DaysInMonth(date.year, date.month);
}

int Weekday(const Date& date) {
    // 1970-01-01 was a Thursday (4).
    const int64_t days = DaysFromCivil(date);
    return static_cast<int>(((days % 7) + 7 + 3) % 7) + 1;
}

bool IsBcd(uint8_t byte) { return (byte >> 4) <= 9 && (byte & 0x0F) <= 9; }

int FromBcd(uint8_t byte) { return (byte >> 4) * 10 + (byte & 0x0F); }

uint8_t ToBcd(int value) { return static_cast<uint8_t>((value / 10) * 16 + value % 10); }

}  // namespace calendar
