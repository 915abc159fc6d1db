#!/usr/bin/env bash
# Whole-process time of "orvane --json" against dateutils' ddiff on the same
# difference, measured side by side in one run: rounds of repeated starts,
# alternating between the two, the best round of each counts (a busy machine
# slows single rounds, not all of them). Prints both and the ratio.
#   bench/process_time.sh [ORVANE] [RUNS_PER_ROUND] [ROUNDS]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
orvane="${1:-$here/build/bin/orvane}"
runs="${2:-200}"
rounds="${3:-5}"
ddiff="$(command -v dateutils.ddiff || command -v ddiff || true)"
[ -x "$orvane" ] || { echo "no program at $orvane (build it first)" >&2; exit 1; }
[ -n "$ddiff" ] || { echo "dateutils.ddiff not found (package dateutils, scripts/packages.txt)" >&2; exit 1; }

now_ns() { date +%s%N; }
# Nanoseconds for RUNS starts of the command.
round_ns() {
  local start i
  start=$(now_ns)
  for ((i = 0; i < runs; i++)); do "$@" >/dev/null; done
  echo $(($(now_ns) - start))
}

best_orvane=0
best_ddiff=0
for ((r = 0; r < rounds; r++)); do
  t=$(round_ns "$orvane" --json 1.1.2000 15.3.2001)
  ((best_orvane == 0 || t < best_orvane)) && best_orvane=$t
  t=$(round_ns "$ddiff" 2000-01-01 2001-03-15)
  ((best_ddiff == 0 || t < best_ddiff)) && best_ddiff=$t
done
awk -v o="$best_orvane" -v d="$best_ddiff" -v n="$runs" 'BEGIN {
  printf "orvane --json 1.1.2000 15.3.2001    %.3f ms per process\n", o / n / 1e6
  printf "dateutils.ddiff 2000-01-01 2001-03-15 %.3f ms per process\n", d / n / 1e6
  printf "ratio %.2f (goal: at most 1.5)\n", o / d
}'
