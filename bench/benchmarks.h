// SPDX-License-Identifier: GPL-3.0-or-later
// The groups of benchmarks in core_bench, registered by main() in this order,
// and the summary that pairs their results once they have run.
#pragma once

namespace bench {

// The floor (glibc's extended and double sine and cosine), then f and f_ of
// each of the ten equations: "floor/<function>", "f/<index>", "f_/<index>".
void RegisterEquationBenchmarks();

// One call of run() per method and input case: "run/<method>/<case>".
void RegisterMethodBenchmarks();

// GSL's four solvers on the same problems: "gsl/<method>/<case>" with the
// equation written in double, "gsl_our_f/<method>/<case>" with our f and f_.
void RegisterGslBenchmarks();

// The whole comparison run: "comparison_run/<case>".
void RegisterComparisonRunBenchmarks();

// The basins strip of the defaults' detail window, tangents and secants.
void RegisterBasinBenchmarks();

// Chains of 1,000 characters: solved on [1, 2] as the command line does,
// "formula/solve/<chain>", and one evaluation of f and f′,
// "typed_f/<chain>", "typed_f_/<chain>".
void RegisterFormulaBenchmarks();

// Counter names shared by the groups and the summary.
inline constexpr const char* kPassesCounter = "passes";
inline constexpr const char* kEvaluationsCounter = "f_calls";

}  // namespace bench
