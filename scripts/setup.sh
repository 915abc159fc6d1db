#!/usr/bin/env bash
# Installs the missing system packages (one list: scripts/packages.txt) and
# configures and builds one preset of CMakePresets.json (ORVANE_PRESET,
# "default") in ORVANE_BUILD_DIR (the preset's folder unless given). Safe to
# run again and again.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$here"

./scripts/install-packages.sh

preset="${ORVANE_PRESET:-default}"
build_dir="${ORVANE_BUILD_DIR:-build}"
cmake --preset "$preset" -B "$build_dir" >/dev/null
cmake --build "$build_dir" --parallel "$(nproc)" ${ORVANE_TARGET:+--target $ORVANE_TARGET}
