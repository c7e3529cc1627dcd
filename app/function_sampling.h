// SPDX-License-Identifier: GPL-3.0-or-later
// f sampled for a plot, without any toolkit: the x-range widened to the
// iterates, round tick values for the axes, and f over a range as pieces of
// curve or as a band per pixel column. Points where the program's evaluation
// raises an error break the curve rather than being bridged.
#pragma once

#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace app {

struct PlotPoint {
  double x = 0;
  double y = 0;
};

// The share of a plot's range left free on each side.
inline constexpr double kPlotMargin = 0.05;

// [low - margin, high + margin] within the doubles: near the double limit the
// margin would carry an end to infinity, which no axis can show.
std::pair<double, double> Widened(double low, double high, double margin);

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

}  // namespace app
