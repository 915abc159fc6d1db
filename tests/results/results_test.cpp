#include "results/results.h"

#include <gtest/gtest.h>

#include <random>
#include <thread>

#include "tests/support/today.h"

namespace {

struct Results : ::testing::Test {
  static ResultsT Run(const std::string& d1, const std::string& d2, int32_t k1 = 0, const std::string& c1 = "0",
                      int32_t k2 = 0, const std::string& c2 = "0", int64_t extra = 0) {
    ResultInputT in;
    in.context = TestContext();
    in.date1 = d1;
    in.date2 = d2;
    in.kind1 = k1;
    in.count1 = c1;
    in.kind2 = k2;
    in.count2 = c2;
    in.extra2 = extra;
    return ComputeResults(in);
  }
};

TEST_F(Results, DifferenceMemoExamples) {
  EXPECT_EQ(Run("01.01.2000", "15.03.2001").difference,
            "1 Year 2 Months 14 Days = 1.205 Years\r\n14 Months 2 Weeks 0 Days = 14.460 Months\r\n"
            "62 Weeks 5 Days = 62.714 Weeks\r\n439 Days ");
  EXPECT_EQ(Run("5.5.2005", "5.5.2005").difference,
            "0 Years 0 Months 0 Days = 0.000 Years\r\n0 Months 0 Weeks 0 Days = 0.000 Months\r\n"
            "0 Weeks 0 Days = 0.000 Weeks\r\n0 Days ");
  EXPECT_EQ(Run("01.01.2000", "02.01.2000").difference,
            "0 Years 0 Months 1 Day = 0.003 Years\r\n0 Months 0 Weeks 1 Day = 0.033 Months\r\n"
            "0 Weeks 1 Day = 0.143 Weeks\r\n1 Day ");
  EXPECT_EQ(Run("15.03.2001", "01.01.2000").difference, Run("01.01.2000", "15.03.2001").difference);
}

TEST_F(Results, FactsLabelsAndLeapYears) {
  const ResultsT r = Run("0", "1.1.-1");
  EXPECT_EQ(r.facts1,
            "Monday, 07.12.2026 (Sagittarius)\r\nDay of Year 341\r\nWeek of Month 1\r\n"
            "Week of Year 49\r\nNew Year in 25 Days\r\n");
  EXPECT_EQ(r.label1, "December 2026");
  EXPECT_EQ(r.label2, "January -1");
  EXPECT_NE(r.facts2.find("\r\nLeap year\r\n"), std::string::npos);
  EXPECT_EQ(r.facts1.find("Leap year"), std::string::npos);
}

TEST_F(Results, GermanTextsAndOneDayToNewYear) {
  EXPECT_NE(ShowDateFacts(TestContext(), 31, 12, 2026).find("\r\nNew Year in 1 Day\r\n"), std::string::npos);
  ResultInputT in;
  in.context = TestContext(kTestToday, 1);
  in.date1 = "31.12.2024";
  in.date2 = "1.1.2000";
  const ResultsT r = ComputeResults(in);
  EXPECT_EQ(r.label1, "Dezember 2024");
  EXPECT_EQ(r.facts1,
            "Dienstag, 31.12.2024 (Steinbock)\r\nTag des Jahres 366\r\nWoche des Monats 5\r\n"
            "Kalenderwoche 53\r\nNeujahr in 1 Tag\r\nSchaltjahr\r\n");
  EXPECT_EQ(r.difference,
            "24 Jahre 11 Monate 30 Tage = 24,999 Jahre\r\n299 Monate 4 Wochen 2 Tage = 299,986 Monate\r\n"
            "1304 Wochen 3 Tage = 1304,429 Wochen\r\n9131 Tage ");
  EXPECT_EQ(r.calendar1.weekCaption, "Woche 12.2024");
  EXPECT_EQ(WeekdayCaption(in.context, 6), "Sonntag");
  in.context.language = 2;
  in.date1 = "1.1.2001";
  in.date2 = "2.1.2001";
  EXPECT_EQ(ComputeResults(in).difference.substr(0, 21), "0 Years 0 Months 1 Da");
}

TEST_F(Results, IncrementsOfEachKind) {
  EXPECT_EQ(Run("31.1.2001", "0", 2, "1").date1, (DateTripleT{28, 2, 2001}));
  EXPECT_EQ(Run("31.2.2001", "0").date1, (DateTripleT{3, 3, 2001}));  // normalised even without a count
  EXPECT_EQ(Run("1.1.2000", "0", 1, "2").date1, (DateTripleT{15, 1, 2000}));
  EXPECT_EQ(Run("29.2.2000", "0", 3, "-4").date1, (DateTripleT{29, 2, 1996}));
  EXPECT_EQ(Run("1.1.2000", "0", 7, "5").date1, (DateTripleT{1, 1, 2000}));  // unknown kind adds nothing
  EXPECT_EQ(Run("1.1.2000", "0", 0, "").date1, (DateTripleT{1, 1, 2000}));
  // The add check box's amount applies to date 2 only, in its kind.
  const ResultsT r = Run("1.1.2000", "1.1.2000", 0, "0", 2, "1", 5);
  EXPECT_EQ(r.date1, (DateTripleT{1, 1, 2000}));
  EXPECT_EQ(r.date2, (DateTripleT{1, 7, 2000}));
}

TEST_F(Results, ExtremeInputStaysValidAndPrintsWholeSpans) {
  const ResultsT r = Run("1.1.-2000000000", "31.12.2000000000", 0, "-999999999", 1, "999999999");
  EXPECT_TRUE(ValidDate(r.date1.day, r.date1.month, r.date1.year));
  EXPECT_TRUE(ValidDate(r.date2.day, r.date2.month, r.date2.year));
  const ResultsT big = Run("1.1.-2147483648", "31.12.2147483647", 3, "-2147483648", 1, "2147483647",
                           int64_t{1} << 40);
  EXPECT_EQ(big.date1, (DateTripleT{1, 1, -2147483647 - 1}));
  EXPECT_EQ(big.date2, (DateTripleT{31, 12, 2147483647}));
  EXPECT_EQ(big.difference.substr(0, 33), "4294967294 Years 11 Months 30 Day");
  EXPECT_NE(big.difference.find("51539607539 Months"), std::string::npos);
}

TEST_F(Results, CalendarCells) {
  // February 2021 starts on a Monday: rows 1-4, weeks 5-8.
  MonthCalendarT cal;
  FillMonthCalendarCells(cal, TestContext(), 10, 2, 2021);
  EXPECT_EQ(cal.weekCaption, "Week 02.2021");
  for (int r = 1; r <= 4; ++r) EXPECT_EQ(cal.cells[r][10].view(), std::to_string(r + 4));
  EXPECT_EQ(cal.cells[1][0].view(), "1");
  EXPECT_EQ(cal.cells[4][6].view(), "28");
  for (int c = 0; c <= 10; ++c) EXPECT_EQ(cal.cells[5][c].view(), "");
  EXPECT_EQ(cal.ownRow, 2);
  EXPECT_EQ(cal.ownColumn, 2);
  // May 2022 needs six rows; the 1st is a lone Sunday.
  FillMonthCalendarCells(cal, TestContext(), 31, 5, 2022);
  EXPECT_EQ(cal.cells[1][6].view(), "1");
  EXPECT_EQ(cal.cells[1][5].view(), "");
  EXPECT_EQ(cal.cells[6][0].view(), "30");
  EXPECT_EQ(cal.cells[6][1].view(), "31");
  EXPECT_EQ(cal.ownRow, 6);
  // January 2021: the days before the first Monday are week 53.
  FillMonthCalendarCells(cal, TestContext(), 1, 1, 2021);
  EXPECT_EQ(cal.cells[1][10].view(), "53");
  EXPECT_EQ(cal.cells[2][10].view(), "1");
  FillMonthCalendarCells(cal, TestContext(), 1, 1, 5);
  EXPECT_EQ(cal.weekCaption, "Week 01.0005");
  // Refilling clears what an earlier month left behind.
  FillMonthCalendarCells(cal, TestContext(), 1, 2, 2021);
  EXPECT_EQ(cal.cells[5][10].view(), "");
  EXPECT_EQ(cal.cells[6][0].view(), "");
}

// Two calculations with their own contexts side by side: neither sees the
// other's language or today.
TEST_F(Results, ContextsOnTwoThreadsDoNotMix) {
  ResultInputT german, english;
  german.context = TestContext({29, 2, 2024}, 1);
  english.context = TestContext({7, 12, 2026}, 2);
  for (ResultInputT* in : {&german, &english}) {
    in->date1 = "0";
    in->date2 = "1.1.2000";
  }
  const ResultsT wantGerman = ComputeResults(german), wantEnglish = ComputeResults(english);
  EXPECT_EQ(wantGerman.label1, "Februar 2024");
  EXPECT_EQ(wantGerman.facts1.substr(0, 30), "Donnerstag, 29.02.2024 (Fische");
  EXPECT_EQ(wantEnglish.label1, "December 2026");
  const auto run = [](const ResultInputT& in, const ResultsT& want, int32_t& bad) {
    ResultsT r;
    for (int i = 0; i < 2000; ++i) {
      ComputeResults(r, in);
      if (r.facts1 != want.facts1 || r.label1 != want.label1 || r.date1 != want.date1) ++bad;
    }
  };
  int32_t badGerman = 0, badEnglish = 0;
  std::thread a(run, std::cref(german), std::cref(wantGerman), std::ref(badGerman));
  std::thread b(run, std::cref(english), std::cref(wantEnglish), std::ref(badEnglish));
  a.join();
  b.join();
  EXPECT_EQ(badGerman, 0);
  EXPECT_EQ(badEnglish, 0);
}

TEST_F(Results, EveryInputGivesValidDates) {
  std::mt19937 rng(7);
  const char* pieces[] = {"0", "-1", "31", "400", "13", "-20", "2147483647", "-2147483648", "x", "", "99999999999"};
  for (int i = 0; i < 2000; ++i) {
    auto piece = [&] { return std::string(pieces[rng() % std::size(pieces)]); };
    const ResultsT r = Run(piece() + "." + piece() + "." + piece(), piece() + "." + piece(), rng() % 5, piece(),
                           rng() % 4, piece(), static_cast<int64_t>(rng()) - (1LL << 31));
    ASSERT_TRUE(ValidDate(r.date1.day, r.date1.month, r.date1.year));
    ASSERT_TRUE(ValidDate(r.date2.day, r.date2.month, r.date2.year));
    ASSERT_EQ(r.difference.find('-'), std::string::npos) << r.difference;
  }
}

}  // namespace

