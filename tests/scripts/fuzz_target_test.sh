#!/usr/bin/env bash
# scripts/fuzz-target.sh with a stand-in for a libFuzzer target: a time-out
# fails only when the input is still slow alone; a crash always fails.
#   fuzz_target_test.sh FUZZ_TARGET_SCRIPT
set -euo pipefail
script=$1
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Fuzzing (with -max_total_time) ends as FAKE_RUN says, writing its input as
# libFuzzer does; run on one input alone it is slow when FAKE_ALONE=slow.
cat >"$tmp/x_fuzz" <<'FAKE'
#!/usr/bin/env bash
prefix=
fuzzing=
for a in "$@"; do
  case $a in
    -artifact_prefix=*) prefix=${a#*=} ;;
    -max_total_time=*) fuzzing=1 ;;
  esac
done
if [ -z "$fuzzing" ]; then
  [ "$FAKE_ALONE" = slow ] && { echo "==ORVANE== slow input: 12.00 ms (limit 10.0 ms)"; exit 134; }
  exit 0
fi
echo "stat::number_of_executed_units: 4321"
case $FAKE_RUN in
  ok) exit 0 ;;
  slow) echo "==ORVANE== slow input: 31.00 ms (limit 10.0 ms)"; kind=crash ;;
  timeout) echo "==1== ERROR: libFuzzer: timeout after 1 seconds"; kind=timeout ;;
  crash) echo "==1==ERROR: AddressSanitizer: heap-buffer-overflow"; kind=crash ;;
esac
printf 'x' >"${prefix}${kind}-da39a3ee"
echo "artifact_prefix='$prefix'; Test unit written to ${prefix}${kind}-da39a3ee"
exit 1
FAKE
chmod +x "$tmp/x_fuzz"
mkdir -p "$tmp/seeds"

run() {  # FAKE_RUN FAKE_ALONE; sets status and out
  status=0
  out="$(FAKE_RUN=$1 FAKE_ALONE=$2 "$script" "$tmp/x_fuzz" "$tmp/seeds" "$tmp/work" "$tmp/art" "$tmp/log" 1)" ||
    status=$?
}
run ok fast
[ "$status" -eq 0 ] && grep -qE '^x +4321 runs$' <<<"$out" || fail "a clean run: $status $out"
for kind in slow timeout; do
  run "$kind" fast
  [ "$status" -eq 0 ] || fail "a $kind input that is in time alone failed the run: $out"
  grep -q "in time alone: $tmp/art/x-" <<<"$out" || fail "a $kind input in time alone is not named: $out"
  run "$kind" slow
  [ "$status" -eq 1 ] || fail "a $kind input still slow alone passed: $out"
  grep -q 'FAILED (slow, again alone' <<<"$out" || fail "a $kind input still slow alone: $out"
done
run crash fast
[ "$status" -eq 1 ] && grep -q 'FAILED (exit 1)' <<<"$out" || fail "a crash passed: $status $out"
grep -q 'AddressSanitizer' <<<"$out" || fail "a crash does not show the log's end: $out"
echo "ok"
