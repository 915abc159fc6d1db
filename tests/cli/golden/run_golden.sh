#!/bin/sh
# Runs the program with fixed arguments and compares its standard output and
# exit status with a stored file, byte for byte.
# Usage: run_golden.sh PROGRAM EXPECTED STATUS INPUT [ARG...]   (INPUT may be -)
program=$1 expected=$2 status=$3 input=$4
shift 4
[ "$input" = - ] && input=/dev/null
out=$(mktemp) || exit 1
"$program" "$@" <"$input" >"$out" 2>/dev/null
rc=$?
if [ "$rc" -ne "$status" ]; then
  echo "exit status $rc, expected $status"
  rm -f "$out"
  exit 1
fi
if [ -n "$ORVANE_GOLDEN_UPDATE" ]; then
  cp "$out" "$expected"
elif ! cmp "$out" "$expected"; then
  diff "$expected" "$out" | head -40
  rm -f "$out"
  exit 1
fi
rm -f "$out"
