// SPDX-License-Identifier: GPL-3.0-or-later
// Where each start leads. A method that keeps no bracket (tangents, secants)
// depends on where it starts; the strip under its function plot runs it from
// about a thousand start values across the plot's x-range (the secants keep
// their end) with the method's own function, judges each run with the
// verdicts of the detail window, and colours each start by what became of
// it: which root, a cycle, divergence, f tending to 0 far away, no
// convergence within the strip's cap, or an error. Computed off the
// interface thread, under a JobControl.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/comparison_run.h"
#include "app/job_control.h"
#include "core/history.h"

namespace app {

// Passes each run of the strip may make: a few hundred are enough for the
// tangents or the secants to settle on a root, to show a cycle or to run
// away, and keep a thousand runs well within a second.
inline constexpr std::int32_t kBasinPassCap = 200;
inline constexpr int kBasinStarts = 1000;

enum class StartFate {
  kRoot,            // converged to a root
  kCycle,           // the approximations repeat
  kDiverges,        // they run away without bound
  kFToZeroFarAway,  // f became small only far away, where it tends to 0
  kNotARoot,        // the test held where f is not small
  kNoConvergence,   // none of these within the cap
  kError,           // an error ended the run
};

// What became of one run: its fate and where it ended.
struct StartOutcome {
  StartFate fate = StartFate::kError;
  double x = 0;
};

// The verdict of the detail window on the run, as the strip sorts it. A run
// that an error ended after its approximations had run away diverged: the
// error (a vanishing f′ far out, an overflow) is only the symptom.
StartOutcome ClassifyStart(const RunRecord& run, const core::MethodHistory& history);

// Whether a method's outcome depends on its start so that a strip tells
// something: it keeps no bracket.
bool HasBasins(std::uint8_t method);

// One colour of the strip: a fate, and for kRoot the root.
struct BasinOutcome {
  StartFate fate = StartFate::kError;
  std::optional<double> root;
};

// Neighbouring starts with one outcome: the indices of the first and the
// last of them.
struct BasinInterval {
  std::size_t first = 0;
  std::size_t last = 0;
  std::size_t outcome = 0;
};

struct BasinStrip {
  std::uint8_t method = 0;
  double left = 0;
  double right = 0;
  double end = 0;  // the end b every run keeps
  std::vector<double> starts;
  std::vector<std::size_t> outcome_of_start;  // an index into outcomes
  // The roots reached, left to right, then the other fates that occur.
  std::vector<BasinOutcome> outcomes;
  std::vector<BasinInterval> intervals;
};

// Runs `method` of `run` from `count` starts evenly spread over [left,
// right] (the middles of equal cells) with the run's precision and end.
// Checks `control` for a request to stop before every evaluation and
// reports each start done.
BasinStrip ComputeBasins(const RunRecord& run, std::uint8_t method, double left, double right,
                         int count, const JobControl& control);

// "сходится к корню 1,5708", "зацикливание", "расходится" ...
std::string OutcomeText(const BasinOutcome& outcome);
// "Бассейны касательных: 1000 начальных значений от -3 до 3, не более 200
// проходов каждое."
std::string BasinCaption(const BasinStrip& strip);
// The caption and each interval with its outcome, for screen readers; a
// strip broken into many (starts that scatter among roots and cycles) names
// the first kDescribedIntervals and how many more there are.
inline constexpr std::size_t kDescribedIntervals = 20;
std::string BasinDescription(const BasinStrip& strip);
// The intervals as a table under a header: от, до, начальных значений, итог.
std::vector<std::vector<std::string>> BasinTable(const BasinStrip& strip);
// The start nearest to x.
std::size_t StartNearest(const BasinStrip& strip, double x);
// "x₀ = 1,234: сходится к корню 1,5708"
std::string StartText(const BasinStrip& strip, std::size_t start);

}  // namespace app
