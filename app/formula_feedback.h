// SPDX-License-Identifier: GPL-3.0-or-later
// What the own-equation window says under the formula as the user types: how
// the formula was read and its derivative when it reads, otherwise the
// formula with a mark under the place where reading stopped and the message;
// the same in words for a screen reader. Also the preview of f over the
// interval, with the places where f changes sign, and what it says of them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/method_geometry.h"
#include "app/sign_changes.h"
#include "core/equation_source.h"
#include "core/expression/formula.h"

namespace app {

// A list text of the catalogue typed as it is ("x=k*cos(l*x)") is the
// equation x − (k*cos(l*x)) = 0 here, while the main window's methods solve
// its right-hand side = 0: the two readings, for the window to offer.
struct CatalogueReadings {
  std::uint8_t equation = 0;
  std::string as_typed;    // "x-(k*cos(l*x)) = 0"
  std::string right_side;  // "k*cos(l*x) = 0"
  std::string note;        // what the difference is, in a sentence
};

struct FormulaFeedback {
  std::shared_ptr<const core::expression::Formula> formula;  // null unless it reads
  // "f′(x) = 3*x^2-2", after "Читается как: 2*x^2*(x+1)" when the formula
  // was typed otherwise than written out; or three lines: the formula (an
  // excerpt around the place when it is long), "^" under the place, the
  // message; or a hint when nothing is typed yet.
  std::string text;
  // The same for a screen reader, without the picture of the mark: the
  // message with its position, or the reading and the derivative.
  std::string spoken;
  bool error = false;
  // The derivative's line without its cut ("f′(x) = " and the whole
  // derivative) where `text` shows it cut; empty otherwise.
  std::string whole_text;
  std::optional<CatalogueReadings> readings;
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
// and its height as the detail window's plot has them, and where f changes
// sign between two neighbouring samples (or is 0 at one). A change across a
// pole or across a point where f cannot be evaluated is no root: it is
// counted apart and not marked (sign_changes.h).
struct FunctionPreview {
  FunctionPlot plot;
  SignChanges sign_changes;
};
inline constexpr int kPreviewSamples = 400;
FunctionPreview BuildFunctionPreview(const core::EquationSource& source,
                                     const core::Coefficients& coefficients, double start,
                                     double end, int samples = kPreviewSamples);

// f as the preview samples it: no value where evaluation raises an error.
SampledFunction PreviewFunction(const core::EquationSource& source,
                                const core::Coefficients& coefficients);

// What the line under the preview says of its sign changes: how many are
// marked, or that there is none, or that f changes sign only through a pole.
std::string PreviewNote(const SignChanges& changes);

}  // namespace app
