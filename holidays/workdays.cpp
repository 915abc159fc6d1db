#include "holidays/workdays.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "holidays/easter.h"
#include "holidays/rules.h"

// Counting. Holidays on working weekdays are counted as three sorted parts:
// - years near a change of law ("listed" years) hold their holidays in one
//   sorted list, counted by binary search;
// - between changes, in a period of at least kMinPeriodYears, a year's count
//   is its January/February part, which depends only on the year's type
//   (weekday of 1 January, leap or not), plus its March..December part,
//   which depends only on the date of Easter (it fixes the weekday of every
//   day from March on). Whole years then sum over a 400-year cycle prefix of
//   the type part, plus the Easter holidays, minus the few Easter dates on
//   which an Easter holiday meets another one, counted from Easter tables;
// - the user's single dates that no rule already gives.
// This needs Easter holidays from March on and no holiday moved across the
// end of February; the built-in rules and the user's fixed dates keep to it.
// Most spans lie in the centuries around the present: there a window of
// 64-day blocks, each a bit per holiday and the holidays before it, counts
// the days before any day with one popcount.

struct SingleT {
  int64_t day = 0;
  std::string name;
};

struct PeriodT {
  int64_t firstYear = 0, lastYear = 0;  // astronomical; the years around it are listed
  int64_t before = 0;                   // holidays of the periods before
  int64_t total = 0;
  std::array<int64_t, 401> typeBefore{};  // type parts of the first k years of a 400-year cycle
  int32_t easterHolidays = 0;             // per year, on the usual Easter date
  std::vector<std::pair<int32_t, int32_t>> easterCorrections;  // (Easter date, difference)
  std::vector<int64_t> easterBeforeFirst;  // YearsWithEasterBefore(date, firstYear) of each correction
  std::array<std::vector<uint16_t>, 14> early;                   // by type: days after 1 January
  std::array<std::vector<uint16_t>, kEasterDates> late;          // by Easter date: days after 1 March
};

// The window of fast counting: whole 64-day blocks from a Monday before
// 1 January 1800 to after 31 December 2399.
struct WindowT {
  int64_t firstDay = 0, endDay = 0;  // [firstDay, endDay)
  int64_t before = 0;                // holidays on working weekdays before firstDay
  std::vector<uint64_t> marks;       // bit k of block i: day firstDay + 64 i + k is one
  std::vector<int32_t> marksBefore;  // in the blocks before block i
};

struct WorkTablesT {
  WeekendT weekend;
  bool anyHolidays = false;  // rules or single dates
  WindowT window;
  std::vector<HolidayRuleT> rules;
  std::vector<SingleT> singles;         // by day
  std::vector<int64_t> singlesCounted;  // single days on working weekdays no rule gives
  std::vector<int64_t> listed;          // rule holidays on working weekdays in listed years
  std::vector<PeriodT> periods;         // by year
};

namespace {

constexpr std::array<std::string_view, 7> kDayNames = {"mon", "tue", "wed", "thu", "fri", "sat", "sun"};

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

constexpr int64_t kMinYear = -2147483647;  // astronomical year of the calendar's -2147483648
constexpr int64_t kMaxYear = 2147483647;
constexpr int64_t kMinPeriodYears = 64;

constexpr int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }
constexpr int64_t FloorMod(int64_t a, int64_t b) { return a - FloorDiv(a, b) * b; }

int64_t Astro(int32_t year) { return year >= 1 ? year : static_cast<int64_t>(year) + 1; }
int32_t Calendar(int64_t astro) { return static_cast<int32_t>(astro >= 1 ? astro : astro - 1); }
bool AstroLeap(int64_t a) { return (FloorMod(a, 4) == 0 && FloorMod(a, 100) != 0) || FloorMod(a, 400) == 0; }

int64_t DayOf(int64_t astro, int32_t month, int32_t day) { return DayNumberOf(day, month, Calendar(astro)); }
int64_t YearOfDay(int64_t day) { return Astro(DateOfDayNumber(day).year); }

