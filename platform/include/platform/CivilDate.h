#pragma once

#include <cstdint>

// Calendar arithmetic on the proleptic Gregorian calendar, counted in days
// from 1970-01-01, for every year a 64-bit day count can hold.
namespace platform {

// A calendar date: month 1 to 12, day 1 to 31.
struct CivilDate {
    std::int64_t year;
    int month;
    int day;
};

// Days from 1970-01-01 to the given date (negative before it); month is 1 to 12.
std::int64_t DaysFromCivil(std::int64_t year, int month, int day);

// The date that lies days after 1970-01-01 (before it when negative).
CivilDate CivilFromDays(std::int64_t days);

}  // namespace platform
