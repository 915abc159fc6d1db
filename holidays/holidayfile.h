#pragma once
// Holidays of the user's own from a file, and a holiday list as iCalendar.
// A file is iCalendar when it starts with BEGIN:VCALENDAR (after a byte order
// mark and blank space), otherwise a plain list:
//   # comment
//   2026-12-24 Christmas Eve
//   -0044-03-15 Ides of March      (years before 1: a leading "-", no year 0)
// Names may be UTF-8 or Windows-1252; inside they become Windows-1252.
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "holidays/workdays.h"

struct HolidayFileT {
  std::vector<CustomHolidayT> holidays;
  std::string error;  // one line, "holidays.txt:3: expected YYYY-MM-DD name"; empty when read
};

// The holidays in a file's bytes; name is the file's name for the messages.
HolidayFileT ReadHolidays(std::string_view bytes, std::string_view name);
// The file from disk, then as ReadHolidays.
HolidayFileT ReadHolidayFile(const std::filesystem::path& path);

// Whether iCalendar files can be read and written: the build has libical's
// headers and the library opens (at the first iCalendar file, so that the
// program starts without it).
bool IcsSupported();

struct IcsTextT {
  std::string text;   // UTF-8, CR LF line ends
  std::string error;  // empty when written
};

// One all-day event per holiday, named in the language given (1 = German,
// 2 = English). The output depends on nothing but the list.
IcsTextT HolidaysIcs(std::span<const HolidayT> holidays, uint8_t language);
