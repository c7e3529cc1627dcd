// SPDX-License-Identifier: GPL-3.0-or-later
// Each method's passes in its own formula, with the numbers the method used
// substituted, as a student writes them out in a lab report, and the check
// of the stopping test after each. One writer per method of the method
// table, registered in the table's order in step_writers.cpp: a method added
// to the table adds its writer there (the build fails until it does).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/comparison_run.h"
#include "core/history.h"

namespace app {

// What a writer reads. Row r of a solution is pass r, as in the pass table:
// row 0 holds the starting values, also for a method that records no pass 0
// (bisection tests its starting interval before it forms any point).
class StepContext {
 public:
  StepContext(const RunRecord& run, const core::MethodHistory& history, int digits);

  const core::MethodHistory& History() const { return history_; }
  int Rows() const;

  // The record of row `row`; null for a starting row that no pass records.
  const core::PassRecord* Pass(int row) const;
  // The record before it; null for the first.
  const core::PassRecord* Before(int row) const;

  // The number in the program's number text with the solution's digits; a
  // dash where the method has no value.
  std::string Number(std::optional<double> value) const;
  // The same, bracketed when negative: a term after an operator.
  std::string Term(std::optional<double> value) const;
  // f at x as the method evaluated it (the evaluation is pure, so this is
  // the very value); empty where it raises an error.
  std::optional<double> F(double x) const;
  // f′ at x, as the equation gives it; empty where it raises an error.
  std::optional<double> Slope(double x) const;

  // The check of the stopping test after row `row`, its quantity written as
  // `quantity` ("|f(x₁)|"): "|f(x₁)| = 0,0712628 > 0,001 — продолжаем.";
  // at the last row, why the method stopped there.
  std::string Check(int row, std::string_view quantity) const;

  // How the sign test of a method that keeps a bracket went on the pass of
  // row `row`: the signs of f(a) and f(xₙ), and which end moved to xₙ.
  std::string KeptHalf(int row, double a) const;

  const RunRecord& Run() const { return run_; }

 private:
  const RunRecord& run_;
  const core::MethodHistory& history_;
  int digits_;
  bool starting_row_;
};

using StepWriter = std::vector<std::string> (*)(const StepContext& context, int row);

// The writer of method `method`'s passes.
StepWriter StepWriterOf(std::uint8_t method);

// "x₁₂": a name with a pass number as its subscript.
std::string Subscripted(std::string_view name, std::int32_t n);

}  // namespace app
