// SPDX-License-Identifier: GPL-3.0-or-later
// The "Бассейны" strip of the defaults' detail window: a thousand runs of
// the tangents and of the secants across the function plot's x-range, as the
// window computes them off the interface thread.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>

#include "app/comparison_run.h"
#include "app/job_control.h"
#include "app/method_analysis.h"
#include "app/method_geometry.h"
#include "app/run_verdict.h"
#include "app/start_basins.h"
#include "bench/benchmarks.h"
#include "core/errors.h"
#include "core/method_table.h"
#include "tests/doubles/fake_window.h"

namespace bench {

namespace {

void BenchmarkBasins(benchmark::State& state, std::uint8_t method) {
  doubles::FakeWindow window;
  const std::shared_ptr<const app::RunRecord> run = doubles::RunComparison(window);
  const app::Verdict verdict = app::Analyse(*run, method).verdict;
  const app::PlotRange range =
      app::BuildFunctionPlot(*run, method, app::FoundRoot(verdict.outcome)).range;
  const app::JobControl control;
  std::size_t intervals = 0;
  for (auto _ : state) {
    const app::BasinStrip strip =
        app::ComputeBasins(*run, method, range.left, range.right, app::kBasinStarts, control);
    intervals = strip.intervals.size();
    benchmark::DoNotOptimize(strip.outcome_of_start.data());
  }
  state.counters["starts"] = app::kBasinStarts;
  state.counters["intervals"] = static_cast<double>(intervals);
}

}  // namespace

void RegisterBasinBenchmarks() {
  for (const std::uint8_t method : {core::kTangents, core::kSecants}) {
    const std::string name = std::string("basins/") + std::string(core::EntryOf(method).key);
    benchmark::RegisterBenchmark(name.c_str(), [method](benchmark::State& state) {
      BenchmarkBasins(state, method);
    })->Unit(benchmark::kMillisecond);
  }
}

}  // namespace bench
