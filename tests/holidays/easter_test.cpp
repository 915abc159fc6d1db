#include "holidays/easter.h"

#include <gtest/gtest.h>

#include <random>

#include "tests/holidays/reference.h"

namespace {

constexpr int64_t kFirst = -2147483647, kLast = 2147483647;  // astronomical years of the range
constexpr int64_t kCycle = 5700000;

int32_t ReferenceIndex(int64_t astro) {
  const auto [month, day] = reference::Easter(astro);
  return static_cast<int32_t>(month == 3 ? day - 22 : day + 9);
}

TEST(Easter, KnownSundays) {
  const std::pair<int64_t, int32_t> known[] = {
      {2024, 9}, {2025, 29}, {2026, 14}, {1818, 0}, {2285, 0}, {1943, 34}, {2038, 34}, {2000, 32}, {1583, 19},
  };
  for (const auto& [year, index] : known) EXPECT_EQ(EasterIndex(year), index) << year;
}

TEST(Easter, AgreesWithTheEpactRulesOverTheWholeRange) {
  std::mt19937_64 random(11);
  std::uniform_int_distribution<int64_t> anywhere(kFirst, kLast);
  for (int i = 0; i < 20000; ++i) {
    const int64_t y = i < 2000 ? kFirst + i : i < 4000 ? kLast - (i - 2000) : i < 8000 ? i - 6000 : anywhere(random);
    ASSERT_EQ(EasterIndex(y), ReferenceIndex(y)) << y;
  }
}

TEST(Easter, YearsWithAnEasterDate) {
  std::mt19937_64 random(12);
  std::uniform_int_distribution<int64_t> anywhere(kFirst, kLast - 40000);
  std::uniform_int_distribution<int64_t> length(0, 40000);
  // Spans of up to 40,000 years start and end at every kind of place in the
  // tables: inside centuries, blocks and cycles, and across them.
  for (int i = 0; i < 12; ++i) {
    const int64_t from = i == 0 ? kFirst : anywhere(random), to = from + length(random);
    int64_t expected[kEasterDates] = {};
    for (int64_t y = from; y < to; ++y) ++expected[EasterIndex(y)];
    for (int32_t e = 0; e < kEasterDates; ++e) ASSERT_EQ(YearsWithEaster(e, from, to), expected[e]) << from << " " << to;
  }
  // Every year has one Easter, and whole cycles hold the same numbers.
  std::uniform_int_distribution<int64_t> start(kFirst, kLast - kCycle);
  for (int i = 0; i < 50; ++i) {
    const int64_t a = start(random), b = std::uniform_int_distribution<int64_t>(a, kLast)(random);
    int64_t all = 0;
    for (int32_t e = 0; e < kEasterDates; ++e) {
      all += YearsWithEaster(e, a, b);
      ASSERT_EQ(YearsWithEaster(e, a, a + kCycle), YearsWithEaster(e, 0, kCycle));
    }
    ASSERT_EQ(all, b - a);
  }
  EXPECT_EQ(YearsWithEaster(0, 10, 5), 0);
  EXPECT_EQ(YearsWithEaster(kEasterDates, 0, 1000), 0);
}

}  // namespace