const int64_t kFirstDay = DayOf(kMinYear, 1, 1);
const int64_t kEndDay = DayOf(kMaxYear, 12, 31) + 1;

int64_t YearStart(int64_t astro) { return astro > kMaxYear ? kEndDay : DayOf(astro, 1, 1); }

bool OffDay(WeekendT weekend, int64_t day) { return (weekend.mask >> (WeekdayOfDayNumber(day) - 1)) & 1; }

// Set bits by halves, quarters and bytes: std::popcount is a library call
// on processors without the instruction, and on every one with the
// compilers' default target.
constexpr int32_t BitCount(uint64_t x) {
  x -= (x >> 1) & 0x5555555555555555u;
  x = (x & 0x3333333333333333u) + ((x >> 2) & 0x3333333333333333u);
  x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Fu;
  return static_cast<int32_t>((x * 0x0101010101010101u) >> 56);
}

// Set bits of every 7-bit value, looked up rather than counted: two counts
// for each end of every span.
constexpr std::array<uint8_t, 128> kWeekBits = [] {
  std::array<uint8_t, 128> bits{};
  for (uint32_t m = 0; m < 128; ++m) bits[m] = static_cast<uint8_t>(BitCount(m));
  return bits;
}();

// Weekend days in [0, day): day 0 is a Monday.
int64_t WeekendDaysBefore(WeekendT weekend, int64_t day) {
  const uint32_t mask = weekend.mask & 0x7Fu;
  const int64_t weeks = FloorDiv(day, 7);
  const auto rest = static_cast<uint32_t>(day - weeks * 7);
  return weeks * kWeekBits[mask] + kWeekBits[mask & ((1u << rest) - 1)];
}

// Weekend days in [a, b).
int64_t WeekendDays(WeekendT weekend, int64_t a, int64_t b) {
  return WeekendDaysBefore(weekend, b) - WeekendDaysBefore(weekend, a);
}

int32_t YearType(int64_t astro) { return (WeekdayOfDayNumber(DayOf(astro, 1, 1)) - 1) * 2 + AstroLeap(astro); }

// Years that stand for each year type and each Easter date, and the type of
// each year of a 400-year cycle.
struct SamplesT {
  std::array<int64_t, 14> byType{};
  std::array<int64_t, kEasterDates> byEaster{};
  std::array<uint8_t, 400> cycleType{};
};

const SamplesT& Samples() {
  static const SamplesT samples = [] {
    SamplesT s;
    for (int64_t y = 2001; y <= 2028; ++y) s.byType[YearType(y)] = y;
    int32_t found = 0;
    for (int64_t y = 1583; found < kEasterDates; ++y) {
      int64_t& slot = s.byEaster[EasterIndex(y)];
      if (slot == 0) {
        slot = y;
        ++found;
      }
    }
    for (int32_t q = 0; q < 400; ++q) s.cycleType[q] = static_cast<uint8_t>(YearType(q));
    return s;
  }();
  return samples;
}

constexpr int64_t kNoDay = std::numeric_limits<int64_t>::min();

// easter: the day number of the year's Easter Sunday.
int64_t RuleDate(const HolidayRuleT& r, int64_t year, int64_t easter) {
  switch (r.kind) {
    case RuleKindT::kFixed:
      if (!ValidDate(r.day, r.month, Calendar(year))) return kNoDay;
      return DayOf(year, r.month, r.day);
    case RuleKindT::kWeekdayOnOrAfter: {
      const int64_t d = DayOf(year, r.month, r.day);
      return d + (r.weekday - WeekdayOfDayNumber(d) + 7) % 7;
    }
    case RuleKindT::kLastWeekday: {
      const int64_t d = DayOf(year, r.month, MonthLength(r.month, Calendar(year)));
      return d - (WeekdayOfDayNumber(d) - r.weekday + 7) % 7;
    }
    case RuleKindT::kEaster:
      return easter + r.day;
  }
  return kNoDay;
}

