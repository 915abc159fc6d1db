#include "holidays/easter.h"

#include <algorithm>

namespace {

constexpr int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }
constexpr int64_t FloorMod(int64_t a, int64_t b) { return a - FloorDiv(a, b) * b; }

// A century's Easter dates depend on the century number b only through its
// golden-number offset (b mod 19), its epact correction and b mod 4.
constexpr int32_t kCenturyStates = 19 * 30 * 4;

constexpr int32_t CenturyState(int64_t b) {
  const int64_t f = FloorDiv(b + 8, 25);
  const int64_t g = FloorDiv(b - f + 1, 3);
  const int64_t epact = FloorMod(b - FloorDiv(b, 4) - g + 15, 30);
  return static_cast<int32_t>((FloorMod(b, 19) * 30 + epact) * 4 + FloorMod(b, 4));
}

// The computus for year 100b + c (0 <= c < 100) of a century in the state.
constexpr int32_t EasterInCentury(int32_t state, int32_t c) {
  const int32_t e = state % 4;
  const int32_t epact = state / 4 % 30;
  const int32_t a = (state / 120 * 100 + c) % 19;  // 100b + c mod 19
  const int32_t h = (19 * a + epact) % 30;
  const int32_t l = ((32 + 2 * e + 2 * (c / 4) - h - c % 4) % 7 + 7) % 7;
  const int32_t m = (a + 11 * h + 22 * l) / 451;
  const int32_t n = h + l - 7 * m + 114;  // month * 31 + day - 1
  return n / 31 == 3 ? n % 31 + 1 - 22 : n % 31 + 1 + 9;
}

constexpr int64_t kCycleCenturies = 57000;  // 5,700,000 years
constexpr int64_t kBlockCenturies = 100;
constexpr int32_t kBlocks = kCycleCenturies / kBlockCenturies;

struct EasterTablesT {
  // [date][state]: years of a century in the state with Easter on the date.
  uint8_t perCentury[kEasterDates][kCenturyStates] = {};
  // [date][k]: years of the first k blocks of a cycle with Easter on the date.
  int32_t beforeBlock[kEasterDates][kBlocks + 1] = {};
};

constexpr EasterTablesT MakeTables() {
  EasterTablesT t;
  for (int32_t s = 0; s < kCenturyStates; ++s) {
    for (int32_t c = 0; c < 100; ++c) ++t.perCentury[EasterInCentury(s, c)][s];
  }
  int32_t sum[kEasterDates] = {};
  for (int32_t k = 0; k <= kBlocks; ++k) {
    for (int32_t e = 0; e < kEasterDates; ++e) t.beforeBlock[e][k] = sum[e];
    if (k == kBlocks) break;
    for (int64_t b = k * kBlockCenturies; b < (k + 1) * kBlockCenturies; ++b) {
      const int32_t s = CenturyState(b);
      for (int32_t e = 0; e < kEasterDates; ++e) sum[e] += t.perCentury[e][s];
    }
  }
  return t;
}

constexpr EasterTablesT kTables = MakeTables();

// Years in [0, year) of the cycle (0 <= year <= its length) with Easter on
// the index: from the nearer end of the 10,000-year block and of the century,
// so at most 50 centuries and 50 years are counted one by one.
int64_t YearsInCycleBefore(int32_t index, int64_t year) {
  const int64_t century = year / 100;
  const int64_t block = std::min<int64_t>((century + kBlockCenturies / 2) / kBlockCenturies, kBlocks);
  int64_t n = kTables.beforeBlock[index][block];
  for (int64_t b = block * kBlockCenturies; b < century; ++b) n += kTables.perCentury[index][CenturyState(b)];
  for (int64_t b = century; b < block * kBlockCenturies; ++b) n -= kTables.perCentury[index][CenturyState(b)];
  if (year % 100 == 0) return n;
  const int32_t state = CenturyState(century);
  const int32_t c = static_cast<int32_t>(year % 100);
  if (c <= 50) {
    for (int32_t k = 0; k < c; ++k) n += EasterInCentury(state, k) == index;
  } else {
    n += kTables.perCentury[index][state];
    for (int32_t k = c; k < 100; ++k) n -= EasterInCentury(state, k) == index;
  }
  return n;
}

}  // namespace

int32_t EasterIndex(int64_t astroYear) {
  return EasterInCentury(CenturyState(FloorDiv(astroYear, 100)), static_cast<int32_t>(FloorMod(astroYear, 100)));
}

int64_t YearsWithEasterBefore(int32_t index, int64_t year) {
  if (index < 0 || index >= kEasterDates) return 0;
  const int64_t cycleYears = kCycleCenturies * 100;
  const int64_t cycles = FloorDiv(year, cycleYears);
  return cycles * kTables.beforeBlock[index][kBlocks] + YearsInCycleBefore(index, year - cycles * cycleYears);
}

int64_t YearsWithEaster(int32_t index, int64_t fromYear, int64_t toYear) {
  if (index < 0 || index >= kEasterDates || toYear <= fromYear) return 0;
  // A short span year by year is faster than two lookups from the cycle's start.
  if (toYear - fromYear <= 32) {
    int64_t n = 0;
    for (int64_t y = fromYear; y < toYear; ++y) n += EasterIndex(y) == index;
    return n;
  }
  return YearsWithEasterBefore(index, toYear) - YearsWithEasterBefore(index, fromYear);
}
