#!/usr/bin/env bash
# Builds the Debian package orvane_<version>_<arch>.deb: installs what is
# missing (scripts/packages.txt), makes a Release build of the program in
# build-package/ and packs it with CPack. Prints the package's path.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
build=build-package
# Only the program is built; installing does not wait for the tests.
ORVANE_BUILD_DIR=$build ORVANE_TARGET=orvane \
  ORVANE_CMAKE_ARGS="-DCMAKE_BUILD_TYPE=Release -DORVANE_WITH_BENCH=OFF -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON" \
  ./scripts/setup.sh >&2
rm -f "$build"/orvane_*.deb
(cd "$build" && cpack -G DEB >&2)
ls "$PWD/$build"/orvane_*.deb
