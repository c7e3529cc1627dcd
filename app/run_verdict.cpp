// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/run_verdict.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "app/method_report.h"
#include "app/number_text.h"
#include "app/pass_measures.h"
#include "core/method_table.h"

namespace app {

namespace {

// f at the last point counts as not small beyond this share of the larger
// |f| at the interval's ends (and beyond the precision).
constexpr double kSmallShareOfF = 0.05;
// Approximations that agree to this relative distance repeat.
constexpr double kRepeatTolerance = 1e-9;
constexpr int kLongestPeriod = 16;
// How far beyond the inputs' scale, in x or in |f|, counts as without bound.
constexpr double kFar = 1e6;
// A precision below this many units in the last place of x cannot be met.
constexpr double kResolutionUlps = 4;
// Linear tangent steps: ratios within these bounds, this close to each other.
constexpr double kLowestRatio = 0.2;
constexpr double kHighestRatio = 0.95;
constexpr double kRatioSpread = 0.15;
constexpr std::size_t kRatiosCompared = 3;

double Ulp(double x) {
  const double magnitude = std::fabs(x);
  return std::nextafter(magnitude, std::numeric_limits<double>::infinity()) - magnitude;
}

bool Near(double u, double v) {
  return std::fabs(u - v) <= kRepeatTolerance * std::max({1.0, std::fabs(u), std::fabs(v)});
}

// The shortest period p >= 2 with which the last 2p approximations repeat
// (checked over 3p of them), where they are not all one point; 0 otherwise.
int CyclePeriod(const std::vector<core::PassRecord>& passes) {
  for (int period = 2; period <= kLongestPeriod; ++period) {
    const auto p = static_cast<std::size_t>(period);
    if (passes.size() < 3 * p) break;
    const std::size_t last = passes.size() - 1;
    bool repeats = true;
    for (std::size_t i = last; i + 2 * p > last && repeats; --i)
      repeats = Near(passes[i].x, passes[i - p].x);
    if (!repeats) continue;
    bool moves = false;
    for (std::size_t i = last; i + p > last; --i)
      moves = moves || !Near(passes[i].x, passes[last].x);
    if (moves) return period;
  }
  return 0;
}

bool Diverges(const core::MethodHistory& history, double f_scale) {
  const core::PassRecord& last = history.passes.back();
  const double x_scale = std::max({1.0, std::fabs(history.start), std::fabs(history.end)});
  double farthest = 0;
  double largest_f = 0;
  for (const core::PassRecord& pass : history.passes) {
    farthest = std::max(farthest, std::fabs(pass.x));
    if (pass.fx) largest_f = std::max(largest_f, std::fabs(*pass.fx));
  }
  const bool x_grows = std::fabs(last.x) > kFar * x_scale && std::fabs(last.x) >= farthest;
  const bool f_grows = last.fx && std::fabs(*last.fx) > kFar * std::max(1.0, f_scale) &&
                       std::fabs(*last.fx) >= largest_f;
  return x_grows || f_grows;
}

// Tangents (core::IsNewtonType) whose last steps shrink by one steady ratio
// r converge linearly: at a root of multiplicity m the ratio is (m − 1) / m.
std::optional<double> SteadyStepRatio(const core::MethodHistory& history) {
  std::vector<double> steps;
  for (const core::PassRecord& pass : history.passes)
    if (pass.step && *pass.step > 0) steps.push_back(*pass.step);
  if (steps.size() < kRatiosCompared + 1) return std::nullopt;
  double lowest = 1;
  double highest = 0;
  double sum = 0;
  for (std::size_t i = steps.size() - kRatiosCompared; i < steps.size(); ++i) {
    const double ratio = steps[i] / steps[i - 1];
    lowest = std::min(lowest, ratio);
    highest = std::max(highest, ratio);
    sum += ratio;
  }
  if (lowest < kLowestRatio || highest > kHighestRatio || highest - lowest > kRatioSpread)
    return std::nullopt;
  return sum / kRatiosCompared;
}

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

double FScale(const RunRecord& run, const core::MethodHistory& history) {
  const double at_start = EvaluateF(run, history, history.start).value_or(0);
  const double at_end = EvaluateF(run, history, history.end).value_or(0);
  return std::max(std::fabs(at_start), std::fabs(at_end));
}

// Quantities need only their magnitude, points enough digits to be told apart.
std::string Short(long double value) {
  return FormatReal(value, 4);
}
std::string ShortPoint(long double value) {
  return FormatReal(value, 7);
}

bool BelowResolution(double precision, double x) {
  return !(precision > 0) || precision < kResolutionUlps * Ulp(x);
}

}  // namespace

bool TestHeld(Outcome outcome) {
  return outcome == Outcome::kConverged || outcome == Outcome::kFNotSmall ||
         outcome == Outcome::kMultipleRoot;
}

bool FoundRoot(Outcome outcome) {
  return outcome == Outcome::kConverged || outcome == Outcome::kMultipleRoot;
}

Verdict JudgeRun(const RunRecord& run, const core::MethodHistory& history) {
  Verdict verdict;
  verdict.method = history.method;
  verdict.tested_name = TestedQuantityName(history.method);
  verdict.precision = history.precision;
  if (!history.ran) return verdict;
  if (!history.passes.empty()) {
    const core::PassRecord& last = history.passes.back();
    verdict.last_pass = last.n;
    verdict.last_x = last.x;
    verdict.last_f = last.fx;
    verdict.tested = TestedQuantity(history.method, last);
  }
  // The test as the methods compare: it holds unless the quantity exceeds eps.
  const bool test_held = verdict.tested && !(*verdict.tested > history.precision);
  if (history.error) {
    verdict.outcome = Outcome::kError;
    verdict.error = *history.error;
    verdict.error_place = ErrorPlace(history, test_held);
    return verdict;
  }
  if (history.passes.empty()) return verdict;
  const double f_scale = FScale(run, history);
  const core::MethodEntry& method = core::EntryOf(history.method);
  // A method that keeps a bracket never leaves it.
  verdict.outside_interval =
      !method.keeps_bracket && (verdict.last_x < std::min(history.start, history.end) ||
                                verdict.last_x > std::max(history.start, history.end));
  if (test_held) {
    verdict.outcome = Outcome::kConverged;
    verdict.held_below_resolution = BelowResolution(history.precision, verdict.last_x);
    if (verdict.last_f &&
        std::fabs(*verdict.last_f) > std::max(history.precision, kSmallShareOfF * f_scale)) {
      verdict.outcome = Outcome::kFNotSmall;
    } else if (core::IsNewtonType(method)) {
      if (const std::optional<double> ratio = SteadyStepRatio(history)) {
        verdict.outcome = Outcome::kMultipleRoot;
        verdict.step_ratio = *ratio;
        verdict.multiplicity = 1 / (1 - *ratio);
      }
    }
    return verdict;
  }
  verdict.period = CyclePeriod(history.passes);
  if (verdict.period > 0) {
    verdict.outcome = Outcome::kCycling;
  } else if (Diverges(history, f_scale)) {
    verdict.outcome = Outcome::kDiverging;
  } else if (BelowResolution(history.precision, verdict.last_x)) {
    verdict.outcome = Outcome::kUnreachable;
  } else {
    verdict.outcome = Outcome::kCap;
  }
  return verdict;
}

std::string_view OutcomeWord(Outcome outcome) {
  switch (outcome) {
    case Outcome::kConverged:
      return "сошёлся";
    case Outcome::kFNotSmall:
      return "f не мала — не корень";
    case Outcome::kMultipleRoot:
      return "кратный корень";
    case Outcome::kCap:
      return "предел проходов";
    case Outcome::kCycling:
      return "зацикливание";
    case Outcome::kDiverging:
      return "расходится";
    case Outcome::kUnreachable:
      return "точность недостижима";
    case Outcome::kError:
      return "ошибка";
    case Outcome::kNotRun:
      return "не запускался";
  }
  return std::string_view();
}

std::string VerdictText(const Verdict& verdict) {
  const std::string name(verdict.tested_name);
  const std::string test =
      verdict.tested ? name + " = " + Short(*verdict.tested) : name + " не вычислена";
  const std::string eps = FormatReal(verdict.precision);
  const std::string n = FormatInteger(verdict.last_pass);
  const std::string f_last =
      verdict.last_f ? "f(xₙ) = " + Short(*verdict.last_f) : "f(xₙ) не вычисляется";
  std::string text;
  switch (verdict.outcome) {
    case Outcome::kConverged:
      text = "Сошёлся: на проходе " + n + " проверка остановки выполнена: " + test + " ≤ " + eps +
             " (точность).";
      break;
    case Outcome::kFNotSmall:
      text = "Проверка остановки выполнена на проходе " + n + " (" + test + " ≤ " + eps + "), но " +
             f_last +
             " далеко от нуля: это не корень. Так бывает у скачка или полюса f "
             "и на отрезке, где f не меняет знак.";
      break;
    case Outcome::kMultipleRoot:
      text = "Сошёлся по " + test + " ≤ " + eps + " на проходе " + n +
             ", но линейно: шаг за проход убывает лишь в " + Short(1 / verdict.step_ratio) +
             " раза. Похоже на кратный корень, кратность m ≈ " +
             FormatReal(std::round(verdict.multiplicity)) +
             ". Точность здесь ограничивает |f|, а не погрешность: xₙ может "
             "отличаться от корня намного больше, чем на " +
             eps + ".";
      break;
    case Outcome::kCap:
      text = "Не сошёлся: достигнут предел в " + n + " проходов, а " + test + " всё ещё > " + eps +
             "; " + f_last + ".";
      break;
    case Outcome::kCycling:
      text = "Не сошёлся: приближения повторяются с периодом " + FormatInteger(verdict.period) +
             " (зацикливание) до предела в " + n + " проходов; " + f_last + ".";
      break;
    case Outcome::kDiverging:
      text = "Не сошёлся: приближения или |f| растут без предела; на проходе " + n +
             " xₙ = " + ShortPoint(verdict.last_x) + ", " + f_last + ".";
      break;
    case Outcome::kUnreachable:
      text = verdict.precision > 0
                 ? "Не сошёлся: точность " + eps +
                       " меньше, чем различает double около xₙ = " + ShortPoint(verdict.last_x) +
                       " (соседние числа отстоят на " + Short(Ulp(verdict.last_x)) +
                       "), и проверка " + name + " ≤ " + eps +
                       " невыполнима; метод шёл до предела в " + n + " проходов."
                 : "Не сошёлся: точность " + eps + " не положительна, и проверку " + name + " ≤ " +
                       eps + " выполнить нельзя; метод шёл до предела в " + n + " проходов.";
      break;
    case Outcome::kError:
      text = "Ошибка " + verdict.error_place + ": «" + verdict.error + "».";
      break;
    case Outcome::kNotRun:
      text = "Метод не запускался: расчёт прервала ошибка предыдущего метода.";
      break;
  }
  if (verdict.outside_interval) {
    text += " Замечание: последняя точка xₙ = " + ShortPoint(verdict.last_x) +
            " лежит вне отрезка [начало, конец].";
  }
  if (verdict.held_below_resolution) {
    text += " Замечание: точность " + eps +
            " меньше, чем различает double около xₙ; проверка выполнилась лишь потому, "
            "что величина стала нулём.";
  }
  return text;
}

}  // namespace app
