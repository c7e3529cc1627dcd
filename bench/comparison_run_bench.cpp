// SPDX-License-Identifier: GPL-3.0-or-later
// The whole compute command over an in-memory table: reading the inputs, the
// four methods, writing and sorting the table. With the precision text "-1"
// bisection, chords and tangents run to their caps and the secants end the
// command in an invalid operation, as they do in the program. The verdicts
// of the methods that ran are part of it (the table marks the values that
// are no root); painting is not.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <utility>

#include "app/comparison_run.h"
#include "app/method_analysis.h"
#include "bench/benchmarks.h"
#include "bench/input_cases.h"
#include "core/errors.h"
#include "tests/doubles/fake_window.h"

namespace bench {

namespace {

void BenchmarkComparisonRun(benchmark::State& state, const InputCase& input_case) {
  doubles::FakeWindow window;
  window.SetInput(app::Input::kPrecision, input_case.precision_text);
  app::SharedState shared;
  app::ComparisonRun command;
  std::string fault;
  for (auto _ : state) {
    try {
      command.Execute(window, shared);
    } catch (const core::Exception& error) {
      fault = error.Message();
    }
    benchmark::DoNotOptimize(std::as_const(shared.root));
  }
  state.SetLabel(fault.empty() ? window.status : "ends in: " + fault);
  // The evaluations of one run, from its record: asked for, and computed.
  std::int64_t asked = 0;
  std::int64_t computed = 0;
  for (const core::MethodHistory& history : command.LastRun()->methods) {
    asked += history.counts.f_asked + history.counts.df_asked;
    computed += history.counts.f_computed + history.counts.df_computed;
  }
  state.counters[kEvaluationsCounter] = static_cast<double>(asked);
  state.counters["computed"] = static_cast<double>(computed);
}

// What a detail window works out when it opens, for all four methods of the
// run: verdicts, reference roots, per-pass measures. Never part of the run.
void BenchmarkRunAnalysis(benchmark::State& state, const InputCase& input_case) {
  doubles::FakeWindow window;
  window.SetInput(app::Input::kPrecision, input_case.precision_text);
  const std::shared_ptr<const app::RunRecord> run = doubles::RunComparison(window);
  for (auto _ : state) benchmark::DoNotOptimize(app::AnalyseRun(*run));
}

}  // namespace

void RegisterComparisonRunBenchmarks() {
  for (const InputCase* input_case : {&kDefaults, &kCaps}) {
    const std::string name = std::string("comparison_run/") + input_case->name;
    benchmark::RegisterBenchmark(name.c_str(), [input_case](benchmark::State& state) {
      BenchmarkComparisonRun(state, *input_case);
    })->Unit(benchmark::kMicrosecond);
    const std::string analysis = std::string("window_analysis/") + input_case->name;
    benchmark::RegisterBenchmark(analysis.c_str(), [input_case](benchmark::State& state) {
      BenchmarkRunAnalysis(state, *input_case);
    })->Unit(benchmark::kMicrosecond);
  }
}

}  // namespace bench
