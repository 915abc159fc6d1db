#!/usr/bin/env bash
# Runs one libFuzzer target for a bounded time from its seeds and judges it.
# A crash, sanitizer report or failed check fails. A time-out (libFuzzer's,
# or an input over the targets' own per-input limit) fails only when its
# input, run again alone, is still slow: a busy machine can slow any run.
# Usage: fuzz-target.sh TARGET SEEDS WORK ARTIFACTS LOG SECONDS
# Prints one summary line (and the log's end on failure); exit 0 or 1.
set -euo pipefail
target=$1 seeds=$2 work=$3 artifacts=$4 log=$5 seconds=$6
name="$(basename "$target")"
name="${name%_fuzz}"
mkdir -p "$work" "$artifacts"
status=0
"$target" -max_total_time="$seconds" -timeout=1 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$artifacts/${name}-" "$work" "$seeds" >"$log" 2>&1 || status=$?
runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)"
line="$(printf '%-8s %10s runs' "$name" "${runs:-?}")"
if [ "$status" -ne 0 ]; then
  input="$(sed -n 's/.*Test unit written to \(.*\)$/\1/p' "$log" | tail -1)"
  if grep -qE '^==ORVANE== slow input|ERROR: libFuzzer: timeout' "$log" && [ -n "$input" ] && [ -f "$input" ]; then
    again=0
    "$target" -timeout=1 -rss_limit_mb=2048 "$input" >"$log.again" 2>&1 || again=$?
    if [ "$again" -eq 0 ]; then
      echo "$line  (a slow input under load, in time alone: $input)"
      exit 0
    fi
    line="$line  FAILED (slow, again alone: exit $again)"
  else
    line="$line  FAILED (exit $status)"
  fi
  echo "--- $name failed; the end of its log:"
  grep -v '^#[0-9]' "$log" | tail -40
  echo "$line"
  exit 1
fi
echo "$line"
