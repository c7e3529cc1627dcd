// SPDX-License-Identifier: GPL-3.0-or-later
// The texts that the method table writes: which orders to expect, what a
// pass costs, which methods a task names, and the result line that the
// detail window, the report and the JSON share. For the four methods of the
// main window they read word for word as the program has always written
// them; for other sets of methods they follow the table.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "app/method_efficiency.h"
#include "app/method_report.h"
#include "app/method_summary.h"
#include "app/plot_notes.h"
#include "app/table_window.h"
#include "app/variants.h"
#include "core/floating_point_environment.h"
#include "core/method_table.h"
#include "tests/app/separator_guard.h"

namespace app {
namespace {

using testing::SeparatorGuard;

core::MethodSet SetOf(std::initializer_list<core::Method> methods) {
  core::MethodSet set;
  for (const core::Method method : methods) set.Add(method);
  return set;
}

core::MethodHistory Finished(std::optional<std::int32_t> count, std::optional<double> root,
                             std::optional<std::string> error) {
  core::MethodHistory history;
  history.method = core::kChords;
  history.ran = true;
  history.count = count;
  history.root = root;
  history.error = std::move(error);
  return history;
}

TEST(MethodTextsTest, ReadAsWrittenForTheFourAndFollowTheTableForOthers) {
  const SeparatorGuard separator(",");
  const core::MethodSet four = core::MethodSet::Specified();
  const struct {
    const char* name;
    std::function<std::string()> text;
    std::string expected;
  } kCases[] = {
      {"expected orders", [&] { return ExpectedOrderText(four); },
       "Ожидается около 1 для половинного деления и хорд, около 1,6 для секущих, около 2 для "
       "касательных."},
      {"expected orders of two",
       [] {
         return ExpectedOrderText(SetOf({core::kTangents, core::kSecants}));
       },
       "Ожидается около 1,6 для секущих, около 2 для касательных."},
      {"efficiency", [&] { return EfficiencyNote(four); },
       "Проход — ещё не работа: проход касательных вычисляет f и f′, проход остальных методов — "
       "одну f. Индекс эффективности q^(1/w), где q — порядок, а w — вычислений за проход, "
       "показывает, во сколько раз растёт число верных цифр на одно вычисление: около 1,414 у "
       "касательных, 1,618 у секущих, 1 у половинного деления и хорд."},
      {"efficiency without f′", [] { return EfficiencyNote(SetOf({core::kBisection})); },
       "Проход — ещё не работа: проход любого метода вычисляет одну f. Индекс эффективности "
       "q^(1/w), где q — порядок, а w — вычислений за проход, показывает, во сколько раз растёт "
       "число верных цифр на одно вычисление: около 1 у половинного деления."},
      {"listed, none", [] { return ListedInRussian({}); }, ""},
      {"listed, three",
       [] {
         return ListedInRussian({"a", "b", "c"});
       },
       "a, b и c"},
      {"result, root", [] { return ResultLine(Finished(3, 1.571, std::nullopt), true); },
       "Корень (как в таблице): 1,571, итераций: 3"},
      {"result, no root", [] { return ResultLine(Finished(5001, 2, std::nullopt), false); },
       "В таблице (последнее приближение, не корень): 2, итераций: 5001"},
      {"result, error",
       [] {
         return ResultLine(Finished(std::nullopt, std::nullopt, "Floating point division by zero"),
                           false);
       },
       "Метод завершился ошибкой: «Floating point division by zero». Проходы до ошибки — в "
       "таблице."},
      {"convergence note, zeros to the end",
       [] {
         return ConvergencePlotNote({12, 5001});
       },
       "Нулевой шаг на логарифмической оси не изобразить: такие проходы отмечены пустыми "
       "квадратами у нижнего края. После прохода 12 и до прохода 5001 шаги только нулевые."},
  };
  for (const auto& c : kCases) EXPECT_EQ(c.text(), c.expected) << c.name;
}

TEST(MethodTextsTest, ATaskNamesTheMethodsItIsSolvedWith) {
  core::EstablishFloatingPointEnvironment();
  const SeparatorGuard separator(",");
  const std::vector<Variant> variants = MakeVariants(VariantRequest{1, 3, {0}, "0,001"});
  ASSERT_EQ(variants.size(), 1u);
  EXPECT_EQ(TaskLines(variants[0]).back(),
            "Найдите корень методами половинного деления, хорд, касательных и секущих. Для "
            "каждого метода запишите корень, как его показывает таблица программы, и число "
            "итераций; назовите самый быстрый метод.");
}

// The window, the report and the JSON take their texts from one summary.
TEST(MethodTextsTest, TheSummaryOfAMethod) {
  core::EstablishFloatingPointEnvironment();
  const SeparatorGuard separator(",");
  const SolvedRun solved = Solve(InputTexts{});
  const RunRecord& run = *solved.record;
  const MethodSummary chords = Summarize(run, core::kChords, Analyse(run, core::kChords));
  EXPECT_EQ(chords.heading, "Итерации: Метод хорд");
  EXPECT_EQ(chords.title, chords.heading);
  EXPECT_EQ(chords.result, "Корень (как в таблице): 1,571, итераций: 3");
  EXPECT_EQ(chords.function_line,
            "Метод ищет нули правой части уравнения: f(x) = k·cos(l·x) («x=» в расчёте не "
            "участвует).");
  EXPECT_EQ(chords.counts, "f вычислена 16 раз, из них заново 4; f′ не вычислялась");
  EXPECT_FALSE(chords.sign_warning.has_value());
  EXPECT_EQ(chords.expected_order, ExpectedOrderText(run.method_set));

  InputTexts typed;
  typed.formula = "x^2-2";
  const SolvedRun formula = Solve(typed);
  const MethodSummary tangents =
      Summarize(*formula.record, core::kTangents, Analyse(*formula.record, core::kTangents));
  EXPECT_EQ(tangents.title, "Итерации: Метод касательных — x^2-2 = 0");
  EXPECT_EQ(tangents.function_line, "");
}

}  // namespace
}  // namespace app