struct DatedT {
  int64_t day = 0;
  int32_t rule = 0;
  bool moved = false;  // the day off for a holiday on a weekend
  bool operator<(const DatedT& o) const { return day != o.day ? day < o.day : rule < o.rule; }
};

// The rule holidays dated in an astronomical year, by date. The rules in
// force are those of lawYear: the year itself, except for the period tables,
// which date a period's rules in sample years. Holidays that move on a
// weekend may move across New Year, so those of the years around count too.
void RuleHolidaysOfYear(const std::vector<HolidayRuleT>& rules, int64_t year, int64_t lawYear, bool withEaster,
                        std::vector<DatedT>& out) {
  out.clear();
  for (int64_t dy = -1; dy <= 1; ++dy) {
    const int64_t ruleYear = year + dy, law = lawYear + dy;
    if (ruleYear < kMinYear || ruleYear > kMaxYear) continue;
    int64_t easter = kNoDay;
    for (size_t i = 0; i < rules.size(); ++i) {
      const HolidayRuleT& r = rules[i];
      if (law < r.firstYear || law > r.lastYear || (dy != 0 && r.observance == ObservanceT::kNone)) continue;
      if (r.kind == RuleKindT::kEaster) {
        if (!withEaster) continue;
        if (easter == kNoDay) easter = DayOf(ruleYear, 3, 22) + EasterIndex(ruleYear);
      }
      const int64_t d = RuleDate(r, ruleYear, easter);
      if (d != kNoDay) out.push_back({d, static_cast<int32_t>(i), false});
    }
  }
  std::sort(out.begin(), out.end());
  // In date order, so that a substitute day sees the ones given before it.
  const size_t actual = out.size();
  for (size_t k = 0; k < actual; ++k) {
    const DatedT h = out[k];
    const ObservanceT o = rules[h.rule].observance;
    const int32_t w = WeekdayOfDayNumber(h.day);
    if (w < 6 || o == ObservanceT::kNone) continue;
    int64_t d = h.day;
    if (o == ObservanceT::kObserved) {
      d += w == 6 ? -1 : 1;
    } else {
      const auto taken = [&](int64_t t) {
        return std::any_of(out.begin(), out.end(), [t](const DatedT& x) { return x.day == t; });
      };
      do ++d;
      while (WeekdayOfDayNumber(d) >= 6 || taken(d));
    }
    out.push_back({d, h.rule, true});
  }
  const int64_t from = YearStart(year), to = YearStart(year + 1);
  std::erase_if(out, [&](const DatedT& h) { return h.day < from || h.day >= to; });
  std::sort(out.begin(), out.end());
}

// Calls f(day) for each date of the list once.
template <typename F>
void ForEachDay(const std::vector<DatedT>& dated, F&& f) {
  for (size_t i = 0; i < dated.size(); ++i) {
    if (i == 0 || dated[i].day != dated[i - 1].day) f(dated[i].day);
  }
}

bool RulesInForce(const std::vector<HolidayRuleT>& rules, int64_t year) {
  return std::any_of(rules.begin(), rules.end(),
                     [year](const HolidayRuleT& r) { return year >= r.firstYear && year <= r.lastYear; });
}

int64_t TypePartBefore(const PeriodT& p, int64_t year) {
  return FloorDiv(year, 400) * p.typeBefore[400] + p.typeBefore[FloorMod(year, 400)];
}

// Holidays on working weekdays of the whole years y1 .. y2 of a period.
int64_t PeriodYears(const PeriodT& p, int64_t y1, int64_t y2) {
  if (y2 < y1) return 0;
  int64_t n = TypePartBefore(p, y2 + 1) - TypePartBefore(p, y1) + p.easterHolidays * (y2 - y1 + 1);
  for (size_t i = 0; i < p.easterCorrections.size(); ++i) {
    const auto [easter, difference] = p.easterCorrections[i];
    // From the period's first year its count is kept.
    const int64_t years = y1 == p.firstYear && y2 - y1 > 32
                              ? YearsWithEasterBefore(easter, y2 + 1) - p.easterBeforeFirst[i]
                              : YearsWithEaster(easter, y1, y2 + 1);
    n += difference * years;
  }
  return n;
}

