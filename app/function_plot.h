// SPDX-License-Identifier: GPL-3.0-or-later
// What the two plots of a detail window draw, computed without any toolkit:
// f sampled over the interval widened to the iterates, the method's geometry
// (tangents, chords, secants), the numbered iterates, and the steps for the
// convergence plot.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "app/comparison_run.h"
#include "app/method_analysis.h"
#include "core/history.h"

namespace app {

struct PlotPoint {
  double x = 0;
  double y = 0;
};

// The x-range of the function plot: [start, end] widened to every iterate
// within ten interval widths of it, with a margin. Iterates beyond that
// (a method running far away) are left out of the range and counted, so that
// the curve near the interval stays readable.
struct PlotRange {
  double left = 0;
  double right = 0;
  int iterates_outside = 0;
};
PlotRange FunctionPlotRange(double start, double end, const std::vector<double>& iterates);

// Tick values for an axis over [low, high]: the whole multiples in it of one
// step of 1, 2 or 5 times a power of ten, about `about` of them. Each is k
// times the step, so 0 is exactly 0 and no tick reads "-0". At most
// 4 * about + 5 of them; none for a range with no finite ends or too narrow
// for the doubles to hold such multiples.
std::vector<double> NiceTicks(double low, double high, int about);

// f at `count` evenly spaced points of [left, right], as pieces of curve.
// `f` returns no value where the program's evaluation raises an error; such
// a point is left out and ends the piece, so the curve never bridges it.
using CurvePiece = std::vector<PlotPoint>;
std::vector<CurvePiece> SampleFunction(const std::function<std::optional<double>(double)>& f,
                                       double left, double right, int count);

// Values of f per pixel column of a band: enough to catch the swing of
// cos(x³) near x = 12, where one period spans about two columns of a plot
// 600 wide.
inline constexpr int kSamplesPerColumn = 16;

// f over [left, right] as a band: the least and the greatest of
// `per_column` + 1 values across each of `columns` columns (a pixel column of
// the plot), drawn at the column's middle. Where f oscillates faster than the
// columns, the band fills the whole swing instead of aliasing into a smooth
// false curve; where f is smooth, low and high coincide and the band is a
// line. `f` returns no value where the program's evaluation raises an error;
// a column with such a point is left out and ends the piece, so the band
// never bridges it.
struct BandPiece {
  std::vector<PlotPoint> low;
  std::vector<PlotPoint> high;
};
std::vector<BandPiece> SampleBand(const std::function<std::optional<double>(double)>& f,
                                  double left, double right, int columns, int per_column);

// Passes past this many draw no geometry and no number: past the first few
// they crowd round the root.
inline constexpr int kDrawnPasses = 12;

struct NumberedIterate {
  std::int32_t n = 0;
  double x = 0;
};

// A chord whose point the absolute value in the chord formula moves: with
// f(a)·f(b) > 0 the chord crosses the axis on one side of a, and the method's
// point lands at the same distance on the other side.
struct ReflectedChord {
  std::int32_t n = 0;
  double crossing = 0;  // where the drawn chord meets the axis
  double landed = 0;    // where the method's formula puts xₙ
};

// The interval that bisection halves on pass n, as a bar under the curve.
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
};

// `found_root`: the run's verdict; `columns`: the plot's width in pixels.
FunctionPlot BuildFunctionPlot(const RunRecord& run, std::uint8_t method, bool found_root,
                               int columns = 600);
// Sets the y-range to the curve and the x-axis, with a margin.
void FitHeight(FunctionPlot& plot);

// The convergence plot of one method: the nonzero errors (or steps) against
// n, and the passes where they were zero (a logarithmic axis cannot draw
// them).
struct StepSeries {
  std::vector<PlotPoint> steps;
  std::vector<std::int32_t> zero_steps;
  bool errors = false;  // |xₙ − x*| against a reference root, not steps
};
StepSeries Steps(const core::MethodHistory& history);
// The errors where the analysis has a reference root, else the steps;
// always the steps when `steps` is set.
StepSeries ConvergenceSeries(const core::MethodHistory& history, const MethodAnalysis& analysis,
                             bool steps);
// The steps of the run's four methods, indexed by method number - 1.
std::array<StepSeries, 4> RunSteps(const RunRecord& run);
// The series of the run's four methods, indexed by method number - 1.
std::array<StepSeries, 4> RunConvergence(const RunRecord& run,
                                         const std::array<MethodAnalysis, 4>& analyses, bool steps);

// The range of the convergence plot's logarithmic axis: whole decades round
// the finite nonzero steps, one more below the smallest for the row of zero
// steps, and always finite and positive (at the double limits the end is the
// largest double or the smallest denormal instead of a decade).
struct StepRange {
  double bottom = 0.1;
  double top = 1;
};
StepRange StepRangeOf(const std::array<StepSeries, 4>& series);

// The passes the convergence plot shows, 0 to `shown`: all of them, unless
// the methods only repeat zero steps long after their last nonzero one (at
// the pass cap), which would squeeze the converging passes into the left edge.
struct ConvergenceExtent {
  std::int32_t shown = 1;
  std::int32_t last = 1;  // the last pass of any method
};
ConvergenceExtent ConvergenceExtentOf(const std::array<StepSeries, 4>& series);

}  // namespace app