namespace {

// The difference lines print their fractions as RealText does, to the last
// rounding, for small and huge spans.
TEST(DifferenceText, FractionsPrintAsRealText) {
  std::mt19937_64 rng(15);
  for (int i = 0; i < 20000; ++i) {
    SpanT s;
    const int64_t scale = int64_t{1} << (rng() % 44);
    s.years = static_cast<int64_t>(rng() % static_cast<uint64_t>(scale));
    s.months = static_cast<int64_t>(rng() % 12);
    s.days = static_cast<int64_t>(rng() % 31);
    s.totalMonths = s.years * 12 + s.months;
    s.totalDays = static_cast<int64_t>(rng() % static_cast<uint64_t>(scale * 366));
    s.totalWeeks = s.totalDays / 7;
    s.weekDays = s.totalDays % 7;
    std::string memo;
    AppendDifferenceText(memo, 2, s);
    const long double values[3] = {static_cast<long double>(s.years) + s.months / 12.0L + s.days / 365.2425L,
                                   static_cast<long double>(s.totalMonths) + s.days / 30.436875L,
                                   static_cast<long double>(s.totalWeeks) + s.weekDays / 7.0L};
    size_t at = 0;
    for (long double v : values) {
      at = memo.find("= ", at) + 2;
      const std::string want = RealText(3, static_cast<double>(v));
      ASSERT_EQ(memo.substr(at, want.size() + 1), want + " ") << memo;
    }
  }
}

}  // namespace