// Holidays on working weekdays of a period's year before the day.
int64_t PeriodYearBefore(const PeriodT& p, int64_t year, int64_t day) {
  const auto before = [](const std::vector<uint16_t>& offsets, int64_t start, int64_t d) {
    return std::lower_bound(offsets.begin(), offsets.end(), d - start,
                            [](uint16_t o, int64_t v) { return o < v; }) - offsets.begin();
  };
  const int64_t jan1 = DayOf(year, 1, 1), mar1 = DayOf(year, 3, 1);
  int64_t n = before(p.early[YearType(year)], jan1, day);
  if (day > mar1) n += before(p.late[EasterIndex(year)], mar1, day);
  return n;
}

void BuildPeriod(const WorkTablesT& t, PeriodT& p) {
  if (!RulesInForce(t.rules, p.firstYear)) return;
  const SamplesT& samples = Samples();
  std::vector<DatedT> dated;
  std::array<int32_t, 14> lateWithoutEaster{};
  for (int32_t type = 0; type < 14; ++type) {
    const int64_t y = samples.byType[type];
    const int64_t jan1 = DayOf(y, 1, 1), mar1 = DayOf(y, 3, 1);
    RuleHolidaysOfYear(t.rules, y, p.firstYear, false, dated);
    ForEachDay(dated, [&](int64_t d) {
      if (OffDay(t.weekend, d)) return;
      if (d < mar1) {
        p.early[type].push_back(static_cast<uint16_t>(d - jan1));
      } else {
        ++lateWithoutEaster[type];
      }
    });
  }
  std::array<int32_t, kEasterDates> easterPart{};
  for (int32_t e = 0; e < kEasterDates; ++e) {
    const int64_t y = samples.byEaster[e];
    const int64_t mar1 = DayOf(y, 3, 1);
    RuleHolidaysOfYear(t.rules, y, p.firstYear, true, dated);
    ForEachDay(dated, [&](int64_t d) {
      if (d >= mar1 && !OffDay(t.weekend, d)) p.late[e].push_back(static_cast<uint16_t>(d - mar1));
    });
    easterPart[e] = static_cast<int32_t>(p.late[e].size()) - lateWithoutEaster[YearType(y)];
  }
  // The usual Easter part is the most frequent one; the others are corrections.
  std::array<int32_t, kEasterDates> sorted = easterPart;
  std::sort(sorted.begin(), sorted.end());
  int32_t best = sorted[0], bestRun = 0;
  for (size_t i = 0, run = 0; i < sorted.size(); ++i) {
    run = i > 0 && sorted[i] == sorted[i - 1] ? run + 1 : 1;
    if (static_cast<int32_t>(run) > bestRun) {
      bestRun = static_cast<int32_t>(run);
      best = sorted[i];
    }
  }
  p.easterHolidays = best;
  for (int32_t e = 0; e < kEasterDates; ++e) {
    if (easterPart[e] != best) {
      p.easterCorrections.emplace_back(e, easterPart[e] - best);
      p.easterBeforeFirst.push_back(YearsWithEasterBefore(e, p.firstYear));
    }
  }
  for (int32_t q = 0; q < 400; ++q) {
    const int32_t type = samples.cycleType[q];
    p.typeBefore[q + 1] = p.typeBefore[q] + static_cast<int64_t>(p.early[type].size()) + lateWithoutEaster[type];
  }
  p.total = PeriodYears(p, p.firstYear, p.lastYear);
}

// The period holding a year, or the one before it; nullptr when none is.
const PeriodT* PeriodAt(const WorkTablesT& t, int64_t year) {
  const auto after = std::upper_bound(t.periods.begin(), t.periods.end(), year,
                                      [](int64_t y, const PeriodT& p) { return y < p.firstYear; });
  return after == t.periods.begin() ? nullptr : &*(after - 1);
}

