#!/usr/bin/env bash
# Checks of the installed and packaged files. Usage:
#   check_packaging.sh desktop DESKTOP_FILE
#   check_packaging.sh man MAN_SOURCE ORVANE_BINARY
#   check_packaging.sh install BUILD_DIR WORK_DIR
#   check_packaging.sh deb BUILD_DIR WORK_DIR VERSION
# Exit status 77 (skipped) when a tool the check needs is missing.
# ORVANE_PREFIX is the prefix the build was made for; with a window,
# ORVANE_MODULE names the window module relative to it and
# ORVANE_MODULE_INSTALL_DIR the absolute folder the program looks in.
set -euo pipefail
export LC_ALL=C.UTF-8

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
need() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool not installed" >&2; exit 77; }
  done
}

icon_sizes=(16 32 48 64 128 256)

# The files an installation holds, relative to the prefix, one a line.
expected_files() {
  echo bin/orvane
  echo share/man/man1/orvane.1.gz
  [ -n "${ORVANE_NO_WINDOW:-}" ] && return
  echo "$ORVANE_MODULE"
  echo share/applications/orvane.desktop
  echo share/icons/hicolor/scalable/apps/orvane.svg
  local s
  for s in "${icon_sizes[@]}"; do echo "share/icons/hicolor/${s}x${s}/apps/orvane.png"; done
}

# Width and height from a PNG's header chunk.
png_size() {
  local sig
  sig=$(od -An -tx1 -N8 "$1" | tr -d ' \n')
  [ "$sig" = 89504e470d0a1a0a ] || fail "$1 is not a PNG file"
  local w h
  w=$(od -An -tu1 -j16 -N4 "$1" | awk '{print $1*16777216 + $2*65536 + $3*256 + $4}')
  h=$(od -An -tu1 -j20 -N4 "$1" | awk '{print $1*16777216 + $2*65536 + $3*256 + $4}')
  echo "${w}x${h}"
}

check_desktop() {
  local file=$1
  need desktop-file-validate
  local out
  out=$(desktop-file-validate "$file" 2>&1) || fail "desktop-file-validate rejects $file: $out"
  ! grep -qiE 'error|warning' <<<"$out" || fail "desktop-file-validate complains about $file: $out"
  grep -qx 'Type=Application' "$file" || fail "$file: no Type=Application"
  grep -qx 'Exec=orvane' "$file" || fail "$file: Exec must start orvane without file arguments"
  grep -qx 'Icon=orvane' "$file" || fail "$file: Icon must name the installed icon orvane"
  grep -qx 'Terminal=false' "$file" || fail "$file: the window needs no terminal"
  grep -qE '^Categories=(.*;)?Utility;' "$file" || fail "$file: not in the Utility category"
}

check_man() {
  local page=$1 binary=$2
  need groff
  local warnings rendered
  warnings=$(groff -man -Tutf8 -ww -z "$page" 2>&1)
  [ -z "$warnings" ] || fail "groff warns about $page: $warnings"
  if command -v man >/dev/null; then
    rendered=$(MANWIDTH=80 MAN_KEEP_FORMATTING= man -l "$page" 2>&1 | col -bx 2>/dev/null || true)
  fi
  if [ -z "${rendered:-}" ]; then
    rendered=$(groff -man -Tutf8 -rLL=78n "$page" | sed 's/.\x08//g')
  fi
  local section
  for section in NAME SYNOPSIS DESCRIPTION OPTIONS 'JSON OUTPUT' 'EXIT STATUS' EXAMPLES; do
    grep -qx "$section" <<<"$rendered" || fail "$page: section $section missing"
  done
  # whatis reads "name - summary" from the NAME section.
  grep -qE '^ +orvane +- +date +calculator' <<<"$rendered" || fail "$page: NAME line not of the form 'orvane - summary'"
  local long
  long=$(awk 'length($0) > 80' <<<"$rendered")
  [ -z "$long" ] || fail "$page: lines wider than 80 columns at MANWIDTH=80:
$long"
  # Every option of --help is documented as an option entry.
  local help option
  help=$("$binary" --help) || fail "$binary --help failed"
  for option in $(grep -oE -- '--[a-z0-9][a-z0-9-]*' <<<"$help" | sort -u); do
    grep -qE "^ {7}(--.*[ ,])?${option}([ ,=]|$)" <<<"$rendered" || fail "$page: option $option of --help not documented"
  done
  # The header carries the program's version.
  local version
  version=$("$binary" --version | grep -oE '[0-9]+(\.[0-9]+)+$') || fail "$binary --version shows no version"
  grep -qE "^\.TH ORVANE 1 \"[^\"]*\" \"Orvane ${version//./\\.}\"" "$page" ||
    fail "$page: .TH does not carry version $version"
  # Exit statuses as the program uses them.
  local status
  for status in 0 1 2; do
    grep -qE "^ {7}${status} " <<<"$rendered" || fail "$page: exit status $status not described"
  done
}

# Installs BUILD_DIR into WORK_DIR/root under the build's prefix and checks the tree.
check_install() {
  local build=$1 work=$2
  need cmake
  rm -rf "$work"
  mkdir -p "$work"
  DESTDIR="$work/root" cmake --install "$build" >"$work/install.log" 2>&1 ||
    fail "cmake --install failed: $(cat "$work/install.log")"
  check_tree "$work/root" "installed tree"
  local out
  out=$("$work/root$ORVANE_PREFIX/bin/orvane" --print --today 7.12.2026 1.1.2000 15.3.2001) ||
    fail "installed orvane --print failed"
  grep -q '^  439 Days$' <<<"$out" || fail "installed orvane prints a wrong difference: $out"
}

