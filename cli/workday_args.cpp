#include "cli/workday_args.h"

#include <algorithm>
#include <iterator>

#include "cli/json.h"
#include "cli/program_args.h"
#include "dates/isodate.h"
#include "holidays/holidayfile.h"
#include "util/ErrorText.h"
#include "util/valstr.h"

namespace {

constexpr std::string_view kValueOptions[] = {"--region", "--weekend", "--holidays", "--list-holidays"};
constexpr std::string_view kFlagOptions[] = {"--include-end", "--regions", "--ics"};

int64_t AstroYear(int32_t year) { return year >= 1 ? year : int64_t{year} + 1; }

bool ReadYear(std::string_view text, int32_t& year, std::string& error) {
  if (!ReadStrictInt(text, year)) {
    error = "--list-holidays: '" + ShownText(text) + "' is no year";
    return false;
  }
  if (year == 0) {
    error = "--list-holidays: there is no year 0 (1 BC is -1)";
    return false;
  }
  return true;
}

}  // namespace

bool IsWorkdayOption(std::string_view name) {
  return WorkdayOptionTakesValue(name) || std::find(std::begin(kFlagOptions), std::end(kFlagOptions), name) !=
                                              std::end(kFlagOptions);
}

bool WorkdayOptionTakesValue(std::string_view name) {
  return std::find(std::begin(kValueOptions), std::end(kValueOptions), name) != std::end(kValueOptions);
}

bool ReadWorkdayOption(WorkdayArgsT& args, std::string_view name, const std::string& value, std::string& error) {
  if (name == "--region") {
    args.region = FindRegion(value);
    if (!args.region) {
      error = "--region: no region '" + ShownText(value) + "'; 'orvane --regions' lists them";
      return false;
    }
    args.on = true;
  } else if (name == "--weekend") {
    const WeekendParseT parsed = ParseWeekend(value);
    if (!parsed.error.empty()) {
      error = "--weekend: " + ShownText(parsed.error);
      return false;
    }
    args.weekend = parsed.weekend;
    args.on = true;
  } else if (name == "--holidays") {
    if (value.empty()) {
      error = "option --holidays needs a file name";
      return false;
    }
    args.holidayFiles.push_back(ArgPath(value));
    args.on = true;
  } else if (name == "--include-end") {
    args.includeEnd = true;
    args.on = true;
  } else if (name == "--regions") {
    args.listRegions = true;
  } else if (name == "--ics") {
    args.ics = true;
  } else if (name == "--list-holidays") {
    if (!ParseYearRange(value, args.firstYear, args.lastYear, error)) return false;
    args.listHolidays = true;
  }
  return true;
}

bool ParseYearRange(std::string_view text, int32_t& first, int32_t& last, std::string& error) {
  const size_t colon = text.find(':');
  int32_t a = 0, b = 0;
  if (!ReadYear(text.substr(0, colon), a, error)) return false;
  if (colon == std::string_view::npos) b = a;
  else if (!ReadYear(text.substr(colon + 1), b, error)) return false;
  if (a > b) {
    error = "--list-holidays: the first year " + IntText(a) + " comes after the last " + IntText(b);
    return false;
  }
  if (AstroYear(b) - AstroYear(a) + 1 > kMaxListedYears) {
    error = "--list-holidays: at most " + IntText(kMaxListedYears) + " years at once";
    return false;
  }
  first = a;
  last = b;
  return true;
}

bool ReadHolidayFiles(std::span<const std::filesystem::path> files, std::vector<CustomHolidayT>& holidays,
                      std::string& error) {
  for (const std::filesystem::path& file : files) {
    HolidayFileT read = ReadHolidayFile(file);
    if (!read.error.empty()) {
      error = read.error;
      return false;
    }
    std::move(read.holidays.begin(), read.holidays.end(), std::back_inserter(holidays));
  }
  return true;
}

bool LoadWorkCalendar(WorkCalendarT& calendar, const WorkdayArgsT& args, std::string& error) {
  std::vector<CustomHolidayT> custom;
  if (!ReadHolidayFiles(args.holidayFiles, custom, error)) {
    error = ShownText(error);
    return false;
  }
  InitWorkCalendar(calendar, args.weekend, args.region, custom);
  return true;
}

void AppendRegionList(std::string& out, uint8_t language, bool json) {
  const char* separator = "[";
  for (const RegionT& region : Regions()) {
    const std::string_view name = language == 1 ? region.german : region.english;
    if (json) {
      out += separator;
      out += "{\"code\":";
      AppendJsonString(out, region.code);
      out += ",\"name\":";
      AppendJsonString(out, name);
      out += '}';
      separator = ",";
    } else {
      out += region.code;
      out += '\t';
      out += name;
      out += '\n';
    }
  }
  if (json) out += Regions().empty() ? "[]\n" : "]\n";
}

void AppendHolidayList(std::string& out, std::span<const HolidayT> holidays, const CalcContextT& context, bool json) {
  if (json) {
    out += '[';
    for (size_t i = 0; i < holidays.size(); ++i) {
      const DateTripleT& d = holidays[i].date;
      const int32_t weekday = WeekdayOf(d.day, d.month, d.year);
      out += i == 0 ? "{\"date\":\"" : ",{\"date\":\"";
      AppendIsoDate(out, d.day, d.month, d.year);
      out += "\",\"weekday\":";
      AppendIntText(out, weekday);
      out += ",\"weekdayName\":";
      AppendJsonString(out, WeekdayNameOf(context, weekday));
      out += ",\"name\":";
      AppendJsonString(out, HolidayName(holidays[i], context.language));
      out += '}';
    }
    out += "]\n";
    return;
  }
  // Columns as wide as their widest entry; the weekdays as the language's widest name.
  size_t dateWidth = 0, weekdayWidth = 0;
  for (const HolidayT& h : holidays)
    dateWidth = std::max(dateWidth, DateText(h.date.day, h.date.month, h.date.year).size());
  for (int32_t w = 1; w <= 7; ++w) weekdayWidth = std::max(weekdayWidth, WeekdayNameOf(context, w).size());
  for (const HolidayT& h : holidays) {
    const DateTripleT& d = h.date;
    const std::string date = DateText(d.day, d.month, d.year);
    const std::string_view weekday = WeekdayNameOf(context, WeekdayOf(d.day, d.month, d.year));
    out += date;
    out.append(dateWidth - date.size() + 2, ' ');
    out += weekday;
    out.append(weekdayWidth - weekday.size() + 2, ' ');
    out += HolidayName(h, context.language);
    out += '\n';
  }
}
