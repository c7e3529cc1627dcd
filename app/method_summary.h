// SPDX-License-Identifier: GPL-3.0-or-later
// What became of one method of a run, in words: the detail window shows
// these texts, the printed report prints them, and the command line's JSON
// carries them, so the three say the same thing in the same words.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "app/comparison_run.h"
#include "app/method_analysis.h"
#include "core/history.h"

namespace app {

struct MethodSummary {
  std::string heading;  // "Итерации: Метод хорд"
  // The heading, and for a typed formula the equation too: several windows
  // may be open at once.
  std::string title;
  std::string inputs;  // InputsText
  // What the list text means as a function; empty for a typed formula,
  // which says it itself.
  std::string function_line;
  std::string verdict;  // VerdictText
  std::string result;   // ResultLine
  std::string counts;  // "f вычислена 23 раза, из них заново 11; f′ не вычислялась"
  std::optional<std::string> sign_warning;  // kNoSignChangeWarning, where it applies
  std::string order;                        // OrderText
  std::string expected_order;               // ExpectedOrderText of the run's methods
  std::string reference;                    // ReferenceText: empty where there is one
};

MethodSummary Summarize(const RunRecord& run, std::uint8_t method, const MethodAnalysis& analysis);

// The method's result as the results table shows it, or the error it ended
// in; the table's number is called a root only where the run found one:
// "Корень (как в таблице): 1,571, итераций: 3".
std::string ResultLine(const core::MethodHistory& history, bool found_root);

}  // namespace app
