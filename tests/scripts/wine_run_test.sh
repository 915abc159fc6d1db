#!/usr/bin/env bash
# scripts/wine-run.sh with a stand-in for wine: a start that gives nothing is
# tried once more; a program that ran keeps its output and its exit status.
#   wine_run_test.sh WINE_RUN_SCRIPT
set -euo pipefail
script=$1
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# The stand-in starts nothing for its first FAKE_DEAD calls, then runs.
cat >"$tmp/wine" <<'FAKE'
#!/usr/bin/env bash
n=$(cat "$FAKE_COUNT" 2>/dev/null || echo 0)
echo $((n + 1)) >"$FAKE_COUNT"
[ "$n" -lt "$FAKE_DEAD" ] && exit 53
echo "out $*"
echo "err" >&2
exit "$FAKE_STATUS"
FAKE
chmod +x "$tmp/wine"

run() {  # FAKE_DEAD FAKE_STATUS; sets status, out, err and calls
  rm -f "$tmp/count"
  status=0
  PATH="$tmp:$PATH" FAKE_COUNT="$tmp/count" FAKE_DEAD=$1 FAKE_STATUS=$2 \
    "$script" t.exe --x >"$tmp/out" 2>"$tmp/err" || status=$?
  out=$(cat "$tmp/out")
  err=$(cat "$tmp/err")
  calls=$(cat "$tmp/count")
}
run 0 0
[ "$status/$calls/$out" = "0/1/out t.exe --x" ] && [ "$err" = err ] || fail "a clean run: $status $calls $out $err"
run 0 3
[ "$status/$calls" = "3/1" ] || fail "a failed test ran again or lost its status: $status $calls"
run 1 0
[ "$status/$calls/$out" = "0/2/out t.exe --x" ] || fail "a dead start was not tried again: $status $calls $out"
run 2 0
[ "$status/$calls" = "53/2" ] && [ -z "$out" ] || fail "two dead starts passed: $status $calls $out"
echo "wine-run: all cases hold"
