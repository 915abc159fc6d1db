// Generous wall-time bounds on work whose cost must not grow with the numbers
// in it: a day-by-day loop would take seconds or minutes. Labelled "perf",
// so the sanitizer run leaves them out.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "results/results.h"

namespace {

template <typename F>
double MsOf(F&& f) {
  const auto start = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

TEST(Timing, HugeCountsAndSpansTakeConstantTime) {
  const double ms = MsOf([] {
    for (int i = 0; i < 1000; ++i) {
      int32_t d = 1, m = 1, y = -2000000000;
      AddDays(d, m, y, 999999999);
      d = 31, m = 12, y = 2000000000;
      AddDays(d, m, y, -999999999);
      d = 31, m = 1, y = 5;
      AddMonths(d, m, y, 2147483647);
      DateDifference({1, 1, -2000000000}, {31, 12, 2000000000});
    }
  });
  EXPECT_LT(ms, 2000.0);
  for (const char* count : {"2147483647", "-2147483647", "999999999"}) {
    for (int32_t kind = 0; kind <= 3; ++kind) {
      ResultInputT in;
      in.date1 = "31.12.2147483647";
      in.date2 = "1.1.-2147483647";
      in.kind1 = kind;
      in.count1 = count;
      in.kind2 = 3 - kind;
      in.count2 = count;
      ResultsT r;
      EXPECT_LT(MsOf([&] { ComputeResults(r, in); }), 50.0) << count << " kind " << kind;
    }
  }
}

}  // namespace
