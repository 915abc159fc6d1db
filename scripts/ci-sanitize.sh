#!/usr/bin/env bash
# The whole test suite built with AddressSanitizer and UndefinedBehaviorSanitizer;
# the first report of either fails the run.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
# The preset "sanitize" holds the options, the sanitizers' settings and the
# exclusion of the wall-time ("perf") tests.
dir="${ORVANE_SAN_DIR:-build-san}"
ORVANE_PRESET=sanitize ORVANE_BUILD_DIR="$dir" ./scripts/setup.sh
ctest --preset sanitize --test-dir "$dir" --parallel "$(nproc)" --timeout 600
