// SPDX-License-Identifier: GPL-3.0-or-later
// What became of a method's run, read from its history alone: whether its
// stopping test held and what that is worth, or why it stopped without it.
// The detail window states it in one line at the top and in the legend of
// the convergence plot; the comparison tab lists it for every method.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/comparison_run.h"
#include "core/history.h"

namespace app {

enum class Outcome {
  kConverged,     // the stopping test held at a root
  kFNotSmall,     // the test held, but f at the last point is far from 0
  kMultipleRoot,  // the test held after slow, linear steps of the tangents
  kCap,           // the pass cap came first
  kCycling,       // the approximations repeat with a period of 2 or more
  kDiverging,     // the approximations or |f| grow without bound
  kUnreachable,   // no double near the last point can meet the precision
  kError,         // an error ended the method
  kNotRun,        // an earlier error stopped the comparison first
};

struct Verdict {
  Outcome outcome = Outcome::kNotRun;
  std::uint8_t method = 0;
  std::string_view tested_name;       // the stopping quantity's name
  std::optional<long double> tested;  // its value at the last pass
  double precision = 0;
  std::int32_t last_pass = 0;  // n of the last row
  double last_x = 0;
  std::optional<double> last_f;
  int period = 0;                 // kCycling
  double step_ratio = 0;          // kMultipleRoot: |step| ratio per pass
  double multiplicity = 0;        // kMultipleRoot: about 1 / (1 − ratio)
  bool outside_interval = false;  // tangents and secants: a note
  // The test held although the precision lies below what a double can
  // resolve at the last point: the quantity only became 0 (a note).
  bool held_below_resolution = false;
  std::string error;        // kError: the message
  std::string error_place;  // kError: where it arose
};

// The test held, whatever the last point is worth.
bool TestHeld(Outcome outcome);
// The run ended at a root: the function plot may mark it as one.
bool FoundRoot(Outcome outcome);

Verdict JudgeRun(const RunRecord& run, const core::MethodHistory& history);

// One line in plain Russian, with the figures that back it.
std::string VerdictText(const Verdict& verdict);
// A word or two for the legend and the comparison: "сошёлся", "зацикливание".
std::string_view OutcomeWord(Outcome outcome);

}  // namespace app
