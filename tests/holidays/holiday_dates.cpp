// The holidays of a built-in region, for the checks against Debian's Python
// packages:
//   holiday_dates REGION FIRST_YEAR LAST_YEAR            one "YYYY-MM-DD" per date
//   holiday_dates REGION FIRST_YEAR LAST_YEAR --names    "YYYY-MM-DD<TAB>name"
//   holiday_dates REGION FIRST_YEAR LAST_YEAR --ics      the list as iCalendar
//   holiday_dates --read FILE                            "MM-DD FIRST LAST name" per holiday read
// Names are written in UTF-8.
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "holidays/holidayfile.h"
#include "util/cp1252.h"

int main(int argc, char** argv) {
  if (argc == 3 && std::string_view(argv[1]) == "--read") {
    const HolidayFileT file = ReadHolidayFile(argv[2]);
    if (!file.error.empty()) {
      std::fprintf(stderr, "%s\n", file.error.c_str());
      return 1;
    }
    for (const CustomHolidayT& h : file.holidays) {
      std::printf("%02d-%02d %d %d %s\n", h.month, h.day, h.firstYear, h.lastYear, AnsiToUtf8(h.name).c_str());
    }
    return 0;
  }
  const RegionT* region = argc >= 4 ? FindRegion(argv[1]) : nullptr;
  if (!region) {
    std::fprintf(stderr, "usage: holiday_dates REGION FIRST_YEAR LAST_YEAR [--names | --ics] | --read FILE\n");
    return 2;
  }
  const std::string_view option = argc > 4 ? argv[4] : "";
  WorkCalendarT calendar;
  InitWorkCalendar(calendar, WeekendT{}, region, {});
  const auto list = HolidaysInYears(calendar, std::atoi(argv[2]), std::atoi(argv[3]));
  if (option == "--ics") {
    const IcsTextT ics = HolidaysIcs(list, 2);
    if (!ics.error.empty()) {
      std::fprintf(stderr, "%s\n", ics.error.c_str());
      return 1;
    }
    std::fwrite(ics.text.data(), 1, ics.text.size(), stdout);
    return 0;
  }
  for (const HolidayT& h : list) {
    std::printf("%04d-%02d-%02d", h.date.year, h.date.month, h.date.day);
    if (option == "--names") std::printf("\t%s", AnsiToUtf8(h.english).c_str());
    std::printf("\n");
  }
  return 0;
}