// Holidays on working weekdays of the periods before the day.
int64_t PeriodsBefore(const WorkTablesT& t, int64_t day, int64_t year) {
  const PeriodT* p = PeriodAt(t, year);
  if (!p) return 0;
  if (year > p->lastYear) return p->before + p->total;
  return p->before + PeriodYears(*p, p->firstYear, year - 1) + PeriodYearBefore(*p, year, day);
}

bool InWindow(const WindowT& w, int64_t day) { return day >= w.firstDay && day <= w.endDay; }

// Holidays on working weekdays in [firstDay, day) for a day of the window
// or its end.
int64_t WindowBefore(const WindowT& w, int64_t day) {
  const auto offset = static_cast<uint64_t>(day - w.firstDay);
  const uint64_t block = offset / 64, bit = offset % 64;
  // The end of the window is bit 0 of the block past the last: the sentinel's.
  return w.marksBefore[block] + BitCount(w.marks[block] & ((uint64_t{1} << bit) - 1));
}

// Holidays on working weekdays in [a, b), a <= b, through the law's tables.
int64_t HolidaysBetweenExact(const WorkTablesT& t, int64_t a, int64_t b) {
  const auto before = [](const std::vector<int64_t>& days, int64_t d) {
    return std::lower_bound(days.begin(), days.end(), d) - days.begin();
  };
  int64_t n = before(t.listed, b) - before(t.listed, a) + before(t.singlesCounted, b) - before(t.singlesCounted, a);
  const int64_t ya = a >= kEndDay ? kMaxYear + 1 : YearOfDay(a), yb = b >= kEndDay ? kMaxYear + 1 : YearOfDay(b);
  const PeriodT* p = PeriodAt(t, ya);
  // Within one period the years between count directly.
  if (p && yb <= p->lastYear && ya <= p->lastYear) {
    return n + PeriodYears(*p, ya, yb - 1) + PeriodYearBefore(*p, yb, b) - PeriodYearBefore(*p, ya, a);
  }
  return n + PeriodsBefore(t, b, yb) - PeriodsBefore(t, a, ya);
}

// Holidays on working weekdays in [a, b), a <= b.
int64_t HolidaysBetween(const WorkTablesT& t, int64_t a, int64_t b) {
  if (!t.anyHolidays) return 0;
  const WindowT& w = t.window;
  if (InWindow(w, a) && InWindow(w, b)) return WindowBefore(w, b) - WindowBefore(w, a);
  return HolidaysBetweenExact(t, a, b);
}

// Holidays on working weekdays in [first day of the range, day).
int64_t HolidaysBefore(const WorkTablesT& t, int64_t day) {
  if (!t.anyHolidays) return 0;
  if (InWindow(t.window, day)) return t.window.before + WindowBefore(t.window, day);
  return HolidaysBetweenExact(t, kFirstDay, day);
}

// Marks the holidays on working weekdays of the window's years, from the
// listed days, the periods' yearly parts and the single dates.
void BuildWindow(WorkTablesT& t) {
  constexpr int64_t kWindowFirstYear = 1800, kWindowLastYear = 2399;
  WindowT& w = t.window;
  const int64_t jan1 = DayOf(kWindowFirstYear, 1, 1);
  w.firstDay = jan1 - FloorMod(jan1, 7);
  const int64_t blocks = (YearStart(kWindowLastYear + 1) - w.firstDay + 63) / 64;
  w.endDay = w.firstDay + blocks * 64;
  // One block more: the end of the window reads bit 0 of it.
  w.marks.assign(static_cast<size_t>(blocks + 1), 0);
  w.marksBefore.assign(static_cast<size_t>(blocks + 1), 0);
  const auto mark = [&w](int64_t day) {
    if (day < w.firstDay || day >= w.endDay) return;
    const auto offset = static_cast<uint64_t>(day - w.firstDay);
    w.marks[offset / 64] |= uint64_t{1} << (offset % 64);
  };
  const auto markAll = [&](const std::vector<int64_t>& days) {
    for (auto it = std::lower_bound(days.begin(), days.end(), w.firstDay); it != days.end() && *it < w.endDay; ++it) {
      mark(*it);
    }
  };
  markAll(t.listed);
  markAll(t.singlesCounted);
  const int64_t lastYear = YearOfDay(w.endDay - 1);
  int64_t y = YearOfDay(w.firstDay);
  for (int64_t start = DayOf(y, 1, 1); y <= lastYear; ++y) {
    const int32_t leap = AstroLeap(y);
    const int64_t mar1 = start + 59 + leap;
    const PeriodT* p = PeriodAt(t, y);
    if (p && y <= p->lastYear) {  // else a listed year
      for (const uint16_t o : p->early[(WeekdayOfDayNumber(start) - 1) * 2 + leap]) mark(start + o);
      for (const uint16_t o : p->late[EasterIndex(y)]) mark(mar1 + o);
    }
    start = mar1 + 306;
  }
  for (size_t i = 1; i < w.marks.size(); ++i) {
    w.marksBefore[i] = w.marksBefore[i - 1] + BitCount(w.marks[i - 1]);
  }
  w.before = HolidaysBetweenExact(t, kFirstDay, w.firstDay);
}

