// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/function_plot.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>

#include "app/method_report.h"
#include "core/root_finding.h"

namespace app {

namespace {

constexpr double kReach = 10;     // interval widths an iterate may lie away
constexpr double kMargin = 0.05;  // of the range, on each side
// Zero steps beyond the last nonzero one that the convergence plot still shows.
constexpr std::int32_t kTrailingZeroSteps = 10;
constexpr double kLargest = std::numeric_limits<double>::max();
constexpr double kSmallest = std::numeric_limits<double>::denorm_min();

// [low - margin, high + margin] within the doubles: near the double limit the
// margin would carry an end to infinity, which no axis can show.
std::pair<double, double> Widened(double low, double high, double margin) {
  return {std::clamp(low - margin, -kLargest, kLargest),
          std::clamp(high + margin, -kLargest, kLargest)};
}

// A straight segment through the given points (collinear by construction),
// from the leftmost to the rightmost.
std::pair<PlotPoint, PlotPoint> Span(std::initializer_list<PlotPoint> points) {
  const auto [left, right] = std::minmax_element(
      points.begin(), points.end(), [](PlotPoint p, PlotPoint q) { return p.x < q.x; });
  return {*left, *right};
}

// The segment of pass `index` of the history, when the method draws one and
// the values it needs can be computed.
std::optional<std::pair<PlotPoint, PlotPoint>> MethodLine(const RunRecord& run,
                                                          const core::MethodHistory& history,
                                                          std::size_t index) {
  const std::uint8_t method = history.method;
  const std::vector<core::PassRecord>& passes = history.passes;
  const core::PassRecord& pass = passes[index];
  const core::PassRecord* previous = index > 0 ? &passes[index - 1] : nullptr;
  if (method == core::kTangents) {
    if (previous == nullptr || !previous->fx) return std::nullopt;
    return Span({{previous->x, *previous->fx}, {pass.x, 0}});
  }
  if (method != core::kChords && method != core::kSecants) return std::nullopt;
  // The chord or secant that gives xₙ runs through the ends of pass n − 1; the
  // first chord through the start and the end.
  double a = history.start;
  double b = history.end;
  if (previous != nullptr) {
    if (!previous->a || !previous->b) return std::nullopt;
    a = *previous->a;
    b = *previous->b;
  } else if (method == core::kSecants) {
    return std::nullopt;
  }
  const std::optional<double> fa = EvaluateF(run, history, a);
  const std::optional<double> fb = EvaluateF(run, history, b);
  if (!fa || !fb) return std::nullopt;
  if (method == core::kChords) return Span({{a, *fa}, {b, *fb}});
  return Span({{a, *fa}, {b, *fb}, {pass.x, 0}});
}

}  // namespace

PlotRange FunctionPlotRange(double start, double end, const std::vector<double>& iterates) {
  double lowest = std::min(start, end);
  double highest = std::max(start, end);
  double width = highest - lowest;
  if (!(width > 0) || !std::isfinite(width)) width = std::max(1.0, std::fabs(lowest));
  const double reach_left = lowest - kReach * width;
  const double reach_right = highest + kReach * width;
  PlotRange range;
  for (const double x : iterates) {
    if (std::isfinite(x) && x >= reach_left && x <= reach_right) {
      lowest = std::min(lowest, x);
      highest = std::max(highest, x);
    } else {
      ++range.iterates_outside;
    }
  }
  const double margin = highest > lowest ? kMargin * (highest - lowest) : 0.5 * width;
  std::tie(range.left, range.right) = Widened(lowest, highest, margin);
  return range;
}

std::vector<double> NiceTicks(double low, double high, int about) {
  about = std::max(about, 1);
  if (!std::isfinite(low) || !std::isfinite(high) || !(high > low)) return {};
  // Each end divided first: the width of a range across most of the doubles
  // overflows.
  double rough = high / about - low / about;
  if (!std::isfinite(rough)) rough = kLargest;
  // Below the smallest denormal a power of ten is zero; no step is smaller.
  const double decade = std::max(std::pow(10.0, std::floor(std::log10(rough))), kSmallest);
  const double step = rough >= 5 * decade ? 5 * decade : rough >= 2 * decade ? 2 * decade : decade;
  const double first = std::ceil(low / step);
  const double last = std::floor(high / step);
  // In a range a few units in the last place wide, the multiples of the step
  // are beyond 2⁵³ steps from 0: the doubles cannot tell them apart, and
  // counting them one by one would never end.
  constexpr double kWholeLimit = 0x1p53;
  if (!(std::fabs(first) < kWholeLimit && std::fabs(last) < kWholeLimit) || last < first ||
      last - first > 4.0 * about + 4)
    return {};
  std::vector<double> ticks;
  for (double k = first; k <= last; ++k) {
    // k + 0 makes a k of -0 (the ceiling of a small negative) +0.
    const double tick = (k + 0.0) * step;
    if (tick >= low && tick <= high) ticks.push_back(tick);
  }
  return ticks;
}

std::vector<CurvePiece> SampleFunction(const std::function<std::optional<double>(double)>& f,
                                       double left, double right, int count) {
  std::vector<CurvePiece> pieces(1);
  for (int i = 0; i < count; ++i) {
    const double t = count > 1 ? static_cast<double>(i) / (count - 1) : 0.0;
    const double x = left + t * (right - left);
    const std::optional<double> y = f(x);
    if (y && std::isfinite(*y)) {
      pieces.back().push_back({x, *y});
    } else if (!pieces.back().empty()) {
      pieces.emplace_back();
    }
  }
  if (pieces.back().empty()) pieces.pop_back();
  return pieces;
}

FunctionPlot BuildFunctionPlot(const RunRecord& run, std::uint8_t method, int samples) {
  const core::MethodHistory& history = run.methods.at(static_cast<std::size_t>(method - 1));
  const std::vector<core::PassRecord>& passes = history.passes;
  std::vector<double> xs;
  for (const core::PassRecord& pass : passes) xs.push_back(pass.x);

  FunctionPlot plot;
  plot.range = FunctionPlotRange(history.start, history.end, xs);
  plot.curve = SampleFunction([&run, &history](double x) { return EvaluateF(run, history, x); },
                              plot.range.left, plot.range.right, samples);
  if (!passes.empty()) plot.root = passes.back().x;

  const auto in_range = [&plot](double x) { return x >= plot.range.left && x <= plot.range.right; };
  const std::size_t drawn = std::min(passes.size(), static_cast<std::size_t>(kDrawnPasses));
  for (std::size_t i = 0; i < drawn; ++i) {
    if (in_range(passes[i].x)) plot.iterates.push_back({passes[i].n, passes[i].x});
    if (auto line = MethodLine(run, history, i)) plot.lines.push_back(*line);
  }

  FitHeight(plot);
  return plot;
}

void FitHeight(FunctionPlot& plot) {
  plot.bottom = 0;
  plot.top = 0;
  for (const CurvePiece& piece : plot.curve) {
    for (const PlotPoint& point : piece) {
      plot.bottom = std::min(plot.bottom, point.y);
      plot.top = std::max(plot.top, point.y);
    }
  }
  // Halves first: the height of a curve spanning most of the doubles overflows.
  const double half_height = plot.top / 2 - plot.bottom / 2;
  const double margin = half_height > 0 ? 2 * kMargin * half_height : 1;
  std::tie(plot.bottom, plot.top) = Widened(plot.bottom, plot.top, margin);
}

StepSeries Steps(const core::MethodHistory& history) {
  StepSeries series;
  for (const core::PassRecord& pass : history.passes) {
    // An infinite or undefined step has no place on any axis.
    if (!pass.step || !std::isfinite(*pass.step)) continue;
    if (*pass.step > 0) {
      series.steps.push_back({static_cast<double>(pass.n), *pass.step});
    } else {
      series.zero_steps.push_back(pass.n);
    }
  }
  return series;
}

std::array<StepSeries, 4> RunSteps(const RunRecord& run) {
  std::array<StepSeries, 4> series;
  for (std::size_t i = 0; i < series.size(); ++i) series[i] = Steps(run.methods[i]);
  return series;
}

StepRange StepRangeOf(const std::array<StepSeries, 4>& series) {
  double smallest = 1;
  double largest = 1;
  for (const StepSeries& method : series) {
    for (const PlotPoint& step : method.steps) {
      if (!(step.y > 0) || !std::isfinite(step.y)) continue;
      smallest = std::min(smallest, step.y);
      largest = std::max(largest, step.y);
    }
  }
  // 1e-324 and 1e309 are beyond the doubles: the decades stop at their ends.
  StepRange range;
  range.bottom = std::max(std::pow(10.0, std::floor(std::log10(smallest)) - 1), kSmallest);
  range.top = std::min(std::pow(10.0, std::ceil(std::log10(largest))), kLargest);
  return range;
}

ConvergenceExtent ConvergenceExtentOf(const std::array<StepSeries, 4>& series) {
  std::int32_t last_nonzero = 1;
  ConvergenceExtent extent;
  for (const StepSeries& method : series) {
    for (const PlotPoint& step : method.steps) {
      last_nonzero = std::max(last_nonzero, static_cast<std::int32_t>(step.x));
      extent.last = std::max(extent.last, static_cast<std::int32_t>(step.x));
    }
    for (const std::int32_t n : method.zero_steps) extent.last = std::max(extent.last, n);
  }
  extent.shown = std::min(extent.last, last_nonzero + kTrailingZeroSteps);
  return extent;
}

}  // namespace app
