// Holiday files of any bytes, as a plain list and (after an odd first byte)
// as iCalendar: a failed read is one line and keeps nothing; what is read is
// a calendar whose counts add up.
#include <string>

#include "fuzz/fuzz_support.h"
#include "holidays/holidayfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  if (size > 0 && (data[0] & 1)) bytes.replace(0, 1, "BEGIN:VCALENDAR\r\n");
  RunTimed([&] {
    const HolidayFileT file = ReadHolidays(bytes, "fuzz.txt");
    FUZZ_CHECK(file.error.empty() || file.holidays.empty());
    FUZZ_CHECK(file.error.find('\n') == std::string::npos);
    FUZZ_CHECK(file.error.empty() || file.error.starts_with("fuzz.txt:"));
    for (const CustomHolidayT& h : file.holidays) {
      FUZZ_CHECK(h.firstYear <= h.lastYear && h.firstYear != 0 && h.lastYear != 0);
      FUZZ_CHECK(ValidDate(h.day, h.month, 2000));
    }
    // A calendar's cost grows with the square of its rules; a few are enough here.
    if (file.holidays.empty() || file.holidays.size() > 16) return;
    WorkCalendarT calendar;
    InitWorkCalendar(calendar, WeekendT{}, FindRegion("GB-SCT"), file.holidays);
    const CustomHolidayT& first = file.holidays.front();
    const DateTripleT date{first.day, first.month, first.firstYear};
    if (!ValidDate(date.day, date.month, date.year)) return;  // 29 February from a year after an excluded one
    const WorkdayCountT r = CountWorkdays(calendar, date, {31, 12, 2147483647}, true);
    FUZZ_CHECK(r.count + r.weekendDays + r.holidays == r.totalDays && r.holidays >= 0);
    const auto holiday = HolidayOn(calendar, date);
    FUZZ_CHECK(holiday && holiday->english.find(first.name) != std::string::npos);
    FUZZ_CHECK(!IsWorkday(calendar, date));
    const WorkdayShiftT later = ShiftWorkdays(calendar, date, 1000);
    if (later.error.empty()) FUZZ_CHECK(CountWorkdays(calendar, date, later.date, true).count == 1000);
  });
  return 0;
}
