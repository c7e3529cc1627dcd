#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up a fresh Debian 12 machine, builds everything with warnings as errors
# and runs every test; then runs the non-GUI tests once more under
# AddressSanitizer and UndefinedBehaviorSanitizer. Needs no display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
jobs=$(nproc)

cmake --preset werror
cmake --build --preset werror -j "$jobs"

cmake --preset sanitize
cmake --build --preset sanitize -j "$jobs"
echo "== Tests under AddressSanitizer and UndefinedBehaviorSanitizer =="
ctest --preset sanitize -j "$jobs"

echo "== All tests =="
ctest --preset werror -j "$jobs"
