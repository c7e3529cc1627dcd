// SPDX-License-Identifier: GPL-3.0-or-later
// The classic traps a lecturer shows on purpose, one row each, through the
// functions the windows use: the comparison run (its marks in the results
// table and its fastest method) and the analysis a detail window opens with
// (the verdict's key, notes and the figure that backs it). Then the
// comparison at equal accuracy, which must not reward a method for stopping
// early or at another root.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/equal_accuracy.h"
#include "app/method_analysis.h"
#include "app/run_verdict.h"
#include "app/table_window.h"
#include "core/floating_point_environment.h"
#include "core/method_table.h"
#include "tests/app/separator_guard.h"

namespace app {
namespace {

using testing::SeparatorGuard;

// A typed formula, or one of the list's equations when `formula` is empty.
struct Inputs {
  const char* formula;
  std::uint8_t equation;
  const char* k;
  const char* l;
  const char* start;
  const char* precision;
  const char* end;
};

InputTexts TextsOf(const Inputs& in) {
  InputTexts texts;
  texts.formula = in.formula;
  texts.equation = in.equation;
  texts.k = in.k;
  texts.l = in.l;
  texts.start = in.start;
  texts.precision = in.precision;
  texts.end = in.end;
  return texts;
}

constexpr Inputs kDecaying = {"x*exp(-x)", 0, "1", "1", "2", "0,001", "3"};
constexpr Inputs kSymmetric = {"sin(x)", 0, "1", "1", "-1", "0,001", "1"};
constexpr Inputs kTriple = {"(x-1)^3", 0, "1", "1", "0,5", "0,001", "3"};
constexpr Inputs kDouble = {"(x-1)^2", 0, "1", "1", "0,5", "0,001", "3"};
constexpr Inputs kSteep = {"10000000000*(x^2-2)", 0, "1", "1", "1", "0,000001", "2"};
constexpr Inputs kNoSignChange = {"", 0, "1", "1", "2", "0,001", "4"};
constexpr Inputs kRunaway = {"arctg(x)", 0, "1", "1", "3", "0,001", "4"};
constexpr Inputs kEquationFour = {"", 4, "3", "-2", "-1", "0,001", "2"};
constexpr Inputs kNoRootAnywhere = {"", 8, "2", "-1,5", "2", "0,5", "3"};
constexpr Inputs kExpMinusX = {"exp(-x)-x", 0, "1", "1", "0", "0,001", "1"};

// The method's cell in the results table: its row found through the record.
std::string ValueCell(const SolvedRun& solved, core::Method method) {
  const std::vector<core::Method>& rows = solved.record->rows;
  const auto row = std::find(rows.begin(), rows.end(), method) - rows.begin() + 1;
  return solved.window.Cell(1, static_cast<int>(row));
}

std::vector<Note> NotesOf(const Verdict& verdict) {
  std::vector<Note> notes;
  for (const NoteEntry& note : AllNotes())
    if (verdict.notes.Contains(note.note)) notes.push_back(note.note);
  return notes;
}

class VerdictTrapsTest : public ::testing::Test {
 protected:
  void SetUp() override { core::EstablishFloatingPointEnvironment(); }
  SeparatorGuard comma_{","};
};

TEST_F(VerdictTrapsTest, EachTrapGetsATrueVerdict) {
  const struct {
    const char* name;
    Inputs inputs;
    core::Method method;
    Outcome outcome;
    std::vector<Note> notes;
    const char* figure;  // as the verdict writes it
    const char* cell;    // the value cell; empty where an error left no table to mark
  } kCases[] = {
      {"Newton where f only decays",
       kDecaying,
       core::kTangents,
       Outcome::kFTendsToZero,
       {Note::kOutsideInterval},
       "xₙ = 10,01882",
       ""},
      {"bisection walks away from an exact root",
       kSymmetric,
       core::kBisection,
       Outcome::kNotARoot,
       {Note::kExactRootPassed},
       "на проходе 1 найден точный корень x = 0 (f = 0)",
       "0,999 — не корень"},
      {"tangents at an inflection point",
       kSymmetric,
       core::kTangents,
       Outcome::kConverged,
       {Note::kHigherOrder},
       "выше ожидаемого для касательных (2)",
       "0"},
      {"chords creep to a triple root",
       kTriple,
       core::kChords,
       Outcome::kMultipleRoot,
       {},
       "|xₙ − x*| = 0,09975 при точности 0,001",
       "0,9 — кратный корень"},
      {"secants at a triple root",
       kTriple,
       core::kSecants,
       Outcome::kMultipleRoot,
       {},
       "кратность m ≈ 3, x* ≈ 1",
       "0,997 — кратный корень"},
      {"bisection at a triple root",
       kTriple,
       core::kBisection,
       Outcome::kMultipleRoot,
       {},
       "Длина отрезка по-прежнему ограничивает погрешность",
       "1 — кратный корень"},
      {"chords at a double root",
       kDouble,
       core::kChords,
       Outcome::kMultipleRoot,
       {},
       "кратность m ≈ 2",
       "0,969 — кратный корень"},
      {"bisection without a sign change",
       kDouble,
       core::kBisection,
       Outcome::kNotARoot,
       {},
       "f(начало) и f(конец) одного знака",
       "2,999 — не корень"},
      {"|f| below what a double resolves",
       kSteep,
       core::kTangents,
       Outcome::kPrecisionUnreachable,
       {},
       "|f′(xₙ)|·ulp ≈ 6,28E-6",
       "1,414214 — eps недостижима"},
      {"chords leave the interval",
       kNoSignChange,
       core::kChords,
       Outcome::kConverged,
       {Note::kOutsideInterval},
       "xₙ = 4,712356 лежит вне отрезка",
       "4,712 — вне отрезка"},
      {"Newton runs away before an error",
       kRunaway,
       core::kTangents,
       Outcome::kDiverged,
       {},
       "Затем ошибка на проходе 10",
       ""},
      {"tangents cycle",
       kEquationFour,
       core::kTangents,
       Outcome::kCycle,
       {},
       "периодом 2",
       "-0,972 — цикл"},
      {"secants find a root far outside",
       kEquationFour,
       core::kSecants,
       Outcome::kConverged,
       {Note::kOutsideInterval},
       "xₙ = -2,91689",
       "-2,917 — вне отрезка"},
      {"no root anywhere",
       kNoRootAnywhere,
       core::kSecants,
       Outcome::kNotARoot,
       {Note::kOutsideInterval},
       "f не меняет знак",
       "3,3 — не корень"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    const SolvedRun solved = Solve(TextsOf(c.inputs));
    const Verdict verdict = Analyse(*solved.record, c.method).verdict;
    EXPECT_EQ(OutcomeRow(verdict.outcome).key, OutcomeRow(c.outcome).key);
    EXPECT_EQ(NotesOf(verdict), c.notes);
    EXPECT_NE(VerdictText(verdict).find(c.figure), std::string::npos) << VerdictText(verdict);
    if (*c.cell != '\0') {
      EXPECT_EQ(ValueCell(solved, c.method), c.cell);
    }
  }
}

TEST_F(VerdictTrapsTest, TheFastestIsAMethodThatFoundARoot) {
  const struct {
    const char* name;
    Inputs inputs;
    const char* status;
  } kCases[] = {
      {"chords' root lies outside, and bisection's 1,999 is none", kEquationFour,
       "Самый быстрый метод для данного уравнения - Метод хорд"},
      {"bisection is first by passes, but has no root", kSymmetric,
       "Самый быстрый метод для данного уравнения - Метод хорд"},
      {"no root anywhere", kNoRootAnywhere, "Ни один метод не нашёл корень"},
      {"an error ends the run", kDecaying, ""},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    const SolvedRun solved = Solve(TextsOf(c.inputs));
    EXPECT_EQ(solved.window.StatusText(), c.status);
  }
}

TEST_F(VerdictTrapsTest, MethodsAreComparedAtEqualAccuracy) {
  const struct {
    const char* name;
    Inputs inputs;
    const char* text;
  } kCases[] = {
      // Chords stop at 3 digits, secants at 7: weighed at 3, they tie.
      {"exp(-x) - x", kExpMinusX,
       "При равной точности, 3 верные цифры корня x* ≈ 0,5671433, понадобилось вычислений f "
       "и f′: Метод хорд — 4 (проход 3), Метод секущих — 4 (проход 3), Метод касательных — 6 "
       "(проход 3), Метод половинного деления — 10 (проход 10). Меньше всего работы: Метод "
       "хорд и Метод секущих."},
      // Chords and tangents stop with one correct digit: at one digit the
      // tangents no longer win.
      {"a triple root", kTriple,
       "При равной точности, 1 верная цифра корня x* ≈ 1, понадобилось вычислений f и f′: "
       "Метод половинного деления — 4 (проход 4), Метод касательных — 8 (проход 4), Метод "
       "секущих — 8 (проход 7), Метод хорд — 177 (проход 176). Меньше всего работы: Метод "
       "половинного деления."},
      {"each its own root", kNoSignChange,
       "При равной точности, 5 верных цифр корня x* ≈ 1,570796, понадобилось вычислений f и "
       "f′: Метод касательных — 4 (проход 2). Сравнивать не с чем: больше ни один метод не дал "
       "этот корень с такой точностью. Отдельно: Метод половинного деления — не нашёл корень (не "
       "корень); Метод хорд — нашёл другой корень x* ≈ 4,712389; Метод секущих — нашёл другой "
       "корень x* ≈ -1,570796."},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    const SolvedRun solved = Solve(TextsOf(c.inputs));
    const RunAnalyses analyses = AnalyseRun(*solved.record);
    EXPECT_EQ(EqualAccuracyText(CompareAtEqualAccuracy(*solved.record, analyses)), c.text);
  }
}

}  // namespace
}  // namespace app
