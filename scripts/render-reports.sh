#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes a lab's 25 variants with their answer key and the default run's
# report with every method's pages, with the built program and no display,
# and renders every page as a PNG picture into build/report-pictures/ to look
# at as a teacher would hand them out. Needs poppler-utils (scripts/setup.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
program=${1:-build/ui/nonlinear-equations}
out=build/report-pictures
mkdir -p "$out"
"$program" --variants 25 --seed 2026 --title 'Лабораторная работа 3' --out "$out/course"
"$program" --solve --history --report "$out/run.pdf" > /dev/null
"$program" --solve --equation 3 -k 1 -l 0 --start 0 --precision 0.0001 --end 1 \
  --decimal-separator . --history --report "$out/cosine.pdf" > /dev/null
for document in course/variants course/answers run cosine; do
  pdftoppm -r 80 -png "$out/$document.pdf" "$out/$(basename "$document")"
done
ls "$out"/*.png
