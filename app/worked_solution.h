// SPDX-License-Identifier: GPL-3.0-or-later
// A method's run written out as a student hands it in with a lab report:
// each pass in the method's own formula with the numbers substituted (the
// step writers of app/step_writers.h), the check of the stopping test, and
// why the method stopped, in the words of the verdict. The detail window's
// "Решение" tab shows it, the method report prints it, and the command line
// writes it (--steps). The numbers are those the method recorded, written
// shorter: recomputed from the shown digits the last one may differ, which
// the note under the solution says once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/comparison_run.h"
#include "app/run_verdict.h"

namespace app {

// One pass written out: its lines, the first after "Проход n.".
struct WrittenPass {
  std::int32_t n = 0;
  std::vector<std::string> lines;
};

struct WorkedSolution {
  std::vector<std::string> heading;  // the method, the inputs, f
  std::vector<WrittenPass> passes;   // one per row of the pass table, pass 0 first
  std::string ending;                // "Итог: " and the verdict
  std::string note;                  // the shown numbers are rounded
};

// Significant digits of the solution's numbers: at least 6, and enough to
// tell apart points the precision's width apart.
int SolutionDigits(const core::MethodHistory& history);

WorkedSolution WriteSolution(const RunRecord& run, std::uint8_t method, const Verdict& verdict);

// A long solution shows this many passes at each end, and one line for those
// between.
inline constexpr std::size_t kPassesAtEachEnd = 5;

// True when the solution has passes that the short form hides.
bool IsLong(const WorkedSolution& solution);

// A paragraph as shown: the heading, a pass (`pass` its number), the line
// that stands for hidden passes, or the ending. `passes` are those it
// stands for: its own pass, or the hidden ones; none for the heading and the
// ending.
struct SolutionParagraph {
  std::optional<std::int32_t> pass;
  std::vector<std::string> lines;
  std::optional<std::pair<std::int32_t, std::int32_t>> passes;
};

// The heading, the passes (all, or the first and the last of a long one with
// a "…" line between) and the ending.
std::vector<SolutionParagraph> ShownParagraphs(const WorkedSolution& solution, bool all_passes);

// "Проход n."
std::string PassLabel(std::int32_t n);

// The shown paragraphs and the note as plain text with Unicode subscripts:
// the first line of a pass after its label, the others under it.
std::string SolutionText(const WorkedSolution& solution, bool all_passes);
// The same as HTML for word processors: a paragraph per pass with a hanging
// indent, subscripts as <sub>.
std::string SolutionHtml(const WorkedSolution& solution, bool all_passes);

// The lines of pass n joined, for a screen reader; empty for no such pass.
std::string PassText(const WorkedSolution& solution, std::int32_t n);

}  // namespace app
