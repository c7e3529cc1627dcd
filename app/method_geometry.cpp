// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/method_geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>

#include "app/method_report.h"
#include "core/errors.h"
#include "core/evaluator.h"
#include "core/extended.h"
#include "core/method_table.h"
#include "core/methods.h"
#include "core/root_finding.h"

namespace app {

namespace {

// The height of one level of bisection's bars, as a share of the curve's.
constexpr double kBarHeight = 0.03;
constexpr double kLargest = std::numeric_limits<double>::max();

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
  const core::Construction construction = core::EntryOf(history.method).construction;
  const std::vector<core::PassRecord>& passes = history.passes;
  const core::PassRecord& pass = passes[index];
  const core::PassRecord* previous = index > 0 ? &passes[index - 1] : nullptr;
  if (construction == core::Construction::kTangent) {
    if (previous == nullptr || !previous->fx) return std::nullopt;
    return Span({{previous->x, *previous->fx}, {pass.x, 0}});
  }
  const bool secant = construction == core::Construction::kSecant;
  if (construction != core::Construction::kChord && !secant) return std::nullopt;
  // The chord or secant that gives xₙ runs through the ends of pass n − 1; the
  // first chord through the start and the end.
  double a = history.start;
  double b = history.end;
  if (previous != nullptr) {
    if (!previous->a || !previous->b) return std::nullopt;
    a = *previous->a;
    b = *previous->b;
  } else if (secant) {
    return std::nullopt;
  }
  const std::optional<double> fa = EvaluateF(run, history, a);
  const std::optional<double> fb = EvaluateF(run, history, b);
  if (!fa || !fb) return std::nullopt;
  if (secant) return Span({{a, *fa}, {b, *fb}, {pass.x, 0}});
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

// φ at x as simple iteration took it: the typed φ, or x − λ·f(x) with the
// λ its history kept; empty where it cannot be computed.
std::optional<double> PhiAt(const RunRecord& run, const core::MethodHistory& history, double x) {
  try {
    if (run.parameters.phi != nullptr) return run.parameters.phi->f(x, {run.k, run.l});
    const std::optional<double> fx = EvaluateF(run, history, x);
    if (!fx) return std::nullopt;
    return (core::Extended(x) - core::Extended(history.setup.lambda.value_or(0)) * *fx).ToDouble();
  } catch (const core::Exception&) {
    return std::nullopt;
  }
}

// The cobweb's two steps into pass `index`: up or down to φ, across to y = x.
void AddCobwebSteps(const std::vector<core::PassRecord>& passes, std::size_t index,
                    FunctionPlot& plot) {
  if (index == 0) return;
  const double from = passes[index - 1].x;
  const double to = passes[index].x;
  plot.lines.push_back({{from, from}, {from, to}});
  plot.lines.push_back(Span({{from, to}, {to, to}}));
}

// The combined method's pass `index`: the chord through the previous pair on
// to the axis, and the tangent from the previous point of the other side.
void AddTwoSidedLines(const RunRecord& run, const core::MethodHistory& history, std::size_t index,
                      FunctionPlot& plot) {
  if (index == 0) return;
  const core::PassRecord& previous = history.passes[index - 1];
  const core::PassRecord& pass = history.passes[index];
  if (!previous.a || !previous.b || !pass.a || !pass.b) return;
  const double a = *previous.a;
  const double b = *previous.b;
  const std::optional<double> fa = EvaluateF(run, history, a);
  const std::optional<double> fb = EvaluateF(run, history, b);
  if (!fa || !fb || *fa == *fb) return;
  const double crossing = a - *fa * (b - a) / (*fb - *fa);
  if (!std::isfinite(crossing)) return;
  plot.lines.push_back(Span({{a, *fa}, {b, *fb}, {crossing, 0}}));
  // The side the chord moved is the one now at its crossing; the other
  // moved along its tangent.
  const bool chord_from_a = std::fabs(*pass.a - crossing) <= std::fabs(*pass.b - crossing);
  if (chord_from_a) {
    plot.lines.push_back(Span({{b, *fb}, {*pass.b, 0}}));
  } else {
    plot.lines.push_back(Span({{a, *fa}, {*pass.a, 0}}));
  }
}

}  // namespace

FunctionPlot BuildFunctionPlot(const RunRecord& run, std::uint8_t method, bool found_root,
                               int columns) {
  const core::MethodHistory& history = run.History(method);
  const std::vector<core::PassRecord>& passes = history.passes;
  std::vector<double> xs;
  for (const core::PassRecord& pass : passes) xs.push_back(pass.x);

  const core::Construction construction = core::EntryOf(method).construction;
  FunctionPlot plot;
  plot.cobweb = construction == core::Construction::kCobweb;
  plot.two_sided = construction == core::Construction::kTwoSided;
  plot.range = FunctionPlotRange(history.start, history.end, xs);
  if (plot.cobweb) {
    plot.curve = SampleBand([&run, &history](double x) { return PhiAt(run, history, x); },
                            plot.range.left, plot.range.right, columns, kSamplesPerColumn);
    // A spiral where the steps change direction.
    for (std::size_t i = 2; i < xs.size() && i <= static_cast<std::size_t>(kDrawnPasses); ++i)
      if ((xs[i] - xs[i - 1]) * (xs[i - 1] - xs[i - 2]) < 0) plot.spiral = true;
  } else {
    plot.curve = SampleBand([&run, &history](double x) { return EvaluateF(run, history, x); },
                            plot.range.left, plot.range.right, columns, kSamplesPerColumn);
  }
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
    if (in_range(passes[i].x))
      plot.iterates.push_back({passes[i].n, passes[i].x, plot.cobweb ? passes[i].x : 0});
    if (plot.cobweb) {
      AddCobwebSteps(passes, i, plot);
    } else if (plot.two_sided) {
      AddTwoSidedLines(run, history, i, plot);
    } else if (auto line = MethodLine(run, history, i, plot.reflections)) {
      plot.lines.push_back(*line);
    }
  }

  FitHeight(plot);
  // The bracket of each pass as a bar: the halved interval, or the two
  // sides of the combined method.
  if (construction == core::Construction::kHalving || plot.two_sided) {
    // One level a bar below the curve, each a thirtieth of its height.
    const double level = kBarHeight * (plot.top / 2 - plot.bottom / 2) * 2;
    plot.brackets = BracketBars(history, drawn, plot.bottom, level);
    if (!plot.brackets.empty()) plot.bottom = std::max(plot.brackets.back().y - level, -kLargest);
  }
  return plot;
}

void FitHeight(FunctionPlot& plot) {
  // The x-axis, or in a cobweb the diagonal y = x across the range.
  plot.bottom = plot.cobweb ? plot.range.left : 0;
  plot.top = plot.cobweb ? plot.range.right : 0;
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
  const double margin = half_height > 0 ? 2 * kPlotMargin * half_height : 1;
  std::tie(plot.bottom, plot.top) = Widened(plot.bottom, plot.top, margin);
}

}  // namespace app
