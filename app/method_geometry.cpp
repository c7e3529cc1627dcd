// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/method_geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>

#include "app/method_report.h"
#include "core/errors.h"
#include "core/evaluator.h"
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
ConstructionLine Span(std::int32_t n, std::initializer_list<PlotPoint> points) {
  const auto [left, right] = std::minmax_element(
      points.begin(), points.end(), [](PlotPoint p, PlotPoint q) { return p.x < q.x; });
  return {n, *left, *right};
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

// Where the chord through (a, fa) and (b, fb) meets the axis, as the signed
// fraction puts it; empty where it does not.
std::optional<double> ChordCrossing(double a, double fa, double b, double fb) {
  if (fa == fb) return std::nullopt;
  const double crossing = a - fa * (b - a) / (fb - fa);
  if (!std::isfinite(crossing)) return std::nullopt;
  return crossing;
}

// The segment of pass `index` of the history, when the method draws one and
// the values it needs can be computed, with the reflection of its chord
// point where there is one.
std::optional<ConstructionLine> MethodLine(const RunRecord& run, const core::MethodHistory& history,
                                           std::size_t index,
                                           std::optional<ReflectedChord>& reflection) {
  const core::Construction construction = core::EntryOf(history.method).construction;
  const std::vector<core::PassRecord>& passes = history.passes;
  const core::PassRecord& pass = passes[index];
  const core::PassRecord* previous = index > 0 ? &passes[index - 1] : nullptr;
  if (construction == core::Construction::kTangent) {
    if (previous == nullptr || !previous->fx) return std::nullopt;
    return Span(pass.n, {{previous->x, *previous->fx}, {pass.x, 0}});
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
  if (secant) return Span(pass.n, {{a, *fa}, {b, *fb}, {pass.x, 0}});
  // The chord itself meets the axis where the signed fraction puts it.
  const std::optional<double> crossing = ChordCrossing(a, *fa, b, *fb);
  if (!crossing) return Span(pass.n, {{a, *fa}, {b, *fb}});
  reflection = ChordReflection(run, history, pass.n, a, b);
  return Span(pass.n, {{a, *fa}, {b, *fb}, {*crossing, 0}});
}

// The interval that bisection halves on pass `index`: the ends the pass
// before it kept, or the start and the end; empty past an error.
std::optional<std::pair<double, double>> HalvedInterval(const core::MethodHistory& history,
                                                        std::size_t index) {
  if (index == 0) return std::pair(history.start, history.end);
  const core::PassRecord& previous = history.passes[index - 1];
  if (!previous.a || !previous.b) return std::nullopt;
  return std::pair(*previous.a, *previous.b);
}

// The bar of pass `index` at `level` below the top of the bars.
std::optional<BracketBar> Bar(const core::MethodHistory& history, const FunctionPlot& plot,
                              std::size_t index, int level) {
  const core::PassRecord& pass = history.passes[index];
  if (pass.n == 0) return std::nullopt;  // an interval already within the precision
  const std::optional<std::pair<double, double>> ends = HalvedInterval(history, index);
  if (!ends) return std::nullopt;
  return BracketBar{pass.n, std::min(ends->first, ends->second),
                    std::max(ends->first, ends->second),
                    plot.bracket_top - plot.bracket_level * level};
}

}  // namespace

FunctionPlot BuildFunctionPlot(const RunRecord& run, std::uint8_t method, bool found_root,
                               int columns) {
  const core::MethodHistory& history = run.History(method);
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
  FitHeight(plot);
  const bool halves = core::EntryOf(method).construction == core::Construction::kHalving;
  if (halves) {
    // One level a bar below the curve, each a thirtieth of its height.
    plot.bracket_top = plot.bottom;
    plot.bracket_level = kBarHeight * (plot.top / 2 - plot.bottom / 2) * 2;
  }

  const std::size_t drawn = std::min(passes.size(), static_cast<std::size_t>(kDrawnPasses));
  for (std::size_t i = 0; i < drawn; ++i) {
    const PassDrawing drawing = DrawPass(run, method, plot, i);
    if (drawing.iterate) plot.iterates.push_back({drawing.n, *drawing.iterate});
    if (drawing.line) plot.lines.push_back(*drawing.line);
    // The first pass repeats the first chord: one note for both.
    const bool repeated = drawing.reflection && !plot.reflections.empty() &&
                          plot.reflections.back().crossing == drawing.reflection->crossing &&
                          plot.reflections.back().landed == drawing.reflection->landed;
    if (drawing.reflection && !repeated) plot.reflections.push_back(*drawing.reflection);
    if (drawing.bracket) plot.brackets.push_back(*drawing.bracket);
  }
  if (halves && !plot.brackets.empty()) {
    // Room for one level more, where the replay of a later pass draws its bar.
    const int levels = static_cast<int>(plot.brackets.size()) + (passes.size() > drawn ? 2 : 1);
    plot.bottom = std::max(plot.bracket_top - plot.bracket_level * levels, -kLargest);
  }
  return plot;
}

PassDrawing DrawPass(const RunRecord& run, std::uint8_t method, const FunctionPlot& plot,
                     std::size_t index) {
  const core::MethodHistory& history = run.History(method);
  const core::PassRecord& pass = history.passes[index];
  PassDrawing drawing;
  drawing.n = pass.n;
  if (pass.x >= plot.range.left && pass.x <= plot.range.right) drawing.iterate = pass.x;
  drawing.line = MethodLine(run, history, index, drawing.reflection);
  if (core::EntryOf(method).construction == core::Construction::kHalving) {
    // Each bar a level lower; a pass past the drawn ones one level below them.
    int level = 0;
    for (std::size_t i = 0; i <= index && i < static_cast<std::size_t>(kDrawnPasses); ++i)
      level += history.passes[i].n > 0 ? 1 : 0;
    if (index >= static_cast<std::size_t>(kDrawnPasses)) ++level;
    drawing.bracket = Bar(history, plot, index, level);
  }
  return drawing;
}

bool ReplayDrawsLine(const FunctionPlot& plot, std::int32_t n, std::int32_t at) {
  if (n > at) return false;
  const auto line = std::find_if(plot.lines.begin(), plot.lines.end(),
                                 [n](const ConstructionLine& drawn) { return drawn.n == n; });
  const auto next = std::find_if(plot.lines.begin(), plot.lines.end(),
                                 [n](const ConstructionLine& drawn) { return drawn.n == n + 1; });
  const bool repeated = line != plot.lines.end() && next != plot.lines.end() &&
                        line->from.x == next->from.x && line->from.y == next->from.y &&
                        line->to.x == next->to.x && line->to.y == next->to.y;
  return !(repeated && n + 1 <= at);
}

std::optional<ReflectedChord> ChordReflection(const RunRecord& run,
                                              const core::MethodHistory& history, std::int32_t n,
                                              double a, double b) {
  const std::optional<double> fa = EvaluateF(run, history, a);
  const std::optional<double> fb = EvaluateF(run, history, b);
  if (!fa || !fb || !((*fa > 0 && *fb > 0) || (*fa < 0 && *fb < 0))) return std::nullopt;
  const std::optional<double> crossing = ChordCrossing(a, *fa, b, *fb);
  const std::optional<double> landed = ChordLanding(run, history, a, b);
  if (!crossing || !landed) return std::nullopt;
  return ReflectedChord{n, *crossing, *landed};
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
  const double margin = half_height > 0 ? 2 * kPlotMargin * half_height : 1;
  std::tie(plot.bottom, plot.top) = Widened(plot.bottom, plot.top, margin);
}

}  // namespace app
