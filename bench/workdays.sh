#!/usr/bin/env bash
# Working days, whole-process, in one run:
# (a) the start of "orvane --json --region DE-BY --fields workdays" on one
#     year against the same on the whole year range: rounds of repeated
#     starts, alternating, the best round's CPU time of each counts (goal: a
#     ratio of at most 1.3, counting stays bounded whatever the span);
# (b) --batch --json --iso --fields workdays --region DE-BY against
#     dateutils' "ddiff -f %db" (weekends only) on the same cases, dates of
#     1950-2099 from one reference date: cases a second by user CPU time
#     (goal: at least ddiff's; the best of ROUNDS runs each), and the peak memory for a tenth of the lines
#     and for all of them (goal: flat).
#   bench/workdays.sh [ORVANE] [LINES] [RUNS_PER_ROUND] [ROUNDS]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
orvane="${1:-$here/build/bin/orvane}"
lines="${2:-2000000}"
runs="${3:-200}"
rounds="${4:-5}"
ddiff="$(command -v dateutils.ddiff || command -v ddiff || true)"
[ -x "$orvane" ] || { echo "no program at $orvane (build it first)" >&2; exit 1; }
[ -n "$ddiff" ] || { echo "dateutils.ddiff not found (package dateutils, scripts/packages.txt)" >&2; exit 1; }

# (a) process time: the CPU time (user and system) of RUNS starts, which a
# busy machine disturbs less than the wall time.
round_ns() {
  local TIMEFORMAT='%3U %3S' t i
  t=$( { time for ((i = 0; i < runs; i++)); do "$@" >/dev/null; done; } 2>&1)
  awk -v t="$t" 'BEGIN { split(t, p, " "); printf "%.0f\n", (p[1] + p[2]) * 1e9 }'
}
year=(--json --region DE-BY --fields workdays 1.1.2026 1.1.2027)
whole=(--json --region DE-BY --fields workdays 1.1.-2147483648 31.12.2147483647)
best_year=0
best_whole=0
for ((r = 0; r < rounds; r++)); do
  t=$(round_ns "$orvane" "${year[@]}")
  ((best_year == 0 || t < best_year)) && best_year=$t
  t=$(round_ns "$orvane" "${whole[@]}")
  ((best_whole == 0 || t < best_whole)) && best_whole=$t
done
awk -v y="$best_year" -v w="$best_whole" -v n="$runs" 'BEGIN {
  printf "one year    (1.1.2026 1.1.2027)               %.3f ms CPU per process\n", y / n / 1e6
  printf "whole range (1.1.-2147483648 31.12.2147483647) %.3f ms CPU per process\n", w / n / 1e6
  printf "ratio %.2f (goal: at most 1.3)\n", w / y
}'

# (b) batch rate and memory
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
awk -v n="$lines" 'BEGIN {
  srand(15)
  for (i = 0; i < n; i++) printf "%04d-%02d-%02d\n", 1950 + int(rand() * 150), 1 + int(rand() * 12), 1 + int(rand() * 28)
}' >"$dir/dates"
awk '{ print "2000-01-01", $0 }' "$dir/dates" >"$dir/pairs"
head -n $((lines / 10)) "$dir/pairs" >"$dir/pairs.tenth"

measure() {  # input command... -> "user_seconds peak_kb"
  local input=$1
  shift
  { /usr/bin/time -f '%U %M' "$@" <"$input" >/dev/null; } 2>&1 | tail -1
}
# Alternating runs, the best of each: the clock counts CPU time in 10 ms steps
# and a busy machine disturbs single runs.
o_user=0
d_user=0
for ((r = 0; r < rounds; r++)); do
  read -r t o_kb <<<"$(measure "$dir/pairs" "$orvane" --batch --json --iso --fields workdays --region DE-BY)"
  awk -v t="$t" -v b="$o_user" 'BEGIN { exit !(b == 0 || t < b) }' && o_user=$t
  read -r t _ <<<"$(measure "$dir/dates" "$ddiff" -f '%db' 2000-01-01)"
  awk -v t="$t" -v b="$d_user" 'BEGIN { exit !(b == 0 || t < b) }' && d_user=$t
done
read -r _ o_tenth_kb <<<"$(measure "$dir/pairs.tenth" "$orvane" --batch --json --iso --fields workdays --region DE-BY)"
awk -v n="$lines" -v o="$o_user" -v d="$d_user" -v kb="$o_kb" -v tkb="$o_tenth_kb" 'BEGIN {
  ro = n / (o > 0 ? o : 0.01); rd = n / (d > 0 ? d : 0.01)
  printf "orvane --batch --json --fields workdays --region DE-BY %10.0f cases/s CPU\n", ro
  printf "dateutils.ddiff -f %%db (weekends only)                  %10.0f cases/s CPU\n", rd
  printf "ratio %.2f (goal: at least 1)\n", ro / rd
  printf "peak memory %d KB for %d lines, %d KB for %d lines (goal: flat)\n", tkb, n / 10, kb, n
}'
