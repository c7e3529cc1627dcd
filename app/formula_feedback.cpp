// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/formula_feedback.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "core/errors.h"
#include "core/utf8.h"

namespace app {

namespace {

// Characters shown on each side of the place in a long formula.
constexpr std::size_t kExcerptReach = 30;

std::string Substring(std::string_view text, std::size_t first, std::size_t count) {
  const std::size_t begin = core::ByteOfCharacter(text, first);
  const std::size_t end = core::ByteOfCharacter(text, first + count);
  return std::string(text.substr(begin, end - begin));
}

int Sign(double y) {
  return y > 0 ? 1 : y < 0 ? -1 : 0;
}

}  // namespace

std::string MarkedFormula(std::string_view text, std::size_t position) {
  const std::size_t length = core::CharacterCount(text);
  const std::size_t place = position > 0 ? position - 1 : 0;  // from 0
  std::size_t first = 0;
  std::string excerpt;
  if (length <= 2 * kExcerptReach) {
    excerpt = std::string(text);
  } else {
    first = place > kExcerptReach ? place - kExcerptReach : 0;
    excerpt = Substring(text, first, 2 * kExcerptReach);
    if (first > 0) {
      excerpt = "…" + excerpt;
      --first;  // the ellipsis takes one column
    }
    if (first + 2 * kExcerptReach < length) excerpt += "…";
  }
  // Tabs and line breaks read as blanks, so the mark stays under its place.
  std::replace_if(
      excerpt.begin(), excerpt.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; },
      ' ');
  return excerpt + "\n" + std::string(place - first, ' ') + "^";
}

FormulaFeedback ReadFormula(std::string_view text) {
  FormulaFeedback feedback;
  if (text.find_first_not_of(" \t") == std::string_view::npos) {
    feedback.text = "Введите f(x), например x^3-2*x-5";
    return feedback;
  }
  try {
    feedback.formula = core::expression::Formula::Parse(text);
  } catch (const core::EFormulaError& error) {
    feedback.error = true;
    feedback.text = MarkedFormula(text, error.Position()) + "\n" + error.Message();
    return feedback;
  }
  std::string derivative = feedback.formula->DerivativeText();
  feedback.whole_text = "f′(x) = " + derivative;
  if (derivative.size() > kShownDerivativeLength) {
    std::size_t cut = kShownDerivativeLength;
    while (cut > 0 && core::ContinuesCharacter(derivative[cut])) --cut;
    derivative = derivative.substr(0, cut) + "…";
  }
  feedback.text = "f′(x) = " + derivative;
  return feedback;
}

FunctionPreview BuildFunctionPreview(const core::EquationSource& source,
                                     const core::Coefficients& coefficients, double start,
                                     double end, int samples) {
  const auto f = [&](double x) -> std::optional<double> {
    try {
      return source.f(x, coefficients);
    } catch (const core::Exception&) {
      return std::nullopt;
    }
  };
  FunctionPreview preview;
  FunctionPlot& plot = preview.plot;
  plot.range.left = std::min(start, end);
  plot.range.right = std::max(start, end);
  plot.curve = SampleBand(f, plot.range.left, plot.range.right, samples, kSamplesPerColumn);
  FitHeight(plot);
  // Sign changes between evenly spaced samples, apart from the band's columns.
  for (const CurvePiece& piece : SampleFunction(f, plot.range.left, plot.range.right, samples)) {
    for (std::size_t i = 0; i < piece.size(); ++i) {
      const PlotPoint p = piece[i];
      if (p.y == 0) {
        preview.sign_changes.push_back(p.x);
        continue;
      }
      if (i + 1 == piece.size() || Sign(p.y) * Sign(piece[i + 1].y) >= 0) continue;
      const PlotPoint q = piece[i + 1];
      // Where the chord between the samples crosses the axis. Near a root f
      // is smaller there than at either sample; near a pole it is not.
      const double crossing = p.x + (q.x - p.x) * (p.y / (p.y - q.y));
      const std::optional<double> there = f(crossing);
      if (!there || std::fabs(*there) > std::min(std::fabs(p.y), std::fabs(q.y))) continue;
      preview.sign_changes.push_back(crossing);
    }
  }
  return preview;
}

}  // namespace app
