#pragma once
// Internal parts of the holiday files: names, and iCalendar through libical
// (ics.cpp, built only where libical is found).
#include <span>
#include <string>
#include <string_view>

#include "holidays/holidayfile.h"

// A holiday's name from a file's bytes, read as FileTextToAnsi reads a file;
// control characters become spaces.
std::string HolidayNameText(std::string_view bytes);

// Whether libical opens; ics.cpp opens it at the first use.
bool IcsLibraryOpens();
HolidayFileT ReadIcsHolidays(std::string_view bytes, std::string_view name);
IcsTextT IcsOfHolidays(std::span<const HolidayT> holidays, uint8_t language);
