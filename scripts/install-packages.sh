#!/usr/bin/env bash
# Installs the missing system packages of the one list, scripts/packages.txt.
# Plain lines are for building, running and testing; lines starting "ci:" are
# what only the CI stages need (fuzzing, the Windows build) and are installed
# with --ci.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
if [ "${1:-}" = "--ci" ]; then
  mapfile -t wanted < <(sed -nE 's/^ci:\s*([^ #]+).*/\1/p' scripts/packages.txt)
else
  mapfile -t wanted < <(grep -vE '^\s*(#|$|ci:)' scripts/packages.txt)
fi
missing=()
for p in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
