// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/formula_feedback.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string_view>

#include "core/equations.h"
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

// Texts of many thousands of characters (a derivative, the canonical form
// of a long formula) are cut with "…".
std::string Shown(std::string text) {
  if (text.size() <= kShownDerivativeLength) return text;
  std::size_t cut = kShownDerivativeLength;
  while (cut > 0 && core::ContinuesCharacter(text[cut])) --cut;
  return text.substr(0, cut) + "…";
}

std::string WithoutBlanks(std::string_view text) {
  std::string kept;
  for (const char c : text)
    if (c != ' ' && c != '\t' && c != '\n' && c != '\r') kept += c;
  return kept;
}

// The message names the place ("в позиции 7") except where the whole
// formula is at fault; a listener who cannot see the mark hears it then too.
std::string SpokenError(const core::EFormulaError& error) {
  std::string message = error.Message();
  if (message.find("позици") == std::string::npos)
    message += " (позиция " + std::to_string(error.Position()) + ")";
  return message;
}

std::optional<CatalogueReadings> ReadingsOf(const core::expression::Formula& formula) {
  const std::optional<std::uint8_t> index = formula.CatalogueEquation();
  if (!index) return std::nullopt;
  const std::string_view list_text = core::kEquationTexts[*index];
  const std::string right(list_text.substr(list_text.find('=') + 1));
  CatalogueReadings readings;
  readings.equation = *index;
  readings.as_typed = formula.FunctionText() + " = 0";
  readings.right_side = right + " = 0";
  readings.note = "Это уравнение " + std::to_string(*index) +
                  " из списка главного окна. Там методы ищут нули его правой части, " +
                  readings.right_side + ", а по правилу «=» здесь решается " + readings.as_typed +
                  ".";
  return readings;
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
    feedback.spoken = feedback.text;
    return feedback;
  }
  try {
    feedback.formula = core::expression::Formula::Parse(text);
  } catch (const core::EFormulaError& error) {
    feedback.error = true;
    feedback.text = MarkedFormula(text, error.Position()) + "\n" + error.Message();
    feedback.spoken = SpokenError(error);
    return feedback;
  }
  const core::expression::Formula& formula = *feedback.formula;
  // How the formula was read, where it was typed otherwise: a student sees
  // the operations written out and, for an equation, the f it gives.
  std::string reading;
  if (formula.FunctionText() != formula.Text()) {
    reading = "Читается как: " + Shown(formula.CanonicalText()) +
              ", то есть f(x) = " + Shown(formula.FunctionText());
  } else if (WithoutBlanks(formula.CanonicalText()) != WithoutBlanks(formula.Text())) {
    reading = "Читается как: " + Shown(formula.CanonicalText());
  }
  const std::string whole_derivative = "f′(x) = " + formula.DerivativeText();
  const std::string derivative = "f′(x) = " + Shown(formula.DerivativeText());
  if (derivative != whole_derivative) feedback.whole_text = whole_derivative;
  feedback.text = reading.empty() ? derivative : reading + "\n" + derivative;
  feedback.spoken = reading.empty() ? derivative : reading + "; " + derivative;
  feedback.readings = ReadingsOf(formula);
  return feedback;
}

SampledFunction PreviewFunction(const core::EquationSource& source,
                                const core::Coefficients& coefficients) {
  return [source, coefficients](double x) -> std::optional<double> {
    try {
      return source.f(x, coefficients);
    } catch (const core::Exception&) {
      return std::nullopt;
    }
  };
}

FunctionPreview BuildFunctionPreview(const core::EquationSource& source,
                                     const core::Coefficients& coefficients, double start,
                                     double end, int samples) {
  const SampledFunction f = PreviewFunction(source, coefficients);
  FunctionPreview preview;
  FunctionPlot& plot = preview.plot;
  plot.range.left = std::min(start, end);
  plot.range.right = std::max(start, end);
  plot.curve = SampleBand(f, plot.range.left, plot.range.right, samples, kSamplesPerColumn);
  FitHeight(plot);
  // Sign changes between evenly spaced samples, apart from the band's columns.
  preview.sign_changes = FindSignChanges(f, plot.range.left, plot.range.right, samples);
  return preview;
}

std::string PreviewNote(const SignChanges& changes) {
  constexpr std::string_view kNoBracket = ": половинному делению и хордам не на что опереться.";
  if (changes.roots.empty()) {
    return std::string(
               changes.poles.empty()
                   ? "На отрезке f не меняет знак"
                   : "f меняет знак на отрезке только через разрыв (полюс), корня там нет") +
           std::string(kNoBracket);
  }
  std::string note = "Смен знака f на отрезке: " + std::to_string(changes.roots.size()) +
                     " (отмечены на оси; щелчок по отметке выбирает отрезок вокруг неё).";
  if (!changes.poles.empty()) {
    note +=
        " Ещё " + std::to_string(changes.poles.size()) + " — через разрыв (полюс), корня там нет.";
  }
  return note;
}

}  // namespace app
