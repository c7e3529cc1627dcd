// SPDX-License-Identifier: GPL-3.0-or-later
// What a method did on its way to the root, pass by pass, so that a student can
// see why one method needs fewer passes than another. The history is written
// by the method itself as it computes, never by a second run, so its last
// approximation is always the root the table shows, before rounding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace core {

namespace expression {
class Formula;
}

// One line of a history, written when the method forms x_n. Pass 0 holds the
// starting values: the first chord point, a for tangents, the start for the
// secants. Bisection begins at pass 1; only when the interval is already
// within the precision does it record its midpoint as pass 0.
struct PassRecord {
  std::int32_t n = 0;
  // The evaluations of f and f′ computed (not remembered) before x_n was
  // formed: the work that bought x_n, which the comparison at equal
  // accuracy counts. It fits beside n, so a line stays 96 bytes.
  std::int32_t computed = 0;
  // The ends after the pass where the method keeps them: the interval for
  // bisection and chords, the two points the next secant runs through (a is
  // x_n itself) for the secants. So the chord or secant that gives x_{n+1}
  // runs through the ends of pass n; the first chord through those of pass 0.
  // Empty for tangents, and where the pass ended in an error before them.
  std::optional<double> a;
  std::optional<double> b;
  double x = 0;  // the approximation x_n
  // f(x_n), as the method evaluated it; when the method never asked for it
  // (its last approximation, at times) it is computed once for the history,
  // and left empty where f raises an error there.
  std::optional<double> fx;
  // f′(x_n), tangents only, where the method asked for it: every pass but the
  // last.
  std::optional<double> dfx;
  // |x_n − x_{n−1}|; empty on the first line, and beyond the double range.
  std::optional<double> step;
};
// The memory of a history at the cap is counted in lines of this size.
static_assert(sizeof(PassRecord) == 96, "a pass line stays 96 bytes");

// Evaluations of f and f′: as the formulas ask for them, and as really
// computed (the evaluator remembers values at arguments already met). The
// values computed only for the history are not counted.
struct EvaluationCounts {
  std::int64_t f_asked = 0;
  std::int64_t f_computed = 0;
  std::int64_t df_asked = 0;
  std::int64_t df_computed = 0;
};

// The most lines a history can hold: bisection may pass the cap by one, and
// the others add a line for their starting values.
inline constexpr std::size_t kMaxHistoryPasses = 5002;

// What a method settled before its first pass, where it settles anything:
// the bound its stopping test compared with, when that is not the
// precision, and for simple iteration the λ, M and q it found on the grid
// of [start, end] (core/simple_iteration.h).
struct MethodSetup {
  std::optional<double> tolerance;      // empty: the precision itself
  std::optional<double> lambda;         // φ(x) = x − λ·f(x); empty for a typed φ
  std::optional<double> largest_slope;  // M = max |f′| on the grid, where λ was taken from it
  std::optional<double> contraction;    // q = max |φ′| on the grid; empty where none was found
};

// Why a method with a condition of its own refused to run (the combined
// method: f must change sign between the ends, and f′ and f″ keep theirs).
struct ConditionFailure {
  enum class Kind : std::uint8_t {
    kNoSignChange,          // f(start) and f(end) have the same sign, or one is 0
    kSlopeChangesSign,      // f′ is 0 or changes sign at x
    kCurvatureChangesSign,  // f″ is 0 or changes sign at x
    kUndefined,             // f, f′ or f″ raises an error at x
  };
  Kind kind = Kind::kNoSignChange;
  double x = 0;
};

struct MethodHistory {
  std::uint8_t method = 0;  // a number of the method table
  bool ran = false;         // false: an earlier error stopped the comparison first

  // The inputs the method read: the equation it solved (read before every
  // evaluation, the same one throughout), start, precision and end.
  std::uint8_t equation = 0;
  // The typed formula it solved instead, when it solved one; then `equation`
  // means nothing.
  std::shared_ptr<const expression::Formula> formula;
  double start = 0;
  double precision = 0;
  double end = 0;

  std::vector<PassRecord> passes;  // capacity never beyond kMaxHistoryPasses
  EvaluationCounts counts;

  // The outcome as the results table shows it: the iteration count and the
  // rounded root, or the message of the error the method ended in (which may
  // come from the rounding, after a complete history).
  std::optional<std::int32_t> count;
  std::optional<double> root;
  std::optional<std::string> error;

  MethodSetup setup;
  // Set where the method's condition failed: it ran no pass, its count is 0
  // and the root variable kept its value.
  std::optional<ConditionFailure> refusal;
};

}  // namespace core
