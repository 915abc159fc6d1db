// Every combination of extreme days, months, years, kinds and counts through
// the result layer: valid dates and sane texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <vector>

#include "results/results.h"
#include "tests/support/today.h"

namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
const std::vector<int64_t> kYears = {kMax, -kMax, 1, -1};
const std::vector<int64_t> kDayMonths = {0, -1, 31, 400};
const std::vector<int64_t> kCounts = {0, 1, -1, 999'999'999, -999'999'999, kMax, -kMax};

std::string DateTextOf(int64_t d, int64_t m, int64_t y) {
  return std::to_string(d) + "." + std::to_string(m) + "." + std::to_string(y);
}

std::vector<std::string> ExtremeDateTexts() {
  std::vector<std::string> texts;
  for (int64_t y : kYears)
    for (int64_t m : kDayMonths)
      for (int64_t d : kDayMonths) texts.push_back(DateTextOf(d, m, y));
  return texts;
}

int32_t LineCount(const std::string& memo) {
  return static_cast<int32_t>(std::count(memo.begin(), memo.end(), '\n'));
}

void ExpectSane(const DateTripleT& d, const MonthCalendarT& calendar, const std::string& facts,
                const std::string& label, const std::string& context) {
  ASSERT_TRUE(ValidDate(d.day, d.month, d.year)) << context;
  EXPECT_EQ(calendar.cells[calendar.ownRow][calendar.ownColumn], IntText(d.day)) << context;
  EXPECT_EQ(LineCount(facts), LeapYear(d.year) ? 6 : 5) << context;
  EXPECT_EQ(facts.find("-0"), std::string::npos) << context;
  EXPECT_EQ(label, std::string(MonthName(TestContext(), d.month)) + " " + IntText(d.year)) << context;
}

void ExpectSaneDifference(const ResultsT& r, const std::string& context) {
  EXPECT_EQ(r.difference.find('-'), std::string::npos) << context << "\n" << r.difference;
  EXPECT_EQ(LineCount(r.difference), 3) << context;
  EXPECT_EQ(r.difference.find("nan"), std::string::npos) << context;
  EXPECT_EQ(r.difference.find("inf"), std::string::npos) << context;
  EXPECT_EQ(r.difference.back(), ' ') << context;
}

// Direction: a positive count never moves a date back, a negative one never forward.
void ExpectDirection(const DateTripleT& start, const DateTripleT& end, int64_t count,
                     const std::string& context) {
  const int32_t c = CompareDates(end.day, end.month, end.year, start.day, start.month, start.year);
  if (count > 0) {
    EXPECT_NE(c, 2) << context;
  } else if (count < 0) {
    EXPECT_NE(c, 1) << context;
  } else {
    EXPECT_EQ(c, 0) << context;
  }
}

class FullRange : public ::testing::Test {
 protected:
  static ResultInputT Input() {
    ResultInputT in;
    in.context = TestContext();
    return in;
  }
};

TEST_F(FullRange, EveryExtremeDateKindAndCountGivesValidDatesAndSaneTexts) {
  const std::vector<std::string> dates = ExtremeDateTexts();
  const std::vector<std::string> others = {"1.1.2147483647", "31.12.-2147483647", "1.1.1", "31.12.-1"};
  ResultsT r;
  ResultsT start;
  for (const std::string& date : dates) {
    for (int32_t kind = 0; kind <= 3; ++kind) {
      for (int64_t count : kCounts) {
        for (const std::string& other : others) {
          ResultInputT in = Input();
          in.date1 = date;
          in.kind1 = kind;
          in.count1 = std::to_string(count);
          in.date2 = other;
          in.kind2 = 3 - kind;
          in.count2 = std::to_string(-count);
          const std::string context = date + " kind " + std::to_string(kind) + " count " +
                                      std::to_string(count) + " / " + other;
          ComputeResults(r, in);
          ExpectSane(r.date1, r.calendar1, r.facts1, r.label1, context);
          ExpectSane(r.date2, r.calendar2, r.facts2, r.label2, context);
          ExpectSaneDifference(r, context);

          ResultInputT still = in;
          still.count1 = still.count2 = "0";
          ComputeResults(start, still);
          ExpectDirection(start.date1, r.date1, count, context);
          ExpectDirection(start.date2, r.date2, -count, context);
          if (HasFailure()) return;
        }
      }
    }
  }
}

TEST_F(FullRange, TheAddAmountStacksOnExtremeCounts) {
  ResultsT r;
  for (int32_t kind = 0; kind <= 3; ++kind) {
    for (int64_t count : kCounts) {
      for (int64_t extra : {int64_t{kMax}, -int64_t{kMax}, int64_t{65535}, int64_t{-65535}}) {
        ResultInputT in = Input();
        in.date1 = "1.1.1";
        in.date2 = DateTextOf(31, 12, count < 0 ? kMax : -kMax);
        in.kind2 = kind;
        in.count2 = std::to_string(count);
        in.extra2 = extra;
        const std::string context =
            "kind " + std::to_string(kind) + " count " + std::to_string(count) + " extra " + std::to_string(extra);
        ComputeResults(r, in);
        ExpectSane(r.date2, r.calendar2, r.facts2, r.label2, context);
        ExpectSaneDifference(r, context);
      }
    }
  }
}

TEST_F(FullRange, EveryPairOfExtremeDatesHasAnUnsignedSymmetricDifference) {
  const std::vector<std::string> dates = ExtremeDateTexts();
  ResultsT ab, ba;
  for (const std::string& a : dates) {
    for (const std::string& b : dates) {
      ResultInputT in = Input();
      in.date1 = a;
      in.date2 = b;
      ComputeResults(ab, in);
      std::swap(in.date1, in.date2);
      ComputeResults(ba, in);
      ExpectSaneDifference(ab, a + " / " + b);
      EXPECT_EQ(ab.difference, ba.difference) << a << " / " << b;
      const DateDiffT d = DateDifference(ab.date1, ab.date2);
      EXPECT_GE(d.totalDays, 0);
      EXPECT_GE(d.totalMonths, d.years * 12);
      EXPECT_TRUE(d.months >= 0 && d.months <= 11 && d.days >= 0 && d.days <= 30) << a << " / " << b;
      if (HasFailure()) return;
    }
  }
}

}  // namespace
