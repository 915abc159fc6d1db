#pragma once
// Slow, step-by-step procedures the holiday engine is checked against.
#include <cstdint>
#include <map>
#include <set>
#include <utility>

#include "holidays/workdays.h"
#include "tests/dates/literal.h"

namespace reference {

inline int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

// Easter Sunday (month, day) of an astronomical year by the Gregorian epact
// rules as Knuth states them (TAOCP 1.3.2, exercise 14): the paschal full moon
// from the epact, then the Sunday after it by stepping weekdays.
inline std::pair<int64_t, int64_t> Easter(int64_t astro) {
  const int64_t golden = astro - FloorDiv(astro, 19) * 19 + 1;
  const int64_t century = FloorDiv(astro, 100) + 1;
  const int64_t solar = FloorDiv(3 * century, 4) - 12;
  const int64_t lunar = FloorDiv(8 * century + 5, 25) - 5;
  const int64_t raw = 11 * golden + 20 + lunar - solar;
  int64_t epact = raw - FloorDiv(raw, 30) * 30;
  if ((epact == 25 && golden > 11) || epact == 24) ++epact;
  int64_t day = 44 - epact;  // of March
  if (day < 21) day += 30;
  int64_t month = 3;
  if (day > 31) {
    month = 4;
    day -= 31;
  }
  int64_t year = astro >= 1 ? astro : astro - 1;
  const int64_t weekday = literal::Weekday(day, month, year);
  for (int64_t k = 0; k < 7 - weekday % 7; ++k) literal::NextDay(day, month, year);
  return {month, day};
}

// Holidays of a calendar, one year at a time, from its list.
class YearLists {
 public:
  explicit YearLists(const WorkCalendarT& calendar) : calendar_(calendar) {}

  // The holidays of a calendar year as day numbers.
  const std::set<int64_t>& Days(int32_t year) {
    auto [it, fresh] = years_.try_emplace(year);
    if (fresh) {
      for (const HolidayT& h : HolidaysInYears(calendar_, year, year)) {
        it->second.insert(DayNumberOf(h.date.day, h.date.month, h.date.year));
      }
    }
    return it->second;
  }

  bool Off(int64_t day) const { return (calendar_.weekend.mask >> (WeekdayOfDayNumber(day) - 1)) & 1; }

  // Days of [a, b) one by one.
  WorkdayCountT Count(int64_t a, int64_t b) {
    WorkdayCountT r;
    for (int64_t d = a; d < b; ++d) {
      ++r.totalDays;
      if (Off(d)) {
        ++r.weekendDays;
      } else if (Days(DateOfDayNumber(d).year).count(d)) {
        ++r.holidays;
      } else {
        ++r.count;
      }
    }
    return r;
  }

  // Holidays on working weekdays of whole years, one year at a time.
  int64_t HolidaysOfYears(int32_t first, int32_t last) {
    int64_t n = 0;
    for (int64_t y = first; y <= last; ++y) {
      if (y == 0) continue;
      for (int64_t d : Days(static_cast<int32_t>(y))) n += !Off(d);
      years_.erase(static_cast<int32_t>(y));
    }
    return n;
  }

 private:
  const WorkCalendarT& calendar_;
  std::map<int32_t, std::set<int64_t>> years_;
};

}  // namespace reference
