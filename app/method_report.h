// SPDX-License-Identifier: GPL-3.0-or-later
// The texts of a method's detail window that explain its result: the inputs
// of the run, the evaluation counts, the warning about an interval without a
// sign change, and the order of convergence to expect.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/comparison_run.h"
#include "core/equation_source.h"
#include "core/history.h"

namespace app {

// What the method solved: its built-in equation or its typed formula.
core::EquationSource SourceOf(const core::MethodHistory& history);

// f at x with the program's own evaluation, for the equation that the method
// solved and the run's coefficients; empty where the evaluation raises an
// error.
std::optional<double> EvaluateF(const RunRecord& run, const core::MethodHistory& history, double x);

// "Уравнение x=k*cos(l*x), k = 1, l = 1; начальное значение 1, точность 0,001,
// конечный интервал 2".
std::string InputsText(const RunRecord& run);

// "f вычислена 23 раза, из них заново 11"; "f′ не вычислялась" when never asked.
std::string EvaluationCountText(std::string_view function, std::int64_t asked,
                                std::int64_t computed);

// The methods that keep a bracket (bisection, chords) rely on f changing
// sign between the start and the end; true when f(start)·f(end) > 0 (never
// when either value cannot be computed).
bool StartsWithoutSignChange(const RunRecord& run, const core::MethodHistory& history);
inline constexpr std::string_view kNoSignChangeWarning =
    "Внимание: f(начало)·f(конец) > 0 — на концах отрезка f одного знака, "
    "и метод может не найти на нём корень.";

// "a", "a и b", "a, b и c".
std::string ListedInRussian(const std::vector<std::string>& items);

// The methods of a set by their expected order, the lowest first; the
// names in the genitive, listed.
struct OrderGroup {
  double order = 1;
  std::string names;  // "половинного деления и хорд"
};
std::vector<OrderGroup> GroupByExpectedOrder(const core::MethodSet& methods);

// What to expect of the order of each of the methods: "Ожидается около 1
// для половинного деления и хорд, около 1,6 для секущих, около 2 для
// касательных."
std::string ExpectedOrderText(const core::MethodSet& methods);

}  // namespace app
