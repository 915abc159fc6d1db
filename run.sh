#!/usr/bin/env bash
# Sets up, builds and starts Orvane: the window where a display is available,
# otherwise the results as text.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
ORVANE_TARGET=orvane ./scripts/setup.sh >&2
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec ./build/bin/orvane "$@"
fi
echo "No display found: printing the results (set DISPLAY to open the window)." >&2
exec ./build/bin/orvane --print "$@"
