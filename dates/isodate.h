#pragma once
// ISO 8601 calendar dates ("2001-03-15"). ISO counts years astronomically:
// its year 0 is the year -1 here, its -1 the year -2.
#include <cstdint>
#include <string>
#include <string_view>

#include "dates/dater.h"

// Years 0000..9999 are written with four digits; other years with a sign and
// at least four digits, as ISO's expanded form: "-0001" (year -2 here),
// "+10000".
void AppendIsoDate(std::string& out, int32_t day, int32_t month, int32_t year);
std::string IsoDateText(int32_t day, int32_t month, int32_t year);

// Reads [+-]YYYY-MM-DD and nothing else: four or more year digits, two-digit
// month and day, a date that exists, a year within 32 bits once counted
// without a year 0. False for anything else, date untouched.
bool ParseIsoDate(std::string_view text, DateTripleT& date);
