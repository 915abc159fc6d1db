#pragma once
// Working days and public holidays over the whole 32-bit year range: a weekend
// mask, built-in regions, holidays of the user's own, counting and shifting in
// bounded time whatever the span. Texts are Windows-1252.
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "dates/dater.h"

// ---- the week ------------------------------------------------------------
// Days off each week: bit 0 Monday .. bit 6 Sunday.
struct WeekendT {
  uint8_t mask = 0x60;  // Saturday and Sunday
  bool operator==(const WeekendT&) const = default;
};

struct WeekendParseT {
  WeekendT weekend;
  std::string error;  // empty when the text was read
};

// English three-letter day names, comma separated, any case: "sat,sun";
// "none" for a seven-day working week. A name may repeat; unknown names and
// all seven days are errors.
WeekendParseT ParseWeekend(std::string_view text);
// The mask as ParseWeekend reads it, Monday first: "sat,sun".
std::string WeekendText(WeekendT weekend);

// ---- regions -------------------------------------------------------------
struct RegionT {
  std::string_view code;     // ISO 3166: "DE", "DE-BY", "GB-SCT", "US"
  std::string_view english;  // "Bavaria"
  std::string_view german;   // "Bayern"
  int32_t firstYear = 1950;  // no built-in holidays before it
};

// The built-in regions, in a fixed order.
std::span<const RegionT> Regions();
// The region of a code in any case; nullptr when there is none.
const RegionT* FindRegion(std::string_view code);

// ---- holidays ------------------------------------------------------------
// A holiday of the user's own: one date (firstYear == lastYear) or the same
// day every year from firstYear to lastYear. 29 February falls in leap years.
struct CustomHolidayT {
  int32_t month = 1, day = 1;
  int32_t firstYear = 1, lastYear = 1;
  std::string name;
};

// One date that is a holiday. When several holidays fall on it, their names
// are joined with " / " in the order of the region's list, own ones last.
struct HolidayT {
  DateTripleT date;
  std::string english, german;  // the same text for holidays of the user's own
};

// The name in the language of CalcContextT::language (1 = German, 2 = English).
const std::string& HolidayName(const HolidayT& holiday, uint8_t language);

struct WorkTablesT;  // what counting needs, built by InitWorkCalendar

struct WorkCalendarT {
  WeekendT weekend;
  const RegionT* region = nullptr;     // nullptr: no built-in holidays
  std::vector<CustomHolidayT> custom;  // the user's holidays
  std::shared_ptr<const WorkTablesT> tables;
};

// region may be nullptr (no built-in holidays).
void InitWorkCalendar(WorkCalendarT& calendar, WeekendT weekend, const RegionT* region,
                      std::span<const CustomHolidayT> custom);

// The holiday on a date, if any.
std::optional<HolidayT> HolidayOn(const WorkCalendarT& calendar, DateTripleT date);
// Neither a weekend day nor a holiday.
bool IsWorkday(const WorkCalendarT& calendar, DateTripleT date);
// The holidays from 1 January of firstYear to 31 December of lastYear, by
// date, each date once. The list grows with the years asked for.
std::vector<HolidayT> HolidaysInYears(const WorkCalendarT& calendar, int32_t firstYear, int32_t lastYear);

// ---- counting and shifting -----------------------------------------------
// count + weekendDays + holidays == totalDays.
struct WorkdayCountT {
  int64_t count = 0;        // working days
  int64_t weekendDays = 0;
  int64_t holidays = 0;     // holidays on other days than the weekend's, each date once
  int64_t totalDays = 0;
};

// The days from the earlier date (included) to the later one (excluded, or
// included with includeEnd), whichever of the two comes first: the counts are
// never negative. Dates out of range are carried as NormalizeDate does.
WorkdayCountT CountWorkdays(const WorkCalendarT& calendar, DateTripleT date1, DateTripleT date2, bool includeEnd);

struct WorkdayShiftT {
  DateTripleT date;
  std::string error;  // empty when the date exists in the year range
};

// n > 0: the working day with n working days in (date, result]; n < 0: the one
// with -n working days in [result, date); n = 0: the date itself.
WorkdayShiftT ShiftWorkdays(const WorkCalendarT& calendar, DateTripleT date, int64_t n);
