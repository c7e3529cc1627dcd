// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/function_plot.h"

#include <algorithm>
#include <cmath>

#include "app/method_report.h"
#include "core/root_finding.h"

namespace app {

namespace {

constexpr double kReach = 10;     // interval widths an iterate may lie away
constexpr double kMargin = 0.05;  // of the range, on each side
// Zero steps beyond the last nonzero one that the convergence plot still shows.
constexpr std::int32_t kTrailingZeroSteps = 10;

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
  range.left = lowest - margin;
  range.right = highest + margin;
  if (!std::isfinite(range.left) || !std::isfinite(range.right)) {
    range.left = lowest;
    range.right = highest;
  }
  return range;
}

std::vector<double> NiceTicks(double low, double high, int about) {
  const double rough = (high - low) / std::max(about, 1);
  if (!(rough > 0) || !std::isfinite(rough)) return {};
  const double decade = std::pow(10.0, std::floor(std::log10(rough)));
  const double step = rough >= 5 * decade ? 5 * decade : rough >= 2 * decade ? 2 * decade : decade;
  std::vector<double> ticks;
  for (double k = std::ceil(low / step); k * step <= high; ++k) ticks.push_back(k * step);
  return ticks;
}

std::vector<CurvePiece> SampleFunction(const std::function<std::optional<double>(double)>& f,
                                       double left, double right, int count) {
  std::vector<CurvePiece> pieces(1);
  for (int i = 0; i < count; ++i) {
    const double t = count > 1 ? static_cast<double>(i) / (count - 1) : 0.0;
    const double x = left + t * (right - left);
    if (const std::optional<double> y = f(x)) {
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
  const double height = plot.top - plot.bottom;
  const double margin = height > 0 && std::isfinite(height) ? kMargin * height : 1;
  plot.bottom -= margin;
  plot.top += margin;
}

StepSeries Steps(const core::MethodHistory& history) {
  StepSeries series;
  for (const core::PassRecord& pass : history.passes) {
    if (!pass.step) continue;
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
