// Inputs the fuzzers found, kept as regression cases.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "results/results.h"
#include "util/repl.h"
#include "util/valstr.h"

namespace {

constexpr int64_t kMin64 = std::numeric_limits<int64_t>::min();
constexpr int64_t kMax64 = std::numeric_limits<int64_t>::max();
constexpr int32_t kMax32 = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin32 = std::numeric_limits<int32_t>::min();

// Year steps of any 64-bit count once overflowed in the sign handling
// around year 0; they now stop at the ends of the year range.
TEST(FuzzRegression, YearStepsOfAnySizeStopAtTheEndsOfTheRange) {
  for (int32_t start : {kMin32, -1, 0, 1, kMax32}) {
    int32_t y = start;
    StepYear(y, kMin64);
    EXPECT_EQ(y, kMin32) << start;
    y = start;
    StepYear(y, kMax64);
    EXPECT_EQ(y, kMax32) << start;
  }
  int32_t d = 15, m = 6, y = 2000;
  EXPECT_EQ(AddYears(d, m, y, kMin64), (DateTripleT{1, 1, kMin32}));
  d = 15, m = 6, y = 2000;
  EXPECT_EQ(AddMonths(d, m, y, kMax64), (DateTripleT{31, 12, kMax32}));
  d = 15, m = 6, y = 2000;
  EXPECT_EQ(AddMonths(d, m, y, kMin64), (DateTripleT{1, 1, kMin32}));
}

// Seven times a huge week count overflowed, and so did the add amount plus
// the typed count.
TEST(FuzzRegression, HugeWeekCountsAndAddAmountsReachTheEndsOfTheRange) {
  int32_t d = 1, m = 1, y = 2000;
  EXPECT_EQ(ApplyIncrement(kIncWeeks, kMax64, d, m, y), (DateTripleT{31, 12, kMax32}));
  d = 1, m = 1, y = 2000;
  EXPECT_EQ(ApplyIncrement(kIncWeeks, kMin64, d, m, y), (DateTripleT{1, 1, kMin32}));
  for (int32_t kind = kIncDays; kind <= kIncYears; ++kind) {
    for (int64_t extra : {kMin64, kMax64}) {
      ResultInputT in;
      in.date1 = in.date2 = "1.1.2000";
      in.kind2 = kind;
      in.count2 = extra < 0 ? "-2147483647" : "2147483647";
      in.extra2 = extra;
      const ResultsT r = ComputeResults(in);
      EXPECT_EQ(r.date2.year, extra < 0 ? kMin32 : kMax32) << kind;
      EXPECT_TRUE(ValidDate(r.date2.day, r.date2.month, r.date2.year)) << kind;
    }
  }
}

// Each repetition of replace-all copies the whole text: rewrites that keep
// bringing the old text back took quadratic time or grew without end. They
// stop at the work bound, the growing ones within a pass of 16 MiB (their
// time is measured in bench/).
TEST(FuzzRegression, ReplaceAllRepetitionsAreBounded) {
  constexpr size_t kCeiling = size_t{24} << 20;
  const std::string creeping = std::string(20000, 'a') + "b";  // "ab" -> "b" removes one "a" per pass
  EXPECT_LE(ReplaceAll("ab", "b", creeping).size(), creeping.size());
  const std::string zeros(64, '\0');
  const std::string old("\0\0\0\xf2", 4), grown("\0\0\xf2\0\0", 5);
  EXPECT_LE(ReplaceAllNoCase(old, grown, zeros + "\xf2" + zeros + "\xf2").size(), kCeiling);
  const std::string growing = std::string(3000, 'a') + "b";  // "ab" -> "bba" doubles the b's
  EXPECT_LE(ReplaceAll("ab", "bba", growing).size(), kCeiling);
  std::string pairs;
  for (int i = 0; i < 2000; ++i) pairs += "ab";
  EXPECT_LE(ReplaceAll("ab", "bba", pairs).size(), kCeiling);
}

TEST(FuzzRegression, DoubledSeparatorsStillCollapseCompletelyInLongTexts) {
  EXPECT_EQ(ReplaceAll(",,", ",", std::string(100000, ',')), ",");
  EXPECT_EQ(CleanList("a" + std::string(50000, ';') + "b" + std::string(777, ';'), ';'), "a;b");
  EXPECT_EQ(ReplaceAll("ab", "b", "aaaab"), "b");
}

// Error messages quoted the bad argument as it came, line breaks and terminal
// escapes included; they are one line by contract.
TEST(FuzzRegression, ErrorMessagesShowControlCharactersEscaped) {
  const std::vector<std::vector<std::string>> cases = {
      {"--today", "1.2\n\x1b[31m"}, {"--lang", "d\re"}, {"--x\ny"}, {"--pr\tint=x"}, {"--add1\x7f"}};
  for (const auto& args : cases) {
    CliOptionsT options;
    std::string error;
    ASSERT_FALSE(ParseCommandLine(options, args, error)) << args[0];
    EXPECT_EQ(error.find_first_of("\n\r\t\x1b\x7f"), std::string::npos) << error;
    EXPECT_NE(error.find("\\x"), std::string::npos) << error;
  }
  CliOptionsT options;
  std::string error;
  ParseCommandLine(options, {"--today", "31.2.2001"}, error);
  EXPECT_EQ(error, "--today needs a complete valid date D.M.Y, not '31.2.2001'");
}

}  // namespace
