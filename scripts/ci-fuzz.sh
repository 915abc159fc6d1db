#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time
# from its committed seed corpus (scripts/fuzz-target.sh). Any crash,
# sanitizer report or failed check fails the stage, and so does an input
# slower than 10 ms (checked inside the targets) that is still slow when run
# again alone.
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
  status=0
  result="$(./scripts/fuzz-target.sh "$dir/fuzz/${name}_fuzz" "$seeds" "$dir/corpus/$name" "$dir/artifacts" \
    "$dir/${name}_fuzz.log" "$seconds")" || status=$?
  # The log's end, when printed, comes before the summary line.
  [ "$status" -eq 0 ] || { failed+=("$name"); printf '%s\n' "$result" | sed '$d'; }
  summary+="$(printf '%s\n' "$result" | tail -1)"$'\n'
done
echo "--- fuzzing, ${seconds} s per target"
printf '%s' "$summary"
[ ${#failed[@]} -eq 0 ] || { echo "failed: ${failed[*]} (inputs in $dir/artifacts)"; exit 1; }
