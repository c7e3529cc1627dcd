// SPDX-License-Identifier: GPL-3.0-or-later
// What the own-equation window says under the formula as the user types: the
// derivative when the formula reads, otherwise the formula with a mark under
// the place where reading stopped and the message. Also the preview of f
// over the interval, with the places where f changes sign.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/method_geometry.h"
#include "core/equation_source.h"
#include "core/expression/formula.h"

namespace app {

struct FormulaFeedback {
  std::shared_ptr<const core::expression::Formula> formula;  // null unless it reads
  // "f′(x) = 3*x^2-2"; or three lines: the formula (an excerpt around the
  // place when it is long), "^" under the place, the message; or a hint when
  // nothing is typed yet.
  std::string text;
  bool error = false;
  // The derivative's line as `text` would be without its cut ("f′(x) = "
  // and the whole derivative); empty unless the formula reads.
  std::string whole_text;
};

// Derivatives longer than this many characters are cut with "…": a formula
// of 1,000 characters may have one of many thousands.
inline constexpr std::size_t kShownDerivativeLength = 400;

FormulaFeedback ReadFormula(std::string_view text);

// The formula with "^" on the line under character `position` (from 1):
// two lines, the formula cut to an excerpt round the place when it is long,
// tabs and line breaks shown as blanks so that the mark stays under its
// place. The window and the command line show a formula's error so.
std::string MarkedFormula(std::string_view text, std::size_t position);

// f over [start, end] (in either order) for choosing the interval: the curve
// and its height as the detail window's plot has them, and the x where f
// changes sign between two neighbouring samples (or is 0 at one). A change
// across a pole (|f| does not fall where the chord between the samples
// crosses the axis) or across a point where f cannot be evaluated is no root
// and is not marked.
struct FunctionPreview {
  FunctionPlot plot;
  std::vector<double> sign_changes;
};
FunctionPreview BuildFunctionPreview(const core::EquationSource& source,
                                     const core::Coefficients& coefficients, double start,
                                     double end, int samples = 400);

}  // namespace app
