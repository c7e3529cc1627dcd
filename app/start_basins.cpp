// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/start_basins.h"

#include <algorithm>
#include <cmath>

#include "app/method_report.h"
#include "app/number_text.h"
#include "app/run_verdict.h"
#include "core/errors.h"
#include "core/evaluator.h"
#include "core/method_table.h"

namespace app {

namespace {

// Ends closer than this share of the strip's width reach one root.
constexpr double kSameRootShare = 1e-3;

// Raised by the host once the run has passed the strip's cap.
struct PassCapReached {};

// The run's equation for one start; before every evaluation it checks the
// request to stop and the strip's cap.
class BasinHost : public core::RootFindingHost {
 public:
  BasinHost(core::EquationSource source, const core::MethodHistory& history,
            const JobControl& control)
      : source_(std::move(source)), history_(history), control_(control) {}

  std::uint8_t SelectedEquation() const override {
    Check();
    return source_.Equation();
  }
  core::EquationSource SelectedSource() const override {
    Check();
    return source_;
  }
  std::string PrecisionText() const override { return std::string(); }
  void ProcessMessages() override {}

 private:
  void Check() const {
    control_.CheckCancelled();
    if (!history_.passes.empty() && history_.passes.back().n > kBasinPassCap)
      throw PassCapReached{};
  }

