// SPDX-License-Identifier: GPL-3.0-or-later
// core_bench: the numerical core beside GSL, and the whole comparison run.
// The usual Google Benchmark table comes first; a summary follows that turns
// the figures into what the targets speak of: nanoseconds per method pass,
// against the evaluations a pass needs and against GSL's solvers.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/number_text.h"
#include "bench/benchmarks.h"
#include "core/floating_point_environment.h"
#include "core/method_table.h"

namespace bench {

namespace {

struct Result {
  double cpu_ns = 0;  // per benchmark iteration (one call, one solve, one run)
  double passes = 0;
};

// Prints the usual table and keeps every result for the summary. Repeated
// runs of one benchmark are averaged.
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  // Colours only on a terminal: a display reporter of one's own does not
  // follow --benchmark_color.
  SummaryReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
      Accumulated& total = totals_[run.benchmark_name()];
      total.cpu_ns +=
          run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e9;
      const auto passes = run.counters.find(kPassesCounter);
      if (passes != run.counters.end()) total.passes += passes->second.value;
      ++total.runs;
    }
    ConsoleReporter::ReportRuns(runs);
  }

  std::optional<Result> Find(const std::string& name) const {
    const auto found = totals_.find(name);
    if (found == totals_.end()) return std::nullopt;
    const Accumulated& total = found->second;
    return Result{total.cpu_ns / total.runs, total.passes / total.runs};
  }

 private:
  struct Accumulated {
    double cpu_ns = 0;
    double passes = 0;
    int runs = 0;
  };
  std::map<std::string, Accumulated> totals_;
};

std::optional<double> NanosecondsPerPass(const SummaryReporter& results, const std::string& name) {
  const std::optional<Result> result = results.Find(name);
  if (!result || result->passes <= 0) return std::nullopt;
  return result->cpu_ns / result->passes;
}

std::string Figure(std::optional<double> value, const char* format = "%.1f") {
  if (!value) return "n/a";
  char text[32];
  std::snprintf(text, sizeof text, format, *value);
  return text;
}

std::optional<double> Ratio(std::optional<double> numerator, std::optional<double> denominator) {
  if (!numerator || !denominator || *denominator <= 0) return std::nullopt;
  return *numerator / *denominator;
}

std::optional<double> Nanoseconds(const SummaryReporter& results, const std::string& name) {
  const std::optional<Result> result = results.Find(name);
  if (!result) return std::nullopt;
  return result->cpu_ns;
}

// The evaluations a call really needs, each at a new argument: one f per
// pass, one f_ more per pass for tangents, and the values the method needs
// before its first pass or for its last test (f(a) for bisection, f(a) and
// f(b) for the first chord, the last test of tangents, f(b) for the first
// secant). Priced at the measured f and f_ of the default equation.
std::optional<double> NeededPerCall(const SummaryReporter& results, const core::MethodEntry& method,
                                    double passes) {
  const std::optional<double> f = Nanoseconds(results, "f/0");
  const std::optional<double> derivative = Nanoseconds(results, "f_/0");
  if (!f || !derivative) return std::nullopt;
  const double extra = method.construction == core::Construction::kChord ? 2 : 1;
  const double derivatives = method.uses_derivative ? passes : 0;
  return *f * (passes + extra) + *derivative * derivatives;
}

void PrintFloor(const SummaryReporter& results) {
  std::printf("\nSummary (CPU time)\n");
  std::printf("One evaluation, ns: sinl %s, cosl %s, sin %s; f of equation 0 %s, f_ %s\n",
              Figure(Nanoseconds(results, "floor/sinl")).c_str(),
              Figure(Nanoseconds(results, "floor/cosl")).c_str(),
              Figure(Nanoseconds(results, "floor/sin")).c_str(),
              Figure(Nanoseconds(results, "f/0")).c_str(),
              Figure(Nanoseconds(results, "f_/0")).c_str());
  std::printf("Fixed cost of one call of run (messages, rounding), ns: %s\n",
              Figure(Nanoseconds(results, "run/frame/defaults")).c_str());
}

void PrintPerPass(const SummaryReporter& results) {
  std::printf(
      "\nPer method pass, ns; \"needed\" prices the evaluations at new arguments"
      " (target: ours/needed <= 1.3)\n");
  std::printf("%-10s %-9s %7s %9s %9s %11s %9s %9s %11s %14s\n", "method", "case", "passes", "ours",
              "needed", "ours/needed", "GSL", "ours/GSL", "GSL+our f", "ours/GSL+our f");
  for (const char* input_case : {"defaults", "caps"}) {
    for (const core::MethodEntry& entry : core::kMethods) {
      const std::string method(entry.key);
      const std::string suffix = method + "/" + input_case;
      const std::optional<Result> ours_result = results.Find("run/" + suffix);
      const std::optional<double> ours = NanosecondsPerPass(results, "run/" + suffix);
      std::optional<double> needed;
      if (ours_result && ours_result->passes > 0) {
        const std::optional<double> per_call = NeededPerCall(results, entry, ours_result->passes);
        if (per_call) needed = *per_call / ours_result->passes;
      }
      const std::optional<double> gsl = NanosecondsPerPass(results, "gsl/" + suffix);
      const std::optional<double> gsl_our_f = NanosecondsPerPass(results, "gsl_our_f/" + suffix);
      std::printf("%-10s %-9s %7s %9s %9s %11s %9s %9s %11s %14s\n", method.c_str(), input_case,
                  ours_result ? Figure(ours_result->passes, "%.0f").c_str() : "n/a",
                  Figure(ours).c_str(), Figure(needed).c_str(),
                  Figure(Ratio(ours, needed), "%.2f").c_str(), Figure(gsl).c_str(),
                  Figure(Ratio(ours, gsl), "%.2f").c_str(), Figure(gsl_our_f).c_str(),
                  Figure(Ratio(ours, gsl_our_f), "%.2f").c_str());
    }
  }
  std::printf(
      "At the caps the approximations stop moving after a few dozen passes, and a value"
      " at an argument already met is reused: those passes cost less than one evaluation."
      "\n");
}

void PrintComparisonRun(const SummaryReporter& results) {
  const auto milliseconds = [&](const char* name) {
    const std::optional<double> ns = Nanoseconds(results, name);
    return Figure(ns ? std::optional<double>(*ns / 1e6) : std::nullopt, "%.3f");
  };
  std::printf(
      "\nComparison run, ms: defaults %s, caps %s with histories recorded (target for caps: < "
      "1.5)\n",
      milliseconds("comparison_run/defaults").c_str(), milliseconds("comparison_run/caps").c_str());
}

}  // namespace

}  // namespace bench

int main(int argc, char** argv) {
  // As the program does at start-up: the arithmetic's environment and the
  // decimal separator of the design texts.
  core::EstablishFloatingPointEnvironment();
  app::SetDecimalSeparator(",");

  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  bench::RegisterEquationBenchmarks();
  bench::RegisterMethodBenchmarks();
  bench::RegisterGslBenchmarks();
  bench::RegisterComparisonRunBenchmarks();
  bench::RegisterBasinBenchmarks();
  bench::RegisterFormulaBenchmarks();

  bench::SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  bench::PrintFloor(reporter);
  bench::PrintPerPass(reporter);
  bench::PrintComparisonRun(reporter);
  benchmark::Shutdown();
  return 0;
}
