#!/usr/bin/env bash
# The program's split: the text modes and the calendar page run without Qt,
# the window comes from the window module, and a missing or broken module is
# one line and exit 2.
#   check_modules.sh html ORVANE GOLDEN    --html writes the page byte for byte
#   check_modules.sh noqt ORVANE           no Qt library in the six text modes
#   check_modules.sh missing ORVANE        the program without its module
#   check_modules.sh screenshot ORVANE     --screenshot through the module
#   check_modules.sh locale ORVANE         the window's language from the locale
set -euo pipefail
mode="$1"
orvane="$2"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# The shared objects the dynamic loader opened for one run.
loaded_libs() {
  LD_DEBUG=libs LD_DEBUG_OUTPUT="$tmp/ld" "$orvane" "$@" <"$tmp/batch.txt" >/dev/null 2>&1 || true
  cat "$tmp"/ld.* 2>/dev/null | sed -n 's/.*calling init: //p'
  rm -f "$tmp"/ld.*
}

case "$mode" in
  html)
    "$orvane" --html "$tmp/page.htm" --today 7.12.2026 1.2.2021
    cmp "$3" "$tmp/page.htm" || fail "the page differs from $3"
    ;;
  noqt)
    printf '1.1.2000 15.3.2001\n' >"$tmp/batch.txt"
    # The check sees libraries at all: the C library is always there.
    loaded_libs --version | grep -q 'libc[.]so' || { echo "LD_DEBUG shows nothing here"; exit 77; }
    runs=("--json 1.1.2000 15.3.2001" "--print 1.1.2000 15.3.2001" "--batch --json" "--html $tmp/p.htm 1.2.2021"
          "--help" "--version")
    for args in "${runs[@]}"; do
      read -r -a argv <<<"$args"
      qt="$(loaded_libs "${argv[@]}" | grep -i 'libQt' || true)"
      [ -z "$qt" ] || fail "orvane $args loads $qt"
    done
    ;;
  missing)
    [ "$(uname -s)" = Linux ] || exit 77
    cp "$orvane" "$tmp/orvane"
    check_one_line() {  # what, then the program's arguments
      local what="$1" status=0
      shift
      QT_QPA_PLATFORM=offscreen "$tmp/orvane" "$@" >/dev/null 2>"$tmp/err" || status=$?
      [ "$status" -eq 2 ] || fail "$what: exit $status, not 2"
      [ "$(wc -l <"$tmp/err")" -eq 1 ] || fail "$what: not one line: $(cat "$tmp/err")"
      grep -q 'window module' "$tmp/err" || fail "$what: $(cat "$tmp/err")"
    }
    check_one_line "missing module" --screenshot "$tmp/shot.png" 1.1.2000
    printf 'not a shared object\n' >"$tmp/liborvane-window.so"
    check_one_line "broken module" --screenshot "$tmp/shot.png" 1.1.2000
    check_one_line "broken module, window" 1.1.2000
    grep -q 'no ELF shared object' "$tmp/err" || fail "broken module: $(cat "$tmp/err")"
    module="$(dirname "$orvane")/liborvane-window.so"
    if [ -f "$module" ]; then
      # Cut short anywhere: refused before loading, never a bus error.
      for size in 1024 65536 300000 600000 900000 $(($(stat -c %s "$module") - 1)); do
        head -c "$size" "$module" >"$tmp/liborvane-window.so"
        check_one_line "module cut to $size bytes" --screenshot "$tmp/shot.png" 1.1.2000
        grep -q 'cut short' "$tmp/err" || fail "module cut to $size bytes: $(cat "$tmp/err")"
      done
      # Beside the program in a folder anyone can write: refused, naming why.
      mkdir -m 0777 "$tmp/open"
      cp "$orvane" "$module" "$tmp/open/"
      status=0
      QT_QPA_PLATFORM=offscreen "$tmp/open/orvane" --screenshot "$tmp/shot.png" 1.1.2000 2>"$tmp/err" || status=$?
      [ "$status" -eq 2 ] || fail "module in a folder writable by others: exit $status"
      grep -qx "orvane: refusing the window module $tmp/open/liborvane-window.so: the folder $tmp/open is writable by others" \
        "$tmp/err" || fail "module in a folder writable by others: $(cat "$tmp/err")"
    fi
    # A module planted in ../lib/orvane beside a copy of the program is never looked at.
    mkdir -p "$tmp/x" "$tmp/lib/orvane"
    chmod 0777 "$tmp/lib" "$tmp/lib/orvane"
    cp "$orvane" "$tmp/x/orvane"
    printf 'planted\n' >"$tmp/lib/orvane/liborvane-window.so"
    QT_QPA_PLATFORM=offscreen "$tmp/x/orvane" --screenshot "$tmp/shot.png" 1.1.2000 >/dev/null 2>"$tmp/err" || true
    ! grep -q "$tmp/lib" "$tmp/err" || fail "the planted module was looked at: $(cat "$tmp/err")"
    # The text modes do not need it.
    "$tmp/orvane" --json 1.1.2000 15.3.2001 >/dev/null || fail "--json without the module"
    ;;
  screenshot)
    QT_QPA_PLATFORM=offscreen "$orvane" --screenshot "$tmp/shot.png" --today 7.12.2026 0 1.1.2000
    head -c 8 "$tmp/shot.png" | grep -q PNG || fail "no PNG written"
    ;;
  locale)
    # The window takes its language from the locale as the text outputs do.
    shot() { env -u LC_ALL -u LC_MESSAGES QT_QPA_PLATFORM=offscreen "$@" --today 7.12.2026 0 1.1.2000; }
    shot LANG=de_DE.UTF-8 "$orvane" --screenshot "$tmp/locale.png"
    shot LANG=C "$orvane" --screenshot "$tmp/de.png" --lang de
    shot LANG=de_DE.UTF-8 "$orvane" --screenshot "$tmp/en.png" --lang en
    cmp -s "$tmp/locale.png" "$tmp/de.png" || fail "LANG=de_DE.UTF-8 draws another window than --lang de"
    ! cmp -s "$tmp/de.png" "$tmp/en.png" || fail "--lang en draws the German window"
    ;;
  *)
    echo "unknown mode $mode" >&2
    exit 2
    ;;
esac
