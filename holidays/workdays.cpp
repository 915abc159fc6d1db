#include "holidays/workdays.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<std::string_view, 7> kDayNames = {"mon", "tue", "wed", "thu", "fri", "sat", "sun"};

constexpr RegionT kRegions[] = {
    {"DE", "Germany", "Deutschland"},
    {"DE-BW", "Baden-W\xFCrttemberg", "Baden-W\xFCrttemberg"},
    {"DE-BY", "Bavaria", "Bayern"},
    {"DE-BE", "Berlin", "Berlin"},
    {"DE-BB", "Brandenburg", "Brandenburg"},
    {"DE-HB", "Bremen", "Bremen"},
    {"DE-HH", "Hamburg", "Hamburg"},
    {"DE-HE", "Hesse", "Hessen"},
    {"DE-MV", "Mecklenburg-Western Pomerania", "Mecklenburg-Vorpommern"},
    {"DE-NI", "Lower Saxony", "Niedersachsen"},
    {"DE-NW", "North Rhine-Westphalia", "Nordrhein-Westfalen"},
    {"DE-RP", "Rhineland-Palatinate", "Rheinland-Pfalz"},
    {"DE-SL", "Saarland", "Saarland"},
    {"DE-SN", "Saxony", "Sachsen"},
    {"DE-ST", "Saxony-Anhalt", "Sachsen-Anhalt"},
    {"DE-SH", "Schleswig-Holstein", "Schleswig-Holstein"},
    {"DE-TH", "Thuringia", "Th\xFCringen"},
    {"AT", "Austria", "\xD6sterreich"},
    {"CH", "Switzerland", "Schweiz"},
    {"GB-ENG", "England and Wales", "England und Wales"},
    {"GB-SCT", "Scotland", "Schottland"},
    {"GB-NIR", "Northern Ireland", "Nordirland"},
    {"US", "United States", "Vereinigte Staaten"},
};

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return Lower(x) == Lower(y);
         });
}

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

int32_t DaysOff(WeekendT weekend) {
  int32_t n = 0;
  for (int i = 0; i < 7; ++i) n += (weekend.mask >> i) & 1;
  return n;
}

// Weekend days among the n days starting on weekday w (0 = Monday).
int64_t WeekendDaysFrom(WeekendT weekend, int32_t w, int64_t n) {
  int64_t count = n / 7 * DaysOff(weekend);
  for (int64_t i = 0; i < n % 7; ++i) count += (weekend.mask >> ((w + i) % 7)) & 1;
  return count;
}

int64_t DayOf(DateTripleT d) {
  NormalizeDate(d.day, d.month, d.year);
  return DayNumberOf(d.day, d.month, d.year);
}

}  // namespace

WeekendParseT ParseWeekend(std::string_view text) {
  WeekendParseT r;
  r.weekend.mask = 0;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(',', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view name = Trimmed(text.substr(start, end - start));
    const auto* hit = std::find_if(kDayNames.begin(), kDayNames.end(),
                                   [&](std::string_view n) { return SameNoCase(n, name); });
    if (hit == kDayNames.end()) {
      r.error = name.empty() ? "a weekend day is missing in \"" + std::string(text) + "\""
                             : "unknown weekend day \"" + std::string(name) + "\" (mon, tue, wed, thu, fri, sat, sun)";
      r.weekend = WeekendT{};
      return r;
    }
    r.weekend.mask = static_cast<uint8_t>(r.weekend.mask | (1u << (hit - kDayNames.begin())));
    start = end + 1;
  }
  if (r.weekend.mask == 0x7F) {
    r.error = "the weekend cannot take all seven days";
    r.weekend = WeekendT{};
  }
  return r;
}

std::string WeekendText(WeekendT weekend) {
  std::string out;
  for (size_t i = 0; i < kDayNames.size(); ++i) {
    if ((weekend.mask >> i) & 1) {
      if (!out.empty()) out += ',';
      out += kDayNames[i];
    }
  }
  return out;
}

std::span<const RegionT> Regions() { return kRegions; }

const RegionT* FindRegion(std::string_view code) {
  for (const RegionT& r : kRegions) {
    if (SameNoCase(r.code, code)) return &r;
  }
  return nullptr;
}

const std::string& HolidayName(const HolidayT& holiday, uint8_t language) {
  return language == 1 ? holiday.german : holiday.english;
}

struct WorkTablesT {};

void InitWorkCalendar(WorkCalendarT& calendar, WeekendT weekend, const RegionT* region,
                      std::span<const CustomHolidayT> custom) {
  calendar.weekend = weekend;
  calendar.region = region;
  calendar.custom.assign(custom.begin(), custom.end());
  calendar.tables = std::make_shared<const WorkTablesT>();
}

std::optional<HolidayT> HolidayOn(const WorkCalendarT&, DateTripleT) { return std::nullopt; }

bool IsWorkday(const WorkCalendarT& calendar, DateTripleT date) {
  const int32_t w = WeekdayOfDayNumber(DayOf(date)) - 1;
  return ((calendar.weekend.mask >> w) & 1) == 0 && !HolidayOn(calendar, date);
}

std::vector<HolidayT> HolidaysInYears(const WorkCalendarT&, int32_t, int32_t) { return {}; }

WorkdayCountT CountWorkdays(const WorkCalendarT& calendar, DateTripleT date1, DateTripleT date2, bool includeEnd) {
  int64_t a = DayOf(date1), b = DayOf(date2);
  if (a > b) std::swap(a, b);
  if (includeEnd) ++b;
  WorkdayCountT r;
  r.totalDays = b - a;
  r.weekendDays = WeekendDaysFrom(calendar.weekend, WeekdayOfDayNumber(a) - 1, b - a);
  r.count = r.totalDays - r.weekendDays - r.holidays;
  return r;
}

WorkdayShiftT ShiftWorkdays(const WorkCalendarT&, DateTripleT date, int64_t n) {
  WorkdayShiftT r;
  r.date = date;
  if (n != 0) r.error = "not yet";
  return r;
}
