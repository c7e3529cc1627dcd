// SPDX-License-Identifier: GPL-3.0-or-later
// What a run record keeps: what was solved, with which methods, and which
// method each row of the results table holds, so that nothing needs to read
// the table's texts back; and the fastest method, which every front end asks
// of the record.
#include "app/comparison_run.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/function_texts.h"
#include "app/table_window.h"
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

struct RowsCase {
  const char* name;
  InputTexts inputs;
  // The methods of the rows, top down, and the fastest; empty when the
  // run fails and leaves its table unsorted.
  std::vector<core::Method> rows;
  std::optional<core::Method> fastest;
};

InputTexts With(core::MethodSet methods, std::string precision = "0.001", std::string start = "1") {
  InputTexts inputs;
  inputs.methods = methods;
  inputs.precision = std::move(precision);
  inputs.start = std::move(start);
  return inputs;
}

// The rows of the record name the same methods as the table's texts, sorted
// or not, for the main window's four and for a set of some of them.
TEST(RunRecordTest, RowsFollowTheTable) {
  core::EstablishFloatingPointEnvironment();
  const SeparatorGuard separator(".");
  const core::MethodSet all = core::MethodSet::Specified();
  const RowsCase kCases[] = {
      {"defaults: chords and tangents tie at 3",
       With(all),
       {core::kChords, core::kTangents, core::kSecants, core::kBisection},
       core::kChords},
      {"two of them",
       With(SetOf({core::kBisection, core::kSecants})),
       {core::kSecants, core::kBisection},
       core::kSecants},
      {"one", With(SetOf({core::kTangents})), {core::kTangents}, core::kTangents},
      // f′(0) = 0 stops the tangents: the table keeps the run's order.
      {"an error leaves the run's order",
       With(all, "0.001", "0"),
       {core::kBisection, core::kChords, core::kTangents, core::kSecants},
       std::nullopt},
  };
  for (const RowsCase& c : kCases) {
    SCOPED_TRACE(c.name);
    const SolvedRun solved = Solve(c.inputs);
    const RunRecord& record = *solved.record;
    EXPECT_EQ(solved.error.has_value(), !c.fastest.has_value());
    EXPECT_EQ(record.rows, c.rows);
    ASSERT_EQ(solved.window.RowCount(), static_cast<int>(c.rows.size()) + 1);
    for (std::size_t row = 0; row < c.rows.size(); ++row) {
      EXPECT_EQ(solved.window.Cell(0, static_cast<int>(row) + 1),
                core::EntryOf(record.rows[row]).name);
    }
    EXPECT_EQ(FastestMethod(record), c.fastest);
    EXPECT_EQ(solved.window.StatusText(), FastestMethodText(record));
    for (const core::MethodEntry& entry : core::kMethods) {
      // The others keep their number and nothing more.
      EXPECT_EQ(record.History(entry.number).method, entry.number);
      if (!c.inputs.methods.Contains(entry.number)) {
        EXPECT_FALSE(record.History(entry.number).ran) << entry.key;
      }
    }
  }
}

// The record keeps the source it solved, so the function is named from it;
// a typed formula that reads like a list text is still the formula.
TEST(RunRecordTest, KeepsWhatItSolved) {
  core::EstablishFloatingPointEnvironment();
  const SeparatorGuard separator(".");
  InputTexts listed;
  listed.equation = 8;
  const SolvedRun built_in = Solve(listed);
  EXPECT_EQ(built_in.record->source, core::EquationSource(8));
  EXPECT_EQ(FunctionText(*built_in.record), "f(x) = cos(k·x) + l");

  InputTexts typed;
  typed.formula = "k*cos(l*x)";
  const SolvedRun formula = Solve(typed);
  ASSERT_NE(formula.record->source.Formula(), nullptr);
  EXPECT_EQ(FunctionText(*formula.record), "f(x) = k*cos(l*x)");
  EXPECT_EQ(formula.record->method_set, core::MethodSet::Specified());
}

}  // namespace
}  // namespace app
