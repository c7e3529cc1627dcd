#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up a fresh Debian 12 machine, builds everything with warnings as errors
# and runs every test; then runs the non-GUI tests and the window tests once
# more under AddressSanitizer and UndefinedBehaviorSanitizer. Needs no display.
# With --repeat N it builds as above, then instead runs the window,
# end-to-end, install and package tests N times each (scripts/repeat-tests.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
repeat=
if [[ "${1:-}" == --repeat ]]; then
  [[ "${2:-}" =~ ^[1-9][0-9]*$ ]] || { echo "usage: scripts/test.sh [--repeat N]" >&2; exit 2; }
  repeat=$2
fi
scripts/setup.sh
jobs=$(nproc)

cmake --preset werror
cmake --build --preset werror -j "$jobs"
[[ -z "$repeat" ]] || exec scripts/repeat-tests.sh "$repeat"

cmake --preset sanitize
cmake --build --preset sanitize -j "$jobs"
echo "== Tests under AddressSanitizer and UndefinedBehaviorSanitizer =="
ctest --preset sanitize -j "$jobs"

cmake --preset sanitize-ui
cmake --build --preset sanitize-ui -j "$jobs"
echo "== Window tests under AddressSanitizer and UndefinedBehaviorSanitizer =="
ctest --preset sanitize-ui -j "$jobs"

echo "== All tests =="
ctest --preset werror -j "$jobs"
