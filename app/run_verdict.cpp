// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/run_verdict.h"

#include <algorithm>
#include <cmath>

#include "app/method_report.h"
#include "app/number_text.h"
#include "app/pass_measures.h"
#include "app/reference_root.h"
#include "app/root_evidence.h"
#include "app/verdict_thresholds.h"
#include "core/method_table.h"

namespace app {

namespace {

// Where an error arose, told from what the last row holds.
std::string ErrorPlace(const core::MethodHistory& history, bool test_held) {
  if (history.passes.empty()) return "при первом приближении (проход 0)";
  const core::PassRecord& last = history.passes.back();
  const std::string n = FormatInteger(last.n);
  if (test_held || last.n >= core::MostPasses(core::EntryOf(history.method)))
    return "при округлении корня после прохода " + n;
  if (!last.fx) return "при вычислении f(xₙ) на проходе " + n;
  return "на проходе " + FormatInteger(last.n + 1) + ", после последней строки таблицы";
}

bool Residual(const core::MethodEntry& method) {
  return method.test.quantity == core::StoppingQuantity::kResidual;
}

// The larger |f| at the interval's ends: the scale against which f grows.
double EndsScale(const SolvedFunction& function, const core::MethodHistory& history) {
  double scale = 0;
  for (const double end : {history.start, history.end}) {
    const std::optional<long double> value = function.f(end);
    if (value && std::isfinite(*value))
      scale = std::max(scale, static_cast<double>(std::fabs(*value)));
  }
  return scale;
}

void NoteWhatLiesBesideTheOutcome(const core::MethodHistory& history, Verdict& verdict) {
  if (verdict.last_x < std::min(history.start, history.end) ||
      verdict.last_x > std::max(history.start, history.end))
    verdict.notes.Add(Note::kOutsideInterval);
  if (const std::optional<ExactHit> hit = ExactRootLeft(history)) {
    verdict.notes.Add(Note::kExactRootPassed);
    verdict.exact_pass = hit->pass;
    verdict.exact_x = hit->x;
  }
}

// The quantity reached 0 although the precision lies below anything else it
// could resolve: the test held only because of that zero.
bool HeldOnlyAtZero(const core::MethodEntry& method, const SolvedFunction& function,
                    const Verdict& verdict) {
  if (!verdict.tested || *verdict.tested != 0) return false;
  if (!(verdict.precision > 0)) return true;
  if (!Residual(method)) return verdict.precision < kResolutionUlps * Ulp(verdict.last_x);
  const std::optional<ResidualFloor> floor = FloorOfResidual(function, verdict.last_x);
  return floor && verdict.precision < floor->slope_ulp;
}

// A multiplicity worth the name: 2 or more, and not so large that it only
// measures how far x is from a root rather than the root itself.
bool Multiple(std::optional<double> multiplicity) {
  return multiplicity && *multiplicity >= kMultipleAtLeast && *multiplicity <= kMostMultiplicity;
}

// A root far from x is multiple only where x already sees it so: f at x
// behaves as c·(x − x*)^m, so the local estimate from f, f′ and f″ gives the
// same m and points at the same root.
bool SeenAlikeFromX(const SolvedFunction& function, double x, double multiplicity,
                    long double root) {
  const std::optional<LocalMultiple> local = EstimateLocalMultiple(function, x);
  if (!local) return false;
  const long double distance = std::fabs(x - root);
  return std::fabs(local->multiplicity - multiplicity) <= kAlike * multiplicity &&
         std::fabs(local->root - root) <= kAlike * distance;
}

void JudgeMultiple(double multiplicity, std::optional<long double> root, Verdict& verdict) {
  verdict.outcome = Outcome::kMultipleRoot;
  verdict.multiplicity = multiplicity;
  verdict.root = root;
}

// Where f keeps its sign round the point: a root of even multiplicity that
// the approximations approach, or none.
bool JudgeEvenMultiple(const core::MethodHistory& history, const SolvedFunction& function,
                       Verdict& verdict) {
  const std::optional<LocalMultiple> local = EstimateLocalMultiple(function, verdict.last_x);
  if (!local || !Multiple(local->multiplicity)) return false;
  if (!(std::fabs(local->root - verdict.last_x) <= ReferenceReach(history))) return false;
  if (!MovesTowards(history, local->root)) return false;
  const std::optional<long double> f_root = function.f(local->root);
  const std::optional<long double> f_last = function.f(verdict.last_x);
  if (!f_root || !f_last || !(std::fabs(*f_root) <= kMultipleRootDepth * std::fabs(*f_last)))
    return false;
  JudgeMultiple(local->multiplicity, std::nullopt, verdict);
  return true;
}

// The stopping test held: what backs it.
void JudgeHeldTest(const RunRecord& run, const core::MethodHistory& history,
                   const core::MethodEntry& method, const SolvedFunction& function,
                   Verdict& verdict) {
  if (HeldOnlyAtZero(method, function, verdict)) verdict.notes.Add(Note::kStoppedOnZeroQuantity);
  const double x = verdict.last_x;
  const double eps = verdict.precision > 0 ? verdict.precision : 0;
  const double steps = kEvidenceSteps * std::max(LastStep(history), eps);
  // The search for a sign change starts a few units in the last place of x
  // out (a root between two doubles) or a millionth of the reach, and needs
  // room for a second look.
  const double first = std::max(
      {kResolutionUlps * Ulp(x), steps * kEvidenceFirstLook, static_cast<double>(kSmallestLook)});
  verdict.reach = std::max(steps, 2 * first);
  const std::optional<double> newton_ratio =
      core::IsNewtonType(method) ? SteadyStepRatio(history) : std::nullopt;
  if (newton_ratio) verdict.step_ratio = *newton_ratio;

  const RootNear near = FindRootNear(function, x, verdict.reach, first);
  if (near.root) {
    const std::optional<double> m = MultiplicityTowards(function, x, *near.root);
    if (Multiple(m)) {
      JudgeMultiple(*m, near.root, verdict);
    } else {
      verdict.outcome = Outcome::kConverged;
      verdict.root = near.root;
      verdict.step_ratio = 0;
    }
    return;
  }
  // No root within reach: a multiple root further off that the method
  // creeps towards, where f changes sign round it ...
  if (!near.jump) {
    const RootNear further = FindRootNear(function, x, ReferenceReach(history));
    if (further.root && MovesTowards(history, *further.root)) {
      const std::optional<double> m = MultiplicityTowards(function, x, *further.root);
      if (Multiple(m) && SeenAlikeFromX(function, x, *m, *further.root)) {
        JudgeMultiple(*m, further.root, verdict);
        return;
      }
    }
  }
  // ... or where it does not: Newton's steps shrink by (m − 1)/m.
  if (newton_ratio) {
    JudgeMultiple(1 / (1 - *newton_ratio), std::nullopt, verdict);
    return;
  }
  if (JudgeEvenMultiple(history, function, verdict)) return;
  verdict.step_ratio = 0;
  if (RunsAwayWhileFDecays(history)) {
    verdict.outcome = Outcome::kFTendsToZero;
    verdict.farthest_x = Farthest(history);
    return;
  }
  verdict.outcome = Outcome::kNotARoot;
  if (near.jump) {
    verdict.reason = NoRootReason::kJump;
  } else if (StartsWithoutSignChange(run, history)) {
    verdict.reason = NoRootReason::kSameSignAtEnds;
  } else if (Residual(method) && verdict.last_f &&
             std::fabs(*verdict.last_f) >= kFlatShare * verdict.largest_f) {
    verdict.reason = NoRootReason::kSmallEverywhere;
  } else {
    verdict.reason = NoRootReason::kNoSignChangeNear;
  }
}

// The stopping test never held: why the method stopped.
void JudgeUnheldTest(const core::MethodHistory& history, const core::MethodEntry& method,
                     const SolvedFunction& function, Verdict& verdict) {
  verdict.period = CyclePeriod(history.passes);
  if (verdict.period > 0) {
    verdict.outcome = Outcome::kCycle;
    return;
  }
  if (Diverges(history, EndsScale(function, history))) {
    verdict.outcome = Outcome::kDiverged;
    verdict.farthest_x = Farthest(history);
    return;
  }
  if (RunsAwayWhileFDecays(history)) {
    verdict.outcome = Outcome::kFTendsToZero;
    verdict.farthest_x = Farthest(history);
    return;
  }
  verdict.outcome = Outcome::kIterationCap;
  if (!(verdict.precision > 0)) {
    verdict.outcome = Outcome::kPrecisionUnreachable;
  } else if (Residual(method)) {
    if (const std::optional<ResidualFloor> floor = FloorOfResidual(function, verdict.last_x);
        floor && floor->smallest_f > verdict.precision && floor->Resolution()) {
      verdict.outcome = Outcome::kPrecisionUnreachable;
      verdict.slope_ulp = floor->slope_ulp;
      verdict.smallest_f = floor->smallest_f;
    }
  } else if (verdict.precision < kResolutionUlps * Ulp(verdict.last_x)) {
    verdict.outcome = Outcome::kPrecisionUnreachable;
  }
}

// An error ended the method: after the approximations ran away, it is their
// consequence, and the verdict says so first.
void JudgeError(const core::MethodHistory& history, bool test_held, Verdict& verdict) {
  verdict.outcome = Outcome::kError;
  verdict.error = *history.error;
  verdict.error_place = ErrorPlace(history, test_held);
  if (history.passes.empty()) return;
  verdict.farthest_x = Farthest(history);
  if (RunsAwayWhileFDecays(history)) {
    verdict.outcome = Outcome::kFTendsToZero;
  } else if (verdict.farthest_x >= kGrowthBeforeError * XScale(history)) {
    verdict.outcome = Outcome::kDiverged;
  }
}

}  // namespace

Verdict JudgeRun(const RunRecord& run, const core::MethodHistory& history) {
  Verdict verdict;
  verdict.method = history.method;
  verdict.tested_name = TestedQuantityName(history.method);
  verdict.precision = history.precision;
  verdict.start = history.start;
  verdict.end = history.end;
  if (!history.ran) return verdict;
  if (history.refusal) {
    // Its condition failed: it ran nothing, and says why.
    verdict.refusal = history.refusal;
    verdict.notes.Add(Note::kConditionNotMet);
    return verdict;
  }
  const core::MethodSetup& setup = history.setup;
  if (setup.tolerance && *setup.tolerance != history.precision) verdict.tolerance = setup.tolerance;
  // The method of x = φ(x), which the cobweb draws: whether φ contracts, and
  // so which test it used.
  if (core::EntryOf(history.method).construction == core::Construction::kCobweb) {
    verdict.contraction = setup.contraction;
    const bool contracts = setup.contraction && *setup.contraction < 1;
    verdict.notes.Add(contracts ? Note::kContraction : Note::kContractionNotMet);
  }
  if (!history.passes.empty()) {
    const core::PassRecord& last = history.passes.back();
    verdict.last_pass = last.n;
    verdict.last_x = last.x;
    verdict.last_f = last.fx;
    verdict.tested = TestedQuantity(history.method, last);
  }
  // The test as the methods compare: it holds unless the quantity exceeds eps.
  const bool test_held =
      verdict.tested && !(*verdict.tested > setup.tolerance.value_or(history.precision));
  if (history.error) {
    JudgeError(history, test_held, verdict);
    return verdict;
  }
  if (history.passes.empty()) return verdict;
  const core::MethodEntry& method = core::EntryOf(history.method);
  const SolvedFunction function = FunctionOf(run, history);
  verdict.largest_f = LargestF(function, history);
  NoteWhatLiesBesideTheOutcome(history, verdict);
  if (test_held) {
    JudgeHeldTest(run, history, method, function, verdict);
  } else {
    JudgeUnheldTest(history, method, function, verdict);
  }
  return verdict;
}

void JudgeMethods(RunRecord& run) {
  for (const core::Method method : run.method_set)
    core::ForMethod(run.verdicts, method) = JudgeRun(run, run.History(method));
  run.judged = true;
}

Verdict VerdictOf(const RunRecord& run, std::uint8_t method) {
  if (run.judged && run.method_set.Contains(method)) return core::ForMethod(run.verdicts, method);
  return JudgeRun(run, run.History(method));
}

}  // namespace app
