#!/usr/bin/env bash
# Installs the missing system packages (one list: scripts/packages.txt) and
# configures and builds in build/. Safe to run again and again.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$here"

./scripts/install-packages.sh

build_dir="${ORVANE_BUILD_DIR:-build}"
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo ${ORVANE_CMAKE_ARGS:-} >/dev/null
cmake --build "$build_dir" --parallel "$(nproc)" ${ORVANE_TARGET:+--target $ORVANE_TARGET}
