#pragma once
// The working-day options: the calendar they choose for the results, and the
// lists of regions and holidays they print.
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "dates/dater.h"
#include "holidays/workdays.h"

struct WorkdayArgsT {
  bool on = false;  // the results count working days and name holidays
  const RegionT* region = nullptr;
  WeekendT weekend;  // Saturday and Sunday unless --weekend names others
  std::vector<std::filesystem::path> holidayFiles;
  bool includeEnd = false;
  bool listRegions = false;   // --regions
  bool listHolidays = false;  // --list-holidays FIRST[:LAST]
  int32_t firstYear = 0, lastYear = 0;
  bool ics = false;  // the holiday list as iCalendar
};

// --region, --weekend, --holidays, --include-end, --regions, --list-holidays, --ics.
bool IsWorkdayOption(std::string_view name);
bool WorkdayOptionTakesValue(std::string_view name);
// Takes one of them. False with a one-line message for a bad value.
bool ReadWorkdayOption(WorkdayArgsT& args, std::string_view name, const std::string& value, std::string& error);

// Listing more years at once is surely a typing error, and the list would
// run to millions of lines.
inline constexpr int64_t kMaxListedYears = 10000;
// YEAR or FIRST:LAST; years may be negative, never 0.
bool ParseYearRange(std::string_view text, int32_t& first, int32_t& last, std::string& error);

// The holidays of the files, in their order. False with the message of the
// first that cannot be read ("holidays.txt:3: ...", Windows-1252) in error.
bool ReadHolidayFiles(std::span<const std::filesystem::path> files, std::vector<CustomHolidayT>& holidays,
                      std::string& error);
// The calendar the options choose, the holiday files read. False with the
// file's message ("holidays.txt:3: ...") in error.
bool LoadWorkCalendar(WorkCalendarT& calendar, const WorkdayArgsT& args, std::string& error);

// --regions: "CODE<TAB>name" lines, or one JSON array of {"code", "name"}.
void AppendRegionList(std::string& out, uint8_t language, bool json);
// --list-holidays: "date  weekday  name" lines in aligned columns, or one
// JSON array of {"date" (ISO), "weekday" (1 = Monday), "weekdayName", "name"}.
void AppendHolidayList(std::string& out, std::span<const HolidayT> holidays, const CalcContextT& context, bool json);
