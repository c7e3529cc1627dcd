// SPDX-License-Identifier: GPL-3.0-or-later
// Simple iteration and the combined method through the comparison run, as
// the typed-equation window and the command line run them: their rows in
// the table, their verdicts' keys and notes, which stopping test each says
// it used, the combined method's refusal, and what the window says about
// both before the run. And the plot of each: the cobweb on y = φ(x) and
// y = x, and the combined method's two lines and bracket a pass.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/method_conditions.h"
#include "app/method_geometry.h"
#include "app/run_verdict.h"
#include "app/table_window.h"
#include "core/expression/formula.h"
#include "core/floating_point_environment.h"
#include "core/method_table.h"
#include "tests/app/separator_guard.h"

namespace app {
namespace {

core::MethodSet AllSix() {
  return core::MethodSet::All();
}

struct RunCase {
  const char* name;
  const char* formula;
  const char* start;
  const char* end;
  const char* lambda;  // empty: the default
  core::Method method;
  const char* key;                 // the verdict's outcome key
  std::vector<std::string> notes;  // its notes' keys
  const char* said;                // a part of its verdict text
  const char* cell;                // a part of its value cell
};

const RunCase kRuns[] = {
    {"iteration converges",
     "x^3-2*x-5",
     "2",
     "3",
     "",
     core::kSimpleIteration,
     "converged",
     {"contraction"},
     "(1 − q)/q·ε = ",
     "2,094551"},
    {"iteration diverges with λ = 1",
     "x^3-2*x-5",
     "2",
     "3",
     "1",
     core::kSimpleIteration,
     "diverged",
     {"contraction_not_met"},
     "q = 24 ≥ 1",
     ""},
    {"combined converges",
     "x^3-2*x-5",
     "2",
     "3",
     "",
     core::kCombined,
     "converged",
     {},
     "≤ 2·ε = 2E-7",
     "2,0945515"},
    {"combined refuses where f″ changes sign",
     "x^3+x-1",
     "-1",
     "1",
     "",
     core::kCombined,
     "not_run",
     {"condition_not_met"},
     "f″ должна сохранять знак",
     "условие не выполнено"},
};

TEST(TwoMoreMethodsRunTest, RowsAndVerdicts) {
  core::EstablishFloatingPointEnvironment();
  const testing::SeparatorGuard comma(",");
  for (const RunCase& c : kRuns) {
    SCOPED_TRACE(c.name);
    InputTexts inputs;
    inputs.formula = c.formula;
    inputs.start = c.start;
    inputs.end = c.end;
    inputs.precision = "0,0000001";
    inputs.methods = AllSix();
    if (*c.lambda != '\0') inputs.parameters.lambda = std::stod(c.lambda);
    const SolvedRun solved = Solve(inputs);
    const std::vector<std::vector<std::string>> lines = solved.window.Lines();
    ASSERT_EQ(lines.size(), 7u);  // the header and six rows
    const Verdict verdict = VerdictOf(*solved.record, c.method);
    EXPECT_EQ(OutcomeRow(verdict.outcome).key, c.key);
    std::vector<std::string> notes;
    for (const NoteEntry& note : AllNotes())
      if (verdict.notes.Contains(note.note)) notes.emplace_back(note.key);
    EXPECT_EQ(notes, c.notes);
    const std::string text = VerdictText(verdict);
    EXPECT_NE(text.find(c.said), std::string::npos) << text;
    // The method's row, wherever the sort put it.
    const std::vector<core::Method>& rows = solved.record->rows;
    const auto at = std::find(rows.begin(), rows.end(), c.method);
    ASSERT_NE(at, rows.end());
    const std::vector<std::string>& row = lines.at(static_cast<std::size_t>(at - rows.begin()) + 1);
    EXPECT_EQ(row[0], core::EntryOf(c.method).name);
    EXPECT_NE(row[1].find(c.cell), std::string::npos) << row[1];
  }
}

struct NoteCase {
  const char* name;
  const char* formula;
  double start;
  double end;
  const char* lambda;
  std::string note;
};

const NoteCase kNotes[] = {
    {"contraction", "x^3-2*x-5", 2, 3, "",
     "Простая итерация: сжатие: q = 0,6 < 1 (q = max |φ′| по 1001 точке отрезка); λ = 1/M = "
     "0,04, M = max |f′| = 25.\nХорды и касательные: условие выполнено: f′ и f″ сохраняют знак "
     "по 101 точке отрезка."},
    {"no contraction", "x^3-2*x-5", 2, 3, "1",
     "Простая итерация: условие сходимости не выполнено: q = 24 (q = max |φ′| по 1001 точке "
     "отрезка); λ = 1.\nХорды и касательные: условие выполнено: f′ и f″ сохраняют знак по 101 "
     "точке отрезка."},
    {"f′ changes sign", "x^2-1", -2, 0.5, "",
     // φ′ = 1 + x/2 reaches 1,25 at the end; f′ = 2x is first ≥ 0 at the grid's
     // point next to 0.
     "Простая итерация: условие сходимости не выполнено: q = 1,25 (q = max |φ′| по 1001 точке "
     "отрезка); λ = 1/M = -0,25, M = max |f′| = 4.\nХорды и касательные: условие не выполнено, "
     "метод не будет запущен: f′ должна сохранять знак на отрезке, а она обращается в 0 или "
     "меняет знак около x = 1,110223E-16."},
};

TEST(TwoMoreMethodsRunTest, TheWindowSaysBeforeTheRun) {
  core::EstablishFloatingPointEnvironment();
  const testing::SeparatorGuard comma(",");
  for (const NoteCase& c : kNotes) {
    SCOPED_TRACE(c.name);
    core::MethodParameters parameters;
    if (*c.lambda != '\0') parameters.lambda = std::stod(c.lambda);
    const core::EquationSource source(core::expression::Formula::Parse(c.formula));
    EXPECT_EQ(ConditionsNote(AllSix(), source, {1, 1}, c.start, c.end, parameters), c.note);
  }
  const core::EquationSource source(core::expression::Formula::Parse("x^3-2*x-5"));
  EXPECT_EQ(ConditionsNote(core::MethodSet::Specified(), source, {1, 1}, 2, 3, {}), "");
}

TEST(TwoMoreMethodsRunTest, PlotsTheCobwebAndBothSides) {
  core::EstablishFloatingPointEnvironment();
  InputTexts inputs;
  inputs.formula = "x^3-2*x-5";
  inputs.start = "2";
  inputs.end = "3";
  inputs.methods = AllSix();
  const SolvedRun solved = Solve(inputs);

  const FunctionPlot cobweb = BuildFunctionPlot(*solved.record, core::kSimpleIteration, true);
  const core::MethodHistory& iteration = solved.record->History(core::kSimpleIteration);
  EXPECT_TRUE(cobweb.cobweb);
  EXPECT_FALSE(cobweb.spiral);  // φ′ ≥ 0 here: a staircase
  ASSERT_GE(cobweb.lines.size(), 4u);
  // Up to φ from the diagonal, then across to it: (x₀, x₀) → (x₀, x₁) → (x₁, x₁).
  const double x0 = iteration.passes[0].x;
  const double x1 = iteration.passes[1].x;
  EXPECT_EQ(cobweb.lines[0].from.x, x0);
  EXPECT_EQ(cobweb.lines[0].from.y, x0);
  EXPECT_EQ(cobweb.lines[0].to.y, x1);
  EXPECT_EQ(cobweb.lines[1].to.x, std::max(x0, x1));
  EXPECT_LE(cobweb.bottom, cobweb.range.left);  // the diagonal fits
  EXPECT_GE(cobweb.top, cobweb.range.right);

  const FunctionPlot sides = BuildFunctionPlot(*solved.record, core::kCombined, true);
  const core::MethodHistory& combined = solved.record->History(core::kCombined);
  EXPECT_TRUE(sides.two_sided);
  const std::size_t passes = combined.passes.size();
  ASSERT_GE(passes, 2u);
  EXPECT_EQ(sides.lines.size(), 2 * (passes - 1));  // a chord and a tangent a pass
  ASSERT_EQ(sides.brackets.size(), passes - 1);
  for (std::size_t i = 0; i < sides.brackets.size(); ++i) {
    // The bar of pass n is the bracket that pass worked on.
    EXPECT_EQ(sides.brackets[i].left, *combined.passes[i].a);
    EXPECT_EQ(sides.brackets[i].right, *combined.passes[i].b);
  }
}

}  // namespace
}  // namespace app
