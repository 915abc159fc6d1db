#pragma once
// The texts that the result layer and the command line write, in English and
// German. Windows-1252 like every text of the core; the command line converts
// them at output. The window's own texts use Qt's translations instead.
#include <cstdint>
#include <string_view>

enum class TextT : uint8_t {
  kYear, kYearPlural, kMonth, kMonthPlural, kWeek, kWeekPlural, kDay, kDayPlural,
  kYears, kMonths, kWeeks,  // units of the fractional totals
  kDecimalPoint,
  kDayOfYear, kWeekOfMonth, kWeekOfYear,
  kNewYearIn, kNewYearDay, kNewYearDays,  // "New Year in " N " Day" / " Days"
  kLeapYear,
  kWeekColumn,   // the week column's name in the menu
  kWeekCaption,  // before "MM.YYYY" in the week column's header
  kDate1, kDate2, kDifference, kWeekShort,
  kReadAs,  // a date field's hint: "read as " and the date
  kWorkingDay, kWorkingDayPlural,
  kHoliday,  // a fact line: "Holiday: " and the holiday's name
  kDateNote,  // before the number of a date argument in a note on standard error
  kUsage,
  kCount
};

// Language 1 is German, anything else English.
std::string_view LangText(uint8_t language, TextT id);
