#!/usr/bin/env bash
# Windows build check: the standard-library parts and their tests built with
# mingw-w64 (GoogleTest built from Debian's sources with the same toolchain),
# then run under wine when it can start programs here.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
./scripts/ci-packages.sh
jobs="${ORVANE_JOBS:-2}"
out="$(pwd)/${ORVANE_MINGW_DIR:-build-mingw}"
mkdir -p "$out"

toolchain="$(pwd)/cmake/mingw-w64.cmake"

echo "--- GoogleTest from /usr/src/googletest with mingw-w64"
if [ ! -f "$out/gtest/lib/cmake/GTest/GTestConfig.cmake" ]; then
  cmake -S /usr/src/googletest -B "$out/gtest-build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$out/gtest" -Dgtest_disable_pthreads=ON >/dev/null
  cmake --build "$out/gtest-build" --parallel "$jobs" >/dev/null
  cmake --install "$out/gtest-build" >/dev/null
fi

# Wine is usable when it can start a console program of ours.
export WINEPREFIX="$out/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine_ok=0
probe="$out/probe.exe"
printf 'int main(){return 0;}\n' | x86_64-w64-mingw32-gcc-posix -x c - -o "$probe"
if command -v wine >/dev/null && timeout 300 wine "$probe" >/dev/null 2>&1; then
  wine_ok=1
fi

emulator=()
[ "$wine_ok" = 1 ] && emulator=(-DCMAKE_CROSSCOMPILING_EMULATOR="$(pwd)/scripts/wine-run.sh")
echo "--- Orvane's standard-library parts with mingw-w64"
# The preset "windows" holds the options; the folders follow ORVANE_MINGW_DIR.
cmake --preset windows -B "$out/orvane" -DORVANE_MINGW_GTEST="$out/gtest" -DCMAKE_PREFIX_PATH="$out/gtest" \
  "${emulator[@]}" >/dev/null
cmake --build "$out/orvane" --parallel "$jobs"

if [ "$wine_ok" = 1 ]; then
  echo "--- The tests under wine"
  # cli.*, golden.* and packaging.* are shell checks of the Linux host, not
  # Windows programs; the comparison below covers the outputs.
  (cd "$out/orvane" && ctest --output-on-failure --timeout 600 --parallel "$jobs" -E '^(cli|golden|packaging)[.]')

  # The Windows program prints what the Linux one prints, apart from the
  # console's line ends.
  linux="${ORVANE_BUILD_DIR:-build}/bin/orvane"
  if [ -x "$linux" ]; then
    echo "--- orvane.exe under wine against the Linux build"
    cases=(
      "--print --today 7.12.2026 1.1.2000 15.3.2001"
      "--json --today 7.12.2026 --add1 -999999999w --add2 2147483647m 31.1.2001 1.1.-1"
      "--print --lang de --today 29.2.2000 0 31.12.-2147483647"
    )
    # Standard output is compared; wine's own notes on standard error are not
    # the program's. A wine-side fault (seen now and then at start-up) gets
    # one more try; a program that differs twice fails the stage.
    same_as_linux() {  # stdin file, then the arguments
      local input="$1"
      shift
      "$linux" "$@" <"$input" >"$out/linux.txt" 2>/dev/null || true
      local try
      for try in 1 2; do
        if wine "$out/orvane/bin/orvane.exe" "$@" <"$input" 2>"$out/wine-err.txt" | sed 's/\r$//' >"$out/windows.txt" &&
          cmp -s "$out/linux.txt" "$out/windows.txt"; then
          return 0
        fi
        echo "differs (try $try): orvane $*"
        diff "$out/linux.txt" "$out/windows.txt" | head -20 || true
        head -5 "$out/wine-err.txt"
      done
      return 1
    }
    for c in "${cases[@]}"; do
      read -r -a args <<<"$c"
      same_as_linux /dev/null "${args[@]}"
    done
    printf '1.1.2000 15.3.2001\n31.2.2001 0 5w -3m\nx.y.z 99999999999\n' >"$out/batch.txt"
    same_as_linux "$out/batch.txt" --batch --json --today 7.12.2026
    echo "same texts for $((${#cases[@]} + 1)) command lines"
  fi
  # Without Qt for Windows there is no window module: the window modes say so
  # on one line and exit 2 (LoadLibraryW's lookup beside the program).
  status=0
  ./scripts/wine-run.sh "$out/orvane/bin/orvane.exe" 1.1.2000 >/dev/null 2>"$out/module-err.txt" || status=$?
  # Only the program's own folder is searched: a rooted Unix folder would name
  # a folder on the current drive, which any user may create.
  grep -q 'window module .* is missing (looked in [A-Z]:' "$out/module-err.txt" &&
    ! grep -q ' and ' "$out/module-err.txt" && [ "$status" -eq 2 ] ||
    { echo "orvane.exe without its window module: exit $status, $(cat "$out/module-err.txt")"; exit 1; }
  # Nothing of wine outlives the stage.
  wineserver -k >/dev/null 2>&1 || true
else
  echo "--- wine cannot start programs here: the Windows build was compiled and linked, not run"
fi
