#pragma once
// Gregorian Easter on the proleptic calendar, for any 64-bit astronomical year
// (year 0 is 1 BC), and how many years of a span have Easter on a given date.
#include <cstdint>

// Easter Sunday falls on 22 March .. 25 April: index 0 .. 34 from 22 March.
inline constexpr int32_t kEasterDates = 35;

// The Meeus/Jones/Butcher computus ("Anonymous Gregorian algorithm", Meeus,
// Astronomical Algorithms 1991, ch. 8) with floored division, so it holds for
// negative years too; it repeats every 5,700,000 years.
int32_t EasterIndex(int64_t astroYear);

// Years in [0, year) (astronomical) with Easter on the index; for a negative
// year, minus those in [year, 0). Constant time: whole Easter cycles, blocks
// of 10,000 years and centuries from tables built at compile time, and at
// most 50 centuries and 50 years one by one.
int64_t YearsWithEasterBefore(int32_t index, int64_t year);
// Years y in [fromYear, toYear) with Easter on the index.
int64_t YearsWithEaster(int32_t index, int64_t fromYear, int64_t toYear);
