#!/usr/bin/env bash
# Runs one Windows program of ours under wine, for CTest and test discovery.
# Wine now and then fails to start a program at all: it exits at once with no
# output. Such a start gets one more try. A program that printed anything ran,
# so its result stands, failure included.
set -uo pipefail
out="$(mktemp)"
err="$(mktemp)"
trap 'rm -f "$out" "$err"' EXIT
for try in 1 2; do
  wine "$@" >"$out" 2>"$err"
  status=$?
  if [ "$status" -eq 0 ] || [ -s "$out" ] || [ -s "$err" ] || [ "$try" -eq 2 ]; then
    break
  fi
  echo "wine-run: wine started nothing (exit $status), trying once more: $*" >&2
done
cat "$out"
cat "$err" >&2
exit "$status"
