#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds everything with warnings as errors
# and runs every test; then runs the non-GUI tests once more under
# AddressSanitizer and UndefinedBehaviorSanitizer. Needs no display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
jobs=$(nproc)

cmake -S . -B build -G Ninja -DNLE_WERROR=ON
cmake --build build -j "$jobs"

cmake -S . -B build-sanitize -G Ninja -DNLE_WERROR=ON -DNLE_SANITIZE=ON \
  -DNLE_BUILD_GUI=OFF -DNLE_BUILD_BENCH=OFF
cmake --build build-sanitize -j "$jobs"
echo "== Tests under AddressSanitizer and UndefinedBehaviorSanitizer =="
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  ctest --test-dir build-sanitize --output-on-failure -j "$jobs"

echo "== All tests =="
ctest --test-dir build --output-on-failure -j "$jobs"