// Working days in [first day of the range, day).
int64_t WorkdaysBefore(const WorkTablesT& t, int64_t day) {
  return day - kFirstDay - WeekendDays(t.weekend, kFirstDay, day) - HolidaysBefore(t, day);
}

const WorkTablesT& TablesOf(const WorkCalendarT& calendar) {
  static const WorkTablesT none;
  return calendar.tables ? *calendar.tables : none;
}

int64_t DayOfDate(DateTripleT d) {
  // Days up to the 28th of a month are dates in every year: no carrying.
  if (d.month < 1 || d.month > 12 || d.day < 1 || d.day > 28) NormalizeDate(d.day, d.month, d.year);
  return DayNumberOf(d.day, d.month, d.year);
}

const char* MovedSuffix(ObservanceT o, uint8_t language) {
  if (language == 1) return " (Ersatztag)";
  return o == ObservanceT::kObserved ? " (observed)" : " (substitute day)";
}

void AddName(std::string& names, const std::string& name) {
  // Two rules may give the same holiday on one date (a one-off and a lasting law).
  size_t start = 0;
  while (start <= names.size() && !names.empty()) {
    size_t end = names.find(" / ", start);
    if (end == std::string::npos) end = names.size();
    if (names.compare(start, end - start, name) == 0) return;
    start = end + 3;
  }
  if (!names.empty()) names += " / ";
  names += name;
}

// The named holidays of an astronomical year, by date, each date once.
void NamedHolidaysOfYear(const WorkTablesT& t, int64_t year, std::vector<DatedT>& dated, std::vector<HolidayT>& out) {
  RuleHolidaysOfYear(t.rules, year, year, true, dated);
  const int64_t from = YearStart(year), to = YearStart(year + 1);
  auto single = std::lower_bound(t.singles.begin(), t.singles.end(), from,
                                 [](const SingleT& s, int64_t d) { return s.day < d; });
  size_t k = 0;
  while (k < dated.size() || (single != t.singles.end() && single->day < to)) {
    int64_t day = k < dated.size() ? dated[k].day : to;
    if (single != t.singles.end() && single->day < day) day = single->day;
    HolidayT h;
    h.date = DateOfDayNumber(day);
    for (; k < dated.size() && dated[k].day == day; ++k) {
      const HolidayRuleT& r = t.rules[dated[k].rule];
      AddName(h.english, dated[k].moved ? r.english + MovedSuffix(r.observance, 2) : r.english);
      AddName(h.german, dated[k].moved ? r.german + MovedSuffix(r.observance, 1) : r.german);
    }
    for (; single != t.singles.end() && single->day == day; ++single) {
      AddName(h.english, single->name);
      AddName(h.german, single->name);
    }
    out.push_back(std::move(h));
  }
}

bool PlausibleCustom(const CustomHolidayT& c) {
  return c.month >= 1 && c.month <= 12 && c.day >= 1 && c.day <= MonthLength(c.month, 2000) && c.firstYear != 0 &&
         c.lastYear != 0 && c.firstYear <= c.lastYear;
}

}  // namespace

