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

# The posix thread model gives the full <thread>/<mutex>; everything is linked
# statically so the programs need no DLLs beside them.
toolchain="$out/mingw-w64.cmake"
cat > "$toolchain" <<TOOLCHAIN
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 "$out/gtest")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
TOOLCHAIN

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
[ "$wine_ok" = 1 ] && emulator=(-DCMAKE_CROSSCOMPILING_EMULATOR=wine)
echo "--- Orvane's standard-library parts with mingw-w64"
cmake -S . -B "$out/orvane" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DORVANE_WITH_QT=OFF -DORVANE_WITH_BENCH=OFF -DCMAKE_PREFIX_PATH="$out/gtest" \
  -DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST "${emulator[@]}" >/dev/null
cmake --build "$out/orvane" --parallel "$jobs"

if [ "$wine_ok" = 1 ]; then
  echo "--- The tests under wine"
  # cli.* and packaging.* are shell checks of the Linux host, not Windows programs.
  (cd "$out/orvane" && ctest --output-on-failure --timeout 600 --parallel "$jobs" -E '^(cli|packaging)[.]')

  # The Windows program prints what the Linux one prints, apart from the
  # console's line ends.
  linux="${ORVANE_BUILD_DIR:-build}/app/orvane"
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
        if wine "$out/orvane/app/orvane.exe" "$@" <"$input" 2>"$out/wine-err.txt" | sed 's/\r$//' >"$out/windows.txt" &&
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
  # Nothing of wine outlives the stage.
  wineserver -k >/dev/null 2>&1 || true
else
  echo "--- wine cannot start programs here: the Windows build was compiled and linked, not run"
fi
