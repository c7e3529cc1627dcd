#!/usr/bin/env bash
# Builds the libFuzzer targets of the number text (ScanReal/ParseReal,
# ParseInteger/FormatInteger, FormatReal) with clang and runs each for a
# bounded time. Not part of scripts/test.sh.
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

missing=()
for package in clang libclang-rt-14-dev; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
if [[ ${#missing[@]} -gt 0 ]]; then
  sudo=()
  [[ $(id -u) -eq 0 ]] || sudo=(sudo)
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

sources=(
  app/decimal_separator.cpp app/integer_text.cpp app/number_reader.cpp
  app/number_writer.cpp app/power_of_ten.cpp core/extended.cpp
)
flags=(
  -std=c++20 -g -O1 -I. -Wall -Wextra
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all
  -frounding-math -ffp-contract=off
)
targets=(parse_real parse_integer format_real)

mkdir -p "$out/artifacts"
for target in "${targets[@]}"; do
  echo "== Building ${target}_fuzzer =="
  clang++ "${flags[@]}" "tests/fuzz/${target}_fuzzer.cpp" "${sources[@]}" -o "$out/${target}_fuzzer"
  mkdir -p "$out/corpus/$target"
done

failed=()
for target in "${targets[@]}"; do
  echo "== Running ${target}_fuzzer for ${seconds} s =="
  if ! "$out/${target}_fuzzer" -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="$out/artifacts/${target}-" "$out/corpus/$target" "tests/fuzz/corpus/$target"; then
    failed+=("$target")
  fi
done

if [[ ${#failed[@]} -gt 0 ]]; then
  echo "Fuzzers that found a failing input: ${failed[*]} (see $out/artifacts)"
  exit 1
fi
echo "All fuzzers ran ${seconds} s without a failure."
