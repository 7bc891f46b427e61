// Dates of the proleptic Gregorian calendar, without time zones, and the
// packed BCD in which the reader's clock keeps them: for the program's clock
// commands and the virtual reader's clock alike.
#pragma once

#include <cstdint>

namespace calendar {

struct Date {
    int64_t year;
    int month;  // 1..12
    int day;    // 1..31
};

// Days from 1970-01-01 to `date`, and back.
int64_t DaysFromCivil(const Date& date);
Date CivilFromDays(int64_t days);

int DaysInMonth(int64_t year, int month);
bool IsValidDate(const Date& date);
// Monday = 1 .. Sunday = 7.
int Weekday(const Date& date);

// Packed BCD: two decimal digits in one byte, tens in the high nibble.
bool IsBcd(uint8_t byte);
// The value of a byte that IsBcd accepts.
int FromBcd(uint8_t byte);
// `value` 0..99.
uint8_t ToBcd(int value);

}  // namespace calendar
