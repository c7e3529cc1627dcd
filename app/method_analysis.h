// SPDX-License-Identifier: GPL-3.0-or-later
// Everything the detail window says about a method beyond the history
// itself: the verdict, the reference root, the per-pass measures and the
// order of convergence with its reason. Computed once when a window opens,
// never during the comparison run, which must stay fast.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "app/comparison_run.h"
#include "app/pass_measures.h"
#include "app/run_verdict.h"
#include "core/method_table.h"

namespace app {

struct MethodAnalysis {
  Verdict verdict;
  // Only where the run found a simple root with a sign change round it.
  std::optional<long double> reference;
  PassMeasures measures;
  // The order shown: the latest qₙ, when it belongs to one of the last two
  // passes of a run that found a root.
  std::optional<double> order;
};

MethodAnalysis Analyse(const RunRecord& run, std::uint8_t method);
// Every method of the table; those the run did not run as not run.
using RunAnalyses = core::PerMethod<MethodAnalysis>;
RunAnalyses AnalyseRun(const RunRecord& run);

// Why there is no reference root (empty where there is one): the error column
// then falls back to steps.
std::string ReferenceText(const MethodAnalysis& analysis);

// The order, or why none is given, with what to expect of the method.
std::string OrderText(const MethodAnalysis& analysis);

}  // namespace app
