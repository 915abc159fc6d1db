// Speed of the date library, the result layer and the JSON batch.
#include <benchmark/benchmark.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "results/results.h"
#include "util/repl.h"

namespace {

// Output goes nowhere, as to a fast pipe: the bench measures the program.
struct NullBuffer : std::streambuf {
  std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
  int overflow(int c) override { return c; }
};

void BM_AddDaysSmall(benchmark::State& state) {
  for (auto _ : state) {
    int32_t d = 15, m = 3, y = 2001;
    benchmark::DoNotOptimize(AddDays(d, m, y, 40));
  }
}
BENCHMARK(BM_AddDaysSmall);

void BM_AddDaysHuge(benchmark::State& state) {
  for (auto _ : state) {
    int32_t d = 1, m = 1, y = -2000000000;
    benchmark::DoNotOptimize(AddDays(d, m, y, 999999999));
  }
}
BENCHMARK(BM_AddDaysHuge);

void BM_AddMonthsHuge(benchmark::State& state) {
  for (auto _ : state) {
    int32_t d = 31, m = 1, y = 5;
    benchmark::DoNotOptimize(AddMonths(d, m, y, 2147483647));
  }
}
BENCHMARK(BM_AddMonthsHuge);

void BM_DateDiffNear(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(DateDifference({1, 1, 2000}, {15, 3, 2001}));
}
BENCHMARK(BM_DateDiffNear);

void BM_DateDiffFar(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(DateDifference({1, 1, -2000000000}, {31, 12, 2000000000}));
}
BENCHMARK(BM_DateDiffFar);

ResultInputT Input(const char* d1, const char* d2, int32_t k1, const char* c1, int32_t k2, const char* c2) {
  ResultInputT in;
  in.date1 = d1;
  in.date2 = d2;
  in.kind1 = k1;
  in.count1 = c1;
  in.kind2 = k2;
  in.count2 = c2;
  return in;
}

void BM_ResultLayerTypical(benchmark::State& state) {
  const ResultInputT in = Input("07.12.2026", "01.01.2000", 0, "0", 0, "0");
  ResultsT r;
  for (auto _ : state) {
    ComputeResults(r, in);
    benchmark::DoNotOptimize(r.difference.data());
  }
}
BENCHMARK(BM_ResultLayerTypical);

void BM_ResultLayerWorst(benchmark::State& state) {
  const ResultInputT in = Input("1.1.-2000000000", "31.12.2000000000", 0, "-999999999", 1, "999999999");
  ResultsT r;
  for (auto _ : state) {
    ComputeResults(r, in);
    benchmark::DoNotOptimize(r.difference.data());
  }
}
BENCHMARK(BM_ResultLayerWorst);

// Batch lines over the whole year range, each with both increments.
std::string BatchLines(int32_t count) {
  std::string lines;
  for (int32_t i = 0; i < count; ++i) {
    lines += std::to_string(1 + i % 28) + "." + std::to_string(1 + i % 12) + "." + std::to_string(1900 + i) +
             " 15.3.2001 " + std::to_string(i) + "d -" + std::to_string(i % 50) + "m\n";
  }
  return lines;
}

// The whole batch: reading, computing, writing. Arguments after --batch.
void RunBatchBench(benchmark::State& state, std::vector<std::string> args) {
  const std::string lines = BatchLines(1000);
  args.insert(args.begin(), "--batch");
  CliOptionsT options;
  std::string error;
  if (!ParseCommandLine(options, args, error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  options.context = CurrentContext(options, DateTripleT{7, 12, 2026});
  for (auto _ : state) {
    std::istringstream in(lines);
    NullBuffer sink;
    std::ostream out(&sink), err(&sink);
    benchmark::DoNotOptimize(RunTextCommand(options, in, out, err));
  }
  state.SetItemsProcessed(state.iterations() * 1000);
}

void BM_JsonBatch(benchmark::State& state) { RunBatchBench(state, {"--json"}); }
BENCHMARK(BM_JsonBatch)->Unit(benchmark::kMillisecond);

void BM_JsonBatchSpan(benchmark::State& state) { RunBatchBench(state, {"--json", "--fields", "date1,date2,span"}); }
BENCHMARK(BM_JsonBatchSpan)->Unit(benchmark::kMillisecond);

void BM_PrintBatch(benchmark::State& state) { RunBatchBench(state, {"--print"}); }
BENCHMARK(BM_PrintBatch)->Unit(benchmark::kMillisecond);

// Replace-all's worst cases: rewrites that run to its work bound.
void BM_ReplaceAllToTheBound(benchmark::State& state) {
  const std::string creeping = std::string(20000, 'a') + "b";
  const std::string growing = std::string(3000, 'a') + "b";
  for (auto _ : state) {
    benchmark::DoNotOptimize(ReplaceAll("ab", "b", creeping).size());
    benchmark::DoNotOptimize(ReplaceAll("ab", "bba", growing).size());
  }
}
BENCHMARK(BM_ReplaceAllToTheBound)->Unit(benchmark::kMillisecond);

}  // namespace
