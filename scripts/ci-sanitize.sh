#!/usr/bin/env bash
# The whole test suite built with AddressSanitizer and UndefinedBehaviorSanitizer;
# the first report of either fails the run.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
dir="${ORVANE_SAN_DIR:-build-san}"
ORVANE_BUILD_DIR="$dir" ORVANE_CMAKE_ARGS="-DORVANE_SANITIZE=ON -DORVANE_WITH_BENCH=OFF" ./scripts/setup.sh
export ASAN_OPTIONS="halt_on_error=1:abort_on_error=1:detect_leaks=1:check_initialization_order=1:strict_init_order=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
cd "$dir"
ctest --output-on-failure --parallel "$(nproc)" --timeout 600
