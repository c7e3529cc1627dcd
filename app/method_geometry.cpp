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
                    std::vector<ConstructionLine>& lines) {
  if (index == 0) return;
  const std::int32_t n = passes[index].n;
  const double from = passes[index - 1].x;
  const double to = passes[index].x;
  lines.push_back({n, {from, from}, {from, to}});
  lines.push_back(Span(n, {{from, to}, {to, to}}));
}

// The combined method's pass `index`: the chord through the previous pair on
// to the axis, and the tangent from the previous point of the other side.
void AddTwoSidedLines(const RunRecord& run, const core::MethodHistory& history, std::size_t index,
                      std::vector<ConstructionLine>& lines) {
  if (index == 0) return;
  const core::PassRecord& previous = history.passes[index - 1];
  const core::PassRecord& pass = history.passes[index];
  if (!previous.a || !previous.b || !pass.a || !pass.b) return;
  const double a = *previous.a;
  const double b = *previous.b;
  const std::optional<double> fa = EvaluateF(run, history, a);
  const std::optional<double> fb = EvaluateF(run, history, b);
  if (!fa || !fb) return;
  const std::optional<double> crossing = ChordCrossing(a, *fa, b, *fb);
  if (!crossing) return;
  lines.push_back(Span(pass.n, {{a, *fa}, {b, *fb}, {*crossing, 0}}));
  // The side the chord moved is the one now at its crossing; the other
  // moved along its tangent.
  const bool chord_from_a = std::fabs(*pass.a - *crossing) <= std::fabs(*pass.b - *crossing);
  if (chord_from_a) {
    lines.push_back(Span(pass.n, {{b, *fb}, {*pass.b, 0}}));
  } else {
    lines.push_back(Span(pass.n, {{a, *fa}, {*pass.a, 0}}));
  }
}

// Whether the method's passes show their bracket as bars under the curve:
// the halved interval, or the two sides of the combined method.
bool DrawsBrackets(const FunctionPlot& plot, core::Construction construction) {
  return construction == core::Construction::kHalving || plot.two_sided;
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
  FitHeight(plot);
  const bool halves = DrawsBrackets(plot, construction);
  if (halves) {
    // One level a bar below the curve, each a thirtieth of its height.
    plot.bracket_top = plot.bottom;
    plot.bracket_level = kBarHeight * (plot.top / 2 - plot.bottom / 2) * 2;
  }

  const std::size_t drawn = std::min(passes.size(), static_cast<std::size_t>(kDrawnPasses));
  for (std::size_t i = 0; i < drawn; ++i) {
    const PassDrawing drawing = DrawPass(run, method, plot, i);
    if (drawing.iterate)
      plot.iterates.push_back({drawing.n, drawing.iterate->x, drawing.iterate->y});
    plot.lines.insert(plot.lines.end(), drawing.lines.begin(), drawing.lines.end());
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
  if (pass.x >= plot.range.left && pass.x <= plot.range.right)
    drawing.iterate = PlotPoint{pass.x, plot.cobweb ? pass.x : 0};
  if (plot.cobweb) {
    AddCobwebSteps(history.passes, index, drawing.lines);
  } else if (plot.two_sided) {
    AddTwoSidedLines(run, history, index, drawing.lines);
  } else if (const std::optional<ConstructionLine> line =
                 MethodLine(run, history, index, drawing.reflection)) {
    drawing.lines.push_back(*line);
  }
  if (DrawsBrackets(plot, core::EntryOf(method).construction)) {
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
