// SPDX-License-Identifier: GPL-3.0-or-later
// The selected equation as the root-finding methods evaluate it: f and f_ at a
// point, each reading the selected equation from the host first.
//
// f and f_ are pure, and no window message is processed while a method runs,
// so the value at an argument already met in the same method is remembered
// rather than computed again. The methods can then be written exactly as
// their formulas, evaluating f(a) as often as the formula does, and still pay
// for only one new evaluation per pass: the sine and cosine dominate their
// cost.
//
// Every evaluation of a method passes through here, so the evaluator also
// keeps the method's history when given one: the method reports each
// approximation as it forms it (Record) and the ends it keeps (RecordEnds),
// and the values of f and f_ that the method itself asks for at that
// approximation are written beside it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "core/equation_source.h"
#include "core/equations.h"
#include "core/history.h"
#include "core/root_finding.h"

namespace core {

class Evaluator {
 public:
  // `history`, when given, receives the passes and the evaluation counts; it
  // must outlive the evaluator.
  Evaluator(const RootFindingHost& host, const Coefficients& coefficients,
            MethodHistory* history = nullptr)
      : host_(host), coefficients_(coefficients), history_(history) {}

  double f(double x);
  double f_(double x);
  // φ(x) of a typed φ for simple iteration, counted as an evaluation of f:
  // it is the one function that method evaluates a pass.
  double Phi(const expression::Formula& phi, double x);

  // What the methods solve and the coefficients, for a method that checks
  // its condition on [start, end] before its first pass. Read from the host
  // as every evaluation reads it; nothing is counted or remembered.
  EquationSource Source() const { return host_.SelectedSource(); }
  const Coefficients& CoefficientsInUse() const { return coefficients_; }

  // Values of f and f_ computed so far, as opposed to remembered.
  std::int64_t Computed() const { return counts_.f_computed + counts_.df_computed; }
  const EvaluationCounts& Counts() const { return counts_; }

  // The method has just formed x_n, its approximation of pass n.
  void Record(std::int32_t n, double x) {
    if (history_ != nullptr) AddPass(n, x);
  }
  // The ends the method keeps after the pass (see PassRecord).
  void RecordEnds(double a, double b) {
    if (history_ != nullptr) SetEnds(a, b);
  }
  // What the method settled before its first pass.
  void RecordSetup(const MethodSetup& setup) {
    if (history_ != nullptr) history_->setup = setup;
  }
  // After the method, faulted or not: f at the last approximation if the
  // method never asked for it, and the counts. Never raises an error.
  void FinishHistory();

 private:
  // The values at the latest arguments met, most recently used first.
  class RecentValues {
   public:
    const double* Find(const EquationSource& source, std::uint64_t x_bits);
    void Add(const EquationSource& source, std::uint64_t x_bits, double value);

   private:
    struct Value {
      std::uint8_t equation;
      const void* formula;   // identity only: the source outlives the method
      std::uint64_t x_bits;  // bits, not ==: f(-0) and f(+0) may differ in sign
      double value;
    };
    // The two ends of an interval and the latest point cover every method.
    static constexpr std::size_t kRemembered = 3;
    std::array<Value, kRemembered> recent_{};
    std::size_t remembered_ = 0;
  };

  // f, or f_ when `derivative`.
  double Evaluate(bool derivative, RecentValues& values, std::int64_t& computed, double x);
  void AddPass(std::int32_t n, double x);
  void SetEnds(double a, double b);
  // Writes a value the method asked for at the latest approximation beside it.
  void NoteValue(std::optional<double> PassRecord::*field, double x, double value);

  const RootFindingHost& host_;
  const Coefficients& coefficients_;
  MethodHistory* history_;
  RecentValues f_values_;
  RecentValues derivative_values_;
  EvaluationCounts counts_;
  std::optional<EquationSource> source_;  // the one read before the latest evaluation
};

}  // namespace core
