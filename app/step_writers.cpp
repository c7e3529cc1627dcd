// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/step_writers.h"

#include <array>
#include <cmath>

#include "app/method_geometry.h"
#include "app/method_report.h"
#include "app/number_text.h"
#include "app/pass_measures.h"
#include "core/errors.h"
#include "core/method_table.h"

namespace app {

namespace {

constexpr std::string_view kDash = "—";

std::string Sign(double value) {
  return value > 0 ? "> 0" : value < 0 ? "< 0" : "= 0";
}

// Bisection: x := (a + b) / 2, then the half in which f changes sign.
std::vector<std::string> WriteBisectionPass(const StepContext& c, int row) {
  const core::PassRecord* pass = c.Pass(row);
  const core::PassRecord* before = c.Before(row);
  const double a = before != nullptr && before->a ? *before->a : c.History().start;
  const double b = before != nullptr && before->b ? *before->b : c.History().end;
  const std::string ends = "a = " + c.Number(a) + ", b = " + c.Number(b);
  if (pass == nullptr) return {ends + " — концы отрезка", c.Check(row, "|b − a|")};
  const std::string x = Subscripted("x", pass->n);
  const std::string midpoint =
      x + " = (a + b)/2 = (" + c.Number(a) + " + " + c.Term(b) + ")/2 = " + c.Number(pass->x);
  // Pass 0: the interval was within the precision before any pass.
  if (pass->n == 0) return {ends + "; " + midpoint, c.Check(row, "|b − a|")};
  return {
      midpoint, c.KeptHalf(row, a),
      "Отрезок [" + c.Number(pass->a) + "; " + c.Number(pass->b) + "]: " + c.Check(row, "|b − a|")};
}

// Chords: x := a + |f(a) / (f(a) − f(b))| · (b − a), then the sign change.
std::vector<std::string> WriteChordsPass(const StepContext& c, int row) {
  const core::PassRecord& pass = *c.Pass(row);
  const core::PassRecord* before = c.Before(row);
  const double a = before != nullptr && before->a ? *before->a : c.History().start;
  const double b = before != nullptr && before->b ? *before->b : c.History().end;
  const std::optional<double> fa = c.F(a);
  const std::optional<double> fb = c.F(b);
  const std::string x = Subscripted("x", pass.n);
  std::vector<std::string> lines{x + " = a + |f(a)/(f(a) − f(b))|·(b − a) = " + c.Number(a) +
                                 " + |" + c.Number(fa) + "/(" + c.Number(fa) + " − " + c.Term(fb) +
                                 ")|·(" + c.Number(b) + " − " + c.Term(a) +
                                 ") = " + c.Number(pass.x)};
  if (const std::optional<ReflectedChord> reflected =
          ChordReflection(c.Run(), c.History(), pass.n, a, b)) {
    lines.push_back(
        "f(a) и f(b) одного знака: хорда пересекает ось в x = " + c.Number(reflected->crossing) +
        ", а модуль дроби переносит точку на другую сторону от a.");
  }
  if (before == nullptr) {
    lines.push_back("Начальная точка хорды, a = " + c.Number(a) + ", b = " + c.Number(b) + ": " +
                    c.Check(row, "|f(" + x + ")|"));
    return lines;
  }
  lines.push_back(c.KeptHalf(row, a));
  lines.push_back("Отрезок [" + c.Number(pass.a) + "; " + c.Number(pass.b) +
                  "]: " + c.Check(row, "|f(" + x + ")|"));
  return lines;
}

// Tangents: x := x − f(x) / f′(x).
std::vector<std::string> WriteTangentsPass(const StepContext& c, int row) {
  const core::PassRecord& pass = *c.Pass(row);
  const core::PassRecord* before = c.Before(row);
  const std::string x = Subscripted("x", pass.n);
  const std::string check = c.Check(row, "|f(" + x + ")|");
  if (before == nullptr) return {x + " = " + c.Number(pass.x) + " — начальное значение", check};
  const std::string previous = Subscripted("x", before->n);
  return {x + " = " + previous + " − f(" + previous + ")/f′(" + previous +
              ") = " + c.Number(before->x) + " − " + c.Term(before->fx) + "/" +
              c.Term(before->dfx) + " = " + c.Number(pass.x),
          check};
}

// Secants: x := x − f(x) · (x − u) / (f(x) − f(u)), through the latest point
// and the one the record kept beside it: the end b for the first two
// secants, then the approximation before.
std::string SecondPointName(std::int32_t n) {
  return n <= 1 ? std::string("b") : Subscripted("x", n - 1);
}

std::vector<std::string> WriteSecantsPass(const StepContext& c, int row) {
  const core::PassRecord& pass = *c.Pass(row);
  const core::PassRecord* before = c.Before(row);
  const std::string x = Subscripted("x", pass.n);
  const std::string check = c.Check(row, "|" + x + " − " + SecondPointName(pass.n) + "|");
  if (before == nullptr) {
    return {x + " = " + c.Number(pass.x) + " — начальное значение; первая секущая — через " + x +
                " и b = " + c.Number(c.History().end),
            check};
  }
  const std::string latest = Subscripted("x", before->n);
  const std::string other = SecondPointName(before->n);
  const double u = before->b ? *before->b : c.History().end;
  const std::optional<double> f_latest = c.F(before->x);
  const std::optional<double> f_other = c.F(u);
  std::vector<std::string> lines{
      x + " = " + latest + " − f(" + latest + ")·(" + latest + " − " + other + ")/(f(" + latest +
      ") − f(" + other + ")) = " + c.Number(before->x) + " − " + c.Term(f_latest) + "·(" +
      c.Number(before->x) + " − " + c.Term(u) + ")/(" + c.Number(f_latest) + " − " +
      c.Term(f_other) + ") = " + c.Number(pass.x)};
  lines.push_back("Следующая секущая — через " + x + " и " + SecondPointName(pass.n) + ": " +
                  check);
  return lines;
}

// Simple iteration: x := φ(x), with φ(x) = x − λ·f(x) or the φ typed; the
// test compares the step with the tolerance from q (the run's setup).
std::vector<std::string> WriteIterationPass(const StepContext& c, int row) {
  const core::PassRecord& pass = *c.Pass(row);
  const core::PassRecord* before = c.Before(row);
  const std::string x = Subscripted("x", pass.n);
  const core::MethodSetup& setup = c.History().setup;
  if (before == nullptr) {
    std::string phi = setup.lambda ? "φ(x) = x − λ·f(x), λ = " + c.Number(*setup.lambda)
                                   : std::string("φ(x) задана формулой");
    if (setup.contraction) phi += ", q = max |φ′| ≈ " + c.Number(*setup.contraction);
    return {x + " = " + c.Number(pass.x) + " — начальное значение", phi + "."};
  }
  const std::string previous = Subscripted("x", before->n);
  std::string step = x + " = φ(" + previous + ")";
  if (setup.lambda) {
    step += " = " + previous + " − λ·f(" + previous + ") = " + c.Number(before->x) + " − " +
            c.Term(*setup.lambda) + "·" + c.Term(c.F(before->x));
  }
  return {step + " = " + c.Number(pass.x), c.Check(row, "|" + x + " − " + previous + "|")};
}

// The combined method: from one end the tangent, from the other the chord
// through the previous pair; the root stays between them, and the answer is
// the midpoint.
std::vector<std::string> WriteCombinedPass(const StepContext& c, int row) {
  const core::PassRecord& pass = *c.Pass(row);
  const core::PassRecord* before = c.Before(row);
  const std::string a = Subscripted("a", pass.n);
  const std::string b = Subscripted("b", pass.n);
  const std::string x = Subscripted("x", pass.n);
  const std::string midpoint = x + " = (" + a + " + " + b + ")/2 = " + c.Number(pass.x);
  const std::string check = c.Check(row, "|" + b + " − " + a + "|");
  if (before == nullptr || !before->a || !before->b || !pass.a || !pass.b)
    return {a + " = " + c.Number(pass.a) + ", " + b + " = " + c.Number(pass.b) + " — концы отрезка",
            midpoint, check};
  const double old_a = *before->a;
  const double old_b = *before->b;
  const std::optional<double> fa = c.F(old_a);
  const std::optional<double> fb = c.F(old_b);
  // Which end the chord moved: the one the chord formula gives.
  bool chord_at_a = true;
  if (fa && fb && *fa != *fb) {
    const double from_a = old_a - *fa * (old_b - old_a) / (*fb - *fa);
    chord_at_a = std::fabs(from_a - *pass.a) <= std::fabs(from_a - *pass.b);
  }
  const std::string old_a_name = Subscripted("a", before->n);
  const std::string old_b_name = Subscripted("b", before->n);
  const std::string& chord = chord_at_a ? a : b;
  const std::string& chord_from = chord_at_a ? old_a_name : old_b_name;
  const std::string& other = chord_at_a ? old_b_name : old_a_name;
  const double chord_x = chord_at_a ? old_a : old_b;
  const double other_x = chord_at_a ? old_b : old_a;
  const std::optional<double> f_chord = chord_at_a ? fa : fb;
  const std::optional<double> f_other = chord_at_a ? fb : fa;
  const std::string& tangent = chord_at_a ? b : a;
  const std::string& tangent_from = other;
  const std::optional<double> slope = c.Slope(other_x);
  return {chord + " = " + chord_from + " − f(" + chord_from + ")·(" + other + " − " + chord_from +
              ")/(f(" + other + ") − f(" + chord_from + ")) = " + c.Number(chord_x) + " − " +
              c.Term(f_chord) + "·(" + c.Number(other_x) + " − " + c.Term(chord_x) + ")/(" +
              c.Number(f_other) + " − " + c.Term(f_chord) +
              ") = " + c.Number(chord_at_a ? pass.a : pass.b) + " (хорда)",
          tangent + " = " + tangent_from + " − f(" + tangent_from + ")/f′(" + tangent_from +
              ") = " + c.Number(other_x) + " − " + c.Term(f_other) + "/" + c.Term(slope) + " = " +
              c.Number(chord_at_a ? pass.b : pass.a) + " (касательная)",
          midpoint, "Отрезок [" + c.Number(pass.a) + "; " + c.Number(pass.b) + "]: " + check};
}

struct StepWriterEntry {
  core::Method method;
  StepWriter write;
};

constexpr core::PerMethod<StepWriterEntry> kStepWriters = {{
    {core::kBisection, WriteBisectionPass},
    {core::kChords, WriteChordsPass},
    {core::kTangents, WriteTangentsPass},
    {core::kSecants, WriteSecantsPass},
    {core::kSimpleIteration, WriteIterationPass},
    {core::kCombined, WriteCombinedPass},
}};

static_assert(
    [] {
      for (std::size_t i = 0; i < kStepWriters.size(); ++i)
        if (kStepWriters[i].method != core::kMethods[i].number) return false;
      return true;
    }(),
    "one step writer for each method of the method table, in its order");

}  // namespace

StepContext::StepContext(const RunRecord& run, const core::MethodHistory& history, int digits)
    : run_(run), history_(history), digits_(digits), starting_row_(HasStartingRow(history)) {}

int StepContext::Rows() const {
  return static_cast<int>(history_.passes.size()) + (starting_row_ ? 1 : 0);
}

const core::PassRecord* StepContext::Pass(int row) const {
  const int index = starting_row_ ? row - 1 : row;
  if (index < 0 || index >= static_cast<int>(history_.passes.size())) return nullptr;
  return &history_.passes[static_cast<std::size_t>(index)];
}

const core::PassRecord* StepContext::Before(int row) const {
  return row > 0 ? Pass(row - 1) : nullptr;
}

std::string StepContext::Number(std::optional<double> value) const {
  return value ? FormatReal(*value, digits_) : std::string(kDash);
}

std::string StepContext::Term(std::optional<double> value) const {
  const std::string text = Number(value);
  return value && *value < 0 ? "(" + text + ")" : text;
}

std::optional<double> StepContext::F(double x) const {
  return EvaluateF(run_, history_, x);
}

std::optional<double> StepContext::Slope(double x) const {
  try {
    return run_.source.f_(x, {run_.k, run_.l});
  } catch (const core::Exception&) {
    return std::nullopt;
  }
}

std::string StepContext::Check(int row, std::string_view quantity) const {
  const core::PassRecord* pass = Pass(row);
  const std::optional<long double> value =
      pass != nullptr ? TestedQuantity(history_.method, *pass)
                      : std::optional<long double>(StartingWidth(history_));
  // The number the method compares with: the precision, or a tolerance of
  // its own (2ε, or (1 − q)/q·ε).
  const double tolerance = history_.setup.tolerance.value_or(history_.precision);
  const std::string eps =
      history_.setup.tolerance ? FormatReal(tolerance, digits_) : FormatReal(tolerance);
  if (!value) return std::string(quantity) + " не вычисляется.";
  const std::string shown = std::string(quantity) + " = " + FormatReal(*value, digits_);
  // As the methods compare: the test holds unless the quantity exceeds eps.
  if (!(*value > tolerance)) return shown + " ≤ " + eps + " — проверка выполнена, остановка.";
  const bool last = row + 1 == Rows();
  const core::MethodEntry& method = core::EntryOf(history_.method);
  if (last && !history_.error && pass != nullptr && pass->n >= core::MostPasses(method)) {
    return shown + " > " + eps + ", но это предел в " + FormatInteger(core::MostPasses(method)) +
           " проходов — остановка.";
  }
  return shown + " > " + eps + " — продолжаем.";
}

std::string StepContext::KeptHalf(int row, double a) const {
  const core::PassRecord& pass = *Pass(row);
  const std::string x = Subscripted("x", pass.n);
  const std::optional<double> fa = F(a);
  const auto value = [this](std::string_view name, std::optional<double> v) {
    return std::string(name) + " = " + Number(v) + (v ? " " + Sign(*v) : std::string());
  };
  const std::string signs = value("f(a)", fa) + ", " + value("f(" + x + ")", pass.fx) + ": ";
  const std::string product = "f(a)·f(" + x + ")";
  // What the method did, read from the ends it kept.
  if (!(pass.a && *pass.a == pass.x))
    return signs + product + " < 0 — знак меняется между a и " + x + ", b = " + x + ".";
  if (fa && pass.fx && (*fa == 0 || *pass.fx == 0))
    return signs + product + " = 0, а при произведении ≥ 0 метод переносит a: a = " + x + ".";
  return signs + product + " > 0 — между a и " + x + " знак не меняется, a = " + x + ".";
}

StepWriter StepWriterOf(std::uint8_t method) {
  return core::ForMethod(kStepWriters, method).write;
}

std::string Subscripted(std::string_view name, std::int32_t n) {
  static constexpr std::array<std::string_view, 10> kDigits = {"₀", "₁", "₂", "₃", "₄",
                                                               "₅", "₆", "₇", "₈", "₉"};
  std::string text(name);
  if (n < 0) text += "₋";
  for (const char digit : std::to_string(n < 0 ? -static_cast<std::int64_t>(n) : n))
    text += kDigits[static_cast<std::size_t>(digit - '0')];
  return text;
}

}  // namespace app
