#!/usr/bin/env bash
# Sets up, builds everything (preset ORVANE_PRESET, "default") and runs all
# tests through CTest.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
./scripts/setup.sh
cd "${ORVANE_BUILD_DIR:-build}"
ctest --output-on-failure --parallel "$(nproc)" --timeout 300