TEST(ReadDateField, HintsOnlyWhenTheTextIsNotReadAsItReads) {
  const CalcContextT context = TestContext();
  for (const char* plain : {"07.12.2026", "7.12", "0", "", "1.1.-44"}) {
    const DateReadingT r = ReadDateField(context, plain);
    EXPECT_EQ(r.hint, "") << plain;
  }
  EXPECT_EQ(ReadDateField(context, "1/1/2000").hint, "read as 24.07.2333");
  EXPECT_TRUE(ReadDateField(context, "1/1/2000").dropped);
  const DateReadingT carried = ReadDateField(context, "31.2.2001");
  EXPECT_TRUE(carried.carried);
  EXPECT_FALSE(carried.dropped);
  EXPECT_EQ(carried.hint, "read as 03.03.2001");
  CalcContextT german = context;
  german.language = 1;
  EXPECT_EQ(ReadDateField(german, "31.2.2001").hint, "gelesen als 03.03.2001");
  for (const char* odd : {"1.1.2000.5", "1.1.20-00", " 1.1.2000", "1.1.2000x"})
    EXPECT_TRUE(ReadDateField(context, odd).dropped) << odd;
  // A field beyond 32 bits is read as today's: that too is a repair.
  for (const char* huge : {"1.1.99999999999", "2147483648.1.2000", "1.-2147483649.2000"}) {
    const DateReadingT r = ReadDateField(context, huge);
    EXPECT_TRUE(r.overflowed) << huge;
    EXPECT_NE(r.hint, "") << huge;
  }
  EXPECT_FALSE(ReadDateField(context, "1.1.2147483647").overflowed);
  EXPECT_FALSE(ReadDateField(context, "00000000000000000000001.1.2000").overflowed);
  // The results carry the same reading as the date shown.
  ResultInputT in;
  in.context = context;
  in.date1 = "31.2.2001";
  in.date2 = "1.1.2000";
  const ResultsT r = ComputeResults(in);
  EXPECT_EQ(r.reading1.read, r.date1);
  EXPECT_EQ(r.reading2.hint, "");
}