WeekendParseT ParseWeekend(std::string_view text) {
  WeekendParseT r;
  r.weekend.mask = 0;
  if (SameNoCase(Trimmed(text), "none")) return r;
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
  if ((weekend.mask & 0x7F) == 0) return "none";
  std::string out;
  for (size_t i = 0; i < kDayNames.size(); ++i) {
    if ((weekend.mask >> i) & 1) {
      if (!out.empty()) out += ',';
      out += kDayNames[i];
    }
  }
  return out;
}

const std::string& HolidayName(const HolidayT& holiday, uint8_t language) {
  return language == 1 ? holiday.german : holiday.english;
}

void InitWorkCalendar(WorkCalendarT& calendar, WeekendT weekend, const RegionT* region,
                      std::span<const CustomHolidayT> custom) {
  calendar.weekend = weekend;
  calendar.region = region;
  calendar.custom.assign(custom.begin(), custom.end());
  auto t = std::make_shared<WorkTablesT>();
  t->weekend = weekend;
  if (region) t->rules = RegionRules(*region);
  for (const CustomHolidayT& c : custom) {
    if (!PlausibleCustom(c)) continue;
    if (c.firstYear == c.lastYear) {
      if (ValidDate(c.day, c.month, c.firstYear)) t->singles.push_back({DayNumberOf(c.day, c.month, c.firstYear), c.name});
      continue;
    }
    HolidayRuleT r;
    r.month = c.month;
    r.day = c.day;
    r.firstYear = Astro(c.firstYear);
    r.lastYear = Astro(c.lastYear);
    r.english = r.german = c.name;
    t->rules.push_back(std::move(r));
  }
  std::stable_sort(t->singles.begin(), t->singles.end(),
                   [](const SingleT& a, const SingleT& b) { return a.day < b.day; });

  // Years where the rules in force change start new eras; an era's inner
  // years form a period, its first and last years are listed.
  std::vector<int64_t> starts = {kMinYear};
  for (const HolidayRuleT& r : t->rules) {
    if (r.firstYear > kMinYear) starts.push_back(r.firstYear);
    if (r.lastYear < kMaxYear) starts.push_back(r.lastYear + 1);
  }
  std::sort(starts.begin(), starts.end());
  starts.erase(std::unique(starts.begin(), starts.end()), starts.end());
  std::vector<DatedT> dated;
  const auto list = [&](int64_t y1, int64_t y2) {
    for (int64_t y = y1; y <= y2; ++y) {
      RuleHolidaysOfYear(t->rules, y, y, true, dated);
      ForEachDay(dated, [&](int64_t d) {
        if (!OffDay(weekend, d)) t->listed.push_back(d);
      });
    }
  };
  for (size_t i = 0; i < starts.size(); ++i) {
    const int64_t s = starts[i], e = i + 1 < starts.size() ? starts[i + 1] - 1 : kMaxYear;
    if (e - s - 1 < kMinPeriodYears) {
      list(s, e);
      continue;
    }
    list(s, s);
    PeriodT& p = t->periods.emplace_back();
    p.firstYear = s + 1;
    p.lastYear = e - 1;
    list(e, e);
  }
  int64_t before = 0;
  for (PeriodT& p : t->periods) {
    BuildPeriod(*t, p);
    p.before = before;
    before += p.total;
  }
  int64_t lastYear = kMinYear - 1;
  for (const SingleT& s : t->singles) {
    if (OffDay(weekend, s.day) || (!t->singlesCounted.empty() && t->singlesCounted.back() == s.day)) continue;
    const int64_t year = YearOfDay(s.day);
    if (year != lastYear) RuleHolidaysOfYear(t->rules, year, year, true, dated);
    lastYear = year;
    if (std::none_of(dated.begin(), dated.end(), [&](const DatedT& h) { return h.day == s.day; })) {
      t->singlesCounted.push_back(s.day);
    }
  }
  t->anyHolidays = !t->rules.empty() || !t->singles.empty();
  if (t->anyHolidays) BuildWindow(*t);
  calendar.tables = std::move(t);
}

