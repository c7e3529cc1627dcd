// SPDX-License-Identifier: GPL-3.0-or-later
// What became of a method's run, as data: one outcome and any notes beside
// it. Each outcome and each note is a row with a stable English key (the
// command line's JSON and scripts read it), a Russian word (the legends and
// the comparison) and a mark (after the value in the results table), and
// writes its own sentence with the figures that back it. A method added
// later that can end in a way of its own adds a value and a row here (say
// "contraction_not_met" or "oscillating") and changes none of the others.
//
// The verdicts themselves are judged in run_verdict.h from the history and
// the equation; the thresholds they use are in verdict_thresholds.h.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/history.h"

namespace app {

enum class Outcome : std::uint8_t {
  kConverged,             // the stopping test held, and a root lies near xₙ
  kNotARoot,              // the test held, but no root lies near xₙ
  kFTendsToZero,          // xₙ runs away while f decays: f → 0 at infinity
  kMultipleRoot,          // a root of multiplicity 2 or more: the test does not bound the error
  kIterationCap,          // the pass cap came first
  kCycle,                 // the approximations repeat with a period of 2 or more
  kDiverged,              // xₙ or |f| grow without bound (an error may end it)
  kPrecisionUnreachable,  // no double near xₙ can meet the test
  kError,                 // a floating-point error ended the method
  kNotRun,                // an earlier error stopped the comparison first
};

enum class Note : std::uint8_t {
  kOutsideInterval,        // xₙ lies outside [start, end]
  kExactRootPassed,        // some pass had f(xₙ) = 0 exactly, and the method moved on
  kStoppedOnZeroQuantity,  // the test held only because its quantity became 0
  kHigherOrder,            // the order is above what the method promises
  kContraction,        // simple iteration: q < 1 on the grid, and the test that bounds the error
  kContractionNotMet,  // simple iteration: q ≥ 1 or unknown, and the plain step test
  kConditionNotMet,    // the method's condition failed: it ran nothing
};

// A set of notes, listed in the table's order.
class NoteSet {
 public:
  constexpr void Add(Note note) { bits_ |= Bit(note); }
  constexpr bool Contains(Note note) const { return (bits_ & Bit(note)) != 0; }
  constexpr bool empty() const { return bits_ == 0; }

 private:
  static constexpr std::uint32_t Bit(Note note) { return 1u << static_cast<unsigned>(note); }
  std::uint32_t bits_ = 0;
};

// Why a held stopping test found no root (kNotARoot).
enum class NoRootReason : std::uint8_t {
  kNoSignChangeNear,  // f keeps its sign round xₙ
  kSameSignAtEnds,    // a bracketing method on an interval without a sign change
  kJump,              // f changes sign near xₙ, but through a jump or a pole, not a zero
  kSmallEverywhere,   // an |f| test: f is about as small at every point the run saw
};

struct Verdict {
  Outcome outcome = Outcome::kNotRun;
  NoteSet notes;
  std::uint8_t method = 0;
  std::string_view tested_name;       // the stopping quantity's name
  std::optional<long double> tested;  // its value at the last pass
  double precision = 0;
  double start = 0;
  double end = 0;
  std::int32_t last_pass = 0;  // n of the last row
  double last_x = 0;
  std::optional<double> last_f;
  double largest_f = 0;  // the largest |f| the run saw, at its ends and points
  // Where the evidence was looked for: kEvidenceSteps · max(|Δ|, eps).
  double reach = 0;
  // The root the evidence found (refined, inside a sign change): for
  // kConverged, and for kMultipleRoot where f changes sign round it.
  std::optional<long double> root;
  NoRootReason reason = NoRootReason::kNoSignChangeNear;  // kNotARoot
  int period = 0;                                         // kCycle
  double multiplicity = 0;                                // kMultipleRoot
  double step_ratio = 0;  // kMultipleRoot: Newton's steady ratio, 0 where not measured
  // kPrecisionUnreachable of an |f| test: |f′(xₙ)|·ulp(xₙ), and the smallest
  // |f| at the doubles next to xₙ.
  double slope_ulp = 0;
  double smallest_f = 0;
  double farthest_x = 0;        // kDiverged, kFTendsToZero: the farthest |xₙ|
  std::int32_t exact_pass = 0;  // kExactRootPassed
  double exact_x = 0;
  double order = 0;  // kHigherOrder: the settled qₙ
  // The error that ended the method (kError, and kDiverged or
  // kFTendsToZero when an error ended them), and where it arose.
  std::string error;
  std::string error_place;
  // The bound the test compared with where it is not the precision (the
  // combined method's 2·eps, simple iteration's (1 − q)/q·eps).
  std::optional<double> tolerance;
  // Simple iteration: q on the grid (kContraction, kContractionNotMet).
  std::optional<double> contraction;
  // kConditionNotMet: why the method ran nothing.
  std::optional<core::ConditionFailure> refusal;
};

struct OutcomeEntry {
  Outcome outcome;
  std::string_view key;   // "not_a_root": stable, for scripts
  std::string_view word;  // "не корень": the legends, the comparison
  std::string_view mark;  // after the value in the results table; empty: none
  bool found_root;        // the run ended at a root: the table's fastest may be this method
  std::string (*sentence)(const Verdict&);  // what happened, with its figures
};

struct NoteEntry {
  Note note;
  std::string_view key;
  std::string_view mark;  // empty: the note stays out of the results table
  std::string (*sentence)(const Verdict&);
};

const OutcomeEntry& OutcomeRow(Outcome outcome);
const NoteEntry& NoteRow(Note note);
std::span<const OutcomeEntry> AllOutcomes();
std::span<const NoteEntry> AllNotes();

// The run ended at a root: the function plot marks it, the status line may
// name the method fastest.
bool FoundRoot(Outcome outcome);
std::string_view OutcomeWord(Outcome outcome);

// One paragraph in plain Russian: the outcome's sentence, then the notes'.
std::string VerdictText(const Verdict& verdict);

// What the results table adds after the method's value, without the dash:
// the outcome's mark ("не корень", "предел", "цикл"), or else a note's ("вне
// отрезка"); one only, for the cell is narrow. Empty where the method
// converged inside [start, end] and the table stays as it always was.
std::string TableMark(const Verdict& verdict);

}  // namespace app
