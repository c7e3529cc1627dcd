// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/verdict.h"

#include <array>
#include <cmath>
#include <limits>

#include "app/method_conditions.h"
#include "app/number_text.h"
#include "app/verdict_thresholds.h"
#include "core/method_table.h"
#include "core/root_finding.h"
#include "core/simple_iteration.h"

namespace app {

namespace {

// Quantities need only their magnitude, points enough digits to be told apart.
std::string Short(long double value) {
  return FormatReal(value, 4);
}
std::string ShortPoint(long double value) {
  return FormatReal(value, 7);
}

double Ulp(double x) {
  const double magnitude = std::fabs(x);
  return std::nextafter(magnitude, std::numeric_limits<double>::infinity()) - magnitude;
}

std::string Pass(const Verdict& v) {
  return FormatInteger(v.last_pass);
}
// The bound the test compared with: the precision, or the method's own
// bound with its value, "2·ε = 0,002".
std::string Eps(const Verdict& v) {
  if (!v.tolerance) return FormatReal(v.precision);
  return std::string(core::EntryOf(v.method).test.bound) + " = " + Short(*v.tolerance);
}
std::string Name(const Verdict& v) {
  return std::string(v.tested_name);
}
std::string Test(const Verdict& v) {
  return v.tested ? Name(v) + " = " + Short(*v.tested) : Name(v) + " не вычислена";
}
std::string FLast(const Verdict& v) {
  return v.last_f ? "f(xₙ) = " + Short(*v.last_f) : "f(xₙ) не вычисляется";
}
std::string Held(const Verdict& v) {
  return "на проходе " + Pass(v) + " проверка остановки выполнена (" + Test(v) + " ≤ " + Eps(v) +
         ")";
}
// ", затем ошибка на проходе 10: «Floating point division by zero»"; empty
// where no error ended the method.
std::string ThenError(const Verdict& v) {
  if (v.error.empty()) return std::string();
  return " Затем ошибка " + v.error_place + ": «" + v.error + "».";
}

std::string Converged(const Verdict& v) {
  return "Сошёлся: на проходе " + Pass(v) + " проверка остановки выполнена: " + Test(v) + " ≤ " +
         Eps(v) + (v.tolerance ? "" : " (точность)") + ", и рядом с xₙ f меняет знак: там корень.";
}

std::string NotARoot(const Verdict& v) {
  std::string why;
  switch (v.reason) {
    case NoRootReason::kNoSignChangeNear:
      why = "в пределах " + Short(v.reach) + " от xₙ f не меняет знак: корня рядом нет.";
      break;
    case NoRootReason::kSameSignAtEnds:
      why =
          "f(начало) и f(конец) одного знака: на отрезке нет смены знака, и метод пришёл к "
          "точке, где корня нет.";
      break;
    case NoRootReason::kJump:
      why = "f меняет знак рядом с xₙ скачком, через разрыв или полюс, а не через ноль.";
      break;
    case NoRootReason::kSmallEverywhere:
      why = "f мала на всех точках расчёта (наибольшее |f| = " + Short(v.largest_f) +
            ", а |f(xₙ)| не меньше его " + FormatReal(kFlatShare) +
            " доли): проверка ничего не говорит о корне, и в пределах " + Short(v.reach) +
            " от xₙ f не меняет знак.";
      break;
  }
  return "Не корень: " + Held(v) + ", но " + FLast(v) + ", и " + why;
}

std::string FTendsToZero(const Verdict& v) {
  std::string text =
      "f → 0 на бесконечности: корня нет. Приближения уходят всё дальше от отрезка (на проходе " +
      Pass(v) + " xₙ = " + ShortPoint(v.last_x) + "), а |f| убывает: " + FLast(v) + ".";
  if (v.error.empty()) {
    text += v.tested && !(*v.tested > v.precision)
                ? " Проверка " + Name(v) + " ≤ " + Eps(v) +
                      " выполнилась лишь потому, что f затухает, а не рядом с корнем."
                : " Метод шёл до предела в " + Pass(v) + " проходов.";
  }
  return text + ThenError(v);
}

std::string MultipleRoot(const Verdict& v) {
  const core::MethodEntry& method = core::EntryOf(v.method);
  std::string text = "Кратный корень, кратность m ≈ " + FormatReal(std::round(v.multiplicity));
  if (v.root) text += ", x* ≈ " + ShortPoint(*v.root);
  text += ": " + Held(v);
  if (v.step_ratio > 0)
    text += ", но линейно: шаг за проход убывает лишь в " + Short(1 / v.step_ratio) + " раза";
  text += ". ";
  const bool residual = method.test.quantity == core::StoppingQuantity::kResidual;
  if (residual) {
    text +=
        "У кратного корня |f| мала уже вдали от него: точность ограничивает |f|, а не "
        "погрешность";
  } else if (method.keeps_bracket) {
    text +=
        "Длина отрезка по-прежнему ограничивает погрешность, но |f| мала уже вдали от "
        "корня: малое |f| здесь не признак близости к нему";
  } else {
    text += "Сходимость к кратному корню линейная, и погрешность может быть намного больше шага";
  }
  if (v.root) {
    text += "; |xₙ − x*| = " + Short(std::fabs(v.last_x - *v.root)) + " при точности " + Eps(v);
  } else if (residual) {
    text += ": xₙ может отличаться от корня намного больше, чем на " + Eps(v);
  }
  return text + ".";
}

std::string IterationCap(const Verdict& v) {
  return "Не сошёлся: достигнут предел в " + Pass(v) + " проходов, а " + Test(v) + " всё ещё > " +
         Eps(v) + "; " + FLast(v) + ".";
}

std::string Cycle(const Verdict& v) {
  return "Не сошёлся: приближения повторяются с периодом " + FormatInteger(v.period) +
         " (зацикливание) до предела в " + Pass(v) + " проходов; " + FLast(v) + ".";
}

std::string Diverged(const Verdict& v) {
  std::string text = "Расходится: приближения или |f| растут без предела; на проходе " + Pass(v) +
                     " xₙ = " + ShortPoint(v.last_x) + ", " + FLast(v) + ".";
  if (!v.error.empty()) {
    text += ThenError(v) +
            " При таких огромных xₙ значения f и f′ выходят за пределы double или округляются "
            "к нулю: ошибка — следствие расхождения.";
  }
  return text;
}

std::string PrecisionUnreachable(const Verdict& v) {
  const std::string until = " Метод шёл до предела в " + Pass(v) + " проходов.";
  if (!(v.precision > 0)) {
    return "Не сошёлся: точность " + Eps(v) + " не положительна, и проверку " + Name(v) + " ≤ " +
           Eps(v) + " выполнить нельзя." + until;
  }
  const std::string near =
      "соседние double около xₙ = " + ShortPoint(v.last_x) + " отстоят на " + Short(Ulp(v.last_x));
  if (core::EntryOf(v.method).test.quantity == core::StoppingQuantity::kResidual) {
    return "Не сошёлся: проверка " + Name(v) + " ≤ " + Eps(v) + " невыполнима: " + near +
           ", и f между ними меняется на |f′(xₙ)|·ulp ≈ " + Short(v.slope_ulp) +
           "; наименьшее |f| на ближайших double — " + Short(v.smallest_f) + ", больше точности." +
           until;
  }
  return "Не сошёлся: точность " + Eps(v) + " меньше, чем различает double: " + near +
         ", и проверка " + Name(v) + " ≤ " + Eps(v) + " невыполнима." + until;
}

std::string Error(const Verdict& v) {
  return "Ошибка " + v.error_place + ": «" + v.error + "».";
}

std::string NotRun(const Verdict& v) {
  if (v.refusal) return "Метод не запускался: его условие на отрезке не выполнено.";
  return "Метод не запускался: расчёт прервала ошибка предыдущего метода.";
}

std::string OutsideInterval(const Verdict& v) {
  return "Замечание: последняя точка xₙ = " + ShortPoint(v.last_x) +
         " лежит вне отрезка [начало, конец].";
}

std::string ExactRootPassed(const Verdict& v) {
  return "Замечание: на проходе " + FormatInteger(v.exact_pass) +
         " найден точный корень x = " + ShortPoint(v.exact_x) +
         " (f = 0), но правило метода увело дальше.";
}

std::string StoppedOnZeroQuantity(const Verdict& v) {
  return "Замечание: точность " + Eps(v) +
         " меньше, чем различает double около xₙ; проверка выполнилась лишь потому, что "
         "величина стала нулём.";
}

std::string HigherOrder(const Verdict& v) {
  const core::MethodEntry& method = core::EntryOf(v.method);
  return "Замечание: порядок q ≈ " + FormatReal(core::RoundDecimal(v.order, -2)) +
         " выше ожидаемого для " + std::string(method.of_name) + " (" +
         FormatReal(core::RoundDecimal(method.expected_order, -1)) +
         "): похоже, корень — точка перегиба, где f″ = 0, и погрешность убывает быстрее.";
}

// "q = 0,6", as the grid of [start, end] found it, and where it looked.
std::string Q(const Verdict& v) {
  return "q = " + FormatReal(core::RoundDecimal(*v.contraction, -2));
}
std::string OnTheGrid() {
  return " (наибольшее |φ′| по " +
         FormatInteger(static_cast<std::int64_t>(core::kConditionGridPoints)) + " точке отрезка)";
}

std::string Contraction(const Verdict& v) {
  return "Сжатие: " + Q(v) + " < 1" + OnTheGrid() + ", поэтому проверка " + Name(v) +
         " ≤ (1 − q)/q·ε ограничивает погрешность |xₙ − x*| точностью.";
}

std::string ContractionNotMet(const Verdict& v) {
  const std::string q = v.contraction ? Q(v) + " ≥ 1" + OnTheGrid()
                                      : "q не оценить: φ′ не вычисляется ни в одной точке отрезка";
  return "Условие сходимости не выполнено: " + q + "; проверка " + Name(v) +
         " ≤ ε = " + FormatReal(v.precision) + " погрешности не ограничивает.";
}

std::string ConditionNotMet(const Verdict& v) {
  return "Условие метода: " + ConditionFailureText(*v.refusal) + ".";
}

constexpr std::array<OutcomeEntry, 10> kOutcomes = {{
    {Outcome::kConverged, "converged", "сошёлся", "", true, Converged},
    {Outcome::kNotARoot, "not_a_root", "не корень", "не корень", false, NotARoot},
    {Outcome::kFTendsToZero, "f_tends_to_zero", "f → 0, корня нет", "f → 0", false, FTendsToZero},
    {Outcome::kMultipleRoot, "multiple_root", "кратный корень", "кратный корень", true,
     MultipleRoot},
    {Outcome::kIterationCap, "iteration_cap", "предел проходов", "предел", false, IterationCap},
    {Outcome::kCycle, "cycle", "зацикливание", "цикл", false, Cycle},
    {Outcome::kDiverged, "diverged", "расходится", "расходится", false, Diverged},
    {Outcome::kPrecisionUnreachable, "precision_unreachable", "точность недостижима",
     "eps недостижима", false, PrecisionUnreachable},
    {Outcome::kError, "error", "ошибка", "ошибка", false, Error},
    {Outcome::kNotRun, "not_run", "не запускался", "", false, NotRun},
}};

constexpr std::array<NoteEntry, 7> kNotes = {{
    {Note::kOutsideInterval, "outside_interval", "вне отрезка", OutsideInterval},
    {Note::kExactRootPassed, "exact_root_passed", "", ExactRootPassed},
    {Note::kStoppedOnZeroQuantity, "stopped_on_zero_quantity", "", StoppedOnZeroQuantity},
    {Note::kHigherOrder, "higher_order", "", HigherOrder},
    {Note::kContraction, "contraction", "", Contraction},
    {Note::kContractionNotMet, "contraction_not_met", "", ContractionNotMet},
    {Note::kConditionNotMet, "condition_not_met", "условие не выполнено", ConditionNotMet},
}};

static_assert(
    [] {
      for (std::size_t i = 0; i < kOutcomes.size(); ++i)
        if (static_cast<std::size_t>(kOutcomes[i].outcome) != i) return false;
      for (std::size_t i = 0; i < kNotes.size(); ++i)
        if (static_cast<std::size_t>(kNotes[i].note) != i) return false;
      return true;
    }(),
    "the rows follow their enumerations");

}  // namespace

const OutcomeEntry& OutcomeRow(Outcome outcome) {
  return kOutcomes.at(static_cast<std::size_t>(outcome));
}

const NoteEntry& NoteRow(Note note) {
  return kNotes.at(static_cast<std::size_t>(note));
}

std::span<const OutcomeEntry> AllOutcomes() {
  return kOutcomes;
}

std::span<const NoteEntry> AllNotes() {
  return kNotes;
}

bool FoundRoot(Outcome outcome) {
  return OutcomeRow(outcome).found_root;
}

std::string_view OutcomeWord(Outcome outcome) {
  return OutcomeRow(outcome).word;
}

std::string VerdictText(const Verdict& verdict) {
  std::string text = OutcomeRow(verdict.outcome).sentence(verdict);
  for (const NoteEntry& note : kNotes)
    if (verdict.notes.Contains(note.note)) text += " " + note.sentence(verdict);
  return text;
}

std::string TableMark(const Verdict& verdict) {
  // One mark: the cell is narrow, and what the method did outweighs where.
  const std::string_view outcome = OutcomeRow(verdict.outcome).mark;
  if (!outcome.empty()) return std::string(outcome);
  for (const NoteEntry& note : kNotes)
    if (verdict.notes.Contains(note.note) && !note.mark.empty()) return std::string(note.mark);
  return std::string();
}

}  // namespace app