std::optional<HolidayT> HolidayOn(const WorkCalendarT& calendar, DateTripleT date) {
  const WorkTablesT& t = TablesOf(calendar);
  const int64_t day = DayOfDate(date);
  std::vector<DatedT> dated;
  std::vector<HolidayT> year;
  NamedHolidaysOfYear(t, YearOfDay(day), dated, year);
  const DateTripleT d = DateOfDayNumber(day);
  for (HolidayT& h : year) {
    if (h.date == d) return std::move(h);
  }
  return std::nullopt;
}

bool IsWorkday(const WorkCalendarT& calendar, DateTripleT date) {
  return !OffDay(calendar.weekend, DayOfDate(date)) && !HolidayOn(calendar, date);
}

std::vector<HolidayT> HolidaysInYears(const WorkCalendarT& calendar, int32_t firstYear, int32_t lastYear) {
  const WorkTablesT& t = TablesOf(calendar);
  std::vector<HolidayT> out;
  std::vector<DatedT> dated;
  for (int64_t y = Astro(firstYear); y <= Astro(lastYear); ++y) NamedHolidaysOfYear(t, y, dated, out);
  return out;
}

WorkdayCountT CountWorkdays(const WorkCalendarT& calendar, DateTripleT date1, DateTripleT date2, bool includeEnd) {
  const WorkTablesT& t = TablesOf(calendar);
  int64_t a = DayOfDate(date1), b = DayOfDate(date2);
  if (a > b) std::swap(a, b);
  if (includeEnd) ++b;
  WorkdayCountT r;
  r.totalDays = b - a;
  r.weekendDays = WeekendDays(calendar.weekend, a, b);
  r.holidays = HolidaysBetween(t, a, b);
  r.count = r.totalDays - r.weekendDays - r.holidays;
  return r;
}

WorkdayShiftT ShiftWorkdays(const WorkCalendarT& calendar, DateTripleT date, int64_t n) {
  const WorkTablesT& t = TablesOf(calendar);
  WorkdayShiftT r;
  const int64_t day = DayOfDate(date);
  r.date = DateOfDayNumber(day);
  if (n == 0) return r;
  // The result is x - 1 for the first x with WorkdaysBefore(x) >= target.
  const int64_t all = WorkdaysBefore(t, kEndDay);
  const int64_t span = kEndDay - kFirstDay;
  const int64_t target = n > 0 ? (n > span ? all + 1 : WorkdaysBefore(t, day + 1) + n)
                                : (n < -span ? 0 : WorkdaysBefore(t, day) + n + 1);
  if (target > all) {
    r.error = "the working day lies after 31.12.2147483647";
    return r;
  }
  if (target < 1) {
    r.error = "the working day lies before 1.1.-2147483648";
    return r;
  }
  int64_t lo = n > 0 ? day + 1 : kFirstDay, hi = n > 0 ? kEndDay : day;
  int64_t atLo = WorkdaysBefore(t, lo), atHi = n > 0 ? all : WorkdaysBefore(t, hi);
  // Working days grow almost linearly: interpolate, and halve the span
  // whenever interpolation gains less than half of it.
  bool halve = false;
  while (hi - lo > 1) {
    int64_t x = lo + (hi - lo) / 2;
    if (!halve) {
      const long double f = static_cast<long double>(target - atLo) / static_cast<long double>(atHi - atLo);
      x = lo + static_cast<int64_t>(std::llround(f * static_cast<long double>(hi - lo)));
    }
    x = std::clamp(x, lo + 1, hi - 1);
    const int64_t before = hi - lo;
    const int64_t at = WorkdaysBefore(t, x);
    if (at >= target) {
      hi = x;
      atHi = at;
    } else {
      lo = x;
      atLo = at;
    }
    halve = (hi - lo) * 2 > before;
  }
  r.date = DateOfDayNumber(hi - 1);
  return r;
}