# The files under ROOT + the build's prefix are exactly the expected ones,
# each in good shape.
check_tree() {
  local root=$1 what=$2
  local prefix=$root$ORVANE_PREFIX
  local have want
  have=$(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | sort)
  want=$(expected_files | sort)
  [ "$have" = "$want" ] || fail "$what differs from the expected files:
$(diff <(echo "$want") <(echo "$have") || true)"
  [ -x "$prefix/bin/orvane" ] || fail "$what: bin/orvane is not executable"
  "$prefix/bin/orvane" --version | grep -qx 'Zelko Orvane [0-9.]*' || fail "$what: orvane --version"
  gzip -dc "$prefix/share/man/man1/orvane.1.gz" | grep -q '^\.TH ORVANE 1' ||
    fail "$what: the manual page does not decompress to a man page"
  [ -n "${ORVANE_NO_WINDOW:-}" ] && return
  # The module is installed where the program looks for it: the folder fixed
  # at build time, which outside this root holds a module only when the
  # program is installed for real.
  local module=${ORVANE_MODULE##*/}
  [ -f "$root$ORVANE_MODULE_INSTALL_DIR/$module" ] ||
    fail "$what: the module is not in $ORVANE_MODULE_INSTALL_DIR, where the program looks"
  local shot err status=0
  shot=$(mktemp --suffix=.png)
  err=$(QT_QPA_PLATFORM=offscreen "$prefix/bin/orvane" --screenshot "$shot" --today 7.12.2026 0 1.1.2000 2>&1) ||
    status=$?
  if [ -f "$ORVANE_MODULE_INSTALL_DIR/$module" ]; then
    [ "$status" -eq 0 ] || { rm -f "$shot"; fail "$what: orvane --screenshot failed: $err"; }
    png_size "$shot" >/dev/null
  else
    grep -qF "(looked in $prefix/bin and $ORVANE_MODULE_INSTALL_DIR)" <<<"$err" ||
      { rm -f "$shot"; fail "$what: orvane --screenshot: $err"; }
  fi
  rm -f "$shot"
  local s
  for s in "${icon_sizes[@]}"; do
    [ "$(png_size "$prefix/share/icons/hicolor/${s}x${s}/apps/orvane.png")" = "${s}x${s}" ] ||
      fail "$what: icon in ${s}x${s} has the size $(png_size "$prefix/share/icons/hicolor/${s}x${s}/apps/orvane.png")"
  done
  grep -q '<svg[^>]*viewBox="0 0 256 256"' "$prefix/share/icons/hicolor/scalable/apps/orvane.svg" ||
    fail "$what: the scalable icon is not a square SVG drawing"
  if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$prefix/share/applications/orvane.desktop" || fail "$what: desktop entry invalid"
  fi
}

check_deb() {
  local build=$1 work=$2 version=$3
  need cpack dpkg-deb dpkg-shlibdeps
  rm -rf "$work"
  mkdir -p "$work"
  (cd "$build" && cpack --config "$build/CPackConfig.cmake" -B "$work") >"$work/cpack.log" 2>&1 ||
    fail "cpack failed: $(cat "$work/cpack.log")"
  local arch deb
  arch=$(dpkg --print-architecture)
  deb="$work/orvane_${version}_${arch}.deb"
  [ -f "$deb" ] || fail "no $deb; made: $(ls "$work")"
  local field
  field() { dpkg-deb -f "$deb" "$1"; }
  [ "$(field Package)" = orvane ] || fail "Package: $(field Package)"
  [ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
  [ "$(field Architecture)" = "$arch" ] || fail "Architecture: $(field Architecture)"
  [ "$(field Section)" = utils ] || fail "Section: $(field Section)"
  grep -qE '<[^@>]+@[^>]+>' <<<"$(field Maintainer)" || fail "Maintainer without address: $(field Maintainer)"
  grep -q '^date calculator' <<<"$(field Description)" || fail "Description: $(field Description)"
  [ "$(field Description | wc -l)" -gt 3 ] || fail "Description has no long text"
  [ "$(field Description | sed -n 2p | sed 's/^ *//')" != "$(field Description | sed -n 1p)" ] ||
    fail "Description repeats its summary as the first line of the long text"
  # Dependencies computed from the binary.
  local depends
  depends=$(field Depends)
  grep -qE '(^|, )libc6 \(>= ' <<<"$depends" || fail "Depends lacks libc6: $depends"
  grep -qE '(^|, )libstdc\+\+6 \(>= ' <<<"$depends" || fail "Depends lacks libstdc++6: $depends"
  if [ -z "${ORVANE_NO_WINDOW:-}" ]; then
    grep -qE '(^|, )libqt6widgets6 \(>= ' <<<"$depends" || fail "Depends lacks libqt6widgets6: $depends"
  fi
  dpkg-deb -x "$deb" "$work/root" || fail "dpkg-deb cannot unpack $deb"
  check_tree "$work/root" "package"
  # Nothing outside /usr, and folders world-readable.
  [ "$(ls -A "$work/root")" = usr ] || fail "package holds more than /usr: $(ls -A "$work/root")"
  local listing
  listing=$(dpkg-deb -c "$deb")
  ! grep -E '^d' <<<"$listing" | grep -vE '^drwxr-xr-x root/root' || fail "package folders with odd modes or owners"
  grep -qE "^-rwxr-xr-x root/root .* \\.${ORVANE_PREFIX}/bin/orvane\$" <<<"$listing" || fail "bin/orvane mode or owner wrong"
}

mode=${1:-}
shift || true
case "$mode" in
  desktop) check_desktop "$@" ;;
  man) check_man "$@" ;;
  install) check_install "$@" ;;
  deb) check_deb "$@" ;;
  *) fail "unknown check '$mode'" ;;
esac
echo "ok: $mode"
