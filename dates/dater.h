#pragma once
// Calendar arithmetic on plain day/month/year integers (proleptic Gregorian,
// no year 0) and the date texts, names and number texts built on it.
#include <cstdint>
#include <string>
#include <string_view>

struct DateTripleT {
  int32_t day = 0;
  int32_t month = 0;
  int32_t year = 0;
  bool operator==(const DateTripleT&) const = default;
};

// Difference of two dates; totals are 64-bit so spans of billions of years fit.
struct DateDiffT {
  int64_t years = 0;
  int64_t months = 0;
  int64_t days = 0;
  int64_t totalMonths = 0;
  int64_t totalDays = 0;
};

struct DateInfoT {
  uint32_t stamp = 0;
  int32_t day = 0, month = 0, year = 0, weekday = 0, zodiac = 0;
  uint16_t hour = 0, minute = 0, second = 0, millisecond = 0;
  std::string monthName, weekdayName, zodiacName;
};

// ---- the context of a calculation ---------------------------------------
// How the weeks of a year are counted.
enum class WeekNumberingT : uint8_t {
  kFirstMonday,  // week 1 starts on the year's first Monday; days before it are week 53
  kIso8601,      // weeks run Monday to Sunday; week 1 holds the year's first Thursday
};

// Everything a calculation reads besides its own input: what "today" is, the
// language of the names (1 = German, 2 = English) and the week rule. Passed
// along instead of read from globals, so calculations can run side by side.
// The program's entry fills in today; nothing below it reads the clock.
struct CalcContextT {
  DateTripleT today;
  uint8_t language = 2;
  WeekNumberingT weeks = WeekNumberingT::kFirstMonday;
};

// ---- arithmetic ----------------------------------------------------------
bool LeapYear(int32_t year);
int32_t YearLength(int32_t year);
int32_t MonthLength(int32_t month, int32_t year);
void StepYear(int32_t& year, int64_t count);
void LiftYear(int32_t& year);
void NormalizeMonth(int32_t& month, int32_t& year);
void NormalizeDate(int32_t& day, int32_t& month, int32_t& year);
bool ValidDate(int32_t day, int32_t month, int32_t year);
int32_t WeekdayOf(int32_t day, int32_t month, int32_t year);  // 1 = Monday
int32_t DayOfYearNo(int32_t day, int32_t month, int32_t year);
int32_t DaysToNewYear(int32_t day, int32_t month, int32_t year);
int32_t WeekOfMonthNo(int32_t day);
int32_t WeekOfYearNo(int32_t day, int32_t month, int32_t year);
// ISO 8601: the week of the year that holds the date's Thursday, 1..53; the
// first and last days of a year may belong to the neighbouring year's weeks.
int32_t IsoWeekOfYearNo(int32_t day, int32_t month, int32_t year);
void NextDay(int32_t& day, int32_t& month, int32_t& year);
void PrevDay(int32_t& day, int32_t& month, int32_t& year);
DateTripleT AddDays(int32_t& day, int32_t& month, int32_t& year, int64_t count);
DateTripleT AddMonths(int32_t& day, int32_t& month, int32_t& year, int64_t count);
DateTripleT AddYears(int32_t& day, int32_t& month, int32_t& year, int64_t count);
int32_t CompareDates(int32_t d1, int32_t m1, int32_t y1, int32_t d2, int32_t m2, int32_t y2);
// In/out form: afterwards d1/m1/y1 hold days/months/years and d2/m2/y2 hold
// total days/total months/years.
void DateDiff(int64_t& d1, int64_t& m1, int64_t& y1, int64_t& d2, int64_t& m2, int64_t& y2);
DateDiffT DateDifference(const DateTripleT& a, const DateTripleT& b);
double Count2323(int32_t day, int32_t month, int32_t year);
double Count2260(int32_t day, int32_t month, int32_t year);
DateInfoT FileDateInfo(const CalcContextT& context, uint32_t stamp);

// Day numbers: days since 1 January of year 1 (a Monday), negative before
// it; one to one with the valid dates of the whole 32-bit year range.
int64_t DayNumberOf(int32_t day, int32_t month, int32_t year);
// The date of a day number; before the range's first day that day, after its last day that day.
DateTripleT DateOfDayNumber(int64_t n);
int32_t WeekdayOfDayNumber(int64_t n);  // 1 = Monday

// The week of the year by the context's rule.
int32_t WeekOfYearNo(const CalcContextT& context, int32_t day, int32_t month, int32_t year);
// The same for a date whose weekday (1 = Monday) the caller knows already,
// as a calendar does for each of its rows.
int32_t WeekOfYearNo(const CalcContextT& context, int32_t day, int32_t month, int32_t year, int32_t weekday);

// ---- names ---------------------------------------------------------------
std::string_view MonthName(const CalcContextT& context, int32_t month);
std::string_view WeekdayName(const CalcContextT& context, int32_t day, int32_t month, int32_t year);
std::string_view ZodiacName(const CalcContextT& context, int32_t day, int32_t month, int32_t year);
// Weekday 1 (Monday) .. 7 (Sunday) by its number.
std::string_view WeekdayNameOf(const CalcContextT& context, int32_t weekday);
int32_t ZodiacIndex(int32_t day, int32_t month);

// ---- today ---------------------------------------------------------------
// The system's local date. Only the program's entries ask it, to fill in a
// context's today; calculations read today from their context.
DateTripleT TodayDate();

// ---- texts ---------------------------------------------------------------
DateTripleT ParseDate(const CalcContextT& context, std::string_view text, int32_t& day, int32_t& month,
                      int32_t& year);
DateTripleT ParseDate(const CalcContextT& context, std::string_view text);
std::string FormatDate(const CalcContextT& context, std::string_view pattern, int32_t day, int32_t month,
                       int32_t year);
std::string FormatToday(const CalcContextT& context, std::string_view pattern);
std::string WeekdayDateText(const CalcContextT& context, int32_t day, int32_t month, int32_t year);
std::string DateText(int32_t day, int32_t month, int32_t year);

std::string IntText(int64_t n);
void AppendIntText(std::string& out, int64_t n);  // IntText without a temporary
std::string PadNumber(int64_t n, int32_t width);
std::string RealText(int32_t decimals, long double x);
std::string TrimmedRealText(int32_t decimals, long double x);
int32_t TextToInt(std::string_view text);
// Lenient reading shared by TextToInt: digits, "." and a leading "-" are kept.
long double TextToReal(std::string_view text);
