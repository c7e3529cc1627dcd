// SPDX-License-Identifier: GPL-3.0-or-later
// What the function plot of a detail window draws, computed without any
// toolkit: f over the interval widened to the iterates, the construction of
// the method (tangents, chords, secants, halved intervals) for its first
// passes, the numbered iterates, and the root or the last point.
#pragma once

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "app/comparison_run.h"
#include "app/function_sampling.h"

namespace app {

// Passes past this many draw no geometry and no number: past the first few
// they crowd round the root.
inline constexpr int kDrawnPasses = 12;

struct NumberedIterate {
  std::int32_t n = 0;
  double x = 0;
  double y = 0;  // on the axis; on the diagonal y = x in a cobweb
};

// A chord whose point the absolute value in the chord formula moves: with
// f(a)·f(b) > 0 the chord crosses the axis on one side of a, and the method's
// point lands at the same distance on the other side.
struct ReflectedChord {
  std::int32_t n = 0;
  double crossing = 0;  // where the drawn chord meets the axis
  double landed = 0;    // where the method's formula puts xₙ
};

// The interval that a halving method halves on pass n, as a bar under the
// curve.
struct BracketBar {
  std::int32_t n = 0;
  double left = 0;
  double right = 0;
  double y = 0;
};

struct FunctionPlot {
  PlotRange range;
  double bottom = -1;  // the y-range: the curve, the x-axis and any bars
  double top = 1;
  std::vector<BandPiece> curve;
  // Each line is a segment: a tangent from (xₙ₋₁, f(xₙ₋₁)) down to (xₙ, 0),
  // a chord between the interval's ends on to where it meets the axis, a
  // secant through its two points on to (xₙ, 0).
  std::vector<std::pair<PlotPoint, PlotPoint>> lines;
  std::vector<ReflectedChord> reflections;
  std::vector<BracketBar> brackets;
  std::vector<NumberedIterate> iterates;  // within the range, the first kDrawnPasses
  // The last approximation: a root where the run found one, otherwise the
  // point (xₙ, f(xₙ)) for what it is.
  std::optional<double> root;
  std::optional<PlotPoint> last_point;
  // Simple iteration draws on y = φ(x) rather than f: the curve is φ, the
  // diagonal y = x crosses the range, and the lines are the cobweb's steps
  // (xₙ, xₙ) → (xₙ, xₙ₊₁) → (xₙ₊₁, xₙ₊₁): a staircase where the iterates
  // come from one side, a spiral where they alternate round the root.
  bool cobweb = false;
  bool spiral = false;
  // The combined method: a tangent and a chord a pass, the bracket between.
  bool two_sided = false;
};

// `found_root`: the run's verdict; `columns`: the plot's width in pixels.
FunctionPlot BuildFunctionPlot(const RunRecord& run, std::uint8_t method, bool found_root,
                               int columns = 600);
// Sets the y-range to the curve and the x-axis, with a margin.
void FitHeight(FunctionPlot& plot);

}  // namespace app
