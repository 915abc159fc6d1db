#include "holidays/workdays.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>
#include <vector>

#include "holidays/easter.h"
#include "tests/holidays/reference.h"

namespace {

constexpr int32_t kMinYear = std::numeric_limits<int32_t>::min();
constexpr int32_t kMaxYear = std::numeric_limits<int32_t>::max();
const int64_t kFirstDay = DayNumberOf(1, 1, kMinYear);
const int64_t kLastDay = DayNumberOf(31, 12, kMaxYear);

DateTripleT D(int32_t d, int32_t m, int32_t y) { return {d, m, y}; }
int64_t Day(DateTripleT d) { return DayNumberOf(d.day, d.month, d.year); }

// An empty code: no region.
WorkCalendarT Calendar(std::string_view code, WeekendT weekend = {}, std::vector<CustomHolidayT> custom = {}) {
  WorkCalendarT c;
  InitWorkCalendar(c, weekend, FindRegion(code), custom);
  return c;
}

std::string NameOn(const WorkCalendarT& c, DateTripleT d) {
  const auto h = HolidayOn(c, d);
  return h ? h->english : "";
}

// The user's own holidays beside a region: single dates, yearly ones from a
// year on, one of them on 29 February and one on a region's holiday.
std::vector<CustomHolidayT> OwnHolidays() {
  return {{12, 24, 1990, kMaxYear, "Christmas Eve"}, {2, 29, 1, kMaxYear, "Leap day"},
          {5, 1, 2000, 2000, "Labour Day"},          {8, 8, -5000, 5000, "Peace Festival"},
          {3, 10, 2026, 2026, "Company day"},        {4, 10, 1, kMaxYear, "Spring day"}};
}

TEST(Weekend, ParsesDayNames) {
  EXPECT_EQ(ParseWeekend("sat,sun").weekend.mask, 0x60);
  EXPECT_EQ(ParseWeekend("Fri, SAT").weekend.mask, 0x30);
  EXPECT_EQ(ParseWeekend("sun,sun").weekend.mask, 0x40);
  EXPECT_EQ(ParseWeekend("mon,tue,wed,thu,fri,sat").weekend.mask, 0x3F);
  EXPECT_TRUE(ParseWeekend("sat,sun").error.empty());
  for (const char* bad : {"", "sat,", "saturday", "sat;sun", "xyz", "mon,tue,wed,thu,fri,sat,sun"}) {
    const WeekendParseT r = ParseWeekend(bad);
    EXPECT_FALSE(r.error.empty()) << bad;
    EXPECT_EQ(r.weekend, WeekendT{}) << bad;
  }
  EXPECT_NE(ParseWeekend("sat,xyz").error.find("xyz"), std::string::npos);
  EXPECT_EQ(ParseWeekend("none").weekend.mask, 0);
  EXPECT_EQ(WeekendText({0}), "none");
  for (uint8_t mask = 0; mask < 0x7F; ++mask) EXPECT_EQ(ParseWeekend(WeekendText({mask})).weekend.mask, mask);
}

TEST(Regions, CodesAndNames) {
  EXPECT_EQ(Regions().size(), 23u);
  for (const RegionT& r : Regions()) {
    EXPECT_EQ(FindRegion(r.code), &r);
    EXPECT_FALSE(r.english.empty());
    EXPECT_FALSE(r.german.empty());
  }
  EXPECT_EQ(FindRegion("de-by"), FindRegion("DE-BY"));
  EXPECT_EQ(FindRegion("DE-XX"), nullptr);
  EXPECT_EQ(FindRegion(""), nullptr);
}

// Published dates: a name, or "" where a region has no holiday that day.
TEST(Regions, KnownDates) {
  struct CaseT {
    const char* region;
    DateTripleT date;
    const char* name;
  };
  const CaseT cases[] = {
      {"DE-BE", D(8, 3, 2019), "International Women's Day"}, {"DE-BE", D(8, 3, 2018), ""},
      {"DE-MV", D(8, 3, 2023), "International Women's Day"}, {"DE-MV", D(8, 3, 2022), ""},
      {"DE-BE", D(8, 5, 2020), "Liberation Day"},            {"DE-BE", D(8, 5, 2025), "Liberation Day"},
      {"DE-BE", D(8, 5, 2021), ""},                          {"DE-SN", D(22, 11, 1995), "Repentance and Prayer Day"},
      {"DE-SN", D(19, 11, 2025), "Repentance and Prayer Day"}, {"DE-BY", D(22, 11, 1995), ""},
      {"DE-BY", D(16, 11, 1994), "Repentance and Prayer Day"}, {"DE-BY", D(19, 11, 1980), ""},
      {"DE-NW", D(19, 11, 1980), "Repentance and Prayer Day"}, {"DE", D(16, 11, 1994), "Repentance and Prayer Day"},
      {"DE-TH", D(20, 9, 2019), "World Children's Day"},     {"DE-TH", D(20, 9, 2018), ""},
      {"DE", D(17, 6, 1989), "Day of German Unity"},         {"DE", D(17, 6, 1991), ""},
      {"DE", D(17, 6, 1953), ""},                            {"DE-SN", D(17, 6, 1990), ""},
      {"DE", D(3, 10, 1990), "Day of German Unity"},         {"DE", D(3, 10, 1989), ""},
      {"DE-BY", D(15, 8, 2026), ""},                         {"DE-SL", D(15, 8, 2026), "Assumption Day"},
      {"DE-BB", D(5, 4, 2026), "Easter Sunday"},             {"DE-HB", D(31, 10, 2018), "Reformation Day"},
      {"DE-HB", D(31, 10, 2016), ""},                        {"DE", D(31, 10, 2018), ""},
      {"DE", D(1, 5, 2008), "Labour Day / Ascension Day"},   {"DE-SN", D(25, 12, 1989), ""},
      {"DE", D(25, 12, 1949), ""},                           {"DE-ST", D(6, 1, 2026), "Epiphany"},
      {"AT", D(26, 10, 2026), "National Day"},               {"AT", D(26, 10, 1966), ""},
      {"AT", D(8, 12, 2026), "Immaculate Conception"},       {"CH", D(1, 8, 1994), "Swiss National Day"},
      {"CH", D(1, 8, 1993), ""},                             {"CH", D(6, 4, 2026), ""},
      {"GB-ENG", D(2, 6, 2022), "Spring bank holiday"},      {"GB-ENG", D(3, 6, 2022), "Platinum Jubilee of Elizabeth II"},
      {"GB-ENG", D(30, 5, 2022), ""},                        {"GB-ENG", D(19, 9, 2022), "State Funeral of Elizabeth II"},
      {"GB-ENG", D(8, 5, 2023), "Coronation of Charles III"}, {"GB-ENG", D(8, 5, 2020), "Early May bank holiday"},
      {"GB-ENG", D(4, 5, 2020), ""},                         {"GB-ENG", D(8, 5, 1995), "Early May bank holiday"},
      {"GB-ENG", D(27, 12, 2021), "Christmas Day (substitute day)"},
      {"GB-ENG", D(28, 12, 2021), "Boxing Day (substitute day)"},
      {"GB-ENG", D(27, 12, 2022), "Christmas Day (substitute day)"}, {"GB-ENG", D(3, 1, 2022), "New Year's Day (substitute day)"},
      {"GB-ENG", D(1, 1, 1973), ""},                         {"GB-ENG", D(1, 6, 1970), ""},
      {"GB-ENG", D(18, 5, 1970), "Whit Monday"},             {"GB-ENG", D(3, 8, 1970), "Summer bank holiday"},
      {"GB-SCT", D(3, 1, 2022), "New Year's Day (substitute day)"}, {"GB-SCT", D(4, 1, 2022), "2nd January (substitute day)"},
      {"GB-SCT", D(2, 12, 2024), "St Andrew's Day (substitute day)"}, {"GB-SCT", D(30, 11, 2006), ""},
      {"GB-SCT", D(6, 4, 2026), ""},                         {"GB-SCT", D(3, 8, 2026), "Summer bank holiday"},
      {"GB-NIR", D(18, 3, 2024), "St Patrick's Day (substitute day)"},
      {"GB-NIR", D(13, 7, 2026), "Battle of the Boyne (Orangemen's Day) (substitute day)"},
      {"US", D(18, 6, 2021), "Juneteenth National Independence Day (observed)"}, {"US", D(19, 6, 2020), ""},
      {"US", D(31, 12, 2021), "New Year's Day (observed)"},  {"US", D(17, 1, 2022), "Birthday of Martin Luther King, Jr."},
      {"US", D(21, 1, 1985), ""},                            {"US", D(20, 1, 1986), "Birthday of Martin Luther King, Jr."},
      {"US", D(3, 7, 2026), "Independence Day (observed)"},  {"US", D(26, 11, 2026), "Thanksgiving Day"},
      {"US", D(29, 5, 1970), "Memorial Day (observed)"},     {"US", D(27, 10, 1975), "Veterans Day"},
      {"US", D(11, 11, 1975), ""},                           {"US", D(20, 1, 2021), ""},
  };
  for (const CaseT& c : cases) {
    EXPECT_EQ(NameOn(Calendar(c.region), c.date), c.name) << c.region << " " << DateText(c.date.day, c.date.month, c.date.year);
  }
  for (const RegionT& r : Regions()) {
    if (r.code.starts_with("DE")) {
      EXPECT_EQ(NameOn(Calendar(r.code), D(31, 10, 2017)), "Reformation Day") << r.code;
    }
  }
  // German names in Windows-1252.
  EXPECT_EQ(HolidayOn(Calendar("DE-SN"), D(19, 11, 2025))->german, "Bu\xDF- und Bettag");
  EXPECT_EQ(HolidayOn(Calendar("AT"), D(8, 12, 2026))->german, "Mari\xE4 Empf\xE4ngnis");
  EXPECT_EQ(HolidayOn(Calendar("GB-ENG"), D(27, 12, 2022))->german, "1. Weihnachtstag (Ersatztag)");
  EXPECT_EQ(HolidayName(*HolidayOn(Calendar("DE-BY"), D(4, 6, 2026)), 1), "Fronleichnam");
}

// Whole years as the governments publish them.
TEST(Regions, PublishedYears) {
  struct CaseT {
    const char* region;
    int32_t year;
    std::vector<DateTripleT> dates;
  };
  const CaseT cases[] = {
      {"DE-BY", 2026, {D(1, 1, 2026), D(6, 1, 2026), D(3, 4, 2026), D(6, 4, 2026), D(1, 5, 2026), D(14, 5, 2026),
                       D(25, 5, 2026), D(4, 6, 2026), D(3, 10, 2026), D(1, 11, 2026), D(25, 12, 2026), D(26, 12, 2026)}},
      {"DE-BE", 2025, {D(1, 1, 2025), D(8, 3, 2025), D(18, 4, 2025), D(21, 4, 2025), D(1, 5, 2025), D(8, 5, 2025),
                       D(29, 5, 2025), D(9, 6, 2025), D(3, 10, 2025), D(25, 12, 2025), D(26, 12, 2025)}},
      {"GB-ENG", 2022, {D(1, 1, 2022), D(3, 1, 2022), D(15, 4, 2022), D(18, 4, 2022), D(2, 5, 2022), D(2, 6, 2022),
                        D(3, 6, 2022), D(29, 8, 2022), D(19, 9, 2022), D(25, 12, 2022), D(26, 12, 2022), D(27, 12, 2022)}},
      {"GB-SCT", 2022, {D(1, 1, 2022), D(2, 1, 2022), D(3, 1, 2022), D(4, 1, 2022), D(15, 4, 2022), D(2, 5, 2022),
                        D(2, 6, 2022), D(3, 6, 2022), D(1, 8, 2022), D(19, 9, 2022), D(30, 11, 2022), D(25, 12, 2022),
                        D(26, 12, 2022), D(27, 12, 2022)}},
      {"US", 2022, {D(1, 1, 2022), D(17, 1, 2022), D(21, 2, 2022), D(30, 5, 2022), D(19, 6, 2022), D(20, 6, 2022),
                    D(4, 7, 2022), D(5, 9, 2022), D(10, 10, 2022), D(11, 11, 2022), D(24, 11, 2022), D(25, 12, 2022),
                    D(26, 12, 2022)}},
      {"AT", 2026, {D(1, 1, 2026), D(6, 1, 2026), D(6, 4, 2026), D(1, 5, 2026), D(14, 5, 2026), D(25, 5, 2026),
                    D(4, 6, 2026), D(15, 8, 2026), D(26, 10, 2026), D(1, 11, 2026), D(8, 12, 2026), D(25, 12, 2026),
                    D(26, 12, 2026)}},
      {"CH", 2026, {D(1, 1, 2026), D(14, 5, 2026), D(1, 8, 2026), D(25, 12, 2026)}},
  };
  for (const CaseT& c : cases) {
    std::vector<DateTripleT> got;
    for (const HolidayT& h : HolidaysInYears(Calendar(c.region), c.year, c.year)) got.push_back(h.date);
    EXPECT_EQ(got, c.dates) << c.region << " " << c.year;
  }
}

TEST(Counting, Examples) {
  const WorkCalendarT bavaria = Calendar("DE-BY");
  WorkdayCountT r = CountWorkdays(bavaria, D(1, 1, 2026), D(1, 2, 2026), false);
  EXPECT_EQ(r.count, 20);  // 1 and 6 January
  EXPECT_EQ(r.weekendDays, 9);
  EXPECT_EQ(r.holidays, 2);
  EXPECT_EQ(r.totalDays, 31);
  r = CountWorkdays(bavaria, D(31, 1, 2026), D(1, 1, 2026), true);
  EXPECT_EQ(r.totalDays, 31);
  EXPECT_EQ(r.count, 20);
  // 1 May 2008 is Labour Day and Ascension Day: one holiday.
  EXPECT_EQ(CountWorkdays(Calendar("DE"), D(1, 5, 2008), D(1, 5, 2008), true).holidays, 1);
  // Dates out of range are carried.
  EXPECT_EQ(CountWorkdays(bavaria, D(32, 12, 2025), D(1, 1, 2026), false).totalDays, 0);
  // A single date: the last day of the range, then all of it.
  EXPECT_EQ(CountWorkdays(bavaria, D(31, 12, kMaxYear), D(31, 12, kMaxYear), true).totalDays, 1);
  r = CountWorkdays(bavaria, D(1, 1, kMinYear), D(31, 12, kMaxYear), true);
  EXPECT_EQ(r.totalDays, kLastDay - kFirstDay + 1);
  EXPECT_EQ(r.count + r.weekendDays + r.holidays, r.totalDays);
}

struct SetupT {
  std::string_view region;
  WeekendT weekend;
  bool own;
};

std::vector<SetupT> Setups() {
  std::vector<SetupT> setups;
  for (const RegionT& r : Regions()) setups.push_back({r.code, {}, false});
  setups.push_back({"", {}, true});
  setups.push_back({"DE-BY", {0x08}, true});  // Thursday off: Ascension on 1 May no longer meets Labour Day
  setups.push_back({"GB-ENG", {0x41}, true});
  setups.push_back({"US", {0x3E}, false});
  setups.push_back({"AT", {0x00}, true});
  setups.push_back({"", {0x05}, false});  // weekend days only: Monday and Wednesday
  return setups;
}

WorkCalendarT Calendar(const SetupT& s) {
  return Calendar(s.region, s.weekend, s.own ? OwnHolidays() : std::vector<CustomHolidayT>{});
}

// Random days: near the laws, anywhere, and at both ends of the range.
int64_t RandomDay(std::mt19937_64& random) {
  switch (random() % 4) {
    case 0: return std::uniform_int_distribution<int64_t>(Day(D(1, 1, 1940)), Day(D(1, 1, 2110)))(random);
    case 1: return std::uniform_int_distribution<int64_t>(kFirstDay, kFirstDay + 20000)(random);
    case 2: return std::uniform_int_distribution<int64_t>(kLastDay - 20000, kLastDay)(random);
    default: return std::uniform_int_distribution<int64_t>(kFirstDay, kLastDay)(random);
  }
}

TEST(Counting, ShortSpansDayByDay) {
  std::mt19937_64 random(21);
  for (const SetupT& s : Setups()) {
    const WorkCalendarT c = Calendar(s);
    reference::YearLists lists(c);
    for (int i = 0; i < 100; ++i) {
      // Every other span near an edge of the centuries around the present (1800 .. 2399).
      const int64_t edge = i % 4 == 1 ? Day(D(1, 1, 1800)) : Day(D(1, 1, 2400));
      const int64_t a = i % 2 ? edge + std::uniform_int_distribution<int64_t>(-1200, 400)(random) : RandomDay(random);
      const int64_t b = std::min(kLastDay, a + std::uniform_int_distribution<int64_t>(0, 1500)(random));
      const bool includeEnd = random() % 2;
      const WorkdayCountT want = lists.Count(a, b + includeEnd);
      const WorkdayCountT got = CountWorkdays(c, DateOfDayNumber(b), DateOfDayNumber(a), includeEnd);
      ASSERT_EQ(got.count, want.count) << (s.region.empty() ? "own" : s.region) << " " << a << " " << b;
      ASSERT_EQ(got.weekendDays, want.weekendDays);
      ASSERT_EQ(got.holidays, want.holidays);
      ASSERT_EQ(got.totalDays, want.totalDays);
    }
  }
}

// Counting is fastest in the centuries around the present: a span split
// anywhere, its ends inside, outside or across the edges of that stretch,
// counts its parts.
TEST(Counting, SpansAroundThePresentAddUp) {
  std::mt19937_64 random(24);
  for (const SetupT& s : Setups()) {
    const WorkCalendarT c = Calendar(s);
    for (int i = 0; i < 200; ++i) {
      // Ends near the present, and one of them anywhere in the range.
      int64_t a = std::uniform_int_distribution<int64_t>(Day(D(1, 1, 1750)), Day(D(1, 1, 2450)))(random);
      int64_t b = i % 2 ? RandomDay(random) : std::uniform_int_distribution<int64_t>(Day(D(1, 1, 1750)), Day(D(1, 1, 2450)))(random);
      if (a > b) std::swap(a, b);
      const int64_t m = std::uniform_int_distribution<int64_t>(a, b)(random);
      const WorkdayCountT whole = CountWorkdays(c, DateOfDayNumber(a), DateOfDayNumber(b), false);
      const WorkdayCountT first = CountWorkdays(c, DateOfDayNumber(a), DateOfDayNumber(m), false);
      const WorkdayCountT second = CountWorkdays(c, DateOfDayNumber(m), DateOfDayNumber(b), false);
      ASSERT_EQ(whole.holidays, first.holidays + second.holidays) << (s.region.empty() ? "own" : s.region) << " " << a << " " << m << " " << b;
      ASSERT_EQ(whole.weekendDays, first.weekendDays + second.weekendDays);
      ASSERT_EQ(whole.count, first.count + second.count);
    }
  }
}

TEST(Counting, LongSpansYearByYear) {
  std::mt19937_64 random(22);
  for (const SetupT& s : Setups()) {
    const WorkCalendarT c = Calendar(s);
    reference::YearLists lists(c);
    for (int i = 0; i < 4; ++i) {
      // Whole years, from near the laws or anywhere, up to 2,000 years long.
      const int32_t first = i == 0 ? 1900 : static_cast<int32_t>(DateOfDayNumber(RandomDay(random)).year);
      const int32_t last = static_cast<int32_t>(
          std::min<int64_t>(kMaxYear, first + std::uniform_int_distribution<int64_t>(0, 2000)(random)));
      const WorkdayCountT got = CountWorkdays(c, D(1, 1, first), D(31, 12, last), true);
      ASSERT_EQ(got.holidays, lists.HolidaysOfYears(first, last)) << (s.region.empty() ? "own" : s.region) << " " << first;
    }
  }
}

// Over whole Easter cycles (5,700,000 years), the count of a calendar whose
// law no longer changes is the sum over the kinds of year: each year's
// holidays depend only on its type (weekday of 1 January, leap year or not)
// and its Easter date, counted here year by year.
TEST(Counting, EasterCyclesByKindsOfYear) {
  constexpr int64_t kCycle = 5700000;
  const int32_t start = 6000;  // after the last change of the own holidays
  std::map<std::pair<int32_t, int32_t>, int64_t> kinds;       // (type, Easter) -> years
  std::map<std::pair<int32_t, int32_t>, int32_t> sampleYears;
  for (int64_t y = start; y < start + kCycle; ++y) {
    const int32_t year = static_cast<int32_t>(y);
    const int32_t type = WeekdayOf(1, 1, year) * 2 + LeapYear(year);
    const std::pair<int32_t, int32_t> kind{type, EasterIndex(y)};
    if (kinds[kind]++ == 0) sampleYears[kind] = year;
  }
  for (const SetupT& s : Setups()) {
    const WorkCalendarT c = Calendar(s);
    reference::YearLists lists(c);
    int64_t want = 0;
    for (const auto& [kind, years] : kinds) want += years * lists.HolidaysOfYears(sampleYears[kind], sampleYears[kind]);
    const int32_t end = static_cast<int32_t>(start + kCycle - 1);
    EXPECT_EQ(CountWorkdays(c, D(1, 1, start), D(31, 12, end), true).holidays, want) << (s.region.empty() ? "own" : s.region);
    // Any whole cycle later holds the same.
    const int32_t later = 1234567890;
    EXPECT_EQ(CountWorkdays(c, D(1, 1, later), D(31, 12, later + kCycle - 1), true).holidays, want);
  }
}

// The calendar of a Gregorian cycle repeats: a region without Easter
// holidays has the same count in every 400 years once its law is settled.
TEST(Counting, GregorianCyclesWithoutEaster) {
  std::mt19937_64 random(23);
  const WorkCalendarT us = Calendar("US");
  const WorkdayCountT one = CountWorkdays(us, D(1, 3, 2100), D(1, 3, 2500), false);
  for (int i = 0; i < 50; ++i) {
    const int64_t a = std::uniform_int_distribution<int64_t>(Day(D(1, 1, 2100)), kLastDay / 2)(random);
    const int64_t cycles = std::uniform_int_distribution<int64_t>(1, 1000000)(random);
    const WorkdayCountT r = CountWorkdays(us, DateOfDayNumber(a), DateOfDayNumber(a + cycles * 146097), false);
    ASSERT_EQ(r.holidays, cycles * one.holidays);
    ASSERT_EQ(r.count, cycles * one.count);
  }
}

bool Works(const WorkCalendarT& c, int64_t day) { return IsWorkday(c, DateOfDayNumber(day)); }

TEST(Shifting, Examples) {
  const WorkCalendarT bavaria = Calendar("DE-BY");
  EXPECT_EQ(ShiftWorkdays(bavaria, D(31, 12, 2026), 1).date, D(4, 1, 2027));
  EXPECT_EQ(ShiftWorkdays(bavaria, D(3, 1, 2026), 1).date, D(5, 1, 2026));
  EXPECT_EQ(ShiftWorkdays(bavaria, D(3, 1, 2026), 2).date, D(7, 1, 2026));
  EXPECT_EQ(ShiftWorkdays(bavaria, D(5, 1, 2026), -1).date, D(2, 1, 2026));
  EXPECT_EQ(ShiftWorkdays(bavaria, D(4, 1, 2026), 0).date, D(4, 1, 2026));
  EXPECT_EQ(ShiftWorkdays(Calendar("GB-ENG"), D(24, 12, 2021), 1).date, D(29, 12, 2021));
  const WorkdayShiftT end = ShiftWorkdays(bavaria, D(31, 12, kMaxYear), 1);
  EXPECT_FALSE(end.error.empty());
  EXPECT_FALSE(ShiftWorkdays(bavaria, D(1, 1, kMinYear), -1).error.empty());
  EXPECT_FALSE(ShiftWorkdays(bavaria, D(1, 1, 2000), std::numeric_limits<int64_t>::max()).error.empty());
  EXPECT_FALSE(ShiftWorkdays(bavaria, D(1, 1, 2000), std::numeric_limits<int64_t>::min()).error.empty());
  // The first and the last working day of the range are reached.
  const WorkdayCountT all = CountWorkdays(bavaria, D(1, 1, kMinYear), D(31, 12, kMaxYear), true);
  const WorkdayShiftT last = ShiftWorkdays(bavaria, D(1, 1, kMinYear), all.count - Works(bavaria, kFirstDay));
  ASSERT_TRUE(last.error.empty());
  EXPECT_EQ(CountWorkdays(bavaria, last.date, D(31, 12, kMaxYear), true).count, 1);
}

// n > 0: n working days in (date, result], the result one of them; n < 0: -n
// working days in [result, date), the result the first of them.
TEST(Shifting, CountsBackOnRandomCases) {
  std::mt19937_64 random(24);
  for (const SetupT& s : Setups()) {
    const WorkCalendarT c = Calendar(s);
    for (int i = 0; i < 60; ++i) {
      const int64_t day = RandomDay(random);
      const int64_t size = i % 3 == 0 ? 1000000000000 : i % 3 == 1 ? 1000000 : 3000;
      const int64_t n = std::uniform_int_distribution<int64_t>(-size, size)(random);
      const DateTripleT date = DateOfDayNumber(day);
      const WorkdayShiftT r = ShiftWorkdays(c, date, n);
      const WorkdayCountT after = CountWorkdays(c, date, D(31, 12, kMaxYear), true);
      const WorkdayCountT before = CountWorkdays(c, D(1, 1, kMinYear), date, false);
      const bool fits = n >= 0 ? n <= after.count - Works(c, day) : -n <= before.count;
      ASSERT_EQ(r.error.empty(), fits) << day << " " << n;
      if (!fits || n == 0) continue;
      ASSERT_TRUE(Works(c, Day(r.date))) << day << " " << n;
      if (n > 0) {
        ASSERT_EQ(CountWorkdays(c, date, r.date, true).count - Works(c, day), n) << day << " " << n;
      } else {
        ASSERT_LT(Day(r.date), day);
        ASSERT_EQ(CountWorkdays(c, r.date, date, false).count, -n) << day << " " << n;
      }
    }
  }
}

TEST(OwnHolidays, CountedOnceAndNamed) {
  const WorkCalendarT c = Calendar("DE-BY", {}, OwnHolidays());
  EXPECT_EQ(NameOn(c, D(24, 12, 2026)), "Christmas Eve");
  EXPECT_EQ(NameOn(c, D(24, 12, 1989)), "");
  EXPECT_EQ(NameOn(c, D(1, 5, 2000)), "Labour Day");  // one name for the same holiday twice
  EXPECT_EQ(NameOn(c, D(10, 3, 2026)), "Company day");
  EXPECT_EQ(NameOn(c, D(29, 2, 2028)), "Leap day");
  EXPECT_EQ(NameOn(c, D(8, 8, -5000)), "Peace Festival");
  EXPECT_EQ(NameOn(c, D(8, 8, 5001)), "");
  // 10 April 2026 is Good Friday too.
  EXPECT_EQ(HolidayOn(c, D(3, 4, 2026))->english, "Good Friday");
  const auto friday = HolidayOn(Calendar("DE-BY", {}, {{4, 3, 2026, 2026, "Own"}}), D(3, 4, 2026));
  EXPECT_EQ(friday->english, "Good Friday / Own");
  EXPECT_EQ(friday->german, "Karfreitag / Own");
  // Impossible entries are left out.
  const WorkCalendarT odd = Calendar("", {}, {{2, 30, 2000, 2001, "x"}, {2, 29, 2001, 2001, "y"}, {1, 1, 5, 2, "z"}});
  EXPECT_TRUE(HolidaysInYears(odd, 1999, 2002).empty());
  EXPECT_EQ(CountWorkdays(Calendar(""), D(1, 1, 2026), D(1, 1, 2027), false).count, 261);
  EXPECT_EQ(CountWorkdays(c, D(1, 12, 2026), D(1, 1, 2027), false).holidays, 2);  // 26 December is a Saturday
}

}  // namespace
