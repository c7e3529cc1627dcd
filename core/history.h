// What a method did on its way to the root, pass by pass, so that a student can
// see why one method needs fewer passes than another. The history is written
// by the method itself as it computes, never by a second run, so its last
// approximation is always the root the table shows, before rounding.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace core {

// One line of a history. Pass 0 holds the starting values: the first chord
// point, a for tangents, the two first secant points (x = a, the other = b).
struct PassRecord {
  std::int32_t n = 0;
  // The interval after the pass where the method keeps one (bisection and
  // chords: a and b; secants: the two points the next secant runs through).
  std::optional<double> a;
  std::optional<double> b;
  double x = 0;                // the approximation x_n
  std::optional<double> fx;    // f(x_n); empty where f raises an error at x_n
  std::optional<double> dfx;   // f′(x_n), tangents only
  std::optional<double> step;  // |x_n − x_{n−1}|; empty on pass 0
};

// Evaluations of f and f′: as the formulas ask for them, and as really
// computed (the evaluator remembers values at arguments already met).
struct EvaluationCounts {
  std::int64_t f_asked = 0;
  std::int64_t f_computed = 0;
  std::int64_t df_asked = 0;
  std::int64_t df_computed = 0;
};

// At most one pass beyond the cap, plus the starting values.
inline constexpr std::size_t kMaxHistoryPasses = 5002;

struct MethodHistory {
  std::uint8_t method = 0;  // 1..4, as in the method table
  bool ran = false;         // false: an earlier error stopped the comparison first
  std::vector<PassRecord> passes;
  EvaluationCounts counts;
  std::optional<std::string> error;  // the message of the error the method ended in
};

}  // namespace core
