// SPDX-License-Identifier: GPL-3.0-or-later
// The worked solution as a student copies it: each method's passes of the
// defaults written out in full, a chord whose point the absolute value
// reflects, and the ends of a run at the pass cap with the line that
// stands for the passes between.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/comparison_run.h"
#include "app/method_analysis.h"
#include "app/table_window.h"
#include "app/worked_solution.h"
#include "core/errors.h"
#include "core/floating_point_environment.h"
#include "core/method_table.h"
#include "tests/app/separator_guard.h"
#include "tests/doubles/fake_window.h"

namespace app {
namespace {

struct Inputs {
  std::uint8_t equation;
  const char* start;
  const char* end;
  const char* l;
};

constexpr Inputs kDefaults = {0, "1", "2", "1"};
// f(a) and f(b) of one sign: the absolute value carries the first point of
// the chord past b.
constexpr Inputs kReflected = {0, "2", "4", "1"};
// No root: tangents wander until the pass cap.
constexpr Inputs kNoRoot = {8, "1", "2", "1,5"};

std::shared_ptr<const RunRecord> Compute(const Inputs& inputs) {
  core::EstablishFloatingPointEnvironment();
  doubles::FakeWindow window;
  window.Select(inputs.equation);
  window.SetInput(Input::kL, inputs.l);
  window.SetInput(Input::kStart, inputs.start);
  window.SetInput(Input::kEnd, inputs.end);
  return doubles::RunComparison(window);
}

WorkedSolution Solution(const RunRecord& run, std::uint8_t method) {
  return WriteSolution(run, method, Analyse(run, method).verdict);
}

class WorkedSolutionTest : public ::testing::Test {
 protected:
  testing::SeparatorGuard comma_{","};
};

TEST_F(WorkedSolutionTest, WritesEachPassInTheMethodsFormula) {
  const struct {
    const char* name;
    Inputs inputs;
    std::uint8_t method;
    const char* text;
  } kCases[] = {
      {"bisection, defaults", kDefaults, core::kBisection,
       R"(Метод половинного деления. Уравнение x=k*cos(l*x), k = 1, l = 1; начальное значение 1, точность 0,001, конечный интервал 2.
f(x) = k·cos(l·x)
Проход 0.  a = 1, b = 2 — концы отрезка
           |b − a| = 1 > 0,001 — продолжаем.
Проход 1.  x₁ = (a + b)/2 = (1 + 2)/2 = 1,5
           f(a) = 0,540302 > 0, f(x₁) = 0,0707372 > 0: f(a)·f(x₁) > 0 — между a и x₁ знак не меняется, a = x₁.
           Отрезок [1,5; 2]: |b − a| = 0,5 > 0,001 — продолжаем.
Проход 2.  x₂ = (a + b)/2 = (1,5 + 2)/2 = 1,75
           f(a) = 0,0707372 > 0, f(x₂) = -0,178246 < 0: f(a)·f(x₂) < 0 — знак меняется между a и x₂, b = x₂.
           Отрезок [1,5; 1,75]: |b − a| = 0,25 > 0,001 — продолжаем.
Проход 3.  x₃ = (a + b)/2 = (1,5 + 1,75)/2 = 1,625
           f(a) = 0,0707372 > 0, f(x₃) = -0,0541771 < 0: f(a)·f(x₃) < 0 — знак меняется между a и x₃, b = x₃.
           Отрезок [1,5; 1,625]: |b − a| = 0,125 > 0,001 — продолжаем.
Проход 4.  x₄ = (a + b)/2 = (1,5 + 1,625)/2 = 1,5625
           f(a) = 0,0707372 > 0, f(x₄) = 0,00829623 > 0: f(a)·f(x₄) > 0 — между a и x₄ знак не меняется, a = x₄.
           Отрезок [1,5625; 1,625]: |b − a| = 0,0625 > 0,001 — продолжаем.
Проход 5.  x₅ = (a + b)/2 = (1,5625 + 1,625)/2 = 1,59375
           f(a) = 0,00829623 > 0, f(x₅) = -0,0229517 < 0: f(a)·f(x₅) < 0 — знак меняется между a и x₅, b = x₅.
           Отрезок [1,5625; 1,59375]: |b − a| = 0,03125 > 0,001 — продолжаем.
Проход 6.  x₆ = (a + b)/2 = (1,5625 + 1,59375)/2 = 1,57813
           f(a) = 0,00829623 > 0, f(x₆) = -0,00732861 < 0: f(a)·f(x₆) < 0 — знак меняется между a и x₆, b = x₆.
           Отрезок [1,5625; 1,57813]: |b − a| = 0,015625 > 0,001 — продолжаем.
Проход 7.  x₇ = (a + b)/2 = (1,5625 + 1,57813)/2 = 1,57031
           f(a) = 0,00829623 > 0, f(x₇) = 0,000483827 > 0: f(a)·f(x₇) > 0 — между a и x₇ знак не меняется, a = x₇.
           Отрезок [1,57031; 1,57813]: |b − a| = 0,0078125 > 0,001 — продолжаем.
Проход 8.  x₈ = (a + b)/2 = (1,57031 + 1,57813)/2 = 1,57422
           f(a) = 0,000483827 > 0, f(x₈) = -0,00342242 < 0: f(a)·f(x₈) < 0 — знак меняется между a и x₈, b = x₈.
           Отрезок [1,57031; 1,57422]: |b − a| = 0,00390625 > 0,001 — продолжаем.
Проход 9.  x₉ = (a + b)/2 = (1,57031 + 1,57422)/2 = 1,57227
           f(a) = 0,000483827 > 0, f(x₉) = -0,0014693 < 0: f(a)·f(x₉) < 0 — знак меняется между a и x₉, b = x₉.
           Отрезок [1,57031; 1,57227]: |b − a| = 0,00195313 > 0,001 — продолжаем.
Проход 10.  x₁₀ = (a + b)/2 = (1,57031 + 1,57227)/2 = 1,57129
            f(a) = 0,000483827 > 0, f(x₁₀) = -0,000492736 < 0: f(a)·f(x₁₀) < 0 — знак меняется между a и x₁₀, b = x₁₀.
            Отрезок [1,57031; 1,57129]: |b − a| = 0,000976563 ≤ 0,001 — проверка выполнена, остановка.
Итог: Сошёлся: на проходе 10 проверка остановки выполнена: |b − a| = 0,0009766 ≤ 0,001 (точность), и рядом с xₙ f меняет знак: там корень.
Числа записаны с 6 значащими цифрами из тех, что получил метод; пересчёт по этим округлённым числам может разойтись с записанным результатом в последней цифре.
)"},
      {"chords, defaults", kDefaults, core::kChords,
       R"(Метод хорд. Уравнение x=k*cos(l*x), k = 1, l = 1; начальное значение 1, точность 0,001, конечный интервал 2.
f(x) = k·cos(l·x)
Проход 0.  x₀ = a + |f(a)/(f(a) − f(b))|·(b − a) = 1 + |0,540302/(0,540302 − (-0,416147))|·(2 − 1) = 1,5649
           Начальная точка хорды, a = 1, b = 2: |f(x₀)| = 0,00589192 > 0,001 — продолжаем.
Проход 1.  x₁ = a + |f(a)/(f(a) − f(b))|·(b − a) = 1 + |0,540302/(0,540302 − (-0,416147))|·(2 − 1) = 1,5649
           f(a) = 0,540302 > 0, f(x₁) = 0,00589192 > 0: f(a)·f(x₁) > 0 — между a и x₁ знак не меняется, a = x₁.
           Отрезок [1,5649; 2]: |f(x₁)| = 0,00589192 > 0,001 — продолжаем.
Проход 2.  x₂ = a + |f(a)/(f(a) − f(b))|·(b − a) = 1,5649 + |0,00589192/(0,00589192 − (-0,416147))|·(2 − 1,5649) = 1,57098
           f(a) = 0,00589192 > 0, f(x₂) = -0,000182248 < 0: f(a)·f(x₂) < 0 — знак меняется между a и x₂, b = x₂.
           Отрезок [1,5649; 1,57098]: |f(x₂)| = 0,000182248 ≤ 0,001 — проверка выполнена, остановка.
Итог: Сошёлся: на проходе 2 проверка остановки выполнена: |f(xₙ)| = 0,0001822 ≤ 0,001 (точность), и рядом с xₙ f меняет знак: там корень.
Числа записаны с 6 значащими цифрами из тех, что получил метод; пересчёт по этим округлённым числам может разойтись с записанным результатом в последней цифре.
)"},
      {"tangents, defaults", kDefaults, core::kTangents,
       R"(Метод касательных. Уравнение x=k*cos(l*x), k = 1, l = 1; начальное значение 1, точность 0,001, конечный интервал 2.
f(x) = k·cos(l·x)
Проход 0.  x₀ = 1 — начальное значение
           |f(x₀)| = 0,540302 > 0,001 — продолжаем.
Проход 1.  x₁ = x₀ − f(x₀)/f′(x₀) = 1 − 0,540302/(-0,841471) = 1,64209
           |f(x₁)| = 0,0712359 > 0,001 — продолжаем.
Проход 2.  x₂ = x₁ − f(x₁)/f′(x₁) = 1,64209 − (-0,0712359)/(-0,997459) = 1,57068
           |f(x₂)| = 0,00012105 ≤ 0,001 — проверка выполнена, остановка.
Итог: Сошёлся: на проходе 2 проверка остановки выполнена: |f(xₙ)| = 0,000121 ≤ 0,001 (точность), и рядом с xₙ f меняет знак: там корень.
Числа записаны с 6 значащими цифрами из тех, что получил метод; пересчёт по этим округлённым числам может разойтись с записанным результатом в последней цифре.
)"},
      {"secants, defaults", kDefaults, core::kSecants,
       R"(Метод секущих. Уравнение x=k*cos(l*x), k = 1, l = 1; начальное значение 1, точность 0,001, конечный интервал 2.
f(x) = k·cos(l·x)
Проход 0.  x₀ = 1 — начальное значение; первая секущая — через x₀ и b = 2
           |x₀ − b| = 1 > 0,001 — продолжаем.
Проход 1.  x₁ = x₀ − f(x₀)·(x₀ − b)/(f(x₀) − f(b)) = 1 − 0,540302·(1 − 2)/(0,540302 − (-0,416147)) = 1,5649
           Следующая секущая — через x₁ и b: |x₁ − b| = 0,435096 > 0,001 — продолжаем.
Проход 2.  x₂ = x₁ − f(x₁)·(x₁ − b)/(f(x₁) − f(b)) = 1,5649 − 0,00589192·(1,5649 − 2)/(0,00589192 − (-0,416147)) = 1,57098
           Следующая секущая — через x₂ и x₁: |x₂ − x₁| = 0,0060742 > 0,001 — продолжаем.
Проход 3.  x₃ = x₂ − f(x₂)·(x₂ − x₁)/(f(x₂) − f(x₁)) = 1,57098 − (-0,000182248)·(1,57098 − 1,5649)/(-0,000182248 − 0,00589192) = 1,5708
           Следующая секущая — через x₃ и x₂: |x₃ − x₂| = 0,000182249 ≤ 0,001 — проверка выполнена, остановка.
Итог: Сошёлся: на проходе 3 проверка остановки выполнена: |a − b| = 0,0001822 ≤ 0,001 (точность), и рядом с xₙ f меняет знак: там корень.
Числа записаны с 6 значащими цифрами из тех, что получил метод; пересчёт по этим округлённым числам может разойтись с записанным результатом в последней цифре.
)"},
      {"chords, reflected", kReflected, core::kChords,
       R"(Метод хорд. Уравнение x=k*cos(l*x), k = 1, l = 1; начальное значение 2, точность 0,001, конечный интервал 4.
f(x) = k·cos(l·x)
Проход 0.  x₀ = a + |f(a)/(f(a) − f(b))|·(b − a) = 2 + |-0,416147/(-0,416147 − (-0,653644))|·(4 − 2) = 5,50444
           f(a) и f(b) одного знака: хорда пересекает ось в x = -1,50444, а модуль дроби переносит точку на другую сторону от a.
           Начальная точка хорды, a = 2, b = 4: |f(x₀)| = 0,711797 > 0,001 — продолжаем.
Проход 1.  x₁ = a + |f(a)/(f(a) − f(b))|·(b − a) = 2 + |-0,416147/(-0,416147 − (-0,653644))|·(4 − 2) = 5,50444
           f(a) и f(b) одного знака: хорда пересекает ось в x = -1,50444, а модуль дроби переносит точку на другую сторону от a.
           f(a) = -0,416147 < 0, f(x₁) = 0,711797 > 0: f(a)·f(x₁) < 0 — знак меняется между a и x₁, b = x₁.
           Отрезок [2; 5,50444]: |f(x₁)| = 0,711797 > 0,001 — продолжаем.
Проход 2.  x₂ = a + |f(a)/(f(a) − f(b))|·(b − a) = 2 + |-0,416147/(-0,416147 − 0,711797)|·(5,50444 − 2) = 3,29294
           f(a) = -0,416147 < 0, f(x₂) = -0,988569 < 0: f(a)·f(x₂) > 0 — между a и x₂ знак не меняется, a = x₂.
           Отрезок [3,29294; 5,50444]: |f(x₂)| = 0,988569 > 0,001 — продолжаем.
Проход 3.  x₃ = a + |f(a)/(f(a) − f(b))|·(b − a) = 3,29294 + |-0,988569/(-0,988569 − 0,711797)|·(5,50444 − 3,29294) = 4,57868
           f(a) = -0,988569 < 0, f(x₃) = -0,133315 < 0: f(a)·f(x₃) > 0 — между a и x₃ знак не меняется, a = x₃.
           Отрезок [4,57868; 5,50444]: |f(x₃)| = 0,133315 > 0,001 — продолжаем.
Проход 4.  x₄ = a + |f(a)/(f(a) − f(b))|·(b − a) = 4,57868 + |-0,133315/(-0,133315 − 0,711797)|·(5,50444 − 4,57868) = 4,72471
           f(a) = -0,133315 < 0, f(x₄) = 0,0123247 > 0: f(a)·f(x₄) < 0 — знак меняется между a и x₄, b = x₄.
           Отрезок [4,57868; 4,72471]: |f(x₄)| = 0,0123247 > 0,001 — продолжаем.
Проход 5.  x₅ = a + |f(a)/(f(a) − f(b))|·(b − a) = 4,57868 + |-0,133315/(-0,133315 − 0,0123247)|·(4,72471 − 4,57868) = 4,71236
           f(a) = -0,133315 < 0, f(x₅) = -3,34024E-5 < 0: f(a)·f(x₅) > 0 — между a и x₅ знак не меняется, a = x₅.
           Отрезок [4,71236; 4,72471]: |f(x₅)| = 3,34024E-5 ≤ 0,001 — проверка выполнена, остановка.
Итог: Сошёлся: на проходе 5 проверка остановки выполнена: |f(xₙ)| = 3,34E-5 ≤ 0,001 (точность), и рядом с xₙ f меняет знак: там корень. Замечание: последняя точка xₙ = 4,712356 лежит вне отрезка [начало, конец].
Числа записаны с 6 значащими цифрами из тех, что получил метод; пересчёт по этим округлённым числам может разойтись с записанным результатом в последней цифре.
)"},
  };
  for (const auto& c : kCases) {
    const std::shared_ptr<const RunRecord> run = Compute(c.inputs);
    EXPECT_EQ(SolutionText(Solution(*run, c.method), false), c.text) << c.name;
  }
}

// Only the first and the last passes of a run at the cap, with the line for
// those between; all of them when asked.
// Simple iteration writes φ with its λ and q, and tests the step against
// (1 − q)/q·ε; the combined method writes its chord and its tangent, each
// from its own end, and the midpoint of the bracket.
TEST_F(WorkedSolutionTest, TheTwoMoreMethodsWriteTheirOwnFormulas) {
  InputTexts inputs;
  inputs.formula = "x^3-2*x-5";
  inputs.start = "2";
  inputs.end = "3";
  inputs.precision = "0,001";
  inputs.methods = core::MethodSet();
  inputs.methods.Add(core::kSimpleIteration);
  inputs.methods.Add(core::kCombined);
  const SolvedRun solved = Solve(inputs);
  ASSERT_FALSE(solved.error.has_value());
  const struct {
    std::uint8_t method;
    std::vector<std::string> lines;
  } kCases[] = {
      {core::kSimpleIteration,
       {"Проход 0.  x₀ = 2 — начальное значение\n"
        "           φ(x) = x − λ·f(x), λ = 0,04, q = max |φ′| ≈ 0,6.\n",
        "Проход 1.  x₁ = φ(x₀) = x₀ − λ·f(x₀) = 2 − 0,04·(-1) = 2,04\n"
        "           |x₁ − x₀| = 0,04 > 0,000666667 — продолжаем.\n",
        "|x₉ − x₈| = 0,000409509 ≤ 0,000666667 — проверка выполнена, остановка.\n"}},
      {core::kCombined,
       {"Проход 0.  a₀ = 2, b₀ = 3 — концы отрезка\n           x₀ = (a₀ + b₀)/2 = 2,5\n",
        "Проход 1.  a₁ = a₀ − f(a₀)·(b₀ − a₀)/(f(b₀) − f(a₀)) = 2 − (-1)·(3 − 2)/(16 − (-1)) = "
        "2,05882 (хорда)\n"
        "           b₁ = b₀ − f(b₀)/f′(b₀) = 3 − 16/25 = 2,36 (касательная)\n"
        "           x₁ = (a₁ + b₁)/2 = 2,20941\n"
        "           Отрезок [2,05882; 2,36]: |b₁ − a₁| = 0,301176 > 0,002 — продолжаем.\n"}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(core::EntryOf(c.method).key);
    const std::string text = SolutionText(Solution(*solved.record, c.method), true);
    for (const std::string& line : c.lines) EXPECT_NE(text.find(line), std::string::npos) << text;
  }
}

TEST_F(WorkedSolutionTest, LongRunShowsItsEnds) {
  const std::shared_ptr<const RunRecord> run = Compute(kNoRoot);
  const WorkedSolution solution = Solution(*run, core::kTangents);
  ASSERT_TRUE(IsLong(solution));
  const std::string shown = SolutionText(solution, false);
  const struct {
    const char* line;
    bool in_short;
    bool in_all = true;
  } kLines[] = {
      {"Проход 0.  x₀ = 1 — начальное значение\n", true},
      {"Проход 4.  x₄ = x₃ − f(x₃)/f′(x₃) = 3,07561 − 0,502176/(-0,065937) = 10,6916\n", true},
      {"\n… (проходы с 5 по 4995 не показаны)\nПроход 4996.", true, false},
      {"Проход 5.  ", false},
      {"Проход 4995.  ", false},
      {"Проход 5000.  x₅₀₀₀ = x₄₉₉₉ − f(x₄₉₉₉)/f′(x₄₉₉₉) = 6203,86 − 0,791345/(-0,705555) = "
       "6204,98\n              |f(x₅₀₀₀)| = 0,556708 > 0,001, но это предел в 5000 проходов — "
       "остановка.\nИтог: Не сошёлся: достигнут предел в 5000 проходов",
       true},
  };
  const std::string all = SolutionText(solution, true);
  for (const auto& l : kLines) {
    EXPECT_EQ(shown.find(l.line) != std::string::npos, l.in_short) << l.line;
    EXPECT_EQ(all.find(l.line) != std::string::npos, l.in_all) << l.line;
  }
}

// The copy for word processors: subscripts as <sub>, the signs escaped.
TEST_F(WorkedSolutionTest, HtmlWritesSubscriptsAsSub) {
  const std::shared_ptr<const RunRecord> run = Compute(kDefaults);
  const std::string html = SolutionHtml(Solution(*run, core::kTangents), false);
  EXPECT_NE(html.find("x<sub>1</sub> = x<sub>0</sub> − f(x<sub>0</sub>)/f′(x<sub>0</sub>)"),
            std::string::npos)
      << html;
  EXPECT_NE(html.find("|f(x<sub>1</sub>)| = 0,0712359 &gt; 0,001"), std::string::npos) << html;
  EXPECT_EQ(html.find("₁"), std::string::npos) << html;
}

}  // namespace
}  // namespace app
