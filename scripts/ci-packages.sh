#!/usr/bin/env bash
# The CI stages' own packages, from the "ci:" lines of scripts/packages.txt.
set -euo pipefail
exec "$(dirname "${BASH_SOURCE[0]}")/install-packages.sh" --ci
