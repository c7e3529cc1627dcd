#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets of the number text (ScanReal/ParseReal,
# ParseInteger/FormatInteger, FormatReal) and of the formula reader with the fuzz preset (clang, in
# build-fuzz/) and runs each for a bounded time. Not part of scripts/test.sh.
#
#   bash scripts/fuzz.sh [seconds per target]     (default 60, or FUZZ_SECONDS)
#
# Every run starts from the seeds in tests/fuzz/corpus/<target> (commit an
# input there to have it tried every time; the first byte of a real-number
# text or of a double picks the separator: 0 ",", 1 ".", 2 U+066B). Inputs
# that break a property are saved as build-fuzz/artifacts/<target>-*; the
# corpora grow in build-fuzz/corpus/<target> from one run to the next.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-${FUZZ_SECONDS:-60}}
out=build-fuzz

scripts/setup.sh clang libclang-rt-14-dev

targets=(parse_real parse_integer format_real parse_formula)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

# AddressSanitizer keeps the call stack of every allocation it has seen, 30
# frames deep by default. The formula reader allocates deep in recursions
# whose frames differ from one input to the next, so that store grew without
# bound (1.8 GB in 10 minutes, near libFuzzer's 2 GB limit); 8 frames name
# the allocation as well and keep it near 0.5 GB.
export ASAN_OPTIONS="malloc_context_size=8${ASAN_OPTIONS:+:$ASAN_OPTIONS}"

mkdir -p "$out/artifacts"
for target in "${targets[@]}"; do mkdir -p "$out/corpus/$target"; done

failed=()
for target in "${targets[@]}"; do
  echo "== Running ${target}_fuzzer for ${seconds} s =="
  if ! "$out/tests/fuzz/${target}_fuzzer" -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="$out/artifacts/${target}-" "$out/corpus/$target" "tests/fuzz/corpus/$target"; then
    failed+=("$target")
  fi
done

if [[ ${#failed[@]} -gt 0 ]]; then
  echo "Fuzzers that found a failing input: ${failed[*]} (see $out/artifacts)"
  exit 1
fi
echo "All fuzzers ran ${seconds} s without a failure."
