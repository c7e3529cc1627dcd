#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes 30 variants with their answer key and a run's report with the built
# program, with no display, and renders their first pages as PNG pictures into
# build/report-pictures/ to look at. Needs poppler-utils (scripts/setup.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
program=${1:-build/ui/nonlinear-equations}
out=build/report-pictures
mkdir -p "$out"
"$program" --variants 30 --seed 2026 --out "$out/course"
"$program" --solve --equation 3 --k 1 --l 0 --start 0 --precision 0.0001 --end 1 \
  --decimal-separator . --history --report "$out/run.pdf" > /dev/null
pdftoppm -r 80 -png -f 1 -l 1 "$out/course/variants.pdf" "$out/variants"
pdftoppm -r 80 -png -f 1 -l 1 "$out/course/answers.pdf" "$out/answers"
pdftoppm -r 80 -png -f 1 -l 3 "$out/run.pdf" "$out/run"
ls "$out"/*.png
