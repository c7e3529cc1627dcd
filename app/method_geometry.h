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

// The tangent, chord or secant of pass n, from its leftmost point to its
// rightmost.
struct ConstructionLine {
  std::int32_t n = 0;
  PlotPoint from;
  PlotPoint to;
};

struct FunctionPlot {
  PlotRange range;
  double bottom = -1;  // the y-range: the curve, the x-axis and any bars
  double top = 1;
  std::vector<BandPiece> curve;
  // Each line is a segment: a tangent from (xₙ₋₁, f(xₙ₋₁)) down to (xₙ, 0),
  // a chord between the interval's ends on to where it meets the axis, a
  // secant through its two points on to (xₙ, 0).
  std::vector<ConstructionLine> lines;
  std::vector<ReflectedChord> reflections;
  std::vector<BracketBar> brackets;
  // Where the bars begin below the curve and how far apart their levels are.
  double bracket_top = 0;
  double bracket_level = 0;
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

// Where the chord through (a, f(a)) and (b, f(b)) meets the axis, and where
// the chord formula puts pass n's point instead, when f has one sign at both
// ends; empty otherwise, or where a value cannot be computed.
std::optional<ReflectedChord> ChordReflection(const RunRecord& run,
                                              const core::MethodHistory& history, std::int32_t n,
                                              double a, double b);

// Everything the plot draws for one pass of the method's history (`index`
// counts its records): its lines, reflection or bar, and its iterate within
// the plot's range. For the passes of BuildFunctionPlot this is what it drew;
// for a later pass, its bar stands one level below the drawn ones.
struct PassDrawing {
  std::int32_t n = 0;
  // One line for most methods; a cobweb's two steps, or the combined
  // method's chord and tangent.
  std::vector<ConstructionLine> lines;
  std::optional<ReflectedChord> reflection;
  std::optional<BracketBar> bracket;
  std::optional<PlotPoint> iterate;  // on the axis, or on y = x in a cobweb
};
PassDrawing DrawPass(const RunRecord& run, std::uint8_t method, const FunctionPlot& plot,
                     std::size_t index);

// Whether the plot, replayed up to pass `at`, draws the line of pass `n`:
// every line up to `at`, but one that the next pass draws again (the first
// chord, which the first pass repeats) only until that pass is drawn.
bool ReplayDrawsLine(const FunctionPlot& plot, std::int32_t n, std::int32_t at);

}  // namespace app
