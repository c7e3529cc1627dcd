// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/function_plot.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>

#include "app/method_report.h"
#include "core/errors.h"
#include "core/evaluator.h"
#include "core/methods.h"
#include "core/root_finding.h"

namespace app {

namespace {

constexpr double kReach = 10;     // interval widths an iterate may lie away
constexpr double kMargin = 0.05;  // of the range, on each side
// The height of one level of bisection's bars, as a share of the curve's.
constexpr double kBarHeight = 0.03;
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

// The equation of a history as the methods see it: one source, read before
// every evaluation, and no messages to process.
class FixedSource : public core::RootFindingHost {
 public:
  explicit FixedSource(core::EquationSource source) : source_(std::move(source)) {}
  std::uint8_t SelectedEquation() const override { return source_.Equation(); }
  core::EquationSource SelectedSource() const override { return source_; }
  std::string PrecisionText() const override { return std::string(); }
  void ProcessMessages() override {}

 private:
  core::EquationSource source_;
};

// Where the method's chord formula puts its point, computed by the method's
// own function, so that the plot marks the point the method really used.
std::optional<double> ChordLanding(const RunRecord& run, const core::MethodHistory& history,
                                   double a, double b) {
  const FixedSource host(SourceOf(history));
  const core::Coefficients coefficients{run.k, run.l};
  core::Evaluator evaluator(host, coefficients);
  try {
    return core::ChordPoint(evaluator, a, b);
  } catch (const core::Exception&) {
    return std::nullopt;
  }
}

// The segment of pass `index` of the history, when the method draws one and
// the values it needs can be computed; a chord whose point is reflected is
// added to `reflections`.
std::optional<std::pair<PlotPoint, PlotPoint>> MethodLine(
    const RunRecord& run, const core::MethodHistory& history, std::size_t index,
    std::vector<ReflectedChord>& reflections) {
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
  if (method == core::kSecants) return Span({{a, *fa}, {b, *fb}, {pass.x, 0}});
  // The chord itself meets the axis where the signed fraction puts it.
  if (*fa == *fb) return Span({{a, *fa}, {b, *fb}});
  const double crossing = a - *fa * (b - a) / (*fb - *fa);
  if (!std::isfinite(crossing)) return Span({{a, *fa}, {b, *fb}});
  if ((*fa > 0 && *fb > 0) || (*fa < 0 && *fb < 0)) {
    const std::optional<double> landed = ChordLanding(run, history, a, b);
    // The first pass repeats the first chord: one note for both.
    const bool repeated = !reflections.empty() && reflections.back().crossing == crossing &&
                          landed && reflections.back().landed == *landed;
    if (landed && !repeated) reflections.push_back({pass.n, crossing, *landed});
  }
  return Span({{a, *fa}, {b, *fb}, {crossing, 0}});
}

// Bars for the intervals that bisection halves, one level each below the
// curve's lowest point, from `below` down by `height` a level.
std::vector<BracketBar> BracketBars(const core::MethodHistory& history, std::size_t drawn,
                                    double below, double height) {
  std::vector<BracketBar> bars;
  double a = history.start;
  double b = history.end;
  for (std::size_t i = 0; i < drawn; ++i) {
    const core::PassRecord& pass = history.passes[i];
    if (pass.n > 0) {
      bars.push_back({pass.n, std::min(a, b), std::max(a, b),
                      below - height * static_cast<double>(bars.size() + 1)});
    }
    if (!pass.a || !pass.b) break;
    a = *pass.a;
    b = *pass.b;
  }
  return bars;
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

std::vector<BandPiece> SampleBand(const std::function<std::optional<double>(double)>& f,
                                  double left, double right, int columns, int per_column) {
  std::vector<BandPiece> pieces(1);
  columns = std::max(columns, 1);
  per_column = std::max(per_column, 1);
  const double width = (right - left) / columns;
  for (int column = 0; column < columns; ++column) {
    const double from = left + width * column;
    double low = 0;
    double high = 0;
    bool complete = true;
    for (int i = 0; i <= per_column && complete; ++i) {
      const std::optional<double> y = f(from + width * i / per_column);
      complete = y && std::isfinite(*y);
      if (!complete) break;
      low = i == 0 ? *y : std::min(low, *y);
      high = i == 0 ? *y : std::max(high, *y);
    }
    if (!complete) {
      if (!pieces.back().low.empty()) pieces.emplace_back();
      continue;
    }
    const double middle = from + width / 2;
    pieces.back().low.push_back({middle, low});
    pieces.back().high.push_back({middle, high});
  }
  if (pieces.back().low.empty()) pieces.pop_back();
  return pieces;
}

FunctionPlot BuildFunctionPlot(const RunRecord& run, std::uint8_t method, bool found_root,
                               int columns) {
  const core::MethodHistory& history = run.methods.at(static_cast<std::size_t>(method - 1));
  const std::vector<core::PassRecord>& passes = history.passes;
  std::vector<double> xs;
  for (const core::PassRecord& pass : passes) xs.push_back(pass.x);

  FunctionPlot plot;
  plot.range = FunctionPlotRange(history.start, history.end, xs);
  plot.curve = SampleBand([&run, &history](double x) { return EvaluateF(run, history, x); },
                          plot.range.left, plot.range.right, columns, kSamplesPerColumn);
  if (!passes.empty()) {
    if (found_root) {
      plot.root = passes.back().x;
    } else if (passes.back().fx) {
      plot.last_point = PlotPoint{passes.back().x, *passes.back().fx};
    }
  }

  const auto in_range = [&plot](double x) { return x >= plot.range.left && x <= plot.range.right; };
  const std::size_t drawn = std::min(passes.size(), static_cast<std::size_t>(kDrawnPasses));
  for (std::size_t i = 0; i < drawn; ++i) {
    if (in_range(passes[i].x)) plot.iterates.push_back({passes[i].n, passes[i].x});
    if (auto line = MethodLine(run, history, i, plot.reflections)) plot.lines.push_back(*line);
  }

  FitHeight(plot);
  if (method == core::kBisection) {
    // One level a bar below the curve, each a thirtieth of its height.
    const double level = kBarHeight * (plot.top / 2 - plot.bottom / 2) * 2;
    plot.brackets = BracketBars(history, drawn, plot.bottom, level);
    if (!plot.brackets.empty()) plot.bottom = std::max(plot.brackets.back().y - level, -kLargest);
  }
  return plot;
}

void FitHeight(FunctionPlot& plot) {
  plot.bottom = 0;
  plot.top = 0;
  for (const BandPiece& piece : plot.curve) {
    for (const PlotPoint& point : piece.low) plot.bottom = std::min(plot.bottom, point.y);
    for (const PlotPoint& point : piece.high) plot.top = std::max(plot.top, point.y);
  }
  if (plot.last_point) {
    plot.bottom = std::min(plot.bottom, plot.last_point->y);
    plot.top = std::max(plot.top, plot.last_point->y);
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

StepSeries ConvergenceSeries(const core::MethodHistory& history, const MethodAnalysis& analysis,
                             bool steps) {
  if (steps || !analysis.reference) return Steps(history);
  StepSeries series;
  series.errors = true;
  for (std::size_t i = 0; i < history.passes.size(); ++i) {
    const std::optional<double> error = analysis.measures.passes[i].error;
    if (!error) continue;
    if (*error > 0) {
      series.steps.push_back({static_cast<double>(history.passes[i].n), *error});
    } else {
      series.zero_steps.push_back(history.passes[i].n);
    }
  }
  return series;
}

std::array<StepSeries, 4> RunSteps(const RunRecord& run) {
  std::array<StepSeries, 4> series;
  for (std::size_t i = 0; i < series.size(); ++i) series[i] = Steps(run.methods[i]);
  return series;
}

std::array<StepSeries, 4> RunConvergence(const RunRecord& run,
                                         const std::array<MethodAnalysis, 4>& analyses,
                                         bool steps) {
  std::array<StepSeries, 4> series;
  for (std::size_t i = 0; i < series.size(); ++i)
    series[i] = ConvergenceSeries(run.methods[i], analyses[i], steps);
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
