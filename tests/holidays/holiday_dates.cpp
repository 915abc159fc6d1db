// Prints a built-in region's holidays for the cross-check against workalendar:
//   holiday_dates REGION FIRST_YEAR LAST_YEAR [--names]
// one "YYYY-MM-DD" line per date (with "<TAB>English name" after --names).
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "holidays/workdays.h"

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: holiday_dates REGION FIRST_YEAR LAST_YEAR [--names]\n");
    return 2;
  }
  const RegionT* region = FindRegion(argv[1]);
  if (!region) {
    std::fprintf(stderr, "unknown region %s\n", argv[1]);
    return 2;
  }
  const bool names = argc > 4 && std::string_view(argv[4]) == "--names";
  WorkCalendarT calendar;
  InitWorkCalendar(calendar, WeekendT{}, region, {});
  for (const HolidayT& h : HolidaysInYears(calendar, std::atoi(argv[2]), std::atoi(argv[3]))) {
    std::printf("%04d-%02d-%02d", h.date.year, h.date.month, h.date.day);
    if (names) std::printf("\t%s", h.english.c_str());
    std::printf("\n");
  }
  return 0;
}
