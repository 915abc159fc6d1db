// Speed of the working-day engine: counting and shifting with a region, from
// spans of days to the whole year range, and building a calendar.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "holidays/workdays.h"

namespace {

const WorkCalendarT& Bavaria() {
  static const WorkCalendarT calendar = [] {
    WorkCalendarT c;
    InitWorkCalendar(c, WeekendT{}, FindRegion("DE-BY"), {});
    return c;
  }();
  return calendar;
}

const int64_t kFirstDay = DayNumberOf(1, 1, -2147483647 - 1);
const int64_t kLastDay = DayNumberOf(31, 12, 2147483647);

// Random pairs of dates: spans of up to maxDays days starting anywhere in the range.
std::vector<std::pair<DateTripleT, DateTripleT>> Spans(int64_t maxDays, bool nearNow) {
  std::mt19937_64 random(7);
  std::vector<std::pair<DateTripleT, DateTripleT>> spans;
  const int64_t from = nearNow ? DayNumberOf(1, 1, 1950) : kFirstDay;
  const int64_t to = nearNow ? DayNumberOf(1, 1, 2100) : kLastDay;
  for (int i = 0; i < 1024; ++i) {
    const int64_t a = std::uniform_int_distribution<int64_t>(from, to)(random);
    const int64_t b = std::min(kLastDay, a + std::uniform_int_distribution<int64_t>(0, maxDays)(random));
    spans.emplace_back(DateOfDayNumber(a), DateOfDayNumber(b));
  }
  return spans;
}

void RunCounts(benchmark::State& state, const std::vector<std::pair<DateTripleT, DateTripleT>>& spans,
               const WorkCalendarT& calendar = Bavaria()) {
  size_t i = 0;
  for (auto _ : state) {
    const auto& [a, b] = spans[i++ % spans.size()];
    benchmark::DoNotOptimize(CountWorkdays(calendar, a, b, false));
  }
}

void BM_CountYearNearNow(benchmark::State& state) { RunCounts(state, Spans(366, true)); }
BENCHMARK(BM_CountYearNearNow);

void BM_CountDecadesNearNow(benchmark::State& state) { RunCounts(state, Spans(36525, true)); }
BENCHMARK(BM_CountDecadesNearNow);

void BM_CountWeekendOnly(benchmark::State& state) {
  WorkCalendarT weekendOnly;
  InitWorkCalendar(weekendOnly, WeekendT{}, nullptr, {});
  RunCounts(state, Spans(36525, true), weekendOnly);
}
BENCHMARK(BM_CountWeekendOnly);

void BM_CountYearAnywhere(benchmark::State& state) { RunCounts(state, Spans(366, false)); }
BENCHMARK(BM_CountYearAnywhere);

void BM_CountAnySpan(benchmark::State& state) { RunCounts(state, Spans(kLastDay - kFirstDay, false)); }
BENCHMARK(BM_CountAnySpan);

void BM_CountWholeRange(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(CountWorkdays(Bavaria(), {1, 1, -2147483647 - 1}, {31, 12, 2147483647}, true));
  }
}
BENCHMARK(BM_CountWholeRange);

void RunShifts(benchmark::State& state, int64_t maxN) {
  std::mt19937_64 random(8);
  std::vector<std::pair<DateTripleT, int64_t>> cases;
  for (int i = 0; i < 1024; ++i) {
    const int64_t day = std::uniform_int_distribution<int64_t>(DayNumberOf(1, 1, -1000000000), DayNumberOf(1, 1, 1000000000))(random);
    cases.emplace_back(DateOfDayNumber(day), std::uniform_int_distribution<int64_t>(-maxN, maxN)(random));
  }
  size_t i = 0;
  for (auto _ : state) {
    const auto& [date, n] = cases[i++ % cases.size()];
    benchmark::DoNotOptimize(ShiftWorkdays(Bavaria(), date, n));
  }
}

void BM_ShiftWeeks(benchmark::State& state) { RunShifts(state, 100); }
BENCHMARK(BM_ShiftWeeks);

void BM_ShiftHuge(benchmark::State& state) { RunShifts(state, 400000000000); }
BENCHMARK(BM_ShiftHuge);

void BM_InitRegionCalendar(benchmark::State& state) {
  for (auto _ : state) {
    WorkCalendarT c;
    InitWorkCalendar(c, WeekendT{}, FindRegion("DE-BY"), {});
    benchmark::DoNotOptimize(c.tables.get());
  }
}
BENCHMARK(BM_InitRegionCalendar)->Unit(benchmark::kMicrosecond);

}  // namespace
