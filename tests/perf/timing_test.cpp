// Work whose cost must not grow with the numbers in it: huge counts and spans
// are compared with small ones on the same machine in the same run, so the
// bound is a ratio, not a time. A day-by-day loop would be a million times
// slower; the bound allows twenty. Labelled "perf", so the sanitizer run
// leaves them out.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <limits>
#include <string>

#include "results/results.h"
#include "tests/support/today.h"

namespace {

constexpr double kMostRatio = 20;

// The least time of several runs of f repeated: the cost of the work itself,
// with most of the machine's other load filtered out.
template <typename F>
double LeastTimeOf(F&& f, int repeats) {
  double least = std::numeric_limits<double>::max();
  for (int run = 0; run < 15; ++run) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < repeats; ++i) f();
    least = std::min(least, std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count());
  }
  return least;
}

TEST(Timing, HugeCountsAndSpansCostWhatSmallOnesCost) {
  const auto arithmetic = [](int32_t count, int32_t span) {
    return [count, span] {
      int32_t d = 1, m = 1, y = -span;
      AddDays(d, m, y, count);
      d = 31, m = 12, y = span;
      AddDays(d, m, y, -count);
      d = 31, m = 1, y = 5;
      AddMonths(d, m, y, count);
      DateDifference({1, 1, -span}, {31, 12, span});
    };
  };
  const double small = LeastTimeOf(arithmetic(1, 2000), 1000);
  const double huge = LeastTimeOf(arithmetic(2147483647, 2000000000), 1000);
  EXPECT_LT(huge, kMostRatio * small) << huge << " ns against " << small << " ns";

  ResultInputT in;
  in.context = TestContext();
  in.date1 = "1.1.2000";
  in.date2 = "2.1.2000";
  in.count1 = in.count2 = "1";
  ResultsT r;
  const double base = LeastTimeOf([&] { ComputeResults(r, in); }, 20);
  for (const char* count : {"2147483647", "-2147483647", "999999999"}) {
    for (int32_t kind = 0; kind <= 3; ++kind) {
      in.date1 = "31.12.2147483647";
      in.date2 = "1.1.-2147483647";
      in.kind1 = kind;
      in.count1 = count;
      in.kind2 = 3 - kind;
      in.count2 = count;
      const double t = LeastTimeOf([&] { ComputeResults(r, in); }, 20);
      EXPECT_LT(t, kMostRatio * base) << count << " kind " << kind << ": " << t << " ns against " << base << " ns";
    }
  }
}

}  // namespace