namespace {

WorkCalendarT Bavaria() {
  WorkCalendarT calendar;
  InitWorkCalendar(calendar, WeekendT{}, FindRegion("DE-BY"), {});
  return calendar;
}

ResultInputT WorkInput(const WorkCalendarT* calendar, const std::string& d1, const std::string& d2,
                       uint8_t language = 2) {
  ResultInputT in;
  in.context = TestContext(kTestToday, language);
  in.date1 = d1;
  in.date2 = d2;
  in.workCalendar = calendar;
  return in;
}

// Working days join the texts only when a calendar is given; then the
// difference ends in their count and a holiday is a fact of its date.
TEST(Workdays, CountedAndNamedOnlyWithACalendar) {
  const WorkCalendarT bavaria = Bavaria();
  const ResultsT plain = ComputeResults(WorkInput(nullptr, "25.12.2026", "1.1.2026"));
  EXPECT_FALSE(plain.workdays);
  EXPECT_EQ(plain.difference.find("Working"), std::string::npos);
  EXPECT_EQ(plain.facts1.find("Holiday"), std::string::npos);

  const ResultsT r = ComputeResults(WorkInput(&bavaria, "25.12.2026", "1.1.2026"));
  EXPECT_TRUE(r.workdays);
  EXPECT_EQ(r.region, "DE-BY");
  EXPECT_EQ(r.difference, plain.difference + "\r\n248 Working Days ");
  EXPECT_EQ(r.facts1, plain.facts1 + "Holiday: Christmas Day\r\n");
  EXPECT_EQ(r.facts2, plain.facts2 + "Holiday: New Year's Day\r\n");
  EXPECT_EQ(r.workdayCount.count + r.workdayCount.weekendDays + r.workdayCount.holidays, r.workdayCount.totalDays);
  EXPECT_EQ(r.workdayCount.totalDays, r.span.totalDays);
  EXPECT_FALSE(r.work1.workday);
  EXPECT_TRUE(r.work1.holiday);
  EXPECT_EQ(r.work1.holidayName, "Christmas Day");

  // A plain working day: no fact line, and with includeEnd the later date counts.
  ResultInputT in = WorkInput(&bavaria, "7.12.2026", "8.12.2026");
  ResultsT one = ComputeResults(in);
  EXPECT_TRUE(one.work1.workday);
  EXPECT_FALSE(one.work1.holiday);
  EXPECT_EQ(one.facts1, ComputeResults(WorkInput(nullptr, "7.12.2026", "8.12.2026")).facts1);
  EXPECT_EQ(one.difference.substr(one.difference.rfind("\r\n")), "\r\n1 Working Day ");
  in.includeEnd = true;
  one = ComputeResults(in);
  EXPECT_TRUE(one.includeEnd);
  EXPECT_EQ(one.workdayCount.count, 2);
  EXPECT_EQ(one.workdayCount.totalDays, 2);

  // German: plural and singular, the holiday's German name.
  const ResultsT de = ComputeResults(WorkInput(&bavaria, "26.12.2026", "1.1.2026", 1));
  EXPECT_EQ(de.difference.substr(de.difference.rfind("\r\n")), "\r\n248 Arbeitstage ");
  EXPECT_NE(de.facts1.find("\r\nFeiertag: 2. Weihnachtstag\r\n"), std::string::npos);
  const ResultsT deOne = ComputeResults(WorkInput(&bavaria, "7.12.2026", "8.12.2026", 1));
  EXPECT_EQ(deOne.difference.substr(deOne.difference.rfind("\r\n")), "\r\n1 Arbeitstag ");
}

// Working-day increments skip the calendar's weekend and holidays; without a
// calendar Saturday and Sunday; past the year range they stop at its ends.
TEST(Workdays, IncrementsSkipDaysOff) {
  const WorkCalendarT bavaria = Bavaria();
  const auto shifted = [](const WorkCalendarT* calendar, const std::string& date, const std::string& count) {
    ResultInputT in = WorkInput(calendar, date, "1.1.2000");
    in.kind1 = kIncWorkdays;
    in.count1 = count;
    return ComputeResults(in).date1;
  };
  EXPECT_EQ(shifted(&bavaria, "24.12.2026", "1"), (DateTripleT{28, 12, 2026}));  // past Christmas and a Sunday
  EXPECT_EQ(shifted(nullptr, "24.12.2026", "1"), (DateTripleT{25, 12, 2026}));
  EXPECT_EQ(shifted(&bavaria, "7.1.2026", "-1"), (DateTripleT{5, 1, 2026}));  // before Epiphany
  EXPECT_EQ(shifted(nullptr, "2.1.2026", "5"), (DateTripleT{9, 1, 2026}));
  EXPECT_EQ(shifted(&bavaria, "31.2.2026", "0"), (DateTripleT{3, 3, 2026}));  // normalised, even a Tuesday
  EXPECT_EQ(shifted(&bavaria, "24.12.2147483647", "7"), (DateTripleT{31, 12, 2147483647}));
  EXPECT_EQ(shifted(nullptr, "3.1.-2147483648", "-3"), (DateTripleT{1, 1, -2147483647 - 1}));
  int32_t d = 1, m = 1, y = 2000;
  EXPECT_EQ(ApplyIncrement(kIncWorkdays, INT64_MAX, d, m, y), (DateTripleT{31, 12, 2147483647}));
}

// The calendars mark each day as the calendar counts it: the weekend's days
// and the holidays with their names, in the language of the texts.
TEST(Workdays, CalendarCellsMarkDaysOffAndNameHolidays) {
  const WorkCalendarT bavaria = Bavaria();
  const ResultsT plain = ComputeResults(WorkInput(nullptr, "24.12.2026", "6.1.2027"));
  EXPECT_FALSE(plain.calendar1.marked);
  const ResultsT r = ComputeResults(WorkInput(&bavaria, "24.12.2026", "6.1.2027", 1));
  const MonthCalendarT& dec = r.calendar1;
  ASSERT_TRUE(dec.marked);
  std::string marks, names;
  for (int32_t row = 1; row <= MonthCalendarT::kRows; ++row) {
    for (int32_t col = 0; col < 7; ++col) {
      if (dec.cells[row][col].empty()) {
        EXPECT_EQ(dec.marks[row][col], DayMarkT::kNone);
        continue;
      }
      marks += "-wh"[static_cast<int>(dec.marks[row][col])];
      // Each mark agrees with the date's own standing.
      DateWorkdayT day;
      FillDateWorkday(day, bavaria, 1, {TextToInt(dec.cells[row][col].view()), 12, 2026});
      EXPECT_EQ(dec.marks[row][col] == DayMarkT::kHoliday, day.holiday);
      EXPECT_EQ(dec.marks[row][col] == DayMarkT::kNone, day.workday);
      EXPECT_EQ(dec.holidays[row][col], day.holidayName);
      if (day.holiday) names += std::string(dec.cells[row][col].view()) + " " + dec.holidays[row][col] + ";";
    }
  }
  // December 2026 begins on a Tuesday.
  EXPECT_EQ(marks, "----ww" "-----ww" "-----ww" "----hhw" "----");
  EXPECT_EQ(names, "25 1. Weihnachtstag;26 2. Weihnachtstag;");
  // 1 January 2027 is a Friday, Epiphany the Wednesday after.
  EXPECT_EQ(r.calendar2.marks[1][4], DayMarkT::kHoliday);
  EXPECT_EQ(r.calendar2.marks[1][5], DayMarkT::kWeekend);
  EXPECT_EQ(r.calendar2.marks[2][2], DayMarkT::kHoliday);
  EXPECT_EQ(r.calendar2.holidays[2][2], "Heilige Drei K\xF6nige");
  // A refill without a calendar leaves nothing marked.
  MonthCalendarT again = r.calendar1;
  FillMonthCalendarCells(again, TestContext(), 24, 12, 2026);
  EXPECT_FALSE(again.marked);
  EXPECT_EQ(again.marks[4][4], DayMarkT::kNone);
  EXPECT_EQ(again.holidays[4][4], "");
  // Holidays outside the built-in years: only the weekend.
  FillMonthCalendarCells(again, TestContext(), 1, 12, -5000, &bavaria);
  EXPECT_TRUE(again.marked);
  for (const auto& row : again.holidays)
    for (const std::string& name : row) EXPECT_EQ(name, "");
}

// Only the parts asked for: the count alone needs neither texts nor facts.
TEST(Workdays, CountAloneAsAPart) {
  const WorkCalendarT bavaria = Bavaria();
  ResultCaseT c;
  c.date1 = {1, 1, 2026};
  c.date2 = {1, 1, 2027};
  c.workCalendar = &bavaria;
  ResultsT r;
  ComputeResults(r, TestContext(), c, kPartWorkdays);
  EXPECT_EQ(r.workdayCount.count, 252);
  EXPECT_EQ(r.difference, "");
  EXPECT_EQ(r.facts1, "");
}

}  // namespace