  core::EquationSource source_;
  const core::MethodHistory& history_;
  const JobControl& control_;
};

// One run from `start` with the method's own function, its history kept as
// the comparison keeps it and cut at the strip's cap. The root is not
// rounded: the strip asks where the run went, not what the table shows.
void TraceStart(const RunRecord& run, const core::MethodHistory& model, double start,
                const JobControl& control, core::MethodHistory& history) {
  std::vector<core::PassRecord> passes = std::move(history.passes);
  passes.clear();
  history = core::MethodHistory{};
  history.passes = std::move(passes);
  history.method = model.method;
  history.ran = true;
  history.start = start;
  history.precision = model.precision;
  history.end = model.end;
  const BasinHost host(SourceOf(model), history, control);
  const core::Coefficients coefficients{run.k, run.l};
  core::Evaluator evaluator(host, coefficients, &history);
  double x = start;
  try {
    core::EntryOf(model.method)
        .function(evaluator, x,
                  core::MethodInputs{start, model.precision, model.end, run.parameters});
  } catch (const core::Exception& error) {
    history.error = error.Message();
  } catch (const PassCapReached&) {
    while (history.passes.back().n > kBasinPassCap) history.passes.pop_back();
  }
  evaluator.FinishHistory();
}

std::string Point(double x) {
  return FormatReal(x, 6);
}

// Digits enough to tell neighbouring starts apart.
int StartDigits(const BasinStrip& strip) {
  const double spacing = (strip.right - strip.left) /
                         static_cast<double>(std::max<std::size_t>(1, strip.starts.size()));
  const double scale = std::max({std::fabs(strip.left), std::fabs(strip.right), 1e-300});
  if (!(spacing > 0) || !std::isfinite(scale / spacing)) return 15;
  return std::clamp(static_cast<int>(std::ceil(std::log10(scale / spacing))) + 1, 3, 15);
}

// The roots the starts reached, as the ends of their runs gathered into
// groups no wider apart than `tolerance`, each named by its middle end.
void GatherRoots(BasinStrip& strip, const std::vector<StartOutcome>& outcomes, double tolerance) {
  std::vector<std::size_t> reached;
  for (std::size_t i = 0; i < outcomes.size(); ++i)
    if (outcomes[i].fate == StartFate::kRoot) reached.push_back(i);
  std::sort(reached.begin(), reached.end(),
            [&outcomes](std::size_t p, std::size_t q) { return outcomes[p].x < outcomes[q].x; });
  for (std::size_t first = 0; first < reached.size();) {
    std::size_t last = first;
    while (last + 1 < reached.size() &&
           outcomes[reached[last + 1]].x - outcomes[reached[last]].x <= tolerance)
      ++last;
    const std::size_t index = strip.outcomes.size();
    // A root at 0 is reached as some tiny number: name it 0, not 1E-10.
    const double root = outcomes[reached[(first + last) / 2]].x;
    strip.outcomes.push_back({StartFate::kRoot, std::fabs(root) <= tolerance ? 0.0 : root});
    for (std::size_t i = first; i <= last; ++i) strip.outcome_of_start[reached[i]] = index;
    first = last + 1;
  }
}

}  // namespace

StartOutcome ClassifyStart(const RunRecord& run, const core::MethodHistory& history) {
  const double last = history.passes.empty() ? history.start : history.passes.back().x;
  // Each verdict maps to one fate; divergence that an error ended is judged
  // as divergence by the verdict already.
  switch (JudgeRun(run, history).outcome) {
    case Outcome::kConverged:
    case Outcome::kMultipleRoot:
      return {StartFate::kRoot, last};
    case Outcome::kNotARoot:
      return {StartFate::kNotARoot, last};
    case Outcome::kFTendsToZero:
      return {StartFate::kFToZeroFarAway, last};
    case Outcome::kCycle:
      return {StartFate::kCycle, last};
    case Outcome::kDiverged:
      return {StartFate::kDiverges, last};
    case Outcome::kIterationCap:
    case Outcome::kPrecisionUnreachable:
      return {StartFate::kNoConvergence, last};
    case Outcome::kError:
    case Outcome::kNotRun:
      break;
  }
  return {StartFate::kError, last};
}

bool HasBasins(std::uint8_t method) {
  return !core::EntryOf(method).keeps_bracket;
}

BasinStrip ComputeBasins(const RunRecord& run, std::uint8_t method, double left, double right,
                         int count, const JobControl& control) {
  const core::MethodHistory& model = run.History(method);
  BasinStrip strip;
  strip.method = method;
  strip.left = left;
  strip.right = right;
  strip.end = model.end;
  const auto starts = static_cast<std::size_t>(std::max(count, 1));
  std::vector<StartOutcome> outcomes;
  outcomes.reserve(starts);
  core::MethodHistory history;
  for (std::size_t i = 0; i < starts; ++i) {
    const double start =
        left + (right - left) * (static_cast<double>(i) + 0.5) / static_cast<double>(starts);
    strip.starts.push_back(start);
    TraceStart(run, model, start, control, history);
    outcomes.push_back(ClassifyStart(run, history));
    control.Report(static_cast<int>(i + 1), static_cast<int>(starts));
  }
  strip.outcome_of_start.assign(starts, 0);
  const double eps = std::isfinite(model.precision) ? std::fabs(model.precision) : 0;
  GatherRoots(strip, outcomes, std::max(10 * eps, kSameRootShare * (right - left)));
  for (const StartFate fate :
       {StartFate::kCycle, StartFate::kDiverges, StartFate::kFToZeroFarAway, StartFate::kNotARoot,
        StartFate::kNoConvergence, StartFate::kError}) {
    bool occurs = false;
    for (std::size_t i = 0; i < starts; ++i) {
      if (outcomes[i].fate != fate) continue;
      if (!occurs) strip.outcomes.push_back({fate, std::nullopt});
      occurs = true;
      strip.outcome_of_start[i] = strip.outcomes.size() - 1;
    }
  }
  for (std::size_t i = 0; i < starts; ++i) {
    if (i > 0 && strip.outcome_of_start[i] == strip.intervals.back().outcome) {
      strip.intervals.back().last = i;
    } else {
      strip.intervals.push_back({i, i, strip.outcome_of_start[i]});
    }
  }
  return strip;
}

std::string OutcomeText(const BasinOutcome& outcome) {
  switch (outcome.fate) {
    case StartFate::kRoot:
      return "сходится к корню " + Point(outcome.root.value_or(0));
    case StartFate::kCycle:
      return "зацикливание";
    case StartFate::kDiverges:
      return "расходится";
    case StartFate::kFToZeroFarAway:
      return "f → 0 на бесконечности";
    case StartFate::kNotARoot:
      return "останавливается не у корня";
    case StartFate::kNoConvergence:
      return "не сходится за " + FormatInteger(kBasinPassCap) + " проходов";
    case StartFate::kError:
      return "ошибка";
  }
  return std::string();
}

std::string BasinCaption(const BasinStrip& strip) {
  const core::MethodEntry& method = core::EntryOf(strip.method);
  std::string caption = "Куда ведёт начальное значение (метод " + std::string(method.of_name) +
                        "): " + FormatInteger(static_cast<std::int32_t>(strip.starts.size())) +
                        " значений от " + Point(strip.left) + " до " + Point(strip.right) +
                        ", не более " + FormatInteger(kBasinPassCap) + " проходов каждое";
  if (method.construction == core::Construction::kSecant)
    caption += "; конец b = " + Point(strip.end) + " у всех один";
  return caption + ".";
}

std::string BasinDescription(const BasinStrip& strip) {
  const int digits = StartDigits(strip);
  std::string text = BasinCaption(strip);
  const std::size_t described = std::min(strip.intervals.size(), kDescribedIntervals);
  for (std::size_t i = 0; i < described; ++i) {
    const BasinInterval& interval = strip.intervals[i];
    text += (i == 0 ? " " : "; ") + std::string("от ") +
            FormatReal(strip.starts[interval.first], digits) + " до " +
            FormatReal(strip.starts[interval.last], digits) + " — " +
            OutcomeText(strip.outcomes[interval.outcome]);
  }
  if (described < strip.intervals.size()) {
    return text + "; и ещё " +
           FormatInteger(static_cast<std::int32_t>(strip.intervals.size() - described)) +
           " отрезков до " + FormatReal(strip.starts.back(), digits) +
           " (все — в «Данные графика…»).";
  }
  return text + (strip.intervals.empty() ? "" : ".");
}

std::vector<std::vector<std::string>> BasinTable(const BasinStrip& strip) {
  const int digits = StartDigits(strip);
  std::vector<std::vector<std::string>> lines{{"от", "до", "начальных значений", "итог"}};
  for (const BasinInterval& interval : strip.intervals) {
    lines.push_back({FormatReal(strip.starts[interval.first], digits),
                     FormatReal(strip.starts[interval.last], digits),
                     FormatInteger(static_cast<std::int32_t>(interval.last - interval.first + 1)),
                     OutcomeText(strip.outcomes[interval.outcome])});
  }
  return lines;
}

std::size_t StartNearest(const BasinStrip& strip, double x) {
  if (strip.starts.empty()) return 0;
  const double share = (x - strip.left) / (strip.right - strip.left);
  const double index = std::floor(share * static_cast<double>(strip.starts.size()));
  if (!(index > 0)) return 0;
  return std::min(static_cast<std::size_t>(index), strip.starts.size() - 1);
}

std::string StartText(const BasinStrip& strip, std::size_t start) {
  return "x₀ = " + FormatReal(strip.starts[start], StartDigits(strip)) + ": " +
         OutcomeText(strip.outcomes[strip.outcome_of_start[start]]);
}

}  // namespace app
