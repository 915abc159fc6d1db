#include "dates/dater.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "tests/dates/literal.h"
#include "tests/support/today.h"

namespace {

DateTripleT D(int32_t d, int32_t m, int32_t y) { return {d, m, y}; }

DateTripleT Add(DateTripleT t, int64_t n, int kind) {
  if (kind == 0) return AddDays(t.day, t.month, t.year, n);
  if (kind == 1) return AddMonths(t.day, t.month, t.year, n);
  return AddYears(t.day, t.month, t.year, n);
}

DateTripleT Normalized(int32_t d, int32_t m, int32_t y) {
  NormalizeDate(d, m, y);
  return {d, m, y};
}

TEST(Calendar, LeapYearsAndLengths) {
  EXPECT_FALSE(LeapYear(1900));
  EXPECT_TRUE(LeapYear(2000));
  EXPECT_TRUE(LeapYear(2004));
  EXPECT_FALSE(LeapYear(0));
  EXPECT_TRUE(LeapYear(-1));
  EXPECT_TRUE(LeapYear(-5));
  // Before the era the century rule falls on the astronomical years.
  EXPECT_TRUE(LeapYear(-97));
  EXPECT_FALSE(LeapYear(-101));
  EXPECT_FALSE(LeapYear(-201));
  EXPECT_TRUE(LeapYear(-401));
  EXPECT_EQ(MonthLength(2, 2000), 29);
  EXPECT_EQ(MonthLength(14, 2000), 28);  // February 2001
  EXPECT_EQ(MonthLength(-22, 2001), 28);  // February 1999: far-below months carry by whole years
}

TEST(Calendar, StepAndLiftYears) {
  auto step = [](int32_t y, int64_t n) { StepYear(y, n); return y; };
  EXPECT_EQ(step(-1, 1), 1);
  EXPECT_EQ(step(1, -1), -1);
  EXPECT_EQ(step(-1, 2), 2);
  EXPECT_EQ(step(0, 0), -1);
  EXPECT_EQ(step(2147483000, 1000), 2147483647);
  EXPECT_EQ(step(-2147483000, -1000), -2147483647 - 1);
  int32_t y = -1;
  LiftYear(y);
  EXPECT_EQ(y, 400);
  y = 0;
  LiftYear(y);
  EXPECT_EQ(y, 401);
}

TEST(Calendar, NormalizeDate) {
  EXPECT_EQ(Normalized(0, 3, 2000), D(29, 2, 2000));
  EXPECT_EQ(Normalized(32, 12, 2000), D(1, 1, 2001));
  EXPECT_EQ(Normalized(5, 13, 2000), D(5, 1, 2001));
  EXPECT_EQ(Normalized(5, 0, 2000), D(5, 12, 1999));
  EXPECT_EQ(Normalized(-1, 3, 2001), D(27, 2, 2001));
  EXPECT_EQ(Normalized(31, 2, 2001), D(3, 3, 2001));
  EXPECT_EQ(Normalized(5, -20, 2000), D(5, 4, 1998));
  EXPECT_EQ(Normalized(1, 1, 1), D(1, 1, 1));
  // Extreme fields stay inside the calendar's range.
  EXPECT_EQ(Normalized(2147483647, 2147483647, 2147483647), D(31, 12, 2147483647));
  EXPECT_EQ(Normalized(-2147483647 - 1, -2147483647 - 1, -2147483647 - 1), D(1, 1, -2147483647 - 1));
}

TEST(Calendar, WeekdaysAndWeeks) {
  EXPECT_EQ(WeekdayOf(1, 1, 2001), 1);
  EXPECT_EQ(WeekdayOf(1, 1, 2000), 6);
  EXPECT_EQ(WeekdayOf(31, 12, 2000), 7);
  EXPECT_EQ(WeekdayOf(7, 12, 2026), 1);
  EXPECT_EQ(WeekOfYearNo(1, 1, 2000), 53);
  EXPECT_EQ(WeekOfYearNo(3, 1, 2000), 1);
  EXPECT_EQ(WeekOfYearNo(31, 12, 2001), 53);
  EXPECT_EQ(WeekOfYearNo(7, 12, 2026), 49);
  EXPECT_EQ(WeekOfYearNo(TestContext(), 1, 1, 2000), 53);
  // A date out of its ranges is read as the rules read it, whatever weekday is given.
  EXPECT_EQ(WeekOfYearNo(TestContext(), 40, 13, 2000, 1), WeekOfYearNo(TestContext(), 40, 13, 2000));
  EXPECT_EQ(WeekOfMonthNo(7), 1);
  EXPECT_EQ(WeekOfMonthNo(8), 2);
  EXPECT_EQ(WeekOfMonthNo(31), 5);
  EXPECT_EQ(DaysToNewYear(31, 12, 1999), 1);
  EXPECT_EQ(DaysToNewYear(1, 1, 2000), 366);
  EXPECT_EQ(DayOfYearNo(7, 12, 2026), 341);
}

TEST(Calendar, IncrementExamples) {
  EXPECT_EQ(Add(D(31, 1, 2001), 1, 1), D(28, 2, 2001));
  EXPECT_EQ(Add(D(31, 3, 2001), -1, 1), D(28, 2, 2001));
  EXPECT_EQ(Add(D(15, 1, 2001), -13, 1), D(15, 12, 1999));
  EXPECT_EQ(Add(D(29, 2, 2000), 1, 2), D(28, 2, 2001));
  EXPECT_EQ(Add(D(1, 1, -1), 1, 2), D(1, 1, 1));
  EXPECT_EQ(Add(D(1, 1, 1), -1, 0), D(31, 12, -1));
  EXPECT_EQ(Add(D(30, 2, 2000), 5, 0), D(30, 2, 2000));  // invalid dates stay
  int32_t d = 31, m = 1, y = 2001;
  const DateTripleT r = AddMonths(d, m, y, 1);
  EXPECT_EQ(D(d, m, y), r);  // in/out and result agree
}

TEST(Calendar, LimitsOfTheYearRange) {
  const int32_t kMax = 2147483647, kMin = -2147483647 - 1;
  EXPECT_EQ(Add(D(31, 12, kMax), 1, 0), D(31, 12, kMax));
  EXPECT_EQ(Add(D(15, 12, kMax), 1, 1), D(31, 12, kMax));  // never wraps back in time
  EXPECT_EQ(Add(D(15, 6, kMax), 5, 2), D(31, 12, kMax));
  EXPECT_EQ(Add(D(1, 1, kMin), -1, 0), D(1, 1, kMin));
  EXPECT_EQ(Add(D(15, 1, kMin), -2147483647 - 1, 1), D(1, 1, kMin));
  EXPECT_EQ(Add(D(1, 1, 2000), 999999999, 0), D(3, 1, 2739907));
  const DateTripleT far = Add(D(1, 1, 2000), -999999999, 0);
  EXPECT_EQ(DateDifference(far, D(1, 1, 2000)).totalDays, 999999999);
  const DateDiffT span = DateDifference(D(1, 1, kMin), D(31, 12, kMax));
  EXPECT_EQ(span.years, 4294967294);
  EXPECT_EQ(span.totalMonths, 4294967294LL * 12 + 11);
  EXPECT_GT(span.totalDays, 1568704592000LL);
}

TEST(Calendar, DateDiffExamples) {
  struct Case { DateTripleT a, b; int64_t y, m, d, tm, td; };
  const Case cases[] = {
      {D(31, 1, 2001), D(1, 3, 2001), 0, 1, 1, 1, 29},
      {D(15, 3, 2000), D(10, 3, 2001), 0, 11, 26, 11, 360},
      {D(29, 2, 2000), D(28, 2, 2001), 0, 11, 28, 11, 365},
      {D(1, 1, -1), D(1, 1, 1), 1, 0, 0, 12, 366},
      {D(1, 1, 2000), D(15, 3, 2001), 1, 2, 14, 14, 439},
      {D(5, 5, 2005), D(5, 5, 2005), 0, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    for (bool swapped : {false, true}) {
      const DateDiffT r = swapped ? DateDifference(c.b, c.a) : DateDifference(c.a, c.b);
      EXPECT_EQ(r.years, c.y);
      EXPECT_EQ(r.months, c.m);
      EXPECT_EQ(r.days, c.d);
      EXPECT_EQ(r.totalMonths, c.tm);
      EXPECT_EQ(r.totalDays, c.td);
    }
  }
  int64_t d1 = 30, m1 = 2, y1 = 2000, d2 = 1, m2 = 1, y2 = 2000;
  DateDiff(d1, m1, y1, d2, m2, y2);
  EXPECT_EQ(d1 | m1 | y1 | d2 | m2 | y2, 0);
  d1 = 31; m1 = 1; y1 = 2001; d2 = 1; m2 = 3; y2 = 2001;
  DateDiff(d1, m1, y1, d2, m2, y2);
  EXPECT_EQ(d1, 1);
  EXPECT_EQ(m1, 1);
  EXPECT_EQ(d2, 29);
  EXPECT_EQ(m2, 1);
}

TEST(Calendar, BeforeTheEraTheCalendarAgreesWithItself) {
  // Day by day across the BC century years: weekdays advance by one and the
  // difference counts every step.
  for (int32_t year : {-97, -101, -201, -301, -401, -1, 1}) {
    DateTripleT x = D(20, 2, year);
    const DateTripleT start = x;
    for (int i = 1; i <= 400; ++i) {
      const int32_t before = WeekdayOf(x.day, x.month, x.year);
      x = Add(x, 1, 0);
      ASSERT_EQ(WeekdayOf(x.day, x.month, x.year), before % 7 + 1) << x.day << "." << x.month << "." << x.year;
      ASSERT_EQ(DateDifference(start, x).totalDays, i);
    }
  }
  EXPECT_EQ(Add(D(28, 2, -97), 1, 0), D(29, 2, -97));
  EXPECT_EQ(DateDifference(D(28, 2, -101), D(1, 3, -101)).totalDays, 1);
}

TEST(Calendar, FastCodeMatchesTheLiteralProcedures) {
  std::mt19937_64 rng(20261207);
  auto pick = [&](int64_t lo, int64_t hi) { return std::uniform_int_distribution<int64_t>(lo, hi)(rng); };
  auto year = [&] {
    int64_t y = pick(-2500, 2500);
    return static_cast<int32_t>(y == 0 ? 1 : y);
  };
  auto date = [&] {
    const int32_t y = year(), m = static_cast<int32_t>(pick(1, 12));
    // Month ends and leap days come up often.
    const int32_t len = MonthLength(m, y);
    const int32_t d = pick(0, 3) == 0 ? len : static_cast<int32_t>(pick(1, len));
    return D(d, m, y);
  };
  for (int i = 0; i < 3000; ++i) {
    const DateTripleT a = date(), b = date();
    const int64_t n = pick(0, 1) ? pick(-800, 800) : pick(-400000, 400000);

    int64_t ld = a.day, lm = a.month, ly = a.year;
    literal::AddDays(ld, lm, ly, n);
    ASSERT_EQ(Add(a, n, 0), D(static_cast<int32_t>(ld), static_cast<int32_t>(lm), static_cast<int32_t>(ly)))
        << a.day << "." << a.month << "." << a.year << " + " << n;

    const literal::Diff l = literal::DateDiff(a.day, a.month, a.year, b.day, b.month, b.year);
    const DateDiffT f = DateDifference(a, b);
    ASSERT_EQ(f.years, l.years);
    ASSERT_EQ(f.months, l.months);
    ASSERT_EQ(f.days, l.days);
    ASSERT_EQ(f.totalMonths, l.totalMonths);
    ASSERT_EQ(f.totalDays, l.totalDays) << a.day << "." << a.month << "." << a.year << " / " << b.day << "."
                                        << b.month << "." << b.year;

    ASSERT_EQ(WeekdayOf(a.day, a.month, a.year), literal::Weekday(a.day, a.month, a.year));
    ASSERT_EQ(LeapYear(a.year), literal::Leap(a.year));

    // Carrying out-of-range fields is the same as stepping from the month's first day.
    const int32_t rd = static_cast<int32_t>(pick(-500, 500)), rm = static_cast<int32_t>(pick(-40, 40));
    int64_t nm = rm, ny = a.year;
    literal::NormMonth(nm, ny);
    int64_t ed = 1, em = nm, ey = ny;
    literal::AddDays(ed, em, ey, rd - 1);
    ASSERT_EQ(Normalized(rd, rm, a.year), D(static_cast<int32_t>(ed), static_cast<int32_t>(em), static_cast<int32_t>(ey)));
  }
}

TEST(Calendar, WeekNumbersOfBothRulesMatchTheirDayByDayCount) {
  const CalcContextT iso = [] {
    CalcContextT c = TestContext();
    c.weeks = WeekNumberingT::kIso8601;
    return c;
  }();
  EXPECT_EQ(WeekOfYearNo(iso, 8, 12, 2026), 50);
  EXPECT_EQ(WeekOfYearNo(iso, 1, 1, 2027), 53);   // Friday: still the last week of 2026
  EXPECT_EQ(WeekOfYearNo(iso, 29, 12, 2025), 1);  // Monday of 2026's first week
  EXPECT_EQ(WeekOfYearNo(iso, 3, 1, 2000), 1);
  EXPECT_EQ(WeekOfYearNo(iso, 2, 1, 2000), 52);
  std::mt19937_64 rng(20261208);
  auto pick = [&](int64_t lo, int64_t hi) { return std::uniform_int_distribution<int64_t>(lo, hi)(rng); };
  constexpr int32_t kMin = std::numeric_limits<int32_t>::min(), kMax = std::numeric_limits<int32_t>::max();
  const int32_t edges[] = {kMin, kMin + 1, -401, -1, 1, 2, kMax - 1, kMax};
  for (int i = 0; i < 2000; ++i) {
    int32_t y = i < 64 ? edges[i % 8] : static_cast<int32_t>(pick(kMin, kMax));
    if (y == 0) y = 1;
    const int32_t m = i < 64 ? (i % 2 ? 12 : 1) : static_cast<int32_t>(pick(1, 12));
    const int32_t d = i < 64 ? (i % 2 ? 31 - i / 8 % 4 : 1 + i / 8 % 4) : static_cast<int32_t>(pick(1, MonthLength(m, y)));
    ASSERT_EQ(IsoWeekOfYearNo(d, m, y), literal::IsoWeek(d, m, y)) << d << "." << m << "." << y;
    ASSERT_EQ(WeekOfYearNo(iso, d, m, y), literal::IsoWeek(d, m, y));
    ASSERT_EQ(WeekOfYearNo(d, m, y), literal::WeekOfYear(d, m, y)) << d << "." << m << "." << y;
    // With the weekday given, as a calendar's rows and a date's facts ask.
    ASSERT_EQ(WeekOfYearNo(TestContext(), d, m, y, WeekdayOf(d, m, y)), literal::WeekOfYear(d, m, y));
    ASSERT_EQ(WeekOfYearNo(iso, d, m, y, WeekdayOf(d, m, y)), literal::IsoWeek(d, m, y));
  }
}

TEST(Texts, ParseDate) {
  const CalcContextT c = TestContext();
  EXPECT_EQ(ParseDate(c, "0"), D(7, 12, 2026));
  EXPECT_EQ(ParseDate(c, "15"), D(15, 12, 2026));
  EXPECT_EQ(ParseDate(c, "11.0.1756"), D(11, 12, 1756));
  EXPECT_EQ(ParseDate(c, "1.1.-44"), D(1, 1, -44));
  EXPECT_EQ(ParseDate(c, ""), D(7, 12, 2026));
  EXPECT_EQ(ParseDate(c, "x.y.z"), D(7, 12, 2026));
  EXPECT_EQ(ParseDate(c, "31.2.2001"), D(31, 2, 2001));
  EXPECT_EQ(ParseDate(c, "1..2000"), D(1, 12, 2000));
  EXPECT_EQ(ParseDate(c, ".5"), D(7, 5, 2026));
  EXPECT_EQ(ParseDate(c, "1.1.0"), D(1, 1, 2026));
  EXPECT_EQ(ParseDate(c, "99999999999"), D(7, 12, 2026));
  EXPECT_EQ(ParseDate(c, "1.2.3.4.5"), D(1, 2, 3));
  EXPECT_EQ(ParseDate(c, "40.13.2000"), D(40, 13, 2000));
  EXPECT_EQ(FormatToday(c, "dd.mm.yyyy"), "07.12.2026");
  // Another context's today.
  EXPECT_EQ(ParseDate(TestContext(D(29, 2, 2024)), "0.0"), D(29, 2, 2024));
  EXPECT_EQ(FormatToday(TestContext(D(1, 3, 1999)), "dd.mm.yyyy"), "01.03.1999");
}

// Plain fields are read by a shorter way than the others; a blank, which the
// reader skips, sends any field the long way, which must read it the same.
TEST(Texts, TextToIntReadsPlainFieldsAsTheFullRulesDo) {
  std::mt19937_64 rng(8122026);
  const std::string_view chars = "-.0123456789999";
  for (int i = 0; i < 200000; ++i) {
    std::string text(rng() % 13, ' ');
    for (char& c : text) c = chars[rng() % (i % 2 ? 3 : chars.size())];
    if (i % 3) text.erase(0, text.find_first_not_of("-."));
    ASSERT_EQ(TextToInt(text), TextToInt(text + " ")) << text;
  }
}

TEST(Texts, TextToIntAndReal) {
  EXPECT_EQ(TextToInt("12"), 12);
  EXPECT_EQ(TextToInt("-7"), -7);
  EXPECT_EQ(TextToInt("1-2"), 12);
  EXPECT_EQ(TextToInt("a-5"), -5);
  EXPECT_EQ(TextToInt("3.9"), 3);
  EXPECT_EQ(TextToInt("-3.9"), -3);
  EXPECT_EQ(TextToInt("abc"), 0);
  EXPECT_EQ(TextToInt(""), 0);
  EXPECT_EQ(TextToInt("--5"), -5);
  EXPECT_EQ(TextToInt("12abc34"), 1234);
  EXPECT_EQ(TextToInt("-"), 0);
  EXPECT_EQ(TextToInt("."), 0);
  EXPECT_EQ(TextToInt("2147483647"), 2147483647);
  EXPECT_EQ(TextToInt("-2147483648"), -2147483647 - 1);
  EXPECT_EQ(TextToInt("2147483648"), 0);
  EXPECT_EQ(TextToInt("0000000000000000000042"), 42);
  EXPECT_EQ(TextToInt("1.2.3"), 1);
  EXPECT_EQ(TextToInt(std::string(100000, '9')), 0);
  EXPECT_DOUBLE_EQ(static_cast<double>(TextToReal("3,5")), 35.0);
  EXPECT_DOUBLE_EQ(static_cast<double>(TextToReal("-1.25x")), -1.25);
  EXPECT_DOUBLE_EQ(static_cast<double>(TextToReal("1.2.3")), 1.2);
  EXPECT_EQ(TextToReal("-."), 0);
}

TEST(Texts, NumberTexts) {
  EXPECT_EQ(PadNumber(5, 2), "05");
  EXPECT_EQ(PadNumber(2001, 2), "2001");
  EXPECT_EQ(PadNumber(5, 4), "0005");
  EXPECT_EQ(PadNumber(-5, 2), "-5");
  EXPECT_EQ(PadNumber(-44, 4), "-044");
  EXPECT_EQ(PadNumber(INT64_MIN, 0), "-9223372036854775808");
  EXPECT_EQ(IntText(-2147483648LL), "-2147483648");
  EXPECT_EQ(RealText(3, 1.5), "1.500");
  EXPECT_EQ(RealText(3, 1.2054), "1.205");
  EXPECT_EQ(RealText(20, 1), "1.00000000000");
  EXPECT_EQ(RealText(3, -0.0), "0.000");
  EXPECT_EQ(TrimmedRealText(11, 2.5), "2.5");
  EXPECT_EQ(TrimmedRealText(11, 3), "3");
  EXPECT_EQ(TrimmedRealText(11, 10), "10");
  EXPECT_EQ(TrimmedRealText(11, 0), "0");
  EXPECT_EQ(TrimmedRealText(3, 100), "100");
  EXPECT_EQ(DateText(7, 12, 2026), "07.12.2026");
  EXPECT_EQ(DateText(1, 1, 5), "01.01.5");
  EXPECT_EQ(WeekdayDateText(TestContext(), 7, 12, 2026), "Monday,07.12.2026");
}

TEST(Texts, NamesAndLanguages) {
  EXPECT_EQ(ZodiacIndex(20, 1), 1);
  EXPECT_EQ(ZodiacIndex(21, 1), 2);
  EXPECT_EQ(ZodiacIndex(19, 2), 2);
  EXPECT_EQ(ZodiacIndex(20, 2), 3);
  EXPECT_EQ(ZodiacIndex(21, 3), 4);
  EXPECT_EQ(ZodiacIndex(20, 3), 3);
  EXPECT_EQ(ZodiacIndex(22, 12), 1);
  EXPECT_EQ(ZodiacIndex(31, 12), 1);
  const CalcContextT english = TestContext();
  EXPECT_EQ(ZodiacName(english, 7, 12, 2026), "Sagittarius");
  EXPECT_EQ(MonthName(english, 12), "December");
  EXPECT_EQ(MonthName(english, 13), "");
  const CalcContextT german = TestContext(kTestToday, 1);
  // German spelt properly in Windows-1252.
  EXPECT_EQ(MonthName(german, 3), "M\xE4rz");
  EXPECT_EQ(WeekdayName(german, 7, 12, 2026), "Montag");
  EXPECT_EQ(ZodiacName(german, 7, 12, 2026), "Sch\xFCtze");
  EXPECT_EQ(ZodiacName(german, 1, 8, 2026), "L\xF6we");
  EXPECT_EQ(ZodiacName(german, 1, 11, 2026), "Skorpion");
  EXPECT_EQ(FormatDate(german, "DDDDDDDDDD MMMMMMM", 7, 12, 2026), "Montag Dezembe");
  EXPECT_EQ(WeekdayDateText(german, 7, 12, 2026), "Montag,07.12.2026");
  EXPECT_EQ(FormatDate(german, "DD", 7, 12, 2026), "Mo");
  EXPECT_EQ(WeekdayName(english, 7, 12, 2026), "Monday");
  EXPECT_EQ(MonthName(english, 3), "March");
}

TEST(Texts, FormatDatePatterns) {
  const CalcContextT c = TestContext();
  EXPECT_EQ(FormatDate(c, "dd.mm.yyyy", 7, 12, 2026), "07.12.2026");
  EXPECT_EQ(FormatDate(c, "d", 15, 12, 2026), "1");
  EXPECT_EQ(FormatDate(c, "DDD, dd.mm.yy", 7, 12, 2026), "Mon, 07.12.26");
  EXPECT_EQ(FormatDate(c, "dcc MMM", 7, 12, 2026), "7th Dec");
  EXPECT_EQ(FormatDate(c, "ddcc", 22, 12, 2026), "22nd");
  EXPECT_EQ(FormatDate(c, "yyyy", 1, 1, 5), "5");
  EXPECT_EQ(FormatDate(c, "yy", 1, 1, 2026), "26");
  EXPECT_EQ(FormatDate(c, "dd.mm.yyyy", 5, 1, 12345), "05.01.2345");
  EXPECT_EQ(FormatDate(c, "dd.mm.yyyy", 1, 1, -44), "01.01.-44");
  EXPECT_EQ(FormatDate(c, "ddd", 5, 1, 2000), "005");
  EXPECT_EQ(FormatDate(c, "dd.mm.yyyy (d)", 5, 1, 2000), "00.01.2000 (5)");
  EXPECT_EQ(FormatDate(c, "zzzzzzzzzzzzzzzzz!", 7, 12, 2026), "Sagittarius!");
  EXPECT_EQ(FormatDate(c, "x", 1, 1, 2323), "0");
  EXPECT_EQ(FormatDate(c, "xxxxxxxxxxxxxxxxxxxxx", 2, 1, 2323), TrimmedRealText(11, 1000 / 365.24221041666L));
  EXPECT_EQ(FormatDate(c, "XXXXXXXXXXXXXXXXXXXX", 30, 1, 2260), "-1.09927053");
  EXPECT_EQ(FormatDate(c, std::string(300, '-'), 1, 1, 1).size(), 255u);
}

TEST(Texts, FileStamps) {
  // 7 December 2026 13:45:30 as a packed file stamp.
  const uint32_t date = ((2026 - 1980) << 9) | (12 << 5) | 7;
  const uint32_t time = (13 << 11) | (45 << 5) | 15;
  const DateInfoT info = FileDateInfo(TestContext(), (date << 16) | time);
  EXPECT_EQ(D(info.day, info.month, info.year), D(7, 12, 2026));
  EXPECT_EQ(info.hour, 13);
  EXPECT_EQ(info.minute, 45);
  EXPECT_EQ(info.second, 30);
  EXPECT_EQ(info.weekday, 1);
  EXPECT_EQ(info.zodiac, 12);
  EXPECT_EQ(info.weekdayName, "Monday");
  EXPECT_EQ(info.monthName, "December");
  const DateInfoT bad = FileDateInfo(TestContext(), 0);
  EXPECT_EQ(D(bad.day, bad.month, bad.year), D(30, 12, 1899));
  EXPECT_EQ(bad.hour, 0);
}

}  // namespace
