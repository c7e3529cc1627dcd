// SPDX-License-Identifier: GPL-3.0-or-later
// Variants for a class: for every student an equation, k, l and an interval
// that holds exactly one simple root with a sign change at its ends, checked
// by solving it with the four methods; and the answer key. No two variants of
// a set share a root (as the table rounds it) or a function up to a factor,
// so that no student can copy another's answer. The same seed gives the same
// variants everywhere: the generator is std::mt19937_64, whose output the C++
// standard fixes, mapped to ranges here rather than by the standard
// distributions, which differ between libraries.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/table_window.h"
#include "core/method_table.h"

namespace app {

struct VariantRequest {
  int count = 30;
  std::uint64_t seed = 1;
  std::vector<std::uint8_t> equations;  // empty: all ten
  std::string precision_text = InputTexts::DefaultPrecisionText();
};

// The methods every variant is solved and checked with: the main window's.
inline constexpr core::MethodSet kVariantMethods = core::MethodSet::Specified();

struct MethodAnswer {
  std::int32_t count = 0;
  double root = 0;      // rounded as the results table shows it
  std::string verdict;  // in a word or two, as the detail window judges it
};

struct Variant {
  int number = 0;  // from 1
  InputTexts inputs;
  double reference_root = 0;              // the bracketed root to double precision
  double rounded_root = 0;                // the same, rounded as the table rounds roots
  core::PerMethod<MethodAnswer> methods;  // those of kVariantMethods
  // Every method that ties for the fewest passes, the one the status line
  // names first: "Метод хорд, Метод касательных".
  std::string fastest;
};

struct VariantSet {
  std::vector<Variant> variants;
  // The equations with k, l and a root that were drawn and looked at to
  // find them, those refused as repeats included.
  int candidates = 0;
};

// Raises EConvertError for a precision that is no number, and core::Exception
// when the precision is not positive or the equations asked for cannot give
// as many distinct variants (the message says how many they can give).
VariantSet MakeVariantSet(const VariantRequest& request);
std::vector<Variant> MakeVariants(const VariantRequest& request);

// The task of one student, line by line, in Russian.
std::vector<std::string> TaskLines(const Variant& variant);

// The root to ten significant digits, beside the table's rounding in the key.
std::string TenDigitRoot(const Variant& variant);

// The answer key: a header line, then one line per variant.
std::vector<std::vector<std::string>> AnswerLines(const std::vector<Variant>& variants);

// The integer in [0, n) that `bits` picks, for n > 0; false when it must be
// drawn again (the values that would favour the low numbers).
bool MapToRange(std::uint64_t bits, std::uint64_t n, std::uint64_t& value);

}  // namespace app
