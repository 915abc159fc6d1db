#pragma once
// Shared helpers of the fuzz targets.
#include <fuzzer/FuzzedDataProvider.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

// Runs one input and aborts when it is slower than the limit (10 ms, or
// ORVANE_FUZZ_LIMIT_MS) three times in a row: one slow run can be a busy
// machine, three are the code. The body must be repeatable.
template <typename BodyT>
void RunTimed(BodyT&& body) {
  using Clock = std::chrono::steady_clock;
  static const double limitMs = [] {
    const char* env = std::getenv("ORVANE_FUZZ_LIMIT_MS");
    return env && *env ? std::atof(env) : 10.0;
  }();
  double ms = 0;
  for (int attempt = 0; attempt < 3; ++attempt) {
    const auto start = Clock::now();
    body();
    ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    if (ms <= limitMs) return;
  }
  std::fprintf(stderr, "==ORVANE== slow input: %.2f ms (limit %.1f ms)\n", ms, limitMs);
  std::abort();
}

// A failed property: printed, then abort so libFuzzer keeps the input.
#define FUZZ_CHECK(cond)                                                         \
  do {                                                                           \
    if (!(cond)) {                                                               \
      std::fprintf(stderr, "==ORVANE== check failed: %s (%s:%d)\n", #cond, __FILE__, \
                   __LINE__);                                                    \
      std::abort();                                                              \
    }                                                                            \
  } while (0)

// Any bit pattern, NaN and infinities included.
inline double AnyDouble(FuzzedDataProvider& in) {
  const uint64_t bits = in.ConsumeIntegral<uint64_t>();
  double x;
  std::memcpy(&x, &bits, sizeof x);
  return x;
}

// Mostly small numbers, sometimes anything: small values reach the
// interesting branches, the extremes reach the overflows.
template <typename T>
T MostlySmall(FuzzedDataProvider& in, T low, T high) {
  return in.ConsumeBool() ? in.ConsumeIntegralInRange<T>(low, high) : in.ConsumeIntegral<T>();
}
