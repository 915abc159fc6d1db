#!/usr/bin/env bash
# Renders the PNG icon sizes from icons/orvane.svg. Run it after changing the
# drawing and commit the PNGs: the build installs them as they are.
# Needs rsvg-convert (Debian package librsvg2-bin).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/icons"
command -v rsvg-convert >/dev/null || { echo "render-icons.sh: rsvg-convert missing (apt-get install librsvg2-bin)" >&2; exit 1; }
for size in 16 32 48 64 128 256; do
  mkdir -p "${size}x${size}"
  rsvg-convert --width "$size" --height "$size" --format png orvane.svg --output "${size}x${size}/orvane.png"
done
