#!/usr/bin/env bash
# Whole-process --batch rate on a generated file of a million cases (dates
# over years -3000..3000 and a wide range, a third with increments): full
# --json and --json --fields date1,date2,span. Prints cases a second by user
# CPU time (one core; what a busy machine disturbs least) and by wall time, of
# the best of ROUNDS runs, since a busy machine slows single runs by a tenth
# and more, and the peak memory, which stays flat whatever the input's length.
#   bench/batch_rate.sh [ORVANE] [LINES] [ROUNDS]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
orvane="${1:-$here/build/bin/orvane}"
lines="${2:-1000000}"
rounds="${3:-5}"
[ -x "$orvane" ] || { echo "no program at $orvane (build it first)" >&2; exit 1; }
input="$(mktemp)"
trap 'rm -f "$input"' EXIT
awk -v n="$lines" 'BEGIN {
  srand(15)
  for (i = 0; i < n; i++) {
    y1 = int(rand() * 6000) - 3000; if (y1 == 0) y1 = 1
    y2 = i % 10 ? int(rand() * 4000) + 1 : int(rand() * 4e9) - 2e9
    line = int(rand() * 28 + 1) "." int(rand() * 12 + 1) "." y1 " " int(rand() * 28 + 1) "." int(rand() * 12 + 1) "." y2
    if (i % 3 == 0) line = line " " int(rand() * 1000) "d -" int(rand() * 50) "m"
    print line
  }
}' >"$input"

rate() {  # label goal args...
  local label=$1 goal=$2 out t w k user=0 wall=0 kb=0 r
  shift 2
  for ((r = 0; r < rounds; r++)); do
    out=$( { /usr/bin/time -f '%U %e %M' "$orvane" --batch --today 7.12.2026 "$@" <"$input" >/dev/null; } 2>&1 | tail -1)
    read -r t w k <<<"$out"
    ((k > kb)) && kb=$k
    awk -v t="$t" -v b="$user" 'BEGIN { exit !(b == 0 || t < b) }' && user=$t
    awk -v t="$w" -v b="$wall" 'BEGIN { exit !(b == 0 || t < b) }' && wall=$w
  done
  awk -v l="$label" -v g="$goal" -v n="$lines" -v u="$user" -v w="$wall" -v kb="$kb" 'BEGIN {
    printf "%-36s %9.0f cases/s CPU (goal %d), %9.0f cases/s wall, %d KB peak\n", l, n / (u > 0 ? u : 0.01), g,
           n / (w > 0 ? w : 0.01), kb
  }'
}
rate "--json" 500000 --json
rate "--json --fields date1,date2,span" 2500000 --json --fields date1,date2,span
