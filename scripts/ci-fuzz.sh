#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time
# from its committed seed corpus. Any crash, sanitizer report, failed check or
# input slower than 10 ms (checked inside the targets) fails the stage.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
./scripts/ci-packages.sh
dir="$(pwd)/${ORVANE_FUZZ_DIR:-build-fuzz}"
seconds="${ORVANE_FUZZ_SECONDS:-20}"
cmake --preset fuzz -B "$dir" >/dev/null
cmake --build "$dir" --parallel "${ORVANE_JOBS:-2}" --target fuzz_targets

export ASAN_OPTIONS="halt_on_error=1:abort_on_error=1:detect_leaks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
failed=()
summary=""
for seeds in fuzz/corpus/*/; do
  name="$(basename "$seeds")"
  target="$dir/fuzz/${name}_fuzz"
  work="$dir/corpus/$name"
  mkdir -p "$work" "$dir/artifacts"
  log="$dir/${name}_fuzz.log"
  status=0
  "$target" -max_total_time="$seconds" -timeout=1 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$dir/artifacts/${name}-" "$work" "$seeds" >"$log" 2>&1 || status=$?
  runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)"
  line="$(printf '%-8s %10s runs' "$name" "${runs:-?}")"
  if [ "$status" -ne 0 ]; then
    failed+=("$name")
    line="$line  FAILED (exit $status)"
    echo "--- $name failed; the end of its log:"
    grep -v '^#[0-9]' "$log" | tail -40
  fi
  summary+="$line"$'\n'
done
echo "--- fuzzing, ${seconds} s per target"
printf '%s' "$summary"
[ ${#failed[@]} -eq 0 ] || { echo "failed: ${failed[*]} (inputs in $dir/artifacts)"; exit 1; }
