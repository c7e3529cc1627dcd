// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/step_writers.h"

#include <array>
#include <cmath>

#include "app/method_geometry.h"
#include "app/method_report.h"
#include "app/number_text.h"
#include "app/pass_measures.h"
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

struct StepWriterEntry {
  core::Method method;
  StepWriter write;
};

constexpr core::PerMethod<StepWriterEntry> kStepWriters = {{
    {core::kBisection, WriteBisectionPass},
    {core::kChords, WriteChordsPass},
    {core::kTangents, WriteTangentsPass},
    {core::kSecants, WriteSecantsPass},
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

std::string StepContext::Check(int row, std::string_view quantity) const {
  const core::PassRecord* pass = Pass(row);
  const std::optional<long double> value =
      pass != nullptr ? TestedQuantity(history_.method, *pass)
                      : std::optional<long double>(StartingWidth(history_));
  const std::string eps = FormatReal(history_.precision);
  if (!value) return std::string(quantity) + " не вычисляется.";
  const std::string shown = std::string(quantity) + " = " + FormatReal(*value, digits_);
  // As the methods compare: the test holds unless the quantity exceeds eps.
  if (!(*value > history_.precision))
    return shown + " ≤ " + eps + " — проверка выполнена, остановка.";
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
