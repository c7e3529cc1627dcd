#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Release binaries and measures: core_bench (the numerical core beside
# GSL, and the whole comparison run), then the real program's start-up, fade,
# response and memory under Xvfb (scripts/bench-startup.sh), the help window
# and the error box with the largest texts (text_bench), then, when
# Debian's python3-scipy is installed, the same solves with SciPy.
# Arguments go to core_bench (e.g. --benchmark_filter=run/). Takes about a
# minute and a half on two cores.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

cmake --preset bench >/dev/null
cmake --build --preset bench -j "$jobs"

echo "== core_bench (CPU time; a busy machine shows as Time above CPU) =="
# 0.2 s per benchmark keeps the whole table near half a minute.
build-bench/bench/core_bench --benchmark_min_time=0.2 "$@"

echo
echo "== Start-up, fade, response and memory of the program under Xvfb =="
scripts/bench-startup.sh build-bench/ui/nonlinear-equations 3

echo
echo "== The help window and the error box with the largest texts (offscreen) =="
QT_QPA_PLATFORM=offscreen build-bench/bench/text_bench

echo
echo "== A detail window opened at the pass cap (offscreen) =="
QT_QPA_PLATFORM=offscreen build-bench/bench/window_bench

if /usr/bin/python3 -c 'import scipy' 2>/dev/null; then
  echo
  echo "== The same solves with SciPy =="
  /usr/bin/python3 bench/scipy_bench.py
fi
