#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the tests that drive real windows, processes and packages N times
# each, to show that they pass every time and not just once: the window
# tests (tests/ui), the end-to-end tests (tests/e2e) and the install and
# package tests (tests/install). Each test is repeated until it fails or has
# passed N times (ctest --repeat until-fail:N), as many at once as
# scripts/test.sh runs. For a busy machine, load both cores beside it, e.g.
#   stress-ng --cpu 2 --timeout 3600 & scripts/repeat-tests.sh 20
# Needs the tree that scripts/test.sh builds in build/.
# Usage: scripts/repeat-tests.sh N [regex]
#   regex  only the tests whose names match (ctest -R), e.g. close_during_run
# Output: each run as ctest prints it, then one line a test: passes of N.
set -euo pipefail
cd "$(dirname "$0")/.."

usage() {
  echo "usage: scripts/repeat-tests.sh N [regex]" >&2
  exit 2
}
(($# >= 1 && $# <= 2)) || usage
[[ $1 =~ ^[1-9][0-9]*$ ]] || usage
count=$1
filter=()
[[ -n "${2:-}" ]] && filter=(-R "$2")
[[ -f build/CTestTestfile.cmake ]] ||
  { echo "repeat-tests: no test tree in build/; run scripts/test.sh first" >&2; exit 1; }

log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
for dir in tests/ui tests/e2e tests/install; do
  echo "== $dir, each test up to $count times =="
  ctest --test-dir "build/$dir" -j "$(nproc)" --repeat "until-fail:$count" --output-on-failure \
    "${filter[@]}" 2>&1 | tee -a "$log" || status=1
done

# ctest prints one line a run: "Test #n: name ...   Passed" (or Failed,
# ***Timeout, ***Exception...).
echo "== Passes of $count =="
awk -v n="$count" '
  match($0, /Test +#[0-9]+: [^ ]+/) {
    name = substr($0, RSTART, RLENGTH); sub(/.*: /, "", name)
    if (!(name in runs)) order[++names] = name
    runs[name]++
    if ($0 ~ / Passed /) passed[name]++
    else failed[name] = 1
  }
  END {
    for (i = 1; i <= names; i++) {
      name = order[i]
      printf "%-32s %d of %d%s\n", name, passed[name], n, failed[name] ? "  FAILED" : ""
    }
  }' "$log"
exit "$status"
