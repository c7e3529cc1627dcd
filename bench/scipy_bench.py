#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The defaults' solves with SciPy, per solve, beside run() from core_bench.

The problem is core_bench's: f(x) = cos(l*x)*k with k = l = 1, the interval
[1, 2] (Newton and the secants start at 1; the secants' second point is 2),
tolerance 0.001. SciPy has no plain false position, so the chords have no
counterpart. Needs Debian's python3-scipy.

Usage: bench/scipy_bench.py [core_bench]  (default build-bench/bench/core_bench)
Output: one line per method: SciPy's microseconds per solve and iterations,
ours per call of run(), and the ratio SciPy/ours.
"""
import json
import math
import subprocess
import sys
import tempfile
import time
import timeit

from scipy import optimize

K = 1.0
L = 1.0
START, END, TOLERANCE = 1.0, 2.0, 0.001


def f(x):
    return math.cos(L * x) * K


def f_(x):
    return -K * L * math.sin(L * x)


SOLVES = {
    "bisection": lambda: optimize.bisect(f, START, END, xtol=TOLERANCE, full_output=True),
    "tangents": lambda: optimize.newton(f, START, fprime=f_, tol=TOLERANCE, full_output=True),
    "secants": lambda: optimize.newton(f, START, x1=END, tol=TOLERANCE, full_output=True),
}


def seconds_per_solve(solve):
    # CPU time, as core_bench reports it.
    timer = timeit.Timer(solve, timer=time.process_time)
    number, _ = timer.autorange()  # at least 0.2 s per measurement
    return min(timer.repeat(repeat=3, number=number)) / number


def ours_per_call(core_bench):
    """CPU nanoseconds of one call of run() per method, from core_bench."""
    with tempfile.NamedTemporaryFile(suffix=".json") as out:
        subprocess.run(
            [core_bench, "--benchmark_filter=^run/(bisection|tangents|secants)/defaults$",
             "--benchmark_min_time=0.2", f"--benchmark_out={out.name}",
             "--benchmark_out_format=json"],
            check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        results = json.load(open(out.name))["benchmarks"]
    return {r["name"].split("/")[1]: r["cpu_time"] for r in results
            if r.get("run_type") == "iteration" and r["time_unit"] == "ns"}


def main():
    core_bench = sys.argv[1] if len(sys.argv) > 1 else "build-bench/bench/core_bench"
    ours = ours_per_call(core_bench)
    print(f"{'method':10} {'SciPy us/solve':>15} {'iterations':>10} {'ours us/call':>13} "
          f"{'SciPy/ours':>11}")
    for method, solve in SOLVES.items():
        iterations = solve()[1].iterations
        scipy_us = seconds_per_solve(solve) * 1e6
        ours_us = ours[method] / 1000 if method in ours else float("nan")
        print(f"{method:10} {scipy_us:15.2f} {iterations:10d} {ours_us:13.2f} "
              f"{scipy_us / ours_us:11.1f}")


if __name__ == "__main__":
    main()
