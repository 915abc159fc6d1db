#!/usr/bin/env bash
# Builds the Debian package orvane_<version>_<arch>.deb: installs what is
# missing (scripts/packages.txt), makes a Release build of the program in
# build-package/ and packs it with CPack. Prints the package's path.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
build=build-package
# Only the program and its window module are built (preset "release"); the
# package needs no test packages.
ORVANE_PRESET=release ORVANE_BUILD_DIR=$build ORVANE_TARGET=orvane ./scripts/setup.sh >&2
rm -f "$build"/orvane_*.deb
(cd "$build" && cpack -G DEB >&2)
ls "$PWD/$build"/orvane_*.deb
