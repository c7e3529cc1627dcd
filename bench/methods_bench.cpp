// SPDX-License-Identifier: GPL-3.0-or-later
// One call of run() per method, on the design defaults and with the precision
// text "-1", which no stopping test can meet: bisection, chords and tangents
// then make their 5001, 5000 and 5000 passes. The secants settle after a few
// passes and, with two coinciding approximations, end in 0 / 0, an invalid
// operation; that case is timed up to the fault and labelled so.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <utility>

#include "bench/benchmarks.h"
#include "bench/input_cases.h"
#include "core/errors.h"
#include "core/method_table.h"
#include "core/root_finding.h"
#include "tests/doubles/fake_host.h"

namespace bench {

namespace {

struct Outcome {
  std::int32_t passes = 0;  // loop passes of a completed call
  std::int64_t reads = 0;   // evaluations of f and f_ the method asked for
  std::string fault;        // the error message when the call ended in one
};

Outcome RunOnce(core::Method method, const InputCase& input_case) {
  doubles::FakeHost host(0, input_case.precision_text);
  Outcome outcome;
  double root = 0;
  try {
    outcome.passes =
        core::run(host, kDesignCoefficients, method, root, kStart, input_case.precision, kEnd) - 1;
  } catch (const core::EMathError& error) {
    outcome.fault = error.Message();
  }
  outcome.reads = host.equation_reads;
  return outcome;
}

// A call that ends in a fault returns no count. Every evaluation of these
// methods is made inside their loop, so the passes begun (the faulting one
// included) follow from the evaluations, at the rate the defaults show.
std::int64_t PassesBegun(core::Method method, const Outcome& faulted) {
  const Outcome calibration = RunOnce(method, kDefaults);
  const double reads_per_pass = static_cast<double>(calibration.reads) / calibration.passes;
  return std::llround(std::ceil(static_cast<double>(faulted.reads) / reads_per_pass));
}

void BenchmarkRun(benchmark::State& state, core::Method method, const InputCase& input_case) {
  doubles::FakeHost host(0, input_case.precision_text);
  for (auto _ : state) {
    double root = 0;
    try {
      benchmark::DoNotOptimize(
          core::run(host, kDesignCoefficients, method, root, kStart, input_case.precision, kEnd));
    } catch (const core::EMathError&) {
      // Reported once, below, from a separate call.
    }
    benchmark::DoNotOptimize(std::as_const(root));
  }
  const Outcome outcome = RunOnce(method, input_case);
  const double passes = outcome.fault.empty() ? static_cast<double>(outcome.passes)
                                              : static_cast<double>(PassesBegun(method, outcome));
  if (!outcome.fault.empty()) state.SetLabel("ends in: " + outcome.fault);
  state.counters[kPassesCounter] = passes;
  state.counters[kEvaluationsCounter] = static_cast<double>(outcome.reads);
  state.counters["pass_rate"] =
      benchmark::Counter(passes, benchmark::Counter::kIsIterationInvariantRate);
}

// The combined method's condition fails on the design's equation (f″ = −cos x
// changes sign on [1, 2]), so it runs nothing there. On cos x − x over
// [0, 1] the condition holds: it runs to the cap beside the tangents and
// simple iteration on the same inputs.
void BenchmarkWhereTheConditionHolds(benchmark::State& state, core::Method method) {
  doubles::FakeHost host(3, kCaps.precision_text);
  const core::Coefficients coefficients{1, 0};
  std::int32_t count = 0;
  for (auto _ : state) {
    double root = 0;
    count = core::run(host, coefficients, method, root, 0, kCaps.precision, 1);
    benchmark::DoNotOptimize(std::as_const(root));
  }
  state.counters[kPassesCounter] = count - 1;
  state.counters["pass_rate"] =
      benchmark::Counter(count - 1, benchmark::Counter::kIsIterationInvariantRate);
}

}  // namespace

void RegisterMethodBenchmarks() {
  for (const core::Method method : {core::kTangents, core::kSimpleIteration, core::kCombined}) {
    const std::string name =
        "run/" + std::string(core::EntryOf(method).key) + "/caps_cos_x_minus_x";
    benchmark::RegisterBenchmark(name.c_str(), [method](benchmark::State& state) {
      BenchmarkWhereTheConditionHolds(state, method);
    });
  }
  // The frame alone: a method number that names no method runs only the
  // message processing and the rounding, the fixed cost of every call.
  benchmark::RegisterBenchmark("run/frame/defaults", [](benchmark::State& state) {
    doubles::FakeHost host(0, kDefaults.precision_text);
    for (auto _ : state) {
      double root = 1.5707963267948966;
      benchmark::DoNotOptimize(
          core::run(host, kDesignCoefficients, 0, root, kStart, kDefaults.precision, kEnd));
      benchmark::DoNotOptimize(std::as_const(root));
    }
  });
  for (const InputCase* input_case : {&kDefaults, &kCaps}) {
    for (const core::MethodEntry& method : core::kMethods) {
      const std::string name = "run/" + std::string(method.key) + "/" + input_case->name;
      benchmark::RegisterBenchmark(name.c_str(), [&method, input_case](benchmark::State& state) {
        BenchmarkRun(state, method.number, *input_case);
      });
    }
  }
}

}  // namespace bench
