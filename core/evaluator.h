// The selected equation as the root-finding methods evaluate it: f and f_ at a
// point, each reading the selected equation from the host first.
//
// f is pure, and no window message is processed while a method runs, so the
// value at an argument already met in the same method is remembered rather
// than computed again. The methods can then be written exactly as their
// formulas, evaluating f(a) as often as the formula does, and still pay for
// only one new evaluation per pass: the sine and cosine dominate their cost.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "core/equations.h"
#include "core/root_finding.h"

namespace core {

class Evaluator {
 public:
  Evaluator(const RootFindingHost& host, const Coefficients& coefficients)
      : host_(host), coefficients_(coefficients) {}

  double f(double x);
  double f_(double x);

  // Values of f and f_ computed so far, as opposed to remembered.
  std::int64_t Computed() const { return computed_; }

 private:
  struct Value {
    std::uint8_t equation;
    std::uint64_t x_bits;  // bits, not ==: f(-0) and f(+0) may differ in sign
    double f;
  };
  // The two ends of an interval and the latest point cover every method.
  static constexpr std::size_t kRemembered = 3;

  const RootFindingHost& host_;
  const Coefficients& coefficients_;
  std::array<Value, kRemembered> recent_{};  // most recently used first
  std::size_t remembered_ = 0;
  std::int64_t computed_ = 0;
};

}  // namespace core
